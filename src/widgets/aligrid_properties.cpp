// The table component's property records and how a cell's effective
// alignment, word wrap, editability, font, background, selection colours
// and hint are found.
#include "widgets/aligrid.h"

#include <utility>

// --- TCellProperties -------------------------------------------------------------

namespace {

template <class T>
void copy_into(std::unique_ptr<T>& own, const T* source) {
    if (!source) {
        own.reset();
        return;
    }
    if (!own) own = std::make_unique<T>();
    *own = *source;
}

}  // namespace

void TCellProperties::set_brush(const TBrush* b) { copy_into(brush_, b); }
void TCellProperties::set_selected_brush(const TBrush* b) { copy_into(selected_brush_, b); }
void TCellProperties::set_font(const TFont* f) { copy_into(font_, f); }
void TCellProperties::set_selected_font(const TFont* f) { copy_into(selected_font_, f); }

void TCellProperties::assign(const TCellProperties* source) {
    if (!source) {
        Alignment = alDefault;
        Wordwrap = ww_default;
        Editable = 0;
        brush_.reset();
        selected_brush_.reset();
        font_.reset();
        selected_font_.reset();
        return;
    }
    if (source == this) return;
    Alignment = source->Alignment;
    Wordwrap = source->Wordwrap;
    Editable = source->Editable;
    set_brush(source->brush());
    set_selected_brush(source->selected_brush());
    set_font(source->font());
    set_selected_font(source->selected_font());
}

bool TCellProperties::is_empty() const {
    return Alignment == alDefault && Wordwrap == ww_default && Editable == 0 && !font_ && !brush_;
}

std::unique_ptr<TCellProperties> TCellProperties::clone() const {
    auto copy = std::make_unique<TCellProperties>(owner_);
    copy->assign(this);
    return copy;
}

// --- the grid --------------------------------------------------------------------

TStringAlignGrid::TStringAlignGrid(TComponent* owner) : TStringGrid(owner) {
    init_properties();
    create_editor();
    // The built-in comparisons: the texts' bytes, unsigned, a text before
    // the longer texts it begins.
    auto compare = [](const std::string& a, const std::string& b) {
        const int c = a.compare(b);
        return c < 0 ? 2 : (c == 0 ? 1 : 0);
    };
    OnCompareCol = [this, compare](TObject*, int col, int a, int b) { return compare(Cells(col, a), Cells(col, b)); };
    OnCompareRow = [this, compare](TObject*, int row, int a, int b) { return compare(Cells(a, row), Cells(b, row)); };
}

TStringAlignGrid::~TStringAlignGrid() = default;

void TStringAlignGrid::init_properties() {
    col_props_.clear();
    row_props_.clear();
    fixed_col_props_.clear();
    fixed_row_props_.clear();
    cell_props_.clear();
    cell_hints_.clear();
    // The fixed cells' font is the platform's default font, not the grid's.
    fixed_font_ = TFont{};
    alignment_ = alLeft;
    wordwrap_ = ww_none;
    Editable = true;
    selected_cell_colour_ = clActiveCaption;
    selected_font_colour_ = clWhite;
    ShowCellHints = true;
    draw_selection_ = true;
    SelectEditText = true;
    EditMultiline = false;
    AutoEditNextCell = false;
    NextCellEdit = nc_rightdown;
    NextCellTab = nc_rightdown;
    AfterLastCellEdit = lc_newcolrow;
    AfterLastCellTab = lc_first;
    auto_adjust_last_col_ = false;
    RedrawWhileScroll = false;
    hint_col_ = hint_row_ = -1;
}

const TCellProperties* TStringAlignGrid::at(const Store& s, int i) {
    if (i < 0 || i >= static_cast<int>(s.size())) return nullptr;
    return s[static_cast<std::size_t>(i)].get();
}

TCellProperties& TStringAlignGrid::make(Store& s, int i) {
    // A negative index has no record: what is written there goes nowhere.
    if (i < 0) {
        scratch_ = std::make_unique<TCellProperties>(this);
        return *scratch_;
    }
    if (i >= static_cast<int>(s.size())) s.resize(static_cast<std::size_t>(i) + 1);
    auto& slot = s[static_cast<std::size_t>(i)];
    if (!slot) slot = std::make_unique<TCellProperties>(this);
    return *slot;
}

