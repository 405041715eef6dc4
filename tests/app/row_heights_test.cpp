// Fonts and row heights of the tables: the node table and the side panel
// follow the table font size, the other grids and lists follow their own
// fonts, at the screen's pixels per inch and the process's rounding mode.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/program.h"
#include "forms/dane.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/paths.h"
#include "platform/sysutils.h"
#include "support/fixture.h"

namespace {

class RowHeights : public ProgramTest {
protected:
    RowHeights() {
        decimal_separator = '.';
        euro_rounding = false;
    }
    static void set_font_size(TControl* c, int size) {
        TFont f = c->Font();
        f.SetSize(size);
        c->SetFont(f);
    }
};

TEST_F(RowHeights, TheTablesTakeTheFontSizeAndARowHeightRoundedByTheProcesssMode) {
    prog->show_main_window();
    struct Case {
        int size, ppi;
        bool euro;
        int row;  // size x ppi / 48, rounded
    };
    const Case cases[] = {
        {10, 96, false, 20},  {8, 96, true, 16},
        {9, 120, false, 22},  // 22.5: ties to even
        {9, 120, true, 23},   // 22.5: halves away from zero
        {11, 120, false, 28}, // 27.5: ties to even goes up here
        {7, 144, false, 21},  {12, 72, true, 18},
    };
    for (const Case& c : cases) {
        const std::string what = std::to_string(c.size) + " pt at " + std::to_string(c.ppi) + " ppi" +
                                 (c.euro ? ", halves up" : ", ties to even");
        ui().ppi = c.ppi;
        euro_rounding = c.euro;
        Form1->resajz(static_cast<uint8_t>(c.size));
        for (TStringGrid* g : {static_cast<TStringGrid*>(Form1->sg1), static_cast<TStringGrid*>(Form1->sag_Panel)}) {
            EXPECT_EQ(g->Font().Size(), c.size) << what << " " << g->Name();
            EXPECT_EQ(g->DefaultRowHeight(), c.row) << what << " " << g->Name();
            EXPECT_EQ(g->RowHeights(g->RowCount() - 1), c.row) << what << " " << g->Name();
        }
        // The value list opens over a cell with the table's font and shows seven items.
        EXPECT_EQ(Form1->lb_listy->Font(), Form1->sg1->Font()) << what;
        EXPECT_EQ(Form1->lb_listy->ItemHeight, c.row - 2) << what;
        EXPECT_EQ(Form1->lb_listy->Height(), 7 * (c.row - 2) + 2) << what;
        // The object button is a square inside a row.
        EXPECT_EQ(Form1->sb_ObjectParameters->Width(), c.row - 2) << what;
        EXPECT_EQ(Form1->sb_ObjectParameters->Height(), c.row - 2) << what;
        EXPECT_EQ(topcje->cb_fonts->Font().Size(), c.size) << what;
    }
    euro_rounding = false;
}

TEST_F(RowHeights, TheOtherGridsFollowTheirOwnFontsAndTheirChoosersFollowTheGrid) {
    prog->show_main_window();
    ui().ppi = 120;
    euro_rounding = false;
    set_font_size(topcje->sag_Lines, 9);     // 22.5 rounds to 22, + 2
    set_font_size(topcje->sag_Layers, 11);   // 27.5 rounds to 28, + 2
    set_font_size(topcje->sag_Rules, 8);     // 20, + 2
    set_font_size(tdane->sag_MainData, 10);  // 25, + 2
    set_font_size(tdane->sag_dane_kadra, 7); // 17.5 rounds to 18, + 2
    topcje->cb_LineType->Items().Clear();
    for (const char* t : {"a", "b", "c", "d", "e"}) topcje->cb_LineType->Items().Add(t);
    topcje->cb_warstwy->Items().Clear();
    for (const char* t : {"0", "1", "2"}) topcje->cb_warstwy->Items().Add(t);
    Form1->resajz(14);
    struct Case {
        const TStringGrid* grid;
        int row;
    };
    const Case cases[] = {
        {topcje->sag_Lines, 24},  {topcje->sag_Layers, 30},     {topcje->sag_Rules, 22},
        {tdane->sag_MainData, 27}, {tdane->sag_dane_kadra, 20},
    };
    for (const Case& c : cases) EXPECT_EQ(c.grid->DefaultRowHeight(), c.row) << c.grid->Name();
    // The grids' own fonts are left alone; the table font size is not theirs.
    EXPECT_EQ(topcje->sag_Lines->Font().Size(), 9);
    EXPECT_EQ(tdane->sag_MainData->Font().Size(), 10);

    struct Chooser {
        const TComboBox* box;
        int font_size, item_height, items;
    };
    const Chooser choosers[] = {
        {topcje->cb_warstwy, 9, 22, 3},
        {topcje->cb_LineName, 9, 22, topcje->cb_LineName->Items().Count()},
        {topcje->cb_LineType, 11, 28, 5},
    };
    for (const Chooser& c : choosers) {
        EXPECT_EQ(c.box->Font().Size(), c.font_size) << c.box->Name();
        EXPECT_EQ(c.box->ItemHeight, c.item_height) << c.box->Name();
        EXPECT_EQ(c.box->Height(), c.items * c.item_height + 2) << c.box->Name();
    }
}

TEST_F(RowHeights, TheFirstShowingSizesTheTablesFromTheStoredFontSize) {
    {
        IniFile ini(path_join(default_config_folder(), "halvoren.ini"));
        ini.WriteInteger("inne", "dane_wys", 12);
        ini.WriteBool("inne", "euro_rounding", false);
    }
    ini_cache_clear();
    ui().ppi = 120;  // 12 x 120 / 48 = 30
    prog->show_main_window();
    EXPECT_EQ(Form1->sg1->Font().Size(), 12);
    EXPECT_EQ(Form1->sg1->DefaultRowHeight(), 30);
    EXPECT_EQ(Form1->sag_Panel->DefaultRowHeight(), 30);
    EXPECT_EQ(Form1->lb_listy->ItemHeight, 28);
}

TEST_F(RowHeights, WithoutAStoredSizeTheTablesTakeTenPoints) {
    ui().ppi = 96;
    prog->show_main_window();
    EXPECT_EQ(Form1->sg1->Font().Size(), 10);
    EXPECT_EQ(Form1->sg1->DefaultRowHeight(), 20);
    EXPECT_EQ(Form1->sb_ObjectParameters->Width(), 18);
}

}  // namespace
