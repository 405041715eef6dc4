#include "files/project_reader.h"

#include <algorithm>
#include <limits>

#include "files/settings.h"
#include "files/title_block.h"
#include "files/utils.h"
#include "forms/opcje.h"
#include "model/messages.h"
#include "model/objects.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "model/utils.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/named_bytes.h"
#include "platform/sysutils.h"
#include "platform/line_breaks.h"

namespace {

constexpr std::size_t no_limit = std::numeric_limits<std::size_t>::max();
// Node ids are 16-bit.
constexpr std::size_t node_limit = 65535;

std::string lower(std::string_view s) { return LowerCase(ini_trim(s)); }

// "[p0] ko3 (5): " and the error's text.
[[noreturn]] void refuse(std::string_view section, std::string_view key, const std::exception& e, int item = 0) {
    std::string where = "[" + std::string(section) + "] " + std::string(key);
    if (item > 0) where += " (" + IntToStr(item) + ")";
    throw project_file_error(where + ": " + e.what());
}

}  // namespace

// --- the parsed text ---------------------------------------------------------------------

project_text::project_text(std::string content) : content_(std::move(content)) {
    const std::string_view text(content_);
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = find_line_break(text, start);
        if (end == std::string_view::npos) {
            lines_.push_back(text.substr(start));
            break;
        }
        lines_.push_back(text.substr(start, end - start));
        ++ended_lines_;
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    section_lines* current = nullptr;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const ini_line p = ini_parse_line(lines_[i]);
        if (p.kind == ini_line::header) {
            if (current) current->end = i;
            sections_.push_back({i, lines_.size(), {}});
            current = &sections_.back();
            by_name_.emplace(lower(p.name), sections_.size() - 1);
        } else if (p.kind == ini_line::key && current) {
            current->keys.emplace(lower(p.name), i);
        }
    }
}

const project_text::section_lines* project_text::find(std::string_view section) const {
    const auto it = by_name_.find(lower(section));
    return it == by_name_.end() ? nullptr : &sections_[it->second];
}

bool project_text::has_section(std::string_view section) const { return find(section) != nullptr; }

std::optional<std::string_view> project_text::value(std::string_view section, std::string_view key, bool whole) const {
    const section_lines* s = find(section);
    if (!s) return std::nullopt;
    const auto it = s->keys.find(lower(key));
    if (it == s->keys.end()) return std::nullopt;
    std::string_view v = ini_unquote(ini_parse_line(lines_[it->second]).value);
    if (!whole && v.size() > ini_value_cap) v = v.substr(0, ini_value_cap);
    return v;
}

std::size_t project_text::key_count(std::string_view section) const {
    const section_lines* s = find(section);
    return s ? s->keys.size() : 0;
}

std::string_view project_text::column(std::string_view section, std::string_view key) const {
    const section_lines* s = find(section);
    if (!s) return {};
    for (std::size_t i = s->first + 1; i < s->end; ++i) {
        const std::string_view line = lines_[i];
        if (line.size() > key.size() && line[key.size()] == '=' && line.substr(0, key.size()) == key)
            return line.substr(key.size() + 1);
    }
    return {};
}

std::string project_text::settings_text() const {
    auto body = [](const std::string& name) {
        auto numbered = [&name](std::string_view prefix) {
            return name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
                   std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                               [](char c) { return c >= '0' && c <= '9'; });
        };
        return name == "sumps" || name == file_header_section || numbered("p") || numbered("pipe");
    };
    std::string out;
    for (const section_lines& s : sections_) {
        if (body(lower(ini_parse_line(lines_[s.first]).name))) continue;
        for (std::size_t i = s.first; i < s.end; ++i) {
            out += lines_[i];
            out += "\r\n";
        }
    }
    return out;
}

project_kind project_kind_of(std::string_view path, int filter_index) {
    const std::string ext = LowerCase(ExtractFileExt(path));
    if (ext == ".hlv" || ext == ".~hl") return project_kind::project;
    if (ext == ".txt" || filter_index == 2) return project_kind::legacy;
    return project_kind::other;
}

// --- node columns --------------------------------------------------------------------------

