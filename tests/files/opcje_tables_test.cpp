#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "files/opcje_tables.h"
#include "files/settings_groups.h"
#include "files/settings_tables.h"
#include "forms/kolory.h"
#include "forms/media.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/drawing_palette.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/cp1250.h"
#include "platform/named_bytes.h"
#include "support/fixture.h"

namespace {

class SettingsTables : public ProgramTest {
protected:
    // The layer table with the base layer and the given names after it.
    void layers(std::initializer_list<const char*> names) {
        TStringAlignGrid& g = *topcje->sag_Layers;
        g.SetRowCount(2 + static_cast<int>(names.size()));
        int r = 2;
        for (const char* n : names) g.SetCell(1, r++, n);
    }
};

TEST_F(SettingsTables, ValidLayerIsANameOfTheLayerTableComparedExactly) {
    layers({"Rura", "Teren"});
    const std::pair<const char*, const char*> cases[] = {
        {"Rura", "Rura"}, {"Teren", "Teren"}, {"rura", "0"}, {"Rura ", "0"}, {"", "0"}, {"Inna", "0"}, {"0", "0"},
    };
    for (const auto& [name, expected] : cases) EXPECT_EQ(valid_warstwa(name), expected) << name;
}

TEST_F(SettingsTables, NetworkLettersReadAsTheNamesOfTheNetworkList) {
    const TStringList& n = Form1->cb_NetworkType->Items();
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"a", "wszystkie"},
        {"w,d,", n[0] + "," + n[2]},
        {"d,w,", n[0] + "," + n[2]},  // in the list's order
        {"i,", n[6]},
        {"w", ""},  // a letter counts only with its comma
        {"x,", ""},
        {"w,k,d,g,c,m,i,", n[0] + "," + n[1] + "," + n[2] + "," + n[3] + "," + n[4] + "," + n[5] + "," + n[6]},
    };
    for (const auto& [letters, expected] : cases) EXPECT_EQ(media2txt(letters), expected) << letters;
    EXPECT_EQ(n[0], "wodociąg"_cp);
}

TEST_F(SettingsTables, ChoosersTakeTheLayersAndTheUserBandRowTitles) {
    layers({"Rura", "Teren"});
    zaladuj_warstwy();
    EXPECT_EQ(topcje->cb_warstwy->Items().items(), (std::vector<std::string>{"0", "Rura", "Teren"}));

    auto row = [](const char* key, const char* title) {
        dane_pod_profil d;
        d.key = key;
        d.title = title;
        return d;
    };
    settings().profile_table_rows = {row("user", "Pierwszy"), row("teren", "Teren"), row("user", "Druga"),
                                     row("user", "Trzecia")};
    zaladuj_nazwy_linii();
    EXPECT_EQ(topcje->cb_LineName->Items().items(), (std::vector<std::string>{"Druga", "Trzecia"}));
}

TEST_F(SettingsTables, RenumberingWritesRowNumbersFromTheFirstRow) {
    TStringAlignGrid& g = *topcje->sag_Layers;
    g.SetRowCount(4);
    for (int r = 0; r < 4; ++r) g.SetCell(0, r, "x");
    przenumeruj_grida(g, 0, 2);
    EXPECT_EQ(g.Cells(0, 1), "x");
    EXPECT_EQ(g.Cells(0, 2), "2");
    EXPECT_EQ(g.Cells(0, 3), "3");
}

}  // namespace

