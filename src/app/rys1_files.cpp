// The main window's project commands: new, open, save, save as, the
// autosave timer, the save-changes question, the recent-files menus, the
// project data through the dialog and the clipboard, help and settings.
#include <algorithm>
#include <memory>

#include "files/project_data.h"
#include "files/project_reader.h"
#include "files/project_writer.h"
#include "files/settings.h"
#include "files/settings_groups.h"
#include "files/title_block.h"
#include "files/utils.h"
#include "forms/dane.h"
#include "forms/kosztorys.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "forms/skojarzone.h"
#include "forms/typoszereg.h"
#include "model/messages.h"
#include "model/objects.h"
#include "model/pipe_series.h"
#include "model/profiles.h"
#include "model/recalculation.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "platform/sysutils.h"

namespace {

constexpr uint16_t all = 65535;

// "Uszkodzony plik: " CR path, then why.
void refuse_file(const std::string& path, const std::string& reason) {
    MessageBox(format_language_text(msg("msg_FileCorrupted", "Uszkodzony plik: %s%s"), {"\r", path}) + "\r" + reason,
               MB_OK);
}

// Node cells that did not convert, once per open, in the words of the
// conversion's own box (which the language file does not carry).
void report_faults(const cell_faults& faults) {
    if (faults.count == 0) return;
    MessageBox(wrong_format_message(faults.first) +
                   format_language_text(msg("msg_WrongDataInFile", "%sTakich wartości w pliku: %d; odczytano je jako 0."_cp),
                                        {"\r", static_cast<int64_t>(faults.count)}),
               MB_OK | MB_ICONWARNING);
}

// "Pliku nie znaleziono: " with the breaks given and the path; the entry's
// key is emptied first.
void forget_recent(const std::string& section, int n, const std::string& breaks, const std::string& path) {
    write_user_setting(user_settings_file(), [&] {
        std::string unused;
        ini_string(user_settings_file(), section, "plik" + IntToStr(n), "", 'w', unused);
    });
    MessageBox(format_language_text(msg("msg_FileMissing", "Pliku nie znaleziono: %s%s"), {breaks, path}), MB_OK);
}

// What a damaged file declares and does not hold, and that the project
// opened without the file's name.
void report_missing(const std::string& path, const std::vector<std::string>& missing) {
    std::string list;
    for (const std::string& m : missing) list += (list.empty() ? "" : "; ") + m;
    MessageBox(format_language_text(msg("msg_FileCorrupted", "Uszkodzony plik: %s%s"), {"\r", path}) + "\r" +
                   format_language_text(msg("msg_FileIncomplete",
                                            "Brakuje w nim: %s.%sProjekt otwarto bez nazwy pliku i oznaczono jako "_cp
                                            "zmieniony, aby zapis nie zastąpił uszkodzonego pliku."_cp),
                                        {list, "\r"}),
               MB_OK | MB_ICONWARNING);
}

// Puts a legacy text's nodes into the current profile.
void take_legacy_nodes(project_content& content) {
    model_state& m = model();
    odcinek& p = m.profiles.at(m.current_profile);
    p.nodes = std::move(content.profiles.front().nodes);
    view().odswiez_dane(m.current_profile, false);
}

}  // namespace

void TForm1::connect_file_handlers() {
    a_ProjectNew->OnExecute = [this](TObject* s) { sb_nowy_projektClick(s); };
    a_ProjectOpen->OnExecute = [this](TObject* s) { PJSB_otworzClick(s); };
    a_ProjectSave->OnExecute = [this](TObject* s) { a_ProjectSaveExecute(s); };
    mi_SaveAs->OnClick = [this](TObject* s) { mi_SaveAsClick(s); };
    t_Save->OnTimer = [this](TObject* s) { t_SaveTimer(s); };
    a_ProjectData->OnExecute = [this](TObject* s) { a_ProjectDataExecute(s); };
    a_CopyData->OnExecute = [this](TObject* s) { a_CopyDataExecute(s); };
    a_PasteData->OnExecute = [this](TObject* s) { a_PasteDataExecute(s); };
    a_Help->OnExecute = [this](TObject* s) { SpeedButton6Click(s); };
    a_Configuration->OnExecute = [this](TObject* s) { SpeedButton8Click(s); };
    for (TPopupMenu* pm : {pm_rec, pm_rec_metryka, pm_rec_skojarzone})
        pm->OnPopup = [this](TObject* s) { PJLinkedMenuSpeedButton1Click(s); };
    for (int i = 0; i < 4; ++i) {
        pm_rec->Items()->Items(i)->OnClick = [this](TObject* s) { plik1Click(s); };
        pm_rec_metryka->Items()->Items(i)->OnClick = [this](TObject* s) { plim1Click(s); };
        pm_rec_skojarzone->Items()->Items(i)->OnClick = [this](TObject* s) { plis1Click(s); };
    }
    OnCloseQuery = [this](TObject* s, bool& can_close) { FormCloseQuery(s, can_close); };
}

