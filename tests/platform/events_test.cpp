// What handlers may do to the toolkit while it runs them: clear or replace
// themselves, destroy controls, unsubscribe observers, raise. And the one
// input path: what a user's action sets off, headless as in the window.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/comctrls.h"
#include "platform/grids.h"
#include "platform/input.h"
#include "platform/menus.h"
#include "platform/stdctrls.h"
#include "platform/sysutils.h"
#include "support/toolkit_fixture.h"

namespace {

using Log = std::vector<std::string>;

class Events : public ToolkitTest {
protected:
    TForm* form = make_form();
    Log log;
    TNotifyEvent logger(const std::string& what) {
        return [this, what](TObject*) { log.push_back(what); };
    }
    template <class T>
    T* add(TWinControl* parent = nullptr) {
        auto* c = new T(form);
        c->SetParent(parent ? parent : form);
        return c;
    }
};

// A handler that empties its own slot while it runs, then goes on using
// what it captured (a text long enough to live outside the function object).
template <class... A>
std::function<void(A...)> self_clearing(std::function<void(A...)>& slot, Log& log, const std::string& what) {
    return [&slot, &log, text = what + " (a handler that clears itself first)"](A...) {
        slot = nullptr;
        log.push_back(text);
    };
}

TEST_F(Events, AHandlerThatClearsItselfWhileItRunsFinishes) {
    struct Case {
        const char* event;
        std::function<void(TForm*, Log&)> run;  // installs the handler and sets off the event
    };
    const std::vector<Case> cases = {
        {"button click", [](TForm* f, Log& log) {
             auto* b = new TButton(f);
             b->SetParent(f);
             b->OnClick = self_clearing(b->OnClick, log, "button click");
             user::click(b);
         }},
        {"check box click from code", [](TForm* f, Log& log) {
             auto* cb = new TCheckBox(f);
             cb->OnClick = self_clearing(cb->OnClick, log, "check box click from code");
             cb->SetChecked(true);
         }},
        {"edit change", [](TForm* f, Log& log) {
             auto* e = new TEdit(f);
             e->OnChange = self_clearing(e->OnChange, log, "edit change");
             e->SetText("x");
         }},
        {"key press", [](TForm* f, Log& log) {
             auto* e = new TEdit(f);
             e->SetParent(f);
             e->OnKeyPress = self_clearing(e->OnKeyPress, log, "key press");
             user::type(e, "a");
         }},
        {"key down", [](TForm* f, Log& log) {
             auto* e = new TEdit(f);
             e->SetParent(f);
             e->SetFocus();
             e->OnKeyDown = self_clearing(e->OnKeyDown, log, "key down");
             user::key(VK_F4);
         }},
        {"exit", [](TForm* f, Log& log) {
             auto* a = new TEdit(f);
             auto* b = new TEdit(f);
             a->SetParent(f);
             b->SetParent(f);
             a->SetFocus();
             a->OnExit = self_clearing(a->OnExit, log, "exit");
             user::focus(b);
         }},
        {"resize", [](TForm* f, Log& log) {
             auto* p = new TPanel(f);
             p->OnResize = self_clearing(p->OnResize, log, "resize");
             p->SetWidth(300);
         }},
        {"track bar change", [](TForm* f, Log& log) {
             auto* t = new TTrackBar(f);
             t->OnChange = self_clearing(t->OnChange, log, "track bar change");
             t->SetPosition(3);
         }},
        {"menu item click", [](TForm* f, Log& log) {
             auto* m = new TMenuItem(f);
             m->OnClick = self_clearing(m->OnClick, log, "menu item click");
             user::choose_menu(m);
         }},
        {"action execute", [](TForm* f, Log& log) {
             auto* a = new TAction(f);
             a->OnExecute = self_clearing(a->OnExecute, log, "action execute");
             a->Execute();
         }},
        {"timer", [](TForm* f, Log& log) {
             auto* t = new TTimer(f);
             t->OnTimer = self_clearing(t->OnTimer, log, "timer");
             user::timer(t);
         }},
        {"form show", [](TForm* f, Log& log) {
             auto* g = new TForm(f);
             g->OnShow = self_clearing(g->OnShow, log, "form show");
             g->Show();
         }},
        {"page change", [](TForm* f, Log& log) {
             auto* pc = new TPageControl(f);
             pc->SetParent(f);
             for (int i = 0; i < 2; ++i) (new TTabSheet(f))->SetPageControl(pc);
             pc->OnChange = self_clearing(pc->OnChange, log, "page change");
             user::choose_page(pc, 1);
         }},
        {"tree change", [](TForm* f, Log& log) {
             auto* tv = new TTreeView(f);
             tv->SetParent(f);
             TTreeNode* n = tv->Items().Add(nullptr, "n");
             tv->OnChange = self_clearing(tv->OnChange, log, "tree change");
             user::choose_node(tv, n);
         }},
        {"grid cell selection", [](TForm* f, Log& log) {
             auto* g = new TStringGrid(f);
             g->OnSelectCell = self_clearing(g->OnSelectCell, log, "grid cell selection");
             g->SetRow(2);
         }},
    };
    for (const Case& c : cases) {
        log.clear();
        c.run(form, log);
        EXPECT_EQ(log, Log{std::string(c.event) + " (a handler that clears itself first)"}) << c.event;
    }
}

// --- pointers between components -------------------------------------------

TEST_F(Events, APointerToADestroyedComponentIsCleared) {
    auto* edit = add<TEdit>();
    auto* label = add<TLabel>();
    label->FocusControl = edit;
    delete edit;
    EXPECT_EQ(label->FocusControl, nullptr);

    auto* images = new TImageList(form);
    auto* bar = add<TToolBar>();
    auto* tree = add<TTreeView>();
    auto* pages = add<TPageControl>();
    auto* speed = add<TSpeedButton>();
    auto* actions = new TActionList(form);
    bar->Images = images;
    tree->Images = images;
    pages->Images = images;
    speed->Images = images;
    actions->Images = images;
    delete images;
    EXPECT_EQ(bar->Images, nullptr);
    EXPECT_EQ(tree->Images, nullptr);
    EXPECT_EQ(pages->Images, nullptr);
    EXPECT_EQ(speed->Images, nullptr);
    EXPECT_EQ(actions->Images, nullptr);

    auto* tool = add<TToolButton>(bar);
    auto* drop = new TPopupMenu(form);
    tool->DropdownMenu = drop;
    delete drop;
    EXPECT_EQ(tool->DropdownMenu, nullptr);
}

TEST_F(Events, AShortcutAfterTheControlsMenusWereDestroyedReachesTheControl) {
    auto* edit = add<TEdit>();
    edit->SetFocus();
    auto* popup = new TPopupMenu(form);
    auto* item = new TMenuItem(form);
    item->SetShortCut(ShortCut('K', ssCtrl));
    popup->Items()->Add(item);
    edit->PopupMenu = popup;
    form->PopupMenu = popup;
    auto* main_menu = new TMainMenu(form);
    form->Menu = main_menu;
    edit->OnKeyDown = [this](TObject*, Word&, TShiftState) { log.push_back("edit key"); };
    delete popup;
    delete main_menu;
    EXPECT_EQ(edit->PopupMenu, nullptr);
    EXPECT_EQ(form->PopupMenu, nullptr);
    EXPECT_EQ(form->Menu, nullptr);
    user::key('K', ssCtrl);
    EXPECT_EQ(log, Log{"edit key"});
}

TEST_F(Events, AShortcutAWindowOfItsOwnDoesNotTakeGoesToTheMainWindow) {
    auto* main_actions = new TActionList(form);
    auto action = [this](TComponent* owner, TActionList* list, const std::string& name, TShortCut key) {
        auto* a = new TAction(owner);
        a->SetShortCut(key);
        a->SetActionList(list);
        a->OnExecute = logger(name);
    };
    action(form, main_actions, "main +", ShortCut(VK_ADD, 0));
    action(form, main_actions, "main Ctrl+Z", ShortCut('Z', ssCtrl));
    TForm* tool = make_form("Tool");
    auto* tool_actions = new TActionList(tool);
    action(tool, tool_actions, "tool Ctrl+Z", ShortCut('Z', ssCtrl));
    ASSERT_EQ(app->ActiveForm(), tool);

    user::key(VK_ADD);
    user::key('Z', ssCtrl);
    user::key('Q', ssCtrl);  // nobody's
    EXPECT_EQ(log, (Log{"main +", "tool Ctrl+Z"}));
}

TEST_F(Events, TheFocusedControlDestroyedLeavesNoActiveControl) {
    auto* edit = add<TEdit>();
    edit->SetFocus();
    delete edit;
    EXPECT_EQ(form->ActiveControl(), nullptr);
    auto* other = new TForm(app.get());
    app->set_active_form(other);
    delete other;
    EXPECT_EQ(app->ActiveForm(), form);
}

// --- releasing ----------------------------------------------------------------

TEST_F(Events, AHandlerCanReleaseItsOwnControlOrMenuItem) {
    auto* b = add<TButton>();
    bool gone = false;
    b->observe([&](TComponent*, Prop p) { gone = gone || p == Prop::Destroyed; });
    b->OnClick = [this, b](TObject*) {
        b->Release();
        log.push_back("clicked");  // the control is still there
        EXPECT_EQ(b->Caption(), "");
    };
    user::click(b);
    EXPECT_TRUE(gone);
    EXPECT_EQ(form->ComponentCount(), 0);
    EXPECT_EQ(log, Log{"clicked"});

    auto* menu = new TPopupMenu(form);
    auto* item = new TMenuItem(form);
    menu->Items()->Add(item);
    item->OnClick = [item](TObject*) { item->Release(); };
    user::choose_menu(item);
    EXPECT_EQ(menu->Items()->Count(), 0);
}

TEST_F(Events, AReleasedComponentDestroyedMeanwhileIsNotDestroyedAgain) {
    auto* b = add<TButton>();
    b->Release();
    b->Release();
    delete b;
    EXPECT_TRUE(app->has_pending());
    app->ProcessMessages();
    EXPECT_FALSE(app->has_pending());
}

TEST_F(Events, AModalFormReleasedInItsRunGoesWhenTheRunIsOver) {
    auto* dlg = new TForm(app.get());
    dlg->set_class_name("Tdlg");
    auto* ok = new TButton(dlg);
    ok->SetParent(dlg);
    ok->ModalResult = mrOk;
    ok->OnClick = [dlg](TObject*) { dlg->Release(); };
    bool gone = false;
    dlg->observe([&](TComponent*, Prop p) { gone = gone || p == Prop::Destroyed; });
    ui().on_modal("Tdlg", [&](TForm&) {
        user::click(ok);
        EXPECT_FALSE(gone);
    });
    EXPECT_EQ(dlg->ShowModal(), mrOk);
    EXPECT_FALSE(gone);
    app->ProcessMessages();
    EXPECT_TRUE(gone);
}

// --- building and tearing down a window ---------------------------------------

// A window's class builds its controls in its constructor, as its layout
// did in the old toolkit; its handlers may already be bound.
class TBuiltForm : public TForm {
public:
    TBuiltForm(TComponent* owner, Log& log) : TForm(owner) {
        SetBounds(0, 0, 300, 200);
        client = new TPanel(this);
        client->SetParent(this);
        client->OnResize = [&log](TObject*) { log.push_back("client resize"); };
        client->SetAlign(TAlign::alClient);
        top = new TPanel(this);
        top->SetParent(this);
        top->SetAlign(TAlign::alTop);
        check = new TCheckBox(this);
        check->SetParent(top);
        check->OnClick = [&log](TObject*) { log.push_back("check click"); };
        check->SetChecked(true);
        edit = new TEdit(this);
        edit->SetParent(client);
        edit->OnChange = [&log](TObject*) { log.push_back("edit change"); };
        edit->OnExit = [&log](TObject*) { log.push_back("edit exit"); };
        edit->SetText("0");
    }
    TPanel* client;
    TPanel* top;
    TCheckBox* check;
    TEdit* edit;
};

TEST_F(Events, NoEventsRunWhileAWindowIsBuiltOrTornDown) {
    auto* f = new TBuiltForm(app.get(), log);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(f->client->BoundsRect(), Rect(0, 41, 300, 200));
    f->DoCreate();
    f->check->SetChecked(false);
    f->edit->SetFocus();
    f->top->SetHeight(50);
    EXPECT_EQ(log, (Log{"check click", "client resize"}));
    log.clear();
    // The top panel goes before the client one and the focused edit with it.
    delete f;
    EXPECT_TRUE(log.empty());
}

// --- observers ----------------------------------------------------------------

TEST_F(Events, AnObserverRemovedDuringANotificationIsNotCalledAfterwards) {
    auto* cb = add<TCheckBox>();
    int second = 0;
    int second_id = 0;
    cb->observe([&](TComponent* c, Prop) { c->unobserve(second_id); });
    second_id = cb->observe([&](TComponent*, Prop) { ++second; });
    cb->SetCaption("a");
    EXPECT_EQ(second, 0);
    // One that removes itself while it runs, and one added while another runs.
    int self = 0, added = 0;
    int self_id = 0;
    self_id = cb->observe([&, tag = std::string(40, 'x')](TComponent* c, Prop) {
        c->unobserve(self_id);
        self += static_cast<int>(tag.size());
        c->observe([&](TComponent*, Prop) { ++added; });
    });
    cb->SetCaption("b");
    EXPECT_EQ(self, 40);
    EXPECT_EQ(added, 0);  // not in the notification during which it came
    cb->SetCaption("c");
    EXPECT_EQ(self, 40);
    EXPECT_EQ(added, 1);
    delete cb;  // the observers hear Destroyed while their variables live
}

TEST_F(Events, DestroyedIsSeenWhileTheObjectIsStillWhole) {
    auto* cb = add<TCheckBox>();
    std::string kind;
    bool still_a_check_box = false;
    cb->observe([&](TComponent* c, Prop p) {
        if (p != Prop::Destroyed) return;
        kind = c->ClassName();
        still_a_check_box = dynamic_cast<TCheckBox*>(c) != nullptr;
    });
    delete cb;
    EXPECT_EQ(kind, "TCheckBox");
    EXPECT_TRUE(still_a_check_box);
}

// --- focus and alignment when handlers raise -----------------------------------

TEST_F(Events, AnExceptionInOnExitKeepsTheFocusWhereItWas) {
    auto* amount = add<TEdit>();
    auto* next = add<TEdit>();
    auto* ok = add<TButton>();
    amount->OnExit = [](TObject*) { throw EConvertError("'x' is not a valid integer value"); };
    next->OnEnter = logger("enter next");
    ok->OnClick = logger("ok");
    amount->SetFocus();
    user::click(ok);
    user::focus(next);
    EXPECT_TRUE(amount->Focused());
    EXPECT_TRUE(log.empty());
    ASSERT_EQ(ui().boxes.size(), 2u);
    EXPECT_EQ(ui().boxes[0].text, "'x' is not a valid integer value.");
    // Once the value is put right the focus moves on.
    amount->OnExit = nullptr;
    user::click(ok);
    EXPECT_TRUE(ok->Focused());
    EXPECT_EQ(log, Log{"ok"});
}

TEST_F(Events, AnExitHandlerMovingTheFocusItselfIsNotRunAgain) {
    auto* a = add<TEdit>();
    auto* b = add<TEdit>();
    auto* c = add<TEdit>();
    a->SetFocus();
    a->OnExit = [&](TObject*) {
        log.push_back("exit a");
        c->SetFocus();
    };
    c->OnEnter = logger("enter c");
    b->OnEnter = logger("enter b");
    user::focus(b);
    EXPECT_TRUE(c->Focused());
    EXPECT_EQ(log, (Log{"exit a", "enter c"}));
}

TEST_F(Events, AnExceptionInOnResizeDuringAlignmentLeavesAlignmentWorking) {
    form->SetBounds(0, 0, 400, 300);
    auto* top = add<TPanel>();
    auto* client = add<TPanel>();
    top->SetAlign(TAlign::alTop);
    client->SetAlign(TAlign::alClient);
    bool fail = true;
    top->OnResize = [&](TObject*) {
        if (fail) throw Exception("resize failed");
    };
    EXPECT_THROW(form->SetBounds(0, 0, 500, 300), Exception);
    fail = false;
    form->SetBounds(0, 0, 600, 350);
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 600, 41));
    EXPECT_EQ(client->BoundsRect(), Rect(0, 41, 600, 350));
}

