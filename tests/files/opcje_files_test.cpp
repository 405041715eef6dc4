// The settings dialog's files and folders: the settings-file buttons, the
// title-block template, the user folders, the program registered for
// drawing files and the font list.
#include <gtest/gtest.h>

#include "files/settings.h"
#include "files/utils.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/input.h"
#include "platform/named_bytes.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/sysutils.h"
#include "support/fixture.h"

namespace {

class SettingsFiles : public ProgramTest {
protected:
    SettingsFiles() { decimal_separator = '.'; }
    // Opens the dialog, lets `play` act as the user, and closes it with the
    // button (none: `play` closes it).
    TModalResult open(const std::function<void(Ttopcje&)>& play, TButton* close_with = nullptr) {
        ui().on_modal("Ttopcje", [play, close_with](TForm&) {
            play(*topcje);
            if (close_with) user::click(close_with);
        });
        return topcje->ShowModal();
    }
    // Chooses the tree node that shows the page.
    static void show_page(TTabSheet* page) {
        TTreeNodes& nodes = topcje->tv_Config->Items();
        for (int i = 0; i < nodes.Count(); ++i)
            if (TTreeNode* n = nodes.Item(i); n->SelectedIndex == page->PageIndex()) {
                user::choose_node(topcje->tv_Config, n);
                return;
            }
        FAIL() << "no tree node shows " << page->Name();
    }
    // A settings file holding one profile gap.
    std::string settings_file(const std::string& name, int gap) {
        const std::string path = path_join(home.path(), name);
        IniFile ini(path);
        ini.WriteString("inne", "odstep", IntToStr(gap));
        ini.UpdateFile();
        return path;
    }
    static std::string label_pattern(const std::string& what) { return "Plik konfiguracyjny dla projektu: " + what; }
    static int stored_gap(const std::string& path) { return IniFile(path).ReadInteger("inne", "odstep", -1); }
};

TEST_F(SettingsFiles, DxfProgramGivesItsPathItsFolderAndTheDefaultFontsFolder) {
    const struct {
        const char* command;
        const char* program;
        const char* folder;
        const char* fonts;
    } cases[] = {
        {"\"/opt/My Cad/Cad.exe\" --open \"%1\"", "/opt/My Cad/Cad.exe", "/opt/My Cad", "/opt/My Cad/fonts"},
        {"/opt/Cad/bin/cad --file", "/opt/Cad/bin/cad", "/opt/Cad/bin", "/opt/Cad/bin/fonts"},
        {"/usr/bin/librecad", "/usr/bin/librecad", "/usr/bin", "/usr/bin/fonts"},
        {"cad", "cad", "", ""},
        {"", "", "", ""},
    };
    for (const auto& c : cases) {
        ui().dxf_program_path = c.command;
        EXPECT_EQ(topcje->path_to_dxfopener(true), c.program) << c.command;
        EXPECT_EQ(topcje->path_to_dxfopener(false), c.folder) << c.command;
        // A settings file without the fonts folder gives the default one.
        czytaj_opcje(path_join(home.path(), "none.ini"), "opcje");
        EXPECT_EQ(topcje->lab_kat->Caption(), c.fonts) << c.command;
    }
}

TEST_F(SettingsFiles, FontFileOfAFaceIsTheFirstInstalledFontByNameThatHoldsIt) {
    // Out of order on purpose: the names are taken sorted.
    ui().font_file_table = {{"Times New Roman (TrueType)", "times.ttf"},
                            {"Arial Bold (TrueType)", "arialbd.ttf"},
                            {"Arial (TrueType)", "arial.ttf"},
                            {"DejaVu Sans (TrueType)", "DejaVuSans.ttf"},
                            {"Noto Sans Mono (OpenType)", "NotoSansMono.otf"}};
    const std::pair<const char*, const char*> cases[] = {
        {"Arial", "arial.ttf"},          {"Arial Bold", "arialbd.ttf"},  {"arial", "txt"},
        {"Wingdings", "txt"},            {"romans.shx", "romans.shx"},   {"Times New Roman", "times.ttf"},
        {"DejaVu Sans", "DejaVuSans.ttf"}, {"Noto Sans Mono", "NotoSansMono.otf"},
    };
    for (const auto& [face, file] : cases) EXPECT_EQ(topcje->font_plik(face), file) << face;
}

TEST_F(SettingsFiles, FontListPutsTheFilesOfTheFontsFolderInGreyAboveTheScalableFaces) {
    const std::string fonts = path_join(home.path(), "Cad Fonts");
    ForceDirectories(path_join(fonts, "Subfolder"));
    write_file(path_join(fonts, "romans.shx"), "x");
    write_file(path_join(fonts, "ISOCP.SHX"), "x");
    ui().font_list = {{"Verdana", 0x22, true}, {"Fixedsys", 0x31, false}, {"Arial", 0x22, true}};
    ui().choose_folder(fonts);
    open([&](Ttopcje& d) {
        show_page(d.ts_Fonts);
        user::click(d.sb_Folder);
        EXPECT_EQ(d.lab_kat->Caption(), fonts);
        user::mouse_move(d.lab_kat, 0, 2, 2);
        EXPECT_EQ(d.lab_kat->Hint(), fonts);
    }, topcje->b_OK);
    TComboBox* cb = topcje->cb_fonts;
    ASSERT_EQ(cb->Items().Count(), 4);
    EXPECT_EQ(cb->Items()[0], "isocp.shx");
    EXPECT_EQ(cb->Items()[1], "romans.shx");
    EXPECT_EQ(cb->Items()[2], "Arial");
    EXPECT_EQ(cb->Items()[3], "Verdana");
    EXPECT_EQ(cb->ItemIndex(), 2);  // "arial", whatever its case

    RecordingCanvas canvas;
    cb->set_canvas(&canvas);
    topcje->cb_fontsDrawItem(cb, 1, TRect{0, 16, 200, 32}, 0);
    topcje->cb_fontsDrawItem(cb, 3, TRect{0, 48, 200, 64}, 0);
    cb->set_canvas(nullptr);
    std::vector<std::pair<std::string, TColor>> texts;
    for (const auto& op : canvas.ops)
        if (op.kind == "text") texts.emplace_back(op.text, op.font.Color);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], std::make_pair(std::string("romans.shx"), TColor(clGray)));
    EXPECT_EQ(texts[1], std::make_pair(std::string("Verdana"), TColor(clBlack)));

    // A folder that does not exist leaves the screen faces alone.
    ui().choose_folder(path_join(home.path(), "missing"));
    open([](Ttopcje& d) {
        show_page(d.ts_Fonts);
        user::click(d.sb_Folder);
    }, topcje->b_Cancel);
    EXPECT_EQ(cb->Items().Count(), 2);
}

