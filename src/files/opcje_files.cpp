// The settings dialog's files and folders: the settings-file buttons, the
// settings file tied to the project, the default title-block template, the
// user's documents and configuration folders, the program registered for
// drawing files and the font list of the drawing's text style.
#include <algorithm>

#include "files/settings.h"
#include "files/utils.h"
#include "forms/opcje.h"
#include "model/messages.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "platform/dialogs.h"
#include "platform/exceptions.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/services.h"
#include "platform/sysutils.h"

namespace {

std::string user_settings_file() { return path_join(folders().config_folder, "halvoren.ini"); }

std::string settings_file_pattern() {
    return lang_text("topcje", "l_SettingsFile", "Plik konfiguracyjny dla projektu: %s");
}

// A read started by one of the dialog's buttons: the current profile's
// side-panel modes stay as they are.
void read_keeping_panel_modes(const std::string& path) {
    settings_state& s = settings();
    s.keeping_panel_modes = true;
    try {
        czytaj_opcje(path, "opcje");
    } catch (...) {
        s.keeping_panel_modes = false;
        throw;
    }
    s.keeping_panel_modes = false;
}

// The open and save dialogs of settings files.
bool choose_settings_file(TOpenDialog& d) {
    d.DefaultExt = "ini";
    d.Filter = lang_text("dialogs", "d_PreferencesFilter", "Halvoren - ustawienia (*.ini)|*.ini");
    d.InitialDir = folders().config_folder;
    return d.Execute();
}

// Changes one of the user folders: the running program uses the new one at
// once; the registry keeps it for the next start; no file is moved.
void change_user_folder(std::string program_folders::*folder, const char* value_name, TLabel* label) {
    std::string chosen = folders().*folder;
    if (!services().select_folder(msg("msg_ChooseFolder", "Wybierz katalog"), chosen)) return;
    const std::string with_separator = IncludeTrailingPathDelimiter(chosen);
    folders().*folder = with_separator;
    label->SetCaption(with_separator);
    label->SetHint(with_separator);
    try {
        Registry& reg = services().registry();
        if (!reg.KeyExists(halvoren_registry_key)) reg.CreateKey(halvoren_registry_key);
        reg.WriteString(halvoren_registry_key, value_name, with_separator);
    } catch (const EIniFileException&) {
        // A registry that cannot be written is skipped: the message still shows.
    }
    ShowMessage(format_language_text(
        msg("msg_ChangeFolderWarning",
            "Zmiana zostanie uwzględniona po ponownym uruchomieniu programu.%sNie powoduje ona przeniesienia plików ze "_cp
            "starej lokalizacji do nowej. W razie potrzeby należy zrobić to ręcznie."_cp),
        {"\r"}));
}

}  // namespace

// --- settings files -----------------------------------------------------------------

void Ttopcje::b_SaveClick(TObject*) {
    contr2var();
    const std::string& file = model().project.ConfigFile;
    zapisz_opcje(file.empty() ? user_settings_file() : file, "opcje");
    b_OK->Click();
}

void Ttopcje::b_DefaultClick(TObject*) {
    // The empty path names no file: every key takes its default.
    read_keeping_panel_modes("");
    view().resajz(settings().table_font_size);
}

void Ttopcje::b_PreferencesOpenClick(TObject*) {
    TOpenDialog d(nullptr);
    if (!choose_settings_file(d)) return;
    const int answer = MessageBox(msg("msg_DefaultSettingsForProject",
                                      "Czy zawsze uruchamiać wybraną konfigurację z bieżącym projektem?"_cp),
                                  MB_YESNO | MB_ICONQUESTION);
    read_keeping_panel_modes(d.FileName);
    if (answer != IDYES) return;
    view().resajz(settings().table_font_size);
    // The file is tied to the project when the dialog is confirmed; the
    // project keeps it when it is saved.
    const std::string short_form = shorten_path_for_display(d.FileName, l_FileSettings);
    l_FileSettings->SetCaption(format_language_text(settings_file_pattern(), {short_form}));
    sb_ClearSettingsFile->SetEnabled(true);
}

