// The list-valued sections of the settings file and the records they fill:
// the layer table, the drawing elements, the band rows of the table under
// each profile, the check rules, the crossing colours, the staff rows and
// the cost resource rows; and the dialog tables refilled from the records.
//
// Reading never stops at a bad value: an item that does not convert keeps
// the default its field has when the item is absent, and the read goes on.

#include <algorithm>
#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/paths.h"
#include "model/cost_state.h"
#include "model/messages.h"
#include "forms/opcje.h"
#include "files/opcje_tables.h"
#include "files/settings_groups.h"
#include "files/settings_io.h"
#include "model/settings_state.h"
#include "files/settings_tables.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/grids.h"
#include "platform/ini.h"
#include "platform/named_bytes.h"
#include "platform/stdctrls.h"
#include "platform/sysutils.h"
#include "platform/types.h"

namespace {

const std::string on_mark(1, check_on);
const std::string off_mark(1, check_off);

// A whole number of the settings file, clamped to lo..hi; `def` when the
// text does not convert.
long long whole_or(const std::string& text, long long def, long long lo, long long hi) {
    long long v = 0;
    if (!parse_setting_int(text, v)) return def;
    return std::clamp(v, lo, hi);
}

// The values of `section` under prefix + first, prefix + (first + 1), ...
// while the keys exist.
std::vector<std::string> numbered_values(const IniFile& ini, const std::string& section, const std::string& prefix,
                                         int first) {
    std::vector<std::string> values;
    for (int n = first;; ++n) {
        const std::string key = prefix + IntToStr(n);
        if (!ini.ValueExists(section, key)) break;
        values.push_back(ini.ReadString(section, key, ""));
    }
    return values;
}

// --- layers -------------------------------------------------------------------

const char* const layers_section = "warstwy";

std::string default_w0() {
    return join_items({"Linie", "1", "0", "1", off_mark}, list_separator);
}

// The line-type pictures of the dialog's chooser.
std::vector<std::string> line_type_items() {
    if (topcje && topcje->cb_LineType) return topcje->cb_LineType->Items().items();
    return {};
}

// The padding of a stored layer row: line type "0", weight "1", not locked.
void pad_layer_row(std::vector<std::string>& items) {
    if (items.size() < 3) items.emplace_back("0");
    if (items.size() < 4) items.emplace_back("1");
    if (items.size() < 5) items.push_back(off_mark);
}

// The cells 1 to 5 of a padded layer row. A line-type index that is not a
// number from 0 to 4 gives the continuous line (index 0), the default of a
// row without that item; the rest of the row is kept.
std::vector<std::string> layer_cells(const std::vector<std::string>& items, const std::string& name) {
    const std::vector<std::string> types = line_type_items();
    long long t = 0;
    if (!parse_setting_int(items[2], t) || t < 0 || t > 4) t = 0;
    const std::string type = static_cast<std::size_t>(t) < types.size() ? types[static_cast<std::size_t>(t)] : "";
    return {"", name, items[1], type, items[3], items[4] == on_mark ? on_mark : off_mark};
}

// --- drawing elements ---------------------------------------------------------

struct builtin_line {
    const char* key;
    const char* name;  // the dialog's caption of the element
    uint16_t color;
    bool draw;
    bool like_pipe;
};

const std::array<builtin_line, builtin_line_count>& builtin_lines() {
    static const std::array<builtin_line, builtin_line_count> table = {{
        {"ter", "Teren", 94, true, false},
        {"rura", "Rura", 7, true, true},
        {"dno_wyk", "Dno wykopu", 40, true, true},
        {"lin1", "Linia 1", 12, true, false},
        {"lin2", "Linia 2", 190, true, false},
        {"tabela", "Tabela", 8, true, false},
        {"metryka", "Metryka", 8, true, false},
        {"koment", "Komentarz", 8, true, false},
        {"terp", "Teren projektowany", 5, true, false},
        {"os_rury", "Oś rury"_cp, 9, false, true},
        {"oslon", "Rura osłonowa"_cp, 1, true, true},
        {"obi", "Obiekty", 7, true, false},
        {"obi_symb", "Obiekty - symbole", 7, true, false},
        {"obsyp", "Wierzch obsypki", 40, false, true},
        {"kreskowanie", "", 64, false, false},
    }};
    return table;
}

linia_def builtin_line_def(std::size_t i) {
    const builtin_line& b = builtin_lines()[i];
    linia_def d;
    d.key = b.key;
    d.name = b.name;
    d.layer = "0";
    d.media = "a";
    d.color = b.color;
    d.draw = b.draw;
    d.like_pipe = b.like_pipe;
    return d;
}

// A user element from its stored row (modes "opcje" and "plik"). Items that
// are absent keep the values of a new line; a row of six items (no
// like-the-pipe item) is drawn like the pipe.
linia_def parse_user_line(const std::vector<std::string>& items) {
    linia_def d = new_user_line();
    auto item = [&items](std::size_t i) -> const std::string* { return i < items.size() ? &items[i] : nullptr; };
    if (auto* s = item(0)) d.draw = *s == "1";
    if (auto* s = item(1)) d.key = *s;
    if (auto* s = item(2)) d.name = *s;
    if (auto* s = item(3)) d.color = static_cast<uint16_t>(whole_or(*s, d.color, 0, 0xFFFF));
    if (auto* s = item(4)) d.media = *s;
    if (auto* s = item(5)) d.layer = *s;
    d.like_pipe = item(6) ? *item(6) == "1" : true;
    return d;
}

std::string user_line_text(const linia_def& d) {
    return join_items({d.draw ? "1" : "0", d.key, d.name, IntToStr(d.color), d.media, d.layer, d.like_pipe ? "1" : "0"},
                      item_separator);
}

// --- band rows ----------------------------------------------------------------

constexpr std::size_t max_band_rows = 255;

struct builtin_band_row {
    const char* key;
    const char* language_key;  // its key in the language file's "TableContent"
    const char* text;          // its stored text when the language file lacks it
};

const std::array<builtin_band_row, 7>& builtin_band_rows() {
    static const std::array<builtin_band_row, 7> table = {{
        {"teren_opis", "tab_14", "0¤0¤0¤2¤Opis terenu¤¤¤Opis terenu¤teren_opis¤60"_cp},
        {"teren_proj", "tab_15", "0¤1¤1¤2¤Rzędna terenu proj.¤m n.p.m.¤¤Rzędna terenu proj. [m n.p.m.]¤teren_proj¤100"_cp},
        {"wierzch_obsypki", "tab_17", "0¤1¤1¤2¤Wierzch obsypki¤m n.p.m.¤¤Wierzch obsypki [m n.p.m.]¤wierzch_obsypki¤100"_cp},
        {"przeplyw_odc", "tab_18", "0¤1¤0¤2¤Przepływ z odc.¤m3/h¤¤Przepływ z odc. [@flow_unit]¤przeplyw_odc¤100"_cp},
        {"przeplyw", "tab_19", "0¤1¤0¤2¤Przepływ¤m3/h¤¤Przepływ [@flow_unit]¤przeplyw¤100"_cp},
        {"skala", "tab_20", "0¤1¤0¤0¤Skala X¤¤¤Skala X [1:]¤skala¤70¤1"_cp},
        {"dlug_spad", "tab_21", "0¤0¤1¤1¤Długość/Spadek¤%¤¤Długość/Spadek [%]¤dlug_spad¤100¤0"_cp},
    }};
    return table;
}

std::string band_section() { return lang_section("table_content_"); }

// Appends the rows "tab_0", "tab_1", ... of a section; false when none was added.
bool read_band_section(const IniFile& ini, const std::string& section) {
    const std::size_t before = settings().profile_table_rows.size();
    for (const std::string& row : numbered_values(ini, section, "tab_", 0)) dodaj_parametry_wiersza_tabeli(row);
    return settings().profile_table_rows.size() > before;
}

// --- rules and crossing colours -----------------------------------------------

// The file whose section is read: the file being read when it has the
// section, else the language file; nullptr when neither.
const IniFile* list_source(const IniFile& ini, const std::string& section, std::unique_ptr<IniFile>& holder) {
    if (ini.SectionExists(section)) return &ini;
    if (language_file.empty()) return nullptr;
    holder = std::make_unique<IniFile>(language_file);
    return holder.get();
}

// Sets a whole row of a table (cells past the texts are emptied).
void set_grid_row(TStringGrid& grid, int row, const std::vector<std::string>& texts) {
    for (int c = 0; c < grid.ColCount(); ++c)
        grid.SetCell(c, row, static_cast<std::size_t>(c) < texts.size() ? texts[static_cast<std::size_t>(c)] : "");
}

}  // namespace

