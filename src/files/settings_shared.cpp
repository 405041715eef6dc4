// The settings that options files and project files share (drawing layout,
// excavation, calculation switches, text settings, sheet titles), the
// project block of a project file (version, descriptions, settings-file
// name, treatment-plant layout) and the project data of "dane_proj".
#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "forms/rys1.h"
#include "platform/paths.h"
#include "forms/dane.h"
#include "model/messages.h"
#include "forms/opcje.h"
#include "files/project_data.h"
#include "files/settings_groups.h"
#include "files/settings_io.h"
#include "model/settings_state.h"
#include "files/utils.h"
#include "model/records.h"
#include "model/state.h"
#include "platform/comctrls.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/grids.h"
#include "platform/ini.h"
#include "platform/menus.h"
#include "platform/named_bytes.h"
#include "platform/services.h"
#include "platform/stdctrls.h"
#include "platform/sysutils.h"
#include "platform/types.h"
#include "widgets/aligrid.h"

#ifndef HALVOREN_VERSION
#define HALVOREN_VERSION "4.11_testowa"
#endif

namespace {

// --- small builders ---------------------------------------------------------------

// A text kept in a table cell.
setting_key cell_key(std::string section, std::string key, std::function<std::string()> def, TStringGrid* grid,
                     int col, int row) {
    return text_key(
        std::move(section), std::move(key), std::move(def), [grid, col, row] { return grid->Cells(col, row); },
        [grid, col, row](const std::string& s) { grid->SetCell(col, row, s); });
}

std::function<std::string()> fixed(std::string text) {
    return [text = std::move(text)] { return text; };
}

// A real among the process-wide settings values.
setting_key value_real(std::string section, std::string key, std::string def, double settings_state::*field,
                       bool as_stored = false) {
    return real_key(
        std::move(section), std::move(key), std::move(def), [field] { return settings().*field; },
        [field](double v) { settings().*field = v; }, real_form::general, as_stored);
}

// A key that this group reads but never writes.
setting_key read_only(setting_key k) {
    k.write = nullptr;
    return k;
}

// A side-panel mode of the current profile: a read of the settings dialog's
// buttons leaves it as it is.
setting_key keeping_panel_mode(setting_key k) {
    k.read = [read = k.read](const std::string& v) { return settings().keeping_panel_modes || read(v); };
    return k;
}

// A key that this group writes but never reads.
setting_key write_only(setting_key k) {
    k.read = nullptr;
    return k;
}

void append(std::vector<setting_key>& to, std::vector<setting_key> keys) {
    for (setting_key& k : keys) to.push_back(std::move(k));
}

// --- shared keys ------------------------------------------------------------------

// "uklad": the ventilation of the treatment plant.
std::vector<setting_key> ventilation_keys() {
    return {
        bool_key("uklad", "u_went_sciana_wewn", true, Form1->rb_VentWallInside),
        bool_key("uklad", "u_went_sciana_zewn", false, Form1->rb_VentWallOutside),
        bool_key("uklad", "u_went_maszt", false, Form1->cb_VentMast),
    };
}

// "inne" "metryka": drawings without the title block.
setting_key without_infotable_key() {
    return bool_key(
        "inne", "metryka", false, [] { return Form1->tb_bezmetryki->Down(); },
        [](bool v) {
            Form1->a_it_WithoutInfoTable->SetChecked(v);
            Form1->tb_bezmetryki->SetDown(v);
        });
}

// "inne" from "przepad_od" to "kolor_linii_rury_jak_typoszeregu", in the
// order written.
std::vector<setting_key> excavation_keys() {
    Ttopcje& d = *topcje;
    return {
        int_key(
            "inne", "przepad_od", 500, [] { return static_cast<long long>(settings().drop_from); },
            [](long long v) { settings().drop_from = static_cast<uint16_t>(v); }, 0, 65535),
        value_real("inne", "podsypka", "0.00", &settings_state::bedding_height),
        value_real("inne", "obsypka", "0.00", &settings_state::sidefill_height),
        value_real("inne", "nachylenie_skarpy", "1", &settings_state::embankment_slope),
        bool_key(
            "inne", "jest_nachylenie_skarpy", true, [] { return settings().embankment_slope_on; },
            [](bool v) { settings().embankment_slope_on = v; }),
        value_real("inne", "dodatek_do_szer_skarpy", "0.00", &settings_state::embankment_width_addition),
        value_real("inne", "wys_drenaz_piasek", "0.40", &settings_state::sand_layer_height),
        value_real("inne", "wys_drenaz_zwir", "0.30", &settings_state::gravel_layer_height),
        value_real("inne", "rozstaw_drenow", "1.50", &settings_state::distance_between_pipes),
        bool_key("inne", "zaznacz_warstwy_na_profilu", true, Form1->cb_MarkDrainageLayersOnDrawing),
        text_key("inne", "przekroj_opis_rury", "@m@d @r", d.e_PipeDescription),
        value_real("inne", "przekroj_grubosc_scianki", "0.05", &settings_state::sump_wall_thickness),
        value_real("inne", "przekroj_szerokosc_rozkopu", "0.20", &settings_state::sump_hollow),
        bool_key("inne", "ekstrapolacja_teren_istn", true, d.cb_ExtrapolationGroundExists),
        bool_key("inne", "ekstrapolacja_teren_proj", true, d.cb_ExtrapolationGroundProj),
        bool_key("inne", "interpolacja_teren_istn", true, d.cb_InterpolationGroundExists),
        bool_key("inne", "interpolacja_teren_proj", true, d.cb_InterpolationGroundProj),
        bool_key("inne", "interpolacja_teren_lin1", true, d.cb_InterpolationLine1),
        bool_key("inne", "interpolacja_teren_lin2", true, d.cb_InterpolationLine2),
        bool_key("inne", "interpolacja_teren_rura", true, d.cb_InterpolationPipeBottom),
        index_key("inne", "kolor_linii_rury_jak_typoszeregu", 0, d.rg_PipeLineColor),
    };
}

// "format" up to the scales, in the order written.
std::vector<setting_key> format_keys() {
    Ttopcje& d = *topcje;
    TStringGrid* g = d.sag_DrawingProperties;
    TCheckBox* drop_up = d.cb_DropUp;
    setting_key slope_direction = bool_key("format", "spad_inter", false, drop_up);
    // A missing "spad_inter" keeps the slope direction as it is.
    slope_direction.fallback = [drop_up] { return std::string(drop_up->Checked() ? "1" : "0"); };
    return {
        text_key(
            "format", "calc_column_formula", fixed(""), [] { return settings().calc_column_formula; },
            [](const std::string& v) { settings().calc_column_formula = v; }),
        index_key("format", "jednostka", 0, d.cb_jedn),
        index_key("format", "jedn_odl", 4, d.cb_Distance),
        int_key(
            "format", "zaokrag", 2, [] { return static_cast<long long>(model().display_decimals); },
            [](long long v) {
                model().display_decimals = static_cast<uint8_t>(v);
                topcje->cb_dokl->SetItemIndex(static_cast<int>(v));
            },
            0, 5),
        std::move(slope_direction),
        cell_key("format", "skalax", fixed("200"), g, 1, 1),
        cell_key("format", "skalay", fixed("100"), g, 1, 2),
        cell_key("format", "skalax_przekroj", fixed("10"), g, 2, 1),
        cell_key("format", "skalay_przekroj", fixed("10"), g, 2, 2),
        cell_key("format", "skalax_schemat", fixed("100"), g, 3, 1),
        cell_key("format", "skalay_schemat", fixed("100"), g, 3, 2),
    };
}

// The sheet origins of the project, written in "format" after the scales,
// read as stored (mode "plik" only).
std::vector<setting_key> origin_keys() {
    static const char* const names[] = {"offx_profil", "offy_profil", "offx_przekroj", "offy_przekroj"};
    std::vector<setting_key> keys;
    for (std::size_t i = 0; i < 4; ++i)
        keys.push_back(real_key(
            "format", names[i], "0", [i] { return model().project.sheet_origins[i]; },
            [i](double v) { model().project.sheet_origins[i] = v; }, real_form::general, true));
    return keys;
}

// "format" after the sheet origins.
std::vector<setting_key> fit_keys() {
    return {
        bool_key("format", "dopasuj_skale", false, topcje->cb_Fit2Page),
        text_key("format", "krot_x", "50", topcje->e_skala_krot),
    };
}

// "inne" after "format", in the order written.
std::vector<setting_key> sheet_keys() {
    return {
        int_key(
            "inne", "odstep", 15, [] { return static_cast<long long>(settings().profile_gap); },
            [](long long v) { settings().profile_gap = static_cast<uint8_t>(v); }, 0, 255),
        int_key(
            "inne", "TableTitleColumnWidth", 0, [] { return static_cast<long long>(settings().title_column_width); },
            [](long long v) { settings().title_column_width = static_cast<uint8_t>(v); }, 0, 255),
        value_real("inne", "TrimLength", "20", &settings_state::trim_length, true),
        bool_key(
            "inne", "zaglebienie", true, [] { return !settings().depth_not_to_bottom; },
            [](bool v) { settings().depth_not_to_bottom = !v; }),
        bool_key("inne", "dlugkat_z_wspl", true, topcje->CalcLengthAngleFromCoords),
    };
}

std::vector<setting_key> autofill_keys() {
    return {
        bool_key("autouzup", "bauto_proj_ground_level", true, topcje->cb_TerrainProj),
        index_key("autouzup", "bauto_proj_ground_level_like_exist", 0, topcje->cb_AutoTerrainProjLikeTerrainExist),
    };
}

// Keys of "format" and "inne" that older files carry and no mode writes.
std::vector<setting_key> read_only_keys() {
    return {
        read_only(keeping_panel_mode(index_key("format", "rzedna", 0, Form1->rg_PipeOrdinateMode))),
        read_only(text_key(
            "inne", "userdxfimportdir", [] { return folders().program_folder; },
            [] { return settings().dxf_import_dir; }, [](const std::string& v) { settings().dxf_import_dir = v; })),
        read_only(bool_key("inne", "rownol", false, Form1->cb_PipellTerrain)),
    };
}

// --- "font" -------------------------------------------------------------------------

// The default folder of the CAD program's fonts: the folder of the program
// registered for ".dxf" files followed by "fonts"; empty when no program is
// registered. The folder keeps its letter case (a file system may tell
// cases apart).
std::string default_font_folder() {
    const std::string folder = topcje->path_to_dxfopener(false);
    return folder.empty() ? std::string() : path_join(folder, "fonts");
}

std::vector<setting_key> font_option_keys() {
    Ttopcje& d = *topcje;
    return {
        text_key(
            "font", "dir", [] { return default_font_folder(); }, [] { return topcje->lab_kat->Caption(); },
            // The font list is refilled from the folder.
            [](const std::string& v) {
                topcje->lab_kat->SetCaption(v);
                topcje->laduj_czcionki();
            }),
        // The text selects the equal item of the font list, none when no item is equal.
        text_key("font", "nazwa", "arial", d.cb_fonts),
        bool_key("font", "opisy", false, d.cb_DescriptionOnLeft),
        bool_key("font", "opisy_jak_typ", true, d.cb_TextHeightInTableLikeForType),
        bool_key("font", "kolor_jak_typ", true, d.cb_TextColorInTableLikeForType),
    };
}

// The 40 text settings: rows 1 to 8 and columns 1 to 5 of `sag_Fonts`.
std::vector<setting_key> font_text_keys() {
    static const char* const prefixes[8] = {"pro", "opi", "kom", "kol", "kolp", "osl", "dter", "sch"};
    static const char* const suffixes[5] = {"_wys", "_kol", "_ods", "_sze", "_war"};
    static const char* const defaults[8][5] = {
        {"19", "7", "4", "90%", "0"},  {"19", "7", "4", "100%", "0"}, {"19", "8", "4", "70%", "0"},
        {"15", "84", "4", "70%", "0"}, {"15", "12", "4", "70%", "0"}, {"15", "130", "4", "70%", "0"},
        {"15", "112", "4", "70%", "0"}, {"15", "7", "18", "70%", "0"},
    };
    TStringGrid* g = topcje->sag_Fonts;
    std::vector<setting_key> keys;
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 5; ++c)
            keys.push_back(cell_key("font", std::string(prefixes[r]) + suffixes[c], fixed(defaults[r][c]), g, c + 1, r + 1));
    return keys;
}

