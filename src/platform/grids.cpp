#include "platform/grids.h"

#include <algorithm>
#include <optional>

#include "platform/forms.h"
#include "platform/services.h"
#include "platform/sysutils.h"

namespace {
const std::string empty_text;

// The lines between the cells: darker around the fixed cells; on a silver
// grid the lines between its cells are grey.
TColor line_colour(bool fixed, TColor grid_colour) {
    if (fixed) return clGray;
    return ColorToRGB(grid_colour) == clSilver ? clGray : clSilver;
}
}  // namespace

TStringGrid::TStringGrid(TComponent* owner) : TWinControl(owner) {
    TabStop = true;
    SetBounds(0, 0, 320, 120);
    color_ = clWindow;
    resize_storage();
}

void TStringGrid::resize_storage() {
    col_widths_.resize(static_cast<std::size_t>(col_count_), default_col_width_);
    row_heights_.resize(static_cast<std::size_t>(row_count_), default_row_height_);
    cells_.resize(static_cast<std::size_t>(row_count_));
    objects_.resize(static_cast<std::size_t>(row_count_));
    for (auto& r : cells_) r.resize(static_cast<std::size_t>(col_count_));
    for (auto& r : objects_) r.resize(static_cast<std::size_t>(col_count_), 0);
}

void TStringGrid::SetColCount(int n) {
    n = std::max(n, 1);
    if (n == col_count_) return;
    col_count_ = n;
    if (fixed_cols_ >= n) fixed_cols_ = n - 1;
    resize_storage();
    if (col_ >= n) col_ = n - 1;
    if (anchor_col_ >= n) anchor_col_ = n - 1;
    if (left_col_ >= n) left_col_ = std::max(fixed_cols_, n - 1);
    update_selection();
    changed(Prop::Value);
}

void TStringGrid::SetRowCount(int n) {
    n = std::max(n, 1);
    if (n == row_count_) return;
    row_count_ = n;
    if (fixed_rows_ >= n) fixed_rows_ = n - 1;
    resize_storage();
    if (row_ >= n) row_ = n - 1;
    if (anchor_row_ >= n) anchor_row_ = n - 1;
    if (top_row_ >= n) top_row_ = std::max(fixed_rows_, n - 1);
    update_selection();
    changed(Prop::Value);
}

void TStringGrid::SetFixedCols(int n) {
    if (n < 0 || n >= col_count_) throw Exception("Fixed column count must be less than column count");
    fixed_cols_ = n;
    col_ = std::max(col_, n);
    anchor_col_ = std::max(anchor_col_, n);
    left_col_ = std::max(left_col_, n);
    update_selection();
    changed(Prop::Value);
}

void TStringGrid::SetFixedRows(int n) {
    if (n < 0 || n >= row_count_) throw Exception("Fixed row count must be less than row count");
    fixed_rows_ = n;
    row_ = std::max(row_, n);
    anchor_row_ = std::max(anchor_row_, n);
    top_row_ = std::max(top_row_, n);
    update_selection();
    changed(Prop::Value);
}

