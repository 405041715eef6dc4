#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/comctrls.h"
#include "platform/dialogs.h"
#include "platform/grids.h"
#include "platform/input.h"
#include "platform/menus.h"
#include "platform/stdctrls.h"
#include "platform/sysutils.h"
#include "support/toolkit_fixture.h"

namespace {

class Toolkit : public ToolkitTest {
protected:
    TForm* form = make_form();
    std::vector<std::string> log;
    TNotifyEvent logger(const std::string& what) {
        return [this, what](TObject*) { log.push_back(what); };
    }
};

// --- the old toolkit's event habits --------------------------------------

TEST_F(Toolkit, SettingStateFromCodeRunsClickHandlersOnlyOnChange) {
    auto* cb = new TCheckBox(form);
    cb->SetParent(form);
    cb->OnClick = logger("check");
    cb->SetChecked(true);
    cb->SetChecked(true);   // no change, no click
    cb->SetChecked(false);
    EXPECT_EQ(log, (std::vector<std::string>{"check", "check"}));

    log.clear();
    auto* r1 = new TRadioButton(form);
    auto* r2 = new TRadioButton(form);
    r1->SetParent(form);
    r2->SetParent(form);
    r1->OnClick = logger("r1");
    r2->OnClick = logger("r2");
    r1->SetChecked(true);
    r2->SetChecked(true);   // unchecks r1 without running r1's handler
    r2->SetChecked(false);  // unchecking runs nothing
    EXPECT_FALSE(r1->Checked());
    EXPECT_EQ(log, (std::vector<std::string>{"r1", "r2"}));

    log.clear();
    auto* rg = new TRadioGroup(form);
    rg->Items().SetText("a\nb\nc");
    rg->OnClick = logger("group");
    rg->SetItemIndex(1);
    rg->SetItemIndex(1);
    rg->SetItemIndex(7);  // clamped to the last item
    EXPECT_EQ(rg->ItemIndex(), 2);
    EXPECT_EQ(log, (std::vector<std::string>{"group", "group"}));
}

TEST_F(Toolkit, EditTextAndSpinAndTrackValuesRunOnChangeButComboIndexDoesNot) {
    auto* e = new TEdit(form);
    e->OnChange = logger("edit");
    e->SetText("abc");
    e->SetText("abc");
    EXPECT_EQ(log, std::vector<std::string>{"edit"});

    log.clear();
    auto* se = new TSpinEdit(form);
    se->MinValue = 1;
    se->MaxValue = 10;
    se->OnChange = logger("spin");
    se->SetValue(5);
    se->SetValue(50);  // clamped to 10: a change
    se->SetValue(10);  // the same value: no change
    EXPECT_EQ(se->Value(), 10);
    EXPECT_EQ(log, (std::vector<std::string>{"spin", "spin"}));

    log.clear();
    auto* tb = new TTrackBar(form);
    tb->SetRange(0, 20);
    tb->SetPosition(15);
    tb->OnChange = logger("track");
    tb->SetMax(10);  // the range clamps the position: a change
    tb->SetPosition(-3);
    EXPECT_EQ(tb->Position(), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"track", "track"}));

    log.clear();
    auto* combo = new TComboBox(form);
    combo->Items().SetText("x\ny");
    combo->OnChange = logger("combo change");
    combo->OnClick = logger("combo click");
    combo->SetItemIndex(1);
    EXPECT_EQ(combo->Text(), "y");
    EXPECT_TRUE(log.empty());
    user::choose(combo, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"combo click", "combo change"}));
}

TEST_F(Toolkit, AHandlerCanBeDetachedAndPutBack) {
    auto* cb = new TCheckBox(form);
    cb->OnClick = logger("click");
    auto saved = cb->OnClick;
    cb->OnClick = nullptr;
    cb->SetChecked(true);
    cb->OnClick = saved;
    cb->SetChecked(false);
    EXPECT_EQ(log, std::vector<std::string>{"click"});
}

// --- keys, shortcuts and focus -------------------------------------------