namespace {

// Where a node column's cell stands, for a reason.
struct cell_place {
    std::string_view section;
    std::string_view key;
};

// The comment cell: an older comment that carries the object's values
// after "@" gives them to "var" (or, for a gutter, "var2").
void read_comment(wezel& w, std::string_view cell) {
    std::string text(cell);
    if (!w.var.empty() || text.empty() || text.find('@') == std::string::npos || !jest_obiekt2(w.obiekt, "all")) {
        w.kom = std::move(text);
        return;
    }
    // A comment whose "@" begins a template variable carries no values.
    const std::string cleaned = czysc_komentarz(text);
    if (cleaned == text) {
        w.kom = std::move(text);
        return;
    }
    std::vector<std::string> lines;
    for (std::string_view line : line_items(cleaned, no_limit, '|')) lines.emplace_back(line);
    if (lines.empty()) lines.emplace_back();
    const std::string object = LowerCase(w.obiekt);
    if (object == "rów"_cp) {
        if (w.ter.s1 != w.ter.s2) {
            lines.insert(lines.begin() + 1, Format("%.6f", {w.ter.s2}));
            w.ter.s2 = w.ter.s1;
        } else {
            lines.insert(lines.begin() + 1, std::string());
        }
        lines.emplace_back();
    }
    if (object != "rynna") {
        for (std::size_t i = 1; i < lines.size(); ++i) w.var += lines[i] + "|";
    } else {
        if (lines.size() > 1) {
            double v = 0;
            w.var2 = TryStrToFloat(lines[1], v) ? FloatToStr(v * 1000) : lines[1];
        }
        if (lines.size() == 3) w.var = "|" + lines[2];
    }
    std::string first = lines.front();
    const std::size_t at = first.find('@');
    if (at != std::string::npos) first.erase(at, 1);
    w.kom = std::move(first);
}

// The "id" column: the cells give the ids of the nodes in order; without
// it the nodes are numbered from 1.
void read_ids(odcinek& p, std::string_view column, const cell_place& where) {
    if (column.empty()) {
        for (std::size_t i = 0; i < p.nodes.size(); ++i) p.nodes[i].id = static_cast<uint16_t>(i + 1);
        return;
    }
    const std::vector<std::string_view> cells = line_items(column, p.nodes.size());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (cells[i].empty()) continue;
        try {
            p.nodes[i].id = static_cast<uint16_t>(rounded_value(cells[i], 0, 65535));
        } catch (const project_value_error& e) {
            refuse(where.section, where.key, e, static_cast<int>(i + 1));
        }
    }
}

void read_column(std::string_view key, odcinek& p, std::string_view column, cell_faults& faults,
                 const cell_place& where) {
    if (key == "id") {
        read_ids(p, column, where);
        return;
    }
    if (column.empty()) {
        if (key == "tidx")
            for (wezel& w : p.nodes) w.tidx = -1;
        if (key == "typosz_temp")
            for (wezel& w : p.nodes) w.series_index = w.size_index = -1;
        return;
    }
    if (key == "typosz_temp") return;
    const node_column* c = node_column_named(key);
    if (!c) return;
    const std::vector<std::string_view> cells = line_items(column, p.nodes.size());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        wezel& w = p.nodes[i];
        if (key == "kom") {
            read_comment(w, cells[i]);
            continue;
        }
        if (cells[i].empty() && !c->text) continue;
        try {
            c->get(w, cells[i], faults);
        } catch (const project_value_error& e) {
            refuse(where.section, where.key, e, static_cast<int>(i + 1));
        }
    }
}

// The order in which the node columns are read ("ter" before "kom", which
// reads it; "obiekt" and "var" before "kom" too).
constexpr const char* read_order[] = {"ter", "dno", "zag",  "dlug", "rad",  "flow",  "sflow", "scale", "spad",
                                      "mat", "fi",  "odl",  "obiekt", "var", "var2", "kom",   "wez",   "lin",
                                      "lin2", "kat", "wsplx", "wsply", "szer", "terp", "tidx", "typosz_temp", "id"};