// --- what a user can reach ----------------------------------------------------

TEST_F(Events, AUserCannotActOnAControlTheyCannotReach) {
    auto* panel = add<TPanel>();
    auto* button = add<TButton>(panel);
    auto* check = add<TCheckBox>(panel);
    auto* edit = add<TEdit>(panel);
    auto* combo = add<TComboBox>(panel);
    combo->Items().SetText("a\nb");
    button->OnClick = logger("button");
    check->OnClick = logger("check");
    edit->OnChange = logger("edit");
    combo->OnChange = logger("combo");
    const std::vector<std::pair<const char*, std::function<void()>>> actions = {
        {"click a button", [&] { user::click(button); }},
        {"click a check box", [&] { user::click(check); }},
        {"type into an edit", [&] { user::type(edit, "1"); }},
        {"paste into an edit", [&] { user::set_text(edit, "1"); }},
        {"choose from a combo box", [&] { user::choose(combo, 1); }},
        {"focus an edit", [&] { user::focus(edit); }},
        {"press the mouse on a button", [&] { user::mouse_down(button, TMouseButton::mbLeft, ssLeft, 1, 1); }},
    };
    const std::vector<std::pair<const char*, std::function<void(bool)>>> blocks = {
        {"disabled parent", [&](bool on) { panel->SetEnabled(!on); }},
        {"hidden parent", [&](bool on) { panel->SetVisible(!on); }},
        {"disabled control", [&](bool on) {
             for (TControl* c : panel->children()) c->SetEnabled(!on);
         }},
        {"hidden control", [&](bool on) {
             for (TControl* c : panel->children()) c->SetVisible(!on);
         }},
    };
    for (const auto& [block, set] : blocks) {
        set(true);
        for (const auto& [action, act] : actions) EXPECT_THROW(act(), ScriptError) << action << ", " << block;
        set(false);
    }
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(edit->Focused());
    user::click(button);
    EXPECT_EQ(log, Log{"button"});
}