// --- "drawing_titles_"<lang> ---------------------------------------------------------

std::vector<setting_key> title_keys() {
    struct title {
        const char* key;
        std::string builtin;
        int col;
        int row;
    };
    const title titles[] = {
        {"profile_title", "PROFIL PODŁUŻNY"_cp, 1, 3},      {"crosssection_title", "PRZEKRÓJ POPRZECZNY"_cp, 2, 3},
        {"scheme_title", "SCHEMAT", 3, 3},                   {"profile_number", "3", 1, 4},
        {"crosssection_number", "2", 2, 4},                  {"scheme_number", "1", 3, 4},
    };
    TStringGrid* g = topcje->sag_DrawingProperties;
    std::vector<setting_key> keys;
    for (const title& t : titles) {
        std::string key = t.key;
        std::string builtin = t.builtin;
        keys.push_back(cell_key(
            "drawing_titles_", key,
            [key, builtin] { return no_arg_format(lang_text("TitlesBelowProfile", key, builtin)); }, g, t.col, t.row));
    }
    return keys;
}

setting_key node_fill_key() { return bool_key("autouzup", "bwezel", true, topcje->cb_Node); }

// --- project block ------------------------------------------------------------------

// Lists of most-used values whose first items are the description defaults.
constexpr std::size_t list_node_description = 5;
constexpr std::size_t list_section_description = 6;
constexpr std::size_t list_node_with_sump_description = 11;