// Reads the entries key prefix + 0, 1, ... of a profile section.
template <class R>
void read_entries(const project_text& text, std::string_view section, std::string_view prefix,
                  const std::vector<line_item<R>>& items, std::vector<R>& out) {
    for (std::size_t i = 0;; ++i) {
        const std::string key = std::string(prefix) + IntToStr(static_cast<int64_t>(i));
        const std::optional<std::string_view> line = text.value(section, key, true);
        if (!line) return;
        R r{};
        if (line->find(item_separator) != std::string_view::npos) {
            const std::vector<std::string_view> parts = line_items(*line, items.size());
            for (std::size_t j = 0; j < items.size(); ++j) {
                try {
                    if (j < parts.size())
                        items[j].get(r, parts[j]);
                    else if (items[j].missing)
                        items[j].get(r, items[j].missing);
                } catch (const project_value_error& e) {
                    refuse(section, key, e, static_cast<int>(j + 1));
                }
            }
        }
        out.push_back(std::move(r));
    }
}

}  // namespace

void odczytaj_kolumne(std::string_view key, odcinek& p, std::string_view column, cell_faults& faults) {
    read_column(key, p, column, faults, {"", key});
}

std::string_view odczytaj_kolumne_dlugi_tekst(const project_text& text, std::string_view key, int n) {
    return text.column("p" + IntToStr(n), key);
}

std::string czysc_komentarz(const std::string& comment) {
    const std::size_t at = comment.find('@');
    if (at == std::string::npos || (at + 1 < comment.size() && comment[at + 1] == '_')) return comment;
    std::size_t end = at + 1;
    while (end < comment.size() && comment[end] >= ',' && comment[end] <= '9') ++end;
    std::string values = comment.substr(at + 1, end - at - 1);
    if (values.find('/') == std::string::npos) values += "/ ";
    const std::size_t slash = values.find('/');
    const std::string first = fix_decimal_separator(Trim(values.substr(0, slash)));
    const std::string second = fix_decimal_separator(Trim(values.substr(slash + 1)));
    return comment.substr(0, at + 1) + first + comment.substr(end) + "|" + first + "|" + second + "|";
}

// --- profile sections ----------------------------------------------------------------------

void odczytaj_tabele(odcinek& p, int n, const project_text& text, bool keep_id, cell_faults& faults) {
    const std::string section = "p" + IntToStr(n);
    for (const header_key& k : header_keys()) {
        const std::string_view key = k.key;
        if (key == "idp" && keep_id) continue;
        std::string fallback = k.def ? k.def : "";
        std::string where = section;
        if (key == "idp") fallback = IntToStr(n + 1);
        if (key == "nazwa") fallback = "profil" + IntToStr(n + 1);
        const std::optional<std::string_view> stored = text.value(section, key);
        if (key == "main_typosz_id" && !stored) {
            const std::optional<std::string_view> common = text.value("inne", "main_typosz_id");
            fallback = common ? std::string(*common) : std::string("-1");
            if (common) where = "inne";
        }
        try {
            k.get(p, stored ? *stored : std::string_view(fallback));
        } catch (const project_value_error& e) {
            refuse(where, key, e);
        }
    }
    p.crossing_source = 1;
    p.terrain_edited = false;

    // The nodes: "wiersze" is their count + 2, or 0 (or, from older files,
    // 1 or 2) for none; below 0 it is damage, like a count above the limit.
    const std::optional<std::string_view> rows = text.value(section, "wiersze");
    int64_t count = 0;
    try {
        const std::string_view declared = rows ? *rows : "3";
        const int64_t value = whole_value(declared, INT64_MIN, INT64_MAX);
        if (value < 0 || value - 2 > static_cast<int64_t>(node_limit))
            throw project_value_error(out_of_range_text(declared, 0, node_limit + 2));
        count = std::max<int64_t>(0, value - 2);
    } catch (const project_value_error& e) {
        refuse(section, "wiersze", e);
    }
    p.nodes.resize(static_cast<std::size_t>(count));
    if (!p.nodes.empty())
        for (const char* key : read_order)
            read_column(key, p, text.column(section, key), faults, {section, key});

    // The attachment lines.
    p.crossings.clear();
    p.casings.clear();
    p.sections.clear();
    p.terrain_descriptions.clear();
    p.ordinates.clear();
    p.boundaries.clear();
    p.tanks.clear();
    read_entries(text, section, "ko", crossing_items(), p.crossings);
    read_entries(text, section, "ro", casing_items(), p.casings);
    read_entries(text, section, "pr", section_items(), p.sections);
    read_entries(text, section, "te", terrain_items(), p.terrain_descriptions);
    read_entries(text, section, "rz", ordinate_items(), p.ordinates);
    read_entries(text, section, "gr", boundary_items(), p.boundaries);
    read_entries(text, section, "m_os", tank_items(), p.tanks);
}

