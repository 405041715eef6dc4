// The table component's in-place editing and the walk between cells.
//
// An edit is reported once: OnBeforeEdit when the editor first opens on a
// cell, then exactly one of: OnCancelEdit (Esc), or OnValidateEdit and
// OnAfterEdit (Enter, or the user leaving the cell by keys, mouse or focus,
// or the owner's end_edit(false)). Leaving ends the edit before anything
// runs for the next cell; Enter ends it and then moves on. A validation
// that answers false keeps the edit going in its cell.
#include "widgets/aligrid.h"

#include <algorithm>
#include <utility>

#include "platform/exceptions.h"
#include "platform/forms.h"
#include "platform/named_bytes.h"
#include "platform/scope.h"

void TStringAlignGrid::create_editor() { editor_ = TNewInplaceEdit{}; }

void TStringAlignGrid::setup_editor() {
    const int col = Col(), row = Row();
    TEditorLook look;
    editor_.Alignment = cell_alignment(col, row);
    switch (editor_.Alignment) {
        case alLeft: look.Alignment = TAlignment::taLeftJustify; break;
        case alCenter: look.Alignment = TAlignment::taCenter; break;
        default: look.Alignment = TAlignment::taRightJustify; break;
    }
    look.Font = effective_font(col, row);
    look.Color = cell_colour(col, row);
    editor_.Multiline = EditMultiline;
    look.Multiline = EditMultiline;
    editor_.BoundCol = col;
    editor_.BoundRow = row;
    SetEditorLook(look);
}

void TStringAlignGrid::before_edit(int col, int row) {
    editing_ = true;
    if (col < 0 || row < 0) return;
    const flag_scope opening(opening_);
    fire(this, OnBeforeEdit, this, col, row);
}

bool TStringAlignGrid::CanEditShow() {
    const int col = Col(), row = Row();
    // An edit left pending on another cell (the owner hid the editor and
    // moved on) ends before this one begins.
    if (editing_ && (editor_.BoundCol != col || editor_.BoundRow != row) && editor_.BoundCol >= 0)
        finish_edit(editor_.BoundCol, editor_.BoundRow);
    if (editor_.BoundCol != col || editor_.BoundRow != row) editor_.BeforeEditReported = false;
    if (!TStringGrid::CanEditShow() || !cell_editable(col, row)) {
        editor_.BoundCol = editor_.BoundRow = -1;
        return false;
    }
    setup_editor();
    if (!editor_.BeforeEditReported) {
        editor_.BeforeEditReported = true;
        // The owner's OnBeforeEdit runs before the editor shows the text.
        before_edit(col, row);
        editor_.StartingText = Cells(col, row);
        // The handler may have taken the cell away.
        if (Col() != col || Row() != row || !editing_) return false;
    }
    return true;
}

void TStringAlignGrid::EditorShown() {
    if (!SelectEditText) SetEditorSelection(static_cast<int>(EditorText().size()), 0);
}

void TStringAlignGrid::cancel_edit() {
    const int col = editor_.BoundCol, row = editor_.BoundRow;
    if (EditorMode()) {
        SetEditorText(editor_.StartingText);
        HideEditor();
    } else if (col >= 0 && row >= 0) {
        SetCell(col, row, editor_.StartingText);
    }
    editing_ = false;
    editor_.BeforeEditReported = false;
    editor_.BoundCol = editor_.BoundRow = -1;
    if (col >= 0 && row >= 0) fire(this, OnCancelEdit, this, col, row);
}

bool TStringAlignGrid::finish_edit(int col, int row) {
    editing_ = false;
    editor_.BeforeEditReported = false;
    editor_.BoundCol = editor_.BoundRow = -1;
    HideEditor();
    if (col < 0 || row < 0) return true;
    // The handlers may ask whether this edit was typed (EditorModified).
    bool result = true;
    {
        const flag_scope reporting(reporting_end_);
        fire(this, OnValidateEdit, this, col, row, result);
    }
    if (!result) {
        // The edit goes on in its cell, with the starting text taken anew.
        if ((Col() != col || Row() != row) && col < ColCount() && row < RowCount()) MoveCurrent(col, row);
        ShowEditor();
        editing_ = true;
        return false;
    }
    const flag_scope reporting(reporting_end_);
    fire(this, OnAfterEdit, this, col, row);
    return true;
}

void TStringAlignGrid::end_with_enter(int col, int row) {
    if (!finish_edit(col, row) || col < 0 || row < 0) return;
    if (AutoEditNextCell && !editing_) {
        int c = Col(), r = Row();
        next_edit_cell(c, r);
        if (c >= 0 && r >= 0 && FocusCell(c, r, true)) ShowEditor();
    }
    // An editor that always shows opens again where the cell now is.
    if ((Options & goAlwaysShowEditor) && !EditorMode()) ShowEditor();
}