TEST_F(SettingsFiles, SaveWritesTheProjectsSettingsFileOrTheUsersAndConfirms) {
    const std::string user_file = path_join(folders().config_folder, "halvoren.ini");
    EXPECT_EQ(open([](Ttopcje& d) {
                  user::set_text(d.e_odstep, "21");
                  EXPECT_EQ(d.b_Save->Hint(), path_join(folders().config_folder, "halvoren.ini"));
                  user::click(d.b_Save);
              }),
              mrOk);
    EXPECT_EQ(stored_gap(user_file), 21);
    EXPECT_EQ(settings().profile_gap, 21);

    const std::string project_file = settings_file("Projekt A.ini", 1);
    model().project.ConfigFile = project_file;
    open([](Ttopcje& d) {
        user::set_text(d.e_odstep, "33");
        user::click(d.b_Save);
    });
    EXPECT_EQ(stored_gap(project_file), 33);
    EXPECT_EQ(stored_gap(user_file), 21);
    EXPECT_EQ(model().project.ConfigFile, project_file);
}

TEST_F(SettingsFiles, DefaultsReadNoFileKeepTheTieAndTheSidePanelModes) {
    // A user's file of the name the defaults once came from is not read.
    settings_file("nofile.ini", 77);
    write_file(path_join(folders().config_folder, "nofile.ini"), read_file(path_join(home.path(), "nofile.ini")));
    const std::string project_file = settings_file("Moje.ini", 40);
    model().project.ConfigFile = project_file;
    czytaj_opcje(project_file, "opcje");
    Form1->rg_ManuallyValue->SetItemIndex(0);
    Form1->rg_ManuallyValueDistance->SetItemIndex(1);
    Form1->rg_PipeOrdinateMode->SetItemIndex(1);
    open([&](Ttopcje& d) {
        EXPECT_EQ(d.e_odstep->Text(), "40");
        user::click(d.b_Default);
        EXPECT_EQ(d.e_odstep->Text(), "15");
        EXPECT_EQ(d.l_FileSettings->Hint(), project_file);
        EXPECT_TRUE(d.sb_ClearSettingsFile->Enabled());
    }, topcje->b_OK);
    EXPECT_EQ(settings().profile_gap, 15);
    EXPECT_EQ(model().project.ConfigFile, project_file);
    EXPECT_EQ(Form1->rg_ManuallyValue->ItemIndex(), 0);
    EXPECT_EQ(Form1->rg_ManuallyValueDistance->ItemIndex(), 1);
    EXPECT_EQ(Form1->rg_PipeOrdinateMode->ItemIndex(), 1);
    // Reading a file as such still sets them.
    czytaj_opcje(path_join(home.path(), "none.ini"), "opcje");
    EXPECT_EQ(Form1->rg_ManuallyValue->ItemIndex(), 2);
    EXPECT_EQ(Form1->rg_PipeOrdinateMode->ItemIndex(), 0);
}

