// The node table as a person types into it, driven by user actions: the
// first key of an empty profile, typing again after Ctrl keys and header
// clicks, a typed value equal to what the cell shows, the columns after the
// settings' OK, and which actions mark the project modified (every change,
// after a save and after an open) and which do not (looking around).
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/program.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "forms/skojarzone.h"
#include "model/columns.h"
#include "model/profiles.h"
#include "model/recalculation.h"
#include "model/state.h"
#include "platform/cp1250.h"
#include "platform/input.h"
#include "platform/ini.h"
#include "platform/sysutils.h"
#include "support/fixture.h"
#include "support/model_builders.h"

namespace {

const std::string save_question = "Czy zapisać bieżące dane?"_cp;

class TableInput : public ProgramTest {
protected:
    TableInput() {
        prog->show_main_window();
        show_data_page();
    }

    // The data page as large as a window shows it, so that every column of
    // the table and every row of the side panel can be clicked.
    static void show_data_page() {
        decimal_separator = '.';
        Form1->ts_Data->SetBounds(0, 0, 1300, 800);
        user::focus(Form1->sg1);
    }
    static TStringAlignGrid* table() { return Form1->sg1; }
    static int col(column_kind k) { return model().position_of(k); }
    static std::vector<wezel>& nodes() { return model().profiles.at(model().current_profile).nodes; }
    static const std::string& cell(column_kind k, int node) { return table()->Cells(col(k), node + 2); }
    static bool editing_on() { return (table()->Options & goEditing) != 0; }
    // The side panel's row of a kind that stands there.
    static int panel_row(column_kind k) {
        return col(k) - column_kind_count + Form1->sag_Panel->RowCount();
    }

    // Types the text key by key into the current cell and ends the edit
    // with Enter; the editor the table then opens on the next cell is left
    // with Esc.
    static void type_here(std::string_view text, TStringAlignGrid* grid = table()) {
        user::type(grid, text);
        user::key(VK_RETURN);
        if (grid->editing()) user::key(VK_ESCAPE);
    }
    // Clicks a cell of the node table and types into it.
    static void type_cell(column_kind k, int node, std::string_view text) {
        user::click_cell(table(), col(k), node + 2);
        type_here(text);
    }
    // Runs a command of the node menu as a user does.
    static void run_node_command(TAction* command) {
        user::choose_menu(Form1->mi_Node);
        for (int i = 0; i < Form1->mi_Node->Count(); ++i)
            if (Form1->mi_Node->Items(i)->Action() == command) {
                user::choose_menu(Form1->mi_Node->Items(i));
                return;
            }
        FAIL() << "no item of " << command->Name();
    }

