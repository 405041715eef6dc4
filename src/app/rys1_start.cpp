// The main window's start and stop: what it prepares when it is made, its
// first showing and its close, which keeps the view for the next start.
#include <algorithm>
#include <string>

#include "app/window_place.h"
#include "files/settings.h"
#include "files/settings_groups.h"
#include "files/utils.h"
#include "files/wydruki.h"
#include "forms/kolizje.h"
#include "forms/materials.h"
#include "forms/objects.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/messages.h"
#include "model/profiles.h"
#include "model/project.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "platform/sysutils.h"

void clamp_to_monitors(int& left, int& top, const std::vector<MonitorInfo>& monitors) {
    int box_left = 0, box_top = 0, box_right = 0, box_bottom = 0;
    for (const MonitorInfo& m : monitors) {
        box_left = std::min(box_left, m.Left);
        box_top = std::min(box_top, m.Top);
        box_right = std::max(box_right, m.Left + m.Width);
        box_bottom = std::max(box_bottom, m.Top + m.Height);
    }
    if (left < box_left || left > box_right) left = box_left;
    if (top < box_top || top > box_bottom) top = box_top;
}

namespace {

// What the settings and the language ask of the main window.
class main_window_sources : public template_sources {
public:
    void przypisz_kolumny(int side_panel) override {
        if (Form1) Form1->przypisz_kolumny(side_panel != 0);
    }
};

main_window_sources window_sources;

}  // namespace

void TForm1::FormCreate(TObject*) {
    set_template_sources(&window_sources);
    // A configuration folder without the object definitions or the document
    // templates gets the ones the program ships; a folder the user has is
    // left as it is.
    for (const char* shipped : {"objects", "templates"})
        if (!DirectoryExists(folders().config_folder + shipped))
            copy_missing_files(folders().program_folder + shipped, folders().config_folder + shipped);
    // Only a folder that still cannot be made is reported, in the language
    // the start will apply (the Program chose its file).
    if (!DirectoryExists(folders().config_folder + "objects"))
        MessageBox(format_language_text(msg("msg_ConfigFolderNotFound",
                                            "Katalog zawierający m.in. definicje obiektów oraz szablony wydruków nie został odnaleziony.%sPomóc może ponowne zainstalowanie programu."_cp),
                                        {"\r"}),
                   MB_OK);
    model_state& m = model();
    m.separator_allowed = true;
    m.project_modified = false;
    m.project_path.clear();
    se_DrainageBedsAmount->SetValue(1);

    const IniFile ini(user_settings_file());
    if (ini.ReadBool("inne", "window_state_max", true)) {
        SetWindowState(TWindowState::wsMaximized);
    } else {
        int left = ini.ReadInteger("inne", "window_pos_x", 0);
        int top = ini.ReadInteger("inne", "window_pos_y", 0);
        SetBounds(left, top, ini.ReadInteger("inne", "window_width", Screen::Width()),
                  ini.ReadInteger("inne", "window_height", Screen::Height()));
        clamp_to_monitors(left, top, services().monitors());
        SetBounds(left, top, Width(), Height());
    }
    // The printer's page, for the drawing's fit to it and the print dialog.
    pobierz_param_strony();
}

void TForm1::FormShow(TObject*) {
    // The language first: column titles and units, every window's texts.
    topcje->cb_LanguageChange(nullptr);
    // A new project with the user's settings.
    a_ProjectNew->Execute();
    // A project has a profile to type into.
    if (model().profiles.empty()) kasowanie_profili(false);
    PageControl1Change(nullptr);
    // Work the last run left unsaved comes first; the command line is not
    // looked at then.
    const std::string autosave = folders().config_folder + "autosave.~hl";
    const TApplication* app = Application();
    if (FileExists(autosave) &&
        MessageBox(format_language_text(msg("msg_RestoreFormBackupFileQuestion",
                                            "Istnieje niezapisany plik. %sRozpocząć próbę odzyskania go?"_cp),
                                        {"\r"}),
                   MB_YESNO | MB_ICONQUESTION) == IDYES) {
        otworz(autosave, false);
        // The next save asks for a name.
        model().project_path.clear();
    } else if (app && app->ParamCount() >= 1) {
        const std::string path = long_path_name(app->arguments[1]);
        if (FileExists(path)) {
            add_recent_file(path, "pliki", user_settings_file());
            otworz(path, false);
        }
    }
    czysty_wezel(model().node_buffer);
    model().node_buffer.id = 0;
    resajz(settings().table_font_size);
    przypisz_kolumny(PageControl1->ActivePage() == ts_DrawingPreview);
    tabs_odswiez(model().current_profile);
    e_xy->SetText("x: 2.24546546\ry: 2.24546546");
    a_Undo->SetEnabled(false);
    a_Redo->SetEnabled(false);
}

void TForm1::a_ExitExecute(TObject*) { Close(); }

void TForm1::FormClose(TObject*, TCloseAction&) {
    model_state& m = model();
    std::string path = m.project.ConfigFile;
    if (path.empty() || !FileExists(path)) path = user_settings_file();
    try {
        IniFile ini(path);
        const bool maximized = WindowState() == TWindowState::wsMaximized;
        ini.WriteBool("inne", "window_state_max", maximized);
        ini.WriteInteger("inne", "window_pos_x", Left());
        ini.WriteInteger("inne", "window_pos_y", Top());
        ini.WriteInteger("inne", "window_width", Width());
        ini.WriteInteger("inne", "window_height", Height());
        if (tObjects && !tObjects->cb_Description->Text().empty())
            ini.WriteString("inne", "ObjectDescription", tObjects->cb_Description->Text());
        ini.WriteBool("inne", "zablokuj_zakladki", sb_LockTabShifting->Down());
        if (tkolizje) ini.WriteInteger("inne", "rzedna_dna_kolizji", tkolizje->rg_PipeOrdinateMode->ItemIndex());
        if (tMaterials) ini.WriteInteger("inne", "materialy_szukaj_wszedzie", tMaterials->rg_SearchWide->ItemIndex());
        ini.WriteBool("inne", "ukryj_kolizje", tb_HideCrossing->Down());
        ini.WriteBool("inne", "ukryj_oslonowe", tb_HideProtectingPipes->Down());
        ini.WriteBool("inne", "ukryj_przekroje", tb_HideCrossSections->Down());
        ini.WriteBool("inne", "ukryj_granice", tb_HideBoundaryDesc->Down());
        ini.WriteBool("inne", "ukryj_podzial_na_strony", tb_HidePageBorders->Down());
        if (tObjects) ini.WriteBool("inne", "pokazuj_opisy_zamiast_nazw", tObjects->cb_InListShowDesc->Checked());
        for (int p = 0; p < column_kind_count; ++p)
            ini.WriteInteger("Dane", "ind_" + IntToStr(p), m.column_order[static_cast<std::size_t>(p)]);
        for (int k = 0; k < column_kind_count; ++k)
            ini.WriteInteger("Dane_szer", "width_" + IntToStr(k), m.column_widths[static_cast<std::size_t>(k)]);
    } catch (const Exception&) {
        // The view is not kept; the window closes all the same.
    }
    m.undo_list.clear();
    m.redo_list.clear();
    const std::string autosave = folders().config_folder + "autosave.~hl";
    if (FileExists(autosave)) DeleteFile(autosave);
}
