// The main window's project commands as a user runs them: the save-changes
// question, saving with its ".err" copies, a save that fails, the autosave,
// the recent-projects menu and the project data on the clipboard.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "files/project_data.h"
#include "files/project_writer.h"
#include "files/settings_groups.h"
#include "files/utils.h"
#include "forms/dane.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/state.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/ini.h"
#include "platform/input.h"
#include "platform/paths.h"
#include "platform/sysutils.h"
#include "support/fixture.h"

namespace {

class ProjectCommands : public ProgramTest {
protected:
    ProjectCommands() {
        decimal_separator = '.';
        euro_rounding = true;
        Form1->sb_nowy_projektClick(nullptr);  // as the program's start does
    }
    ~ProjectCommands() override { set_clock_source(nullptr); }

    // A project holding one node, modified.
    static void edited_project() {
        wezel w;
        w.id = 1;
        w.ter = value_pair(100);
        model().profiles.at(0).nodes.push_back(w);
        set_project_modified(true);
    }
    // The recent projects listed (an emptied entry counts for none).
    static std::vector<std::string> recent() {
        std::vector<std::string> listed;
        for (const std::string& f : IniFile(user_settings_file()).ReadNumbered("pliki", "plik"))
            if (!f.empty()) listed.push_back(f);
        return listed;
    }
    static void save() { user::key('S', ssCtrl); }
    std::vector<std::string> files_in_home() { return list_folder(home.path(), "*", false); }
};

TEST_F(ProjectCommands, TheSaveCommandIsEnabledExactlyWhileTheProjectIsModified) {
    EXPECT_FALSE(Form1->a_ProjectSave->Enabled());
    set_project_modified(true);
    EXPECT_TRUE(Form1->a_ProjectSave->Enabled());
    set_project_modified(false);
    EXPECT_FALSE(Form1->a_ProjectSave->Enabled());
    // "O projekcie..." marks the project modified.
    ui().on_modal("Ttdane", [](TForm& f) { f.SetModalResult(mrOk); });
    Form1->a_ProjectData->Execute();
    EXPECT_TRUE(model().project_modified);
    EXPECT_TRUE(Form1->a_ProjectSave->Enabled());
}

TEST_F(ProjectCommands, TheSaveChangesQuestionAsksOnlyForWorkThatWouldBeLost) {
    const std::string path = home.file("p.hlv");
    struct Case {
        const char* what;
        bool modified;
        bool nodes;
        bool data;            // project data only
        int answer;           // 0: no question expected
        int result;
        bool recent_listed;   // the project's file went to the recent list
    };
    const Case cases[] = {
        {"unmodified", false, true, false, 0, IDNO, true},
        {"modified but empty", true, false, false, 0, IDNO, true},
        {"modified with project data only", true, false, true, IDNO, IDNO, true},
        {"modified, Cancel", true, true, false, IDCANCEL, IDCANCEL, false},
        {"modified, No", true, true, false, IDNO, IDNO, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        IniFile(user_settings_file()).EraseSection("pliki");
        ini_cache_clear();
        DeleteFile(user_settings_file());
        model().profiles.at(0).nodes.clear();
        model().project.dane = {};
        if (c.nodes) model().profiles.at(0).nodes.emplace_back();
        if (c.data) model().project.dane.inwestor = "Gmina";
        model().project_path = path;
        set_project_modified(c.modified);
        ui().boxes.clear();
        if (c.answer) ui().answer(c.answer);
        EXPECT_EQ(Form1->czy_zapis(), c.result);
        EXPECT_EQ(ui().boxes.size(), c.answer ? 1u : 0u);
        if (c.answer) {
            EXPECT_EQ(ui().boxes[0].text, "Czy zapisać bieżące dane?"_cp);
        }
        EXPECT_EQ(recent(), c.recent_listed ? std::vector<std::string>{path} : std::vector<std::string>{});
        EXPECT_EQ(model().project_path, path);
    }

    // Yes with the save dialog cancelled answers Cancel, and the new-project
    // command then stops.
    model().project_path.clear();
    edited_project();
    ui().answer(IDYES);
    ui().cancel_file_dialog();
    user::key('N', ssCtrl);
    EXPECT_EQ(model().profiles.at(0).nodes.size(), 2u);
    EXPECT_TRUE(model().project_modified);
}

TEST_F(ProjectCommands, ACancelledSaveDialogChangesNothingAndProposesANameFromTheProjectData) {
    edited_project();
    model().project.dane.inwestor = "Łódź S.A."_cp;
    model().project.dane.miejscowosc = "Kraków"_cp;
    const std::string caption = Form1->Caption();
    const auto files = files_in_home();
    for (const char* pattern : {"@_investor-@_investment_place", "@_inwestor-@_inwestycja_miejscowosc~"}) {
        topcje->e_FileNamePattern->SetText(pattern);
        ui().cancel_file_dialog();
        save();
        EXPECT_EQ(Form1->SD1->FileName, "Lodz_SA-Krakow") << pattern;
    }
    EXPECT_EQ(Form1->Caption(), caption);
    EXPECT_TRUE(model().project_modified);
    EXPECT_TRUE(model().project_path.empty());
    EXPECT_EQ(files_in_home(), files);

    // Confirmed, the save names the project's file in the caption.
    ui().choose_file(home.file("nowy.hlv"));
    save();
    EXPECT_EQ(model().project_path, home.file("nowy.hlv"));
    EXPECT_EQ(Form1->Caption(), "___Halvoren___ - nowy.hlv");
    EXPECT_FALSE(model().project_modified);
    EXPECT_FALSE(Form1->a_ProjectSave->Enabled());
    EXPECT_TRUE(FileExists(home.file("nowy.hlv")));

    // Save as: a cancelled dialog keeps the path.
    ui().cancel_file_dialog();
    user::choose_menu(Form1->mi_File);
    user::choose_menu(Form1->mi_SaveAs);
    EXPECT_EQ(model().project_path, home.file("nowy.hlv"));
    EXPECT_EQ(Form1->Caption(), "___Halvoren___ - nowy.hlv");
}

TEST_F(ProjectCommands, AFailedWriteLeavesThePreviousFileAndTheProjectModified) {
    // A name so long that no scratch file can stand beside it.
    const std::string path = home.file(std::string(248, 'x') + ".hlv");
    {
        std::ofstream f(path, std::ios::binary);
        f << "previous bytes";
    }
    edited_project();
    model().project_path = path;
    const std::string caption = Form1->Caption();
    save();
    ASSERT_EQ(ui().boxes.size(), 1u);  // the standard error box
    EXPECT_EQ(read_file(path), "previous bytes");
    EXPECT_TRUE(model().project_modified);
    EXPECT_TRUE(Form1->a_ProjectSave->Enabled());
    EXPECT_EQ(model().project_path, path);
    EXPECT_EQ(Form1->Caption(), caption);

    // Asked at the question, a failing save answers Cancel.
    ui().boxes.clear();
    ui().answer(IDYES);
    EXPECT_EQ(Form1->czy_zapis(), IDCANCEL);
}

TEST_F(ProjectCommands, TheProjectDialogsStartInTheDocumentsFolderOrTheLastFolderUsed) {
    const std::string projects = folders().documents_folder + "projects/";
    auto save_as = [] {
        user::choose_menu(Form1->mi_File);
        user::choose_menu(Form1->mi_SaveAs);
    };
    auto last_dialog = [this] { return ui().file_dialogs.back(); };
    edited_project();

    // A fresh start: the documents folder's projects, which exist for the dialog.
    ui().cancel_file_dialog();
    save_as();
    EXPECT_EQ(last_dialog().initial_dir, projects);
    EXPECT_TRUE(DirectoryExists(last_dialog().initial_dir));

    // A new file saved elsewhere: its folder is the last one used, for the
    // next save as and for the open dialog.
    const std::string elsewhere = home.file("klient/");
    ForceDirectories(elsewhere);
    ui().choose_file(elsewhere + "nowy.hlv");
    save_as();
    ASSERT_EQ(model().project_path, elsewhere + "nowy.hlv");
    set_project_modified(true);
    ui().cancel_file_dialog();
    save_as();
    EXPECT_EQ(last_dialog().initial_dir, elsewhere);
    set_project_modified(false);
    ui().cancel_file_dialog();
    user::key('O', ssCtrl);
    EXPECT_FALSE(last_dialog().save);
    EXPECT_EQ(last_dialog().initial_dir, elsewhere);

    // The last folder gone: the projects folder again.
    DeleteFile(elsewhere + "nowy.hlv");
    DeleteFile(elsewhere + "nowy.hlv.err");
    ASSERT_TRUE(RemoveDir(elsewhere));
    ui().cancel_file_dialog();
    save_as();
    EXPECT_EQ(last_dialog().initial_dir, projects);
}

TEST_F(ProjectCommands, TheErrCopyGoesAfterASaveUnlessItWasThereAndYoung) {
    const std::string path = home.file("p.hlv");
    const std::string err = path + ".err";
    TDateTime now = EncodeDate(2024, 6, 11) + 0.5;
    set_clock_source([&now] { return now; });
    edited_project();
    model().project_path = path;
    save();
    set_project_modified(true);
    now += 0.1;
    save();
    EXPECT_TRUE(FileExists(path));
    EXPECT_FALSE(FileExists(err));

    // A larger copy of yesterday stays as it is.
    const std::string larger(100000, 'x');
    write_file(err, larger);
    SetFileDateTime(err, now - 1);
    set_project_modified(true);
    save();
    EXPECT_EQ(read_file(err), larger);
}

TEST_F(ProjectCommands, AnAutosaveTickChangesNothingTheUserSeesAlsoWhenItFails) {
    const std::string path = home.file("p.hlv");
    edited_project();
    model().project_path = path;
    save();
    add_recent_file(path, "pliki", user_settings_file());
    const std::string caption = Form1->Caption();
    const auto listed = recent();
    for (const bool fails : {false, true}) {
        SCOPED_TRACE(fails ? "failing" : "writing");
        if (fails) {
            DeleteFile(autosave_path());
            ForceDirectories(autosave_path());  // a folder where the file would go
        }
        ui().boxes.clear();
        user::timer(Form1->t_Save);
        EXPECT_EQ(ui().boxes.size(), fails ? 1u : 0u);
        if (!fails) {
            EXPECT_TRUE(FileExists(autosave_path()));
        }
        EXPECT_EQ(model().project_path, path);
        EXPECT_EQ(Form1->Caption(), caption);
        EXPECT_FALSE(Form1->a_ProjectSave->Enabled());
        EXPECT_FALSE(model().project_modified);
        EXPECT_EQ(recent(), listed);
    }
}

TEST_F(ProjectCommands, ASettingsFileThatCannotBeWrittenStopsNoCommandAndIsReportedOnce) {
    edited_project();
    const std::string first = home.file("first.hlv");
    write_project_file(first);
    set_project_modified(false);
    // A folder stands where the settings file would be replaced, as a
    // read-only configuration folder refuses it (which does not stop root).
    DeleteFile(user_settings_file());
    ini_cache_clear();
    ASSERT_TRUE(ForceDirectories(user_settings_file()));
    ui().boxes.clear();

    // Opening through the dialog remembers the folder and lists the file.
    ui().choose_file(first);
    user::key('O', ssCtrl);
    EXPECT_EQ(model().project_path, first);
    EXPECT_EQ(model().profiles.at(0).nodes.size(), 1u);
    EXPECT_FALSE(model().project_modified);
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_NE(ui().boxes[0].text.find(user_settings_file()), std::string::npos) << cp1250_to_utf8(ui().boxes[0].text);
    EXPECT_EQ(ui().boxes[0].icon(), MB_ICONWARNING);

    // Saving under a new name, drawing and a new project go on without a word.
    set_project_modified(true);
    const std::string second = home.file("second.hlv");
    ui().choose_file(second);
    user::choose_menu(Form1->mi_File);
    user::choose_menu(Form1->mi_SaveAs);
    EXPECT_EQ(model().project_path, second);
    EXPECT_TRUE(FileExists(second));
    EXPECT_FALSE(model().project_modified);
    DeleteFile(folders().config_folder + "rysunek.dxf");
    Application()->run_guarded([] { Form1->a_DrawMake->Execute(); });
    EXPECT_TRUE(FileExists(folders().config_folder + "rysunek.dxf"));
    user::key('N', ssCtrl);
    EXPECT_TRUE(model().project_path.empty());
    EXPECT_EQ(ui().boxes.size(), 1u);
    EXPECT_TRUE(DirectoryExists(user_settings_file()));
}

TEST_F(ProjectCommands, ARecentEntryOfAMissingFileIsHiddenAndRemovedWhenChosen) {
    const std::string gone = home.file("gone.hlv");
    const std::string kept = home.file("kept.hlv");
    write_file(gone, "[p0]\r\n");
    write_file(kept, "[p0]\r\n");
    add_recent_file(gone, "pliki", user_settings_file());
    add_recent_file(kept, "pliki", user_settings_file());
    ui().dismiss_popup();
    Form1->pm_rec->Popup(0, 0);
    TMenuItem* first = Form1->pm_rec->Items()->Items(0);
    TMenuItem* second = Form1->pm_rec->Items()->Items(1);
    EXPECT_TRUE(first->Visible());
    EXPECT_EQ(second->Caption(), gone);
    DeleteFile(gone);
    user::choose_menu(second);
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_EQ(ui().boxes[0].text, "Pliku nie znaleziono: \n\r" + gone);
    EXPECT_EQ(recent(), std::vector<std::string>{kept});
    EXPECT_TRUE(model().project_path.empty());
    ui().dismiss_popup();
    Form1->pm_rec->Popup(0, 0);
    EXPECT_FALSE(second->Visible());
}

TEST_F(ProjectCommands, TheRecentDocumentTemplatesAreNamedByTheirTitlesAndMakeTheirDocuments) {
    const std::string folder = folders().config_folder + "templates/";
    ForceDirectories(folder);
    const std::string path = folder + "zlecenie.wzr";
    write_file(path, "<HEADER>\r\n<TITLE>Zlecenie</TITLE>\r\n<TYPE>txt</TYPE>\r\n<FILE_NAME>zlecenie</FILE_NAME>\r\n"
                     "</HEADER>\r\nInwestor: @_inwestor\r\n");
    model().project.dane.inwestor = "Gmina";
    add_recent_file(path, "pliki_skojarzone", user_settings_file());
    ui().dismiss_popup();
    Form1->pm_rec_skojarzone->Popup(0, 0);
    TMenuItem* first = Form1->pm_rec_skojarzone->Items()->Items(0);
    EXPECT_TRUE(first->Visible());
    EXPECT_EQ(first->Caption(), "Zlecenie");
    EXPECT_EQ(first->Hint(), path);
    user::choose_menu(first);
    EXPECT_EQ(read_file(folders().config_folder + "zlecenie.txt"), "Inwestor: Gmina\r\n");
    EXPECT_EQ(ui().opened, std::vector<std::string>{folders().config_folder + "zlecenie.txt"});
    EXPECT_TRUE(ui().boxes.empty());

    // Where no program opens it, the document is named by its full path.
    ui().nothing_opens = true;
    ui().dismiss_popup();
    Form1->pm_rec_skojarzone->Popup(0, 0);
    user::choose_menu(first);
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_EQ(ui().boxes[0].text, "Brak aplikacji skojarzonej z plikiem:\r" + folders().config_folder + "zlecenie.txt");
    EXPECT_EQ(ui().boxes[0].icon(), MB_ICONWARNING);

    // A file gone before it opens is named too.
    ui().boxes.clear();
    EXPECT_FALSE(open_with_desktop(home.file("gone/zlecenie.rtf")));
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_EQ(ui().boxes[0].text, "Pliku nie znaleziono: \r" + home.file("gone/zlecenie.rtf"));
}

TEST_F(ProjectCommands, ProjectDataGoToTheClipboardAndComeBack) {
    projekt_dane& d = model().project.dane;
    d.inwestor = "Gmina Łódź"_cp;
    d.dzialka = "12/3";
    d.wlas1 = "a";
    d.wlas3 = "c";
    d.gmina = "stara";
    Form1->a_CopyData->Execute();
    const std::string copied = *ui().clipboard;
    EXPECT_EQ(copied,
              "inwestor=Gmina Łódź\r\ninor_miejscowosc=\r\ninor_kod=\r\ninor_poczta=\r\nobiekt=\r\ninwestycja=\r\n"_cp
              "miejscowosc=\r\nkod=\r\npoczta=\r\ngmina=stara\r\nnr_dzialki=12/3\r\nbranza=\r\nnr_zlecenia=\r\n"
              "data=\r\nwlasny1=a\r\nwlasny2=\r\nwlasny3=c\r\n"_cp);

    ui().clipboard = "INWESTOR=Nowy=1\nNr_Dzialki=7\r\nwlasny2=b\rinwestor=drugi\r\n";
    Form1->a_PasteData->Execute();
    EXPECT_EQ(d.inwestor, "Nowy=1");
    EXPECT_EQ(d.dzialka, "7");
    EXPECT_EQ(d.wlas2, "b");
    EXPECT_EQ(d.gmina, "");  // missing in the text
    EXPECT_EQ(d.wlas1, "");
    EXPECT_EQ(tdane->sag_MainData->Cells(1, 1), "Nowy=1");
    EXPECT_EQ(tdane->sag_MainData->Cells(1, 11), "7");
    EXPECT_TRUE(model().project_modified);
    EXPECT_TRUE(Form1->a_ProjectSave->Enabled());
}

TEST_F(ProjectCommands, HelpAndSettingsOpenFromTheirCommands) {
    // No help file installed: the user is told so, with the file's path.
    const std::string help = ExpandFileName(folders().program_folder + "help/polski.chm");
    ASSERT_FALSE(FileExists(help));
    user::key(VK_F1);
    EXPECT_TRUE(ui().opened.empty());
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_EQ(ui().boxes[0].text, "Nie zainstalowano pliku pomocy.\rBrak pliku: " + help);

    // A program installed with its help beside it: the help opens with the
    // desktop's program, or the user learns that there is none.
    prog.reset();
    const std::string bin = home.file("bin/");
    ForceDirectories(bin + "lang");
    for (const char* language : {"polski.lng", "english.lng"})
        ASSERT_TRUE(CopyFile(std::string(HALVOREN_RESOURCE_DIR) + "/lang/" + language, bin + "lang/" + language, false));
    ForceDirectories(bin + "help");
    write_file(bin + "help/polski.chm", "ITSF");
    prog = std::make_unique<Program>(ui(), std::vector<std::string>{bin + "halvoren"});
    ASSERT_EQ(folders().program_folder, bin);
    for (const bool nothing_opens : {false, true}) {
        ui().boxes.clear();
        ui().opened.clear();
        ui().nothing_opens = nothing_opens;
        user::key(VK_F1);
        EXPECT_EQ(ui().opened, std::vector<std::string>{bin + "help/polski.chm"});
        if (nothing_opens) {
            ASSERT_EQ(ui().boxes.size(), 1u);
            EXPECT_EQ(ui().boxes[0].text, "Brak aplikacji skojarzonej z plikiem:\r" + bin + "help/polski.chm");
        } else {
            EXPECT_TRUE(ui().boxes.empty());
        }
    }
    ui().on_modal("Ttopcje", [](TForm& f) { f.SetModalResult(mrCancel); });
    Form1->a_Configuration->Execute();
    EXPECT_EQ(ui().modal_forms, std::vector<std::string>{"Ttopcje"});
}

}  // namespace