const std::string& TStringGrid::Cells(int col, int row) const {
    if (col < 0 || row < 0 || col >= col_count_ || row >= row_count_) return empty_text;
    return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void TStringGrid::SetCell(int col, int row, std::string_view text) {
    if (col < 0 || row < 0 || col >= col_count_ || row >= row_count_) return;
    auto& c = cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
    if (c == text) return;
    c = std::string(text);
    changed(Prop::Value);
}

intptr_t TStringGrid::Objects(int col, int row) const {
    if (col < 0 || row < 0 || col >= col_count_ || row >= row_count_) return 0;
    return objects_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void TStringGrid::SetObject(int col, int row, intptr_t o) {
    if (col < 0 || row < 0 || col >= col_count_ || row >= row_count_) return;
    objects_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = o;
}

std::vector<std::string> TStringGrid::Cols(int col) const {
    std::vector<std::string> out;
    for (int r = 0; r < row_count_; ++r) out.push_back(Cells(col, r));
    return out;
}

std::vector<std::string> TStringGrid::Rows(int row) const {
    std::vector<std::string> out;
    for (int c = 0; c < col_count_; ++c) out.push_back(Cells(c, row));
    return out;
}

void TStringGrid::SetRow(int row, const std::vector<std::string>& texts) {
    if (static_cast<int>(texts.size()) > col_count_) SetColCount(static_cast<int>(texts.size()));
    for (std::size_t c = 0; c < texts.size(); ++c) SetCell(static_cast<int>(c), row, texts[c]);
}

void TStringGrid::SetCol(int col, const std::vector<std::string>& texts) {
    if (static_cast<int>(texts.size()) > row_count_) SetRowCount(static_cast<int>(texts.size()));
    for (std::size_t r = 0; r < texts.size(); ++r) SetCell(col, static_cast<int>(r), texts[r]);
}

void TStringGrid::InsertRow(int row) {
    row = std::clamp(row, 0, row_count_);
    ++row_count_;
    cells_.insert(cells_.begin() + row, std::vector<std::string>(static_cast<std::size_t>(col_count_)));
    objects_.insert(objects_.begin() + row, std::vector<intptr_t>(static_cast<std::size_t>(col_count_), 0));
    row_heights_.push_back(default_row_height_);
    if (row_ >= row) ++row_;
    if (anchor_row_ >= row) ++anchor_row_;
    update_selection();
    changed(Prop::Value);
}

void TStringGrid::DeleteRow(int row) {
    if (row < 0 || row >= row_count_ || row_count_ <= 1) return;
    cells_.erase(cells_.begin() + row);
    objects_.erase(objects_.begin() + row);
    row_heights_.pop_back();
    --row_count_;
    if (fixed_rows_ >= row_count_) fixed_rows_ = row_count_ - 1;
    if (row_ > row) --row_;
    if (anchor_row_ > row) --anchor_row_;
    row_ = std::clamp(row_, fixed_rows_, row_count_ - 1);
    anchor_row_ = std::clamp(anchor_row_, fixed_rows_, row_count_ - 1);
    top_row_ = std::clamp(top_row_, fixed_rows_, std::max(fixed_rows_, row_count_ - 1));
    update_selection();
    changed(Prop::Value);
}

void TStringGrid::InsertColumn(int col) {
    col = std::clamp(col, 0, col_count_);
    ++col_count_;
    for (auto& r : cells_) r.insert(r.begin() + col, std::string());
    for (auto& r : objects_) r.insert(r.begin() + col, 0);
    col_widths_.push_back(default_col_width_);
    if (col_ >= col) ++col_;
    if (anchor_col_ >= col) ++anchor_col_;
    update_selection();
    changed(Prop::Value);
}

void TStringGrid::DeleteColumn(int col) {
    if (col < 0 || col >= col_count_ || col_count_ <= 1) return;
    for (auto& r : cells_) r.erase(r.begin() + col);
    for (auto& r : objects_) r.erase(r.begin() + col);
    col_widths_.pop_back();
    --col_count_;
    if (fixed_cols_ >= col_count_) fixed_cols_ = col_count_ - 1;
    if (col_ > col) --col_;
    if (anchor_col_ > col) --anchor_col_;
    col_ = std::clamp(col_, fixed_cols_, col_count_ - 1);
    anchor_col_ = std::clamp(anchor_col_, fixed_cols_, col_count_ - 1);
    left_col_ = std::clamp(left_col_, fixed_cols_, std::max(fixed_cols_, col_count_ - 1));
    update_selection();
    changed(Prop::Value);
}

void TStringGrid::SetDefaultColWidth(int w) {
    default_col_width_ = w;
    std::fill(col_widths_.begin(), col_widths_.end(), w);
    changed(Prop::Value);
    ColWidthsChanged();
}

void TStringGrid::SetDefaultRowHeight(int h) {
    default_row_height_ = h;
    std::fill(row_heights_.begin(), row_heights_.end(), h);
    changed(Prop::Value);
    RowHeightsChanged();
}

int TStringGrid::ColWidths(int col) const {
    return col >= 0 && col < col_count_ ? col_widths_[static_cast<std::size_t>(col)] : default_col_width_;
}

int TStringGrid::RowHeights(int row) const {
    return row >= 0 && row < row_count_ ? row_heights_[static_cast<std::size_t>(row)] : default_row_height_;
}

void TStringGrid::SetColWidth(int col, int w) {
    if (col < 0 || col >= col_count_ || col_widths_[static_cast<std::size_t>(col)] == w) return;
    col_widths_[static_cast<std::size_t>(col)] = w;
    changed(Prop::Value);
    ColWidthsChanged();
}

void TStringGrid::SetRowHeight(int row, int h) {
    if (row < 0 || row >= row_count_ || row_heights_[static_cast<std::size_t>(row)] == h) return;
    row_heights_[static_cast<std::size_t>(row)] = h;
    changed(Prop::Value);
    RowHeightsChanged();
}

void TStringGrid::update_selection() {
    TGridRect s;
    if (Options & goRowSelect) {
        s = {fixed_cols_, std::min(anchor_row_, row_), col_count_ - 1, std::max(anchor_row_, row_)};
    } else {
        s = {std::min(anchor_col_, col_), std::min(anchor_row_, row_), std::max(anchor_col_, col_),
             std::max(anchor_row_, row_)};
    }
    if (s == selection_) return;
    selection_ = s;
    changed(Prop::Selection);
}

bool TStringGrid::LeavingCell() {
    if (editor_mode_ && !(Options & goAlwaysShowEditor)) HideEditor();
    return true;
}

bool TStringGrid::FocusCell(int col, int row, bool move_anchor) {
    const int old_col = col_, old_row = row_;
    if (!move_current(col, row, move_anchor)) return false;
    if (col_ != old_col || row_ != old_row) Click();
    return true;
}

bool TStringGrid::move_current(int col, int row, bool move_anchor) {
    if (col < 0 || row < 0 || col >= col_count_ || row >= row_count_) throw Exception("Grid index out of range");
    if (col == col_ && row == row_ && (!move_anchor || (anchor_col_ == col && anchor_row_ == row))) return true;
    if (col != col_ || row != row_) {
        if (!LeavingCell()) return false;
        // Ending the edit may have changed the grid.
        if (col >= col_count_ || row >= row_count_) return false;
    }
    bool can = true;
    fire(this, OnSelectCell, this, col, row, can);
    if (!can) return false;
    if (editor_mode_ && !(Options & goAlwaysShowEditor)) HideEditor();
    col_ = col;
    row_ = row;
    if (move_anchor) {
        anchor_col_ = col;
        anchor_row_ = row;
    }
    update_selection();
    changed(Prop::Selection);
    scroll_into_view();
    if (Options & goAlwaysShowEditor) ShowEditor();
    return true;
}

void TStringGrid::MoveCurrent(int col, int row) {
    col_ = anchor_col_ = std::clamp(col, 0, col_count_ - 1);
    row_ = anchor_row_ = std::clamp(row, 0, row_count_ - 1);
    update_selection();
    changed(Prop::Selection);
}

void TStringGrid::SetSelection(const TGridRect& r) {
    if ((r.Right != col_ || r.Bottom != row_) && !LeavingCell()) return;
    anchor_col_ = r.Left;
    anchor_row_ = r.Top;
    col_ = r.Right;
    row_ = r.Bottom;
    update_selection();
    changed(Prop::Selection);
}

void TStringGrid::SetTopRow(int r) {
    r = std::clamp(r, fixed_rows_, std::max(fixed_rows_, row_count_ - 1));
    if (r == top_row_) return;
    top_row_ = r;
    changed(Prop::Selection);
    fire(this, OnTopLeftChanged, this);
}

void TStringGrid::SetLeftCol(int c) {
    c = std::clamp(c, fixed_cols_, std::max(fixed_cols_, col_count_ - 1));
    if (c == left_col_) return;
    left_col_ = c;
    changed(Prop::Selection);
    fire(this, OnTopLeftChanged, this);
}

int TStringGrid::content_width() const {
    int w = 0;
    for (int c = 0; c < col_count_; ++c) w += ColWidths(c) + GridLineWidth;
    return w;
}

int TStringGrid::content_height() const {
    int h = 0;
    for (int r = 0; r < row_count_; ++r) h += RowHeights(r) + GridLineWidth;
    return h;
}

bool TStringGrid::ScrollBarShown(bool vertical) const {
    const bool allow_v = ScrollBars == TScrollStyle::ssVertical || ScrollBars == TScrollStyle::ssBoth;
    const bool allow_h = ScrollBars == TScrollStyle::ssHorizontal || ScrollBars == TScrollStyle::ssBoth;
    const int cw = content_width(), ch = content_height();
    bool v = allow_v && ch > height_;
    const bool h = allow_h && cw > width_ - (v ? ScrollBarSize : 0);
    if (allow_v && !v && h) v = ch > height_ - ScrollBarSize;
    return vertical ? v : h;
}

int TStringGrid::CellAreaWidth() const { return std::max(0, width_ - (ScrollBarShown(true) ? ScrollBarSize : 0)); }

int TStringGrid::CellAreaHeight() const { return std::max(0, height_ - (ScrollBarShown(false) ? ScrollBarSize : 0)); }

int TStringGrid::VisibleRowCount() const {
    const int area = CellAreaHeight();
    int y = 0;
    for (int r = 0; r < fixed_rows_; ++r) y += RowHeights(r) + GridLineWidth;
    int n = 0;
    for (int r = top_row_; r < row_count_; ++r) {
        y += RowHeights(r) + GridLineWidth;
        if (y > area) break;
        ++n;
    }
    return std::max(n, 1);
}

int TStringGrid::VisibleColCount() const {
    const int area = CellAreaWidth();
    int x = 0;
    for (int c = 0; c < fixed_cols_; ++c) x += ColWidths(c) + GridLineWidth;
    int n = 0;
    for (int c = left_col_; c < col_count_; ++c) {
        x += ColWidths(c) + GridLineWidth;
        if (x > area) break;
        ++n;
    }
    return std::max(n, 1);
}

int TStringGrid::MaxTopRow() const {
    int avail = CellAreaHeight();
    for (int r = 0; r < fixed_rows_; ++r) avail -= RowHeights(r) + GridLineWidth;
    int y = 0, r = row_count_ - 1;
    for (; r >= fixed_rows_; --r) {
        y += RowHeights(r) + GridLineWidth;
        if (y > avail) break;
    }
    return std::clamp(r + 1, fixed_rows_, std::max(fixed_rows_, row_count_ - 1));
}

int TStringGrid::MaxLeftCol() const {
    int avail = CellAreaWidth();
    for (int c = 0; c < fixed_cols_; ++c) avail -= ColWidths(c) + GridLineWidth;
    int x = 0, c = col_count_ - 1;
    for (; c >= fixed_cols_; --c) {
        x += ColWidths(c) + GridLineWidth;
        if (x > avail) break;
    }
    return std::clamp(c + 1, fixed_cols_, std::max(fixed_cols_, col_count_ - 1));
}

void TStringGrid::scroll_into_view() {
    if (row_ >= fixed_rows_) {
        if (row_ < top_row_) SetTopRow(row_);
        else if (row_ >= top_row_ + VisibleRowCount()) SetTopRow(row_ - VisibleRowCount() + 1);
    }
    if (col_ >= fixed_cols_ && !(Options & goRowSelect)) {
        if (col_ < left_col_) SetLeftCol(col_);
        else if (col_ >= left_col_ + VisibleColCount()) SetLeftCol(col_ - VisibleColCount() + 1);
    }
}

TRect TStringGrid::CellRect(int col, int row) const {
    auto axis = [this](int index, int fixed, int first, int count, bool cols, int& start, int& size) {
        start = 0;
        size = 0;
        if (index < 0 || index >= count) return false;
        if (index >= fixed && index < first) return false;
        for (int i = 0; i < fixed && i < index; ++i) start += (cols ? ColWidths(i) : RowHeights(i)) + GridLineWidth;
        if (index >= fixed)
            for (int i = first; i < index; ++i) start += (cols ? ColWidths(i) : RowHeights(i)) + GridLineWidth;
        size = cols ? ColWidths(index) : RowHeights(index);
        return true;
    };
    int x = 0, w = 0, y = 0, h = 0;
    if (!axis(col, fixed_cols_, left_col_, col_count_, true, x, w) || !axis(row, fixed_rows_, top_row_, row_count_, false, y, h))
        return {};
    return {x, y, x + w, y + h};
}

void TStringGrid::MouseCoord(int x, int y, int& col, int& row) const {
    auto find = [this](int p, int limit, int fixed, int first, int count, bool cols) {
        if (p < 0 || p >= limit) return -1;
        int pos = 0;
        for (int i = 0; i < fixed; ++i) {
            const int s = (cols ? ColWidths(i) : RowHeights(i)) + GridLineWidth;
            if (p < pos + s) return i;
            pos += s;
        }
        for (int i = first; i < count; ++i) {
            const int s = (cols ? ColWidths(i) : RowHeights(i)) + GridLineWidth;
            if (p < pos + s) return i;
            pos += s;
        }
        return -1;
    };
    col = find(x, CellAreaWidth(), fixed_cols_, left_col_, col_count_, true);
    row = find(y, CellAreaHeight(), fixed_rows_, top_row_, row_count_, false);
}

void TStringGrid::MouseToCell(int x, int y, int& col, int& row) const {
    MouseCoord(x, y, col, row);
    if (col < 0 || row < 0) col = row = -1;
}

bool TStringGrid::HintAt(int x, int y, std::string& text, THintInfo& info) {
    text = Hint();
    info.HintPos = {x, y + 20};
    info.CursorRect = ClientRect();
    return ShowHint && !text.empty();
}

// --- the in-place editor ---------------------------------------------------------

bool TStringGrid::CanEditShow() {
    return (Options & goEditing) && !(Options & goRowSelect) && col_ >= fixed_cols_ && row_ >= fixed_rows_;
}

void TStringGrid::ShowEditor() {
    editor_look_ = TEditorLook{TAlignment::taLeftJustify, font_, color_, false};
    if (!CanEditShow()) return;
    std::string value = Cells(col_, row_);
    fire(this, OnGetEditText, this, col_, row_, value);
    editor_text_ = value;
    editor_start_text_ = value;
    editor_sel_start_ = 0;
    editor_sel_length_ = static_cast<int>(value.size());
    editor_modified_ = false;
    editor_mode_ = true;
    EditorShown();
    changed(Prop::Style);
}

void TStringGrid::HideEditor() {
    if (!editor_mode_) return;
    editor_mode_ = false;
    changed(Prop::Style);
}

void TStringGrid::SetEditorMode(bool on) {
    if (on) ShowEditor();
    else HideEditor();
}

void TStringGrid::write_editor_text(std::string text, int caret) {
    editor_text_ = std::move(text);
    editor_sel_start_ = std::clamp(caret, 0, static_cast<int>(editor_text_.size()));
    editor_sel_length_ = 0;
    fire(this, OnSetEditText, this, col_, row_, editor_text_);
    SetCell(col_, row_, editor_text_);
    changed(Prop::Selection);
}

void TStringGrid::SetEditorText(std::string_view t) {
    if (!editor_mode_) return;
    editor_modified_ = true;
    write_editor_text(std::string(t), static_cast<int>(t.size()));
}

void TStringGrid::SetEditorSelection(int start, int length) {
    const int n = static_cast<int>(editor_text_.size());
    editor_sel_start_ = std::clamp(start, 0, n);
    editor_sel_length_ = std::clamp(length, 0, n - editor_sel_start_);
    changed(Prop::Selection);
}

void TStringGrid::EditorReplaceSelection(std::string_view text) {
    if (!editor_mode_) return;
    std::string s = editor_text_;
    s.replace(static_cast<std::size_t>(editor_sel_start_), static_cast<std::size_t>(editor_sel_length_), text);
    editor_modified_ = true;
    write_editor_text(std::move(s), editor_sel_start_ + static_cast<int>(text.size()));
}

void TStringGrid::EditorKeyPress(char& key) {
    fire(this, OnKeyPress, this, key);
    if (key == 0 || !editor_mode_) return;
    const bool multiline = editor_look_.Multiline;
    if (key == '\r') {
        if (multiline) EditorReplaceSelection("\r\n");
        else if (!(Options & goAlwaysShowEditor)) HideEditor();
        return;
    }
    if (key == '\x1b') {
        if (multiline) return;
        write_editor_text(editor_start_text_, static_cast<int>(editor_start_text_.size()));
        HideEditor();
        return;
    }
    if (key == '\b') {
        if (editor_sel_length_ == 0 && editor_sel_start_ > 0) {
            --editor_sel_start_;
            editor_sel_length_ = 1;
        }
        EditorReplaceSelection("");
        return;
    }
    if (static_cast<unsigned char>(key) < 32) return;
    EditorReplaceSelection(std::string(1, key));
}

void TStringGrid::editor_key_down(Word& key, TShiftState shift) {
    const int n = static_cast<int>(editor_text_.size());
    const std::string selected = editor_text_.substr(static_cast<std::size_t>(editor_sel_start_),
                                                     static_cast<std::size_t>(editor_sel_length_));
    auto paste = [this] {
        const std::optional<std::string> text = services().clipboard_text();
        if (!text) {
            refuse_unrepresentable_text();
            return;
        }
        std::string t = *text;
        // A single line takes the clipboard's first line.
        if (!editor_look_.Multiline) t = t.substr(0, t.find_first_of("\r\n"));
        EditorReplaceSelection(t);
    };
    switch (key) {
        case VK_LEFT: SetEditorSelection(editor_sel_start_ - 1, 0); break;
        case VK_RIGHT: SetEditorSelection(editor_sel_start_ + editor_sel_length_ + 1, 0); break;
        case VK_HOME: SetEditorSelection(0, 0); break;
        case VK_END:
        case VK_F2: SetEditorSelection(n, 0); break;
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT: break;  // a multiline editor's own lines
        case VK_INSERT:
            if (shift == ssShift) paste();
            else if (shift == ssCtrl && !selected.empty()) services().set_clipboard_text(selected);
            break;
        case VK_DELETE:
            if (shift == ssShift) {
                if (selected.empty()) break;
                services().set_clipboard_text(selected);
                EditorReplaceSelection("");
            } else if (shift == 0) {
                if (editor_sel_length_ == 0 && editor_sel_start_ < n) editor_sel_length_ = 1;
                EditorReplaceSelection("");
            }
            break;
        default:
            if (shift != ssCtrl) break;
            if (key == 'C' && !selected.empty()) services().set_clipboard_text(selected);
            else if (key == 'V') paste();
            else if (key == 'X' && !selected.empty()) {
                services().set_clipboard_text(selected);
                EditorReplaceSelection("");
            } else if (key == 'A') SetEditorSelection(0, n);
            break;
    }
}

// --- moving rows and columns -------------------------------------------------------

int TStringGrid::MovedIndex(int index, int from, int to) {
    if (index == from) return to;
    if (from < to && index > from && index <= to) return index - 1;
    if (from > to && index >= to && index < from) return index + 1;
    return index;
}

void TStringGrid::MoveColumn(int from, int to) {
    if (from == to || from < 0 || to < 0 || from >= col_count_ || to >= col_count_) return;
    MovingColumn(from, to);
    for (auto& r : cells_) {
        auto v = r[static_cast<std::size_t>(from)];
        r.erase(r.begin() + from);
        r.insert(r.begin() + to, v);
    }
    for (auto& r : objects_) {
        auto v = r[static_cast<std::size_t>(from)];
        r.erase(r.begin() + from);
        r.insert(r.begin() + to, v);
    }
    const int w = col_widths_[static_cast<std::size_t>(from)];
    col_widths_.erase(col_widths_.begin() + from);
    col_widths_.insert(col_widths_.begin() + to, w);
    col_ = MovedIndex(col_, from, to);
    anchor_col_ = MovedIndex(anchor_col_, from, to);
    update_selection();
    changed(Prop::Value);
    fire(this, OnColumnMoved, this, from, to);
}

void TStringGrid::MoveRow(int from, int to) {
    if (from == to || from < 0 || to < 0 || from >= row_count_ || to >= row_count_) return;
    MovingRow(from, to);
    auto c = cells_[static_cast<std::size_t>(from)];
    cells_.erase(cells_.begin() + from);
    cells_.insert(cells_.begin() + to, c);
    auto o = objects_[static_cast<std::size_t>(from)];
    objects_.erase(objects_.begin() + from);
    objects_.insert(objects_.begin() + to, o);
    const int h = row_heights_[static_cast<std::size_t>(from)];
    row_heights_.erase(row_heights_.begin() + from);
    row_heights_.insert(row_heights_.begin() + to, h);
    row_ = MovedIndex(row_, from, to);
    anchor_row_ = MovedIndex(anchor_row_, from, to);
    update_selection();
    changed(Prop::Value);
    fire(this, OnRowMoved, this, from, to);
}

// --- painting ----------------------------------------------------------------------

void TStringGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
    if (DefaultDrawing && canvas_) {
        canvas_->Brush.Style = TBrushStyle::bsSolid;
        if (state & gdFixed) canvas_->Brush.Color = FixedColor;
        else if ((state & gdSelected) && !((state & gdFocused) && !(Options & goDrawFocusSelected)))
            canvas_->Brush.Color = clHighlight;
        else canvas_->Brush.Color = color_;
        canvas_->Font = font_;
        if ((state & gdSelected) && !(state & gdFixed) && canvas_->Brush.Color == clHighlight)
            canvas_->Font.Color = clHighlightText;
        canvas_->FillRect(rect);
        canvas_->TextRect(rect, rect.Left + 2, rect.Top + 2, Cells(col, row));
    }
    fire(this, OnDrawCell, this, col, row, rect, state);
}

void TStringGrid::PaintTo(TCanvas& canvas) {
    struct Shown {
        int col, row;
        TRect rect;
    };
    std::vector<Shown> shown;
    const int area_w = CellAreaWidth(), area_h = CellAreaHeight();
    for (int r = 0; r < row_count_; ++r) {
        if (r >= fixed_rows_ && r < top_row_) continue;
        const TRect probe = CellRect(fixed_cols_ < col_count_ ? fixed_cols_ : 0, r);
        if (probe.Top >= area_h) break;
        for (int c = 0; c < col_count_; ++c) {
            const TRect rc = CellRect(c, r);
            if (rc.Width() <= 0 && rc.Height() <= 0) continue;
            if (rc.Left >= area_w) break;
            shown.push_back({c, r, rc});
        }
    }
    canvas_ = &canvas;
    try {
        // The lines first: text that a cell draws past its edge, where a
        // line is left out, stays.
        if (GridLineWidth > 0) {
            canvas.Brush.Style = TBrushStyle::bsSolid;
            for (const Shown& s : shown) {
                const bool fixed = s.col < fixed_cols_ || s.row < fixed_rows_;
                const bool vert = Options & (fixed ? goFixedVertLine : goVertLine);
                const bool horz = Options & (fixed ? goFixedHorzLine : goHorzLine);
                canvas.Brush.Color = vert ? line_colour(fixed, color_) : color_;
                canvas.FillRect({s.rect.Right, s.rect.Top, s.rect.Right + GridLineWidth, s.rect.Bottom + GridLineWidth});
                canvas.Brush.Color = horz ? line_colour(fixed, color_) : color_;
                canvas.FillRect({s.rect.Left, s.rect.Bottom, s.rect.Right, s.rect.Bottom + GridLineWidth});
            }
        }
        for (const Shown& s : shown) {
            TGridDrawState st = 0;
            if (s.col < fixed_cols_ || s.row < fixed_rows_) st |= gdFixed;
            else {
                if (s.col >= selection_.Left && s.col <= selection_.Right && s.row >= selection_.Top &&
                    s.row <= selection_.Bottom)
                    st |= gdSelected;
                if (s.col == col_ && s.row == row_ && Focused()) st |= gdFocused;
            }
            canvas.TextTransparent = false;
            DrawCell(s.col, s.row, s.rect, st);
        }
    } catch (...) {
        canvas_ = nullptr;
        throw;
    }
    canvas_ = nullptr;
}

// --- keys and mouse ----------------------------------------------------------------

void TStringGrid::KeyPress(char& key) {
    const auto k = static_cast<unsigned char>(key);
    // Show-editor-with-character: the editor opens and takes the character.
    if (!editor_mode_ && (Options & goEditing) && (key == '\b' || k >= 32)) ShowEditor();
    if (editor_mode_) {
        EditorKeyPress(key);
        return;
    }
    TWinControl::KeyPress(key);
}

void TStringGrid::KeyDownDefault(Word& key, TShiftState shift) {
    if (editor_mode_) {
        const bool moves = (!editor_look_.Multiline && (key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT)) ||
                           (key == VK_TAB && (Options & goTabs));
        if (!moves) {
            editor_key_down(key, shift);
            return;
        }
    }
    int c = col_, r = row_;
    const bool extend = (shift & ssShift) && (Options & goRangeSelect) && key != VK_TAB;
    switch (key) {
        case VK_UP: --r; break;
        case VK_DOWN: ++r; break;
        case VK_LEFT: --c; break;
        case VK_RIGHT: ++c; break;
        case VK_PRIOR: r -= VisibleRowCount(); break;
        case VK_NEXT: r += VisibleRowCount(); break;
        case VK_HOME: if (shift & ssCtrl) r = fixed_rows_; c = fixed_cols_; break;
        case VK_END: if (shift & ssCtrl) r = row_count_ - 1; c = col_count_ - 1; break;
        case VK_TAB:
            if (!(Options & goTabs)) return;
            if (shift & ssShift) {
                if (--c < fixed_cols_) { c = col_count_ - 1; --r; }
            } else if (++c >= col_count_) {
                c = fixed_cols_;
                ++r;
            }
            break;
        case VK_F2:
            ShowEditor();
            if (editor_mode_) SetEditorSelection(static_cast<int>(editor_text_.size()), 0);
            return;
        default: return;
    }
    c = std::clamp(c, fixed_cols_, col_count_ - 1);
    r = std::clamp(r, fixed_rows_, row_count_ - 1);
    FocusCell(c, r, !extend);
}

void TStringGrid::KeyPressDefault(char& key) {
    if (key == '\r' && (Options & goEditing) && !editor_mode_) ShowEditor();
}

void TStringGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft) {
        int c = -1, r = -1;
        MouseToCell(x, y, c, r);
        click_pending_ = false;
        if (c >= fixed_cols_ && r >= fixed_rows_ && !(editor_mode_ && c == col_ && r == row_)) {
            const bool extend = (shift & ssShift) && (Options & goRangeSelect);
            click_pending_ = true;
            if (move_current(c, r, !extend)) selecting_ = (Options & goRangeSelect) != 0;
        }
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void TStringGrid::MouseMove(TShiftState shift, int x, int y) {
    if (selecting_ && (shift & ssLeft)) {
        int c = -1, r = -1;
        MouseToCell(x, y, c, r);
        if (c >= fixed_cols_ && r >= fixed_rows_) move_current(c, r, false);
    }
    TWinControl::MouseMove(shift, x, y);
}

void TStringGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    selecting_ = false;
    // The click of a press on a cell, wherever the drag ended.
    if (button == TMouseButton::mbLeft && click_pending_) {
        click_pending_ = false;
        Click();
    }
    TWinControl::MouseUp(button, shift, x, y);
}

