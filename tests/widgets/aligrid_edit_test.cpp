// The table component's in-place editing as the owner sees it, one event
// log per road, and the walk to the next cell.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/input.h"
#include "platform/stdctrls.h"
#include "support/toolkit_fixture.h"
#include "widgets/aligrid.h"

namespace {

using Log = std::vector<std::string>;

class AlignGridEdit : public ToolkitTest {
protected:
    TForm* form = make_form();
    // Columns 1..5 and rows 1..7 take data; every cell editable.
    TStringAlignGrid* grid = [this] {
        auto* g = new TStringAlignGrid(form);
        g->SetParent(form);
        g->SetBounds(0, 0, 500, 300);
        g->SetColCount(6);
        g->SetRowCount(8);
        g->Options |= goEditing;
        return g;
    }();
    TEdit* other = [this] {
        auto* e = new TEdit(form);
        e->SetParent(form);
        return e;
    }();
    Log log;
    bool valid = true;

    static std::string at(const char* what, int c, int r) {
        return std::string(what) + " " + std::to_string(c) + "," + std::to_string(r);
    }
    void SetUp() override {
        grid->OnBeforeEdit = [this](TObject*, int c, int r) { log.push_back(at("before", c, r)); };
        grid->OnCancelEdit = [this](TObject*, int c, int r) { log.push_back(at("cancel", c, r)); };
        grid->OnValidateEdit = [this](TObject*, int c, int r, bool& ok) {
            log.push_back(at("validate", c, r));
            ok = valid;
        };
        grid->OnAfterEdit = [this](TObject*, int c, int r) { log.push_back(at("after", c, r)); };
        grid->OnSelectCell = [this](TObject*, int c, int r, bool&) { log.push_back(at("select", c, r)); };
        grid->OnKeyPress = [this](TObject*, char& k) {
            log.push_back(k == '\r' ? std::string("key Enter") : "key " + std::string(1, k));
        };
        grid->SetFocus();
    }
    // Puts the current cell somewhere without logging it.
    void go(int c, int r) {
        const auto saved = grid->OnSelectCell;
        grid->OnSelectCell = nullptr;
        grid->FocusCell(c, r, true);
        grid->OnSelectCell = saved;
        log.clear();
    }
};

TEST_F(AlignGridEdit, TheWorkedSequenceOfTypingAndEnter) {
    grid->AutoEditNextCell = true;
    grid->SetCell(3, 5, "old");
    go(3, 5);
    user::type(grid, "7");
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_EQ(grid->editor().StartingText, "old");
    EXPECT_EQ(grid->Cells(3, 5), "7") << "the selected old text was replaced";
    user::key(VK_RETURN);
    EXPECT_EQ(log, (Log{"before 3,5", "key 7", "key Enter", "validate 3,5", "after 3,5", "select 4,5", "before 4,5"}));
    EXPECT_EQ(grid->Cells(3, 5), "7");
    EXPECT_EQ(grid->Col(), 4);
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_TRUE(grid->editing());
}

TEST_F(AlignGridEdit, AnEditEndsExactlyOnce) {
    // Each road: the keys after typing "5" into (2, 2), and the log from the
    // first key on, including a later opening of the editor on (2, 3).
    struct Case {
        const char* road;
        std::vector<Word> keys;
        Log want;
        std::string text;
    } cases[] = {
        {"Esc cancels alone and puts the text back", {VK_ESCAPE},
         {"before 2,2", "key 5", "cancel 2,2", "select 2,3", "before 2,3", "key 1"}, "b"},
        {"Enter reports once; the next cell's opening reports nothing old", {VK_RETURN},
         {"before 2,2", "key 5", "key Enter", "validate 2,2", "after 2,2", "select 2,3", "before 2,3", "key 1"}, "5"},
        {"Down ends the old cell before anything runs for the next", {VK_DOWN},
         {"before 2,2", "key 5", "validate 2,2", "after 2,2", "select 2,3", "before 2,3", "key 1"}, "5"},
    };
    for (const Case& c : cases) {
        grid->SetCell(2, 2, "b");
        go(2, 2);
        user::type(grid, "5");
        for (Word k : c.keys) user::key(k);
        if (grid->Row() != 3) user::key(VK_DOWN);
        user::type(grid, "1");
        grid->end_edit(true);
        log.pop_back();  // the cancel of (2, 3)
        EXPECT_EQ(log, c.want) << c.road;
        EXPECT_EQ(grid->Cells(2, 2), c.text) << c.road;
    }
}

TEST_F(AlignGridEdit, AFailedValidationKeepsTheEditGoingInItsCell) {
    grid->AutoEditNextCell = true;
    grid->SetCell(1, 1, "1");
    go(1, 1);
    valid = false;
    user::type(grid, "x");
    user::key(VK_RETURN);
    EXPECT_EQ(log, (Log{"before 1,1", "key x", "key Enter", "validate 1,1", "before 1,1"}));
    EXPECT_EQ(grid->Col(), 1) << "Enter does not move on";
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_EQ(grid->editor().StartingText, "x") << "the starting text is taken anew";
    log.clear();
    user::key(VK_DOWN);
    EXPECT_EQ(log, (Log{"validate 1,1", "before 1,1"}));
    EXPECT_EQ(grid->Row(), 1) << "leaving is refused too";
    // Leaving the grid keeps the focus in it.
    user::focus(other);
    EXPECT_TRUE(grid->Focused());
    EXPECT_TRUE(grid->EditorMode());
    user::key(VK_ESCAPE);
    EXPECT_EQ(grid->Cells(1, 1), "x") << "Esc restores the text that failed";
    EXPECT_FALSE(grid->editing());
    valid = true;
    log.clear();
    user::type(grid, "y");
    user::focus(other);
    EXPECT_EQ(log, (Log{"before 1,1", "key y", "validate 1,1", "after 1,1"}));
    EXPECT_TRUE(other->Focused());
}

TEST_F(AlignGridEdit, TheOwnerFinishesOrCancelsAPendingEdit) {
    grid->SetCell(4, 4, "a");
    go(4, 4);
    user::type(grid, "b");
    grid->end_edit(false);
    grid->end_edit(false);  // nothing runs any more
    EXPECT_EQ(log, (Log{"before 4,4", "key b", "validate 4,4", "after 4,4"}));
    EXPECT_FALSE(grid->EditorMode());
    log.clear();
    user::type(grid, "c");
    grid->end_edit(true);
    EXPECT_EQ(log, (Log{"before 4,4", "key c", "cancel 4,4"}));
    EXPECT_EQ(grid->Cells(4, 4), "b");
}

TEST_F(AlignGridEdit, AnOwnerEndingTheEditItsBeforeEditStartsKeepsTheFirstKey) {
    // As the node table does on an empty profile: the start of the edit
    // makes a row and ends any pending edit, which rewrites the cell.
    grid->OnBeforeEdit = [this](TObject*, int c, int r) {
        log.push_back(at("before", c, r));
        grid->end_edit(false);
        grid->SetCell(c, r, "0.00");
    };
    go(2, 2);
    user::type(grid, "100");
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_EQ(grid->Cells(2, 2), "100") << "the key that opened the editor is its first character";
    EXPECT_EQ(grid->editor().StartingText, "0.00");
    user::key(VK_RETURN);
    EXPECT_EQ(log, (Log{"before 2,2", "key 1", "key 0", "key 0", "key Enter", "validate 2,2", "after 2,2"}));

    // Cancelling it there keeps the editor closed; the key reaches the owner.
    grid->OnBeforeEdit = [this](TObject*, int c, int r) {
        log.push_back(at("before", c, r));
        grid->end_edit(true);
    };
    go(3, 3);
    user::type(grid, "5");
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_FALSE(grid->editing());
    EXPECT_EQ(log, (Log{"before 3,3", "cancel 3,3", "key 5"}));
}

TEST_F(AlignGridEdit, TheOwnerLearnsWhetherTheEndedEditWasTyped) {
    std::vector<std::string> ends;
    grid->OnAfterEdit = [&](TObject*, int c, int r) {
        ends.push_back(at(grid->EditorModified() ? "typed" : "left", c, r) +
                       (grid->reporting_edit_end() ? "" : " (not reporting)"));
    };
    grid->OnClick = [this](TObject*) { log.push_back(at("click", grid->Col(), grid->Row())); };
    grid->AutoEditNextCell = true;
    grid->SetCell(1, 1, "b");
    go(1, 1);
    user::key(VK_F2);
    user::key(VK_DOWN);  // opened and left without a key
    user::key(VK_F2);
    user::key(VK_END);
    user::key(VK_UP);    // the caret moved, the text did not
    user::type(grid, "b");
    user::key(VK_RETURN);  // the same text, typed
    EXPECT_EQ(ends, (std::vector<std::string>{"left 1,1", "left 1,2", "typed 1,1"}));
    EXPECT_FALSE(grid->reporting_edit_end());
    // The walk after Enter moves the current cell like the user: it clicks.
    EXPECT_EQ(log.back(), "before 2,1");
    EXPECT_NE(std::find(log.begin(), log.end(), "click 2,1"), log.end());
}

TEST_F(AlignGridEdit, TheFieldSeparatorCannotBeTyped) {
    grid->SetCell(1, 1, "ab");
    go(1, 1);
    user::key(VK_F2);
    user::type(grid, "\xA4" "c");
    EXPECT_EQ(grid->Cells(1, 1), "abc");
    EXPECT_EQ(log, (Log{"before 1,1", "key c"}));
}

TEST_F(AlignGridEdit, ATableWithoutEditableCellsPassesCharactersToTheOwner) {
    grid->Editable = false;
    go(2, 2);
    user::type(grid, "q");
    user::key(VK_RETURN);
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(log, (Log{"key q", "key Enter"}));
}

TEST_F(AlignGridEdit, SelectEditTextOffAppendsToTheText) {
    grid->SelectEditText = false;
    grid->SetCell(1, 1, "12");
    go(1, 1);
    user::type(grid, "3");
    EXPECT_EQ(grid->Cells(1, 1), "123");
}

TEST_F(AlignGridEdit, TheEndOfTheWalkDecidesAfterTheLastCell) {
    grid->AutoEditNextCell = true;
    // Only the first and the last data cells are editable.
    grid->Editable = false;
    grid->set_cell_editable(1, 1, true);
    grid->set_cell_editable(5, 7, true);
    struct Case {
        T_lastcell at_end;
        int col, row, rows;
        bool editor;
    } cases[] = {
        {lc_stop, 5, 7, 8, false},
        {lc_first, 1, 1, 8, true},
        {lc_exit, 5, 7, 8, false},
    };
    for (const Case& c : cases) {
        grid->AfterLastCellEdit = c.at_end;
        grid->SetFocus();
        go(5, 7);
        user::type(grid, "9");
        user::key(VK_RETURN);
        EXPECT_EQ(grid->Col(), c.col) << int(c.at_end);
        EXPECT_EQ(grid->Row(), c.row) << int(c.at_end);
        EXPECT_EQ(grid->RowCount(), c.rows);
        EXPECT_EQ(grid->EditorMode(), c.editor);
        EXPECT_EQ(std::count(log.begin(), log.end(), "after 5,7"), 1);
        EXPECT_EQ(other->Focused(), c.at_end == lc_exit);
        grid->end_edit(true);
    }
}

TEST_F(AlignGridEdit, ANewRowIsTakenEvenWhereItsFirstColumnIsReadOnly) {
    grid->AutoEditNextCell = true;
    grid->AfterLastCellEdit = lc_newcolrow;
    grid->set_col_editable(1, false);
    go(5, 7);
    user::type(grid, "9");
    user::key(VK_RETURN);
    EXPECT_EQ(grid->RowCount(), 9);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 8);
    // The editor may not open on a read-only cell.
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(log.back(), "select 1,8");
}

