// Choosing the language and applying a language file to the windows.
#include "files/language.h"

#include <algorithm>

#include "files/settings.h"
#include "files/settings_groups.h"
#include "files/utils.h"
#include "files/wydruki.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/columns.h"
#include "model/messages.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "platform/comctrls.h"
#include "platform/files.h"
#include "platform/grids.h"
#include "platform/ini.h"
#include "platform/menus.h"
#include "platform/paths.h"
#include "platform/stdctrls.h"
#include "platform/sysutils.h"

namespace {

// Components marked with this tag (menu separators, fixed symbols) are
// left out of the language pass.
constexpr int fixed_tag = 100;

// The two-character separators of list parts and table columns.
const std::string part_separator = "\\n";
const std::string column_separator = "\\r";

std::vector<std::string> split_at(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at = text.find(separator, from); at != std::string::npos; at = text.find(separator, from)) {
        parts.push_back(text.substr(from, at - from));
        from = at + separator.size();
    }
    parts.push_back(text.substr(from));
    return parts;
}

// The parts of a list value for `count` items: every part before a
// separator, and the last part when it is not empty.
template <class Set>
void apply_parts(const std::string& value, int count, Set set) {
    const std::vector<std::string> parts = split_at(value, part_separator);
    for (std::size_t n = 0; n < parts.size(); ++n) {
        const bool last = n + 1 == parts.size();
        if (last && parts[n].empty()) break;
        if (static_cast<int>(n) < count) set(static_cast<int>(n), parts[n]);
    }
}

std::string join(const std::vector<std::string>& parts, const std::string& separator) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) out += separator;
        out += parts[i];
    }
    return out;
}

std::vector<std::string> items_of(const TStringList& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list[i]);
    return out;
}

// Kinds whose caption comes from the file, blank when the key is missing.
bool blanks_caption(TComponent* c) {
    if (auto* t = dynamic_cast<TToolButton*>(c)) return !t->Action();
    return dynamic_cast<TTabSheet*>(c) || dynamic_cast<TCheckBox*>(c) || dynamic_cast<TRadioButton*>(c) ||
           dynamic_cast<TGroupBox*>(c) || dynamic_cast<TSpeedButton*>(c) || dynamic_cast<TButton*>(c);
}

// Kinds whose caption or text comes from the file only when it has the key.
bool keeps_caption(TComponent* c) {
    return dynamic_cast<TLabel*>(c) || dynamic_cast<TPanel*>(c) || dynamic_cast<TEdit*>(c);
}

void apply_to_list(TStringList& items, const std::string& value) {
    apply_parts(value, items.Count(), [&items](int n, const std::string& text) { items.SetString(n, text); });
}

void apply_to_grid(TStringGrid& grid, const std::string& value) {
    const std::vector<std::string> columns = split_at(value, column_separator);
    for (std::size_t k = 0; k < columns.size(); ++k) {
        if (static_cast<int>(k) >= grid.ColCount()) break;
        const std::vector<std::string> cells = split_at(columns[k], part_separator);
        for (std::size_t j = 0; j < cells.size(); ++j)
            if (!cells[j].empty() && static_cast<int>(j) < grid.RowCount())
                grid.SetCell(static_cast<int>(k), static_cast<int>(j), cells[j]);
    }
}

void apply_to_component(const IniFile& file, const std::string& section, TComponent* c) {
    const std::string& key = c->Name();
    const bool has_key = file.ValueExists(section, key);
    const std::string value = file.ReadString(section, key, "");
    if (!runtime_language_key(section, key)) {
        if (auto* mi = dynamic_cast<TMenuItem*>(c)) {
            if (!mi->Action()) mi->SetCaption(value);
        } else if (blanks_caption(c)) {
            static_cast<TControl*>(c)->SetCaption(value);
        } else if (keeps_caption(c)) {
            if (has_key) static_cast<TControl*>(c)->SetCaption(value);
        } else if (auto* a = dynamic_cast<TAction*>(c)) {
            if (has_key) a->SetCaption(value);
        }
        if (has_key) {
            if (auto* cb = dynamic_cast<TComboBox*>(c)) {
                const int selected = cb->ItemIndex();
                apply_to_list(cb->Items(), value);
                if (selected >= 0) cb->SetItemIndex(std::min(selected, cb->Items().Count() - 1));
            } else if (auto* lb = dynamic_cast<TListBox*>(c); lb && !dynamic_cast<TCheckListBox*>(c)) {
                const int selected = lb->ItemIndex();
                apply_to_list(lb->Items(), value);
                if (selected != lb->ItemIndex()) lb->SetItemIndex(selected < lb->Items().Count() ? selected : 0);
            } else if (auto* tc = dynamic_cast<TTabControl*>(c)) {
                const int selected = tc->TabIndex();
                apply_parts(value, tc->TabCount(), [tc](int n, const std::string& text) { tc->SetTabText(n, text); });
                if (selected != tc->TabIndex()) tc->SetTabIndex(selected < tc->TabCount() ? selected : 0);
            } else if (auto* tv = dynamic_cast<TTreeView*>(c)) {
                TTreeNodes& nodes = tv->Items();
                apply_parts(value, nodes.Count(), [&nodes](int n, const std::string& text) { nodes.Item(n)->SetText(text); });
            } else if (auto* rg = dynamic_cast<TRadioGroup*>(c)) {
                const std::size_t r = value.find(column_separator);
                if (r != std::string::npos) rg->SetCaption(value.substr(0, r));
                apply_to_list(rg->Items(), r == std::string::npos ? value : value.substr(r + column_separator.size()));
            } else if (auto* g = dynamic_cast<TStringGrid*>(c)) {
                apply_to_grid(*g, value);
            }
        }
    }
    if (auto* control = dynamic_cast<TControl*>(c)) control->SetHint(file.ReadString("h", key, control->Hint()));
    else if (auto* a = dynamic_cast<TAction*>(c)) a->SetHint(file.ReadString("h", key, a->Hint()));
}

