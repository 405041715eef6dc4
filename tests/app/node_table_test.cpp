// The node table and the side panel as a user drives them: what each kind
// shows, the key filter, the commit of a typed value, undo and redo, the
// table's keys and clipboard, and the colours of computed cells.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "forms/opcje.h"
#include "forms/rys1.h"
#include "forms/skojarzone.h"
#include "model/columns.h"
#include "model/profiles.h"
#include "model/recalculation.h"
#include "model/records.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "platform/cp1250.h"
#include "platform/input.h"
#include "platform/sysutils.h"
#include "support/fixture.h"
#include "support/model_builders.h"
#include "support/profile_fixture.h"

namespace {

constexpr TColor auto_colour = 0x00DCFFFF;

class NodeTable : public ProgramTest {
protected:
    NodeTable() {
        keep_entered_values();
        topcje->cb_AutoCalculatedCellColor->SetChecked(true);
        topcje->p_AutoColor->SetColor(auto_colour);
        prog->show_main_window();
        model().profiles.clear();
    }

    // Profile "p" (id 1) with nodes at the chainages, every value kept as
    // entered, shown in the table.
    static void make_profile(std::initializer_list<double> chainages, uint8_t kept = 3) {
        const uint16_t p = add_profile("p", 1, chainages);
        model().profiles[p].stala = kept;
        model().profiles[p].rysuj = true;
        for (wezel& w : model().profiles[p].nodes) w.fi = value_pair(200);
        Form1->tabs_odswiez(0);
    }
    static wezel& node(std::size_t i) { return model().profiles[model().current_profile].nodes[i]; }
    static int col(column_kind k) { return model().position_of(k); }
    static const std::string& cell(column_kind k, int node_index) {
        return Form1->table_text(col(k), node_index + 2);
    }
    // Types the text into a cell of the table and ends the edit with Enter.
    static void enter(column_kind k, int node_index, const std::string& text) {
        Form1->sg1->FocusCell(col(k), node_index + 2, true);
        user::focus(Form1->sg1);
        user::key(VK_F2);
        Form1->sg1->SetEditorText("");
        user::type(Form1->sg1, text);
        user::key(VK_RETURN);
        // The table walks on to the next cell and edits it: leave it.
        if (Form1->sg1->editing()) user::key(VK_ESCAPE);
    }
};

TEST_F(NodeTable, EachKindShowsItsValueWithTheDisplayRules) {
    make_profile({0, 10, 20});
    node(1).fi = {200, 300};
    node(1).dno = value_pair(100);
    node(1).zag = value_pair(2);
    node(1).spad = 0.5;
    node(1).flow = 3.6;
    // An empty entered terrain shows the terrain in use.
    node(1).ter = value_pair(0);
    node(1).ter_used = value_pair(101.25);
    Form1->odswiez_dane(0, true);
    EXPECT_EQ(cell(column_kind::ter, 1), "101.25");
    node(1).ter = {101.5, 0};
    Form1->odswiez_dane(0, true);
    EXPECT_EQ(cell(column_kind::ter, 1), "101.50/0.00");
    node(1).wez = "S1";
    struct Case {
        const char* what;
        int reference;         // the pipe-ordinate reference of the panel
        bool bottom_always;    // "Zawsze pokazuj rzędną dna rury"
        int slope_mode;        // %, per mille, reciprocal
        int volume, time;      // flow unit
        column_kind kind;
        const char* table;
    };
    const Case cases[] = {
        {"bottom", 0, false, 0, 0, 1, column_kind::dno, "100.00"},
        {"axis", 1, false, 0, 0, 1, column_kind::dno, "100.10/100.15"},
        {"axis, bottom shown", 1, true, 0, 0, 1, column_kind::dno, "100.00"},
        {"slope %", 0, false, 0, 0, 1, column_kind::spad, "0.5"},
        {"slope per mille", 0, false, 1, 0, 1, column_kind::spad, "5.0"},
        {"slope reciprocal", 0, false, 2, 0, 1, column_kind::spad, "200.0"},
        {"flow m3/h", 0, false, 0, 0, 1, column_kind::flow, "3.600"},
        {"flow dm3/s", 0, false, 0, 1, 3, column_kind::flow, "1.000"},
        {"name", 0, false, 0, 0, 1, column_kind::wez, "S1"},
    };
    for (const Case& c : cases) {
        topcje->cb_AlwaysShowBottomPipe->SetChecked(c.bottom_always);
        topcje->cb_DepthAlways2BottomPipe->SetChecked(false);
        topcje->cb_GradientMode->SetItemIndex(c.slope_mode);
        topcje->cb_FlowUnitV->SetItemIndex(c.volume);
        topcje->cb_FlowUnitT->SetItemIndex(c.time);
        settings().flow_unit_factor = c.volume == 1 ? 1000.0 / 3600 : 1;
        Form1->rg_PipeOrdinateMode->SetItemIndex(c.reference);
        Form1->odswiez_dane(0, true);
        EXPECT_EQ(cell(c.kind, 1), c.table) << c.what;
    }
    // The last row has no pipe after it.
    EXPECT_EQ(cell(column_kind::fi, 2), "");
    EXPECT_EQ(cell(column_kind::dlug, 2), "");
    EXPECT_EQ(cell(column_kind::fi, 1), "200/300");
}

TEST_F(NodeTable, FlowsInThePanelAreShownAndReadInTheUnitTheTableUses) {
    make_profile({0, 10});
    settings().flow_unit_factor = 1000.0 / 3600;  // dm3/s
    node(0).flow = 3.6;
    Form1->odswiez_dane(0, true);
    Form1->odcinek_2_panel(0);
    const int row = col(column_kind::flow) - Form1->sg1->ColCount() + 1;
    EXPECT_EQ(Form1->sag_Panel->Cells(2, row), "1.000");
    // Typing 1 in the panel stores 3.6 m3/h, not 1 divided twice.
    Form1->sg1->SetRow(2);
    Form1->sag_Panel->SetCell(2, row, "1");
    Form1->sg1AfterEdit(Form1->sag_Panel, col(column_kind::flow), row);
    EXPECT_NEAR(node(0).flow, 3.6, 1e-9);
}

// A value with a fixed count of decimals is rounded by the program's rule
// (halves away from zero, binary noise around a half counting as the half)
// and a value too large for its fixed form is shown with 15 significant
// digits, alike in the table, in the side panel and in a document.
TEST_F(NodeTable, ValuesAreRoundedAlikeInTheTableThePanelAndADocument) {
    make_profile({0, 40});
    euro_rounding = true;
    // A pair and a single number of the first node: each in a table column
    // (terrain, length), in a panel row (line 1, plan x) and as a document
    // variable.
    const column_kind pair_kinds[] = {column_kind::ter, column_kind::lin};
    const column_kind number_kinds[] = {column_kind::dlug, column_kind::wsplx};
    auto texts = [](const column_kind (&kinds)[2], const char* variable) {
        Form1->odswiez_dane(0, false);
        Form1->odcinek_2_panel(0);
        const int row = col(kinds[1]) + Form1->sag_Panel->RowCount() - column_kind_count;
        return std::vector<std::string>{cell(kinds[0], 0), Form1->sag_Panel->Cells(2, row),
                                        tskojarzone->wypelnij_linie(variable, "txt", 0, 0, 0, 0)};
    };
    const double slope = 100 * (100.30 - 100.00) / 40;  // 0.75 with binary noise below it
    ASSERT_LT(slope, 0.75);
    const struct {
        int decimals;
        double x;
        const char* text;
    } cases[] = {
        {1, slope, "0.8"},
        {2, 1e20, "1E20"},
        {2, std::nextafter(1e20, 0.0), "1E20"},
        {2, -1e20, "-1E20"},
        {0, -2.5, "-3"},
        {2, -0.125, "-0.13"},
        {2, -0.005, "-0.01"},
        {2, -0.004, "0.00"},
        {2, 2.675, "2.68"},
        {2, 1.005, "1.01"},
        {3, 123.4565, "123.457"},
        {2, 9999999999999.994, "9999999999999.99"},  // 15 digits: still fixed
        {2, 9999999999999.996, "10000000000000"},    // 16 digits: the general form
        {3, 1234567890123.4567, "1234567890123.46"},
        {2, 1e-20, "0.00"},
        {6, -5e-7, "-0.000001"},
    };
    const auto decimals = model().column_kind_decimals;
    for (const auto& c : cases) {
        const std::vector<std::string> want(3, c.text);
        for (column_kind k : {pair_kinds[0], pair_kinds[1], number_kinds[0], number_kinds[1]})
            model().column_kind_decimals[static_cast<std::size_t>(index_of(k))] = static_cast<uint8_t>(c.decimals);
        Form1->przypisz_kolumny(false);
        wezel& w = node(0);
        w.ter = w.ter_used = w.lin = w.lin_used = value_pair(c.x);
        w.dlug = w.wsplx = c.x;
        EXPECT_EQ(texts(pair_kinds, "@_td_rzedna_terenu"), want) << c.x;
        EXPECT_EQ(texts(number_kinds, "@_td_dlugosc"), want) << c.x;
        EXPECT_EQ(tskojarzone->wypelnij_linie("@_td_linia1 @_td_wspl_x", "txt", 0, 0, 0, 0),
                  std::string(c.text) + " " + c.text)
            << c.x;
    }
    // The slope that the recalculation gives, in the table and a document.
    model().column_kind_decimals = decimals;
    Form1->przypisz_kolumny(false);
    model().profiles[0].stala = 0;
    node(0).dlug = 40;
    node(0).wsplx = 0;  // the length is not taken from the coordinates
    node(0).dno = value_pair(100.30);
    node(1).dno = value_pair(100.00);
    przelicz(0, true, all_columns);
    EXPECT_LT(node(0).spad, 0.75);
    EXPECT_EQ(cell(column_kind::spad, 0), "0.8");
    EXPECT_EQ(tskojarzone->wypelnij_linie("@_td_spadek", "txt", 0, 0, 0, 0), "0.8");
}

TEST_F(NodeTable, AUserFormulaIsShownAsANumberOrAsText) {
    make_profile({0, 10});
    Form1->przypisz_kolumny(true);  // every kind in the panel: the formula column's cell is kept
    struct Case {
        const char* formula;
        const char* shown;
        double stored;
    };
    for (const Case c : {Case{"12+3", "15.00", 15}, Case{"abc", "abc", 0}, Case{"1/0", "", 0}}) {
        settings().calc_column_formula = c.formula;
        node(0).calc1 = -1;
        Form1->odswiez_dane(0, true);
        EXPECT_EQ(Form1->table_text(col(column_kind::user1), 2), c.shown) << c.formula;
        if (c.stored != 0 || std::string(c.formula) == "1/0") {
            EXPECT_EQ(node(0).calc1, c.stored) << c.formula;
        }
    }
}

TEST_F(NodeTable, MovingAColumnMovesItsKindAndItsWidth) {
    make_profile({0, 10});
    Form1->sg1->SetColWidth(0, 90);
    Form1->sg1ColWidthsChanged(Form1->sg1);
    Form1->sg1->MoveColumn(0, 2);
    const auto& order = model().column_order;
    EXPECT_EQ((std::vector<int>{order[0], order[1], order[2], order[3]}), (std::vector<int>{1, 2, 0, 3}));
    EXPECT_EQ(Form1->sg1->ColWidths(2), 90);
    EXPECT_EQ(Form1->sg1->Cells(2, 0), model().column_titles[0]);
}

TEST_F(NodeTable, TheKeyFilterTakesOneSeparatorPerHalf) {
    make_profile({0, 10});
    struct Case {
        char separator;
        const char* typed;
        const char* kept;
    };
    const Case cases[] = {
        {'.', "12,5/13,1", "12.5/13.1"}, {'.', "12.5.3", "12.53"},   {'.', "1/2/3", "1/23"},
        {',', "12.5/13.1", "12,5/13,1"}, {',', "7a-bm", "7-m"},       {'.', "x9", "9"},
    };
    for (const Case& c : cases) {
        decimal_separator = c.separator;
        Form1->sg1->FocusCell(col(column_kind::ter), 2, true);
        user::focus(Form1->sg1);
        user::key(VK_F2);
        Form1->sg1->SetEditorText("");
        model().separator_allowed = true;
        user::type(Form1->sg1, c.typed);
        EXPECT_EQ(Form1->sg1->EditorText(), c.kept) << c.typed;
        user::key(VK_ESCAPE);
    }
    decimal_separator = '.';
    // A node name takes ten characters, then Backspace and "/" only.
    Form1->sg1->FocusCell(col(column_kind::wez), 2, true);
    user::key(VK_F2);
    Form1->sg1->SetEditorText("");
    user::type(Form1->sg1, "ABCDEFGHIJKL");
    EXPECT_EQ(Form1->sg1->EditorText(), "ABCDEFGHIJ");
    user::key(VK_ESCAPE);
}

TEST_F(NodeTable, ATypedValueIsStoredByItsKindAndAnEmptiedCellTakesTheEmptyValue) {
    make_profile({0, 10, 20});
    topcje->cb_GradientMode->SetItemIndex(1);
    struct Case {
        column_kind kind;
        const char* typed;
        double wezel::*number;
        value_pair wezel::*pair;
        value_pair stored;
    };
    const Case cases[] = {
        {column_kind::ter, "101.5/101.7", nullptr, &wezel::ter, {101.5, 101.7}},
        {column_kind::zag, "2.5", nullptr, &wezel::zag, value_pair(2.5)},
        {column_kind::terp, "101.1", nullptr, &wezel::terp, value_pair(101.1)},
        {column_kind::spad, "5", &wezel::spad, nullptr, value_pair(0.5)},  // per mille
        {column_kind::dlug, "12.25", &wezel::dlug, nullptr, value_pair(12.25)},
        {column_kind::kat, "/7", &wezel::kat, nullptr, value_pair(0)},
        {column_kind::ter, "", nullptr, &wezel::ter, value_pair(0)},
        {column_kind::dlug, "", &wezel::dlug, nullptr, value_pair(0)},
    };
    for (const Case& c : cases) {
        enter(c.kind, 1, c.typed);
        if (c.pair) {
            EXPECT_DOUBLE_EQ((node(1).*c.pair).s1, c.stored.s1) << c.typed;
            EXPECT_DOUBLE_EQ((node(1).*c.pair).s2, c.stored.s2) << c.typed;
        } else {
            EXPECT_DOUBLE_EQ(node(1).*c.number, c.stored.s1) << c.typed;
        }
    }
    enter(column_kind::mat, 1, "PVC");
    enter(column_kind::kom, 1, "uwaga");
    EXPECT_EQ(node(1).mat, "PVC");
    EXPECT_EQ(node(1).kom, "uwaga");
    // An emptied object cell keeps the node's object.
    node(1).obiekt = "sump";
    Form1->odswiez_dane(0, true);
    enter(column_kind::obiekt, 1, "");
    EXPECT_EQ(node(1).obiekt, "sump");
}

TEST_F(NodeTable, ANumberThatDoesNotConvertIsRefusedOnceAndStoresNothing) {
    make_profile({0, 10});
    node(0).dno = value_pair(98.5);
    Form1->odswiez_dane(0, true);
    Form1->sg1->FocusCell(col(column_kind::dno), 2, true);
    Form1->sg1BeforeEdit(Form1->sg1, col(column_kind::dno), 2);
    Form1->sg1->SetCell(col(column_kind::dno), 2, "-");
    Form1->sg1AfterEdit(Form1->sg1, col(column_kind::dno), 2);
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_EQ(ui().boxes[0].text, "Niepoprawny format danych: \r\" - \"");
    EXPECT_DOUBLE_EQ(node(0).dno.s1, 98.5);
    EXPECT_TRUE(model().undo_list.empty());
    EXPECT_EQ(cell(column_kind::dno, 0), "98.50");
}

TEST_F(NodeTable, AValueReadBackAsShownKeepsThePipeWhereItIs) {
    make_profile({0, 10, 20});
    node(1).fi = {200, 300};
    node(1).dno = value_pair(99);
    Form1->rg_PipeOrdinateMode->SetItemIndex(1);  // axis
    struct Case {
        bool bottom_shown;
        const char* typed;
        value_pair stored;
    };
    const Case cases[] = {
        {false, "100.10/100.15", {100.0, 100.0}},
        {true, "100.50", {100.5, 100.5}},  // the bottom shown is the bottom stored
    };
    for (const Case& c : cases) {
        topcje->cb_AlwaysShowBottomPipe->SetChecked(c.bottom_shown);
        enter(column_kind::dno, 1, c.typed);
        EXPECT_NEAR(node(1).dno.s1, c.stored.s1, 1e-9) << c.typed;
        EXPECT_NEAR(node(1).dno.s2, c.stored.s2, 1e-9) << c.typed;
    }
    // A cancelled edit and an edit that leaves the shown text keep every decimal.
    node(1).dno = {100.004, 100.004};
    Form1->odswiez_dane(0, true);
    Form1->sg1->FocusCell(col(column_kind::dno), 3, true);
    user::focus(Form1->sg1);
    user::key(VK_F2);
    user::type(Form1->sg1, "7");
    user::key(VK_ESCAPE);
    EXPECT_DOUBLE_EQ(node(1).dno.s1, 100.004);
    user::key(VK_F2);
    user::key(VK_RETURN);
    EXPECT_DOUBLE_EQ(node(1).dno.s1, 100.004);
}

TEST_F(NodeTable, ADiameterChangeKeepsTheShownLevelOfEachRowOfAPaste) {
    make_profile({0, 10, 20, 30});
    Form1->rg_PipeOrdinateMode->SetItemIndex(1);
    topcje->cb_DepthAlways2BottomPipe->SetChecked(true);
    for (std::size_t i = 0; i < 4; ++i) node(i).dno = value_pair(100.0 - static_cast<double>(i));
    node(2).fi = value_pair(300);
    // Two rows pasted: the second row's node keeps its 300 mm, so its pipe stays.
    ui().clipboard = std::string("300\r\n300\r\n");
    Form1->sg1->FocusCell(col(column_kind::fi), 3, true);
    ui().answer(IDYES);  // the cells hold diameters already
    Form1->a_CellPaste->Execute();
    EXPECT_NEAR(node(1).dno.s2, 99.0 - 0.05, 1e-9);  // 200 -> 300 at the axis: the bottom drops 5 cm
    EXPECT_NEAR(node(2).dno.s2, 98.0, 1e-9);
    EXPECT_EQ(model().profiles[0].nodes.size(), 4u);  // a final CR LF appends no node
}

TEST_F(NodeTable, UndoFindsItsValueAfterNodesAndColumnsMoved) {
    make_profile({0, 10, 20});
    enter(column_kind::ter, 1, "101.2");
    enter(column_kind::ter, 1, "101.5");
    enter(column_kind::ter, 1, "101.5");  // the same value records nothing
    ASSERT_EQ(model().undo_list.size(), 2u);
    EXPECT_TRUE(Form1->a_Undo->Enabled());
    // A node inserted before it, and the terrain column moved.
    Form1->sg1->FocusCell(col(column_kind::ter), 2, true);
    Form1->a_NodeInsert->Execute();
    Form1->sg1->MoveColumn(col(column_kind::ter), 4);
    user::key('Z', ssCtrl);
    EXPECT_DOUBLE_EQ(node(2).ter.s1, 101.2);
    EXPECT_DOUBLE_EQ(node(2).dlug, 0);  // nothing written into the column now at the old position
    EXPECT_TRUE(Form1->a_Redo->Enabled());
    user::key('Y', ssCtrl);
    EXPECT_DOUBLE_EQ(node(2).ter.s1, 101.5);
    // An entry whose node is gone is dropped and the next one is undone.
    user::key('Z', ssCtrl);
    enter(column_kind::ter, 0, "90");
    enter(column_kind::ter, 2, "95");
    ui().answer(IDYES);
    Form1->usun_wezel(0, 2, false, 2);
    user::key('Z', ssCtrl);
    EXPECT_DOUBLE_EQ(node(0).ter.s1, 0);
    EXPECT_EQ(model().redo_list.size(), 2u);
    user::key('Z', ssCtrl);  // the first edit's node is gone too
    EXPECT_TRUE(model().undo_list.empty());
    EXPECT_FALSE(Form1->a_Undo->Enabled());
}

TEST_F(NodeTable, TheUndoListKeepsTheNewest100AndANewEditKeepsRedo) {
    make_profile({0, 10});
    for (int i = 1; i <= 101; ++i) Form1->undo(static_cast<uint8_t>(col(column_kind::dlug)), 0, 0, "", i, i);
    EXPECT_EQ(model().undo_list.size(), 100u);
    user::key('Z', ssCtrl);
    enter(column_kind::kom, 0, "x");
    EXPECT_EQ(model().redo_list.size(), 1u);
    // An object cell is never recorded.
    const std::size_t before = model().undo_list.size();
    enter(column_kind::obiekt, 0, "hydrant");
    EXPECT_EQ(model().undo_list.size(), before);
}

// Each kind typed into the table (every kind standing there) and undone:
// the entry puts back the node's value as the kind holds it; the kinds
// whose entries keep nothing are recorded but change no node, and the
// object and pipe columns record nothing.
TEST_F(NodeTable, EveryKindIsUndoneAsItsEntryKeepsIt) {
    make_profile({0, 10, 20});
    for (std::size_t p = 0; p < column_kind_count; ++p) model().column_order[p] = static_cast<uint8_t>(p);
    Form1->przypisz_kolumny(false);
    enum class entry { restores, changes_nothing, none };
    struct Case {
        column_kind kind;
        const char* typed;
        entry kept;
        value_pair wezel::*pair = nullptr;
        double wezel::*number = nullptr;
        std::string wezel::*text = nullptr;
    };
    using K = column_kind;
    using W = wezel;
    const Case cases[] = {
        {K::ter, "7/8", entry::restores, &W::ter},       {K::terp, "7", entry::restores, &W::terp},
        {K::lin, "7", entry::restores, &W::lin},         {K::lin2, "7", entry::restores, &W::lin2},
        {K::dno, "7/6", entry::restores, &W::dno},       {K::zag, "7", entry::restores, &W::zag},
        {K::fi, "300", entry::restores, &W::fi},         {K::szer, "0.7", entry::restores, &W::szer},
        {K::dlug, "7", entry::restores, {}, &W::dlug},   {K::spad, "7", entry::restores, {}, &W::spad},
        {K::flow, "7", entry::restores, {}, &W::flow},   {K::wsplx, "7", entry::restores, {}, &W::wsplx},
        {K::wsply, "7", entry::restores, {}, &W::wsply}, {K::kat, "7", entry::restores, {}, &W::kat},
        {K::odl, "7", entry::changes_nothing, {}, &W::odl},
        {K::rad, "7", entry::changes_nothing, {}, &W::rad},
        {K::sflow, "7", entry::changes_nothing, {}, &W::sflow},
        {K::kol, "7", entry::changes_nothing},           {K::osl, "7", entry::changes_nothing},
        {K::user1, "7", entry::changes_nothing},         {K::pipe, "7", entry::none},
        {K::mat, "PE", entry::restores, {}, {}, &W::mat}, {K::kom, "uwaga", entry::restores, {}, {}, &W::kom},
        {K::wez, "S9", entry::restores, {}, {}, &W::wez}, {K::obiekt, "hydrant", entry::none, {}, {}, &W::obiekt},
    };
    // The kind's value in the node, as text to compare.
    auto value = [](const Case& c) {
        const wezel& w = node(1);
        if (c.pair) return Format("%g/%g", {(w.*c.pair).s1, (w.*c.pair).s2});
        if (c.number) return Format("%g", {w.*c.number});
        if (c.text) return w.*c.text;
        return std::string();
    };
    for (const Case& c : cases) {
        model().undo_list.clear();
        model().redo_list.clear();
        const std::string before = value(c);
        enter(c.kind, 1, c.typed);
        const std::string typed = value(c);
        EXPECT_EQ(model().undo_list.size(), c.kept == entry::none ? 0u : 1u) << c.typed;
        if (c.kept == entry::none) continue;
        user::key('Z', ssCtrl);
        EXPECT_EQ(value(c), c.kept == entry::restores ? before : typed) << column_of(c.kind).key;
        EXPECT_EQ(model().redo_list.size(), 1u) << column_of(c.kind).key;
        if (c.kept == entry::restores) {
            EXPECT_NE(before, typed) << column_of(c.kind).key;
        }
    }
    // The own scale is whole: a typed 500.6 is 501, undone to none.
    enter(column_kind::scale, 1, "500.6");
    EXPECT_EQ(node(1).scale, 501);
    user::key('Z', ssCtrl);
    EXPECT_EQ(node(1).scale, 0);
}

TEST_F(NodeTable, AnEditedTerrainGoesToTheNamesakesWithANote) {
    make_profile({0, 10});
    node(0).wez = "S1";
    for (int i = 2; i <= 3; ++i) {
        const uint16_t p = add_profile("q" + std::to_string(i), static_cast<uint16_t>(i), {0, 5});
        model().profiles[p].rysuj = i == 2;
        model().profiles[p].nodes[1].wez = "S1";
    }
    Form1->tabs_odswiez(0);
    enter(column_kind::ter, 0, "120.5");
    EXPECT_DOUBLE_EQ(model().profiles[1].nodes[1].ter.s1, 120.5);
    EXPECT_DOUBLE_EQ(model().profiles[2].nodes[1].ter.s1, 0);  // not in the drawing
    EXPECT_EQ(Form1->StatusBar1->Panels(0)->Text(),
              "Węzeł \"S1\" znaleziono w 1 profilach. Zaktualizowano w nich pole \"Teren istn.\"."_cp);
}

TEST_F(NodeTable, RenamingAsksForEachNamesakeAndOffersTheDataOfTheNewName) {
    make_profile({0, 10});
    node(0).wez = "A";
    const uint16_t q = add_profile("q", 2, {0, 5, 9});
    model().profiles[q].nodes[0].wez = "A";
    model().profiles[q].nodes[1].wez = "A";
    model().profiles[q].nodes[1].wsplx = model().profiles[q].nodes[1].wsply = 7;
    node(0).wsplx = node(0).wsply = 7;  // the same plan point: renamed without asking
    model().profiles[q].nodes[2].wez = "B";
    model().profiles[q].nodes[2].ter = value_pair(111);
    model().profiles[q].nodes[2].ter_used = value_pair(111);
    Form1->tabs_odswiez(0);
    ui().answer(IDNO);   // node 0 of q keeps "A"
    ui().answer(IDYES);  // copy the data of "B"
    enter(column_kind::wez, 0, "B");
    EXPECT_EQ(node(0).wez, "B");
    EXPECT_EQ(model().profiles[q].nodes[0].wez, "A");
    EXPECT_EQ(model().profiles[q].nodes[1].wez, "B");
    // The namesakes renamed with it take the data of the node that bore the name.
    EXPECT_DOUBLE_EQ(model().profiles[q].nodes[1].ter.s1, 111);
    EXPECT_DOUBLE_EQ(node(0).ter.s1, 0);
    ASSERT_EQ(ui().boxes.size(), 2u);
    EXPECT_EQ(ui().boxes[0].text, "Węzeł \"A\" istnieje również w profilu \"q\".\rCzy jego nazwę również zmienić na B?"_cp);
}

TEST_F(NodeTable, ShiftArrowsCopyValuesAndDownOnTheLastRowAppends) {
    make_profile({0, 10, 20});
    node(0).ter = {101, 102};
    node(0).flow = 4;
    node(0).wez = "S1";
    Form1->odswiez_dane(0, true);
    Form1->sg1->FocusCell(col(column_kind::ter), 2, true);
    user::focus(Form1->sg1);
    user::key(VK_DOWN, ssShift);
    EXPECT_DOUBLE_EQ(node(1).ter.s2, 102);
    Form1->sg1->FocusCell(col(column_kind::wez), 2, true);
    user::key(VK_DOWN, ssShift | ssAlt);
    EXPECT_DOUBLE_EQ(node(1).flow, 4);
    EXPECT_EQ(node(1).wez, "");
    EXPECT_EQ(node(1).id, 2);
    Form1->sg1->FocusCell(col(column_kind::ter), 4, true);
    user::key(VK_DOWN);
    ASSERT_EQ(model().profiles[0].nodes.size(), 4u);
    EXPECT_EQ(node(3).id, 4);
}

TEST_F(NodeTable, CellsGoToTheClipboardAsTabbedLines) {
    make_profile({0, 10, 20});
    node(0).mat = "PE";
    node(1).mat = "PVC";
    Form1->odswiez_dane(0, true);
    const int m = col(column_kind::mat);
    Form1->sg1->FocusCell(m, 2, true);
    Form1->sg1->SetSelection(TGridRect{m, 2, m + 1, 4});
    Form1->a_CellCopy->Execute();
    // The last row has neither a material nor a diameter: no trailing TAB or line.
    EXPECT_EQ(ui().clipboard.value(), "PE\t200\r\nPVC\t200");
    // Appended nodes take the largest id plus 1.
    Form1->a_NodeAdd->Execute();
    EXPECT_EQ(node(3).id, 4);
}

TEST_F(NodeTable, ComputedColumnsAndInterpolatedTerrainAreColoured) {
    make_profile({0, 10, 20}, 2);
    topcje->cb_InterpolationGroundExists->SetChecked(true);
    node(0).ter = value_pair(100);
    node(2).ter = value_pair(102);
    Form1->rg_ManuallyValue->SetItemIndex(2);  // slopes entered
    Form1->koloruj_kolumny();
    TStringAlignGrid* g = Form1->sg1;
    EXPECT_EQ(g->col_colour(col(column_kind::dno)), auto_colour);
    EXPECT_EQ(g->cell_colour(col(column_kind::dno), 2), clWhite);
    EXPECT_EQ(g->col_colour(col(column_kind::zag)), auto_colour);
    EXPECT_NE(g->col_colour(col(column_kind::spad)), auto_colour);
    EXPECT_EQ(g->cell_colour(col(column_kind::ter), 3), auto_colour);  // interpolated
    EXPECT_EQ(g->effective_font(col(column_kind::ter), 3).Color, clGray);
    EXPECT_NE(g->cell_colour(col(column_kind::ter), 2), auto_colour);
    Form1->rg_ManuallyValue->SetItemIndex(0);
    EXPECT_EQ(g->col_colour(col(column_kind::spad)), auto_colour);
    EXPECT_NE(g->col_colour(col(column_kind::dno)), auto_colour);
    // Off: nothing coloured.
    topcje->cb_AutoCalculatedCellColor->SetChecked(false);
    Form1->koloruj_kolumny();
    EXPECT_NE(g->col_colour(col(column_kind::spad)), auto_colour);
    EXPECT_NE(g->cell_colour(col(column_kind::ter), 3), auto_colour);
}

TEST_F(NodeTable, AProfileTypedNodeByNodeGetsItsLengthsSlopesAndDepths) {
    model().profiles.clear();
    Form1->tabs_odswiez(0);  // no profile: nothing to type into
    Form1->sg1BeforeEdit(Form1->sg1, 0, 2);
    EXPECT_TRUE(model().profiles.empty());
    kasowanie_profili(true);
    user::choose(Form1->rg_ManuallyValueDistance, 1);  // chainages entered
    user::choose(Form1->rg_ManuallyValue, 0);          // pipe ordinates entered
    const struct {
        const char *chainage, *terrain, *pipe, *name;
    } typed[] = {{"0", "102", "100", "S1"}, {"25", "101.5", "99.75", "S2"}, {"60", "101", "99.4", "S3"},
                 {"100", "100.2", "99", "S4"}};
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            Form1->sg1->FocusCell(col(column_kind::odl), i + 1, true);
            user::focus(Form1->sg1);
            user::key(VK_DOWN);  // on the last row: a new node
        }
        enter(column_kind::odl, i, typed[i].chainage);
        enter(column_kind::ter, i, typed[i].terrain);
        enter(column_kind::dno, i, typed[i].pipe);
        enter(column_kind::wez, i, typed[i].name);
    }
    ASSERT_EQ(model().profiles[0].nodes.size(), 4u);
    // Lengths 25, 35 and 40 m; each segment falls 1 %; depths terrain less bottom.
    const char* lengths[] = {"25.00", "35.00", "40.00", ""};
    const char* depths[] = {"2.00", "1.75", "1.60", "1.20"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(cell(column_kind::dlug, i), lengths[i]) << i;
        EXPECT_EQ(cell(column_kind::zag, i), depths[i]) << i;
        EXPECT_EQ(cell(column_kind::wez, i), typed[i].name) << i;
        if (i < 3) {
            EXPECT_EQ(cell(column_kind::spad, i), "1.0") << i;
        }
    }
    EXPECT_EQ(Form1->sg1->col_colour(col(column_kind::zag)), auto_colour);
}