// The six trench marks of a sump table: character k is "1" when the cell of
// trench k (row k - 1) is green.
std::string trench_marks(const TStringAlignGrid* grid) {
    std::string marks = "000000";
    const TTrackBar* amount = Form1->tb_DrainageTrenchAmount;
    for (int k = std::max(1, amount->Min()); k <= std::min(6, amount->Max()); ++k)
        if (k - 1 < grid->RowCount() && grid->cell_colour(0, k - 1) == clGreen) marks[static_cast<std::size_t>(k - 1)] = '1';
    return marks;
}

void set_trench_marks(TStringAlignGrid* grid, const std::string& marks) {
    const TTrackBar* amount = Form1->tb_DrainageTrenchAmount;
    for (int k = std::max(1, amount->Min()); k <= amount->Max() && k <= grid->RowCount(); ++k) {
        const bool marked = static_cast<std::size_t>(k) <= marks.size() && marks[static_cast<std::size_t>(k - 1)] == '1';
        grid->set_cell_colour(0, k - 1, marked ? clGreen : clWhite);
    }
}

setting_key marks_key(const char* key, TStringAlignGrid* grid) {
    return text_key(
        "uklad", key, fixed("000000"), [grid] { return trench_marks(grid); },
        [grid](const std::string& v) { set_trench_marks(grid, v); });
}

