#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include "gui/demo_form.h"
#include "gui/gui_fixture.h"
#include "gui/qt_text.h"
#include "platform/cp1250.h"
#include "platform/input.h"
#include "platform/exceptions.h"
#include "platform/sysutils.h"

namespace {

class Renderer : public GuiTest {
protected:
    TDemoForm* demo = nullptr;

    // The demo form, shown as the active window.
    TDemoForm* show_demo() {
        demo = new TDemoForm(&app());
        demo->DoCreate();
        demo->Show();
        settle();
        gui::FormWindow* w = window(*demo);
        QApplication::setActiveWindow(w);
        settle();
        return demo;
    }
    int count(const std::string& what) const {
        return static_cast<int>(std::count(demo->log.begin(), demo->log.end(), what));
    }
};

TEST_F(Renderer, EveryWindowOfTheProgramOpensAsARealWindow) {
    std::vector<TForm*> forms;
    for (int i = 0; i < app().ComponentCount(); ++i)
        if (auto* f = dynamic_cast<TForm*>(app().Components(i))) forms.push_back(f);
    ASSERT_FALSE(forms.empty());
    EXPECT_EQ(forms.front(), app().MainForm());
    prog->show_main_window();
    settle();
    for (TForm* f : forms) {
        if (f != app().MainForm()) f->Show();
        settle();
        gui::FormWindow* w = window(*f);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->isVisible()) << f->ClassName();
        EXPECT_EQ(w->client()->size(), QSize(f->Width(), f->Height())) << f->ClassName();
        const QString shot = screenshot(w, QString::fromLatin1(f->ClassName()));
        EXPECT_TRUE(QImage(shot).size().isValid());
        if (f != app().MainForm()) {
            f->Hide();
            settle();
            EXPECT_FALSE(w->isVisible()) << f->ClassName();
        }
    }
    // The language applied when the main window is first shown gives it the
    // program's caption.
    EXPECT_EQ(window(*app().MainForm())->windowTitle(), QString("___Halvoren___"));

    // A window opened modally: a timer closes it through its title bar.
    TForm* dialog = forms.back();
    QTimer::singleShot(0, [&] {
        gui::FormWindow* w = window(*dialog);
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->windowModality(), Qt::ApplicationModal);
        EXPECT_EQ(renderer().modal_depth(), 1);
        screenshot(w, QStringLiteral("modal_") + QString::fromLatin1(dialog->ClassName()));
        w->close();
    });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_FALSE(window(*dialog)->isVisible());
    EXPECT_EQ(renderer().modal_depth(), 0);
}

