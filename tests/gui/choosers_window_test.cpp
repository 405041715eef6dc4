// The network-type chooser and the project data dialog as real windows.
#include <QTimer>
#include <QWidget>

#include "files/media.h"
#include "forms/dane.h"
#include "forms/media.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "gui/gui_fixture.h"
#include "platform/input.h"

namespace {

using ChooserWindows = GuiTest;

TEST_F(ChooserWindows, MediaAndTheProjectDataWithTheCompletionList) {
    prog->show_main_window();
    settle();

    QTimer::singleShot(0, [&] {
        settle();
        EXPECT_TRUE(window(*tMedia)->isVisible());
        EXPECT_TRUE(tMedia->clb_Media->Checked(0));
        EXPECT_FALSE(tMedia->clb_Media->Checked(1));
        EXPECT_TRUE(tMedia->clb_Media->Checked(2));
        screenshot(window(*tMedia), QStringLiteral("TtMedia"));
        user::click(tMedia->b_OK);
    });
    EXPECT_EQ(choose_networks("w,d,"), "w,d,");
    settle();

    TStringGrid* staff = topcje->sag_Workers;
    staff->SetCell(0, 1, "Kowalski Jan");
    staff->SetCell(0, 2, "Nowak Anna");
    QTimer::singleShot(0, [&] {
        settle();
        Ttdane& d = *tdane;
        user::choose_page(d.PageControl1, 1);
        user::click_cell(d.sag_dane_kadra, 1, 1);
        user::type(d.sag_dane_kadra, "no");
        settle();
        EXPECT_TRUE(widget(d.lb_listy)->isVisible());
        EXPECT_EQ(d.lb_listy->ItemIndex(), 1);
        screenshot(window(d), QStringLiteral("Ttdane_completion"));
        user::key(VK_RETURN);
        user::key(VK_RETURN);
        settle();
        EXPECT_EQ(d.sag_dane_kadra->Cells(1, 1), "Nowak Anna");
        user::key(VK_ESCAPE);
    });
    Form1->a_ProjectData->Execute();
    settle();
    EXPECT_FALSE(window(*tdane)->isVisible());
}

}  // namespace