const TCellProperties* TStringAlignGrid::cell_record(int col, int row) const {
    if (col < 0 || col >= static_cast<int>(cell_props_.size())) return nullptr;
    return at(cell_props_[static_cast<std::size_t>(col)], row);
}

void TStringAlignGrid::path(int col, int row, const TCellProperties* (&out)[3]) const {
    const bool fixed = fixed_cell(col, row);
    out[0] = cell_record(col, row);
    out[1] = at(fixed ? fixed_col_props_ : col_props_, col);
    out[2] = at(fixed ? fixed_row_props_ : row_props_, row);
}

TCellProperties& TStringAlignGrid::cell_properties(int col, int row) {
    if (col < 0) return make(col_props_, -1);
    if (col >= static_cast<int>(cell_props_.size())) cell_props_.resize(static_cast<std::size_t>(col) + 1);
    TCellProperties& p = make(cell_props_[static_cast<std::size_t>(col)], row);
    Invalidate();
    return p;
}

TCellProperties& TStringAlignGrid::col_properties(int col) {
    Invalidate();
    return make(col_props_, col);
}

TCellProperties& TStringAlignGrid::row_properties(int row) {
    Invalidate();
    return make(row_props_, row);
}

TCellProperties& TStringAlignGrid::fixed_col_properties(int col) {
    Invalidate();
    return make(fixed_col_props_, col);
}

TCellProperties& TStringAlignGrid::fixed_row_properties(int row) {
    Invalidate();
    return make(fixed_row_props_, row);
}

// --- grid-wide properties ----------------------------------------------------------

void TStringAlignGrid::SetAlignment(TMyAlign a) {
    alignment_ = a;
    Invalidate();
}

void TStringAlignGrid::SetWordwrap(T_Wordwrap w) {
    wordwrap_ = w;
    Invalidate();
}

void TStringAlignGrid::SetFixedColor(TColor c) {
    FixedColor = c;
    Invalidate();
}

void TStringAlignGrid::SetSelectedCellColor(TColor c) {
    selected_cell_colour_ = c;
    Invalidate();
}

void TStringAlignGrid::SetSelectedFontColor(TColor c) {
    selected_font_colour_ = c;
    Invalidate();
}

void TStringAlignGrid::SetDrawSelection(bool on) {
    draw_selection_ = on;
    Invalidate();
}

// --- alignment, word wrap, editability ---------------------------------------------

TMyAlign TStringAlignGrid::cell_alignment(int col, int row) const {
    const TCellProperties* p[3];
    path(col, row, p);
    for (const TCellProperties* r : p)
        if (r && r->Alignment != alDefault) return r->Alignment;
    return alignment_ == alDefault ? alLeft : alignment_;
}

void TStringAlignGrid::set_cell_alignment(int col, int row, TMyAlign a) { cell_properties(col, row).Alignment = a; }
void TStringAlignGrid::set_col_alignment(int col, TMyAlign a) { col_properties(col).Alignment = a; }
void TStringAlignGrid::set_row_alignment(int row, TMyAlign a) { row_properties(row).Alignment = a; }
void TStringAlignGrid::set_fixed_col_alignment(int col, TMyAlign a) { fixed_col_properties(col).Alignment = a; }
void TStringAlignGrid::set_fixed_row_alignment(int row, TMyAlign a) { fixed_row_properties(row).Alignment = a; }

void TStringAlignGrid::reset_cell_alignment(int col, int row) {
    if (auto* p = const_cast<TCellProperties*>(cell_record(col, row))) p->Alignment = alDefault;
    Invalidate();
}

void TStringAlignGrid::reset_cell_alignments() {
    for (auto& column : cell_props_)
        for (auto& p : column)
            if (p) p->Alignment = alDefault;
    Invalidate();
}

T_Wordwrap TStringAlignGrid::cell_wordwrap(int col, int row) const {
    const TCellProperties* p[3];
    path(col, row, p);
    for (const TCellProperties* r : p)
        if (r && r->Wordwrap != ww_default) return r->Wordwrap;
    return wordwrap_ == ww_default ? ww_none : wordwrap_;
}

void TStringAlignGrid::reset_cell_wordwrap(int col, int row) {
    if (auto* p = const_cast<TCellProperties*>(cell_record(col, row))) p->Wordwrap = ww_default;
    Invalidate();
}

void TStringAlignGrid::reset_cell_wordwraps() {
    for (auto& column : cell_props_)
        for (auto& p : column)
            if (p) p->Wordwrap = ww_default;
    Invalidate();
}