// --- timers -------------------------------------------------------------------

TEST_F(Events, ATimerDestroyedWithoutServicesDoesNotRaise) {
    auto* t = new TTimer(nullptr);
    set_services(nullptr);
    EXPECT_NO_THROW(delete t);
    set_services(services_.get());
}

TEST_F(Events, TimersDueAtTheSameMomentFireInCreationOrder) {
    // The later timer stands at the lower address.
    alignas(TTimer) unsigned char slots[2][sizeof(TTimer)];
    auto* first = new (slots[1]) TTimer(nullptr);
    auto* second = new (slots[0]) TTimer(nullptr);
    auto* third = new TTimer(form);
    for (TTimer* t : {first, second, third}) t->SetInterval(100);
    first->OnTimer = logger("first");
    second->OnTimer = logger("second");
    third->OnTimer = logger("third");
    ui().advance(100);
    EXPECT_EQ(log, (Log{"first", "second", "third"}));
    second->~TTimer();
    first->~TTimer();
}

// --- posted calls -------------------------------------------------------------

TEST_F(Events, CallsPostedByAUsersActionRunWhenTheActionEnds) {
    auto* b = add<TButton>();
    auto* cb = add<TCheckBox>();
    cb->OnClick = [this](TObject*) {
        log.push_back("check");
        app->post([this] { log.push_back("posted by the check box"); });
    };
    b->OnClick = [this, cb](TObject*) {
        app->post([this] { log.push_back("posted by the button"); });
        user::click(cb);  // an action inside an action: its calls wait for the outer one
        log.push_back("button");
    };
    user::click(b);
    EXPECT_EQ(log, (Log{"check", "button", "posted by the button", "posted by the check box"}));
    EXPECT_FALSE(app->has_pending());
}