TEST_F(AlignGridEdit, EightDirectionsStepWrapAndEnd) {
    // A 3 x 3 data area: columns 1..3, rows 1..3.
    struct Case {
        T_nextcell dir;
        int mid[4], wrap[4], end[2];
        int newcell[2], rows, cols;
        int first[2];
    } cases[] = {
        {nc_rightdown, {1, 1, 2, 1}, {3, 1, 1, 2}, {3, 3}, {1, 4}, 5, 4, {1, 1}},
        {nc_downright, {1, 1, 1, 2}, {1, 3, 2, 1}, {3, 3}, {4, 1}, 4, 5, {1, 1}},
        {nc_leftdown, {3, 1, 2, 1}, {1, 1, 3, 2}, {1, 3}, {3, 4}, 5, 4, {3, 1}},
        {nc_downleft, {3, 1, 3, 2}, {3, 3, 2, 1}, {1, 3}, {1, 1}, 4, 5, {3, 1}},
        {nc_leftup, {3, 3, 2, 3}, {1, 3, 3, 2}, {1, 1}, {3, 1}, 5, 4, {3, 3}},
        {nc_upleft, {3, 3, 3, 2}, {3, 1, 2, 3}, {1, 1}, {1, 3}, 4, 5, {3, 3}},
        {nc_rightup, {1, 3, 2, 3}, {3, 3, 1, 2}, {3, 1}, {1, 1}, 5, 4, {1, 3}},
        {nc_upright, {1, 3, 1, 2}, {1, 1, 2, 3}, {3, 1}, {4, 3}, 4, 5, {1, 3}},
    };
    for (const Case& c : cases) {
        auto* g = new TStringAlignGrid(form);
        g->SetParent(form);
        g->SetColCount(4);
        g->SetRowCount(4);
        int col = c.mid[0], row = c.mid[1];
        g->step_cell(c.dir, lc_stop, col, row);
        EXPECT_EQ((std::vector<int>{col, row}), (std::vector<int>{c.mid[2], c.mid[3]})) << int(c.dir);
        col = c.wrap[0], row = c.wrap[1];
        g->step_cell(c.dir, lc_stop, col, row);
        EXPECT_EQ((std::vector<int>{col, row}), (std::vector<int>{c.wrap[2], c.wrap[3]})) << int(c.dir);
        for (T_lastcell at_end : {lc_stop, lc_first, lc_exit, lc_newcolrow}) {
            col = c.end[0], row = c.end[1];
            g->step_cell(c.dir, at_end, col, row);
            std::vector<int> want{-1, -1};
            if (at_end == lc_first) want = {c.first[0], c.first[1]};
            if (at_end == lc_newcolrow) want = {c.newcell[0], c.newcell[1]};
            EXPECT_EQ((std::vector<int>{col, row}), want) << int(c.dir) << " at end " << int(at_end);
        }
        EXPECT_EQ(g->RowCount(), c.rows) << int(c.dir);
        EXPECT_EQ(g->ColCount(), c.cols) << int(c.dir);
        delete g;
    }
}