void odczytaj_tabele(uint16_t target, int section, const std::string& file, bool keep_id) {
    const project_text text(read_file(file));
    odcinek& p = model().profiles.at(target);
    odcinek copy = p;
    cell_faults faults;
    odczytaj_tabele(copy, section, text, keep_id, faults);
    p = std::move(copy);
}

void linia2sump(std::string_view line, mat_studzienka& sump) {
    if (line.find(item_separator) == std::string_view::npos) return;
    const std::vector<line_item<mat_studzienka>>& items = sump_items();
    const std::vector<std::string_view> parts = line_items(line, items.size());
    for (std::size_t j = 0; j < parts.size(); ++j) {
        try {
            items[j].get(sump, parts[j]);
        } catch (const project_value_error& e) {
            throw project_value_error("(" + IntToStr(static_cast<int64_t>(j + 1)) + "): " + e.what());
        }
    }
    // Older lines end before the bottom's thickness: the walls' then.
    if (parts.size() < 29) sump.bottom_thickness = sump.thickness;
}

// --- the whole file ----------------------------------------------------------------------------

namespace {

// What the header of a file declares; nullopt for a file without one.
struct file_header {
    std::size_t profiles = 0;
    std::vector<std::string> sections;
    std::optional<std::size_t> lines;
};

std::optional<file_header> header_of(const project_text& text) {
    if (!text.has_section(file_header_section)) return std::nullopt;
    file_header h;
    try {
        h.profiles = static_cast<std::size_t>(
            whole_value(text.value(file_header_section, file_header_profiles).value_or("0"), 0, node_limit));
    } catch (const project_value_error& e) {
        refuse(file_header_section, file_header_profiles, e);
    }
    if (const auto lines = text.value(file_header_section, file_header_lines)) {
        try {
            h.lines = static_cast<std::size_t>(whole_value(*lines, 0, INT64_MAX));
        } catch (const project_value_error& e) {
            refuse(file_header_section, file_header_lines, e);
        }
    }
    if (const auto names = text.value(file_header_section, file_header_sections, true))
        for (const std::string_view name : line_items(*names, no_limit, ','))
            if (!ini_trim(name).empty()) h.sections.emplace_back(ini_trim(name));
    return h;
}

// A profile whose node columns hold fewer cells than its declared nodes
// (a file cut inside the profile). With `every_column` (a file written
// with its header, which writes every column) a missing column counts too.
void check_node_columns(const project_text& text, const std::string& section, const odcinek& p, bool every_column,
                        std::vector<std::string>& missing) {
    if (p.nodes.empty()) return;
    std::size_t whole = p.nodes.size();
    for (const char* key : read_order) {
        if (std::string_view(key) == "typosz_temp") continue;  // never written
        const std::string_view column = text.column(section, key);
        if (column.empty() && !every_column) continue;
        whole = std::min<std::size_t>(whole, static_cast<std::size_t>(
                                                 std::count(column.begin(), column.end(), item_separator)));
    }
    if (whole < p.nodes.size())
        missing.push_back(format_language_text(
            msg("msg_FileIncompleteProfile", "dane węzłów profilu %s [%s] (pełne %d z %d)"_cp),
            {p.nazwa, section, static_cast<int64_t>(whole), static_cast<int64_t>(p.nodes.size())}));
}

// The items joined by ", ", at most ten named and the count of the rest.
std::string short_list(const std::vector<std::string>& items) {
    constexpr std::size_t named = 10;
    std::string list;
    for (std::size_t i = 0; i < items.size() && i < named; ++i) list += (i ? ", " : "") + items[i];
    if (items.size() > named) list += " (+" + IntToStr(static_cast<int64_t>(items.size() - named)) + ")";
    return list;
}

}  // namespace