TEST_F(Toolkit, ShortcutsGoToActionsBeforeTheFocusedControlInActionListOrder) {
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->OnKeyDown = [this](TObject*, Word& key, TShiftState) { log.push_back("edit key " + IntToStr(key)); };
    auto* first = new TActionList(form);
    auto* second = new TActionList(form);
    auto* a1 = new TAction(form);
    auto* a2 = new TAction(form);
    auto* a3 = new TAction(form);
    a1->SetActionList(first);
    a2->SetActionList(first);
    a3->SetActionList(second);
    a1->SetShortCut(ShortCut('S', ssCtrl | ssShift));
    a2->SetShortCut(ShortCut('S', ssCtrl));
    a3->SetShortCut(ShortCut('S', ssCtrl));  // shadowed by a2
    a1->OnExecute = logger("save as");
    a2->OnExecute = logger("save");
    a3->OnExecute = logger("other");
    edit->SetFocus();

    user::key('S', ssCtrl);
    user::key('S', ssCtrl | ssShift);
    user::key('S', ssCtrl | ssAlt);  // no action has this exact set
    EXPECT_EQ(log, (std::vector<std::string>{"save", "save as", "edit key 83"}));

    // A disabled action does not take its key: the next list's action does.
    log.clear();
    a2->SetEnabled(false);
    user::key('S', ssCtrl);
    EXPECT_EQ(log, std::vector<std::string>{"other"});
}

TEST_F(Toolkit, MessageHookAndKeyPreviewSeeKeysFirst) {
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetFocus();
    form->KeyPreview = true;
    form->OnKeyDown = [this](TObject*, Word& key, TShiftState) {
        log.push_back("form");
        if (key == VK_F5) key = 0;
    };
    edit->OnKeyDown = [this](TObject*, Word&, TShiftState) { log.push_back("edit"); };
    app->OnMessage = [this](TMsg& m, bool& handled) {
        if (m.kind != TMsg::KeyDown) return;
        log.push_back("hook");
        handled = m.key == VK_F9;
    };
    user::key(VK_F4);
    user::key(VK_F5);
    user::key(VK_F9);
    EXPECT_EQ(log, (std::vector<std::string>{"hook", "form", "edit", "hook", "form", "hook"}));
}

TEST_F(Toolkit, TypingGoesThroughKeyPressFilters) {
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->OnKeyPress = [](TObject*, char& k) {
        if (k == 'x') k = 0;            // refused
        else if (k == ',') k = '.';     // changed
    };
    user::type(edit, "1,5x");
    EXPECT_EQ(edit->Text(), "1.5");
}

TEST_F(Toolkit, FocusRunsExitThenEnter) {
    auto* a = new TEdit(form);
    auto* b = new TEdit(form);
    a->SetParent(form);
    b->SetParent(form);
    a->OnEnter = logger("enter a");
    a->OnExit = logger("exit a");
    b->OnEnter = logger("enter b");
    a->SetFocus();
    b->SetFocus();
    EXPECT_TRUE(b->Focused());
    EXPECT_FALSE(a->Focused());
    EXPECT_EQ(log, (std::vector<std::string>{"enter a", "exit a", "enter b"}));
    b->SetEnabled(false);
    EXPECT_THROW(b->SetFocus(), Exception);
}

// --- forms -----------------------------------------------------------------

TEST_F(Toolkit, FormsOwnControlsInCreationOrderAndFindThemByName) {
    auto* x = new TButton(form);
    x->SetName("b_OK");
    auto* y = new TLabel(form);
    y->SetName("l_Info");
    form->Tag = 7;
    EXPECT_EQ(form->Components(0), x);
    EXPECT_EQ(form->Components(1), y);
    EXPECT_EQ(form->FindComponent("B_ok"), x);
    EXPECT_EQ(form->FindComponent("none"), nullptr);
    delete x;
    EXPECT_EQ(form->ComponentCount(), 1);
}