TEST_F(NodeTable, NodesAreCopiedAndPastedByTheirKeysAndTheChooserOpensFromTheMenuWithCtrl) {
    make_profile({0, 10, 20});
    node(0).wez = "S1";
    node(0).kom = "uwaga";
    Form1->odswiez_dane(0, true);
    Form1->sg1->FocusCell(col(column_kind::kom), 2, true);
    user::focus(Form1->sg1);
    user::key('C', ssCtrl | ssShift);
    EXPECT_EQ(model().node_buffer.kom, "uwaga");
    Form1->sg1->FocusCell(col(column_kind::kom), 4, true);
    user::key('V', ssCtrl | ssShift);
    EXPECT_EQ(node(2).kom, "uwaga");
    EXPECT_EQ(node(2).id, 3);  // the pasted node keeps its own id
    // From the menu with Ctrl held, and with an empty buffer, the chooser opens.
    bool chooser = false;
    ui().on_modal("Ttcopy", [&](TForm&) { chooser = true; });
    ui().held_keys = {VK_CONTROL};
    Form1->a_NodePaste->Execute();
    EXPECT_TRUE(chooser);
    ui().held_keys.clear();
    chooser = false;
    model().node_buffer.id = 0;
    ui().on_modal("Ttcopy", [&](TForm&) { chooser = true; });
    Form1->a_NodePaste->Execute();
    EXPECT_TRUE(chooser);
}