bool TStringGrid::MouseWheel(TShiftState shift, int delta, TPoint pos) {
    if (TWinControl::MouseWheel(shift, delta, pos)) return true;
    SetTopRow(top_row_ + (delta < 0 ? 1 : -1) * 3);
    return true;
}

// ---------------------------------------------------------------------------

TTabControl::TTabControl(TComponent* owner) : TWinControl(owner) {
    TabStop = true;
    SetBounds(0, 0, 289, 24);
}

void TTabControl::AddTab(std::string_view text, intptr_t data, int image) { InsertTab(TabCount(), text, data, image); }

void TTabControl::InsertTab(int i, std::string_view text, intptr_t data, int image) {
    i = std::clamp(i, 0, TabCount());
    tabs_.insert(tabs_.begin() + i, TTabItem{std::string(text), image, data});
    if (tab_index_ >= i && tab_index_ >= 0) ++tab_index_;
    if (tab_index_ < 0) tab_index_ = 0;
    changed(Prop::Items);
}

void TTabControl::DeleteTab(int i) {
    if (i < 0 || i >= TabCount()) return;
    tabs_.erase(tabs_.begin() + i);
    if (tab_index_ > i || tab_index_ >= TabCount()) --tab_index_;
    if (first_visible_ >= TabCount()) first_visible_ = std::max(0, TabCount() - 1);
    changed(Prop::Items);
}

