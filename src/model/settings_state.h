// The settings that the program keeps as values rather than in the controls
// of the settings dialog (the dialog shows them; confirming it copies them
// in), and the records of the stored setting lists: drawing elements, band
// rows of the table under each profile and user check rules.
#pragma once

#include <array>
#include <iterator>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

// One drawing element: every drawn entity takes its layer and colour from
// the entry of its element.
struct linia_def {
    std::string key;
    std::string name;
    std::string layer;
    std::string media;   // network letters, "a" = all
    uint16_t color = 0;  // drawing colour index
    bool draw = false;
    bool like_pipe = false;
};

// One row of the table drawn under each profile.
struct dane_pod_profil {
    std::string key;      // "user" for a formula row
    std::string name;
    std::string title;
    std::string formula;
    std::string unit;
    int8_t precision = 2;  // index into the precision list
    bool shown = false;
    bool forced = false;   // not stored
    bool reserved = true;
    bool at_nodes = true;
    bool drawn = false;    // not stored
    bool join = false;
    uint8_t height = 100;  // percent of the standard row height
    float position = 0;    // not stored
};

// One user check rule.
struct rule_def {
    std::string description;
    std::string formula;
    std::string media;
    TColor color = clRed;
    bool enabled = false;
};

inline constexpr int data_list_count = 14;

struct settings_state {
    // Values shown in the settings dialog and copied by contr2var / var2contr.
    double embankment_slope = 1.0;            // [inne] "nachylenie_skarpy"
    bool embankment_slope_on = true;          // [inne] "jest_nachylenie_skarpy"
    bool depth_not_to_bottom = false;         // [inne] "zaglebienie", held negated
    double embankment_width_addition = 0;     // [inne] "dodatek_do_szer_skarpy"
    double sidefill_height = 0;               // [inne] "obsypka"
    double bedding_height = 0;                // [inne] "podsypka"
    double sump_wall_thickness = 0.05;        // [inne] "przekroj_grubosc_scianki"
    double sand_layer_height = 0.4;           // [inne] "wys_drenaz_piasek"
    double distance_between_pipes = 1.5;      // [inne] "rozstaw_drenow"
    double gravel_layer_height = 0.3;         // [inne] "wys_drenaz_zwir"
    double sump_hollow = 0.2;                 // [inne] "przekroj_szerokosc_rozkopu"
    uint8_t profile_gap = 15;                 // [inne] "odstep", mm
    uint16_t drop_from = 500;                 // [inne] "przepad_od", mm
    uint8_t title_column_width = 0;           // [inne] "TableTitleColumnWidth"
    double trim_length = 20;                  // [inne] "TrimLength", m
    uint16_t draw_axis_from = 0;              // [rysunek] "draw_axis_from", mm
    double aod_distance_from = 6;             // [inne] "AODDistanceFrom", m
    uint8_t aod_dependency = 0;               // [inne] "AODDependency"
    uint8_t symbol_size = 100;                // [inne] "SymbolSizeRatio", percent
    double symbol_size_factor = 0.2;          // symbol_size x 0.2 / 100
    uint8_t table_font_size = 10;             // [inne] "dane_wys"
    double flow_unit_factor = 1;              // m3/h into the chosen flow unit
    std::string calc_column_formula;          // [format] "calc_column_formula"
    std::vector<std::string> crossing_media;  // media of the crossing colour table, lower-cased
    std::array<std::string, data_list_count> data_lists;       // the lists of most-used values
    std::array<std::string, data_list_count> data_lists_edit;  // the dialog's working copies
    TColor auto_cell_color = 0x00DCFFFF;      // [inne] "kolor_tla_automatu"
    TColor active_row_color = 0x00F5F5F5;     // [inne] "active_row_color"
    TColor preview_background = clWhite;      // [inne] "kolor_tla"
    bool add_entity_handles = false;          // [inne] "acad"
    std::string dxf_import_dir;               // [inne] "userdxfimportdir"
    std::string dialog_folder;                // [program] "path": first folder of the open and save dialogs
    int project_file_version = 0;             // digits of [format] "wersja"
    int printer_index = 0;                    // [inne] "current_printer"
    uint8_t drainage_beds = 1;                // beds of the drainage field
    std::string language = "polski";          // the chosen language, as the language chooser lists it
    bool making_new_project = false;          // a new project is being made (its settings are read)
    // A read started by the settings dialog's own buttons: the current
    // profile's side-panel modes (entered values, distances, pipe ordinates)
    // stay as they are.
    bool keeping_panel_modes = false;
    // A write of the user's settings file failed in this run and was
    // reported (once per run).
    bool user_settings_write_reported = false;

    std::vector<linia_def> line_defs;               // fifteen built-in entries first
    std::vector<dane_pod_profil> profile_table_rows;
    std::vector<rule_def> check_rules;
};

settings_state& settings();
void set_settings(settings_state* s);