TEST_F(NodeTable, APasteWritesExactlyItsLinesAndAnUnknownObjectReferencePastesItsKey) {
    make_profile({0, 10});
    struct Case {
        const char* text;
        std::size_t nodes;  // after pasting from the last row down
    };
    for (const Case c : {Case{"1\r\n2", 3}, Case{"1\r\n2\r\n", 3}, Case{"5", 2}}) {
        model().profiles[0].nodes.resize(2);
        node(1).kat = 0;  // an angle of 0 counts as empty: nothing to replace
        Form1->odswiez_dane(0, true);
        ui().clipboard = std::string(c.text);
        Form1->sg1->FocusCell(col(column_kind::kat), 3, true);
        Form1->a_CellPaste->Execute();
        EXPECT_EQ(model().profiles[0].nodes.size(), c.nodes) << c.text;
    }
    // The last row took "5" unasked: it held no angle before.
    EXPECT_DOUBLE_EQ(node(1).kat, 5);
    // A sump the project does not hold: the key alone, and no sump appended.
    ui().clipboard = std::string("sump|0|7");
    Form1->sg1->FocusCell(col(column_kind::obiekt), 2, true);
    Form1->a_CellPaste->Execute();
    EXPECT_EQ(node(0).obiekt, "sump");
    EXPECT_TRUE(model().project.sumps.empty());
}

}  // namespace
