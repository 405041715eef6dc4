// The process-wide state of the project model: the profiles, the current
// profile, the project record, the node buffers, the working line, the
// settings the calculation reads as values, the warnings list and the column
// model. The Program owns one; model() reaches it.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "model/columns.h"
#include "model/records.h"
#include "platform/strings.h"

// One cell edit of the node table that can be taken back: the value the
// cell held, what it belonged to, and the list line that labels it. The
// profile, the node and the column are named by their ids and kind, so that
// inserting, deleting and moving profiles, nodes or columns leaves the entry
// on its own value.
struct tundo {
    double old1 = 0;
    double old2 = 0;
    std::string old_text;
    column_kind kind = column_kind::ter;
    uint16_t profile_id = 0;  // odcinek.idp
    uint16_t node_id = 0;     // wezel.id
    std::string line;         // "%d=%s" or "%d=%g/%g" with the column position of the edit
};

struct model_state {
    model_state();

    std::vector<odcinek> profiles;   // in tab order; never empty while a project is open
    uint16_t current_profile = 0;    // the profile shown in the main table
    projekt project;
    wezel node_buffer;               // node copy and paste
    wezel node_before_edit;          // the node whose cell is being edited
    std::vector<teren> terrain_work; // the working line of one profile and one line kind
    uint8_t empty_value = 0;         // [inne] "zero": the value that means "not entered"
    int8_t slope_sign = 1;           // -1 while slopes of rising pipes are shown positive
    bool project_modified = false;   // set through set_project_modified()
    std::string project_path;        // the project's file; empty for a project never saved
    std::vector<uint16_t> visited_profiles;  // reached by one flow summation
    std::vector<error_spec> warnings;
    std::deque<tundo> undo_list;     // newest first
    std::deque<tundo> redo_list;     // newest first
    TStringList scratch;             // the shared working list (a join's id map)
    uint8_t display_decimals = 2;    // [format] "zaokrag": decimals of the annotation editors
    // Set by the drawing-length pass when the profiles' horizontal drawing
    // factors differ (the templates then show the scale as "różne").
    bool scales_differ = false;

    // The column model of the node table.
    std::array<uint8_t, column_kind_count> column_map{};  // position of each kind
    std::array<uint8_t, column_kind_count> column_order{}; // kind at each position, +100 in the side panel
    std::array<std::string, column_kind_count> column_titles;
    std::array<std::string, column_kind_count> column_units;
    std::array<uint8_t, column_kind_count> column_kind_decimals{};
    std::array<int, column_kind_count> column_widths{};
    std::array<uint8_t, column_kind_count> column_decimals{};  // decimals written, by kind
    std::array<bool, column_kind_count> text_columns{};        // by position: a text kind stands there
    // The key filter of numeric cells: a decimal separator may still be typed
    // into the half after a "/".
    bool separator_allowed = true;

    // The position of a kind in the user's column order.
    uint8_t position_of(column_kind k) const { return column_map[static_cast<std::size_t>(index_of(k))]; }
    // The kind standing at a position.
    column_kind kind_at(uint8_t position) const {
        return kind_from_index(column_order[position] % 100);
    }
};

model_state& model();
void set_model(model_state* m);

// Marks the project modified or not; the view hears of every change.
void set_project_modified(bool modified);

// What the model tells the main window, or asks of it. Until the window
// takes its place, the default does nothing and answers as a window without
// any selection would.
class model_view {
public:
    virtual ~model_view() = default;
    // The number of profiles changed (the tab-moving button is enabled while
    // there are two or more).
    virtual void profile_count_changed(std::size_t /*count*/) {}
    // Empties the data cells of the main table.
    virtual void czysc_dane() {}
    // Rebuilds the profile tabs with the profile `selected` chosen.
    virtual void tabs_odswiez(int /*selected*/) {}
    // The warnings list changed; the warnings command is enabled while it is not empty.
    virtual void warnings_changed(bool /*any*/) {}
    // Whether the main table's selected column is a text column.
    virtual bool text_column_selected() { return false; }
    // Recalculates the current profile for all columns (after a settings
    // change that affects the calculation).
    virtual void recalculate_current() {}
    // Shows the recalculated values of a profile in the main table; `flag`
    // is the refresh flag of the recalculation.
    virtual void odswiez_dane(uint16_t /*profile*/, bool /*flag*/) {}
    // The caption of a named menu item of the main window (the object menu,
    // the pipe-series action), which the language may have replaced.
    virtual std::string item_caption(const std::string& /*name*/, const std::string& builtin) { return builtin; }
    // The node of the main table's current row (0 without a table).
    virtual int current_node() { return 0; }
    // Ends a cell edit of the main table that is still open, storing it.
    virtual void finish_cell_edit() {}
    // Recolours the columns of the main table.
    virtual void koloruj_kolumny() {}
    // Recolours the cells of nodes first..last of the current profile.
    virtual void koloruj_komorki(int /*first*/, int /*last*/) {}
    // A blank node was put in the current profile at `node`: the main table
    // gives it a row (before the current row unless appended).
    virtual void node_inserted(int /*node*/, bool /*append*/) {}
    // Refills the crossing editor's table for the profile.
    virtual void odswiez_kolizje(uint16_t /*profile*/) {}
    // The side panel shows the profile's flow direction when it is the current one.
    virtual void show_flow_direction(uint16_t /*profile*/) {}
    // Makes the drawing anew when the preview page is showing.
    virtual void redraw_preview() {}
    // The project data were cleared: the project-data dialog shows them and
    // empties its design-staff grid.
    virtual void project_data_cleared() {}
    // A short note in the status bar.
    virtual void show_hint(const std::string& /*text*/) {}
    // Whether the project sump list window is open.
    virtual bool sump_list_open() { return false; }
    // The project became modified or unmodified (the save command is
    // enabled exactly while it is modified).
    virtual void project_modified_changed(bool /*modified*/) {}
    // Rebuilds the main table's columns and the side panel from the column
    // settings (TForm1.przypisz_kolumny).
    virtual void przypisz_kolumny() {}
    // The main table, the side panel and the settings grids take a table
    // font size (TForm1.resajz).
    virtual void resajz(uint8_t /*font_size*/) {}
};

model_view& view();
void set_view(model_view* v);