namespace {

using namespace std::string_literals;
const std::string on(1, check_on);
const std::string off(1, check_off);

// The dialog open at a page; `play` acts as the user, then OK closes it.
class SettingsTablesDialog : public ProgramTest {
protected:
    void play(TTabSheet* Ttopcje::*page, const std::function<void(Ttopcje&)>& actions) {
        ui().on_modal("Ttopcje", [&](TForm&) {
            Ttopcje& d = *topcje;
            d.PageControl1->SetActivePage(d.*page);
            actions(d);
            user::click(d.b_OK);
        });
        topcje->ShowModal();
    }
    // Types the text into a cell and ends the edit with Enter.
    static void enter(TStringAlignGrid* g, int col, int row, std::string_view text) {
        user::click_cell(g, col, row);
        user::type(g, text);
        user::key(VK_RETURN);
    }
    static std::vector<bool> checked_networks() {
        std::vector<bool> out;
        for (int i = 0; i < tMedia->clb_Media->Items().Count(); ++i) out.push_back(tMedia->clb_Media->Checked(i));
        return out;
    }
    static dane_pod_profil band(const char* key, const char* title, bool at_nodes, bool join) {
        dane_pod_profil d;
        d.key = key;
        d.name = title;
        d.title = title;
        d.shown = true;
        d.at_nodes = at_nodes;
        d.join = join;
        return d;
    }
};

TEST_F(SettingsTablesDialog, TheLineTypeChooserFollowsTheCurrentCellByKeysAsByTheMouse) {
    play(&Ttopcje::ts_Layers, [](Ttopcje& d) {
        TStringAlignGrid* g = d.sag_Layers;
        user::click_cell(g, 2, 1);
        EXPECT_FALSE(d.cb_LineType->Visible());
        user::key(VK_RIGHT);
        ASSERT_TRUE(d.cb_LineType->Visible());
        EXPECT_EQ(d.cb_LineType->Top(), g->Top() + g->CellRect(3, 1).Top + 1);
        user::key(VK_RIGHT);
        EXPECT_FALSE(d.cb_LineType->Visible());
        user::key(VK_LEFT);
        EXPECT_TRUE(d.cb_LineType->Visible());
        EXPECT_EQ(g->Col(), 3);
    });
}

TEST_F(SettingsTablesDialog, LayerRowsTakeColoursThicknessAndGoWhenLeftEmpty) {
    play(&Ttopcje::ts_Layers, [this](Ttopcje& d) {
        TStringAlignGrid* g = d.sag_Layers;
        user::click_cell(g, 1, 1);
        user::key(VK_DOWN);  // on the last row: a new row
        ASSERT_EQ(g->RowCount(), 3);
        EXPECT_EQ(g->Cells(5, 2), off);
        enter(g, 1, 2, "Ru ra#$");  // the blank and "#" are refused
        EXPECT_EQ(g->Cells(1, 2), "Rura$");
        enter(g, 2, 2, "300");  // outside 1..255: the previous text comes back
        EXPECT_EQ(g->Cells(2, 2), "");
        enter(g, 2, 2, "x25");
        EXPECT_EQ(g->Cells(2, 2), "25");
        user::key(VK_DOWN);
        user::key(VK_DOWN);  // a third row left without name and colour
        ASSERT_EQ(g->RowCount(), 5);
        enter(g, 1, 4, "Bez");  // a name without a colour
        EXPECT_EQ(g->Cells(0, 4), "4");

        // A dashed line: the thickness is 1 whatever is typed.
        user::click_cell(g, 3, 2);
        ASSERT_TRUE(d.cb_LineType->Visible());
        user::choose(d.cb_LineType, 1);
        EXPECT_EQ(g->Cells(3, 2), d.cb_LineType->Items()[1]);
        EXPECT_EQ(g->Cells(4, 2), "1");
        EXPECT_FALSE(d.cb_LineType->Visible());
        enter(g, 4, 2, "3");
        EXPECT_EQ(g->Cells(4, 2), "1");
        enter(g, 4, 1, "3");  // the solid line keeps it
        EXPECT_EQ(g->Cells(4, 1), "3");

        user::focus(d.tv_Config);  // leaving the table
        ASSERT_EQ(g->RowCount(), 4);  // the empty last row went
        EXPECT_EQ(g->Rows(3), (std::vector<std::string>{"3", "Bez", "1", "", "", off}));
        EXPECT_EQ(g->Cells(0, 2), "2");
    });
    EXPECT_EQ(valid_warstwa("Rura$"), "Rura$");
}

TEST_F(SettingsTablesDialog, LayerKeysMenuAndLockKeepTheBaseLayer) {
    play(&Ttopcje::ts_Layers, [](Ttopcje& d) {
        TStringAlignGrid* g = d.sag_Layers;
        g->SetRowCount(3);
        g->SetRow(2, {"2", "A", "1", "", "1", off});
        user::click_cell(g, 1, 1);
        user::key(VK_DELETE);  // the base layer stays
        user::key(VK_INSERT);
        ASSERT_EQ(g->RowCount(), 3);
        user::click_cell(g, 1, 2);
        user::key(VK_INSERT);  // an empty row before "A"
        ASSERT_EQ(g->RowCount(), 4);
        EXPECT_EQ(g->Rows(2), (std::vector<std::string>{"2", "", "", "", "", off}));
        EXPECT_EQ(g->Rows(3)[1], "A");
        EXPECT_EQ(g->Cells(0, 3), "3");
        user::click_cell(g, 5, 3);  // a click on the lock toggles it
        EXPECT_EQ(g->Cells(5, 3), on);
        user::key(VK_SPACE);
        EXPECT_EQ(g->Cells(5, 3), off);
        user::key(VK_RETURN);
        EXPECT_EQ(g->Cells(5, 3), on);
        user::click_cell(g, 1, 2);
        user::key(VK_DELETE);
        ASSERT_EQ(g->RowCount(), 3);
        EXPECT_EQ(g->Rows(2), (std::vector<std::string>{"2", "A", "1", "", "1", on}));
        user::choose_menu(d.pm_Layers->Items()->Items(0));  // "Dodaj"
        EXPECT_EQ(g->RowCount(), 4);
        user::choose_menu(d.pm_Layers->Items()->Items(3));  // "Usuń" on row 2
        EXPECT_EQ(g->RowCount(), 3);
        EXPECT_EQ(g->Cells(1, 2), "");
    });
}

TEST_F(SettingsTablesDialog, TextStylesAndCrossingColours) {
    play(&Ttopcje::ts_Fonts, [this](Ttopcje& d) {
        TStringAlignGrid* f = d.sag_Fonts;
        f->SetCell(4, 1, "90%");
        enter(f, 4, 1, "8a5");  // the "%" comes off for the edit and back after it
        EXPECT_EQ(f->Cells(4, 1), "85%");
        user::click_cell(f, 3, 2);
        user::key(VK_BACK);
        user::key(VK_RETURN);
        EXPECT_EQ(f->Cells(3, 2), "4");  // the column's default
        f->SetCell(2, 2, "3");
        enter(f, 2, 2, "257");  // outside 1..256: the previous text comes back
        EXPECT_EQ(f->Cells(2, 2), "3");
        enter(f, 2, 2, "256");
        EXPECT_EQ(f->Cells(2, 2), "256");

        TStringAlignGrid* c = d.sag_CrossingsFonts;
        c->SetRowCount(2);
        c->SetRow(1, {"gaz", off, "5"});
        user::click_cell(c, 1, 1);  // released over the check cell: toggled
        EXPECT_EQ(c->Cells(1, 1), on);
        user::key(VK_DOWN);
        ASSERT_EQ(c->RowCount(), 3);
        EXPECT_EQ(c->Rows(2), (std::vector<std::string>{"", off, "1"}));
        user::key(VK_INSERT);
        EXPECT_EQ(c->RowCount(), 4);
        user::key(VK_DELETE);
        user::key(VK_DELETE);
        ASSERT_EQ(c->RowCount(), 2);
        user::click_cell(c, 0, 1);
        user::key(VK_DELETE);  // the single row is cleared, not removed
        EXPECT_EQ(c->Rows(1), (std::vector<std::string>{"", off, "1"}));
    });
}

TEST_F(SettingsTablesDialog, BandRowsToggleInsertDeleteAndDrag) {
    settings().profile_table_rows = {band("teren", "Teren", false, true), band("przeplyw", "Przepływ"_cp, true, false),
                                     band("user", "Moja", true, true)};
    RefreshSag_TableContent();
    play(&Ttopcje::ts_Table, [this](Ttopcje& d) {
        TStringAlignGrid* g = d.sag_TableContent;
        auto& rows = settings().profile_table_rows;
        EXPECT_EQ(g->Cells(8, 1), on);
        EXPECT_EQ(g->Cells(8, 3), off);  // at nodes: shown off
        // The join column lies past the table's right edge: the keys reach it.
        auto join_key = [g](int row) {
            user::click_cell(g, 2, row);
            for (int i = 0; i < 6; ++i) user::key(VK_RIGHT);
            ASSERT_EQ(g->Col(), 8);
            user::key(VK_SPACE);
        };
        join_key(2);  // "Łącz" while "Węzeł" is on: the message only
        EXPECT_FALSE(rows[1].join);
        ASSERT_FALSE(ui().boxes.empty());
        EXPECT_EQ(ui().boxes.back().text, "Opcja \"Łącz\" jest nieaktywna gdy została zaznaczona opcja \"Węzeł\""_cp);
        user::click_cell(g, 5, 2);
        EXPECT_FALSE(rows[1].at_nodes);
        join_key(2);
        EXPECT_TRUE(rows[1].join);

        user::click_cell(g, 2, 2);
        user::key(VK_INSERT);  // a new row before "Przepływ", never joined
        ASSERT_EQ(rows.size(), 4u);
        EXPECT_EQ(rows[1].key, "user");
        EXPECT_FALSE(rows[1].join);
        EXPECT_TRUE(rows[1].shown && rows[1].at_nodes);
        EXPECT_EQ(rows[1].height, 100);
        EXPECT_EQ(g->Cells(0, 4), "4");

        user::click_cell(g, 2, 3);
        user::key(VK_DELETE);  // a built-in row is only hidden
        ASSERT_EQ(rows.size(), 4u);
        EXPECT_FALSE(rows[2].shown);
        EXPECT_EQ(g->Cells(1, 3), off);
        EXPECT_EQ(g->cell_colour(2, 3), greyed_row_colour());
        EXPECT_NE(g->cell_colour(2, 4), greyed_row_colour());

        ui().answer(IDNO);
        user::click_cell(g, 2, 4);
        user::key(VK_DELETE);
        EXPECT_EQ(rows.size(), 4u);
        EXPECT_EQ(ui().boxes.back().text, "Czy napewno usunąć: \r\"Moja\"?"_cp);
        EXPECT_EQ(ui().boxes.back().flags, MB_YESNO | MB_ICONQUESTION);
        ui().answer(IDYES);
        user::key(VK_DELETE);
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_EQ(rows[2].key, "przeplyw");

        enter(g, 7, 1, "300");  // the nearest allowed height
        EXPECT_EQ(rows[0].height, 255);
        EXPECT_EQ(g->Cells(7, 1), "255%");

        g->MoveRow(3, 1);  // dragging the last row to the top
        EXPECT_EQ(rows[0].key, "przeplyw");
        EXPECT_EQ(rows[1].key, "teren");
        EXPECT_EQ(g->Cells(2, 1), "Przepływ"_cp);
    });
}

TEST_F(SettingsTablesDialog, RulesAndLinesTakeTheirEditsAndQuestions) {
    settings().check_rules.clear();
    RefreshSag_Rules();
    play(&Ttopcje::ts_Warnings, [this](Ttopcje& d) {
        TStringAlignGrid* g = d.sag_Rules;
        auto& rules = settings().check_rules;
        EXPECT_EQ(g->Cells(1, 1), off);
        EXPECT_EQ(g->cell_colour(3, 1), greyed_row_colour());
        enter(g, 3, 1, "Opis");  // an edit on the empty table adds the rule first
        ASSERT_EQ(rules.size(), 1u);
        EXPECT_EQ(rules[0].description, "Opis");
        EXPECT_TRUE(rules[0].enabled);
        for (int shift : {0, 8, 16}) {
            const int part = (rules[0].color >> shift) & 0xFF;
            EXPECT_TRUE(part >= 120 && part < 255) << part;
        }
        enter(g, 5, 1, "w,");
        EXPECT_EQ(rules[0].media, "w,");
        user::click_cell(g, 5, 1);
        user::key(VK_F2);
        user::key(VK_BACK);
        user::key(VK_BACK);
        user::key(VK_RETURN);  // an emptied network cell means every network
        EXPECT_EQ(rules[0].media, "a");
        EXPECT_EQ(g->cell_hint(5, 1), "wszystkie");
        ui().answer(IDNO);
        user::key(VK_DELETE);
        EXPECT_EQ(rules.size(), 1u);
        ui().answer(IDYES);
        user::key(VK_DELETE);
        EXPECT_TRUE(rules.empty());
        EXPECT_EQ(g->RowCount(), 2);
    });

    reset_line_defs();
    RefreshSag_Lines();
    play(&Ttopcje::ts_Lines, [this](Ttopcje& d) {
        TStringAlignGrid* g = d.sag_Lines;
        auto& defs = settings().line_defs;
        user::click_cell(g, 2, 15);
        user::key(VK_DOWN);  // on the last row: a new element
        ASSERT_EQ(defs.size(), 16u);
        EXPECT_EQ(defs[15].layer, "0");
        EXPECT_EQ(defs[15].media, "a");
        EXPECT_TRUE(defs[15].draw);
        enter(g, 2, 16, "7");
        EXPECT_EQ(defs[15].color, 7);
        user::click_cell(g, 1, 16);  // released over the draw mark
        EXPECT_FALSE(defs[15].draw);
        EXPECT_EQ(g->cell_colour(2, 16), greyed_row_colour());
        user::click_cell(g, 2, 15);
        user::key(VK_DELETE);  // a built-in element is never removed
        EXPECT_EQ(defs.size(), 16u);
        user::click_cell(g, 2, 16);
        ui().answer(IDYES);
        user::key(VK_DELETE);
        EXPECT_EQ(defs.size(), 15u);
        EXPECT_EQ(g->RowCount(), 16);
    });
}

TEST_F(SettingsTablesDialog, PrecisionChooserStoresDecimalsAndDetachesOnArrows) {
    play(&Ttopcje::ts_DataTableColumns, [](Ttopcje& d) {
        TStringAlignGrid* g = d.sag_DataTable;
        user::click_cell(g, 4, 3);
        ASSERT_TRUE(d.cb_Precision->Visible());
        EXPECT_EQ(d.cb_Precision->Parent(), d.ts_DataTableColumns);
        user::focus(d.cb_Precision);
        user::key(VK_DOWN);  // opens the list on its first item, the table unchanged
        EXPECT_TRUE(d.cb_Precision->DroppedDown);
        const std::string before = g->Cells(4, 3);
        user::choose(d.cb_Precision, 6);  // moving through the list
        EXPECT_EQ(g->Cells(4, 3), before);
        user::key(VK_RETURN);  // takes the item
        EXPECT_EQ(g->Cells(4, 3), "0.5");
        EXPECT_FALSE(d.cb_Precision->Visible());
    });
    const auto kind = static_cast<std::size_t>(model().column_order[2] % 100);
    EXPECT_EQ(model().column_kind_decimals[kind], 1);
    play(&Ttopcje::ts_DataTableColumns, [](Ttopcje& d) { EXPECT_EQ(d.sag_DataTable->Cells(4, 3), "0.0"); });
}

TEST_F(SettingsTablesDialog, ColourAndNetworkChoosersOpenFromTheCells) {
    reset_line_defs();
    RefreshSag_Lines();
    play(&Ttopcje::ts_Lines, [this](Ttopcje& d) {
        TStringAlignGrid* g = d.sag_Lines;
        auto& defs = settings().line_defs;
        // Enter on a colour cell: "Wybierz kolor:" with "Jak Warstwa", the
        // chosen number stored in the element.
        user::click_cell(g, 2, 3);
        ui().on_modal("Ttkolory", [](TForm&) {
            EXPECT_TRUE(tkolory->st_bylayer->Enabled());
            user::set_text(tkolory->se_kolor, "256");
            user::click(tkolory->sb_ok);
        });
        user::key(VK_RETURN);
        EXPECT_EQ(defs[2].color, 256);
        EXPECT_EQ(g->Cells(2, 3), "256");
        EXPECT_FALSE(g->editing());

        // A double click on the network cell: "Media"; Cancel changes nothing.
        defs[2].media = "k,i,";
        RefreshSag_Lines();
        user::click_cell(g, 4, 3);
        user::key(VK_RIGHT);
        ui().on_modal("TtMedia", [](TForm&) {
            EXPECT_EQ(checked_networks(), (std::vector<bool>{false, true, false, false, false, false, true}));
            user::toggle_check(tMedia->clb_Media, 0);
            user::click(tMedia->b_Cancel);
        });
        user::double_click(g);
        EXPECT_EQ(defs[2].media, "k,i,");
        ui().on_modal("TtMedia", [](TForm&) {
            user::toggle_check(tMedia->clb_Media, 0);
            user::click(tMedia->b_OK);
        });
        user::key(VK_RETURN);
        EXPECT_EQ(defs[2].media, "w,k,i,");
        EXPECT_EQ(g->cell_hint(5, 3), media2txt("w,k,i,"));
    });
    play(&Ttopcje::ts_Layers, [this](Ttopcje& d) {
        user::click_cell(d.sag_Layers, 2, 1);
        ui().on_modal("Ttkolory", [](TForm&) {
            EXPECT_FALSE(tkolory->st_bylayer->Enabled());
            user::click_cell(tkolory->sag_Colors, 2, 7);
            user::double_click(tkolory->sag_Colors);
        });
        user::double_click(d.sag_Layers);
        EXPECT_EQ(d.sag_Layers->Cells(2, 1), "37");
    });
}

TEST_F(SettingsTablesDialog, PaintedCells) {
    settings().check_rules = {rule_def{"R", "", "w,d,", static_cast<TColor>(0x123456), true}};
    RefreshSag_Rules();
    play(&Ttopcje::ts_Warnings, [](Ttopcje& d) {
        TStringAlignGrid* g = d.sag_Rules;
        RecordingCanvas canvas;
        g->PaintTo(canvas);
        const TRect c2 = g->CellRect(2, 1), c5 = g->CellRect(5, 1);
        bool swatch = false;
        for (const auto& op : canvas.of_kind("rect"))
            swatch = swatch || (op.brush.Color == 0x123456 && op.args[1] == c2.Top + 3 && op.args[3] == c2.Bottom - 3);
        EXPECT_TRUE(swatch);
        std::vector<std::pair<int, TColor>> squares;
        for (const auto& op : canvas.of_kind("fill"))
            if (op.args[1] == c5.Top + 3 && op.args[0] > c5.Left && op.args[0] < c5.Right)
                squares.push_back({op.args[0] - c5.Left, op.brush.Color});
        ASSERT_EQ(squares.size(), 2u);
        EXPECT_EQ(squares[0], (std::pair<int, TColor>{2, drawing_palette_colour(network_colours[0], 0)}));
        EXPECT_EQ(squares[1], (std::pair<int, TColor>{22, drawing_palette_colour(network_colours[2], 0)}));
    });
    play(&Ttopcje::ts_Layers, [](Ttopcje& d) {
        TStringAlignGrid* g = d.sag_Layers;
        g->SetCell(2, 1, "5");
        RecordingCanvas canvas;
        g->PaintTo(canvas);
        const TRect c = g->CellRect(2, 1);
        bool swatch = false;
        for (const auto& op : canvas.of_kind("rect"))
            swatch = swatch || (op.args == std::vector<int>{c.Left + 10, c.Top + 3, c.Left + 20, c.Bottom - 3} &&
                                op.brush.Color == drawing_palette_colour(5, 0) && op.pen.Color == clBlack);
        EXPECT_TRUE(swatch);
        EXPECT_EQ(g->effective_font(5, 1).Name, "Wingdings");
    });
}

}  // namespace