TEST_F(Events, AModalFormsLoopRunsThePostedCallsOfItsOwnInput) {
    auto* dlg = new TForm(app.get());
    dlg->set_class_name("Tdlg");
    auto* apply = new TButton(dlg);
    apply->SetParent(dlg);
    apply->OnClick = [this](TObject*) { app->post([this] { log.push_back("posted in the dialog"); }); };
    auto* open = add<TButton>();
    open->OnClick = [this, dlg](TObject*) {
        app->post([this] { log.push_back("posted before the dialog"); });
        dlg->ShowModal();
        log.push_back("dialog closed");
    };
    ui().on_modal("Tdlg", [&](TForm& f) {
        log.push_back("dialog shown");
        user::click(apply);
        log.push_back("applied");
        f.SetModalResult(mrOk);
    });
    user::click(open);
    EXPECT_EQ(log, (Log{"posted before the dialog", "dialog shown", "posted in the dialog", "applied", "dialog closed"}));
}

}  // namespace

namespace {

// --- batched changes -----------------------------------------------------------

TEST_F(Events, ATableRefreshBetweenBeginUpdateAndEndUpdateIsOneNotification) {
    auto* g = add<TStringGrid>();
    std::vector<Prop> heard;
    g->observe([&](TComponent*, Prop p) { heard.push_back(p); });
    g->BeginUpdate();
    g->SetColCount(26);
    g->SetRowCount(500);
    g->BeginUpdate();  // nested: the outer EndUpdate sends
    for (int c = 0; c < 26; ++c)
        for (int r = 0; r < 500; ++r) g->SetCell(c, r, IntToStr(c * 1000 + r));
    g->EndUpdate();
    EXPECT_TRUE(heard.empty());
    g->EndUpdate();
    EXPECT_EQ(heard, std::vector<Prop>{Prop::Value});
    EXPECT_EQ(g->Cells(25, 499), "25499");

    auto* list = add<TCheckListBox>();
    heard.clear();
    list->observe([&](TComponent*, Prop p) { heard.push_back(p); });
    list->BeginUpdate();
    for (int i = 0; i < 500; ++i) list->Items().Add("item " + IntToStr(i));
    for (int i = 0; i < 500; i += 2) list->SetChecked(i, true);
    list->EndUpdate();
    EXPECT_EQ(heard, (std::vector<Prop>{Prop::Checked, Prop::Items}));
    EXPECT_TRUE(list->Checked(498));
    delete list;  // the observers hear Destroyed while `heard` lives
    delete g;
}

TEST_F(Events, AlignmentWaitsWhileDisabled) {
    form->SetBounds(0, 0, 400, 300);
    auto* top = add<TPanel>();
    auto* client = add<TPanel>();
    form->DisableAlign();
    top->SetAlign(TAlign::alTop);
    client->SetAlign(TAlign::alClient);
    form->DisableAlign();
    form->EnableAlign();
    EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 185, 41));
    form->EnableAlign();
    EXPECT_EQ(client->BoundsRect(), Rect(0, 41, 400, 300));
}

