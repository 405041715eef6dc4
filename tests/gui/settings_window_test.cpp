// The settings dialog as a real window: its tree chooses each page, the
// tables paint their check marks, swatches and network squares, and the
// colour chooser opens from a colour cell.
#include <QImage>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "files/settings_tables.h"
#include "forms/kolory.h"
#include "forms/opcje.h"
#include "gui/gui_fixture.h"
#include "gui/qt_text.h"
#include "model/drawing_palette.h"
#include "model/settings_state.h"
#include "platform/input.h"

namespace {

using SettingsWindow = GuiTest;

TEST_F(SettingsWindow, TheTreeShowsEveryPageAndTheTablesArePainted) {
    prog->show_main_window();
    settle();
    settings().check_rules = {rule_def{"Za plytko", "@_td_zaglebienie<1", "w,d,", static_cast<TColor>(0x3366CC), true}};
    RefreshSag_Rules();
    topcje->Show();
    settle();
    auto* tree = widget_as<QTreeWidget>(topcje->tv_Config);
    ASSERT_NE(tree, nullptr);
    const int pages[] = {9, 16, 0, 1, 2, 3, 7, 12, 13, 5, 8, 14, 10, 6, 4, 11, 15};
    // The tree widget is built again after each choice: its items are
    // looked up afresh.
    auto item = [tree](int n) {
        QTreeWidgetItemIterator it(tree);
        for (int k = 0; *it && k < n; ++k) ++it;
        return *it;
    };
    int i = 0;
    for (; item(i); ++i) {
        ASSERT_LT(i, 17);
        QTreeWidgetItem* it = item(i);
        if (it->parent()) { EXPECT_TRUE(it->parent()->isExpanded()) << i; }
        const QRect r = tree->visualItemRect(it);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, r.center());
        settle();
        EXPECT_EQ(topcje->PageControl1->ActivePageIndex(), pages[i]) << i;
        screenshot(window(*topcje), QStringLiteral("Ttopcje_page_%1").arg(i, 2, 10, QChar('0')));
    }
    EXPECT_EQ(i, 17);

    // The rules page: the rule's swatch and the squares of its two networks.
    TStringAlignGrid* rules = topcje->sag_Rules;
    ASSERT_EQ(topcje->PageControl1->ActivePage(), topcje->ts_Warnings);
    const QImage picture = widget(rules)->grab().toImage();
    const TRect swatch = rules->CellRect(2, 1);
    const int middle = swatch.Left + swatch.Width() / 2;
    EXPECT_EQ(picture.pixelColor(middle, (swatch.Top + swatch.Bottom) / 2), gui::qcolor(0x3366CC));
    const TRect media = rules->CellRect(5, 1);
    const int y = (media.Top + media.Bottom) / 2;
    EXPECT_EQ(picture.pixelColor(media.Left + 5, y), gui::qcolor(drawing_palette_colour(network_colours[0], 0)));
    EXPECT_EQ(picture.pixelColor(media.Left + 25, y), gui::qcolor(drawing_palette_colour(network_colours[2], 0)));
    EXPECT_EQ(picture.pixelColor(media.Left + 15, y), gui::qcolor(rules->cell_colour(5, 1)));

    // A double click on a layer colour cell opens "Wybierz kolor:".
    user::choose_page(topcje->PageControl1, topcje->ts_Layers->PageIndex());
    settle();
    TStringAlignGrid* layers = topcje->sag_Layers;
    user::click_cell(layers, 2, 1);
    settle();
    QTimer::singleShot(0, [&] {
        screenshot(window(*tkolory), QStringLiteral("Ttkolory_from_layers"));
        EXPECT_FALSE(tkolory->st_bylayer->Enabled());
        user::click(tkolory->sb_Cancel);
    });
    user::double_click(layers);
    settle();
    topcje->Hide();
    settle();
}

}  // namespace