void TTabControl::MoveTab(int from, int to) {
    if (from == to || from < 0 || to < 0 || from >= TabCount() || to >= TabCount()) return;
    const TTabItem t = tabs_[static_cast<std::size_t>(from)];
    tabs_.erase(tabs_.begin() + from);
    tabs_.insert(tabs_.begin() + to, t);
    if (tab_index_ == from) tab_index_ = to;
    else if (from < tab_index_ && to >= tab_index_) --tab_index_;
    else if (from > tab_index_ && to <= tab_index_) ++tab_index_;
    changed(Prop::Items);
}

void TTabControl::SetTabText(int i, std::string_view text) {
    if (i < 0 || i >= TabCount()) return;
    tabs_[static_cast<std::size_t>(i)].Text = std::string(text);
    changed(Prop::Items);
}

void TTabControl::SetTabData(int i, intptr_t data) {
    if (i >= 0 && i < TabCount()) tabs_[static_cast<std::size_t>(i)].Data = data;
}

void TTabControl::SetTabImage(int i, int image) {
    if (i < 0 || i >= TabCount()) return;
    tabs_[static_cast<std::size_t>(i)].ImageIndex = image;
    changed(Prop::Items);
}

void TTabControl::ClearTabs() {
    tabs_.clear();
    tab_index_ = -1;
    first_visible_ = 0;
    changed(Prop::Items);
}