void TStringAlignGrid::end_edit(bool cancel) {
    if (!editing_) {
        if (EditorMode()) HideEditor();
        return;
    }
    if (cancel) {
        cancel_edit();
        return;
    }
    if (opening_) return;
    const int col = editor_.BoundCol >= 0 ? editor_.BoundCol : Col();
    const int row = editor_.BoundRow >= 0 ? editor_.BoundRow : Row();
    finish_edit(col, row);
}

bool TStringAlignGrid::LeavingCell() {
    if (!editing_) return TStringGrid::LeavingCell();
    return finish_edit(editor_.BoundCol, editor_.BoundRow);
}

// --- keys ------------------------------------------------------------------------

void TStringAlignGrid::EditorKeyPress(char& key) {
    if (editor_.BoundCol < 0 || editor_.BoundRow < 0 || key == item_separator) {
        key = 0;
        return;
    }
    if (!editor_.Multiline && key == '\r') {
        const int col = editor_.BoundCol, row = editor_.BoundRow;
        // The owner's OnKeyPress sees the Enter; the editor closes with the
        // text in the cell; then the edit ends and the walk moves on.
        TStringGrid::EditorKeyPress(key);
        if (key == 0) return;
        end_with_enter(col, row);
        return;
    }
    if (!editor_.Multiline && key == '\x1b') {
        key = 0;
        cancel_edit();
        return;
    }
    if (key == '\t') {
        key = 0;
        return;
    }
    TStringGrid::EditorKeyPress(key);
}

void TStringAlignGrid::KeyPressDefault(char& key) {
    // A multiline grid keeps Enter from opening the editor.
    if (key == '\r' && EditMultiline) return;
    TStringGrid::KeyPressDefault(key);
}

void TStringAlignGrid::clipboard_request(TGridClipboardRequest request) {
    if (OnClipboardRequest) {
        fire(this, OnClipboardRequest, this, request);
        return;
    }
    switch (request) {
        case TGridClipboardRequest::Copy: clipboard_copy(); break;
        case TGridClipboardRequest::Cut: clipboard_cut(); break;
        case TGridClipboardRequest::Paste: clipboard_paste(); break;
    }
}

namespace {

T_nextcell opposite(T_nextcell d) {
    switch (d) {
        case nc_rightdown: return nc_leftup;
        case nc_leftup: return nc_rightdown;
        case nc_downright: return nc_upleft;
        case nc_upleft: return nc_downright;
        case nc_leftdown: return nc_rightup;
        case nc_rightup: return nc_leftdown;
        case nc_downleft: return nc_upright;
        case nc_upright: return nc_downleft;
    }
    return d;
}

}  // namespace

void TStringAlignGrid::tab_walk(bool backwards) {
    const int start_col = Col(), start_row = Row();
    int col = start_col, row = start_row;
    // Every column is a tab stop, so the first step decides.
    step_cell(backwards ? opposite(NextCellTab) : NextCellTab, AfterLastCellTab, col, row);
    if (col < 0 || row < 0) {
        col = start_col;
        row = start_row;
    }
    FocusCell(col, row, true);
}

void TStringAlignGrid::KeyDown(Word& key, TShiftState shift) {
    if (!EditorMode()) {
        if (key == VK_INSERT && shift == ssShift) clipboard_request(TGridClipboardRequest::Paste);
        else if (key == VK_INSERT && shift == ssCtrl) clipboard_request(TGridClipboardRequest::Copy);
        else if (key == VK_DELETE && shift == ssShift) clipboard_request(TGridClipboardRequest::Cut);
    }
    if (key == VK_TAB && !(shift & ssAlt) && (Options & goTabs)) {
        tab_walk((shift & ssShift) != 0);
        key = 0;
        return;
    }
    TStringGrid::KeyDown(key, shift);
}

// --- mouse and focus ---------------------------------------------------------------

void TStringAlignGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    int col = -1, row = -1;
    MouseCoord(x, y, col, row);
    const bool col_fixed = col < FixedCols(), row_fixed = row < FixedRows();
    if (!(col_fixed && row_fixed)) {
        if (col_fixed && OnFixedRowClick) fire(this, OnFixedRowClick, this, row);
        else if (row_fixed && OnFixedColClick) fire(this, OnFixedColClick, this, col);
    }
    TStringGrid::MouseDown(button, shift, x, y);
}

void TStringAlignGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TStringGrid::MouseUp(button, shift, x, y);
    if (auto_adjust_last_col_) fit_last_col();
}

void TStringAlignGrid::DoExit() {
    if (editing_) {
        left_during_edit_ = true;
        saved_sel_start_ = EditorSelStart();
        saved_sel_length_ = EditorSelLength();
        end_edit(false);
        // The validation failed: the focus stays and the edit goes on.
        if (editing_) throw EAbort();
    }
    if (EditorMode()) HideEditor();
    TStringGrid::DoExit();
}

void TStringAlignGrid::DoEnter() {
    TStringGrid::DoEnter();
    if (!left_during_edit_) return;
    left_during_edit_ = false;
    if (!(Options & goAlwaysShowEditor)) return;
    const int start = saved_sel_start_, length = saved_sel_length_;
    auto reopen = [this, start, length] {
        ShowEditor();
        if (EditorMode()) SetEditorSelection(start, length);
    };
    if (TApplication* app = current_application()) app->post(reopen);
    else reopen();
}