TEST_F(AlignGridEdit, TabWalksWithGoTabsAndShiftTabWalksBack) {
    grid->Options |= goTabs;
    grid->NextCellTab = nc_downright;
    go(2, 7);
    user::key(VK_TAB);
    EXPECT_EQ((std::vector<int>{grid->Col(), grid->Row()}), (std::vector<int>{3, 1}));
    user::key(VK_TAB, ssShift);
    EXPECT_EQ((std::vector<int>{grid->Col(), grid->Row()}), (std::vector<int>{2, 7}));
    go(5, 7);
    user::key(VK_TAB);  // lc_first after the last cell
    EXPECT_EQ((std::vector<int>{grid->Col(), grid->Row()}), (std::vector<int>{1, 1}));
    EXPECT_TRUE(grid->Focused());
}

TEST_F(AlignGridEdit, ClipboardKeysGoToTheOwnerWhenItAsks) {
    std::vector<TGridClipboardRequest> asked;
    grid->OnClipboardRequest = [&](TObject*, TGridClipboardRequest r) { asked.push_back(r); };
    grid->SetCell(1, 1, "keep");
    ui().clipboard = std::string("new");
    go(1, 1);
    user::key(VK_INSERT, ssShift);
    user::key(VK_INSERT, ssCtrl);
    user::key(VK_DELETE, ssShift);
    EXPECT_EQ(asked, (std::vector<TGridClipboardRequest>{TGridClipboardRequest::Paste, TGridClipboardRequest::Copy,
                                                          TGridClipboardRequest::Cut}));
    EXPECT_EQ(grid->Cells(1, 1), "keep");
    EXPECT_EQ(ui().clipboard, std::string("new"));

    grid->OnClipboardRequest = nullptr;
    user::key(VK_INSERT, ssShift);
    EXPECT_EQ(grid->Cells(1, 1), "new");
    user::key(VK_DELETE, ssShift);
    EXPECT_EQ(grid->Cells(1, 1), "");
    EXPECT_EQ(ui().clipboard, std::string("new\t\r\n"));
}