// Tables whose first column, though not fixed, holds texts of the window:
// the captions of the built-in rows (the drawing elements of the settings).
bool captions_in_first_column(const std::string& window, const std::string& table) {
    return SameText(window, "topcje") && SameText(table, "sag_Lines");
}

// The value of a table's fixed cells (and of its caption column), column by
// column; its other cells are empty pieces, which leave them as they are.
std::string grid_value(const TStringGrid& g, bool caption_column) {
    std::vector<std::string> columns;
    for (int k = 0; k < g.ColCount(); ++k) {
        std::vector<std::string> cells;
        const bool texts = k < g.FixedCols() || (caption_column && k == 0);
        for (int j = 0; j < g.RowCount(); ++j)
            cells.push_back(texts || j < g.FixedRows() ? g.Cells(k, j) : std::string());
        while (!cells.empty() && cells.back().empty()) cells.pop_back();
        columns.push_back(join(cells, part_separator));
    }
    while (!columns.empty() && columns.back().empty()) columns.pop_back();
    return join(columns, column_separator);
}

}  // namespace

bool runtime_language_key(const std::string& window, const std::string& component) {
    static const std::pair<const char*, const char*> keys[] = {
        {"topcje", "e_FileNamePattern"},
        {"topcje", "l_FileSettings"},
        {"topcje", "l_DefaultInfotableChoose"},
        {"Form1", "mi_OnlyTheSameType"},
        {"tustawienia_wydruku", "l_CurrentPrinter"},
    };
    return std::any_of(std::begin(keys), std::end(keys), [&](const auto& k) {
        return SameText(window, k.first) && SameText(component, k.second);
    });
}

bool language_value(TComponent* c, std::string& value) {
    if (!c || c->Name().empty() || c->Tag == fixed_tag) return false;
    TComponent* owner = c->Owner();
    if (auto* form = dynamic_cast<TForm*>(c)) {
        value = form->Caption();
        return true;
    }
    if (!owner || runtime_language_key(owner->Name(), c->Name())) return false;
    if (auto* mi = dynamic_cast<TMenuItem*>(c)) {
        if (mi->Action()) return false;
        value = mi->Caption();
    } else if (blanks_caption(c)) {
        value = static_cast<TControl*>(c)->Caption();
    } else if (dynamic_cast<TEdit*>(c)) {
        // An edit holds what the user or a setting put there.
        return false;
    } else if (keeps_caption(c)) {
        // An empty label or panel shows a value the program puts there.
        value = static_cast<TControl*>(c)->Caption();
        if (value.empty()) return false;
    } else if (auto* a = dynamic_cast<TAction*>(c)) {
        value = a->Caption();
    } else if (auto* cb = dynamic_cast<TComboBox*>(c)) {
        value = join(items_of(cb->Items()), part_separator);
    } else if (auto* lb = dynamic_cast<TListBox*>(c); lb && !dynamic_cast<TCheckListBox*>(c)) {
        value = join(items_of(lb->Items()), part_separator);
    } else if (auto* tc = dynamic_cast<TTabControl*>(c)) {
        std::vector<std::string> tabs;
        for (int i = 0; i < tc->TabCount(); ++i) tabs.push_back(tc->Tab(i).Text);
        value = join(tabs, part_separator);
    } else if (auto* tv = dynamic_cast<TTreeView*>(c)) {
        std::vector<std::string> texts;
        for (int i = 0; i < tv->Items().Count(); ++i) texts.push_back(tv->Items().Item(i)->Text());
        value = join(texts, part_separator);
    } else if (auto* rg = dynamic_cast<TRadioGroup*>(c)) {
        value = rg->Caption() + column_separator + join(items_of(rg->Items()), part_separator);
    } else if (auto* g = dynamic_cast<TStringGrid*>(c)) {
        value = grid_value(*g, captions_in_first_column(owner->Name(), c->Name()));
    } else {
        return false;
    }
    // A list without items at design time is filled with data while the
    // program runs.
    if (value.empty() && (dynamic_cast<TComboBox*>(c) || dynamic_cast<TListBox*>(c) ||
                          dynamic_cast<TTabControl*>(c) || dynamic_cast<TTreeView*>(c) || dynamic_cast<TStringGrid*>(c)))
        return false;
    return true;
}