// --- the question and the lifecycle ------------------------------------------------------

bool TForm1::czypuste(int first, int last) const {
    const auto& profiles = model().profiles;
    for (int i = std::max(first, 0); i <= last && i < static_cast<int>(profiles.size()); ++i) {
        const odcinek& p = profiles[static_cast<std::size_t>(i)];
        if (!p.nodes.empty() || !p.crossings.empty() || !p.casings.empty() || !p.sections.empty()) return false;
    }
    return true;
}

int TForm1::czy_zapis() {
    const model_state& m = model();
    const bool holds_something = !czypuste(0, static_cast<int>(m.profiles.size()) - 1) || !project_data_empty() ||
                                 !m.project.sumps.empty() || !m.project.pipe_series.empty();
    int answer = IDNO;
    if (m.project_modified && holds_something)
        answer = MessageBox(msg("msg_FileSaveQuestion", "Czy zapisać bieżące dane?"_cp), MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL) return answer;
    add_recent_file(m.project_path, "pliki", user_settings_file());
    if (answer == IDYES) {
        bool saved = false;
        try {
            saved = zapisz_projekt();
        } catch (const std::exception& e) {
            Application()->ShowException(e);
        }
        if (!saved) answer = IDCANCEL;
    }
    return answer;
}

void TForm1::FormCloseQuery(TObject*, bool& CanClose) { CanClose = czy_zapis() != IDCANCEL; }

void TForm1::sb_nowy_projektClick(TObject*) {
    if (czy_zapis() == IDCANCEL) return;
    model_state& m = model();
    m.project_path.clear();
    set_project_caption();
    m.project.main_profile = -1;
    if (!m.profiles.empty()) m.profiles.front().nazwa.clear();
    kasowanie_profili(true);
    czysc_tabele();
    const std::string template_path = topcje->l_DefaultInfotableChoose->Hint();
    if (!template_path.empty()) otworz_tabele(template_path);
    {
        settings_state& s = settings();
        s.making_new_project = true;
        try {
            czytaj_opcje(user_settings_file(), "opcje");
        } catch (...) {
            s.making_new_project = false;
            throw;
        }
        s.making_new_project = false;
    }
    set_project_modified(false);
    view().redraw_preview();
    tKosztorys->koszt_nowy();
    view().profile_count_changed(m.profiles.size());
}

void TForm1::otworz(const std::string& path, bool insert) {
    const project_kind kind = project_kind_of(path, OD1->FilterIndex);
    if (insert && kind != project_kind::legacy) return;
    project_content content;
    std::unique_ptr<project_text> text;
    try {
        text = std::make_unique<project_text>(read_file(path));
        read_project(*text, kind, content);
    } catch (const EInOutError& e) {
        refuse_file(path, e.what());
        return;
    } catch (const project_file_error& e) {
        refuse_file(path, e.what());
        return;
    }
    if (insert) {
        take_legacy_nodes(content);
        report_faults(content.faults);
        return;
    }

    model_state& m = model();
    if (topcje->cb_AutoBackup->Checked()) backup_copy(path, "bak", 2);
    m.project_path = path;
    set_project_caption();
    kasowanie_profili(true);
    czysc_tabele();
    tKosztorys->koszt_nowy();

    const std::string config(text->value("format", "ConfigFile").value_or(""));
    if (!config.empty()) {
        czytaj_opcje(config, "opcje");
        resajz(settings().table_font_size);
    } else {
        czytaj_opcje(user_settings_file(), "opcje");
    }
    read_file_settings(*text);

    if (kind == project_kind::project) {
        m.profiles = std::move(content.profiles);
        m.project.sumps = std::move(content.sumps);
        m.project.pipe_series = std::move(content.pipe_series);
        m.project.main_profile = content.main_profile;
        m.current_profile = 0;
        view().profile_count_changed(m.profiles.size());
        tPipeSystem->odswiez();
        odswiez_idx_w_odc(all, all);
        zgodnosc_wstecz();
        tabs_odswiez(0);
        view().redraw_preview();
        const auto& nodes = m.profiles.at(m.current_profile).nodes;
        const int node = current_node();
        a_ObjectEdit->SetEnabled(node < static_cast<int>(nodes.size()) &&
                                 jest_obiekt2(nodes[static_cast<std::size_t>(node)].obiekt, "all"));
    } else if (kind == project_kind::legacy) {
        take_legacy_nodes(content);
    }

    PageControl1Change(nullptr);
    set_project_modified(false);
    if (kier_spad()) przelicz(m.current_profile, true, 255);
    report_faults(content.faults);
    // A file that lacks what it declares stays as it is: the project has
    // no file name, so that a save asks for a new one.
    if (!content.missing.empty()) {
        m.project_path.clear();
        set_project_caption();
        set_project_modified(true);
        report_missing(path, content.missing);
    }
}