void read_project(const project_text& text, project_kind kind, project_content& out) {
    if (const auto version = text.value("format", "wersja")) {
        int v = 0;
        out.version = TryStrToInt(digits_only(*version), v) ? v : 0;
    }
    if (kind == project_kind::legacy) {
        read_legacy(text, out);
        return;
    }
    if (!text.has_section("p0"))
        throw project_file_error(msg("msg_FileWithoutProfiles", "brak sekcji [p0]: to nie jest plik projektu"));
    if (kind == project_kind::other) return;

    // The profiles: up to the first gap, or, when the header declares how
    // many there are, every one of them, the missing ones named.
    const std::optional<file_header> header = header_of(text);
    const std::size_t declared = header ? header->profiles : 0;
    std::vector<std::string> absent_profiles;
    for (int n = 0;; ++n) {
        const std::string section = "p" + IntToStr(n);
        if (!text.has_section(section)) {
            if (static_cast<std::size_t>(n) >= declared) break;
            absent_profiles.push_back(IntToStr(n + 1) + " [" + section + "]");
            continue;
        }
        odcinek p;
        odczytaj_tabele(p, n, text, false, out.faults);
        check_node_columns(text, section, p, header.has_value(), out.missing);
        out.profiles.push_back(std::move(p));
    }
    if (!absent_profiles.empty())
        out.missing.push_back(format_language_text(msg("msg_FileMissingProfiles", "profile nr %s"),
                                                   {short_list(absent_profiles)}));
    if (header) {
        std::vector<std::string> absent;
        for (const std::string& name : header->sections)
            if (!text.has_section(name)) absent.push_back("[" + name + "]");
        if (!absent.empty())
            out.missing.push_back(format_language_text(msg("msg_FileMissingSections", "sekcje %s"), {short_list(absent)}));
        if (header->lines && text.ended_lines() < *header->lines)
            out.missing.push_back(format_language_text(msg("msg_FileMissingLines", "końcowe wiersze (jest %d z %d)"_cp),
                                                       {static_cast<int64_t>(text.ended_lines()),
                                                        static_cast<int64_t>(*header->lines)}));
    }

    out.sumps.assign(text.key_count("sumps"), mat_studzienka{});
    for (std::size_t i = 0; i < out.sumps.size(); ++i) {
        const std::string key = "m_st" + IntToStr(static_cast<int64_t>(i));
        const std::optional<std::string_view> line = text.value("sumps", key, true);
        if (!line) break;
        try {
            linia2sump(*line, out.sumps[i]);
        } catch (const project_value_error& e) {
            throw project_file_error("[sumps] " + key + " " + e.what());
        }
    }

    for (int j = 1;; ++j) {
        const std::string section = "pipe" + IntToStr(j);
        if (!text.has_section(section)) break;
        mat_rura_typosz s;
        for (const series_key& k : series_keys()) {
            try {
                k.get(s, text.value(section, k.key, true).value_or(""));
            } catch (const project_value_error& e) {
                refuse(section, k.key, e);
            }
        }
        out.pipe_series.push_back(std::move(s));
    }

    out.main_profile = -1;
    if (const auto main = text.value("inne", "main_profile")) {
        int v = -1;
        if (TryStrToInt(*main, v) && v >= 0 && v < static_cast<int>(out.profiles.size()))
            out.main_profile = static_cast<int16_t>(v);
    }
}

// --- older files ---------------------------------------------------------------------------------

void zgodnosc_wstecz(std::vector<odcinek>& profiles, int version) {
    const Ttopcje& o = *topcje;
    const double trench = StrToFloatDef(fix_decimal_separator(o.e_szer->Text()), 0.5);
    const bool clear[4] = {o.cb_InterpolationGroundExists->Checked(), o.cb_InterpolationGroundProj->Checked(),
                           o.cb_InterpolationLine1->Checked(), o.cb_InterpolationLine2->Checked()};
    for (odcinek& p : profiles)
        for (wezel& w : p.nodes) {
            if (version < 213) {
                if (w.obiekt.find("hydrant") != std::string::npos && w.kom.find('@') != std::string::npos)
                    w.kom = string_replace_all("@", "@/1", w.kom);
                if (w.szer.s1 == 0 && w.szer.s2 == 0) w.szer = value_pair(trench);
            }
            const std::size_t star = w.wez.find('*');
            if (star == std::string::npos) continue;
            value_pair* entered[4] = {&w.ter, &w.terp, &w.lin, &w.lin2};
            for (int k = 0; k < 4; ++k)
                if (clear[k]) *entered[k] = value_pair();
            w.wez.erase(star, 1);
        }
}

