// The main window's start and stop: its place on the monitors, the missing
// objects folder, and the view it keeps for the next start.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/program.h"
#include "app/window_place.h"
#include "forms/rys1.h"
#include "model/columns.h"
#include "model/state.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/input.h"
#include "platform/paths.h"
#include "platform/sysutils.h"
#include "support/fixture.h"

namespace {

TEST(WindowPlace, TheLeftAndTopEdgesComeBackOntoTheMonitors) {
    const std::vector<MonitorInfo> two = {{0, 0, 1920, 1080}, {-1280, 200, 1280, 1024}};
    struct Case {
        int left, top;
        int want_left, want_top;
    };
    const Case cases[] = {
        {5000, 100, -1280, 100},   // far right of every monitor: the leftmost edge
        {100, 3000, 100, 0},       // far below: the topmost edge
        {-2000, -50, -1280, 0},    // before both edges
        {1800, 1000, 1800, 1000},  // partly off the screen, its corner inside: left alone
        {-1000, 1200, -1000, 1200},
    };
    for (const Case& c : cases) {
        int left = c.left, top = c.top;
        clamp_to_monitors(left, top, two);
        EXPECT_EQ(left, c.want_left) << c.left << "," << c.top;
        EXPECT_EQ(top, c.want_top) << c.left << "," << c.top;
    }
}

class Startup : public ProgramTest {
protected:
    // The program started afresh with the settings file as it is now.
    void restart() {
        prog.reset();
        ini_cache_clear();
        prog = std::make_unique<Program>(ui(), std::vector<std::string>{home.file("bin/halvoren")});
        decimal_separator = '.';
    }
    static std::string settings_path() { return path_join(default_config_folder(), "halvoren.ini"); }
};

TEST_F(Startup, TheWindowOpensMaximizedOrWhereItWasKeptOnTheMonitors) {
    EXPECT_EQ(Form1->WindowState(), TWindowState::wsMaximized);  // no setting: maximized
    {
        IniFile ini(settings_path());
        ini.WriteBool("inne", "window_state_max", false);
        ini.WriteInteger("inne", "window_pos_x", 9000);
        ini.WriteInteger("inne", "window_pos_y", 40);
        ini.WriteInteger("inne", "window_width", 800);
        ini.WriteInteger("inne", "window_height", 600);
    }
    ui().monitor_list = {{0, 0, 1600, 900}, {1600, 0, 1600, 900}};
    restart();
    EXPECT_NE(Form1->WindowState(), TWindowState::wsMaximized);
    EXPECT_EQ(Form1->Left(), 0);
    EXPECT_EQ(Form1->Top(), 40);
    EXPECT_EQ(Form1->Width(), 800);
    EXPECT_EQ(Form1->Height(), 600);
}

TEST_F(Startup, AFreshConfigurationFolderGetsTheShippedFoldersAndNoMessage) {
    const std::string config = default_config_folder();
    for (const char* folder : {"objects", "templates"}) delete_folder_tree(path_join(config, folder));
    ui().boxes.clear();
    restart();
    EXPECT_TRUE(ui().boxes.empty());
    EXPECT_TRUE(DirectoryExists(path_join(config, "objects")));
    const std::vector<std::string> shipped = list_folder(folders().program_folder + "templates", "*.wzr", true);
    ASSERT_FALSE(shipped.empty());
    EXPECT_EQ(list_folder(path_join(config, "templates"), "*", true), shipped);
    for (const std::string& name : shipped)
        EXPECT_EQ(read_file(path_join(config, "templates/" + name)),
                  read_file(folders().program_folder + "templates/" + name)) << name;

    // The user's folder stays as they keep it: a changed template, one of
    // their own, one hidden and one deleted are all left so at the next
    // start, also when the objects folder is made afresh.
    const std::string templates = path_join(config, "templates/");
    write_file(templates + shipped[0], "changed");
    write_file(templates + "own.wzr", "own");
    ASSERT_TRUE(RenameFile(templates + shipped[1], ChangeFileExt(templates + shipped[1], ".~zr")));
    ASSERT_TRUE(DeleteFile(templates + shipped[2]));
    delete_folder_tree(path_join(config, "objects"));
    restart();
    EXPECT_TRUE(ui().boxes.empty());
    EXPECT_TRUE(DirectoryExists(path_join(config, "objects")));
    EXPECT_EQ(read_file(templates + shipped[0]), "changed");
    EXPECT_EQ(read_file(templates + "own.wzr"), "own");
    EXPECT_FALSE(FileExists(templates + shipped[1]));
    EXPECT_FALSE(FileExists(templates + shipped[2]));
}

TEST_F(Startup, AnObjectsFolderThatCannotBeMadeIsReportedWithTheBuiltInTextAndStartUpGoesOn) {
    // A file stands where the folder would be made.
    delete_folder_tree(path_join(default_config_folder(), "objects"));
    write_file(path_join(default_config_folder(), "objects"), "");
    ui().boxes.clear();
    restart();
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_EQ(ui().boxes[0].text,
              "Katalog zawierający m.in. definicje obiektów oraz szablony wydruków nie został odnaleziony.\rPomóc może ponowne zainstalowanie programu."_cp);
    EXPECT_NE(Form1, nullptr);
}

TEST_F(Startup, TheTemporaryFilesOfSavesKilledInAnEarlierRunGoAtTheStart) {
    const std::string stale = path_join(default_config_folder(), ".halvoren.ini.k1ll3d.halvoren-tmp");
    const std::string drawing = path_join(default_config_folder(), ".rysunek.dxf.Xy12Zw.halvoren-tmp");
    const std::string user_file = path_join(default_config_folder(), "notes.halvoren-tmp");
    for (const std::string& path : {stale, drawing, user_file}) {
        write_file(path, std::string(1000, 'x'));
        ASSERT_TRUE(SetFileDateTime(path, Now() - 1));
    }
    restart();
    EXPECT_FALSE(FileExists(stale));
    EXPECT_FALSE(FileExists(drawing));
    EXPECT_TRUE(FileExists(user_file));  // not of the pattern
}

TEST_F(Startup, ClosingKeepsTheViewAndTheColumnsComeBackAtTheNextStart) {
    prog->show_main_window();
    // The terrain column moved to the third place and made wider.
    Form1->sg1->SetColWidth(0, 111);
    Form1->sg1ColWidthsChanged(Form1->sg1);
    Form1->sg1->MoveColumn(0, 2);
    Form1->tb_HideCrossing->SetDown(true);
    const std::string autosave = folders().config_folder + "autosave.~hl";
    write_file(autosave, "[p0]\r\n");
    user::key(VK_F4, ssAlt);  // "Za&kończ"
    EXPECT_FALSE(Form1->Visible());
    EXPECT_FALSE(FileExists(autosave));
    {
        const IniFile ini(settings_path());
        EXPECT_EQ(ini.ReadInteger("Dane", "ind_0", -1), 1);
        EXPECT_EQ(ini.ReadInteger("Dane", "ind_2", -1), 0);
        EXPECT_EQ(ini.ReadInteger("Dane", "ind_14", -1), 114);
        EXPECT_EQ(ini.ReadInteger("Dane_szer", "width_0", -1), 111);
        EXPECT_TRUE(ini.ReadBool("inne", "ukryj_kolizje", false));
        EXPECT_TRUE(ini.ReadBool("inne", "window_state_max", false));
    }
    restart();
    prog->show_main_window();
    EXPECT_EQ(model().column_order[2], 0);
    EXPECT_EQ(model().position_of(column_kind::ter), 2);
    EXPECT_EQ(Form1->sg1->ColWidths(2), 111);
    EXPECT_EQ(Form1->sg1->Cells(2, 0), model().column_titles[0]);
}

}  // namespace
