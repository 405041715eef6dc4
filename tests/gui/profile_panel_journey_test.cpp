// The profile panel of the real main window, with Qt's mouse and key
// events: the data group's boxes and edits, the parallel pipe's question,
// Enter on to the table, the preview's group with its start edits and the
// customise entry of a description list; screenshots of both groups.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTabBar>
#include <QTimer>
#include <QtTest/QtTest>

#include <string>

#include "forms/opcje.h"
#include "forms/rys1.h"
#include "gui/main_window_fixture.h"
#include "gui/qt_text.h"
#include "model/messages.h"
#include "model/records.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "platform/cp1250.h"
#include "platform/named_bytes.h"

namespace {

class ProfilePanelJourney : public MainWindowTest {
protected:
    static odcinek& profile() { return model().profiles.at(model().current_profile); }
    // A click in the middle of a control's widget.
    void click(const TComponent* c) {
        QWidget* w = widget(c);
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(6, w->height() / 2));
        settle();
    }
    // Replaces the text of an edit as a user does: a click into it, Home,
    // Shift+End, then the keys of the new text.
    void retype(TEdit* edit, const std::string& text) {
        auto* line = widget_as<QLineEdit>(edit);
        ASSERT_NE(line, nullptr);
        QTest::mouseClick(line, Qt::LeftButton, Qt::NoModifier, QPoint(4, line->height() / 2));
        key(line, Qt::Key_Home);
        key(line, Qt::Key_End, Qt::ShiftModifier);
        for (char c : text) {
            const Qt::Key code = c == '.' ? Qt::Key_Period
                                 : c == ',' ? Qt::Key_Comma
                                 : c == '-' ? Qt::Key_Minus
                                            : static_cast<Qt::Key>(QChar::fromLatin1(c).toUpper().unicode());
            key(line, code, Qt::NoModifier, QString(QChar::fromLatin1(c)));
        }
        settle();
    }
    void enter(TWinControl* c) {
        key(widget(c), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        settle();
    }
    // The next question box is answered with the button; its text is kept.
    void answer_next_box(QMessageBox::StandardButton button, QString& asked) {
        QTimer::singleShot(0, [&asked, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            asked = box->text();
            QTest::mouseClick(box->button(button), Qt::LeftButton);
        });
    }
    // Saves the group's picture and checks it is the panel's ground with
    // text on it.
    void shoot(TGroupBox* group, const QString& name) {
        QWidget* w = widget(group);
        ASSERT_TRUE(w->isVisible()) << name.toStdString();
        const QImage picture = QImage(screenshot(w, name));
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.size(), w->size() * picture.devicePixelRatio());
        int dark = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (qGray(picture.pixel(x, y)) < 80) ++dark;
        EXPECT_GT(dark, 500) << "the captions and labels are drawn";
        // Every control stands inside its group.
        for (QWidget* child : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!child->isVisible()) continue;
            EXPECT_TRUE(w->rect().contains(child->geometry())) << child->objectName().toStdString();
        }
    }
};

TEST_F(ProfilePanelJourney, TheDataGroupEditsTheProfileAndEnterGoesOnToTheTable) {
    shoot(Form1->gb_DataPanel, QStringLiteral("TForm1_gb_DataPanel"));
    EXPECT_FALSE(widget(Form1->gb_PreviewPanel)->isVisible());
    set_project_modified(false);

    // "<--" turns the flow, and the project is to be saved.
    auto* right = widget_as<QRadioButton>(Form1->rb_FlowDirectionLR);
    auto* left = widget_as<QRadioButton>(Form1->rb_FlowDirectionRL);
    ASSERT_TRUE(right && left);
    EXPECT_EQ(right->text(), QStringLiteral("-->"));
    profile().pl2r_wart = true;
    Form1->przypisz_wartosci_z_odcinka_do_kontrolek();
    settle();
    QTest::mouseClick(left, Qt::LeftButton, Qt::NoModifier, QPoint(5, left->height() / 2));
    settle();
    EXPECT_FALSE(profile().pl2r_wart);
    EXPECT_TRUE(Form1->a_ProjectSave->Enabled());

    // The own comparison level: the box opens the edit; "," is typed as the
    // separator, a letter is refused; Enter goes on to the table and, with
    // one profile, asks nothing.
    EXPECT_FALSE(widget(Form1->e_CompareLevel)->isEnabled());
    click(Form1->cb_CompareLevel);
    EXPECT_TRUE(profile().poziom);
    ASSERT_TRUE(widget(Form1->e_CompareLevel)->isEnabled());
    retype(Form1->e_CompareLevel, "-");
    EXPECT_EQ(profile().poziom_wart, 0);
    retype(Form1->e_CompareLevel, "95,5x");
    EXPECT_EQ(widget_as<QLineEdit>(Form1->e_CompareLevel)->text(), QStringLiteral("95.5"));
    EXPECT_EQ(profile().poziom_wart, 95.5);
    enter(Form1->e_CompareLevel);
    EXPECT_EQ(QApplication::focusWidget(), table);

    // The parallel pipe asks first; No leaves the box off.
    QString asked;
    answer_next_box(QMessageBox::No, asked);
    click(Form1->cb_PipellTerrain);
    EXPECT_EQ(asked, gui::qs(format_language_text(msg("msg_PipeParallelTerrainQuestion",
                                                      "Obecne wartości spadku oraz zagłębienia zostaną utracone.%sKontynuować?"_cp),
                                                  {"\r"})));
    EXPECT_FALSE(widget_as<QCheckBox>(Form1->cb_PipellTerrain)->isChecked());
    EXPECT_FALSE(profile().rownol);
    EXPECT_TRUE(widget(Form1->rg_ManuallyValue)->isEnabled());
    answer_next_box(QMessageBox::Yes, asked);
    click(Form1->cb_PipellTerrain);
    EXPECT_TRUE(profile().rownol);
    EXPECT_FALSE(widget(Form1->rg_ManuallyValue)->isEnabled());
    EXPECT_EQ(Form1->rg_ManuallyValue->ItemIndex(), 1);
    // The boxes gave the window's activation back.
    QApplication::setActiveWindow(window(*Form1));
    settle();

    // The own scale: the box shows the general scale, typed digits make
    // the profile's own; leaving it in a one-profile project makes it the
    // general scale.
    topcje->sag_DrawingProperties->SetCell(1, 1, "200");
    click(Form1->cb_CustomXScale);
    EXPECT_EQ(widget_as<QLineEdit>(Form1->e_ProfileXScale)->text(), QStringLiteral("200"));
    retype(Form1->e_ProfileXScale, "-750");
    EXPECT_EQ(profile().pskalax, 750);
    enter(Form1->e_ProfileXScale);
    EXPECT_EQ(QApplication::focusWidget(), table);
    EXPECT_EQ(topcje->sag_DrawingProperties->Cells(1, 1), "750");
    EXPECT_FALSE(widget_as<QCheckBox>(Form1->cb_CustomXScale)->isChecked());
    EXPECT_FALSE(profile().pskala);
}