bool TStringAlignGrid::cell_editable(int col, int row) const {
    const TCellProperties* p[3];
    path(col, row, p);
    for (const TCellProperties* r : p)
        if (r && r->Editable != 0) return r->Editable == 2;
    return Editable;
}

void TStringAlignGrid::set_cell_editable(int col, int row, bool editable) {
    // No repaint: editability does not show.
    if (col < 0) return;
    if (col >= static_cast<int>(cell_props_.size())) cell_props_.resize(static_cast<std::size_t>(col) + 1);
    make(cell_props_[static_cast<std::size_t>(col)], row).Editable = editable ? 2 : 1;
}

void TStringAlignGrid::set_col_editable(int col, bool editable) { make(col_props_, col).Editable = editable ? 2 : 1; }

void TStringAlignGrid::set_row_editable(int row, bool editable) { make(row_props_, row).Editable = editable ? 2 : 1; }

void TStringAlignGrid::reset_cell_editable(int col, int row) {
    if (auto* p = const_cast<TCellProperties*>(cell_record(col, row))) p->Editable = 0;
}

void TStringAlignGrid::reset_cells_editable() {
    for (auto& column : cell_props_)
        for (auto& p : column)
            if (p) p->Editable = 0;
}

// --- fonts -------------------------------------------------------------------------

namespace {

// The record's own font, made as a copy of `base` when it has none.
TMyFont& own_font(TCellProperties& p, const TFont& base) {
    if (!p.font()) p.set_font(&base);
    return *p.own_font();
}

TMyBrush& own_brush(TCellProperties& p, const TBrush& base) {
    if (!p.brush()) p.set_brush(&base);
    return *p.own_brush();
}

}  // namespace

TMyFont& TStringAlignGrid::cell_font(int col, int row) { return own_font(cell_properties(col, row), font_); }
TMyFont& TStringAlignGrid::col_font(int col) { return own_font(col_properties(col), font_); }
TMyFont& TStringAlignGrid::row_font(int row) { return own_font(row_properties(row), font_); }
TMyFont& TStringAlignGrid::fixed_col_font(int col) { return own_font(fixed_col_properties(col), font_); }
TMyFont& TStringAlignGrid::fixed_row_font(int row) { return own_font(fixed_row_properties(row), font_); }

void TStringAlignGrid::reset_cell_font(int col, int row) {
    if (auto* p = const_cast<TCellProperties*>(cell_record(col, row))) p->set_font(nullptr);
    Invalidate();
}

void TStringAlignGrid::reset_row_font(int row) {
    if (auto* p = const_cast<TCellProperties*>(at(row_props_, row))) p->set_font(nullptr);
    Invalidate();
}

void TStringAlignGrid::reset_cell_fonts() {
    for (auto& column : cell_props_)
        for (auto& p : column)
            if (p) p->set_font(nullptr);
    Invalidate();
}

const TFont& TStringAlignGrid::effective_font(int col, int row) const {
    const TCellProperties* p[3];
    path(col, row, p);
    for (const TCellProperties* r : p)
        if (r && r->font()) return *r->font();
    return fixed_cell(col, row) ? fixed_font_ : font_;
}

// --- backgrounds -------------------------------------------------------------------

TMyBrush& TStringAlignGrid::cell_brush(int col, int row) {
    return own_brush(cell_properties(col, row), TBrush{color_, TBrushStyle::bsSolid});
}
TMyBrush& TStringAlignGrid::col_brush(int col) { return own_brush(col_properties(col), TBrush{color_, TBrushStyle::bsSolid}); }
TMyBrush& TStringAlignGrid::row_brush(int row) { return own_brush(row_properties(row), TBrush{color_, TBrushStyle::bsSolid}); }
TMyBrush& TStringAlignGrid::fixed_col_brush(int col) {
    return own_brush(fixed_col_properties(col), TBrush{color_, TBrushStyle::bsSolid});
}
TMyBrush& TStringAlignGrid::fixed_row_brush(int row) {
    return own_brush(fixed_row_properties(row), TBrush{color_, TBrushStyle::bsSolid});
}

TBrush TStringAlignGrid::effective_brush(int col, int row) const {
    const TCellProperties* p[3];
    path(col, row, p);
    for (const TCellProperties* r : p)
        if (r && r->brush()) return *r->brush();
    return TBrush{fixed_cell(col, row) ? FixedColor : color_, TBrushStyle::bsSolid};
}