// --- the walk ----------------------------------------------------------------------

void TStringAlignGrid::step_cell(T_nextcell direction, T_lastcell at_end, int& col, int& row) {
    const int first_col = FixedCols(), last_col = ColCount() - 1;
    const int first_row = FixedRows(), last_row = RowCount() - 1;
    bool end = false;
    switch (direction) {
        case nc_rightdown:
            if (++col > last_col) { col = first_col; ++row; }
            end = row > last_row;
            break;
        case nc_downright:
            if (++row > last_row) { row = first_row; ++col; }
            end = col > last_col;
            break;
        case nc_leftdown:
            if (--col < first_col) { col = last_col; ++row; }
            end = row > last_row;
            break;
        case nc_downleft:
            if (++row > last_row) { row = first_row; --col; }
            end = col < first_col;
            break;
        case nc_leftup:
            if (--col < first_col) { col = last_col; --row; }
            end = row < first_row;
            break;
        case nc_upleft:
            if (--row < first_row) { row = last_row; --col; }
            end = col < first_col;
            break;
        case nc_rightup:
            if (++col > last_col) { col = first_col; --row; }
            end = row < first_row;
            break;
        case nc_upright:
            if (--row < first_row) { row = last_row; ++col; }
            end = col > last_col;
            break;
    }
    if (!end) return;
    col = row = -1;
    switch (at_end) {
        case lc_newcolrow:
            switch (direction) {
                case nc_rightdown:
                    insert_row(RowCount());
                    col = FixedCols(), row = RowCount() - 1;
                    break;
                case nc_downright:
                    insert_col(ColCount());
                    col = ColCount() - 1, row = FixedRows();
                    break;
                case nc_leftdown:
                    insert_row(RowCount());
                    col = ColCount() - 1, row = RowCount() - 1;
                    break;
                case nc_downleft:
                    insert_col(FixedCols());
                    col = FixedCols(), row = FixedRows();
                    break;
                case nc_leftup:
                    insert_row(FixedRows());
                    col = ColCount() - 1, row = FixedRows();
                    break;
                case nc_upleft:
                    insert_col(FixedCols());
                    col = FixedCols(), row = RowCount() - 1;
                    break;
                case nc_rightup:
                    insert_row(FixedRows());
                    col = FixedCols(), row = FixedRows();
                    break;
                case nc_upright:
                    insert_col(ColCount());
                    col = ColCount() - 1, row = RowCount() - 1;
                    break;
            }
            break;
        case lc_stop: break;
        case lc_first:
            switch (direction) {
                case nc_rightdown:
                case nc_downright: col = first_col, row = first_row; break;
                case nc_leftdown:
                case nc_downleft: col = last_col, row = first_row; break;
                case nc_leftup:
                case nc_upleft: col = last_col, row = last_row; break;
                case nc_rightup:
                case nc_upright: col = first_col, row = last_row; break;
            }
            break;
        case lc_exit:
            if (TForm* form = ParentForm()) form->SelectNext(this, true, true);
            break;
    }
}

void TStringAlignGrid::next_edit_cell(int& col, int& row) {
    const int start_col = col, start_row = row;
    const int cols = ColCount(), rows = RowCount();
    // Every cell once at most, and the step back to the start.
    for (long steps = static_cast<long>(cols) * rows + 1; steps >= 0; --steps) {
        step_cell(NextCellEdit, AfterLastCellEdit, col, row);
        if (col < 0 || row < 0) return;
        if (col == start_col && row == start_row) return;
        // A cell of a new row or column is taken as it is.
        if (ColCount() != cols || RowCount() != rows) return;
        if (cell_editable(col, row)) return;
    }
    col = row = -1;
}

// --- rows and columns moved by the user --------------------------------------------

namespace {

template <class T>
void move_entry(std::vector<T>& v, int from, int to) {
    const int n = std::max(from, to) + 1;
    if (static_cast<int>(v.size()) < n) v.resize(static_cast<std::size_t>(n));
    T item = std::move(v[static_cast<std::size_t>(from)]);
    v.erase(v.begin() + from);
    v.insert(v.begin() + to, std::move(item));
}

}  // namespace

void TStringAlignGrid::MovingRow(int from, int to) {
    move_entry(row_props_, from, to);
    for (auto& column : cell_props_) move_entry(column, from, to);
    for (auto& column : cell_hints_) move_entry(column, from, to);
    if (editor_.BoundRow >= 0) editor_.BoundRow = MovedIndex(editor_.BoundRow, from, to);
}

void TStringAlignGrid::MovingColumn(int from, int to) {
    move_entry(col_props_, from, to);
    move_entry(cell_props_, from, to);
    move_entry(cell_hints_, from, to);
    if (editor_.BoundCol >= 0) editor_.BoundCol = MovedIndex(editor_.BoundCol, from, to);
}