setting_key next_series_id_key() {
    return int_key(
        "inne", "next_typosz_id", 0, [] { return static_cast<long long>(model().project.next_typosz_id); },
        [](long long v) {
            // Never below the largest pipe-series id of the project plus one:
            // an options file, which lacks the key, must not reuse an id.
            long long floor = 0;
            for (const mat_rura_typosz& series : model().project.pipe_series)
                floor = std::max(floor, static_cast<long long>(series.main.id) + 1);
            model().project.next_typosz_id = static_cast<int32_t>(std::max(v, floor));
        });
}

// The keys of the project block in the order written (the project data and
// staff, written first, are apart).
std::vector<setting_key> project_keys() {
    TForm1& f = *Form1;
    std::vector<setting_key> keys = {
        write_only(int_key(
            "format", "kolumny", 0, [] { return static_cast<long long>(Form1->sg1->ColCount()); }, [](long long) {})),
        text_key(
            "format", "wersja", fixed("0"), [] { return std::string(HALVOREN_VERSION); },
            [](const std::string& v) {
                int version = 0;
                settings().project_file_version = TryStrToInt(digits_only(v), version) ? version : 0;
            }),
        text_key(
            "format", "NodeDescription", [] { return first_item(settings().data_lists[list_node_description]); },
            [] { return Form1->cb_NodeDescription->Text(); },
            [](const std::string& v) { Form1->cb_NodeDescription->SetText(v); }),
        text_key(
            "format", "NodeWithSumpDescription",
            [] { return first_item(settings().data_lists[list_node_with_sump_description]); },
            [] { return Form1->cb_NodeWithSumpDescription->Text(); },
            [](const std::string& v) { Form1->cb_NodeWithSumpDescription->SetText(v); }),
        text_key(
            "format", "SectionDescription", [] { return first_item(settings().data_lists[list_section_description]); },
            [] { return Form1->cb_SectionDescription->Text(); },
            [](const std::string& v) { Form1->cb_SectionDescription->SetText(v); }),
        text_key("format", "CrossingDescription", "@_tk_czy_projektowana|'[proj]'|' ' @_tk_medium @_tk_zaglebienie m",
                 f.e_CrossingDescription),
        text_key("format", "ProtectingPipeDescription", "@_to_typ @_to_srednica mm, L=@_to_dlugosc m",
                 f.e_ProtectingPipeDescription),
        bool_key("format", "CrossingDescriptionLikeInEditor", true, f.cb_CrossingDescLikeInEditor),
        bool_key("format", "ProtectingPipeDescriptionLikeInEditor", true, f.cb_ProtectingPipeDescLikeInEditor),
        text_key(
            "format", "ConfigFile", fixed(""), [] { return model().project.ConfigFile; },
            [](const std::string& v) { topcje->l_FileSettings->SetHint(v); }),
        // The project reader takes the main profile itself.
        write_only(int_key(
            "inne", "main_profile", -1, [] { return static_cast<long long>(model().project.main_profile); },
            [](long long) {})),
        next_series_id_key(),
        text_key("uklad", "u_went", "0", f.e_VentLength, true),
        text_key("uklad", "u_przyl_elektr", "0", f.e_ElectrLength, true),
        int_key(
            "uklad", "u_active", 0, [] { return static_cast<long long>(Form1->PageControl2->ActivePageIndex()); },
            [](long long v) {
                if (Form1->a_SewageTreatmentPlant->Checked() && v >= 0)
                    Form1->PageControl2->SetActivePageIndex(static_cast<int>(v));
            }),
        marks_key("u_dr_st_roz", f.sg_FirstSump),
        marks_key("u_dr_st_zam", f.sg_LastSump),
        spin_key("uklad", "u_dr_dlug", 48, f.se_DrainageMinLength),
        track_key("uklad", "u_dr_nitd", 16, f.tb_DrainageTrenchLength),
        track_key("uklad", "u_dr_niti", 3, f.tb_DrainageTrenchAmount),
        spin_key("uklad", "u_dr_ilpol", 1, f.se_DrainageBedsAmount),
        bool_key("uklad", "u_dr_endbar", true, f.cb_IsEndBar),
        bool_key("uklad", "u_dr_piez", false, f.cb_DrainagePiezometer),
        bool_key("uklad", "u_dr_poprz_dren", false, f.cb_DrainageEndBar),
        spin_key("uklad", "u_fi_powi", 20, f.se_SandFilterMinArea),
        track_key("uklad", "u_fi_szer", 4, f.tb_SandFilterWidth),
        track_key("uklad", "u_fi_dlug", 5, f.tb_SandFilterLength),
        bool_key("uklad", "u_fi_kore", true, f.cb_SandFilterAutoCorrect),
    };
    return keys;
}

