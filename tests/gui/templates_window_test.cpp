// The template chooser and the language choice as real windows.
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>

#include "forms/opcje.h"
#include "forms/skojarzone.h"
#include "gui/gui_fixture.h"
#include "gui/qt_text.h"
#include "model/messages.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/paths.h"
#include "platform/sysutils.h"

namespace {

using TemplatesWindow = GuiTest;

TEST_F(TemplatesWindow, TheChooserShowsTitlesGreyFileNamesAndTypeBadges) {
    prog->show_main_window();
    settle();
    const std::string folder = folders().config_folder + "templates/";
    ForceDirectories(folder);
    write_lines(folder + "A.wzr", {"<HEADER>", "<TITLE>Zamówienie</TITLE>"_cp, "<TYPE>htm</TYPE>", "</HEADER>", "x"});
    write_lines(folder + "B.wzr", {"bez nagłówka"_cp});
    tskojarzone->Show();
    settle();
    ASSERT_EQ(tskojarzone->cb_Templates->Items().Count(), 2);
    EXPECT_EQ(tskojarzone->cb_Templates->Items()[1], "1=B.wzr");
    QWidget* list = widget(tskojarzone->cb_Templates);
    const QImage picture = list->grab().toImage();
    // The badge of the HTML template is green, the other's silver.
    const int right = tskojarzone->cb_Templates->ClientWidth();
    EXPECT_EQ(picture.pixelColor(right - 5, 4), QColor(0, 128, 0));
    EXPECT_EQ(picture.pixelColor(right - 5, 18 + 4), QColor(192, 192, 192));
    screenshot(window(*tskojarzone), QStringLiteral("Ttskojarzone"));
    tskojarzone->Hide();
    settle();
}

TEST_F(TemplatesWindow, ChoosingEnglishInTheSettingsTurnsEveryWindowEnglish) {
    prog->show_main_window();
    settle();
    topcje->Show();
    settle();
    user::choose_page(topcje->PageControl1, topcje->ts_Other->PageIndex());
    settle();
    topcje->cb_Language->SetItemIndex(1);
    settle();
    // The user picks "english" in the real list: one step up from "polski".
    auto* combo = widget_as<QComboBox>(topcje->cb_Language);
    ASSERT_NE(combo, nullptr);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Up);
    settle();
    EXPECT_EQ(topcje->cb_Language->Text(), "english");
    EXPECT_EQ(language_file, folders().program_folder + "lang/english.lng");
    EXPECT_EQ(topcje->ts_Other->Caption(), "&Other");
    EXPECT_EQ(topcje->Caption(), "Settings");
    EXPECT_EQ(window(*topcje)->windowTitle(), QStringLiteral("Settings"));
    screenshot(window(*topcje), QStringLiteral("Ttopcje_english"));
    topcje->Hide();
    settle();
}

}  // namespace