void zgodnosc_wstecz() { zgodnosc_wstecz(model().profiles, settings().project_file_version); }

void read_legacy(const project_text& text, project_content& out) {
    const std::vector<std::string_view>& lines = text.lines();
    std::size_t counted = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].find("$$$") != std::string_view::npos) {
            counted = i + 1;
            break;
        }
    int64_t columns = 10;
    if (const auto stored = text.value("format", "kolumny")) {
        try {
            columns = whole_value(*stored, 1, INT32_MAX);
        } catch (const project_value_error& e) {
            refuse("format", "kolumny", e);
        }
    }
    int64_t rows = 0, nodes = 0;
    if (const auto stored = text.value("format", "wiersze")) {
        try {
            rows = nodes = whole_value(*stored, 0, node_limit);
        } catch (const project_value_error& e) {
            refuse("format", "wiersze", e);
        }
    } else {
        nodes = Round(static_cast<double>(counted) / static_cast<double>(columns));
        if (nodes > static_cast<int64_t>(node_limit))
            throw project_file_error("[format] kolumny: " + out_of_range_text(IntToStr(columns), 1, INT32_MAX));
        rows = nodes + 2;
    }
    nodes = std::max<int64_t>(nodes, 0);
    out.legacy_rows = static_cast<int>(std::max<int64_t>(rows, 0));
    out.profiles.assign(1, odcinek{});
    odcinek& p = out.profiles.front();
    p.nodes.assign(static_cast<std::size_t>(nodes), wezel{});

    const int64_t groups = std::min(rows - 1, nodes);
    std::size_t next = 0;
    bool ended = false;
    for (int64_t g = 0; g < groups && !ended; ++g) {
        wezel& w = p.nodes[static_cast<std::size_t>(g)];
        for (int64_t c = 0; c < columns; ++c) {
            if (next >= lines.size() || lines[next].find("$$$") != std::string_view::npos) {
                ended = true;
                break;
            }
            const std::size_t line_number = next + 1;
            std::string_view line = lines[next++];
            if (c >= 12) continue;
            const std::string rewritten = line == "studzienka" ? std::string("rewizyjna") : std::string(line);
            line = rewritten;
            try {
                switch (c) {
                    case 0: if (!line.empty()) node_column_named("ter")->get(w, line, out.faults); break;
                    case 1: if (!line.empty()) node_column_named("dno")->get(w, line, out.faults); break;
                    case 2: if (!line.empty()) node_column_named("zag")->get(w, line, out.faults); break;
                    case 3: if (!line.empty()) w.dlug = real_value(line); break;
                    case 4: if (!line.empty()) w.spad = real_value(line); break;
                    case 5: w.mat = rewritten; break;
                    case 6: if (!line.empty()) node_column_named("fi")->get(w, line, out.faults); break;
                    case 7: if (!line.empty()) w.odl = real_value(line); break;
                    case 8: w.obiekt = rewritten; break;
                    case 9: w.kom = rewritten; break;
                    case 10: w.wez = rewritten; break;
                    case 11: if (!line.empty()) node_column_named("lin")->get(w, line, out.faults); break;
                }
            } catch (const project_value_error& e) {
                throw project_file_error(format_language_text(msg("msg_FileLine", "wiersz %d"),
                                                              {static_cast<int64_t>(line_number)}) +
                                         ": " + e.what());
            }
        }
    }
    for (std::size_t i = 0; i < p.nodes.size(); ++i) p.nodes[i].id = static_cast<uint16_t>(i + 1);
}

void read_file_settings(const project_text& text) {
    with_scratch_file("halvoren-open", [&](const std::string& scratch) {
        write_file(scratch, text.settings_text());
        czytaj_opcje(scratch, "plik");
        otworz_tabele(scratch);
    });
}