    // One profile of nodes 10 m apart, the terrain entered at both ends
    // (100 and 102), shown in the table.
    static void three_nodes() {
        model().profiles.clear();
        add_profile("profil1", 1, {0, 10, 20});
        model().profiles[0].rysuj = true;
        for (wezel& w : model().profiles[0].nodes) w.dlug = 10;
        model().profiles[0].nodes[0].ter = value_pair(100);
        model().profiles[0].nodes[2].ter = value_pair(102);
        Form1->tabs_odswiez(0);
        set_project_modified(true);
    }
    std::string project_file() const { return home.file("projekt.hlv"); }
    // Saves the project under its file with Ctrl+S.
    void save() {
        model().project_path = project_file();
        user::key('S', ssCtrl);
        ASSERT_FALSE(model().project_modified);
    }
    // Opens the project's file through the open dialog (Ctrl+O).
    void open() {
        ui().choose_file(project_file());
        user::key('O', ssCtrl);
        show_data_page();
        ASSERT_EQ(model().project_path, project_file());
        ASSERT_FALSE(model().project_modified);
    }
};

TEST_F(TableInput, TheKeyThatStartsAnEditIsItsFirstCharacter) {
    struct Case {
        const char* what;
        column_kind kind;
        const char* typed;
        std::function<void()> then;
        std::function<bool()> stored;
        const char* shown;  // the cell of the first node at the end
    } cases[] = {
        {"a terrain typed into an empty profile", column_kind::ter, "100.00", [] {},
         [] { return nodes()[0].ter == value_pair(100); }, "100.00"},
        // The last node has no pipe after it: its diameter shows once the
        // next node is added.
        {"a diameter on the only node, then the next node", column_kind::fi, "200",
         [] { user::key(VK_DOWN); }, [] { return nodes().size() == 2 && nodes()[0].fi == value_pair(200); }, "200"},
        {"a name", column_kind::wez, "S1", [] {}, [] { return nodes()[0].wez == "S1"; }, "S1"},
    };
    for (const Case& c : cases) {
        if (model().project_modified) ui().answer(IDNO);
        user::key('N', ssCtrl);
        show_data_page();
        ASSERT_TRUE(nodes().empty()) << c.what;
        type_cell(c.kind, 0, c.typed);
        c.then();
        ASSERT_FALSE(nodes().empty()) << c.what;
        EXPECT_TRUE(c.stored()) << c.what;
        EXPECT_EQ(cell(c.kind, 0), c.shown) << c.what;
    }
}

TEST_F(TableInput, TypingGoesOnAfterCtrlKeysAndHeaderClicks) {
    three_nodes();
    type_cell(column_kind::dno, 0, "98");  // something to undo
    const int ter = col(column_kind::ter), dno = col(column_kind::dno);
    auto ctrl = [](Word key) {
        return [key] {
            user::key(VK_CONTROL, ssCtrl);
            if (key != 0) user::key(key, ssCtrl);
        };
    };
    struct Case {
        const char* what;
        std::function<void()> lock;  // switches typing off
        std::function<void()> back;  // the next click of the table switches it on
    } cases[] = {
        {"Ctrl alone, then Down", ctrl(0), [] { user::key(VK_DOWN); }},
        {"Ctrl+C, then a click on a cell", ctrl('C'), [ter] { user::click_cell(table(), ter, 2); }},
        {"Ctrl+Z, then Up", ctrl('Z'), [] { user::key(VK_UP); }},
        {"Ctrl+Y, then a click on the current cell", ctrl('Y'), [] { user::click_cell(table(), table()->Col(), table()->Row()); }},
        {"a header click, then Right", [ter] { user::click_cell(table(), ter, 0); }, [] { user::key(VK_RIGHT); }},
        {"Ctrl, then a click on the side panel", ctrl(0), [] { user::click_cell(Form1->sag_Panel, 2, 1); }},
    };
    for (const Case& c : cases) {
        user::click_cell(table(), dno, 3);
        c.lock();
        EXPECT_FALSE(editing_on()) << c.what;
        const int at_col = table()->Col(), at_row = table()->Row();
        const std::string before = table()->Cells(at_col, at_row);
        user::type(table(), "7");
        EXPECT_FALSE(table()->EditorMode()) << c.what << ": Ctrl with clicks selects blocks";
        EXPECT_EQ(table()->Cells(at_col, at_row), before) << c.what;

        c.back();
        EXPECT_TRUE(editing_on()) << c.what;
        const int typed_col = table()->Col(), typed_row = table()->Row();
        type_here("12.5");
        EXPECT_EQ(table()->Cells(typed_col, typed_row), "12.50") << c.what;
    }
}

TEST_F(TableInput, AValueTypedAsTheCellShowsItIsEnteredAndACellLeftUntypedKeepsItsValue) {
    three_nodes();
    set_project_modified(false);
    // The middle node's terrain is not entered: the cell shows the
    // interpolated 101.00 in grey.
    ASSERT_EQ(cell(column_kind::ter, 1), "101.00");
    ASSERT_EQ(nodes()[1].ter, value_pair(0));
    user::click_cell(table(), col(column_kind::ter), 3);
    user::key(VK_F2);
    user::key(VK_DOWN);
    EXPECT_EQ(nodes()[1].ter, value_pair(0)) << "a cell left without typing stores nothing";
    EXPECT_FALSE(model().project_modified);
    type_cell(column_kind::ter, 1, "101.00");
    EXPECT_EQ(nodes()[1].ter, value_pair(101)) << "the shown terrain typed is entered";
    EXPECT_TRUE(model().project_modified);

    // The side panel shows the general scale for a node without its own;
    // typed, it becomes the node's own.
    user::click_cell(table(), col(column_kind::ter), 3);
    const int scale = panel_row(column_kind::scale);
    const std::string general = Form1->sag_Panel->Cells(2, scale);
    ASSERT_FALSE(general.empty());
    ASSERT_EQ(nodes()[1].scale, 0);
    user::click_cell(Form1->sag_Panel, 2, scale);
    type_here(general, Form1->sag_Panel);
    EXPECT_EQ(nodes()[1].scale, StrToInt(general));

    // Decimals beyond those shown stay when the cell is left, and give way
    // to what is typed; typing the same value again is no change.
    nodes()[0].ter = value_pair(100.004);
    przelicz(0, true, all_columns);
    ASSERT_EQ(cell(column_kind::ter, 0), "100.00");
    set_project_modified(false);
    user::click_cell(table(), col(column_kind::ter), 2);
    user::key(VK_F2);
    user::key(VK_DOWN);
    EXPECT_EQ(nodes()[0].ter, value_pair(100.004));
    type_cell(column_kind::ter, 0, "100.00");
    EXPECT_EQ(nodes()[0].ter, value_pair(100));
    EXPECT_TRUE(model().project_modified);
    set_project_modified(false);
    type_cell(column_kind::ter, 0, "100.00");
    EXPECT_FALSE(model().project_modified);
}

TEST_F(TableInput, AfterTheSettingsOKTheTableShowsEveryColumn) {
    three_nodes();
    type_cell(column_kind::wez, 0, "S1");
    std::vector<std::string> row;
    for (int c = 0; c < table()->ColCount(); ++c) row.push_back(table()->Cells(c, 2));
    ASSERT_EQ(row[static_cast<std::size_t>(col(column_kind::wez))], "S1");
    ui().on_modal("Ttopcje", [](TForm&) { user::click(topcje->b_OK); });
    user::click(Form1->SpeedButton8);
    std::vector<std::string> after;
    for (int c = 0; c < table()->ColCount(); ++c) after.push_back(table()->Cells(c, 2));
    EXPECT_EQ(after, row);
}

TEST_F(TableInput, EveryNodeCommandAfterASaveOrAnOpenMarksTheProject) {
    struct Command {
        const char* what;
        std::function<void()> run;
        int yes = 0;  // the questions it asks, answered Yes
    } commands[] = {
        {"Node > Add", [] { run_node_command(Form1->a_NodeAdd); }},
        {"Node > Insert", [] { run_node_command(Form1->a_NodeInsert); }},
        {"Node > Delete", [] { run_node_command(Form1->a_NodeDelete); }, 1},
        {"Node > Cut", [] { run_node_command(Form1->a_NodeCut); }, 1},
        {"Node > Copy, Node > Paste", [] {
             run_node_command(Form1->a_NodeCopy);
             user::key(VK_DOWN);
             run_node_command(Form1->a_NodePaste);
         }},
        {"Ins", [] { user::key(VK_INSERT); }},
        {"Delete", [] { user::key(VK_DELETE); }, 1},
        {"Down on the last row", [] {
             user::click_cell(table(), col(column_kind::ter), 4);
             user::key(VK_DOWN);
         }},
        {"Shift+Down", [] { user::key(VK_DOWN, ssShift); }},
        {"Shift+Alt+Down", [] { user::key(VK_DOWN, ssShift | ssAlt); }},
        {"a typed cell", [] { type_cell(column_kind::kom, 1, "studnia"); }},
        {"a cell emptied by Cut", [] {
             user::click_cell(table(), col(column_kind::ter), 2);
             Form1->a_CellCut->Execute();
         }},
        {"Ctrl+V into a cell", [this] {
             ui().clipboard = "99.5";
             user::key('V', ssCtrl);
         }, 1},
        {"Ctrl+Z of an edit saved since", [this] {
             type_cell(column_kind::kom, 0, "a");
             save();
             user::key('Z', ssCtrl);
         }},
        {"Ctrl+Y of an edit taken back and saved since", [this] {
             type_cell(column_kind::kom, 0, "b");
             user::key('Z', ssCtrl);
             save();
             user::key('Y', ssCtrl);
         }},
        {"Profile > reverse the order", [] { Form1->a_ProfileChangeOrder->Execute(); }},
        {"Profile > duplicate", [] { Form1->a_ProfileDuplicate->Execute(); }},
        {"Profile > split", [] { Form1->a_ProfileSplit->Execute(); }},
        {"a profile left out of the drawing", [] { user::choose_menu(Form1->mi_that1); }},
        {"the pipe laid parallel to the terrain", [] { user::click(Form1->cb_PipellTerrain); }, 1},
        {"the pipe level given at the axis", [] { user::choose(Form1->rg_PipeOrdinateMode, 1); }},
    };
    for (const bool opened : {false, true}) {
        for (const Command& c : commands) {
            const std::string what = std::string(c.what) + (opened ? " after an open" : " after a save");
            three_nodes();
            save();
            if (opened) {
                user::key('N', ssCtrl);
                open();
            }
            user::click_cell(table(), col(column_kind::ter), 3);
            ASSERT_FALSE(model().project_modified) << what;
            ASSERT_FALSE(Form1->a_ProjectSave->Enabled()) << what;
            for (int i = 0; i < c.yes; ++i) ui().answer(IDYES);
            c.run();
            EXPECT_TRUE(model().project_modified) << what;
            EXPECT_TRUE(Form1->a_ProjectSave->Enabled()) << what;
            // Closing the window asks first.
            ui().boxes.clear();
            ui().answer(IDCANCEL);
            user::close(Form1);
            ASSERT_EQ(ui().boxes.size(), 1u) << what;
            EXPECT_EQ(ui().boxes[0].text, save_question) << what;
            EXPECT_TRUE(Form1->Visible()) << what;
        }
    }
}

TEST_F(TableInput, LookingAroundLeavesAProjectUnmodified) {
    three_nodes();
    add_profile("profil2", 2, {0, 10});
    // Nodes with their lengths: the preview's drawing command deletes empty
    // nodes, which is a change.
    for (wezel& w : model().profiles[1].nodes) w.dlug = 10;
    Form1->tabs_odswiez(0);
    save();
    open();
    const std::function<void()> looks[] = {
        [] { user::key(VK_DOWN); },
        [] { user::key(VK_RIGHT, ssShift); },
        [] { user::click_cell(table(), col(column_kind::dno), 3); },
        [] { user::click_cell(table(), col(column_kind::odl), 0); },
        [] { user::click_cell(Form1->sag_Panel, 2, 2); },
        [] { user::key(VK_F2); user::key(VK_DOWN); },
        [] { user::key(VK_F2); user::key(VK_ESCAPE); },
        [] { user::choose_tab(Form1->tab_profile, 1); },
        [] { user::choose_tab(Form1->tab_profile, 0); },
        [] {
            for (int page = 0; page < Form1->PageControl1->PageCount(); ++page)
                user::choose_page(Form1->PageControl1, page);
            user::choose_page(Form1->PageControl1, Form1->ts_Data->PageIndex());
        },
        [this] {
            ui().on_modal("Ttskojarzone", [](TForm& f) { f.SetModalResult(mrCancel); });
            user::key('D', ssCtrl);
        },
        [this] {
            ui().on_modal("Ttopcje", [](TForm& f) { f.SetModalResult(mrCancel); });
            user::click(Form1->SpeedButton8);
        },
    };
    int i = 0;
    for (const auto& look : looks) {
        look();
        EXPECT_FALSE(model().project_modified) << "look " << i;
        EXPECT_FALSE(Form1->a_ProjectSave->Enabled()) << "look " << i;
        ++i;
    }

    // Started with the project named on the command line.
    prog.reset();
    ini_cache_clear();
    prog = std::make_unique<Program>(ui(), std::vector<std::string>{home.file("bin/halvoren"), project_file()});
    prog->show_main_window();
    ASSERT_EQ(model().project_path, project_file());
    EXPECT_FALSE(model().project_modified);
    EXPECT_FALSE(Form1->a_ProjectSave->Enabled());
}

}  // namespace