// --- processing messages ----------------------------------------------------

TEST_F(Events, ProcessMessagesRunsThePostedCalls) {
    app->post([this] { log.push_back("posted"); });
    app->ProcessMessages();
    EXPECT_EQ(log, Log{"posted"});
}

// --- the script -----------------------------------------------------------------

TEST_F(Events, APopupMenuWithoutAScriptedChoiceRaises) {
    auto* pm = new TPopupMenu(form);
    pm->SetName("pm_Rows");
    auto* item = new TMenuItem(form);
    item->SetCaption("&Delete");
    item->OnClick = logger("delete");
    pm->Items()->Add(item);
    EXPECT_THROW(pm->Popup(0, 0), ScriptError);
    ui().dismiss_popup();
    pm->Popup(0, 0);
    ui().pick_from_popup("Delete");
    pm->Popup(0, 0);
    EXPECT_EQ(log, Log{"delete"});
    item->SetEnabled(false);
    ui().pick_from_popup("Delete");
    EXPECT_THROW(pm->Popup(0, 0), ScriptError);  // a user cannot choose a disabled item
}

TEST_F(Events, TheScriptTellsWhatWasLeftUnused) {
    EXPECT_EQ(ui().unused_script(), "");
    ui().answer(IDYES);
    ui().answer(IDNO);
    ui().on_modal("Ttopcje", [](TForm&) {});
    ui().pick_from_popup("Usuń"_cp);
    ui().dismiss_popup();
    EXPECT_EQ(ui().unused_script(),
              "2 question answers, 1 modal responder (Ttopcje), 2 popup menu choices (Usuń, dismiss)"_cp);
    EXPECT_FALSE(ui().script_used_up());
    EXPECT_EQ(MessageBox("?", MB_YESNO), IDYES);
    EXPECT_EQ(MessageBox("?", MB_YESNO), IDNO);
    auto* pm = new TPopupMenu(form);
    auto* item = new TMenuItem(form);
    item->SetCaption("Usuń"_cp);
    pm->Items()->Add(item);
    pm->Popup(0, 0);
    pm->Popup(0, 0);
    auto* dlg = new TForm(app.get());
    dlg->set_class_name("Ttopcje");
    dlg->ShowModal();
    EXPECT_TRUE(ui().script_used_up());
}