TColor TStringAlignGrid::cell_colour(int col, int row) const { return effective_brush(col, row).Color; }

void TStringAlignGrid::set_cell_colour(int col, int row, TColor c) { cell_brush(col, row).Color = c; }
void TStringAlignGrid::set_col_colour(int col, TColor c) { col_brush(col).Color = c; }
void TStringAlignGrid::set_row_colour(int row, TColor c) { row_brush(row).Color = c; }

TColor TStringAlignGrid::col_colour(int col) const {
    const TCellProperties* p = at(col_props_, col);
    return p && p->brush() ? p->brush()->Color : color_;
}

void TStringAlignGrid::reset_cell_colour(int col, int row) {
    if (auto* p = const_cast<TCellProperties*>(cell_record(col, row))) p->set_brush(nullptr);
    Invalidate();
}

void TStringAlignGrid::reset_col_colour(int col) {
    if (auto* p = const_cast<TCellProperties*>(at(col_props_, col))) p->set_brush(nullptr);
    Invalidate();
}

void TStringAlignGrid::reset_row_colour(int row) {
    if (auto* p = const_cast<TCellProperties*>(at(row_props_, row))) p->set_brush(nullptr);
    Invalidate();
}

void TStringAlignGrid::reset_cell_colours() {
    for (auto& column : cell_props_)
        for (auto& p : column)
            if (p) p->set_brush(nullptr);
    Invalidate();
}

void TStringAlignGrid::reset_col_colours() {
    for (auto& p : col_props_)
        if (p) p->set_brush(nullptr);
    Invalidate();
}

void TStringAlignGrid::reset_row_colours() {
    for (auto& p : row_props_)
        if (p) p->set_brush(nullptr);
    Invalidate();
}

// --- selection colours: the cell's, the column's, the row's record, fixed or not --

TColor TStringAlignGrid::selected_cell_colour(int col, int row) const {
    for (const TCellProperties* r : {cell_record(col, row), at(col_props_, col), at(row_props_, row)})
        if (r && r->selected_brush()) return r->selected_brush()->Color;
    return selected_cell_colour_;
}

TColor TStringAlignGrid::selected_font_colour(int col, int row) const {
    for (const TCellProperties* r : {cell_record(col, row), at(col_props_, col), at(row_props_, row)})
        if (r && r->selected_font()) return r->selected_font()->Color;
    return selected_font_colour_;
}

void TStringAlignGrid::set_cell_selected_colour(int col, int row, TColor c) {
    const TBrush b{c, TBrushStyle::bsSolid};
    cell_properties(col, row).set_selected_brush(&b);
}

void TStringAlignGrid::set_col_selected_colour(int col, TColor c) {
    const TBrush b{c, TBrushStyle::bsSolid};
    col_properties(col).set_selected_brush(&b);
}

void TStringAlignGrid::set_row_selected_colour(int row, TColor c) {
    const TBrush b{c, TBrushStyle::bsSolid};
    row_properties(row).set_selected_brush(&b);
}

// --- hints -------------------------------------------------------------------------

std::string TStringAlignGrid::cell_hint(int col, int row) const {
    if (col < 0 || row < 0 || col >= static_cast<int>(cell_hints_.size())) return {};
    const auto& column = cell_hints_[static_cast<std::size_t>(col)];
    if (row >= static_cast<int>(column.size()) || !column[static_cast<std::size_t>(row)]) return {};
    return *column[static_cast<std::size_t>(row)];
}

void TStringAlignGrid::set_cell_hint(int col, int row, std::string_view text) {
    if (col < 0 || row < 0) return;
    if (col >= static_cast<int>(cell_hints_.size())) cell_hints_.resize(static_cast<std::size_t>(col) + 1);
    auto& column = cell_hints_[static_cast<std::size_t>(col)];
    if (row >= static_cast<int>(column.size())) column.resize(static_cast<std::size_t>(row) + 1);
    column[static_cast<std::size_t>(row)] = std::string(text);
}

void TStringAlignGrid::reset_all_properties() {
    for (auto& column : cell_props_)
        for (auto& p : column)
            if (p) {
                p->Alignment = alDefault;
                p->Wordwrap = ww_default;
                p->Editable = 0;
                p->set_font(nullptr);
                p->set_brush(nullptr);
            }
    Invalidate();
}