// --- the configuration file ---------------------------------------------------

std::string user_settings_file() {
    if (!folders().config_folder.empty()) return path_join(folders().config_folder, "halvoren.ini");
    return "halvoren.ini";
}

// --- layers -------------------------------------------------------------------

void write_layers(IniFile& ini) {
    if (!topcje || !topcje->sag_Layers) return;
    ini.EraseSection(layers_section);
    const TStringGrid& g = *topcje->sag_Layers;
    const std::vector<std::string> types = line_type_items();
    for (int r = 1; r < g.RowCount(); ++r) {
        const auto t = std::find(types.begin(), types.end(), g.Cells(3, r));
        const long long type = t == types.end() ? 0 : t - types.begin();
        const std::string lock = g.Cells(5, r) == on_mark ? on_mark : off_mark;
        ini.WriteString(layers_section, "w" + IntToStr(r - 1),
                        join_items({g.Cells(1, r), g.Cells(2, r), IntToStr(type), g.Cells(4, r), lock},
                                   list_separator));
    }
}

void read_layers(const IniFile& ini) {
    if (!topcje || !topcje->sag_Layers) return;
    TStringGrid& g = *topcje->sag_Layers;
    g.SetRowCount(2);

    // Row 1 is always the base layer "0"; a "w0" too short even after padding
    // gives way to the default row.
    std::vector<std::string> w0 = split_items(ini.ReadString(layers_section, "w0", default_w0()), list_separator);
    pad_layer_row(w0);
    if (w0.size() < 5) {
        w0 = split_items(default_w0(), list_separator);
    }
    set_grid_row(g, 1, layer_cells(w0, "0"));

    for (int n = 1;; ++n) {
        const std::string key = "w" + IntToStr(n);
        if (!ini.ValueExists(layers_section, key)) break;
        std::vector<std::string> items = split_items(ini.ReadString(layers_section, key, ""), list_separator);
        pad_layer_row(items);
        if (items.size() != 5) continue;
        const int row = g.RowCount();
        g.SetRowCount(row + 1);
        set_grid_row(g, row, layer_cells(items, items[0]));
    }
    przenumeruj_grida(g, 0, 1);
    zaladuj_warstwy();
}