TEST_F(SettingsFiles, OpenAnsweredYesTiesTheFileAndNoOnlyReadsIt) {
    ForceDirectories(path_join(home.path(), "Ustawienia"));
    const std::string chosen = settings_file("Ustawienia/Biuro.INI", 44);
    Form1->rg_ManuallyValue->SetItemIndex(1);

    ui().choose_file(chosen);
    ui().answer(IDNO);
    open([](Ttopcje& d) {
        user::click(d.b_PreferencesOpen);
        EXPECT_EQ(d.e_odstep->Text(), "44");
        EXPECT_EQ(d.l_FileSettings->Caption(), label_pattern("Domyślny"_cp));
        EXPECT_EQ(d.l_FileSettings->Hint(), "");
        EXPECT_FALSE(d.sb_ClearSettingsFile->Enabled());
    }, topcje->b_OK);
    EXPECT_EQ(model().project.ConfigFile, "");
    EXPECT_EQ(settings().profile_gap, 44);
    const auto& dialog = ui().file_dialogs.back();
    EXPECT_FALSE(dialog.save);
    EXPECT_EQ(dialog.default_ext, "ini");
    EXPECT_EQ(dialog.filter, "Halvoren - ustawienia (*.ini)|*.ini");
    EXPECT_EQ(dialog.initial_dir, folders().config_folder);
    EXPECT_EQ(ui().boxes.back().text, "Czy zawsze uruchamiać wybraną konfigurację z bieżącym projektem?"_cp);
    EXPECT_EQ(ui().boxes.back().flags, unsigned(MB_YESNO | MB_ICONQUESTION));

    ui().choose_file(chosen);
    ui().answer(IDYES);
    open([&](Ttopcje& d) {
        user::click(d.b_PreferencesOpen);
        EXPECT_EQ(d.l_FileSettings->Caption(), label_pattern(shorten_path_for_display(chosen)));
        EXPECT_EQ(d.l_FileSettings->Hint(), chosen);  // as chosen, letter case kept
        EXPECT_TRUE(d.sb_ClearSettingsFile->Enabled());
    }, topcje->b_OK);
    EXPECT_EQ(model().project.ConfigFile, chosen);
    EXPECT_EQ(Form1->rg_ManuallyValue->ItemIndex(), 1);

    // Cancelling the file dialog changes nothing.
    ui().cancel_file_dialog();
    open([](Ttopcje& d) { user::click(d.b_PreferencesOpen); }, topcje->b_OK);
    EXPECT_EQ(model().project.ConfigFile, chosen);
}

TEST_F(SettingsFiles, SaveAsAsksBeforeOverwritingAndLeavesTheProjectsFile) {
    const std::string project_file = settings_file("Projekt.ini", 12);
    const std::string target = settings_file("Kopia.ini", 3);
    model().project.ConfigFile = project_file;
    ui().choose_file(target);
    open([](Ttopcje& d) {
        user::set_text(d.e_odstep, "55");
        user::click(d.b_PreferencesSaveAs);
    }, topcje->b_Cancel);
    const auto& dialog = ui().file_dialogs.back();
    EXPECT_TRUE(dialog.save);
    EXPECT_TRUE(dialog.options & ofOverwritePrompt);
    EXPECT_EQ(dialog.default_ext, "ini");
    EXPECT_EQ(dialog.initial_dir, folders().config_folder);
    EXPECT_EQ(stored_gap(target), 55);
    EXPECT_EQ(stored_gap(project_file), 12);
    EXPECT_EQ(model().project.ConfigFile, project_file);
}

TEST_F(SettingsFiles, ClearUntiesTheProjectsFileAndReadsTheUsers) {
    settings_file("user.ini", 66);
    write_file(path_join(folders().config_folder, "halvoren.ini"), read_file(path_join(home.path(), "user.ini")));
    const std::string project_file = settings_file("Projekt.ini", 12);
    model().project.ConfigFile = project_file;
    Form1->rg_PipeOrdinateMode->SetItemIndex(1);
    open([](Ttopcje& d) {
        EXPECT_TRUE(d.sb_ClearSettingsFile->Enabled());
        user::click(d.sb_ClearSettingsFile);
        EXPECT_EQ(d.l_FileSettings->Caption(), label_pattern("Domyślna"_cp));
        EXPECT_EQ(d.l_FileSettings->Hint(), "");
        EXPECT_FALSE(d.sb_ClearSettingsFile->Enabled());
        EXPECT_EQ(d.e_odstep->Text(), "66");
    }, topcje->b_OK);
    EXPECT_EQ(model().project.ConfigFile, "");
    EXPECT_EQ(Form1->rg_PipeOrdinateMode->ItemIndex(), 1);
}