TEST_F(Renderer, EveryControlKindHasItsWidget) {
    show_demo();
    struct Case {
        TComponent* control;
        const char* qt_class;
    };
    const Case cases[] = {
        {demo->label, "QLabel"},          {demo->edit, "QLineEdit"},        {demo->memo, "QPlainTextEdit"},
        {demo->button, "QPushButton"},    {demo->check, "QCheckBox"},       {demo->radio1, "QRadioButton"},
        {demo->radio_group, "QWidget"}, {demo->combo, "QComboBox"},       {demo->color_combo, "QComboBox"},
        {demo->list, "QListWidget"},      {demo->check_list, "QListWidget"}, {demo->spin, "QAbstractSpinBox"},
        {demo->track, "QSlider"},         {demo->progress, "QProgressBar"}, {demo->group, "QWidget"},
        {demo->speed1, "QToolButton"},    {demo->pages, "QTabWidget"},      {demo->tree, "QTreeWidget"},
        {demo->tb_new, "QToolButton"},    {demo->grid, "QWidget"},          {demo->tabs, "QWidget"},
        {demo->paint_box, "QWidget"},     {demo->image, "QWidget"},         {demo->status, "QWidget"},
        {demo->toolbar, "QWidget"},       {demo->side, "QWidget"},          {demo->splitter, "QWidget"},
        {demo->caption_panel, "QWidget"}, {demo->sheet_grid, "QWidget"},
    };
    for (const Case& c : cases) {
        QWidget* w = widget(c.control);
        ASSERT_NE(w, nullptr) << c.control->Name();
        EXPECT_TRUE(w->inherits(c.qt_class)) << c.control->Name() << " is a " << w->metaObject()->className();
    }
    // Texts cross the edge in Windows-1250.
    EXPECT_EQ(widget_as<QLabel>(demo->label)->text(), gui::qs("Zażółć gęślą jaźń:"_cp));
    EXPECT_EQ(window(*demo)->windowTitle(), gui::qs("Wszystkie kontrolki – pokaz"_cp));
    EXPECT_EQ(widget_as<QPlainTextEdit>(demo->memo)->toPlainText(), gui::qs("Pierwsza linia\nDruga linia – łąka"_cp));
    EXPECT_EQ(widget(demo->edit)->toolTip(), QStringLiteral("Nazwa odcinka"));
    EXPECT_EQ(widget_as<QTabWidget>(demo->pages)->count(), 3);
    EXPECT_EQ(widget_as<QTreeWidget>(demo->tree)->topLevelItem(0)->child(0)->text(0), gui::qs("Rurociągi"_cp));
    ASSERT_NE(window(*demo)->menu_bar(), nullptr);
    EXPECT_EQ(window(*demo)->menu_bar()->actions().size(), 2);

    // Aligned controls stand where the core put them: tool bar on top, status
    // bar at the bottom, the side panel at the left, the pages in the rest.
    const QSize client = window(*demo)->client()->size();
    EXPECT_EQ(widget(demo->toolbar)->geometry(), QRect(0, 0, client.width(), 29));
    EXPECT_EQ(widget(demo->status)->geometry(), QRect(0, client.height() - 22, client.width(), 22));
    EXPECT_EQ(widget(demo->side)->geometry(), QRect(0, 29, 180, client.height() - 51));
    EXPECT_EQ(widget(demo->pages)->geometry(), QRect(184, 29, client.width() - 184, client.height() - 51));
    // The tool bar lays its buttons out from the left.
    EXPECT_EQ(demo->tb_new->Left(), 0);
    EXPECT_GE(demo->tb_new->Width(), demo->toolbar->ButtonWidth);
    EXPECT_EQ(demo->tb_sep->Left(), demo->tb_new->Width());
    EXPECT_EQ(demo->tb_check->Left(), demo->tb_sep->Left() + 8);
    EXPECT_EQ(widget(demo->tb_check)->x(), demo->tb_check->Left());

    // Screenshots of each page.
    const char* names[] = {"demo_standard", "demo_grid", "demo_drawing"};
    for (int i = 0; i < 3; ++i) {
        demo->pages->SetActivePageIndex(i);
        settle();
        EXPECT_EQ(widget_as<QTabWidget>(demo->pages)->currentIndex(), i);
        screenshot(window(*demo), QString::fromLatin1(names[i]));
    }
    EXPECT_GT(demo->paints, 0);  // the paint box painted through the canvas
    EXPECT_EQ(count("page change"), 0);  // pages set from code run no event
}

TEST_F(Renderer, ResizingTheWindowRealignsTheControls) {
    show_demo();
    gui::FormWindow* w = window(*demo);
    const int menu = w->height() - w->client()->height();
    w->resize(1000, 700 + menu);
    settle();
    EXPECT_EQ(demo->Width(), 1000);
    EXPECT_EQ(demo->Height(), 700);
    EXPECT_EQ(demo->pages->Width(), 1000 - 184);
    EXPECT_EQ(widget(demo->pages)->width(), 1000 - 184);
    EXPECT_EQ(widget(demo->status)->y(), 700 - 22);
    // A tab sheet takes the size of its page: its aligned grid follows.
    demo->pages->SetActivePage(demo->sheet_grid);
    settle();
    QWidget* page = widget(demo->sheet_grid);
    EXPECT_EQ(demo->sheet_grid->Width(), page->width());
    EXPECT_EQ(demo->grid->Width(), page->width());
    EXPECT_EQ(demo->tabs->Top() + demo->tabs->Height(), page->height());

    // Code sizing the form sizes the window.
    demo->SetBounds(demo->Left(), demo->Top(), 800, 500);
    settle();
    EXPECT_EQ(w->client()->size(), QSize(800, 500));

    // Dragging the splitter widens the side panel.
    QWidget* bar = widget(demo->splitter);
    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, QPoint(1, 10));
    QTest::mouseMove(bar, QPoint(41, 10));
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, QPoint(41, 10));
    EXPECT_EQ(demo->side->Width(), 220);
    EXPECT_EQ(widget(demo->side)->width(), 220);
    EXPECT_EQ(widget(demo->splitter)->x(), 220);
}