void TTabControl::SetTabIndex(int i) {
    if (i < -1 || i >= TabCount()) return;
    if (i == tab_index_) return;
    tab_index_ = i;
    changed(Prop::Selection);
}

int TTabControl::tab_height() const { return TabHeight > 0 ? TabHeight : text_height(font_) + 6; }

int TTabControl::tab_width(int i) const {
    if (TabWidth > 0) return TabWidth;
    return text_width(font_, tabs_[static_cast<std::size_t>(i)].Text) + 12 +
           (tabs_[static_cast<std::size_t>(i)].ImageIndex >= 0 ? 20 : 0);
}

TRect TTabControl::TabRect(int i) const {
    if (i < first_visible_ || i >= TabCount()) return {};
    int x = 2;
    for (int k = first_visible_; k < i; ++k) x += tab_width(k);
    return {x, 2, x + tab_width(i), 2 + tab_height()};
}

int TTabControl::IndexOfTabAt(int x, int y) const {
    for (int i = first_visible_; i < TabCount(); ++i) {
        const TRect r = TabRect(i);
        if (r.Left > width_) break;
        if (r.contains(x, y)) return i;
    }
    return -1;
}

void TTabControl::ScrollTabs(int delta) {
    const int f = std::clamp(first_visible_ + delta, 0, std::max(0, TabCount() - 1));
    if (f == first_visible_) return;
    first_visible_ = f;
    changed(Prop::Selection);
}