// --- drawing elements ---------------------------------------------------------

void reset_line_defs() {
    std::vector<linia_def>& defs = settings().line_defs;
    defs.clear();
    for (std::size_t i = 0; i < builtin_line_count; ++i) defs.push_back(builtin_line_def(i));
}

void write_line_defs(IniFile& ini) {
    const std::vector<linia_def>& defs = settings().line_defs;
    auto entry = [&defs](std::size_t i) { return i < defs.size() ? defs[i] : builtin_line_def(i); };
    std::string colors, draw, layers, like_pipe, media;
    for (std::size_t i = 0; i < builtin_line_count; ++i) {
        const linia_def d = entry(i);
        colors += IntToStr(d.color) + list_separator;
        draw += d.draw ? check_on : check_off;
        layers += d.layer + list_separator;
        like_pipe += d.like_pipe ? check_on : check_off;
        media += d.media + list_separator;
    }
    ini.EraseSection("linie");
    ini.WriteString("linie", "kolory", colors);
    ini.WriteString("linie", "rysuj", draw);
    ini.WriteString("linie", "warstwy", layers);
    ini.WriteString("linie", "jak_rura", like_pipe);
    ini.WriteString("linie", "media", media);

    ini.EraseSection("lines");
    for (std::size_t i = builtin_line_count; i < defs.size(); ++i)
        ini.WriteString("lines", "line_" + IntToStr(static_cast<int64_t>(i - builtin_line_count)), user_line_text(defs[i]));
}