// A number of the side panel in an older project file: a text that does not
// convert (the panel's edits take numbers only) gives the default.
setting_key panel_number_key(const char* section, const char* key, TEdit* e, bool normalise) {
    setting_key k = text_key(section, key, "0", e, normalise);
    k.read = [take = k.read, normalise](const std::string& s) {
        double v = 0;
        return TryStrToFloat(normalise ? fix_decimal_separator(s) : s, v) && take(s);
    };
    return k;
}

// Per-profile keys of older project files, read into the side panel.
std::vector<setting_key> legacy_profile_keys() {
    TForm1& f = *Form1;
    return {
        bool_key("inne", "poziom", false, f.cb_CompareLevel),
        panel_number_key("inne", "poziom_wart", f.e_CompareLevel, true),
        bool_key("inne", "pskala", false, f.cb_CustomXScale),
        panel_number_key("inne", "pskalax", f.e_ProfileXScale, false),
        panel_number_key("format", "startX", f.e_StartX, true),
        panel_number_key("format", "startY", f.e_StartY, true),
        panel_number_key("format", "startAngle", f.e_StartAngle, true),
    };
}

// --- project data ---------------------------------------------------------------------

struct data_field {
    const char* key;
    std::string projekt_dane::*member;
};

const std::array<data_field, 17> data_fields = {{
    {"inwestor", &projekt_dane::inwestor},
    {"inor_miejscowosc", &projekt_dane::inor_miejscowosc},
    {"inor_kod", &projekt_dane::inor_kod},
    {"inor_poczta", &projekt_dane::inor_poczta},
    {"obiekt", &projekt_dane::obiekt},
    {"inwestycja", &projekt_dane::inwestycja},
    {"miejscowosc", &projekt_dane::miejscowosc},
    {"kod", &projekt_dane::kod},
    {"poczta", &projekt_dane::poczta},
    {"gmina", &projekt_dane::gmina},
    {"dzialka", &projekt_dane::dzialka},
    {"branza", &projekt_dane::branza},
    {"nr_zlecenia", &projekt_dane::nr_zlecenia},
    {"data", &projekt_dane::data},
    {"wlas1", &projekt_dane::wlas1},
    {"wlas2", &projekt_dane::wlas2},
    {"wlas3", &projekt_dane::wlas3},
}};