TEST_F(ProfilePanelJourney, ThePreviewGroupPlacesTheSheetAndOpensTheValueListToCustomise) {
    settings().data_lists[5] = std::string("@_nazwa") + item_separator + "@_rzedna";
    // The preview's tab is clicked.
    auto* tabs = widget(Form1->PageControl1)->findChild<QTabBar*>();
    ASSERT_NE(tabs, nullptr);
    int preview_tab = -1;
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i) == gui::qs(Form1->ts_DrawingPreview->Caption())) preview_tab = i;
    ASSERT_GE(preview_tab, 0);
    QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(preview_tab).center());
    settle();
    ASSERT_EQ(Form1->PageControl1->ActivePage(), Form1->ts_DrawingPreview);
    ASSERT_TRUE(widget(Form1->gb_PreviewPanel)->isVisible());
    EXPECT_FALSE(widget(Form1->gb_DataPanel)->isVisible());
    auto* nodes = widget_as<QComboBox>(Form1->cb_NodeDescription);
    ASSERT_NE(nodes, nullptr);
    ASSERT_EQ(nodes->count(), 3);
    EXPECT_EQ(nodes->itemText(2),
              gui::qs(lang_text("MostUsedValues", "muv_CustomizeList", "            dostosuj listę..."_cp)));
    shoot(Form1->gb_PreviewPanel, QStringLiteral("TForm1_gb_PreviewPanel"));

    // On the scheme the start edits place the current profile.
    click(Form1->tb_PreviewScheme);
    ASSERT_TRUE(Form1->tb_PreviewScheme->Down());
    Form1->preview_sheet_mode = 2;  // the scheme button's sheet
    set_project_modified(false);
    retype(Form1->e_StartX, "12.5");
    retype(Form1->e_StartAngle, "30");
    enter(Form1->e_StartAngle);
    EXPECT_EQ(profile().startX, 12.5);
    EXPECT_EQ(profile().startAngle, 30);
    EXPECT_TRUE(model().project_modified);

    // The crossings' own label: the box off opens the edit.
    auto* crossings = widget(Form1->e_CrossingDescription);
    EXPECT_FALSE(crossings->isEnabled());
    click(Form1->cb_CrossingDescLikeInEditor);
    EXPECT_TRUE(crossings->isEnabled());

    // The keys walk the node descriptions down to the customise entry, which
    // opens the settings at the node-description list.
    int list = -1;
    QTimer::singleShot(0, [&] {
        settle();
        list = topcje->cb_listy->ItemIndex();
        QTest::mouseClick(widget(topcje->b_Cancel), Qt::LeftButton);
    });
    ASSERT_EQ(Form1->cb_NodeDescription->ItemIndex(), 0);
    QTest::mouseClick(nodes->lineEdit(), Qt::LeftButton);
    key(nodes, Qt::Key_Down);
    EXPECT_EQ(Form1->cb_NodeDescription->Text(), "@_rzedna");
    EXPECT_EQ(list, -1);
    key(nodes, Qt::Key_Down);
    settle();
    EXPECT_EQ(list, 5);
    EXPECT_EQ(Form1->cb_NodeDescription->Text(), "@_nazwa");
    EXPECT_EQ(nodes->currentText(), QStringLiteral("@_nazwa"));
}

}  // namespace