void read_line_defs(const IniFile& ini, unsigned mode) {
    std::vector<linia_def>& defs = settings().line_defs;
    const std::vector<linia_def> previous_user(
        defs.begin() + static_cast<std::ptrdiff_t>(std::min(defs.size(), builtin_line_count)), defs.end());
    reset_line_defs();

    const std::vector<std::string> colors = split_items(ini.ReadString("linie", "kolory", ""), list_separator);
    const std::string draw = ini.ReadString("linie", "rysuj", "");
    const std::vector<std::string> layers = split_items(ini.ReadString("linie", "warstwy", ""), list_separator);
    const std::string like_pipe = ini.ReadString("linie", "jak_rura", "");
    const std::vector<std::string> media = split_items(ini.ReadString("linie", "media", ""), list_separator);
    for (std::size_t i = 0; i < builtin_line_count; ++i) {
        linia_def& d = defs[i];
        if (i < colors.size() && !colors[i].empty()) d.color = static_cast<uint16_t>(whole_or(colors[i], d.color, 0, 0xFFFF));
        if (i < draw.size()) d.draw = draw[i] == check_on;
        if (i < layers.size() && !layers[i].empty()) d.layer = layers[i];
        if (i < like_pipe.size()) d.like_pipe = like_pipe[i] == check_on;
        if (i < media.size() && !media[i].empty()) d.media = media[i];
    }

    if (ini.SectionExists("lines")) {
        // Mode "lang" takes the names alone: an element keeps the values it had
        // when an element of that name was loaded before (each matched once);
        // an element new to the program starts as a new line.
        std::vector<bool> used(previous_user.size(), false);
        for (const std::string& row : numbered_values(ini, "lines", "line_", 0)) {
            const std::vector<std::string> items = split_items(row, item_separator);
            if (items.empty()) continue;
            if (mode != mode_lang) {
                defs.push_back(parse_user_line(items));
                continue;
            }
            const std::string name = items.size() > 2 ? items[2] : "";
            linia_def d = new_user_line();
            for (std::size_t j = 0; j < previous_user.size(); ++j)
                if (!used[j] && previous_user[j].name == name) {
                    used[j] = true;
                    d = previous_user[j];
                    break;
                }
            d.name = name;
            defs.push_back(d);
        }
    }
    RefreshSag_Lines();
}

// --- band rows ----------------------------------------------------------------

void dodaj_parametry_wiersza_tabeli(const std::string& row) {
    std::vector<dane_pod_profil>& rows = settings().profile_table_rows;
    const std::vector<std::string> items = split_items(row, item_separator);
    if (items.empty() || rows.size() >= max_band_rows) return;
    auto item = [&items](std::size_t i) -> const std::string* { return i < items.size() ? &items[i] : nullptr; };
    dane_pod_profil r;
    r.shown = items[0] == "1";
    r.reserved = item(1) ? *item(1) == "1" : true;
    r.at_nodes = item(2) ? *item(2) == "1" : true;
    r.precision = static_cast<int8_t>(item(3) ? whole_or(*item(3), 2, -128, 127) : 2);
    r.name = item(4) ? *item(4) : "Nazwa";
    r.unit = item(5) ? *item(5) : "jedn.";
    r.formula = item(6) ? *item(6) : "";
    r.title = item(7) ? *item(7) : "Opis";
    r.key = item(8) ? *item(8) : "user";
    r.height = static_cast<uint8_t>(item(9) ? whole_or(*item(9), 100, 0, 255) : 100);
    r.join = item(10) ? *item(10) == "1" : false;
    rows.push_back(std::move(r));
}