TEST_F(Renderer, ClicksOnRealWidgetsRunTheControlsHandlers) {
    show_demo();
    QTest::mouseClick(widget(demo->check), Qt::LeftButton, Qt::NoModifier, QPoint(5, 8));
    EXPECT_TRUE(demo->check->Checked());
    EXPECT_EQ(count("check"), 1);
    EXPECT_TRUE(widget_as<QCheckBox>(demo->check)->isChecked());

    QTest::mouseClick(widget(demo->button), Qt::LeftButton);
    EXPECT_EQ(count("button"), 1);
    EXPECT_TRUE(demo->button->Focused());

    QTest::mouseClick(widget(demo->radio2), Qt::LeftButton, Qt::NoModifier, QPoint(5, 8));
    EXPECT_TRUE(demo->radio2->Checked());
    EXPECT_FALSE(demo->radio1->Checked());
    EXPECT_FALSE(widget_as<QRadioButton>(demo->radio1)->isChecked());

    auto radios = widget(demo->radio_group)->findChildren<QRadioButton*>();
    ASSERT_EQ(radios.size(), 4);
    QTest::mouseClick(radios[3], Qt::LeftButton, Qt::NoModifier, QPoint(5, 8));
    EXPECT_EQ(demo->radio_group->ItemIndex(), 3);
    EXPECT_EQ(count("radio group"), 1);

    auto* list = widget_as<QListWidget>(demo->list);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(2)).center());
    EXPECT_EQ(demo->list->ItemIndex(), 2);
    EXPECT_EQ(count("list click"), 1);
    EXPECT_TRUE(list->item(2)->isSelected());

    auto* checks = widget_as<QListWidget>(demo->check_list);
    const QRect r0 = checks->visualItemRect(checks->item(0));
    QTest::mouseClick(checks->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(r0.left() + 8, r0.center().y()));
    EXPECT_TRUE(demo->check_list->Checked(0));
    EXPECT_EQ(count("check list"), 1);
    EXPECT_EQ(checks->item(0)->checkState(), Qt::Checked);

    QTest::mouseClick(widget(demo->speed2), Qt::LeftButton);
    EXPECT_TRUE(demo->speed2->Down());
    EXPECT_FALSE(demo->speed1->Down());
    EXPECT_FALSE(widget_as<QToolButton>(demo->speed1)->isChecked());

    QTest::mouseClick(widget(demo->tb_new), Qt::LeftButton);
    EXPECT_EQ(count("tool new"), 1);

    // A click on a tab of the page control.
    auto* tabs = widget_as<QTabWidget>(demo->pages);
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, Qt::NoModifier, tabs->tabBar()->tabRect(2).center());
    EXPECT_EQ(demo->pages->ActivePage(), demo->sheet_draw);
    EXPECT_EQ(count("page change"), 1);

    // The tab control paints itself and takes its clicks through the core.
    demo->pages->SetActivePage(demo->sheet_grid);
    settle();
    const TRect tab = demo->tabs->TabRect(1);
    QTest::mouseClick(widget(demo->tabs), Qt::LeftButton, Qt::NoModifier, QPoint(tab.Left + 3, tab.Top + 3));
    EXPECT_EQ(demo->tabs->TabIndex(), 1);
    EXPECT_EQ(count("tab change"), 1);
}

