// The program's start as a person meets it in the real window: a fresh
// configuration folder that gets the shipped templates without a message,
// the chooser making each shipped document, the main window maximized, the
// profile tabs' captions whole and every tool button readable.
#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QListWidget>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "forms/rys1.h"
#include "forms/skojarzone.h"
#include "gui/gui_fixture.h"
#include "gui/qt_text.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/input.h"
#include "platform/paths.h"
#include "platform/sysutils.h"

namespace {

class Start : public GuiTest {
protected:
    std::vector<std::string> boxes;
    std::vector<std::string> opened;

    // The program started again on the configuration folder as it is, every
    // message box recorded (and answered OK) and every file the desktop
    // would open recorded.
    void restart() {
        prog.reset();
        services_.reset();
        ini_cache_clear();
        settle();
        services_ = std::make_unique<gui::QtServices>();
        services_->answer_message_box = [this](std::string_view text, std::string_view, unsigned) {
            boxes.emplace_back(text);
            return IDOK;
        };
        services_->answer_open = [this](std::string_view target) {
            opened.emplace_back(target);
            return true;
        };
        prog = std::make_unique<Program>(*services_, std::vector<std::string>{home.file("bin/halvoren")});
    }
    void show() {
        prog->show_main_window();
        settle();
        QApplication::setActiveWindow(window(*Form1));
        settle();
    }
    // Whether a picture draws something at the tool bars' size.
    static bool draws(const QIcon& icon) {
        const QImage image = icon.pixmap(QSize(16, 16)).toImage();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(image.pixel(x, y)) > 0) return true;
        return false;
    }
};

TEST_F(Start, AFreshHomeShowsNoMessageAndTheChooserMakesEveryShippedDocument) {
    // Nothing of any earlier start: no settings, no folders.
    prog.reset();
    delete_folder_tree(home.path());
    ForceDirectories(home.path());
    restart();
    show();
    EXPECT_TRUE(boxes.empty()) << cp1250_to_utf8(boxes.empty() ? "" : boxes[0]);
    // The program started as a name without a folder finds its own folder
    // through its running file.
    EXPECT_EQ(gui::qs(running_program_folder()), QCoreApplication::applicationDirPath() + u'/');
    EXPECT_TRUE(DirectoryExists(folders().config_folder + "objects"));

    // Ctrl+D opens the chooser (modally): it lists the five shipped
    // templates; each is chosen with the mouse and made with "Utwórz".
    std::vector<std::string> titles;
    QTimer::singleShot(0, [&] {
        settle();
        auto* list = widget_as<QListWidget>(tskojarzone->cb_Templates);
        ASSERT_NE(list, nullptr);
        for (int i = 0; i < list->count(); ++i) {
            QListWidgetItem* item = list->item(i);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(item).center());
            settle();
            titles.push_back(tskojarzone->cb_Templates->Items()[i]);
            QTest::mouseClick(widget(tskojarzone->sb_Make), Qt::LeftButton);
            settle();
        }
        screenshot(window(*tskojarzone), QStringLiteral("Ttskojarzone_shipped"));
        QTest::mouseClick(widget(tskojarzone->sb_Cancel), Qt::LeftButton);
    });
    key(widget(Form1->sg1), Qt::Key_D, Qt::ControlModifier);
    settle();
    std::sort(titles.begin(), titles.end(), [](const std::string& a, const std::string& b) {
        return a.substr(a.find('=')) < b.substr(b.find('='));
    });
    std::vector<std::string> shown;
    for (const std::string& t : titles) shown.push_back(t.substr(t.find('=') + 1));
    EXPECT_EQ(shown, (std::vector<std::string>{"Dane projektu", "Lista profili", "Tabela węzłów profili (HTML)"_cp,
                                               "Tabela węzłów profili (RTF)"_cp, "Tabela węzłów profili (tekst)"_cp}));
    // Each made its document in the configuration folder, which the desktop
    // was asked to open.
    std::vector<std::string> documents = opened;
    std::sort(documents.begin(), documents.end());
    const std::string c = folders().config_folder;
    EXPECT_EQ(documents, (std::vector<std::string>{c + "dane_projektu.rtf", c + "lista_profili.rtf",
                                                   c + "tabela_wezlow.htm", c + "tabela_wezlow.rtf",
                                                   c + "tabela_wezlow.txt"}));
    for (const std::string& d : documents) EXPECT_GT(file_byte_size(d), 0) << d;
    EXPECT_EQ(read_lines(c + "tabela_wezlow.txt").at(0), "Tabela węzłów profili"_cp);
    EXPECT_TRUE(read_file(c + "dane_projektu.rtf").starts_with("{\\rtf1"));
}