void TTabControl::PaintTo(TCanvas& canvas) {
    canvas_ = &canvas;
    try {
        canvas.Brush.Color = color_;
        canvas.Brush.Style = TBrushStyle::bsSolid;
        canvas.FillRect(ClientRect());
        for (int i = first_visible_; i < TabCount(); ++i) {
            const TRect r = TabRect(i);
            if (r.Left >= width_) break;
            const bool active = i == tab_index_;
            if (OwnerDraw && OnDrawTab) {
                fire(this, OnDrawTab, this, i, r, active);
            } else {
                canvas.Brush.Color = active ? clWindow : clBtnFace;
                canvas.Pen.Color = clGray;
                canvas.Rectangle(r);
                canvas.Font = font_;
                canvas.TextRect(r, r.Left + 6, r.Top + 3, tabs_[static_cast<std::size_t>(i)].Text);
            }
        }
    } catch (...) {
        canvas_ = nullptr;
        throw;
    }
    canvas_ = nullptr;
}

void TTabControl::user_select(int i) {
    if (i < 0 || i >= TabCount() || i == tab_index_) return;
    bool allow = true;
    fire(this, OnChanging, this, allow);
    if (!allow) return;
    SetTabIndex(i);
    fire(this, OnChange, this);
}

void TTabControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft) {
        const int i = IndexOfTabAt(x, y);
        if (i >= 0) user_select(i);
    }
    TWinControl::MouseDown(button, shift, x, y);
}
