// The main window's start with a project left by the autosave or named on
// the command line, and its close with unsaved work.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/program.h"
#include "files/project_writer.h"
#include "forms/rys1.h"
#include "model/project.h"
#include "model/state.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/input.h"
#include "platform/paths.h"
#include "platform/sysutils.h"
#include "support/fixture.h"
#include "support/model_builders.h"

namespace {

class StartAndClose : public ProgramTest {
protected:
    StartAndClose() { prog->show_main_window(); }

    // The program started afresh with these command-line arguments and shown.
    void restart(std::vector<std::string> arguments = {}) {
        prog.reset();
        ini_cache_clear();
        arguments.insert(arguments.begin(), home.file("bin/halvoren"));
        prog = std::make_unique<Program>(ui(), arguments);
        decimal_separator = '.';
        prog->show_main_window();
    }
    // The project holds one profile of that name with two nodes, modified.
    static void make_project(const std::string& name) {
        model().profiles.clear();
        add_profile(name, 1, {0, 10});
        model().project_modified = true;
    }
    static std::string settings_path() { return path_join(default_config_folder(), "halvoren.ini"); }
    static std::string first_recent() { return IniFile(settings_path()).ReadString("pliki", "plik1", ""); }
    static std::string autosave() { return folders().config_folder + "autosave.~hl"; }
};

TEST_F(StartAndClose, TheAutosaveFileComesFirstAndTheCommandLineFileOtherwise) {
    make_project("z wiersza");
    ASSERT_TRUE(autozapis());
    const std::string named = home.file("named.hlv");
    write_file(named, read_file(autosave()));
    make_project("odzyskany");
    ASSERT_TRUE(autozapis());

    struct Case {
        int answer;
        const char* profile;
        bool listed;
    };
    for (const Case c : {Case{IDYES, "odzyskany", false}, Case{IDNO, "z wiersza", true}}) {
        ui().answer(c.answer);
        restart({named});
        ASSERT_EQ(model().profiles.size(), 1u) << c.answer;
        EXPECT_EQ(model().profiles[0].nazwa, c.profile);
        EXPECT_EQ(model().project_path.empty(), c.answer == IDYES);
        EXPECT_EQ(first_recent() == named, c.listed);
        EXPECT_TRUE(FileExists(autosave()));  // kept until the next orderly close
    }
    // A file that does not exist is neither opened nor listed, and says nothing.
    DeleteFile(autosave());
    IniFile(settings_path()).EraseSection("pliki");
    ui().boxes.clear();
    restart({home.file("nowhere.hlv")});
    EXPECT_TRUE(ui().boxes.empty());
    EXPECT_EQ(first_recent(), "");
    EXPECT_TRUE(model().project_path.empty());
}

TEST_F(StartAndClose, ClosingWithUnsavedWorkClosesOnlyWhenTheWorkIsSafe) {
    struct Case {
        const char* what;
        int answer;
        bool has_path;
        bool dialog_cancelled;
        bool closes;
    };
    const Case cases[] = {
        {"Cancel", IDCANCEL, true, false, false},
        {"No", IDNO, false, false, true},
        {"Yes, saved", IDYES, true, false, true},
        {"Yes, the save dialog cancelled", IDYES, false, true, false},
        {"Yes, the file cannot be written", IDYES, true, false, false},
    };
    for (const Case& c : cases) {
        DeleteFile(autosave());  // what the last case kept would be offered at the start
        restart();
        make_project("p");
        const bool blocked = std::string(c.what) == "Yes, the file cannot be written";
        model().project_path = !c.has_path ? std::string() : blocked ? home.file("blocked.hlv") : home.file("p.hlv");
        if (blocked) {
            // A folder with a file in it stands where the file goes.
            ForceDirectories(home.file("blocked.hlv"));
            write_file(path_join(home.file("blocked.hlv"), "inside.txt"), "x");
        }
        write_file(autosave(), "[p0]\r\n");
        IniFile(settings_path()).EraseSection("Dane");
        ui().answer(c.answer);
        if (c.dialog_cancelled) ui().cancel_file_dialog();
        user::close(Form1);
        EXPECT_EQ(!Form1->Visible(), c.closes) << c.what;
        EXPECT_EQ(FileExists(autosave()), !c.closes) << c.what;
        EXPECT_EQ(IniFile(settings_path()).ValueExists("Dane", "ind_0"), c.closes) << c.what;
        if (!c.closes) {
            EXPECT_TRUE(model().project_modified) << c.what;
            EXPECT_EQ(model().profiles.size(), 1u) << c.what;
        }
        if (blocked) delete_folder_tree(home.file("blocked.hlv"));
    }
}

}  // namespace