TEST_F(Toolkit, NestedModalFormsRunWithTheirResponders) {
    std::vector<TForm*> forms;
    for (int i = 0; i < 4; ++i) {
        auto* f = new TForm(app.get());
        f->set_class_name("TLevel" + IntToStr(i));
        auto* ok = new TButton(f);
        ok->SetParent(f);
        ok->ModalResult = mrOk;
        f->OnShow = [this, i](TObject*) { log.push_back("show " + IntToStr(i)); };
        forms.push_back(f);
    }
    TModalResult inner_results[4] = {};
    for (int i = 0; i < 4; ++i) {
        ui().on_modal("TLevel" + IntToStr(i), [&, i](TForm& f) {
            EXPECT_EQ(app->ActiveForm(), &f);
            if (i < 3) inner_results[i + 1] = forms[static_cast<std::size_t>(i + 1)]->ShowModal();
            user::click(static_cast<TControl*>(f.Components(0)));
        });
    }
    EXPECT_EQ(forms[0]->ShowModal(), mrOk);
    for (int i = 1; i < 4; ++i) EXPECT_EQ(inner_results[i], mrOk);
    EXPECT_EQ(log, (std::vector<std::string>{"show 0", "show 1", "show 2", "show 3"}));
    EXPECT_EQ(app->modal_depth(), 0);
    EXPECT_FALSE(forms[0]->Visible());
    EXPECT_TRUE(ui().script_used_up());
}

TEST_F(Toolkit, ModalFormCanRefuseToCloseAndUnscriptedModalIsAScriptError) {
    auto* dlg = new TForm(app.get());
    dlg->set_class_name("Tdlg");
    int asked = 0;
    dlg->OnCloseQuery = [&](TObject*, bool& can) { can = ++asked > 1; };
    ui().on_modal("Tdlg", [](TForm& f) { f.SetModalResult(mrOk); });
    ui().on_modal("Tdlg", [](TForm&) {});  // the user closes it: mrCancel
    EXPECT_EQ(dlg->ShowModal(), mrCancel);
    EXPECT_EQ(asked, 2);
    EXPECT_THROW(dlg->ShowModal(), ScriptError);
    EXPECT_FALSE(dlg->Visible());
}

// --- exceptions, posted calls, message boxes -----------------------------

TEST_F(Toolkit, AnExceptionInAHandlerBecomesTheStandardErrorBox) {
    auto* b = new TButton(form);
    b->SetParent(form);
    b->OnClick = [](TObject*) { throw EConvertError("'abc' is not a valid floating point value"); };
    user::click(b);
    b->OnClick = [](TObject*) { throw EAbort(); };
    user::click(b);
    b->OnClick = [](TObject*) { throw EInOutError("Disk full!"); };
    user::click(b);
    ASSERT_EQ(ui().boxes.size(), 2u);
    EXPECT_EQ(ui().boxes[0].text, "'abc' is not a valid floating point value.");
    EXPECT_EQ(ui().boxes[0].caption, app->Title);
    EXPECT_EQ(ui().boxes[0].icon(), MB_ICONERROR);
    EXPECT_EQ(ui().boxes[1].text, "Disk full!");
}

TEST_F(Toolkit, PostedCallsRunInOrderIncludingThoseTheyPost) {
    app->post([this] {
        log.push_back("1");
        app->post([this] { log.push_back("3"); });
    });
    app->post([this] { log.push_back("2"); });
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(app->process_pending(), 3);
    EXPECT_EQ(log, (std::vector<std::string>{"1", "2", "3"}));
}

