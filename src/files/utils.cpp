#include "files/utils.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "model/messages.h"
#include "model/settings_state.h"
#include "platform/exceptions.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/ini.h"
#include "platform/named_bytes.h"
#include "platform/services.h"
#include "platform/stdctrls.h"
#include "platform/strings.h"
#include "platform/sysutils.h"

namespace {

bool ends_tag_name(char c) {
    switch (static_cast<unsigned char>(c)) {
        case '\t': case '\r': case ' ': case '"': case '(': case ')': case '*': case '+': case ',': case '-':
        case '.': case '/': case ';': case '<': case '>': case '?': case '@': case '[': case '\\': case ']':
        case '^': case '~': case 0x84: case 0x94:
        case static_cast<unsigned char>(block_open): case static_cast<unsigned char>(block_close):
            return true;
        default:
            return false;
    }
}

bool is_separator(char c) { return c == '\\' || c == '/'; }

}  // namespace

// ---------------------------------------------------------------------------
// Ini values, recent files, backups, file checks.

void add_recent_file(std::string_view file_name, std::string_view section, std::string_view ini_path) {
    if (file_name.empty() || file_name.find("autosave") != std::string_view::npos) return;
    write_user_setting(ini_path, [&] {
        std::string slots[4] = {std::string(file_name)};
        int filled = 1;
        IniFile ini(ini_path);
        for (int i = 1; i <= 4 && filled < 4; ++i) {
            const std::string stored = ini.ReadString(section, "plik" + IntToStr(i), "");
            if (stored != file_name) slots[filled++] = stored;
        }
        for (int i = 0; i < 4; ++i)
            if (!slots[i].empty()) ini.WriteString(section, "plik" + IntToStr(i + 1), slots[i]);
        ini.UpdateFile();
    });
}

void write_user_setting(std::string_view ini_path, const std::function<void()>& write) {
    try {
        write();
        return;
    } catch (const EIniFileException&) {
    } catch (const EInOutError&) {
    }
    bool& reported = settings().user_settings_write_reported;
    if (reported) return;
    reported = true;
    MessageBox(format_language_text(msg("msg_UserSettingsWriteError",
                                        "Nie można zapisać ustawień użytkownika w pliku:%s%s%s"_cp
                                        "Ostatnio używane pliki i foldery nie zostaną zapamiętane, "_cp
                                        "ale praca może być kontynuowana."_cp),
                                    {"\r", std::string(ini_path), "\r"}),
               MB_OK | MB_ICONWARNING);
}

void backup_copy(std::string_view path, std::string_view extension, int age_limit_days) {
    try {
        std::string ext(extension);
        if (ext.empty() || ext[0] != '.') ext = "." + ext;
        const std::string backup = std::string(path) + ext;
        bool copy = !FileExists(backup);
        if (!copy) {
            const double age = Now() - FileDateTime(backup);
            copy = age >= age_limit_days ||
                   (ext == ".err" && file_byte_size(backup) < file_byte_size(path));
        }
        if (copy && CopyFile(path, backup, false)) SetFileDateTime(backup, Now());
    } catch (const std::exception&) {
        // A backup that cannot be made does not stop the caller.
    }
}

bool open_with_desktop(std::string_view path) {
    const std::string full = ExpandFileName(path);
    switch (services().open_file(full)) {
        case open_result::opened:
            return true;
        case open_result::missing:
            MessageBox(format_language_text(msg("msg_FileMissing", "Pliku nie znaleziono: %s%s"), {"\r", full}),
                       MB_OK | MB_ICONWARNING);
            return false;
        case open_result::no_program:
            break;
    }
    MessageBox(format_language_text(msg("msg_NoApplicationForFile", "Brak aplikacji skojarzonej z plikiem:%s%s"_cp),
                                    {"\r", full}),
               MB_OK | MB_ICONWARNING);
    return false;
}

int64_t file_size(std::string_view path) {
    const int64_t n = file_byte_size(path);
    return n < 0 ? 0 : n;
}

bool file_in_use_check(std::string_view path, bool warn) {
    if (!FileExists(path)) write_file(path, "");
    if (!file_locked_by_other(path)) return true;
    if (warn) {
        const std::string text = format_language_text(
            msg("msg_FileInUse", "Plik: %s%sjest używany przez inną aplikację.%sZalecane jest jej zamknięcie lub "_cp
                                 "zapisanie w niej w/w pliku pod inną nazwą."_cp),
            {std::string(path), "\r", "\r"});
        MessageBox(text, MB_YESONLY | MB_ICONWARNING);
    }
    return false;
}

std::string long_path_name(std::string_view path) { return std::string(path); }

void show_file_in_edit(std::string_view path, TCustomEdit* edit) {
    edit->SetText(path.empty() ? std::string() : ExtractFileName(path));
    edit->SetHint(path);
}

std::string shorten_path_for_display(std::string_view path, TControl* control) {
    std::string p = AnsiLowerCase(path);
    if (!p.empty() && is_separator(p.back())) p.pop_back();
    std::string short_form;
    if (!p.empty()) {
        std::size_t first = std::string::npos, last = std::string::npos;
        for (std::size_t i = 0; i < p.size(); ++i)
            if (is_separator(p[i])) {
                if (first == std::string::npos) first = i;
                last = i;
            }
        short_form = first == std::string::npos ? p : p.substr(0, first + 1) + " ... " + p.substr(last);
    }
    if (control) {
        control->SetCaption(short_form);
        control->SetHint(std::string(path));
        control->ShowHint = true;
    }
    return short_form;
}