constexpr const char* data_section = "dane_proj";

}  // namespace

// --- project data -------------------------------------------------------------------------

void zapisz_dane_proj(const projekt_dane& data, IniFile& ini) {
    for (const data_field& f : data_fields) ini.WriteString(data_section, f.key, data.*f.member);
}

void czytaj_dane_proj(const IniFile& ini, projekt_dane& data) {
    for (const data_field& f : data_fields) data.*f.member = ini.ReadString(data_section, f.key, "");
}

void zapisz_dane_proj(IniFile& ini) { zapisz_dane_proj(model().project.dane, ini); }

void czytaj_dane_proj(const IniFile& ini) { czytaj_dane_proj(ini, model().project.dane); }

// --- shared by options and project files ------------------------------------------------

const std::vector<setting_key>& calc_switch_keys() {
    // Built once, so every control is reached when the key is used (the
    // windows may be made anew meanwhile).
    static const std::vector<setting_key> keys = [] {
        auto check = [](const char* key, bool def, TCheckBox* Ttopcje::*box) {
            return bool_key(
                "inne", key, def, [box] { return (topcje->*box)->Checked(); },
                [box](bool v) { (topcje->*box)->SetChecked(v); });
        };
        return std::vector<setting_key>{
            check("calculate_inverts", false, &Ttopcje::cb_CalculateInvertsAccordToMainSection),
            check("calculate_terrain", false, &Ttopcje::cb_CalculateTerrainAccordToMainSection),
            check("calculate_mode_when_trench", false, &Ttopcje::cb_WhereTrenchCalculateDepthToGroundLevel),
            check("dont_calculate_inverts_where_manhole", true, &Ttopcje::cb_DontCalculateNodeWithManholeObject),
            bool_key(
                "inne", "oczyszczalnia", false, [] { return Form1->a_SewageTreatmentPlant->Checked(); },
                [](bool v) { Form1->a_SewageTreatmentPlant->SetChecked(v); }),
        };
    }();
    return keys;
}

void write_shared_head(IniFile& ini) {
    const std::vector<setting_key>& calc = calc_switch_keys();
    std::vector<setting_key> keys = ventilation_keys();
    keys.insert(keys.end(), calc.begin(), calc.begin() + 4);
    keys.push_back(without_infotable_key());
    keys.push_back(calc[4]);
    append(keys, excavation_keys());
    append(keys, format_keys());
    append(keys, origin_keys());
    append(keys, fit_keys());
    append(keys, sheet_keys());
    append(keys, autofill_keys());
    write_keys(ini, keys);
}

