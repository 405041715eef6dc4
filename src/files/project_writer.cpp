#include "files/project_writer.h"

#include <algorithm>

#include "files/project_data.h"
#include "files/project_format.h"
#include "files/project_reader.h"
#include "files/settings.h"
#include "files/settings_groups.h"
#include "files/title_block.h"
#include "files/utils.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/messages.h"
#include "model/state.h"
#include "model/tanks.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/ini.h"
#include "platform/named_bytes.h"
#include "platform/paths.h"
#include "platform/scope.h"
#include "platform/sysutils.h"

namespace {

bool g_saving = false;

// A ".err" copy younger than this survives a save.
constexpr int err_age_days = 4;

void end_line(std::string& out) { out += "\r\n"; }

template <class R>
void put_entries(std::string& out, const char* prefix, const std::vector<R>& entries,
                 const std::vector<line_item<R>>& items, bool terminated = false) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        out += prefix;
        put_int(out, static_cast<int64_t>(i));
        out += '=';
        put_line(out, items, entries[i], terminated);
        end_line(out);
    }
}

void put_profile(std::string& out, std::size_t n, const odcinek& p) {
    out += "[p";
    put_int(out, static_cast<int64_t>(n));
    out += ']';
    end_line(out);
    for (const header_key& k : header_keys()) {
        out += k.key;
        out += '=';
        k.put(out, p);
        end_line(out);
    }
    out += "wiersze=";
    put_int(out, p.nodes.empty() ? 0 : static_cast<int64_t>(p.nodes.size()) + 2);
    end_line(out);
    if (!p.nodes.empty())
        for (const node_column& c : node_columns()) {
            out += c.key;
            out += '=';
            for (const wezel& w : p.nodes) {
                c.put(out, w);
                out += item_separator;
            }
            end_line(out);
        }
    put_entries(out, "ko", p.crossings, crossing_items());
    put_entries(out, "ro", p.casings, casing_items());
    put_entries(out, "pr", p.sections, section_items(), true);
    put_entries(out, "te", p.terrain_descriptions, terrain_items());
    put_entries(out, "gr", p.boundaries, boundary_items());
    put_entries(out, "rz", p.ordinates, ordinate_items());
    put_entries(out, "m_os", p.tanks, tank_items());
}

// The settings of mode "plik" and the title block, as they would follow
// the body in the project file: written into a scratch file of their own.
std::string settings_and_title_block() {
    std::string text;
    with_scratch_file("halvoren-save", [&](const std::string& scratch) {
        zapisz_opcje(scratch, "plik");
        zapisz_tabele(scratch);
        text = read_file(scratch);
    });
    return text;
}

bool is_autosave(const std::string& path) { return path == autosave_path(); }

// The save dialog, proposing `file`; true when the user chose a path,
// which becomes the project's.
bool ask_path(const std::string& file) {
    TSaveDialog& d = *Form1->SD1;
    d.Filter = lang_text("dialogs", "d_ProjectSaveFilter", "projekt halvoren (.hlv)|*.hlv");
    d.Title = lang_text("dialogs", "d_ProjectSave", "Zapisz projekt");
    d.DefaultExt = "hlv";
    d.Options = ofOverwritePrompt | ofHideReadOnly | ofEnableSizing;
    d.InitialDir = ExtractFilePath(file).empty() || !DirectoryExists(ExtractFilePath(file))
                       ? project_dialog_folder()
                       : ExtractFilePath(file);
    d.FileName = file;
    if (!d.Execute()) return false;
    dopisz_path(d.FileName, "path", true);
    model().project_path = d.FileName;
    return true;
}

// Writes the file with its ".err" copy: made (or refreshed) before, kept
// after a failure, and afterwards kept only when it was there before and
// is young.
void write_with_backup(const std::string& path) {
    const std::string err = path + ".err";
    const bool err_existed = FileExists(err);
    if (FileExists(path)) backup_copy(path, "err", err_age_days);
    write_project_file(path);
    if (!(err_existed && FileExists(err) && Now() - FileDateTime(err) < err_age_days)) DeleteFile(err);
}

}  // namespace

void project_body(std::string& out) {
    const model_state& m = model();
    for (std::size_t n = 0; n < m.profiles.size(); ++n) put_profile(out, n, m.profiles[n]);
    out += "[sumps]";
    end_line(out);
    put_entries(out, "m_st", m.project.sumps, sump_items());
    for (std::size_t j = 0; j < m.project.pipe_series.size(); ++j) {
        out += "[pipe";
        put_int(out, static_cast<int64_t>(j + 1));
        out += ']';
        end_line(out);
        for (const series_key& k : series_keys()) {
            out += k.key;
            out += '=';
            k.put(out, m.project.pipe_series[j]);
            end_line(out);
        }
    }
}