// --- the keyboard ---------------------------------------------------------------

TEST_F(Events, TabAndShiftTabFollowTheTabOrder) {
    auto* name = add<TEdit>();
    auto* panel = add<TPanel>();
    auto* depth = add<TEdit>(panel);
    auto* off = add<TEdit>(panel);
    auto* notes = add<TMemo>();
    auto* ok = add<TButton>();
    auto* label = add<TLabel>();
    off->SetEnabled(false);
    (void)label;
    EXPECT_EQ(name->TabOrder(), 0);
    EXPECT_EQ(panel->TabOrder(), 1);
    EXPECT_EQ(ok->TabOrder(), 3);
    ok->SetTabOrder(0);  // the button first; the others keep their order
    EXPECT_EQ(name->TabOrder(), 1);
    EXPECT_EQ(notes->TabOrder(), 3);
    name->SetText("Kolektor");
    name->SetSelLength(0);
    auto focused = [this] { return form->ActiveControl() ? form->ActiveControl()->Name() : std::string("none"); };
    const std::vector<std::pair<TWinControl*, const char*>> names = {
        {name, "name"}, {depth, "depth"}, {notes, "notes"}, {ok, "ok"}};
    for (auto [c, n] : names) c->SetName(n);
    std::vector<std::string> seen;
    ok->SetFocus();
    for (int i = 0; i < 5; ++i) {
        user::key(VK_TAB);
        seen.push_back(focused());
    }
    // A panel is no stop; a disabled edit is passed; the order goes round.
    EXPECT_EQ(seen, (std::vector<std::string>{"name", "depth", "notes", "ok", "name"}));
    EXPECT_EQ(name->SelLength(), 8);  // entered by Tab, an edit selects its text
    user::key(VK_TAB, ssShift);
    EXPECT_EQ(focused(), "ok");
    notes->WantTabs = true;
    notes->SetFocus();
    user::key(VK_TAB);
    EXPECT_EQ(focused(), "notes");
    EXPECT_EQ(notes->Text(), "");  // a typed tab would need the character; the key stays in the memo
    user::key(VK_TAB, 0, '\t');
    EXPECT_EQ(notes->Text(), "\t");  // with it, the memo takes the TAB as text
    name->TabStop = false;
    ok->SetFocus();
    user::key(VK_TAB);
    EXPECT_EQ(focused(), "depth");
    // An order set before the control has its parent holds once it has one.
    auto* first = new TEdit(form);
    first->SetTabOrder(0);
    first->SetParent(form);
    EXPECT_EQ(first->TabOrder(), 0);
    EXPECT_EQ(ok->TabOrder(), 1);
}