void read_shared_scalars(const IniFile& ini, unsigned mode) {
    if (!(mode & (mode_opcje | mode_plik | mode_lang))) return;
    std::vector<setting_key> keys = format_keys();
    append(keys, fit_keys());
    keys.push_back(without_infotable_key());
    append(keys, excavation_keys());
    append(keys, sheet_keys());
    append(keys, read_only_keys());
    append(keys, ventilation_keys());
    append(keys, autofill_keys());
    read_keys(ini, keys);
    model().slope_sign = topcje->cb_DropUp->Checked() ? -1 : 1;
}

void write_shared_tail(IniFile& ini) {
    std::vector<setting_key> keys = font_option_keys();
    append(keys, font_text_keys());
    write_keys(ini, keys);

    // The titles of the band rows "linia" and "linia2", for the rows there are.
    const std::string titles = lang_section("drawing_titles_");
    for (const char* row_key : {"linia", "linia2"})
        for (const dane_pod_profil& row : settings().profile_table_rows)
            if (row.key == row_key) {
                ini.WriteString(titles, std::string("tab_") + row_key + "_nazwa", row.title);
                break;
            }
    write_keys(ini, title_keys());
    write_keys(ini, {node_fill_key()});
}

void read_font_texts(const IniFile& ini) { read_keys(ini, font_text_keys()); }

void read_font_options(const IniFile& ini) { read_keys(ini, font_option_keys()); }

void read_bwezel(const IniFile& ini) { read_keys(ini, {node_fill_key()}); }

void read_drawing_titles(const IniFile& ini) { read_keys(ini, title_keys()); }

// --- project block ------------------------------------------------------------------------

void write_project_block(IniFile& ini) {
    zapisz_dane_proj(ini);
    write_staff_rows(ini, data_section, *tdane->sag_dane_kadra);
    write_keys(ini, project_keys());
}

void read_project_block(const IniFile& ini) {
    const std::vector<setting_key> keys = project_keys();
    auto read = [&](std::initializer_list<std::pair<const char*, const char*>> names) {
        for (const auto& [section, key] : names) read_key(ini, keys, section, key);
    };
    read({{"format", "wersja"}});
    read_keys(ini, legacy_profile_keys());
    read({{"format", "NodeDescription"},
          {"format", "NodeWithSumpDescription"},
          {"format", "SectionDescription"},
          {"format", "CrossingDescription"},
          {"format", "ProtectingPipeDescription"},
          {"format", "CrossingDescriptionLikeInEditor"},
          {"format", "ProtectingPipeDescriptionLikeInEditor"},
          {"format", "ConfigFile"}});
    czytaj_dane_proj(ini);
    read_keys(ini, origin_keys());
    read_staff_rows(ini, data_section, *tdane->sag_dane_kadra);
    read({{"uklad", "u_went"}, {"uklad", "u_przyl_elektr"}, {"uklad", "u_active"}});
    read({{"uklad", "u_dr_dlug"},
          {"uklad", "u_dr_nitd"},
          {"uklad", "u_dr_niti"},
          {"uklad", "u_dr_ilpol"},
          {"uklad", "u_dr_piez"},
          {"uklad", "u_dr_endbar"},
          {"uklad", "u_dr_poprz_dren"}});
    // A file without the marks leaves the trench marks as they are.
    if (ini.ValueExists("uklad", "u_dr_st_roz")) read({{"uklad", "u_dr_st_roz"}, {"uklad", "u_dr_st_zam"}});
    read({{"uklad", "u_fi_powi"}, {"uklad", "u_fi_szer"}, {"uklad", "u_fi_dlug"}, {"uklad", "u_fi_kore"}});
    // "u_active" 0 or 1 would redraw the drainage-field or the sand-filter
    // sketch of the treatment-plant page here; those sketches are not drawn yet.
}

void read_next_typosz_id(const IniFile& ini) { read_keys(ini, {next_series_id_key()}); }