std::string band_row_text(const dane_pod_profil& row) {
    return join_items({row.shown ? "1" : "0", row.reserved ? "1" : "0", row.at_nodes ? "1" : "0",
                       IntToStr(row.precision), row.name, row.unit, row.formula, row.title, row.key,
                       IntToStr(row.height), row.join ? "1" : "0"},
                      item_separator);
}

uint8_t TitleNr(const std::string& key, const std::string& title) {
    const std::vector<dane_pod_profil>& rows = settings().profile_table_rows;
    const std::size_t n = std::min(rows.size(), max_band_rows);
    for (std::size_t i = 0; i < n; ++i) {
        if (!key.empty() && rows[i].key == key) return static_cast<uint8_t>(i);
        if (!title.empty() && SameText(rows[i].title, title)) return static_cast<uint8_t>(i);
    }
    return 255;
}

void write_band_rows(IniFile& ini) {
    const std::string section = band_section();
    ini.EraseSection(section);
    const std::vector<dane_pod_profil>& rows = settings().profile_table_rows;
    for (std::size_t i = 0; i < rows.size(); ++i)
        ini.WriteString(section, "tab_" + IntToStr(static_cast<int64_t>(i)), band_row_text(rows[i]));
}

void read_band_rows(const IniFile& ini, unsigned mode) {
    std::vector<dane_pod_profil>& rows = settings().profile_table_rows;
    rows.clear();
    const std::string section = band_section();
    const bool own = read_band_section(ini, section);

    if (own && (mode == mode_plik || mode == mode_opcje)) {
        // The built-in rows the table lacks, from the language file.
        for (const builtin_band_row& b : builtin_band_rows()) {
            const bool present = std::any_of(rows.begin(), rows.end(),
                                             [&b](const dane_pod_profil& r) { return LowerCase(r.key) == b.key; });
            if (!present) dodaj_parametry_wiersza_tabeli(lang_text("TableContent", b.language_key, b.text));
        }
    }

    if (!own) {
        // The whole table from elsewhere: a project takes the rows of the
        // user's settings file; then the language file's table; else the
        // built-in rows known here, in the language file's words.
        bool found = false;
        if (mode == mode_plik) {
            const IniFile user(user_settings_file());
            if (user.SectionExists(section)) found = read_band_section(user, section);
        }
        if (!found && !language_file.empty()) found = read_band_section(IniFile(language_file), "TableContent");
        if (!found)
            for (const builtin_band_row& b : builtin_band_rows())
                dodaj_parametry_wiersza_tabeli(lang_text("TableContent", b.language_key, b.text));
    }
    RefreshSag_TableContent();
}

// --- check rules --------------------------------------------------------------

void write_check_rules(IniFile& ini) {
    const std::string section = lang_section("Rules_");
    ini.EraseSection(section);
    const std::vector<rule_def>& rules = settings().check_rules;
    for (std::size_t i = 0; i < rules.size(); ++i) {
        const rule_def& r = rules[i];
        ini.WriteString(section, IntToStr(static_cast<int64_t>(i + 1)),
                        join_items({r.enabled ? "1" : "0", ColorToString(r.color), r.description, r.formula, r.media},
                                   item_separator));
    }
}

void read_check_rules(const IniFile& ini) {
    std::vector<rule_def>& rules = settings().check_rules;
    rules.clear();
    const std::string section = lang_section("Rules_");
    std::unique_ptr<IniFile> holder;
    if (const IniFile* source = list_source(ini, section, holder)) {
        for (const std::string& row : numbered_values(*source, section, "", 1)) {
            const std::vector<std::string> items = split_items(row, item_separator);
            if (items.empty()) continue;
            rule_def r;
            r.media = "a";
            r.enabled = items[0] == "1";
            TColor c = 0;
            if (items.size() > 1 && TryStringToColor(items[1], c)) r.color = c;
            if (items.size() > 2) r.description = items[2];
            if (items.size() > 3) r.formula = items[3];
            if (items.size() > 4 && !items[4].empty()) r.media = items[4];
            rules.push_back(std::move(r));
        }
    }
    RefreshSag_Rules();
}

