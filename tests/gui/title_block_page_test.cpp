// The main window's page "Metryka" as a real window: the editing area
// scrolls its boxes, and the page's caption greys without the title block.
#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>

#include "files/title_block.h"
#include "forms/rys1.h"
#include "gui/gui_fixture.h"
#include "gui/qt_text.h"
#include "platform/cp1250.h"
#include "platform/input.h"

namespace {

using TitleBlockPage = GuiTest;

TEST_F(TitleBlockPage, TheEditingAreaScrollsItsBoxes) {
    prog->show_main_window();
    settle();
    user::choose_page(Form1->PageControl1, Form1->ts_InfoTable->PageIndex());
    otworz_tabele(std::string(HALVOREN_TEST_DATA) + "/project/title_block.hlm");
    settle();

    auto* area = widget_as<QScrollArea>(Form1->ScrollBox1);
    ASSERT_NE(area, nullptr);
    // The boxes stand on the area's surface, which reaches the ground's far corner.
    QWidget* box = widget(title_box(1));
    EXPECT_EQ(box->parentWidget(), area->widget());
    EXPECT_EQ(box->geometry(), QRect(5, 5, 185, 57));
    EXPECT_EQ(qobject_cast<QPlainTextEdit*>(box)->toPlainText(), gui::qs("  Projekt\tnr 1\nGmina Łódź\nSkala 1:100"_cp));
    EXPECT_GE(area->widget()->width(), title_area_width);
    EXPECT_GE(area->widget()->height(), title_area_height);
    EXPECT_TRUE(widget(Form1->tb_InfoTable)->isVisible());
    screenshot(window(*Form1), QStringLiteral("TForm1_metryka"));

    // A box moved beyond the ground widens the surface; scrolling leaves the boxes' bounds.
    title_box(3)->SetLeft(1400);
    settle();
    EXPECT_GE(area->widget()->width(), 1520);
    area->horizontalScrollBar()->setValue(200);
    settle();
    EXPECT_EQ(Form1->ScrollBox1->HorzScrollBar().Position(), 200);
    EXPECT_EQ(title_box(3)->Left(), 1400);

    // Without the title block the page's caption is grey.
    user::click(Form1->tb_bezmetryki);
    settle();
    auto* tabs = widget_as<QTabWidget>(Form1->PageControl1);
    const int page = tabs->indexOf(widget(Form1->ts_InfoTable));
    EXPECT_EQ(tabs->tabBar()->tabTextColor(page), QColor(128, 128, 128));
    screenshot(window(*Form1), QStringLiteral("TForm1_metryka_bez"));
}

}  // namespace
