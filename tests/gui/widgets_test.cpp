// The table component and the tab strip in real windows: painting, the
// editor over a cell, scroll bars, cell hints, dragging a tab and the
// system clipboard.
#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>

#include "gui/gui_fixture.h"
#include "gui/qt_text.h"
#include "gui/widgets_demo.h"
#include "platform/cp1250.h"

namespace {

class Widgets : public GuiTest {
protected:
    TWidgetsDemo* demo = nullptr;
    QWidget* area = nullptr;

    void SetUp() override {
        demo = new TWidgetsDemo(&app());
        demo->DoCreate();
        demo->Show();
        settle();
        QApplication::setActiveWindow(window(*demo));
        settle();
        area = widget(demo->table);
    }
    QPoint inside(int col, int row) const {
        const TRect r = demo->table->CellRect(col, row);
        return {r.Left + 5, r.Top + 5};
    }
    // A pixel near the cell's bottom-right corner, where no text stands.
    QColor corner(const QImage& image, int col, int row) const {
        const TRect r = demo->table->CellRect(col, row);
        return image.pixelColor(r.Right - 3, r.Bottom - 3);
    }
    QLineEdit* editor() const { return area->findChild<QLineEdit*>(); }
};

TEST_F(Widgets, CellsPaintTheirOwnColoursTheSelectionAndTheFixedColour) {
    TStringAlignGrid* t = demo->table;
    t->SetSelection(TGridRect{1, 7, 2, 8});  // the current cell is (2, 8)
    settle();
    const QImage image = area->grab().toImage();
    EXPECT_EQ(corner(image, TWidgetsDemo::own_colour_col, TWidgetsDemo::own_colour_row), gui::qcolor(clYellow));
    EXPECT_EQ(corner(image, 1, 7), gui::qcolor(clNavy)) << "a selected cell";
    EXPECT_EQ(corner(image, 3, 0), gui::qcolor(clSilver)) << "a fixed cell";
    EXPECT_EQ(corner(image, 0, 3), gui::qcolor(clMoneyGreen)) << "the fixed column's own colour";
    EXPECT_EQ(corner(image, 5, 2), gui::qcolor(clSkyBlue)) << "the column's colour";
    screenshot(window(*demo), QStringLiteral("widgets_demo"));
}

TEST_F(Widgets, TheEditorTakesTheCellsLookAndEscRestores) {
    const int col = TWidgetsDemo::own_colour_col, row = TWidgetsDemo::own_colour_row;
    QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, inside(col, row));
    key(area, Qt::Key_F2);
    QLineEdit* e = editor();
    ASSERT_NE(e, nullptr);
    ASSERT_TRUE(e->isVisible());
    EXPECT_EQ(e->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(e->palette().color(QPalette::Base), gui::qcolor(clYellow));
    EXPECT_EQ(e->text(), QStringLiteral("102.25"));
    key(e, Qt::Key_Home);
    key(e, Qt::Key_9, Qt::NoModifier, QStringLiteral("9"));
    EXPECT_EQ(e->text(), QStringLiteral("9102.25"));
    EXPECT_EQ(e->cursorPosition(), 1);
    EXPECT_EQ(demo->table->Cells(col, row), "9102.25");
    key(e, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    EXPECT_FALSE(e->isVisible());
    EXPECT_EQ(demo->table->Cells(col, row), "102.25");

    // Typing on the table replaces the selected starting text.
    key(area, Qt::Key_4, Qt::NoModifier, QStringLiteral("4"));
    EXPECT_EQ(editor()->text(), QStringLiteral("4"));
    key(editor(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_EQ(demo->table->Cells(col, row), "4");
    EXPECT_FALSE(editor()->isVisible());
}

TEST_F(Widgets, TheScrollBarMovesTheRowsAndFollowsTheKeys) {
    TStringAlignGrid* t = demo->table;
    QScrollBar* bar = nullptr;
    for (QScrollBar* b : area->findChildren<QScrollBar*>())
        if (b->orientation() == Qt::Vertical) bar = b;
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->minimum(), 1);
    EXPECT_EQ(bar->maximum(), t->MaxTopRow());
    bar->setValue(6);  // as the user's drag ends
    EXPECT_EQ(t->TopRow(), 6);
    QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, inside(1, 6));
    for (int i = 0; i < 20; ++i) key(area, Qt::Key_Down);
    EXPECT_EQ(t->Row(), 26);
    EXPECT_GT(t->TopRow(), 6);
    EXPECT_EQ(bar->value(), t->TopRow());
    key(area, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(bar->value(), 1);
}

TEST_F(Widgets, ACellShowsItsHintAsATooltip) {
    const QPoint at = inside(TWidgetsDemo::hint_col, TWidgetsDemo::hint_row);
    QHelpEvent help(QEvent::ToolTip, at, area->mapToGlobal(at));
    QApplication::sendEvent(area, &help);
    EXPECT_EQ(QToolTip::text(), gui::qs("Uwaga do węzła W1"_cp));
    EXPECT_TRUE(QToolTip::isVisible());
    // Moving on to the next cell hides it.
    QTest::mouseMove(area, inside(TWidgetsDemo::hint_col + 1, TWidgetsDemo::hint_row));
    EXPECT_EQ(demo->table->hint_col(), -1);
}

TEST_F(Widgets, ATabDraggedOntoAnotherMovesThereWithTheDragCursor) {
    QWidget* strip = widget(demo->tabs);
    auto centre = [&](int i) {
        const TRect r = demo->tabs->TabRect(i);
        return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    };
    EXPECT_EQ(demo->tabs->TabRect(0).Bottom, strip->height() - 2) << "the tabs stand at the bottom";
    QTest::mousePress(strip, Qt::LeftButton, Qt::NoModifier, centre(2));
    QMouseEvent move(QEvent::MouseMove, centre(0), strip->mapToGlobal(centre(0)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(strip, &move);
    EXPECT_EQ(strip->cursor().shape(), Qt::DragMoveCursor);
    QTest::mouseRelease(strip, Qt::LeftButton, Qt::NoModifier, centre(0));
    EXPECT_EQ(demo->tabs->Tabs.Strings(0), "Wodociąg"_cp);
    EXPECT_EQ(demo->tabs->Tabs.Strings(1), "profil1");
    EXPECT_EQ(demo->tabs->tab_index(), 0);
    EXPECT_EQ(demo->log, (std::vector<std::string>{"tab change", "tab shift"}));
    EXPECT_EQ(strip->cursor().shape(), Qt::ArrowCursor);
    screenshot(window(*demo), QStringLiteral("widgets_demo_tab_moved"));
}

TEST_F(Widgets, PolishTextCrossesTheSystemClipboard) {
    TStringAlignGrid* t = demo->table;
    t->SetCell(1, 1, "Zażółć"_cp);
    t->SetCell(2, 1, "gęślą jaźń"_cp);
    QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, inside(1, 1));
    QTest::mouseClick(area, Qt::LeftButton, Qt::ShiftModifier, inside(2, 1));
    key(area, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), gui::qs("Zażółć\tgęślą jaźń\t\r\n"_cp));

    // Another program's text with LF line ends goes into the selected cells.
    QGuiApplication::clipboard()->setText(gui::qs("Łódź\tŹródło\nPrzejście\tŚcieżka\n"_cp));
    QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, inside(1, 10));
    QTest::mouseClick(area, Qt::LeftButton, Qt::ShiftModifier, inside(2, 11));
    key(area, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(t->Cells(1, 10), "Łódź"_cp);
    EXPECT_EQ(t->Cells(2, 10), "Źródło"_cp);
    EXPECT_EQ(t->Cells(1, 11), "Przejście"_cp);
    EXPECT_EQ(t->Cells(2, 11), "Ścieżka"_cp);
    EXPECT_EQ(qt().clipboard_text(), std::string("Łódź\tŹródło\r\nPrzejście\tŚcieżka\r\n"_cp));
}

}  // namespace
