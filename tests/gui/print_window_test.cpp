// "Drukowanie" as a real window: opened with Ctrl+P from the main window,
// its ratio typed, pages marked with the mouse and shown yellow, its other
// page visited, and cancelled with its button.
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "drawing/drawing_state.h"
#include "files/settings_groups.h"
#include "forms/rys1.h"
#include "forms/ustawienia_wydruku.h"
#include "gui/gui_fixture.h"
#include "gui/qt_text.h"
#include "platform/ini.h"
#include "platform/input.h"
#include "platform/paths.h"

namespace {

using PrintWindow = GuiTest;

QPoint centre(const TRect& r) { return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }

TEST_F(PrintWindow, PagesAreMarkedYellowWithTheMouseAndCancelPrintsNothing) {
    prog->show_main_window();
    settle();
    // A title block box gives the drawing its extents.
    Form1->make_text_box(1, 10, 20, 300, 60)->Lines().Add("Projekt");
    bool shown = false;
    QTimer::singleShot(0, [&] {
        settle();
        shown = true;
        Ttustawienia_wydruku& d = *tustawienia_wydruku;
        QWidget* dialog = window(d);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(d.l_CurrentPrinter->Caption(), "PDF");
        EXPECT_TRUE(d.b_PrinterSetup->Enabled());

        // A small ratio: the title block spans several pages.
        auto* units = widget_as<QLineEdit>(d.e_jedn);
        ASSERT_TRUE(units);
        units->selectAll();
        QTest::keyClicks(units, QStringLiteral("0.2"));
        settle();
        TStringGrid& g = *d.sg_kartki;
        ASSERT_GE(g.ColCount(), 3);
        const int last = g.ColCount() - 1, bottom = g.RowCount() - 1;
        EXPECT_EQ(g.Cells(last, bottom), "+");

        // Clicks mark the first page; a second click on a cell takes its
        // mark back.
        QWidget* grid = widget(&g);
        QTest::mouseClick(grid, Qt::LeftButton, {}, centre(g.CellRect(0, 0)));
        QTest::mouseClick(grid, Qt::LeftButton, {}, centre(g.CellRect(1, 0)));
        QTest::mouseClick(grid, Qt::LeftButton, {}, centre(g.CellRect(1, 0)));
        settle();
        EXPECT_EQ(g.Cells(0, 0), "+");
        EXPECT_EQ(g.Cells(1, 0), "");
        EXPECT_EQ(g.Cells(last, bottom), "+");
        QTest::mouseClick(grid, Qt::LeftButton, {}, centre(g.CellRect(2, 0)));
        settle();
        const QImage picture = grid->grab().toImage();
        const QColor yellow(255, 255, 0), white(255, 255, 255);
        for (const auto& [c, colour] : {std::pair{0, yellow}, {1, white}, {2, yellow}}) {
            const TRect r = g.CellRect(c, 0);
            EXPECT_EQ(picture.pixelColor(r.Left + 4, r.Top + 4), colour) << c;
            EXPECT_EQ(picture.pixelColor(centre(r)), colour) << c;
        }
        screenshot(dialog, QStringLiteral("Ttustawienia_wydruku"));

        // The options: raster output allows black and white.
        user::choose_page(d.PageControl1, d.ts_Options->PageIndex());
        settle();
        EXPECT_FALSE(widget(d.cb_BlacknWhite)->isEnabled());
        user::choose(d.cb_PrintMode, 1);
        settle();
        EXPECT_TRUE(widget(d.cb_BlacknWhite)->isEnabled());
        screenshot(dialog, QStringLiteral("Ttustawienia_wydruku_options"));
        QTest::mouseClick(widget(d.b_Cancel), Qt::LeftButton);
    });
    key(window(*Form1), Qt::Key_P, Qt::ControlModifier, QStringLiteral("\x10"));
    settle();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(window(*tustawienia_wydruku)->isVisible());
    EXPECT_EQ(drawing().drawing_mode, "print");
    EXPECT_TRUE(IniFile(user_settings_file()).ReadSection("drukowanie").empty());
}

}  // namespace