void Ttopcje::b_PreferencesSaveAsClick(TObject*) {
    TSaveDialog d(nullptr);
    d.Options |= ofOverwritePrompt;
    if (!choose_settings_file(d)) return;
    contr2var();
    zapisz_opcje(d.FileName, "opcje");
}

void Ttopcje::sb_ClearSettingsFileClick(TObject*) {
    read_keeping_panel_modes(user_settings_file());
    // The reading showed the project's file still tied; the label unties it
    // until the dialog is confirmed.
    l_FileSettings->SetCaption(format_language_text(settings_file_pattern(), {lang_text("MostUsedValues", "muv_DefaultFile", "Domyślna"_cp)}));
    l_FileSettings->SetHint("");
    sb_ClearSettingsFile->SetEnabled(false);
}

void Ttopcje::sb_DefaultInfotableChooseClick(TObject*) {
    TOpenDialog d(nullptr);
    d.DefaultExt = "hlm";
    d.Filter = lang_text("dialogs", "d_InfotableFilter", "Halvoren - szablon metryki (*.hlm)|*.hlm");
    d.Title = lang_text("dialogs", "d_InfotableOpen", "Wybierz szablon metryki");
    d.InitialDir = path_join(folders().config_folder, "templates");
    if (!d.Execute()) return;
    const std::string short_form = shorten_path_for_display(d.FileName, l_DefaultInfotableChoose);
    l_DefaultInfotableChoose->SetCaption(
        format_language_text(lang_text("topcje", "l_DefaultInfotableChoose", "Domyślna metryka %s"_cp), {short_form}));
}

// --- user folders ---------------------------------------------------------------------

void Ttopcje::sb_DocsExploreClick(TObject*) { services().shell_open(folders().documents_folder); }

void Ttopcje::sb_ConfigExploreClick(TObject*) { services().shell_open(folders().config_folder); }

void Ttopcje::sb_ChangeDocsDirectoryClick(TObject*) {
    change_user_folder(&program_folders::documents_folder, "userdocs_dir", l_DocsDirValue);
}

void Ttopcje::sb_ChangeConfigDirectoryClick(TObject*) {
    change_user_folder(&program_folders::config_folder, "userconfig_dir", l_ConfigDirValue);
    // "&Zapisz" without a project settings file writes into the new folder.
    if (l_FileSettings->Hint().empty()) b_Save->SetHint(user_settings_file());
}

// --- the program registered for drawing files and the fonts -----------------------

std::string Ttopcje::path_to_dxfopener(bool full_path) const {
    const std::string command = services().dxf_program();
    std::string program;
    if (!command.empty() && command.front() == '"') {
        const std::size_t end = command.find('"', 1);
        program = command.substr(1, end == std::string::npos ? std::string::npos : end - 1);
    } else {
        program = command.substr(0, command.find(' '));
    }
    return full_path ? program : ExtractFileDir(program);
}

std::string Ttopcje::font_plik(const std::string& face) const {
    if (face.find(".shx") != std::string::npos) return face;
    std::vector<FontFile> table = services().font_files();
    std::stable_sort(table.begin(), table.end(),
                     [](const FontFile& a, const FontFile& b) { return AnsiCompareText(a.name, b.name) < 0; });
    for (const FontFile& f : table)
        if (f.name.find(face) != std::string::npos) return f.file;
    return "txt";
}

void Ttopcje::laduj_czcionki() {
    std::vector<std::string> faces;
    for (const FontInfo& f : services().fonts())
        if (f.scalable) faces.push_back(f.name);
    std::stable_sort(faces.begin(), faces.end(),
                     [](const std::string& a, const std::string& b) { return AnsiCompareText(a, b) < 0; });
    const std::string text = cb_fonts->Text();
    TStringList& items = cb_fonts->Items();
    items.BeginUpdate();
    items.Clear();
    for (const std::string& f : faces) items.Add(f);
    items.EndUpdate();
    cb_fonts->SetText(text);
    if (!lab_kat->Caption().empty()) ZnajdzPliki(lab_kat->Caption(), "*.*");
}