TEST_F(Start, TheMainWindowOpensMaximizedAndKeepsTheUsersChoice) {
    restart();
    show();
    QWidget* w = window(*Form1);
    const QRect area = w->screen()->availableGeometry();
    EXPECT_TRUE(w->isMaximized());
    EXPECT_GE(w->frameGeometry().width(), area.width());

    // A window manager that takes the request only from a shown window
    // answers the first one by keeping the window as it was: the program
    // asks again once the window shows.
    prog.reset();
    restart();
    prog->show_main_window();
    w = window(*Form1);
    w->setWindowState(Qt::WindowNoState);
    settle();
    EXPECT_TRUE(w->isMaximized());
    EXPECT_GE(w->frameGeometry().width(), area.width());
    EXPECT_GE(w->frameGeometry().height(), area.height());
    EXPECT_EQ(Form1->WindowState(), TWindowState::wsMaximized);

    // The user restores it, after the first moments: the form knows, and
    // the next start opens it so.
    static_cast<gui::FormWindow*>(w)->end_maximizing();
    w->showNormal();
    settle();
    EXPECT_EQ(Form1->WindowState(), TWindowState::wsNormal);
    user::close(Form1);
    settle();
    EXPECT_FALSE(IniFile(folders().config_folder + "halvoren.ini").ReadBool("inne", "window_state_max", true));
    restart();
    show();
    EXPECT_FALSE(window(*Form1)->isMaximized());
    EXPECT_EQ(Form1->WindowState(), TWindowState::wsNormal);
}

TEST_F(Start, TheProfileTabsHoldTheirWholeCaptions) {
    restart();
    show();
    TTab95Control* tabs = Form1->tab_profile;
    tabs->Tabs.Clear();
    for (const char* caption : {"profil1", "[+] profil12", "Przykanalik Ł1 – główny"_cp, "WWWWWWWW"}) tabs->Tabs.Add(caption);
    tabs->set_tab_index(0);
    settle();
    for (int i = 0; i < tabs->Tabs.Count(); ++i) {
        const TRect r = tabs->TabRect(i);
        // The caption begins 6 pixels in (the selected tab's inset) and is
        // written in the selected or the other tabs' font.
        for (const TFont& font : {tabs->Font(), tabs->TabInactiveFont()}) {
            const int width = QFontMetrics(gui::qfont(font)).horizontalAdvance(gui::qs(tabs->Tabs.Strings(i)));
            EXPECT_LE(r.Left + 6 + width, r.Right) << tabs->Tabs.Strings(i) << " in " << font.Name;
        }
    }
    screenshot(widget(tabs), QStringLiteral("TForm1_profile_tabs"));
}

TEST_F(Start, EveryToolButtonShowsAPictureOrItsCaption) {
    restart();
    show();
    // Every picture the main window names is found, the desktop theme's and
    // the program's own.
    for (int i = 0; i < Form1->ComponentCount(); ++i) {
        TComponent* c = Form1->Components(i);
        std::string name;
        if (auto* a = dynamic_cast<TAction*>(c)) name = a->ImageName();
        else if (auto* b = dynamic_cast<TToolButton*>(c)) name = b->ImageName();
        else if (auto* s = dynamic_cast<TSpeedButton*>(c)) name = s->ImageName();
        else if (auto* m = dynamic_cast<TMenuItem*>(c)) name = m->ImageName();
        if (!name.empty()) {
            EXPECT_TRUE(draws(renderer().named_icon(name))) << c->Name() << ": " << name;
        }
    }
    // On every page each tool button a person sees has a picture that
    // draws, or shows a caption that fits it.
    int seen = 0;
    std::set<std::string> captions;
    for (TTabSheet* page : {Form1->ts_Data, Form1->ts_DrawingPreview, Form1->ts_InfoTable}) {
        user::choose_page(Form1->PageControl1, page->PageIndex());
        settle();
        for (int i = 0; i < Form1->ComponentCount(); ++i) {
            auto* c = dynamic_cast<TControl*>(Form1->Components(i));
            if (!dynamic_cast<TToolButton*>(c) && !dynamic_cast<TSpeedButton*>(c)) continue;
            auto* button = qobject_cast<QToolButton*>(renderer().widget_for(c));
            if (!button || !button->isVisible()) continue;  // hidden, or a divider
            ++seen;
            if (!button->icon().isNull() && draws(button->icon())) continue;
            captions.insert(c->Name());
            EXPECT_NE(button->toolButtonStyle(), Qt::ToolButtonIconOnly) << c->Name();
            EXPECT_FALSE(button->text().isEmpty()) << c->Name();
            EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), button->width()) << c->Name();
        }
        // The tool bars as a person sees them on this page.
        for (TToolBar* bar : {Form1->ToolBar1, Form1->tb_plik1, Form1->tb_InfoTable})
            if (QWidget* shown = renderer().widget_for(bar); shown && shown->isVisible())
                screenshot(shown, QStringLiteral("TForm1_") + gui::qs(bar->Name()) + u'_' + gui::qs(page->Name()));
    }
    EXPECT_GT(seen, 20);
    // The title block's buttons that have a caption and no picture.
    EXPECT_EQ(captions, (std::set<std::string>{"tb_it_TitleList", "tb_m10", "tb_mprzesun", "tb_mrozmiar"}));
}

}  // namespace