TEST_F(AlignGridEdit, PressesOnFixedCellsReportTheirRowOrColumn) {
    std::vector<std::string> clicks;
    grid->OnFixedColClick = [&](TObject*, int c) { clicks.push_back("col " + std::to_string(c)); };
    grid->OnFixedRowClick = [&](TObject*, int r) { clicks.push_back("row " + std::to_string(r)); };
    for (auto [c, r] : {std::pair{3, 0}, std::pair{0, 4}, std::pair{0, 0}, std::pair{2, 2}}) {
        const TRect rc = grid->CellRect(c, r);
        user::mouse_down(grid, TMouseButton::mbLeft, ssLeft, rc.Left + 2, rc.Top + 2);
        user::mouse_up(grid, TMouseButton::mbLeft, 0, rc.Left + 2, rc.Top + 2);
    }
    EXPECT_EQ(clicks, (std::vector<std::string>{"col 3", "row 4"}));
}

TEST_F(AlignGridEdit, AMultilineEditorKeepsEnterAndTheArrows) {
    grid->EditMultiline = true;
    grid->SetCell(1, 1, "a");
    go(1, 1);
    user::key(VK_RETURN);
    EXPECT_FALSE(grid->EditorMode()) << "Enter on the grid does not open the editor";
    user::key(VK_F2);
    user::key(VK_RETURN);
    user::key(VK_DOWN);
    user::type(grid, "b");
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->Cells(1, 1), "a\r\nb");
    EXPECT_TRUE(grid->EditorLook().Multiline);
}

TEST_F(AlignGridEdit, TheEditorTakesTheCellsLookAndFollowsItsRow) {
    grid->set_cell_alignment(2, 3, alRight);
    grid->set_cell_colour(2, 3, clYellow);
    grid->cell_font(2, 3).Style = fsBold;
    go(2, 3);
    user::key(VK_F2);
    EXPECT_EQ(grid->EditorLook().Alignment, TAlignment::taRightJustify);
    EXPECT_EQ(grid->EditorLook().Color, clYellow);
    EXPECT_EQ(grid->EditorLook().Font.Style, static_cast<TFontStyles>(fsBold));
    grid->MoveRow(3, 1);
    EXPECT_EQ(grid->editor().BoundRow, 1);
    EXPECT_EQ(grid->cell_alignment(2, 1), alRight) << "the properties move with the row";
    grid->insert_row(1);
    EXPECT_EQ(grid->editor().BoundRow, 2);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_EQ(log, (Log{"before 2,3"}));
}

}  // namespace