void write_project_file(const std::string& path) {
    std::string body;
    project_body(body);
    body += settings_and_title_block();
    // The header declares what follows, so that the reader knows a file
    // cut short: the profile count, the sections after the profiles and the
    // line count. One pass over the lines finds the section names.
    std::string names;
    std::size_t lines = 0;
    for (std::size_t start = 0; start < body.size();) {
        const std::size_t end = body.find('\n', start);
        if (end != std::string::npos) ++lines;
        if (body[start] == '[') {
            std::string_view line(body.data() + start, (end == std::string::npos ? body.size() : end) - start);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            const ini_line l = ini_parse_line(line);
            const bool profile = l.name.size() > 1 && (l.name[0] == 'p' || l.name[0] == 'P') &&
                                 std::all_of(l.name.begin() + 1, l.name.end(), [](char c) { return c >= '0' && c <= '9'; });
            if (l.kind == ini_line::header && l.name.find(',') == std::string_view::npos && !profile) {
                if (!names.empty()) names += ',';
                names += l.name;
            }
        }
        start = end == std::string::npos ? body.size() : end + 1;
    }
    std::string text;
    text.reserve(body.size() + names.size() + 64);
    text += "[" + std::string(file_header_section) + "]\r\n";
    text += std::string(file_header_profiles) + "=";
    put_int(text, static_cast<int64_t>(model().profiles.size()));
    text += "\r\n" + std::string(file_header_sections) + "=" + names + "\r\n";
    text += std::string(file_header_lines) + "=";
    put_int(text, static_cast<int64_t>(lines) + 4);
    text += "\r\n";
    text += body;
    write_file(path, text);
}

std::string proposed_file_name() {
    std::string name = expand_project_data(topcje->e_FileNamePattern->Text());
    for (char& c : name)
        if (c == ' ') c = '_';
    return clean_file_name(polish_to_ascii(name));
}

std::string dopisz_path(std::string_view path, std::string_view key, bool write) {
    const std::string ini = user_settings_file();
    const std::string folder = ExtractFilePath(path);
    if (!write) return ini_string(ini, "program", key, folder);
    if (FileExists(path) && path.find("autosave") == std::string_view::npos)
        write_user_setting(ini, [&] {
            std::string unused;
            ini_string(ini, "program", key, folder, 'w', unused);
        });
    return folder;
}

std::string project_dialog_folder() {
    const std::string documents = folders().documents_folder;
    const std::string projects = documents + "projects/";
    const std::string remembered = dopisz_path(projects, "path", false);
    if (!remembered.empty() && DirectoryExists(remembered)) return IncludeTrailingPathDelimiter(remembered);
    if (ForceDirectories(projects)) return projects;
    return documents;
}

std::string autosave_path() { return folders().config_folder + "autosave.~hl"; }

void set_project_caption() {
    const std::string& title = Application()->Title;
    const std::string& path = model().project_path;
    Form1->SetCaption(path.empty() ? "___" + title + "___" : Format("___%s___ - %s", {title, ExtractFileName(path)}));
}

bool zapisz_projekt() {
    model_state& m = model();
    const flag_scope saving(g_saving);
    const std::string previous = m.project_path;
    try {
        for (std::size_t i = 0; i < m.profiles.size(); ++i) usun_nieuzywane_osadniki(static_cast<uint16_t>(i));
        const bool asked = m.project_path.empty();
        if (asked && !ask_path(proposed_file_name())) return false;
        // A project read from a legacy text is saved beside it as
        // "<text>.hlv"; the text stays as it is.
        if (ExtractFileExt(m.project_path) == ".txt") {
            const std::string target = m.project_path + ".hlv";
            if (!FileExists(target))
                m.project_path = target;
            else if (!ask_path(target)) {
                m.project_path = previous;
                return false;
            }
        }
        write_with_backup(m.project_path);
        // The folder of a file chosen in the dialog is the last one used,
        // also when the file is new.
        if (asked) dopisz_path(m.project_path, "path", true);
    } catch (...) {
        m.project_path = previous;
        throw;
    }
    if (!is_autosave(m.project_path)) {
        set_project_modified(false);
        set_project_caption();
    }
    return true;
}

bool zapisz_projekt_jako() {
    model_state& m = model();
    const std::string previous = m.project_path;
    m.project_path.clear();
    bool saved = false;
    try {
        saved = zapisz_projekt();
    } catch (...) {
        m.project_path = previous;
        set_project_caption();
        throw;
    }
    if (!saved) m.project_path = previous;
    set_project_caption();
    return saved;
}

bool autozapis() {
    if (g_saving) return false;
    model_state& m = model();
    const std::string previous = m.project_path;
    m.project_path = autosave_path();
    try {
        zapisz_projekt();
    } catch (...) {
        m.project_path = previous;
        throw;
    }
    m.project_path = previous;
    return true;
}

bool project_save_running() { return g_saving; }