// A handler may destroy the very control the user's input went to: its
// widget's binding goes with it, and nothing of the binding runs afterwards
// (under the sanitizer a touch of it fails the test).
TEST_F(Renderer, AHandlerMayDestroyTheControlTheInputWentTo) {
    show_demo();
    auto* check = widget_as<QCheckBox>(demo->check);
    auto* speed = widget_as<QToolButton>(demo->speed2);
    auto* line = widget_as<QLineEdit>(demo->edit);
    auto* slider = widget_as<QSlider>(demo->track);
    auto* spin = widget_as<QAbstractSpinBox>(demo->spin);
    auto* checks = widget_as<QListWidget>(demo->check_list);
    const QPoint first_box = checks->visualItemRect(checks->item(0)).topLeft() + QPoint(8, 5);
    struct Case {
        const char* name;
        TControl* control;
        TNotifyEvent& event;
        std::function<void()> input;
    };
    const Case cases[] = {
        {"check box", demo->check, demo->check->OnClick, [&] { check->click(); }},
        {"speed button", demo->speed2, demo->speed2->OnClick, [&] { speed->click(); }},
        {"edit", demo->edit, demo->edit->OnChange, [&] { emit line->textEdited(QStringLiteral("1")); }},
        {"track bar", demo->track, demo->track->OnChange, [&] { slider->setValue(slider->value() + 1); }},
        {"spin edit", demo->spin, demo->spin->OnChange, [&] { spin->stepBy(1); }},
        {"check list", demo->check_list, demo->check_list->OnClick,
         [&] { QTest::mouseClick(checks->viewport(), Qt::LeftButton, Qt::NoModifier, first_box); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool destroyed = false;
        c.event = [&destroyed, victim = c.control](TObject*) {
            destroyed = true;
            delete victim;
        };
        c.input();
        EXPECT_TRUE(destroyed);
        EXPECT_EQ(renderer().widget_for(c.control), nullptr);
        settle();
    }
    // The form goes on taking input.
    QTest::mouseClick(widget(demo->button), Qt::LeftButton);
    EXPECT_EQ(count("button"), 1);
}

TEST_F(Renderer, KeysGoThroughTheHookShortcutsAndTheFocusedControl) {
    show_demo();
    QWidget* win = window(*demo);
    std::vector<Word> hooked;
    app().OnMessage = [&](TMsg& m, bool& handled) {
        if (m.kind == TMsg::KeyDown) hooked.push_back(m.key);
        handled = m.key == VK_F9;
    };
    // A menu item's shortcut, an action's shortcut, a key the hook eats.
    key(win, Qt::Key_N, Qt::ControlModifier);
    key(win, Qt::Key_F5);
    key(win, Qt::Key_F9);
    EXPECT_EQ(count("menu new"), 1);
    EXPECT_EQ(count("refresh"), 1);
    EXPECT_EQ(hooked, (std::vector<Word>{'N', VK_F5, VK_F9}));
    app().OnMessage = nullptr;

    // Typing into an edit: the control's key press filter sees each character.
    demo->edit->OnKeyPress = [](TObject*, char& k) {
        if (k == ',') k = '.';
    };
    auto* line = widget_as<QLineEdit>(demo->edit);
    QTest::mouseClick(line, Qt::LeftButton);
    EXPECT_TRUE(demo->edit->Focused());
    key(line, Qt::Key_1, Qt::NoModifier, QStringLiteral("1"));
    key(line, Qt::Key_Comma, Qt::NoModifier, QStringLiteral(","));
    key(line, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"));
    key(line, Qt::Key_unknown, Qt::NoModifier, gui::qs("ł"_cp));
    EXPECT_EQ(demo->edit->Text(), "1.5\xb3");
    EXPECT_EQ(line->text(), gui::qs("1.5ł"_cp));
    EXPECT_EQ(count("edit change"), 4);
    EXPECT_EQ(line->cursorPosition(), 4);
    // A character Windows-1250 cannot hold is refused with a beep.
    const int beeps = qt().beeps;
    key(line, Qt::Key_unknown, Qt::NoModifier, QString(QChar(0x4E2D)));
    EXPECT_EQ(demo->edit->Text(), "1.5\xb3");
    EXPECT_EQ(qt().beeps, beeps + 1);
    // The caret follows the core both ways.
    key(line, Qt::Key_Home);
    EXPECT_EQ(demo->edit->SelStart(), 0);
    EXPECT_EQ(line->cursorPosition(), 0);
    line->setCursorPosition(2);
    EXPECT_EQ(demo->edit->SelStart(), 2);
    key(line, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(demo->edit->SelStart(), 2);
    EXPECT_EQ(demo->edit->SelLength(), 1);
    EXPECT_EQ(line->selectedText(), QStringLiteral("5"));

    // Tab moves the focus in tab order.
    key(line, Qt::Key_Tab);
    EXPECT_TRUE(demo->memo->Focused());

    // Arrows in a drop-down list pick the next item.
    demo->combo->SetFocus();
    key(widget(demo->combo), Qt::Key_Down);
    EXPECT_EQ(demo->combo->ItemIndex(), 1);
    EXPECT_EQ(widget_as<QComboBox>(demo->combo)->currentIndex(), 1);
    EXPECT_EQ(count("combo change"), 1);

    // Space presses the focused check box; Enter the focused button.
    demo->check->SetFocus();
    key(widget(demo->check), Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    EXPECT_TRUE(demo->check->Checked());
    EXPECT_TRUE(widget_as<QCheckBox>(demo->check)->isChecked());
    demo->button->SetFocus();
    key(widget(demo->button), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_EQ(count("button"), 1);

    // Up and down on a spin edit step its value.
    demo->spin->SetFocus();
    key(widget(demo->spin), Qt::Key_Up);
    EXPECT_EQ(demo->spin->Value(), 13);
    EXPECT_EQ(widget_as<QAbstractSpinBox>(demo->spin)->text(), QStringLiteral("13"));
}

TEST_F(Renderer, ChangesFromCodeUpdateWidgetsWithoutEchoingEvents) {
    show_demo();
    demo->check->SetChecked(true);  // the core's habit: one click event
    EXPECT_TRUE(widget_as<QCheckBox>(demo->check)->isChecked());
    EXPECT_EQ(count("check"), 1);

    demo->edit->SetText("abc");
    EXPECT_EQ(widget_as<QLineEdit>(demo->edit)->text(), QStringLiteral("abc"));
    EXPECT_EQ(count("edit change"), 1);

    demo->combo->SetItemIndex(2);
    EXPECT_EQ(widget_as<QComboBox>(demo->combo)->currentIndex(), 2);
    EXPECT_EQ(count("combo change"), 0);

    demo->track->SetPosition(17);
    EXPECT_EQ(widget_as<QSlider>(demo->track)->value(), 17);
    EXPECT_EQ(count("track change"), 1);

    demo->spin->SetValue(40);
    EXPECT_EQ(widget_as<QAbstractSpinBox>(demo->spin)->text(), QStringLiteral("40"));
    EXPECT_EQ(count("spin change"), 1);

    demo->progress->SetPosition(30);
    EXPECT_EQ(widget_as<QProgressBar>(demo->progress)->value(), 30);

    demo->list->Items().Add("Odcinek 5");
    demo->list->SetItemIndex(4);
    EXPECT_EQ(widget_as<QListWidget>(demo->list)->count(), 5);
    EXPECT_TRUE(widget_as<QListWidget>(demo->list)->item(4)->isSelected());
    EXPECT_EQ(count("list click"), 0);

    demo->memo->Lines().Add("Trzecia");
    EXPECT_EQ(widget_as<QPlainTextEdit>(demo->memo)->toPlainText(),
              gui::qs("Pierwsza linia\nDruga linia – łąka\nTrzecia"_cp));

    demo->radio_group->SetItemIndex(0);
    EXPECT_TRUE(widget(demo->radio_group)->findChildren<QRadioButton*>()[0]->isChecked());

    demo->button->SetCaption("Licz");
    demo->button->SetEnabled(false);
    demo->button->SetHint("Przelicza");
    EXPECT_EQ(widget_as<QPushButton>(demo->button)->text(), QStringLiteral("Licz"));
    EXPECT_FALSE(widget(demo->button)->isEnabled());
    EXPECT_EQ(widget(demo->button)->toolTip(), QStringLiteral("Przelicza"));
    demo->button->Hide();
    EXPECT_FALSE(widget(demo->button)->isVisible());
    demo->button->SetBounds(20, 30, 60, 20);
    EXPECT_EQ(widget(demo->button)->geometry(), QRect(20, 30, 60, 20));

    demo->pages->SetActivePageIndex(1);
    EXPECT_EQ(widget_as<QTabWidget>(demo->pages)->currentIndex(), 1);
    EXPECT_EQ(count("page change"), 0);
    demo->sheet_draw->SetCaption("Szkic");
    EXPECT_EQ(widget_as<QTabWidget>(demo->pages)->tabText(2), QStringLiteral("Szkic"));

    TTreeNode* teren = demo->tree->Items().Item(4);
    demo->tree->SetSelected(teren);
    EXPECT_EQ(widget_as<QTreeWidget>(demo->tree)->currentItem()->text(0), QStringLiteral("Teren"));

    // A control created later gets its widget; one destroyed loses it.
    auto* extra = new TButton(demo);
    extra->SetCaption("Nowy");
    extra->SetParent(demo->sheet_std);
    ASSERT_NE(renderer().widget_for(extra), nullptr);
    EXPECT_EQ(renderer().widget_for(extra)->parentWidget(), widget(demo->sheet_std));
    delete extra;
    EXPECT_EQ(renderer().widget_for(extra), nullptr);

    // Menu items follow their state when the menu opens.
    demo->mi_new->SetEnabled(false);
    settle();
    QMenu* file = window(*demo)->menu_bar()->actions()[0]->menu();
    ASSERT_NE(file, nullptr);
    emit file->aboutToShow();
    // Opening a menu or a submenu clicks its item, as the old toolkit did.
    EXPECT_EQ(count("menu file opened"), 1);
    const auto acts = file->actions();
    ASSERT_GE(acts.size(), 4);
    EXPECT_EQ(acts[0]->text(), QStringLiteral("&Nowy\tCtrl+N"));
    EXPECT_FALSE(acts[0]->isEnabled());
    EXPECT_TRUE(acts[1]->isSeparator());
    EXPECT_TRUE(acts[2]->isChecked());
    EXPECT_NE(acts[3]->menu(), nullptr);
    emit acts[3]->menu()->aboutToShow();
    EXPECT_EQ(count("menu recent opened"), 1);
    EXPECT_TRUE(acts[0]->shortcut().isEmpty());  // the toolkit dispatches shortcuts
}

TEST_F(Renderer, GridEditorIsALineEditOverTheCurrentCell) {
    show_demo();
    demo->pages->SetActivePage(demo->sheet_grid);
    settle();
    QWidget* area = widget(demo->grid);
    const TRect cell = demo->grid->CellRect(2, 3);
    QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, QPoint(cell.Left + 5, cell.Top + 5));
    EXPECT_EQ(demo->grid->Col(), 2);
    EXPECT_EQ(demo->grid->Row(), 3);
    EXPECT_TRUE(demo->grid->Focused());
    key(area, Qt::Key_F2);
    ASSERT_TRUE(demo->grid->EditorMode());
    auto* editor = area->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->geometry(), QRect(cell.Left, cell.Top, cell.Width(), cell.Height()));
    EXPECT_EQ(editor->text(), QStringLiteral("103.25"));
    key(editor, Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
    EXPECT_EQ(demo->grid->Cells(2, 3), "103.257");
    EXPECT_EQ(editor->text(), QStringLiteral("103.257"));
    key(editor, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_FALSE(demo->grid->EditorMode());
    EXPECT_FALSE(editor->isVisible());
    key(area, Qt::Key_Down);
    EXPECT_EQ(demo->grid->Row(), 4);
    screenshot(window(*demo), QStringLiteral("demo_grid_edited"));
}

TEST_F(Renderer, PopupMenusOpenOnTheControlAndChooseThroughTheToolkit) {
    show_demo();
    QWidget* tree = widget_as<QTreeWidget>(demo->tree)->viewport();
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(menu->actions().size(), 2);
        EXPECT_EQ(menu->actions()[1]->text(), QStringLiteral("Druga"));
        menu->setActiveAction(menu->actions()[1]);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QContextMenuEvent ev(QContextMenuEvent::Mouse, QPoint(10, 10), tree->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(tree, &ev);
    EXPECT_EQ(demo->log, (std::vector<std::string>{"on popup", "popup second"}));
    EXPECT_EQ(demo->popup->PopupComponent, demo->tree);
}

TEST_F(Renderer, NestedModalFormsRunAsModalWindows) {
    auto make = [&](const std::string& name) {
        auto* f = new TForm(&app());
        f->set_class_name(name);
        f->SetBounds(0, 0, 300, 200);
        f->BorderStyle = TFormBorderStyle::bsDialog;
        auto* b = new TButton(f);
        b->SetName("ok");
        b->SetCaption("OK");
        b->SetParent(f);
        b->ModalResult = mrOk;
        f->DoCreate();
        return f;
    };
    TForm* outer = make("TOuter");
    TForm* inner = make("TInner");
    auto* open = new TButton(outer);
    open->SetCaption("Dalej");
    open->SetBounds(100, 0, 75, 25);
    open->SetParent(outer);
    TModalResult inner_result = mrNone;
    int depth_inside = 0;
    open->OnClick = [&](TObject*) {
        QTimer::singleShot(0, [&] {
            depth_inside = renderer().modal_depth();
            EXPECT_EQ(app().ActiveForm(), inner);
            EXPECT_EQ(window(*inner)->windowModality(), Qt::ApplicationModal);
            QTest::mouseClick(widget(inner->FindComponent("ok")), Qt::LeftButton);
        });
        inner_result = inner->ShowModal();
        // Back in the outer form: its window closes through the title bar.
        QTimer::singleShot(0, [&] { window(*outer)->close(); });
    };
    QTimer::singleShot(0, [&] { QTest::mouseClick(widget(open), Qt::LeftButton); });
    const TModalResult outer_result = outer->ShowModal();
    EXPECT_EQ(inner_result, mrOk);
    EXPECT_EQ(outer_result, mrCancel);
    EXPECT_EQ(depth_inside, 2);
    EXPECT_EQ(renderer().modal_depth(), 0);
    EXPECT_EQ(app().modal_depth(), 0);
    EXPECT_FALSE(window(*inner)->isVisible());
    EXPECT_FALSE(window(*outer)->isVisible());
}

TEST_F(Renderer, MessageBoxesAreAnsweredByARealClickOrByTheTestHook) {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QAbstractButton* def = nullptr;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        def = box->defaultButton();
        EXPECT_EQ(def, box->button(QMessageBox::No));
        QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
    });
    EXPECT_EQ(MessageBox("Usunąć odcinek?"_cp, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(title, QStringLiteral("Halvoren"));
    EXPECT_EQ(text, gui::qs("Usunąć odcinek?"_cp));
    EXPECT_EQ(icon, QMessageBox::Question);

    // Esc gives Cancel in a Yes/No/Cancel box.
    QTimer::singleShot(0, [&] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    EXPECT_EQ(MessageBox("Zapisać?"_cp, MB_YESNOCANCEL), IDCANCEL);

    std::vector<std::string> asked;
    qt().answer_message_box = [&](std::string_view t, std::string_view, unsigned) {
        asked.emplace_back(t);
        return IDYES;
    };
    EXPECT_EQ(MessageBox("Kontynuować?"_cp, MB_YESNO), IDYES);
    // An exception from a handler becomes the standard error box.
    auto* b = new TButton(app().MainForm());
    b->SetParent(app().MainForm());
    b->OnClick = [](TObject*) { throw Exception("Brak pliku"); };
    prog->show_main_window();
    settle();
    QTest::mouseClick(widget(b), Qt::LeftButton);
    EXPECT_EQ(asked, (std::vector<std::string>{"Kontynuować?"_cp, "Brak pliku."}));
}

TEST_F(Renderer, ClosingTheMainWindowAsksTheFormAndEndsTheEventLoop) {
    TForm* main = app().MainForm();
    int asked = 0;
    main->OnCloseQuery = [&](TObject*, bool& can) { can = ++asked > 1; };
    prog->show_main_window();
    settle();
    gui::FormWindow* w = window(*main);
    // The first close is refused: the window stays; the second ends the loop.
    QTimer::singleShot(0, [&] {
        w->close();
        EXPECT_TRUE(w->isVisible());
        EXPECT_FALSE(app().Terminated());
        QTimer::singleShot(0, [&] { w->close(); });
    });
    EXPECT_EQ(qt().exec_main_loop(), 0);
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(app().Terminated());
    EXPECT_FALSE(w->isVisible());
}

TEST_F(Renderer, PostedCallsAndTimersRunFromTheEventLoop) {
    QEventLoop loop;
    bool timed_out = false;
    QTimer failsafe;
    failsafe.setSingleShot(true);
    QObject::connect(&failsafe, &QTimer::timeout, [&] {
        timed_out = true;
        loop.quit();
    });
    std::vector<std::string> ran;
    app().post([&] {
        ran.push_back("first");
        app().post([&] {
            ran.push_back("second");
            loop.quit();
        });
    });
    failsafe.start(10000);
    loop.exec();
    EXPECT_FALSE(timed_out);
    EXPECT_EQ(ran, (std::vector<std::string>{"first", "second"}));

    auto* timer = new TTimer(app().MainForm());
    timer->SetInterval(1);
    int fired = 0;
    timer->OnTimer = [&](TObject*) {
        if (++fired == 2) {
            timer->SetEnabled(false);
            loop.quit();
        }
    };
    failsafe.start(10000);
    loop.exec();
    EXPECT_FALSE(timed_out);
    EXPECT_EQ(fired, 2);
    delete timer;
}

}  // namespace
