// The table component's painting: each cell with its effective font,
// background, selection colours, alignment and word wrap, then the owner's
// OnDrawCell; and the hints of single cells.
#include "widgets/aligrid.h"

void TStringAlignGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
    TRect r = rect;
    paint_cell_background(col, row, state, r);
    paint_cell_text(col, row, state, r);
    fire(this, OnDrawCell, this, col, row, r, state);
}

void TStringAlignGrid::paint_cell_background(int col, int row, TGridDrawState state, TRect& rect) {
    TCanvas* canvas = Canvas();
    if (!canvas) return;
    canvas->Font = effective_font(col, row);
    canvas->Brush = effective_brush(col, row);
    if (draw_selection_ && (state & gdSelected) &&
        (!(state & gdFocused) || (Options & (goDrawFocusSelected | goRowSelect)))) {
        canvas->Brush.Color = selected_cell_colour(col, row);
        canvas->Font.Color = selected_font_colour(col, row);
    }
    // Without default drawing the owner paints with the font and brush set.
    if (!DefaultDrawing) return;
    canvas->FillRect(rect);
    // Where a grid line is left out the text may use its room. (The bottom
    // follows the vertical lines and the right the horizontal ones.)
    const bool fixed = (state & gdFixed) != 0;
    if (!(Options & (fixed ? goFixedVertLine : goVertLine))) rect.Bottom += GridLineWidth;
    if (!(Options & (fixed ? goFixedHorzLine : goHorzLine))) rect.Right += GridLineWidth;
    canvas->TextTransparent = true;
}

void TStringAlignGrid::paint_cell_text(int col, int row, TGridDrawState, TRect& rect) {
    TCanvas* canvas = Canvas();
    if (!canvas || !DefaultDrawing) return;
    rect.Left += 2;
    rect.Top += 2;
    rect.Right -= 2;
    rect.Bottom -= 2;
    unsigned flags = DT_NOPREFIX;
    switch (cell_alignment(col, row)) {
        case alRight: flags |= DT_RIGHT; break;
        case alCenter: flags |= DT_CENTER; break;
        default: flags |= DT_LEFT; break;
    }
    switch (cell_wordwrap(col, row)) {
        case ww_wordwrap: flags |= DT_WORDBREAK; break;
        case ww_ellipsis: flags |= DT_END_ELLIPSIS; break;
        default: break;
    }
    const std::string& text = Cells(col, row);
    if (text.empty()) return;
    // The text stays inside its rectangle.
    canvas->SetClipRect(rect);
    TRect area = rect;
    canvas->DrawText(text, area, flags);
    canvas->ResetClip();
}

bool TStringAlignGrid::HintAt(int x, int y, std::string& text, THintInfo& info) {
    if (!ShowCellHints) return TStringGrid::HintAt(x, y, text, info);
    int col = -1, row = -1;
    MouseToCell(x, y, col, row);
    hint_col_ = col;
    hint_row_ = row;
    const TRect rc = CellRect(col, row);
    info.HintPos = {rc.Left, rc.Bottom + 6};
    info.CursorRect = rc;
    text = cell_hint(col, row);
    bool can_show = true;
    fire(this, OnShowHintCell, this, col, row, text, can_show, info);
    return can_show && !text.empty();
}

void TStringAlignGrid::MouseMove(TShiftState shift, int x, int y) {
    // A move off the cell whose hint shows hides it, so that the next rest
    // of the mouse asks again.
    if (hint_col_ >= 0 || hint_row_ >= 0) {
        int col = -1, row = -1;
        MouseToCell(x, y, col, row);
        if (col != hint_col_ || row != hint_row_) {
            hint_col_ = hint_row_ = -1;
            CancelHint();
        }
    }
    TStringGrid::MouseMove(shift, x, y);
}
