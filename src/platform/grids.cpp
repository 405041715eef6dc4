#include "platform/grids.h"

#include <algorithm>

#include "platform/sysutils.h"

namespace {
const std::string empty_text;
}

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
    cell_colors_.resize(static_cast<std::size_t>(row_count_));
    for (auto& r : cell_colors_) r.resize(static_cast<std::size_t>(col_count_), clNone);
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

TColor TStringGrid::CellColor(int col, int row) const {
    if (col < 0 || row < 0 || col >= col_count_ || row >= row_count_) return clNone;
    return cell_colors_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void TStringGrid::SetCellColor(int col, int row, TColor c) {
    if (col < 0 || row < 0 || col >= col_count_ || row >= row_count_) return;
    cell_colors_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = c;
    changed(Prop::Repaint);
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

void TStringGrid::SetDefaultColWidth(int w) {
    default_col_width_ = w;
    std::fill(col_widths_.begin(), col_widths_.end(), w);
    changed(Prop::Value);
}

void TStringGrid::SetDefaultRowHeight(int h) {
    default_row_height_ = h;
    std::fill(row_heights_.begin(), row_heights_.end(), h);
    changed(Prop::Value);
}

int TStringGrid::ColWidths(int col) const {
    return col >= 0 && col < col_count_ ? col_widths_[static_cast<std::size_t>(col)] : default_col_width_;
}

int TStringGrid::RowHeights(int row) const {
    return row >= 0 && row < row_count_ ? row_heights_[static_cast<std::size_t>(row)] : default_row_height_;
}

void TStringGrid::SetColWidth(int col, int w) {
    if (col < 0 || col >= col_count_) return;
    col_widths_[static_cast<std::size_t>(col)] = w;
    changed(Prop::Value);
}

void TStringGrid::SetRowHeight(int row, int h) {
    if (row < 0 || row >= row_count_) return;
    row_heights_[static_cast<std::size_t>(row)] = h;
    changed(Prop::Value);
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

bool TStringGrid::FocusCell(int col, int row, bool move_anchor) {
    if (col < 0 || row < 0 || col >= col_count_ || row >= row_count_) throw Exception("Grid index out of range");
    if (col == col_ && row == row_ && (!move_anchor || (anchor_col_ == col && anchor_row_ == row))) return true;
    bool can = true;
    fire(this, OnSelectCell, this, col, row, can);
    if (!can) return false;
    if (editor_mode_ && !(Options & goAlwaysShowEditor)) editor_mode_ = false;
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

void TStringGrid::SetSelection(const TGridRect& r) {
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

int TStringGrid::VisibleRowCount() const {
    int y = 0;
    for (int r = 0; r < fixed_rows_; ++r) y += RowHeights(r) + GridLineWidth;
    int n = 0;
    for (int r = top_row_; r < row_count_; ++r) {
        y += RowHeights(r) + GridLineWidth;
        if (y > height_) break;
        ++n;
    }
    return std::max(n, 1);
}

int TStringGrid::VisibleColCount() const {
    int x = 0;
    for (int c = 0; c < fixed_cols_; ++c) x += ColWidths(c) + GridLineWidth;
    int n = 0;
    for (int c = left_col_; c < col_count_; ++c) {
        x += ColWidths(c) + GridLineWidth;
        if (x > width_) break;
        ++n;
    }
    return std::max(n, 1);
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

void TStringGrid::MouseToCell(int x, int y, int& col, int& row) const {
    col = -1;
    row = -1;
    auto find = [this](int p, int fixed, int first, int count, bool cols) {
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
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    col = find(x, fixed_cols_, left_col_, col_count_, true);
    row = find(y, fixed_rows_, top_row_, row_count_, false);
    if (col < 0 || row < 0) col = row = -1;
}

bool TStringGrid::CanEditShow() const {
    return (Options & goEditing) && !(Options & goRowSelect) && col_ >= fixed_cols_ && row_ >= fixed_rows_;
}

void TStringGrid::ShowEditor() {
    if (!CanEditShow()) return;
    std::string value = Cells(col_, row_);
    fire(this, OnGetEditText, this, col_, row_, value);
    editor_text_ = value;
    editor_mode_ = true;
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

void TStringGrid::SetEditorText(std::string_view t) {
    if (!editor_mode_) return;
    editor_text_ = std::string(t);
    fire(this, OnSetEditText, this, col_, row_, editor_text_);
    SetCell(col_, row_, editor_text_);
}

void TStringGrid::MoveColumn(int from, int to) {
    if (from == to || from < 0 || to < 0 || from >= col_count_ || to >= col_count_) return;
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
    for (auto& r : cell_colors_) {
        auto v = r[static_cast<std::size_t>(from)];
        r.erase(r.begin() + from);
        r.insert(r.begin() + to, v);
    }
    const int w = col_widths_[static_cast<std::size_t>(from)];
    col_widths_.erase(col_widths_.begin() + from);
    col_widths_.insert(col_widths_.begin() + to, w);
    changed(Prop::Value);
    fire(this, OnColumnMoved, this, from, to);
}

void TStringGrid::MoveRow(int from, int to) {
    if (from == to || from < 0 || to < 0 || from >= row_count_ || to >= row_count_) return;
    auto c = cells_[static_cast<std::size_t>(from)];
    cells_.erase(cells_.begin() + from);
    cells_.insert(cells_.begin() + to, c);
    auto o = objects_[static_cast<std::size_t>(from)];
    objects_.erase(objects_.begin() + from);
    objects_.insert(objects_.begin() + to, o);
    auto cc = cell_colors_[static_cast<std::size_t>(from)];
    cell_colors_.erase(cell_colors_.begin() + from);
    cell_colors_.insert(cell_colors_.begin() + to, cc);
    const int h = row_heights_[static_cast<std::size_t>(from)];
    row_heights_.erase(row_heights_.begin() + from);
    row_heights_.insert(row_heights_.begin() + to, h);
    changed(Prop::Value);
    fire(this, OnRowMoved, this, from, to);
}

void TStringGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
    if (DefaultDrawing && canvas_) {
        canvas_->Brush.Style = TBrushStyle::bsSolid;
        if (state & gdFixed) canvas_->Brush.Color = FixedColor;
        else if ((state & gdSelected) && !((state & gdFocused) && !(Options & goDrawFocusSelected)))
            canvas_->Brush.Color = clHighlight;
        else if (CellColor(col, row) != clNone) canvas_->Brush.Color = CellColor(col, row);
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
    canvas_ = &canvas;
    try {
        for (int r = 0; r < row_count_; ++r) {
            if (r >= fixed_rows_ && r < top_row_) continue;
            const TRect probe = CellRect(fixed_cols_ < col_count_ ? fixed_cols_ : 0, r);
            if (probe.Top >= height_) break;
            for (int c = 0; c < col_count_; ++c) {
                const TRect rc = CellRect(c, r);
                if (rc.Width() <= 0 && rc.Height() <= 0) continue;
                if (rc.Left >= width_) break;
                TGridDrawState st = 0;
                if (c < fixed_cols_ || r < fixed_rows_) st |= gdFixed;
                else {
                    if (c >= selection_.Left && c <= selection_.Right && r >= selection_.Top && r <= selection_.Bottom)
                        st |= gdSelected;
                    if (c == col_ && r == row_) st |= gdFocused;
                }
                DrawCell(c, r, rc, st);
            }
        }
    } catch (...) {
        canvas_ = nullptr;
        throw;
    }
    canvas_ = nullptr;
}

void TStringGrid::KeyDownDefault(Word& key, TShiftState shift) {
    if (editor_mode_) {
        if (key == VK_ESCAPE) {
            HideEditor();
            return;
        }
        if (key == VK_RETURN) {
            HideEditor();
            return;
        }
        if (key != VK_UP && key != VK_DOWN && key != VK_PRIOR && key != VK_NEXT && key != VK_TAB) return;
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
            return;
        case VK_RETURN:
            if (Options & goEditing) ShowEditor();
            return;
        default: return;
    }
    c = std::clamp(c, fixed_cols_, col_count_ - 1);
    r = std::clamp(r, fixed_rows_, row_count_ - 1);
    FocusCell(c, r, !extend);
}

void TStringGrid::KeyPressDefault(char& key) {
    if (!(Options & goEditing)) return;
    const auto k = static_cast<unsigned char>(key);
    if (!editor_mode_) {
        if (k < 32) return;
        ShowEditor();
        if (!editor_mode_) return;
        SetEditorText(std::string(1, key));
        return;
    }
    if (key == '\b') {
        if (!editor_text_.empty()) SetEditorText(editor_text_.substr(0, editor_text_.size() - 1));
        return;
    }
    if (k < 32) return;
    SetEditorText(editor_text_ + key);
}

void TStringGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft) {
        int c = -1, r = -1;
        MouseToCell(x, y, c, r);
        if (c >= fixed_cols_ && r >= fixed_rows_) {
            const bool extend = (shift & ssShift) && (Options & goRangeSelect);
            if (FocusCell(c, r, !extend)) selecting_ = (Options & goRangeSelect) != 0;
        }
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void TStringGrid::MouseMove(TShiftState shift, int x, int y) {
    if (selecting_ && (shift & ssLeft)) {
        int c = -1, r = -1;
        MouseToCell(x, y, c, r);
        if (c >= fixed_cols_ && r >= fixed_rows_) FocusCell(c, r, false);
    }
    TWinControl::MouseMove(shift, x, y);
}

void TStringGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    selecting_ = false;
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