void Ttopcje::ZnajdzPliki(const std::string& folder, const std::string& mask) {
    std::vector<std::string> names;
    for (const std::string& name : list_folder(IncludeTrailingPathDelimiter(folder), mask, false, ListKind::Both))
        if (name != "." && name != ".." && name.find('.') != std::string::npos) names.push_back(AnsiLowerCase(name));
    std::stable_sort(names.begin(), names.end(),
                     [](const std::string& a, const std::string& b) { return AnsiCompareText(a, b) < 0; });
    TStringList& items = cb_fonts->Items();
    items.BeginUpdate();
    for (std::size_t i = 0; i < names.size(); ++i) items.Insert(static_cast<int>(i), names[i]);
    items.EndUpdate();
    int arial = -1;
    for (int i = 0; i < items.Count() && arial < 0; ++i)
        if (AnsiSameText(items[i], "arial")) arial = i;
    cb_fonts->SetItemIndex(arial);
}

void Ttopcje::cb_fontsDrawItem(TWinControl*, int Index, TRect Rect, TOwnerDrawState) {
    TCanvas* c = cb_fonts->Canvas();
    if (!c || Index < 0 || Index >= cb_fonts->Items().Count()) return;
    const std::string& item = cb_fonts->Items()[Index];
    c->Brush.Color = clWhite;
    c->Brush.Style = TBrushStyle::bsSolid;
    c->FillRect(Rect);
    // Files of the CAD fonts folder in grey, screen faces in black.
    c->Font.Color = item.find('.') != std::string::npos ? clGray : clBlack;
    c->TextOut(Rect.Left + 3, Rect.Top, item);
}

void Ttopcje::sb_FolderClick(TObject*) {
    std::string folder = lab_kat->Caption();
    if (!services().select_folder(msg("msg_ChooseFolder", "Wybierz katalog"), folder)) return;
    lab_kat->SetCaption(folder);
    laduj_czcionki();
}

// --- opening from outside -----------------------------------------------------------

TModalResult Ttopcje::open_at(int node, int list) {
    TTreeNodes& nodes = tv_Config->Items();
    if (node >= 0 && node < nodes.Count()) {
        TTreeNode* n = nodes.Item(node);
        if (tv_Config->Selected() == n) fire(tv_Config, tv_Config->OnChange, tv_Config, n);
        else tv_Config->SetSelected(n);
    }
    if (list >= 0 && list < cb_listy->Items().Count()) {
        cb_listy->SetItemIndex(list);
        fire(cb_listy, cb_listy->OnChange, cb_listy);
    }
    return ShowModal();
}

void Ttopcje::connect_file_handlers() {
    b_Save->OnClick = [this](TObject* s) { b_SaveClick(s); };
    b_Default->OnClick = [this](TObject* s) { b_DefaultClick(s); };
    b_PreferencesOpen->OnClick = [this](TObject* s) { b_PreferencesOpenClick(s); };
    b_PreferencesSaveAs->OnClick = [this](TObject* s) { b_PreferencesSaveAsClick(s); };
    sb_ClearSettingsFile->OnClick = [this](TObject* s) { sb_ClearSettingsFileClick(s); };
    sb_DefaultInfotableChoose->OnClick = [this](TObject* s) { sb_DefaultInfotableChooseClick(s); };
    sb_DocsExplore->OnClick = [this](TObject* s) { sb_DocsExploreClick(s); };
    sb_ConfigExplore->OnClick = [this](TObject* s) { sb_ConfigExploreClick(s); };
    sb_ChangeDocsDirectory->OnClick = [this](TObject* s) { sb_ChangeDocsDirectoryClick(s); };
    sb_ChangeConfigDirectory->OnClick = [this](TObject* s) { sb_ChangeConfigDirectoryClick(s); };
    sb_Folder->OnClick = [this](TObject* s) { sb_FolderClick(s); };
    cb_fonts->OnDrawItem = [this](TWinControl* c, int i, TRect r, TOwnerDrawState st) { cb_fontsDrawItem(c, i, r, st); };
    // Moving the mouse over the fonts folder shows it whole.
    lab_kat->OnMouseMove = [this](TObject*, TShiftState, int, int) {
        lab_kat->SetHint(lab_kat->Caption());
        lab_kat->ShowHint = true;
    };
}