TEST_F(Events, TabSkipsTheControlsOfPagesNotShownAndAGridWithTabsKeepsIt) {
    auto* pages = add<TPageControl>();
    auto* first = new TTabSheet(form);
    auto* second = new TTabSheet(form);
    first->SetPageControl(pages);
    second->SetPageControl(pages);
    auto* on_first = add<TEdit>(first);
    auto* on_second = add<TEdit>(second);
    auto* grid = add<TStringGrid>();
    on_first->SetFocus();
    user::key(VK_TAB);
    EXPECT_TRUE(grid->Focused());
    user::key(VK_TAB);
    EXPECT_TRUE(pages->Focused());
    pages->SetActivePage(second);
    user::key(VK_TAB);
    EXPECT_TRUE(on_second->Focused());
    grid->Options |= goTabs;
    grid->SetFocus();
    user::key(VK_TAB);
    EXPECT_TRUE(grid->Focused());
    EXPECT_EQ(grid->Col(), 2);
}

TEST_F(Events, AltAndALetterActOnTheControlWithThatAccelerator) {
    auto* label = add<TLabel>();
    label->SetCaption("&Nazwa:");
    auto* name = add<TEdit>();
    name->SetText("K1");
    label->FocusControl = name;
    auto* plain = add<TLabel>();
    plain->SetCaption("&Opis");  // no control to focus: the key goes on
    auto* describe = add<TCheckBox>();
    describe->SetCaption("&Opisz");
    auto* round = add<TRadioButton>();
    round->SetCaption("&Ko&&o");  // "&&" is a plain "&": K is the letter
    auto* count = add<TButton>();
    count->SetCaption("&Licz");
    count->OnClick = logger("count");
    auto* pages = add<TPageControl>();
    auto* sheet = new TTabSheet(form);
    sheet->SetPageControl(pages);
    auto* other = new TTabSheet(form);
    other->SetPageControl(pages);
    other->SetCaption("&Teren");
    auto* hidden_on_page = add<TButton>(sheet);
    hidden_on_page->SetCaption("&Zapisz");
    hidden_on_page->OnClick = logger("save");
    pages->SetActivePage(other);  // the button's page is not shown

    user::key('N', ssAlt);
    EXPECT_TRUE(name->Focused());
    EXPECT_EQ(name->SelLength(), 2);
    user::key('O', ssAlt);
    EXPECT_TRUE(describe->Checked());
    EXPECT_TRUE(describe->Focused());
    user::key('K', ssAlt);
    EXPECT_TRUE(round->Checked());
    user::key('L', ssAlt);
    EXPECT_TRUE(count->Focused());
    pages->SetActivePage(sheet);
    user::key('T', ssAlt);
    EXPECT_EQ(pages->ActivePage(), other);
    user::key('Z', ssAlt);
    EXPECT_EQ(log, Log{"count"});

    // A title of the main menu with the letter is the menu bar's.
    auto* menu = new TMainMenu(form);
    auto* title = new TMenuItem(form);
    title->SetCaption("&Licz");
    menu->Items()->Add(title);
    form->Menu = menu;
    user::key('L', ssAlt);
    EXPECT_EQ(log, Log{"count"});
    count->SetEnabled(false);
    title->SetVisible(false);
    user::key('L', ssAlt);  // nobody can reach the button
    EXPECT_EQ(log, Log{"count"});
}

