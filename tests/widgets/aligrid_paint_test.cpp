// The table component's painting, read from a recording canvas, and its
// cell hints.
#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "platform/cp1250.h"
#include "platform/input.h"
#include "support/toolkit_fixture.h"
#include "widgets/aligrid.h"

namespace {

using Op = RecordingCanvas::Op;

// What one cell painted: its own operations in order, and what the owner's
// OnDrawCell got (with the canvas's font and brush at that moment).
struct Painted {
    std::vector<Op> ops;
    TRect event_rect;
    TGridDrawState state = 0;
    TFont event_font;
    TBrush event_brush;
    std::vector<std::string> kinds() const {
        std::vector<std::string> k;
        for (const Op& op : ops) k.push_back(op.kind);
        return k;
    }
    const Op* first(const std::string& kind) const {
        for (const Op& op : ops)
            if (op.kind == kind) return &op;
        return nullptr;
    }
};

class AlignGridPaint : public ToolkitTest {
protected:
    TForm* form = make_form();
    TStringAlignGrid* grid = [this] {
        auto* g = new TStringAlignGrid(form);
        g->SetParent(form);
        g->SetBounds(0, 0, 400, 200);
        g->SetColCount(4);
        g->SetRowCount(4);
        return g;
    }();
    RecordingCanvas canvas;