// --- crossing colours ---------------------------------------------------------

void write_crossing_colors(IniFile& ini) {
    const std::string section = lang_section("CrossingColors_");
    if (!topcje || !topcje->sag_CrossingsFonts) return;
    ini.EraseSection(section);
    const TStringGrid& g = *topcje->sag_CrossingsFonts;
    for (int r = 1; r < g.RowCount(); ++r) {
        if (g.Cells(0, r).empty()) continue;
        ini.WriteString(section, IntToStr(r),
                        join_items({g.Cells(0, r), g.Cells(1, r) == on_mark ? "1" : "0", g.Cells(2, r)}, item_separator));
    }
}

void read_crossing_colors(const IniFile& ini) {
    settings().crossing_media.clear();
    if (!topcje || !topcje->sag_CrossingsFonts) return;
    TStringGrid& g = *topcje->sag_CrossingsFonts;
    g.SetRowCount(2);
    const std::string section = lang_section("CrossingColors_");
    std::unique_ptr<IniFile> holder;
    const IniFile* source = list_source(ini, section, holder);
    if (!source) return;
    const std::vector<std::string> rows = numbered_values(*source, section, "", 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::vector<std::string> items = split_items(rows[i], item_separator);
        if (items.empty()) continue;
        const int k = static_cast<int>(i) + 1;
        while (g.RowCount() <= k) {
            const int added = g.RowCount();
            g.SetRowCount(added + 1);
            set_grid_row(g, added, {"", off_mark, "1"});
        }
        // Items that are absent: not only existing crossings, colour 1.
        g.SetCell(0, k, items[0]);
        g.SetCell(1, k, items.size() > 1 && items[1] == "1" ? on_mark : off_mark);
        g.SetCell(2, k, items.size() > 2 ? items[2] : "1");
        settings().crossing_media.push_back(AnsiLowerCase(items[0]));
    }
}

// --- staff rows ---------------------------------------------------------------

void write_staff_rows(IniFile& ini, const std::string& section, const TStringGrid& grid, int first_col) {
    const std::string sep(1, item_separator);
    for (int r = 1; r <= 10; ++r) {
        std::string value;
        for (int c = 0; c < 4; ++c) value += grid.Cells(first_col + c, r) + sep;
        ini.WriteString(section, "proj" + IntToStr(r), value);
    }
}

void read_staff_rows(const IniFile& ini, const std::string& section, TStringGrid& grid, int first_col) {
    if (grid.RowCount() < 11) grid.SetRowCount(11);
    if (grid.ColCount() < first_col + 4) grid.SetColCount(first_col + 4);
    const std::string def(4, item_separator);
    for (int r = 1; r <= 10; ++r) {
        const std::vector<std::string> items = split_items(ini.ReadString(section, "proj" + IntToStr(r), def));
        for (std::size_t c = 0; c < 4; ++c)
            grid.SetCell(first_col + static_cast<int>(c), r, c < items.size() ? items[c] : "");
    }
}

// --- cost resources -----------------------------------------------------------

void write_cost_resources(IniFile& ini) {
    auto row = [](const koszt_material& m) {
        return join_items({IntToStr(m.id), IntToStr(m.unit), m.name, IntToStr(m.price)}, item_separator);
    };
    const kosztorysy& c = cost_data();
    for (std::size_t i = 0; i < c.labour.size(); ++i)
        ini.WriteString("calc_r", IntToStr(static_cast<int64_t>(i)), row(c.labour[i]));
    auto used = [&ini, &row](const char* section, const std::vector<koszt_material>& list) {
        int n = 0;
        for (const koszt_material& m : list)
            if (m.quantity > 0) ini.WriteString(section, IntToStr(++n), row(m));
    };
    used("calc_m", c.materials);
    used("calc_s", c.equipment);
}