TEST_F(Events, SpaceAndEnterPressTheFocusedButtonEnterAndEscTheDefaultAndCancelOnes) {
    auto* edit = add<TEdit>();
    auto* check = add<TCheckBox>();
    auto* radio = add<TRadioButton>();
    auto* apply = add<TButton>();
    auto* ok = add<TButton>();
    auto* cancel = add<TButton>();
    auto* notes = add<TMemo>();
    apply->OnClick = logger("apply");
    ok->OnClick = logger("ok");
    cancel->OnClick = logger("cancel");
    ok->Default = true;
    cancel->Cancel = true;
    check->SetFocus();
    user::key(VK_SPACE);
    EXPECT_TRUE(check->Checked());
    radio->SetFocus();
    user::key(VK_SPACE);
    EXPECT_TRUE(radio->Checked());
    apply->SetFocus();
    user::key(VK_SPACE);
    user::key(VK_RETURN);  // the focused button, not the default one
    user::key(VK_ESCAPE);
    edit->SetFocus();
    user::key(VK_RETURN);
    user::key(VK_SPACE, ssCtrl);
    EXPECT_EQ(log, (Log{"apply", "apply", "cancel", "ok"}));
    log.clear();
    notes->SetFocus();
    user::key(VK_RETURN);  // a memo takes its returns
    EXPECT_EQ(notes->Text(), "\r\n");
    notes->WantReturns = false;
    user::key(VK_RETURN);
    EXPECT_EQ(log, Log{"ok"});
}

}  // namespace