void TForm1::PJSB_otworzClick(TObject*) {
    if (czy_zapis() == IDCANCEL) return;
    OD1->Filter = lang_text("dialogs", "d_ProjectOpenFilter",
                            "projekt halvoren (.hlv)|*.hlv|projekt halvoren 1.x (.txt)|*.txt");
    OD1->Title = lang_text("dialogs", "d_ProjectOpen", "Otwórz projekt"_cp);
    OD1->Options = ofHideReadOnly | ofFileMustExist | ofEnableSizing;
    OD1->InitialDir = project_dialog_folder();
    OD1->FileName.clear();
    if (!OD1->Execute()) return;
    ::dopisz_path(OD1->FileName, "path", true);
    otworz(OD1->FileName, false);
}

std::string TForm1::dopisz_path(const std::string& path, const std::string& key, bool write) {
    return ::dopisz_path(path, key, write);
}

// --- saving ------------------------------------------------------------------------------------

void TForm1::a_ProjectSaveExecute(TObject*) { zapisz_projekt(); }

void TForm1::mi_SaveAsClick(TObject*) { zapisz_projekt_jako(); }

void TForm1::t_SaveTimer(TObject*) { autozapis(); }

// --- recent files -------------------------------------------------------------------------------

void TForm1::PJLinkedMenuSpeedButton1Click(TObject* Sender) {
    auto* menu = dynamic_cast<TPopupMenu*>(Sender);
    if (!menu) return;
    const std::string section = "pliki" + menu->Name().substr(std::min<std::size_t>(6, menu->Name().size()));
    const std::string ini = user_settings_file();
    for (int i = 0; i < menu->Items()->Count() && i < 4; ++i) {
        TMenuItem* item = menu->Items()->Items(i);
        const std::string path = ini_string(ini, section, "plik" + IntToStr(i + 1), "");
        const bool shown = !path.empty() && FileExists(path);
        item->SetVisible(shown);
        item->SetHint(path);
        // A document template is named by the title of its header.
        if (shown && menu == pm_rec_skojarzone) {
            head_info info;
            tskojarzone->info_plik(path, info);
            item->SetCaption(info.title);
        } else {
            item->SetCaption(path);
        }
    }
}

void TForm1::plik1Click(TObject* Sender) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item) return;
    const std::string path = item->Hint();
    const int answer = czy_zapis();
    if (!FileExists(path)) {
        item->SetVisible(false);
        forget_recent("pliki", item->Tag, "\n\r", path);
        return;
    }
    if (answer == IDCANCEL) return;
    ::dopisz_path(path, "path", true);
    add_recent_file(path, "pliki", user_settings_file());
    otworz(path, false);
}

void TForm1::plim1Click(TObject* Sender) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item) return;
    const std::string path = item->Hint();
    const int answer = czy_zapis_metryka();
    if (!FileExists(path)) {
        item->SetVisible(false);
        forget_recent("pliki_metryka", item->Tag, "\r", path);
        return;
    }
    if (answer == IDCANCEL) return;
    czysc_tabele();
    otworz_tabele(path);
}

void TForm1::plis1Click(TObject* Sender) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item) return;
    const std::string path = item->Hint();
    tskojarzone->FormShow(nullptr);
    if (!FileExists(path)) {
        item->SetVisible(false);
        forget_recent("pliki_skojarzone", item->Tag, "\r", path);
        return;
    }
    tskojarzone->generuj(path);
}

// --- project data -------------------------------------------------------------------------------

void TForm1::a_ProjectDataExecute(TObject*) {
    set_project_modified(true);
    odswiez_dane_proj(model().project.dane, "all", false);
    tdane->ShowModal();
}

void TForm1::a_CopyDataExecute(TObject*) {
    services().set_clipboard_text("");
    services().set_clipboard_text(project_data_text(model().project.dane));
}

void TForm1::a_PasteDataExecute(TObject*) {
    const std::optional<std::string> text = services().clipboard_text();
    if (!text) {
        refuse_unrepresentable_text();
        return;
    }
    model().project.dane = project_data_from_text(*text);
    odswiez_dane_proj(model().project.dane, "all", false);
    set_project_modified(true);
}

// --- help and settings ----------------------------------------------------------------------------

void TForm1::SpeedButton6Click(TObject*) {
    const std::string help = ExpandFileName(folders().program_folder + "help/" + settings().language + ".chm");
    if (!FileExists(help)) {
        MessageBox(format_language_text(msg("msg_HelpFileMissing", "Nie zainstalowano pliku pomocy.%sBrak pliku: %s"),
                                        {"\r", help}),
                   MB_OK | MB_ICONWARNING);
        return;
    }
    open_with_desktop(help);
}

void TForm1::SpeedButton8Click(TObject*) { topcje->ShowModal(); }