TEST_F(Toolkit, MessageBoxesAreRecordedAndAnsweredFromTheScript) {
    ShowMessage("plain");
    ui().answer(IDNO);
    EXPECT_EQ(MessageBox("Czy zapisać?"_cp, MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
    EXPECT_THROW(MessageBox("again?", MB_YESNO), ScriptError);
    ui().answer(IDCANCEL);
    EXPECT_THROW(MessageBox("yes or no?", MB_YESNO), ScriptError);  // Cancel is not a button of it
    ASSERT_GE(ui().boxes.size(), 2u);
    EXPECT_EQ(ui().boxes[1].text, "Czy zapisać?"_cp);
    EXPECT_EQ(ui().boxes[1].buttons(), MB_YESNOCANCEL);
    EXPECT_EQ(ui().boxes[1].icon(), MB_ICONQUESTION);
}

// --- timers and dialogs ---------------------------------------------------

TEST_F(Toolkit, TimersFireOnTheVirtualClock) {
    auto* often = new TTimer(form);
    auto* once = new TTimer(form);
    often->SetInterval(1000);
    once->SetInterval(2500);
    often->OnTimer = logger("often");
    once->OnTimer = [this, once](TObject*) {
        log.push_back("once");
        once->SetEnabled(false);
    };
    ui().advance(3000);
    EXPECT_EQ(log, (std::vector<std::string>{"often", "often", "once", "often"}));
    log.clear();
    often->SetEnabled(false);
    ui().advance(5000);
    EXPECT_TRUE(log.empty());
    // Enabling again starts the interval anew.
    often->SetEnabled(true);
    ui().advance(999);
    EXPECT_TRUE(log.empty());
    ui().advance(1);
    EXPECT_EQ(log, std::vector<std::string>{"often"});
}

TEST_F(Toolkit, CommonDialogsTakeTheScriptedChoice) {
    TOpenDialog od(nullptr);
    od.Filter = "projekt (.hlv)|*.hlv|projekt 1.x (.txt)|*.txt";
    ui().choose_file("/tmp/a.txt", 2);
    ui().cancel_file_dialog();
    EXPECT_TRUE(od.Execute());
    EXPECT_EQ(od.FileName, "/tmp/a.txt");
    EXPECT_EQ(od.FilterIndex, 2);
    EXPECT_FALSE(od.Execute());
    EXPECT_EQ(od.filter_pairs()[1], (std::pair<std::string, std::string>{"projekt 1.x (.txt)", "*.txt"}));
    TColorDialog cd(nullptr);
    ui().choose_color(clRed);
    EXPECT_TRUE(cd.Execute());
    EXPECT_EQ(cd.Color, clRed);
    std::string folder = "/x";
    ui().cancel_folder_dialog();
    EXPECT_FALSE(SelectDirectory("Folder", folder));
    EXPECT_EQ(folder, "/x");
    EXPECT_THROW(od.Execute(), ScriptError);
}

// --- menus and actions ----------------------------------------------------

TEST_F(Toolkit, LinkedControlsFollowTheirActionAndExecuteIt) {
    auto* list = new TActionList(form);
    auto* act = new TAction(form);
    act->SetActionList(list);
    act->SetCaption("&Zapisz");
    act->OnExecute = logger("execute");
    auto* menu = new TMainMenu(form);
    auto* file = new TMenuItem(form);
    auto* save = new TMenuItem(form);
    menu->Items()->Add(file);
    file->Add(save);
    save->SetAction(act);
    auto* tool = new TToolButton(form);
    tool->SetAction(act);
    act->SetEnabled(false);
    EXPECT_FALSE(save->Enabled());
    EXPECT_FALSE(tool->Enabled());
    act->OnUpdate = [act](TObject*) { act->SetEnabled(true); };
    user::choose_menu(save);   // the update enables it first
    user::click(tool);
    EXPECT_EQ(save->Caption(), "&Zapisz");
    EXPECT_EQ(log, (std::vector<std::string>{"execute", "execute"}));
    delete act;  // the clients let go of it
    EXPECT_EQ(save->Action(), nullptr);
    EXPECT_EQ(tool->Action(), nullptr);
}

TEST_F(Toolkit, LinkedControlsShowTheirActionsPictureAndKeepTheirOwnHint) {
    auto* act = new TAction(form);
    act->SetCaption("Edytuj obiekt");
    auto* item = new TMenuItem(form);
    item->SetAction(act);
    auto* tool = new TToolButton(form);
    tool->SetAction(act);
    auto* speed = new TSpeedButton(form);
    speed->SetAction(act);
    speed->SetHint("Edytuj obiekt");
    act->SetImageName("halvoren-object");
    EXPECT_EQ(item->ImageName(), "halvoren-object");
    EXPECT_EQ(tool->ImageName(), "halvoren-object");
    EXPECT_EQ(speed->ImageName(), "halvoren-object");
    // Naming the picture applies nothing else of the action again.
    EXPECT_EQ(speed->Hint(), "Edytuj obiekt");
    // A client linked later takes it; a button of its own keeps its own.
    auto* late = new TToolButton(form);
    late->SetAction(act);
    EXPECT_EQ(late->ImageName(), "halvoren-object");
    auto* own = new TToolButton(form);
    own->SetImageName("halvoren-lock");
    own->SetAction(new TAction(form));
    EXPECT_EQ(own->ImageName(), "halvoren-lock");
}

TEST_F(Toolkit, RadioMenuItemsAndScriptedPopupChoice) {
    auto* pm = new TPopupMenu(form);
    pm->SetName("pm_Test");
    TMenuItem* items[3];
    for (int i = 0; i < 3; ++i) {
        items[i] = new TMenuItem(form);
        items[i]->SetCaption("Item &" + IntToStr(i));
        items[i]->RadioItem = true;
        items[i]->OnClick = [this, i](TObject*) { log.push_back("item " + IntToStr(i)); };
        pm->Items()->Add(items[i]);
    }
    items[0]->SetChecked(true);
    items[2]->SetChecked(true);
    EXPECT_FALSE(items[0]->Checked());
    ui().pick_from_popup("Item 1");
    pm->Popup(10, 10);
    EXPECT_EQ(log, std::vector<std::string>{"item 1"});
    EXPECT_EQ(ui().popups, std::vector<std::string>{"pm_Test"});
    pm->Items()->Delete(0);
    EXPECT_EQ(pm->Items()->Count(), 2);
}

// --- page control, tab control, tree ---------------------------------------

TEST_F(Toolkit, PagesChangeFromCodeWithoutChangeEventsButTheUserCanBeRefused) {
    auto* pc = new TPageControl(form);
    TTabSheet* sheets[3];
    for (auto*& s : sheets) {
        s = new TTabSheet(form);
        s->SetPageControl(pc);
    }
    sheets[1]->OnShow = logger("show 1");
    pc->OnChange = logger("change");
    pc->SetActivePageIndex(1);
    EXPECT_EQ(log, std::vector<std::string>{"show 1"});
    bool allow = false;
    pc->OnChanging = [&](TObject*, bool& a) { a = allow; };
    user::choose_page(pc, 2);
    EXPECT_EQ(pc->ActivePageIndex(), 1);
    allow = true;
    user::choose_page(pc, 2);
    EXPECT_EQ(pc->ActivePageIndex(), 2);
    EXPECT_EQ(log.back(), "change");

    auto* tabs = new TTabControl(form);
    tabs->AddTab("profil 1");
    tabs->AddTab("profil 2");
    tabs->OnChange = logger("tab change");
    tabs->SetTabIndex(1);
    EXPECT_EQ(log.back(), "change");
    const TRect r = tabs->TabRect(0);
    user::mouse_down(tabs, TMouseButton::mbLeft, ssLeft, r.Left + 2, r.Top + 2);
    EXPECT_EQ(tabs->TabIndex(), 0);
    EXPECT_EQ(log.back(), "tab change");
    EXPECT_EQ(tabs->IndexOfTabAt(tabs->TabRect(1).Left + 1, tabs->TabRect(1).Top + 1), 1);
}

TEST_F(Toolkit, TreeNodesKeepDisplayOrderAndSelection) {
    auto* tv = new TTreeView(form);
    TTreeNode* a = tv->Items().Add(nullptr, "a");
    TTreeNode* a1 = tv->Items().AddChild(a, "a1");
    TTreeNode* b = tv->Items().Add(a, "b");
    tv->Items().AddChildObject(a1, "a1x", 42);
    EXPECT_EQ(tv->Items().Count(), 4);
    EXPECT_EQ(tv->Items().Item(2)->Text(), "a1x");
    EXPECT_EQ(tv->Items().Item(2)->Data, 42);
    EXPECT_EQ(b->AbsoluteIndex(), 3);
    EXPECT_EQ(a1->Level(), 1);
    int changes = 0;
    tv->OnChange = [&](TObject*, TTreeNode*) { ++changes; };
    tv->SetSelected(a1);
    a->Delete();  // the selection goes with its parent
    EXPECT_EQ(tv->Selected(), nullptr);
    EXPECT_EQ(tv->Items().Count(), 1);
    EXPECT_EQ(changes, 1);
}

// --- grid ------------------------------------------------------------------

TEST_F(Toolkit, GridGeometryAndCurrentCell) {
    auto* g = new TStringGrid(form);
    g->SetBounds(0, 0, 400, 200);
    g->SetColCount(6);
    g->SetRowCount(20);
    g->SetDefaultColWidth(50);
    g->SetDefaultRowHeight(20);
    g->SetColWidth(0, 30);
    g->SetCell(3, 4, "x");
    EXPECT_EQ(g->CellRect(1, 1), Rect(31, 21, 81, 41));
    for (int c = 0; c < 6; ++c)
        for (int r = 0; r < 9; ++r) {
            const TRect rc = g->CellRect(c, r);
            int cc = -1, rr = -1;
            g->MouseToCell(rc.Left + 1, rc.Top + 1, cc, rr);
            EXPECT_EQ(cc, c);
            EXPECT_EQ(rr, r);
        }
    std::vector<std::pair<int, int>> asked;
    g->OnSelectCell = [&](TObject*, int c, int r, bool& can) {
        asked.push_back({c, r});
        can = c != 5;
    };
    g->SetRow(4);
    g->SetCol(3);
    g->SetCol(5);  // refused
    EXPECT_EQ(g->Col(), 3);
    EXPECT_EQ(g->Row(), 4);
    EXPECT_EQ(asked.size(), 3u);
    g->SetFocus();
    user::key(VK_DOWN, 0);
    user::key(VK_DOWN, ssShift);
    EXPECT_EQ(g->Row(), 6);
    EXPECT_EQ(g->Selection(), (TGridRect{3, 5, 3, 6}));
    g->SetRowCount(3);  // the current row follows the shrinking grid
    EXPECT_EQ(g->Row(), 2);
    EXPECT_EQ(g->Cells(3, 4), "");
    g->SetRowCount(20);
    EXPECT_EQ(g->Cells(3, 4), "");
}

TEST_F(Toolkit, GridTypingEditsTheCurrentCell) {
    auto* g = new TStringGrid(form);
    g->Options |= goEditing;
    std::vector<std::string> edits;
    g->OnSetEditText = [&](TObject*, int, int, const std::string& v) { edits.push_back(v); };
    g->SetCell(1, 1, "old");
    user::type(g, "12");
    EXPECT_TRUE(g->EditorMode());
    EXPECT_EQ(g->Cells(1, 1), "12");
    EXPECT_EQ(edits, (std::vector<std::string>{"1", "12"}));
    user::key(VK_RETURN);
    EXPECT_FALSE(g->EditorMode());
}

TEST_F(Toolkit, GridClicksOnEveryChangeOfTheCurrentCellByKeysMouseAndCode) {
    auto* g = new TStringGrid(form);
    g->SetParent(form);
    g->SetBounds(0, 0, 400, 300);
    g->SetColCount(6);
    g->SetRowCount(10);
    g->Options |= goEditing;
    g->OnClick = [&](TObject*) { log.push_back(std::to_string(g->Col()) + "," + std::to_string(g->Row())); };
    g->OnSelectCell = [](TObject*, int c, int, bool& can) { can = c != 5; };
    g->SetFocus();
    auto press = [g](int c, int r, TShiftState shift = 0) {
        const TRect rc = g->CellRect(c, r);
        user::mouse_down(g, TMouseButton::mbLeft, shift | ssLeft, rc.Left + 2, rc.Top + 2);
    };
    auto release = [g](int c, int r) {
        const TRect rc = g->CellRect(c, r);
        user::mouse_up(g, TMouseButton::mbLeft, 0, rc.Left + 2, rc.Top + 2);
    };
    struct Case {
        const char* what;
        std::function<void()> act;
        std::vector<std::string> clicks;
    } cases[] = {
        {"a key that moves", [] { user::key(VK_DOWN); }, {"1,2"}},
        {"Shift with an arrow moves the current cell too", [] { user::key(VK_RIGHT, ssShift); }, {"2,2"}},
        {"a key that cannot move", [] { user::key(VK_HOME); user::key(VK_LEFT); }, {"1,2"}},
        {"the current row set from code", [g] { g->SetRow(4); g->SetRow(4); }, {"1,4"}},
        {"a move refused by OnSelectCell", [g] { g->SetCol(5); }, {}},
        {"a press moves the cell, the release clicks", [&] { press(3, 3); log.push_back("pressed"); release(3, 3); },
         {"pressed", "3,3"}},
        {"a click on the current cell", [&] { press(3, 3); release(3, 3); }, {"3,3"}},
        {"a drag clicks once, where it ends", [&] {
             press(1, 1);
             const TRect rc = g->CellRect(2, 4);
             user::mouse_move(g, ssLeft, rc.Left + 2, rc.Top + 2);
             release(2, 4);
         }, {"2,4"}},
        {"a press on a header", [&] { press(2, 0); release(2, 0); }, {}},
        {"a cell's click by the script", [g] { user::click_cell(g, 4, 6); }, {"4,6"}},
        {"a press in the open editor is the editor's", [&] {
             user::key(VK_F2);
             press(4, 6);
             release(4, 6);
         }, {}},
        {"a press beside the open editor", [&] { press(4, 7); release(4, 7); }, {"4,7"}},
    };
    for (const Case& c : cases) {
        log.clear();
        c.act();
        EXPECT_EQ(log, c.clicks) << c.what;
    }
    // A handler that moves the current cell itself clicks once more, then rests.
    g->OnClick = [&](TObject*) {
        log.push_back(std::to_string(g->Row()));
        if (g->Row() != 8) g->SetRow(8);
    };
    log.clear();
    user::key(VK_UP);
    EXPECT_EQ(log, (std::vector<std::string>{"6", "8"}));
    EXPECT_EQ(g->Row(), 8);
}

TEST_F(Toolkit, GridEditorIsModifiedByTypingPastingAndSettingItsText) {
    auto* g = new TStringGrid(form);
    g->SetParent(form);
    g->Options |= goEditing;
    g->SetCell(1, 1, "12.5");
    g->SetFocus();
    ui().clipboard = "7";
    struct Case {
        const char* what;
        std::function<void()> act;
        bool modified;
    } cases[] = {
        {"opened and left", [] { user::key(VK_F2); user::key(VK_END); }, false},
        {"opened and cancelled", [] { user::key(VK_F2); user::key(VK_ESCAPE); }, false},
        {"typed, the same text as before", [g] { user::type(g, "12.5"); }, true},
        {"a character deleted", [] { user::key(VK_F2); user::key(VK_BACK); }, true},
        {"pasted", [] { user::key(VK_F2); user::key('V', ssCtrl); }, true},
        {"set by the program", [g] { user::key(VK_F2); g->SetEditorText("12.5"); }, true},
    };
    for (const Case& c : cases) {
        c.act();
        EXPECT_EQ(g->EditorModified(), c.modified) << c.what;
        // The flag outlives the editor until it opens again.
        if (g->EditorMode()) user::key(VK_RETURN);
        EXPECT_FALSE(g->EditorMode()) << c.what;
        EXPECT_EQ(g->EditorModified(), c.modified) << c.what;
        g->SetCell(1, 1, "12.5");
    }
}

// --- canvas, colours, shortcuts, registry, printer ------------------------

TEST_F(Toolkit, TextMetricsAreDeterministicAndDrawTextWraps) {
    TFont f;
    f.SetSize(10);
    EXPECT_GT(text_width(f, "WWW"), text_width(f, "iii"));
    EXPECT_EQ(text_width(f, "ąę"_cp), text_width(f, "ae"));
    f.Name = "Courier New";
    EXPECT_EQ(text_width(f, "WWW"), text_width(f, "iii"));
    f.Name = "Arial";
    RecordingCanvas c;
    c.Font = f;
    TRect rc{0, 0, text_width(f, "alpha beta") + 2, 100};
    const int h = c.DrawText("alpha beta gamma", rc, DT_WORDBREAK);
    EXPECT_EQ(c.texts(), (std::vector<std::string>{"alpha beta", "gamma"}));
    EXPECT_EQ(h, 2 * text_height(f));
    TRect calc{0, 0, 1000, 0};
    c.DrawText("&Plik", calc, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(calc.Right, text_width(f, "Plik"));
}

TEST_F(Toolkit, ColourAndShortcutTextsRoundTrip) {
    EXPECT_EQ(ColorToString(clRed), "clRed");
    EXPECT_EQ(ColorToString(0x00123456), "$00123456");
    EXPECT_EQ(StringToColor("$00123456"), 0x00123456u);
    EXPECT_EQ(StringToColor("clInfoBk"), clInfoBk);
    EXPECT_THROW(StringToColor("blue-ish"), EConvertError);
    EXPECT_EQ(ShortCutToText(ShortCut('S', ssCtrl | ssShift)), "Shift+Ctrl+S");
    for (const char* t : {"Ctrl+Ins", "Del", "Shift+F5", "Alt+Left", "Ctrl+PgDn"})
        EXPECT_EQ(ShortCutToText(TextToShortCut(t)), t);
    EXPECT_EQ(TextToShortCut("Ctrl+Nothing"), 0);
}

TEST_F(Toolkit, RegistryStoreKeepsValuesPerKey) {
    Registry& reg = ui().registry();
    EXPECT_FALSE(reg.KeyExists(halvoren_registry_key));
    reg.CreateKey(halvoren_registry_key);
    EXPECT_TRUE(reg.KeyExists(halvoren_registry_key));
    reg.WriteString(halvoren_registry_key, "userconfig_dir", "/home/u/Dokumenty ąę"_cp);
    EXPECT_EQ(reg.ReadString(halvoren_registry_key, "USERCONFIG_DIR"), "/home/u/Dokumenty ąę"_cp);
    EXPECT_EQ(reg.ReadString("HKEY_CLASSES_ROOT\\.dxf", "", "none"), "none");
    reg.DeleteValue(halvoren_registry_key, "userconfig_dir");
    EXPECT_FALSE(reg.ValueExists(halvoren_registry_key, "userconfig_dir"));
}

TEST_F(Toolkit, PrinterRecordsPages) {
    TPrinter& p = services().printer();
    p.Title = "rysunek";
    p.BeginDoc();
    p.Canvas().TextOut(10, 10, "page one");
    p.NewPage();
    p.Canvas().MoveTo(0, 0);
    p.Canvas().LineTo(100, 100);
    p.EndDoc();
    ASSERT_EQ(ui().printer_.documents.size(), 1u);
    const auto& doc = ui().printer_.documents[0];
    EXPECT_EQ(doc.title, "rysunek");
    ASSERT_EQ(doc.pages.size(), 2u);
    EXPECT_EQ(doc.pages[0]->texts(), std::vector<std::string>{"page one"});
    EXPECT_EQ(doc.pages[1]->of_kind("line").size(), 1u);
    EXPECT_THROW(p.Canvas(), Exception);
}

TEST_F(Toolkit, ObserversHearPropertyChanges) {
    auto* cb = new TCheckBox(form);
    std::vector<Prop> seen;
    const int id = cb->observe([&](TComponent*, Prop p) { seen.push_back(p); });
    cb->SetCaption("Opcja");
    cb->SetChecked(true);
    cb->SetEnabled(false);
    cb->unobserve(id);
    cb->SetVisible(false);
    EXPECT_EQ(seen, (std::vector<Prop>{Prop::Caption, Prop::Checked, Prop::Enabled}));
}

}  // namespace

namespace {

TEST_F(Toolkit, AlignedChildrenShareTheClientAreaAsTheOldToolkitPlacedThem) {
    form->SetBounds(0, 0, 600, 400);
    auto* bar = new TToolBar(form);      // top, 29 high
    auto* status = new TStatusBar(form); // bottom, 19 high
    auto* side = new TPanel(form);
    auto* client = new TPanel(form);
    side->SetWidth(150);
    side->SetAlign(TAlign::alRight);
    client->SetAlign(TAlign::alClient);
    for (TControl* c : {static_cast<TControl*>(bar), static_cast<TControl*>(status), static_cast<TControl*>(side),
                        static_cast<TControl*>(client)})
        c->SetParent(form);
    EXPECT_EQ(bar->BoundsRect(), Rect(0, 0, 600, 29));
    EXPECT_EQ(status->BoundsRect(), Rect(0, 381, 600, 400));
    EXPECT_EQ(side->BoundsRect(), Rect(450, 29, 600, 381));
    EXPECT_EQ(client->BoundsRect(), Rect(0, 29, 450, 381));
    side->Hide();  // a hidden panel gives its room to the client
    EXPECT_EQ(client->BoundsRect(), Rect(0, 29, 600, 381));
    form->SetBounds(0, 0, 800, 500);
    EXPECT_EQ(client->BoundsRect(), Rect(0, 29, 800, 481));
}

}  // namespace