// ---------------------------------------------------------------------------
// Texts.

std::string polish_to_ascii(std::string_view text) {
    static const std::string from = "ąćęłńóśżźĄĆĘŁŃÓŚŻŹ"_cp;
    static const std::string to = "acelnoszzACELNOSZZ";
    std::string s(text);
    for (char& c : s) {
        const std::size_t i = from.find(c);
        if (i != std::string::npos) c = to[i];
    }
    return s;
}

std::string clean_file_name(std::string_view text) {
    std::string s;
    for (const char c : text)
        if (std::string_view("\\/?:*\"><|.").find(c) == std::string_view::npos) s += c;
    return s;
}

void replace_dxf_code(std::string_view text, std::string_view code, std::string& out) {
    char ch = '\0';
    if (code == "%%d") ch = degree_sign;
    else if (code == "%%p") ch = plus_minus_sign;
    out = string_replace_all(code, std::string(1, ch), text);
}

std::string char_or_default(int flag, char first, char second) { return std::string(1, flag != 0 ? first : second); }

std::string digits_only(std::string_view text) {
    std::string s = "0";
    for (const char c : text.substr(0, 255))
        if (c >= '0' && c <= '9') s += c;
    return s;
}

std::string to_hundredths_text(std::string_view number_text) {
    if (number_text.empty()) return "0";
    std::string s(number_text);
    const std::size_t sep = s.find(decimal_separator);
    if (sep == std::string::npos) {
        s += "00";
    } else {
        const std::size_t decimals = s.size() - sep - 1;
        if (decimals > 2) s.resize(sep + 3);
        else s.append(2 - decimals, '0');
    }
    return digits_only(s);
}

void tag_name_after(std::string_view text, std::string_view marker, std::string& out) {
    out.clear();
    const std::size_t at = text.find(marker);
    if (marker.empty() || at == std::string_view::npos) return;
    bool modifiers = false, quoted = false;
    for (std::size_t i = at + marker.size(); i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '|') break;
            if (c == '\'') quoted = false;
        } else if (c == '|') {
            modifiers = true;
        } else if (modifiers && c == '\'') {
            quoted = true;
        } else if (ends_tag_name(c)) {
            break;
        }
        out += c;
    }
    if (!out.empty() && out.find(item_separator) == std::string::npos) out = LowerCase(out);
}

void normalize_template_blocks(std::string_view text, std::string_view document_type, std::string& out) {
    out.clear();
    bool first_line = true;
    const auto put_line = [&](std::string_view line) {
        if (!first_line) out += "\r\n";
        out += line;
        first_line = false;
    };
    // Names of the blocks opened so far in the whole text, lower-cased.
    std::unordered_set<std::string> opened;
    std::string name;
    TStringList input;
    input.SetText(text);
    for (int li = 0; li < input.Count(); ++li) {
        std::string line = input[li];
        // One walk over the line's markers in order: the text before an
        // opening marker and the text up to the end of a closing marker go
        // out as lines, so every opening marker begins a line and every
        // closing marker ends one, nested blocks included.
        std::size_t piece = 0;  // where the next line out begins
        bool first_tag = true;
        for (std::size_t at = line.find('<'); at != std::string::npos && at + 1 < line.size();
             at = line.find('<', at + 1)) {
            if (line[at + 1] == '_') {
                tag_name_after(std::string_view(line).substr(at), "<_", name);
                opened.insert(LowerCase(name));
                // The first block of a line ends at its ">"; a further one is
                // taken to end right after its name.
                const std::size_t gt = first_tag ? line.find('>', at) : at + 2 + name.size();
                first_tag = false;
                line[at] = block_open;
                if (gt < line.size()) line[gt] = block_close;
                put_line(std::string_view(line).substr(piece, at - piece));
                piece = at;
            } else if (line[at + 1] == '/') {
                // A closing tag of a block opened earlier, its whole name
                // matching; other closing tags (HTML's) stay as typed.
                tag_name_after(std::string_view(line).substr(at), "</", name);
                if (!opened.contains(LowerCase(name))) continue;
                line[at] = block_open;
                const std::size_t e = at + 2 + name.size();
                if (e < line.size()) line[e] = block_close;
                const std::size_t end = std::min(e + 1, line.size());
                put_line(std::string_view(line).substr(piece, end - piece));
                piece = end;
                at = end - 1;
            }
        }
        const std::string_view rest = std::string_view(line).substr(piece);
        if (!(document_type == "htm" && Trim(rest).empty())) put_line(rest);
    }
}

// ---------------------------------------------------------------------------
// Key filters.

namespace {
void refuse(char& key) {
    key = 0;
    services().beep();
}
}  // namespace

void decimal_key_filter(TObject* sender, char& key) {
    if (key == '.' || key == ',') key = decimal_separator;
    const bool passes = key == '\b' || key == '\r' || key == '-' || (key >= '0' && key <= '9') || key == decimal_separator;
    if (!passes) {
        refuse(key);
        return;
    }
    if (key == decimal_separator) {
        std::string text;
        if (auto* e = as<TCustomEdit>(sender); e && !as<TMemo>(sender)) text = e->Text();
        else if (auto* c = as<TComboBox>(sender)) text = c->Text();
        if (text.find(decimal_separator) != std::string::npos) refuse(key);
    }
}

void integer_key_filter(TObject*, char& key) {
    if (!(key == '\b' || key == '\r' || key == '-' || (key >= '0' && key <= '9'))) refuse(key);
}
