// Building a window's controls in code: each control is created with its
// owner form, its parent, its name and caption, and placed one under the
// other (or beside a label) in its parent, so that a window needs no layout
// code of its own until it wants one.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/forms.h"

class TStringList;
class TCheckBox;
class TLabel;
class TSpinEdit;
class TStringGrid;
class TToolBar;
class TToolButton;
class TTrackBar;

class form_builder {
public:
    form_builder(TForm* form, TWinControl* parent, int left = 8, int top = 8);

    // A control placed at the current line; the line then moves down.
    template <class T>
    T* add(std::string_view name, std::string_view caption = {}, int width = 240, int height = 21) {
        T* c = new T(form_);
        place(c, name, caption, width, height);
        return c;
    }
    // A control with a label to its left ("Caption:" [control]); the control
    // keeps beside the label when a language gives the label another width.
    template <class T>
    T* labelled(std::string_view name, std::string_view label, int width = 80, int height = 21) {
        // The label is named after its control ("l_" and the control's
        // name), so that a language file can give its caption.
        add_label(label, "l_" + std::string(name));
        T* c = new T(form_);
        place_beside(c, name, width, height);
        return c;
    }
    // A plain label on its own line (named when a name is given).
    void add_label(std::string_view caption, std::string_view name = {});

    // The kinds most windows need, with their usual settings.
    TCheckBox* check_box(std::string_view name, std::string_view caption, bool checked, int width = 240, int height = 17);
    // A labelled spin edit with its range and value.
    TSpinEdit* spin_edit(std::string_view name, std::string_view label, int min, int max, int value, int width = 60);
    // A track bar with its range, position and hint; vertical ones stand
    // 30 x 120, horizontal ones 180 x 30.
    TTrackBar* track_bar(std::string_view name, std::string_view hint, int min, int max, int position, bool vertical);
    // A table of cols x rows cells with the given fixed columns and rows.
    TStringGrid* string_grid(std::string_view name, int cols, int rows, int fixed_cols, int fixed_rows, int width,
                             int height);
    // Moves the line down by some pixels, or to another column.
    void skip(int pixels) { top_ += pixels; }
    void column(int left, int top) {
        left_ = left;
        top_ = top;
    }
    int line() const { return top_; }
    TWinControl* parent() const { return parent_; }
    // Continues in another parent (a group box, a tab sheet).
    form_builder inside(TWinControl* parent) const { return form_builder(form_, parent); }

private:
    TForm* form_;
    TWinControl* parent_;
    int left_, top_;
    int label_right_ = 0;
    TLabel* label_ = nullptr;  // the label add_label made last
    void place(TControl* c, std::string_view name, std::string_view caption, int width, int height);
    void place_beside(TControl* c, std::string_view name, int width, int height);
};

class TPageControl;
class TTabSheet;
// A page of a page control, named and captioned.
TTabSheet* add_sheet(TForm* form, TPageControl* pages, std::string_view name, std::string_view caption);

// A check-style tool button (one that stays down) at the end of a tool bar.
TToolButton* add_tool_button(TForm* form, TToolBar* bar, std::string_view name, std::string_view hint);

// The texts of row 0 of a table, from column 0 on.
void set_header(TStringGrid* grid, std::initializer_list<std::string_view> titles);

// Fills an item list (combo box, list box, radio group).
void set_items(TStringList& list, std::initializer_list<std::string_view> items);