void apply_language_file(const std::string& path) {
    const IniFile file(path);
    const int charset = file.ReadInteger("main", "charset", 1);
    TApplication* app = Application();
    for (int i = 0; i < app->ComponentCount(); ++i) {
        auto* form = dynamic_cast<TForm*>(app->Components(i));
        if (!form) continue;
        const std::string& section = form->Name();
        form->DisableAlign();
        if (form->Tag != fixed_tag) form->SetCaption(file.ReadString(section, section, ""));
        TFont font = form->Font();
        font.Charset = charset;
        form->SetFont(font);
        for (int k = 0; k < form->ComponentCount(); ++k) {
            TComponent* c = form->Components(k);
            if (c->Tag != fixed_tag && !c->Name().empty()) apply_to_component(file, section, c);
        }
        form->EnableAlign();
    }
}

bool polish_system() {
    const std::string locale = LowerCase(services().system_language());
    return locale.starts_with("pl") && (locale.size() == 2 || !std::isalpha(static_cast<unsigned char>(locale[2])));
}

const std::vector<std::string>& language_names() {
    static const std::vector<std::string> names{"english", "polski"};
    return names;
}

namespace {

// The index kept in the user's settings file, whatever settings file the
// project names; -1 when none (or none that names a language) is kept.
int stored_language() {
    const int stored = StrToIntDef(ini_string(user_settings_file(), "inne", "lang", "-1"), -1);
    return stored >= 0 && stored < static_cast<int>(language_names().size()) ? stored : -1;
}

}  // namespace

std::string start_language() {
    const int stored = stored_language();
    if (stored >= 0) return language_names()[static_cast<std::size_t>(stored)];
    return polish_system() ? "polski" : "english";
}

std::string language_file_of(const std::string& language) { return folders().program_folder + "lang/" + language + ".lng"; }

void Ttopcje::cb_LanguageChange(TObject* Sender) {
    if (!Sender) cb_Language->SetItemIndex(cb_Language->Items().IndexOf(start_language()));
    if (cb_Language->ItemIndex() < 0)
        cb_Language->SetItemIndex(cb_Language->Items().IndexOf(polish_system() ? "polski" : "english"));
    const std::string language = cb_Language->Text();
    program_title = "Halvoren";
    Application()->Title = program_title;
    language_file = language_file_of(language);
    if (!FileExists(language_file)) {
        ShowMessage(format_language_text(msg("msg_LangFileMissing", "Brak pliku z wybraną wersją językową: %s%s"_cp),
                                         {"\n\r", language_file}));
        return;
    }
    Screen::SetCursor(TCursor::crHourGlass);
    help_file = folders().program_folder + "help/" + language + ".chm";
    settings().language = language;
    services().language_chosen(language);
    model_state& m = model();
    {
        const IniFile file(language_file);
        for (int k = 0; k < column_kind_count; ++k) {
            const auto i = static_cast<std::size_t>(k);
            const char* key = column_of(kind_from_index(k)).language_key;
            m.column_titles[i] = file.ReadString("Columns", key, m.column_titles[i]);
            m.column_units[i] = file.ReadString("Columns_units", key, m.column_units[i]);
        }
    }
    const std::string& own = m.project.ConfigFile;
    czytaj_opcje(!own.empty() ? own : user_settings_file(), "lang");
    apply_language_file(language_file);
    sources().przypisz_kolumny(0);
    Screen::SetCursor(TCursor::crDefault);
    if (!m.project_path.empty())
        Form1->SetCaption(Format("___%s___ - %s", {program_title, ExtractFileName(m.project_path)}));
    else
        Form1->SetCaption(Format("___%s___", {program_title}));
    // The user's choice is kept for the next start, in the user's settings
    // file whatever settings file the project names.
    if (Sender && cb_Language->ItemIndex() != stored_language())
        write_user_setting(user_settings_file(), [this] {
            std::string unused;
            ini_string(user_settings_file(), "inne", "lang", IntToStr(cb_Language->ItemIndex()), 'w', unused);
        });
}
