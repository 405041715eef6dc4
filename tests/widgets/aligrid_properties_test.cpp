// The table component's property records: which record decides a cell's
// alignment, word wrap, editability, font, background and selection
// colours, and what the operations create and reset.
#include <gtest/gtest.h>

#include "platform/cp1250.h"
#include "support/toolkit_fixture.h"
#include "widgets/aligrid.h"

namespace {

class AlignGridProperties : public ToolkitTest {
protected:
    TForm* form = make_form();
    // 4 x 4 cells, one fixed column and one fixed row.
    TStringAlignGrid* grid = [this] {
        auto* g = new TStringAlignGrid(form);
        g->SetParent(form);
        g->SetColCount(4);
        g->SetRowCount(4);
        return g;
    }();
};

TEST_F(AlignGridProperties, FixedAndNormalCellsLookUpSeparatePaths) {
    // A record on each level; each case names the cell and what decides it.
    TStringAlignGrid* g = grid;
    g->set_col_alignment(2, alCenter);        // normal cells of column 2
    g->set_fixed_col_alignment(2, alRight);   // fixed cells of column 2
    g->set_row_alignment(3, alRight);         // normal cells of row 3
    g->set_fixed_row_alignment(3, alCenter);  // fixed cells of row 3 (column 0)
    g->set_cell_alignment(1, 1, alCenter);
    struct Case {
        int col, row;
        TMyAlign want;
        const char* why;
    } cases[] = {
        {2, 0, alRight, "a header cell takes the fixed-column record, not the column's"},
        {2, 1, alCenter, "a data cell takes the column record, not the fixed column's"},
        {2, 3, alCenter, "the column record comes before the row record"},
        {1, 3, alRight, "the row record when the column has none"},
        {0, 3, alCenter, "a fixed cell of the row takes the fixed-row record"},
        {0, 2, alLeft, "the grid's Alignment at the end"},
        {1, 1, alCenter, "the cell's own record first"},
        {3, 2, alLeft, "no record at all"},
    };
    for (const Case& c : cases) EXPECT_EQ(g->cell_alignment(c.col, c.row), c.want) << c.why;

    g->SetAlignment(alDefault);
    EXPECT_EQ(g->cell_alignment(3, 2), alLeft) << "alDefault on the grid reads as alLeft";
    g->reset_cell_alignment(1, 1);
    EXPECT_EQ(g->cell_alignment(1, 1), alLeft);
    g->set_cell_alignment(3, 3, alCenter);
    g->reset_cell_alignments();
    EXPECT_EQ(g->cell_alignment(3, 3), alRight) << "the row's record shows again";

    g->col_properties(2).Wordwrap = ww_ellipsis;
    g->fixed_row_properties(0).Wordwrap = ww_wordwrap;
    EXPECT_EQ(g->cell_wordwrap(2, 1), ww_ellipsis);
    EXPECT_EQ(g->cell_wordwrap(2, 0), ww_wordwrap);
    EXPECT_EQ(g->cell_wordwrap(1, 2), ww_none);
    g->SetWordwrap(ww_default);
    EXPECT_EQ(g->cell_wordwrap(1, 2), ww_none) << "ww_default on the grid reads as ww_none";
}

TEST_F(AlignGridProperties, EditabilityFollowsTheSamePathAndTheGridLast) {
    TStringAlignGrid* g = grid;
    g->Editable = false;
    g->set_col_editable(2, true);
    g->set_row_editable(3, false);
    g->set_cell_editable(1, 1, true);
    EXPECT_TRUE(g->cell_editable(1, 1)) << "an editable cell in a read-only grid";
    EXPECT_FALSE(g->cell_editable(1, 2));
    EXPECT_TRUE(g->cell_editable(2, 3)) << "the column before the row";
    EXPECT_FALSE(g->cell_editable(3, 3));
    g->Editable = true;
    g->set_cell_editable(3, 2, false);
    EXPECT_FALSE(g->cell_editable(3, 2));
    g->reset_cell_editable(3, 2);
    EXPECT_TRUE(g->cell_editable(3, 2));
    g->set_cell_editable(1, 2, false);
    g->reset_cells_editable();
    EXPECT_TRUE(g->cell_editable(1, 2));
    EXPECT_TRUE(g->cell_editable(1, 1)) << "back to the grid";
}

TEST_F(AlignGridProperties, OwnFontsAndBrushesAreCopiesMadeOnFirstUse) {
    TStringAlignGrid* g = grid;
    TFont base = g->Font();
    base.SetSize(11);
    g->SetFont(base);
    TFont fixed;
    fixed.Name = "Tahoma";
    g->fixed_font() = fixed;

    EXPECT_EQ(g->effective_font(1, 0).Name, "Tahoma") << "a fixed cell without records takes the fixed-cell font";
    EXPECT_EQ(g->effective_font(1, 1).Size(), 11) << "a normal cell takes the grid's font";
    // The cell's own font of a fixed cell is a copy of the grid's Font.
    TFont& own = g->cell_font(1, 0);
    EXPECT_EQ(own.Name, base.Name);
    EXPECT_EQ(own.Size(), 11);
    own.Color = clRed;
    EXPECT_EQ(g->effective_font(1, 0).Color, clRed);
    EXPECT_EQ(&g->cell_font(1, 0), &own) << "made once";

    g->col_font(2).Style = fsBold;
    g->row_font(3).Style = fsItalic;
    g->fixed_col_font(2).Style = fsUnderline;
    g->fixed_row_font(2).Style = fsStrikeOut;
    EXPECT_EQ(g->effective_font(2, 3).Style, fsBold);
    EXPECT_EQ(g->effective_font(1, 3).Style, fsItalic);
    EXPECT_EQ(g->effective_font(2, 0).Style, fsUnderline);
    EXPECT_EQ(g->effective_font(0, 2).Style, fsStrikeOut);
    g->reset_row_font(3);
    EXPECT_EQ(g->effective_font(1, 3).Style, 0u);
    g->reset_cell_font(1, 0);
    EXPECT_EQ(g->effective_font(1, 0).Name, "Tahoma");

    g->SetColor(clCream);
    g->SetFixedColor(clSilver);
    g->set_row_colour(2, clYellow);
    g->set_col_colour(3, clAqua);
    g->set_cell_colour(1, 1, clRed);
    g->fixed_row_brush(1).Color = clLime;
    struct Case {
        int col, row;
        TColor want;
    } cases[] = {{1, 1, clRed}, {3, 2, clAqua}, {1, 2, clYellow}, {2, 3, clCream},
                 {0, 1, clLime}, {0, 2, clSilver}, {3, 0, clSilver}};
    for (const Case& c : cases) EXPECT_EQ(g->cell_colour(c.col, c.row), c.want) << c.col << "," << c.row;
    EXPECT_EQ(g->col_colour(3), clAqua);
    EXPECT_EQ(g->col_colour(1), clCream) << "a column without its own brush answers Color, whatever its rows";
    EXPECT_EQ(g->cell_brush(2, 3).Color, clCream) << "a new brush copies the grid's background";

    g->reset_row_colours();
    EXPECT_EQ(g->cell_colour(1, 2), clCream);
    g->reset_col_colour(3);
    g->reset_cell_colour(1, 1);
    EXPECT_EQ(g->cell_colour(1, 1), clCream);
}

TEST_F(AlignGridProperties, SelectionColoursIgnoreTheFixedRecords) {
    TStringAlignGrid* g = grid;
    g->SetSelectedCellColor(clNavy);
    g->set_row_selected_colour(2, clGreen);
    g->set_col_selected_colour(3, clPurple);
    g->set_cell_selected_colour(1, 2, clMaroon);
    const TBrush red_brush{clRed};
    g->fixed_col_properties(3).set_selected_brush(&red_brush);
    EXPECT_EQ(g->selected_cell_colour(1, 2), clMaroon);
    EXPECT_EQ(g->selected_cell_colour(3, 2), clPurple);
    EXPECT_EQ(g->selected_cell_colour(2, 2), clGreen);
    EXPECT_EQ(g->selected_cell_colour(3, 0), clPurple) << "a fixed cell takes the column record";
    EXPECT_EQ(g->selected_cell_colour(2, 1), clNavy);
    TFont red;
    red.Color = clRed;
    g->row_properties(1).set_selected_font(&red);
    EXPECT_EQ(g->selected_font_colour(2, 1), clRed);
    EXPECT_EQ(g->selected_font_colour(2, 3), clWhite);
}

TEST_F(AlignGridProperties, ResettingAllPropertiesTouchesOnlyCellRecords) {
    TStringAlignGrid* g = grid;
    g->set_cell_alignment(1, 1, alRight);
    g->set_cell_editable(1, 1, false);
    g->cell_font(1, 1).Style = fsBold;
    g->set_cell_colour(1, 1, clRed);
    g->set_cell_selected_colour(1, 1, clLime);
    g->set_row_colour(1, clYellow);
    g->set_col_alignment(1, alCenter);
    g->reset_all_properties();
    EXPECT_EQ(g->cell_alignment(1, 1), alCenter);
    EXPECT_TRUE(g->cell_editable(1, 1));
    EXPECT_EQ(g->effective_font(1, 1).Style, 0u);
    EXPECT_EQ(g->cell_colour(1, 1), clYellow) << "the row's colour stays";
    EXPECT_EQ(g->selected_cell_colour(1, 1), clLime) << "selection colours stay";
}

TEST_F(AlignGridProperties, RecordsCompareAssignAndCloneAsValues) {
    TCellProperties a(grid);
    EXPECT_TRUE(a.is_empty());
    a.Alignment = alRight;
    TBrush b{clRed};
    a.set_brush(&b);
    b.Color = clBlue;
    EXPECT_EQ(a.brush()->Color, clRed) << "the record keeps its own copy";
    EXPECT_FALSE(a.is_empty());
    const auto copy = a.clone();
    EXPECT_EQ(copy->Alignment, alRight);
    EXPECT_NE(copy->brush(), a.brush());
    EXPECT_EQ(copy->brush()->Color, clRed);
    copy->assign(nullptr);
    EXPECT_TRUE(copy->is_empty());
    EXPECT_EQ(copy->brush(), nullptr);
}

TEST_F(AlignGridProperties, HintsAndReadingOutsideTheStoresCreateNothing) {
    TStringAlignGrid* g = grid;
    EXPECT_EQ(g->cell_hint(7, 9), "");
    EXPECT_EQ(g->cell_hint(-1, 0), "");
    g->set_cell_hint(2, 3, "Rzędna dna"_cp);
    EXPECT_EQ(g->cell_hint(2, 3), "Rzędna dna"_cp);
    g->set_cell_hint(2, 3, "");
    EXPECT_EQ(g->cell_hint(2, 3), "");
    // Negative indexes read as no record and take no write.
    EXPECT_EQ(g->cell_alignment(-1, -1), alLeft);
    g->set_col_alignment(-1, alRight);
    g->cell_font(-2, 1).Color = clRed;
    EXPECT_EQ(g->cell_alignment(-1, 1), alLeft);
    EXPECT_EQ(g->effective_font(-2, 1).Color, g->Font().Color);
}

}  // namespace