TEST_F(SettingsFiles, DefaultTitleBlockTemplateKeepsThePathAsChosen) {
    const std::string chosen = path_join(home.path(), "Szablony/Metryka A.hlm");
    ui().choose_file(chosen);
    open([](Ttopcje& d) { user::click(d.sb_DefaultInfotableChoose); }, topcje->b_OK);
    const auto& dialog = ui().file_dialogs.back();
    EXPECT_EQ(dialog.default_ext, "hlm");
    EXPECT_EQ(dialog.title, "Wybierz szablon metryki");
    EXPECT_EQ(dialog.initial_dir, path_join(folders().config_folder, "templates"));
    EXPECT_EQ(topcje->l_DefaultInfotableChoose->Hint(), chosen);
    EXPECT_EQ(topcje->l_DefaultInfotableChoose->Caption(), "Domyślna metryka "_cp + shorten_path_for_display(chosen));
}

TEST_F(SettingsFiles, ChangingAFolderTakesEffectAtOnceAndIsKeptInTheRegistry) {
    const std::string old_config = folders().config_folder;
    const std::string new_config = path_join(home.path(), "Nowa Konfiguracja");
    const std::string new_docs = path_join(home.path(), "Dokumenty");
    ForceDirectories(new_config);
    ui().choose_folder(new_config);
    ui().choose_folder(new_docs);
    ui().cancel_folder_dialog();
    open([&](Ttopcje& d) {
        show_page(d.ts_AutoSave);
        user::click(d.sb_ChangeConfigDirectory);
        EXPECT_EQ(d.l_ConfigDirValue->Caption(), new_config + "/");
        EXPECT_EQ(d.l_ConfigDirValue->Hint(), new_config + "/");
        user::click(d.sb_ChangeDocsDirectory);
        EXPECT_EQ(d.l_DocsDirValue->Caption(), new_docs + "/");
        user::click(d.sb_ChangeDocsDirectory);  // cancelled
        user::click(d.sb_ConfigExplore);
        user::click(d.sb_DocsExplore);
        user::set_text(d.e_odstep, "17");
        user::click(d.b_Save);
    });
    EXPECT_EQ(folders().config_folder, new_config + "/");
    EXPECT_EQ(folders().documents_folder, new_docs + "/");
    Registry& reg = ui().registry();
    EXPECT_EQ(reg.ReadString(halvoren_registry_key, "userconfig_dir"), new_config + "/");
    EXPECT_EQ(reg.ReadString(halvoren_registry_key, "userdocs_dir"), new_docs + "/");
    ASSERT_EQ(ui().boxes.size(), 2u);
    EXPECT_EQ(ui().boxes[0].text,
              "Zmiana zostanie uwzględniona po ponownym uruchomieniu programu.\rNie powoduje ona przeniesienia plików ze "_cp
              "starej lokalizacji do nowej. W razie potrzeby należy zrobić to ręcznie."_cp);
    EXPECT_EQ(ui().boxes[0].buttons(), unsigned(MB_OK));
    EXPECT_EQ(ui().opened, (std::vector<std::string>{new_config + "/", new_docs + "/"}));
    // The next write of the user's settings goes into the new folder; nothing was moved.
    EXPECT_EQ(stored_gap(path_join(new_config, "halvoren.ini")), 17);
    EXPECT_NE(stored_gap(path_join(old_config, "halvoren.ini")), 17);
}

}  // namespace

namespace {

TEST_F(SettingsFiles, OpenedFromOutsideAtATreeNodeAndAValueList) {
    settings().data_lists[5] = std::string("w1") + item_separator + "w2";
    ui().on_modal("Ttopcje", [](TForm&) {
        EXPECT_EQ(topcje->tv_Config->Selected()->Text(), "Listy danych");
        EXPECT_EQ(topcje->PageControl1->ActivePage(), topcje->ts_Auto_list);
        EXPECT_EQ(topcje->cb_listy->ItemIndex(), 5);
        EXPECT_EQ(topcje->mm->Text(), "w1\r\nw2");
        user::click(topcje->b_Cancel);
    });
    EXPECT_EQ(topcje->open_at(12, 5), mrCancel);
    // The node already chosen still shows its page.
    topcje->PageControl1->SetActivePage(topcje->ts_Scale);
    ui().on_modal("Ttopcje", [](TForm&) {
        EXPECT_EQ(topcje->PageControl1->ActivePage(), topcje->ts_Auto_list);
        user::click(topcje->b_Cancel);
    });
    topcje->open_at(12);
}

}  // namespace