    // Paints the grid; the grid lines come first (two strips per cell), then
    // each cell up to its OnDrawCell.
    std::map<std::pair<int, int>, Painted> paint() {
        canvas.ops.clear();
        std::vector<std::pair<std::pair<int, int>, Painted>> order;
        std::vector<std::size_t> ends;
        grid->OnDrawCell = [&](TObject*, int c, int r, TRect rect, TGridDrawState st) {
            Painted p;
            p.event_rect = rect;
            p.state = st;
            p.event_font = grid->Canvas()->Font;
            p.event_brush = grid->Canvas()->Brush;
            order.push_back({{c, r}, p});
            ends.push_back(canvas.ops.size());
        };
        grid->PaintTo(canvas);
        std::map<std::pair<int, int>, Painted> out;
        std::size_t begin = grid->GridLineWidth > 0 ? 2 * order.size() : 0;
        for (std::size_t i = 0; i < order.size(); ++i) {
            Painted p = order[i].second;
            p.ops.assign(canvas.ops.begin() + static_cast<std::ptrdiff_t>(begin),
                         canvas.ops.begin() + static_cast<std::ptrdiff_t>(ends[i]));
            begin = ends[i];
            out[order[i].first] = p;
        }
        return out;
    }
};

TEST_F(AlignGridPaint, ACellFillsThenWritesItsTextThenTheOwnerPaintsWithItsFontAndBrush) {
    grid->FocusCell(3, 3, true);  // (1, 1) is not selected
    grid->SetCell(1, 1, "abc");
    grid->set_cell_colour(1, 1, clYellow);
    grid->cell_font(1, 1).Color = clRed;
    const TRect cell = grid->CellRect(1, 1);
    const Painted p = paint()[{1, 1}];
    EXPECT_EQ(p.kinds(), (std::vector<std::string>{"fill", "clip", "drawtext", "noclip"}));
    EXPECT_EQ(p.ops[0].args, (std::vector<int>{cell.Left, cell.Top, cell.Right, cell.Bottom}));
    EXPECT_EQ(p.ops[0].brush.Color, clYellow);
    const Op& text = p.ops[2];
    EXPECT_EQ(text.text, "abc");
    EXPECT_EQ(text.args, (std::vector<int>{cell.Left + 2, cell.Top + 2}));
    EXPECT_EQ(text.font.Color, clRed);
    EXPECT_TRUE(text.transparent) << "the text leaves the fill showing";
    EXPECT_EQ(p.event_rect, (TRect{cell.Left + 2, cell.Top + 2, cell.Right - 2, cell.Bottom - 2}));
    EXPECT_EQ(p.event_font.Color, clRed);
    EXPECT_EQ(p.event_brush.Color, clYellow);

    const Painted header = paint()[{1, 0}];
    EXPECT_EQ(header.ops[0].brush.Color, clBtnFace);
    EXPECT_EQ(header.state, static_cast<TGridDrawState>(gdFixed));
}

TEST_F(AlignGridPaint, SelectedCellsTakeTheSelectionColoursAsTheOptionsSay) {
    grid->SetSelectedCellColor(clNavy);
    grid->SetSelectedFontColor(clYellow);
    grid->set_cell_colour(1, 1, clCream);
    grid->set_cell_colour(2, 1, clCream);
    grid->SetFocus();
    // (1, 1) is selected; (2, 1) is selected and the focused cell.
    grid->SetSelection(TGridRect{1, 1, 2, 1});
    struct Case {
        TGridOptions extra;
        bool draw_selection;
        TColor plain, focused;
        const char* what;
    } cases[] = {
        {0, true, clNavy, clCream, "the focused cell keeps its colours"},
        {goDrawFocusSelected, true, clNavy, clNavy, "goDrawFocusSelected colours the focused cell"},
        {goRowSelect, true, clNavy, clNavy, "so does goRowSelect"},
        {goDrawFocusSelected, false, clCream, clCream, "DrawSelection off: the cells' own colours"},
    };
    const TGridOptions base = grid->Options;
    for (const Case& c : cases) {
        grid->Options = base | c.extra;
        grid->SetDrawSelection(c.draw_selection);
        auto cells = paint();
        const Painted& plain = cells[std::pair(1, 1)];
        const Painted& focused = cells[std::pair(2, 1)];
        EXPECT_EQ(plain.ops[0].brush.Color, c.plain) << c.what;
        EXPECT_EQ(focused.ops[0].brush.Color, c.focused) << c.what;
        const bool selected_colours = c.plain == clNavy;
        EXPECT_EQ(plain.event_font.Color, selected_colours ? clYellow : grid->Font().Color) << c.what;
        EXPECT_TRUE(focused.state & gdFocused);
    }
}

TEST_F(AlignGridPaint, WithoutDefaultDrawingTheOwnerGetsTheWholeCellAndNothingIsFilled) {
    grid->SetCell(2, 2, "x");
    grid->set_cell_colour(2, 2, clAqua);
    grid->cell_font(2, 2).Style = fsBold;
    grid->DefaultDrawing = false;
    const Painted p = paint()[{2, 2}];
    EXPECT_TRUE(p.ops.empty());
    EXPECT_EQ(p.event_rect, grid->CellRect(2, 2));
    EXPECT_EQ(p.event_brush.Color, clAqua);
    EXPECT_EQ(p.event_font.Style, static_cast<TFontStyles>(fsBold));
}

TEST_F(AlignGridPaint, TheTextUsesTheRoomOfALeftOutGridLine) {
    grid->SetGridLineWidth(3);
    grid->SetCell(1, 1, "x");
    grid->set_cell_alignment(1, 1, alRight);
    const TRect cell = grid->CellRect(1, 1);
    const int w = text_width(grid->Font(), "x");
    struct Case {
        TGridOptions options;
        int right, bottom;
    } cases[] = {
        {goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine, cell.Right - 2, cell.Bottom - 2},
        {goFixedVertLine | goFixedHorzLine | goVertLine, cell.Right + 3 - 2, cell.Bottom - 2},
        {goFixedVertLine | goFixedHorzLine | goHorzLine, cell.Right - 2, cell.Bottom + 3 - 2},
    };
    for (const Case& c : cases) {
        grid->Options = c.options;
        const Painted p = paint()[{1, 1}];
        EXPECT_EQ(p.event_rect.Right, c.right);
        EXPECT_EQ(p.event_rect.Bottom, c.bottom);
        EXPECT_EQ(p.first("drawtext")->args[0], c.right - w) << "right-aligned text ends at the rectangle";
        EXPECT_EQ(p.ops[0].args, (std::vector<int>{cell.Left, cell.Top, cell.Right, cell.Bottom})) << "the fill is not widened";
    }
}

TEST_F(AlignGridPaint, AlignmentWordWrapEllipsisAndAmpersands) {
    grid->SetColWidth(1, 40);
    grid->SetRowHeight(1, 60);
    struct Case {
        TMyAlign align;
        T_Wordwrap wrap;
        const char* text;
        unsigned flags;
        std::vector<std::string> lines;
    } cases[] = {
        {alLeft, ww_none, "R&D", DT_LEFT, {"R&D"}},
        {alRight, ww_none, "12.5", DT_RIGHT, {"12.5"}},
        {alCenter, ww_none, "a\r\nb", DT_CENTER, {"a", "b"}},
        {alLeft, ww_wordwrap, "alpha beta gamma", DT_LEFT | DT_WORDBREAK, {"alpha", "beta", "gamma"}},
        {alLeft, ww_ellipsis, "Rzędna terenu istniejącego"_cp, DT_LEFT | DT_END_ELLIPSIS, {}},
    };
    for (const Case& c : cases) {
        grid->SetCell(1, 1, c.text);
        grid->set_cell_alignment(1, 1, c.align);
        grid->cell_properties(1, 1).Wordwrap = c.wrap;
        std::vector<std::string> lines;
        const Painted p = paint()[{1, 1}];
        for (const Op& op : p.ops)
            if (op.kind == "drawtext") {
                EXPECT_EQ(op.flags, c.flags | DT_NOPREFIX) << c.text;
                lines.push_back(op.text);
            }
        if (c.wrap == ww_ellipsis) {
            ASSERT_EQ(lines.size(), 1u);
            EXPECT_EQ(lines[0].substr(lines[0].size() - 3), "...");
            EXPECT_LE(text_width(grid->Font(), lines[0]), 40 - 4);
        } else {
            EXPECT_EQ(lines, c.lines) << c.text;
        }
    }
}

TEST_F(AlignGridPaint, GridLinesFollowTheOptionsAndTheLineWidth) {
    grid->SetColor(clCream);
    grid->SetGridLineWidth(2);
    grid->Options = goFixedVertLine | goHorzLine;  // fixed cells: vertical lines only; data cells: horizontal only
    paint();
    auto strip = [&](const TRect& r) -> const Op* {
        for (const Op& op : canvas.ops)
            if (op.kind == "fill" && op.args == std::vector<int>{r.Left, r.Top, r.Right, r.Bottom}) return &op;
        return nullptr;
    };
    const TRect data = grid->CellRect(1, 1), fixed = grid->CellRect(1, 0);
    const Op* data_right = strip({data.Right, data.Top, data.Right + 2, data.Bottom + 2});
    const Op* data_bottom = strip({data.Left, data.Bottom, data.Right, data.Bottom + 2});
    const Op* fixed_right = strip({fixed.Right, fixed.Top, fixed.Right + 2, fixed.Bottom + 2});
    const Op* fixed_bottom = strip({fixed.Left, fixed.Bottom, fixed.Right, fixed.Bottom + 2});
    ASSERT_TRUE(data_right && data_bottom && fixed_right && fixed_bottom);
    EXPECT_EQ(data_right->brush.Color, clCream) << "no vertical line between data cells";
    EXPECT_EQ(data_bottom->brush.Color, clSilver);
    EXPECT_EQ(fixed_right->brush.Color, clGray);
    EXPECT_EQ(fixed_bottom->brush.Color, clCream);

    grid->SetGridLineWidth(0);
    const auto cells = paint();
    EXPECT_EQ(canvas.of_kind("fill").size(), cells.size()) << "one fill per cell and no lines";
}

TEST_F(AlignGridPaint, CellHintsShowUnderTheCellAndGoWhenTheMouseMovesOn) {
    grid->set_cell_hint(2, 1, "Długość odcinka"_cp);
    grid->SetHint("the grid's own hint");
    const TRect cell = grid->CellRect(2, 1);
    std::string text;
    THintInfo info;
    ASSERT_TRUE(grid->HintAt(cell.Left + 3, cell.Top + 3, text, info));
    EXPECT_EQ(text, "Długość odcinka"_cp);
    EXPECT_EQ(info.HintPos, (TPoint{cell.Left, cell.Bottom + 6}));
    EXPECT_EQ(grid->hint_col(), 2);
    EXPECT_EQ(grid->hint_row(), 1);

    // The mouse moves within the cell, then to the next one: the hint goes once.
    int hides = 0;
    const int id = grid->observe([&](TComponent*, Prop p) { hides += p == Prop::Hint; });
    user::mouse_move(grid, 0, cell.Left + 6, cell.Top + 4);
    EXPECT_EQ(hides, 0);
    user::mouse_move(grid, 0, cell.Right + 4, cell.Top + 4);
    EXPECT_EQ(hides, 1);
    grid->unobserve(id);
    EXPECT_EQ(grid->hint_col(), -1);

    const TRect empty = grid->CellRect(3, 2);
    EXPECT_FALSE(grid->HintAt(empty.Left + 1, empty.Top + 1, text, info)) << "an empty hint shows nothing";
    grid->OnShowHintCell = [](TObject*, int col, int row, std::string& hint, bool& can_show, THintInfo& hi) {
        if (col == 3) hint = "kolumna 3, wiersz " + std::to_string(row);
        if (col == 2) can_show = false;
        hi.HintPos.y += 10;
    };
    ASSERT_TRUE(grid->HintAt(empty.Left + 1, empty.Top + 1, text, info));
    EXPECT_EQ(text, "kolumna 3, wiersz 2");
    EXPECT_EQ(info.HintPos.y, empty.Bottom + 16);
    EXPECT_FALSE(grid->HintAt(cell.Left + 1, cell.Top + 1, text, info)) << "the owner may refuse";

    grid->ShowCellHints = false;
    ASSERT_TRUE(grid->HintAt(cell.Left + 1, cell.Top + 1, text, info));
    EXPECT_EQ(text, "the grid's own hint");
}

TEST_F(AlignGridPaint, ThumbTrackingFollowsRedrawWhileScroll) {
    EXPECT_FALSE(grid->TracksThumb());
    grid->RedrawWhileScroll = true;
    EXPECT_TRUE(grid->TracksThumb());
}

}  // namespace
