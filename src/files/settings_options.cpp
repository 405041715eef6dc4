// The program options (the user's settings that travel only in options and
// settings files) and the cost-estimate options and parameters of section
// "calc". Each group is one key table; the writer and the reader walk it in
// their own orders, and the reader applies the side effects at the points
// where the old program applied them.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/paths.h"
#include "forms/rys1.h"
#include "model/cost_state.h"
#include "forms/kosztprop.h"
#include "forms/materials.h"
#include "forms/kolizje.h"
#include "forms/objects.h"
#include "model/messages.h"
#include "forms/opcje.h"
#include "files/settings_groups.h"
#include "model/settings_state.h"
#include "files/utils.h"
#include "model/columns.h"
#include "model/state.h"
#include "platform/comctrls.h"
#include "platform/cp1250.h"
#include "platform/dialogs.h"
#include "platform/grids.h"
#include "platform/ini.h"
#include "platform/named_bytes.h"
#include "platform/printer.h"
#include "platform/services.h"
#include "platform/stdctrls.h"
#include "platform/sysutils.h"

namespace {

using key_table = std::vector<setting_key>;

constexpr const char* inne = "inne";
constexpr const char* autouzup = "autouzup";
constexpr const char* rysunek = "rysunek";
constexpr const char* firma = "firma";
constexpr const char* calc = "calc";

// The fourteen lists of most-used values: the key of "autofilling_"<lang>
// and the key of the language file's section "MostUsedValues".
constexpr std::array<std::array<const char*, 2>, data_list_count> data_list_keys{{
    {"m_mat", "muv_Material"},
    {"m_kom", "muv_Comment"},
    {"m_media", "muv_Medium"},
    {"m_opis_k", "muv_CrossingDescription"},
    {"m_opis_o", "muv_ProtectingTubeDescription"},
    {"m_opis_wezla", "muv_NodeDescription"},
    {"m_opis_odcinka", "muv_SectionDescription"},
    {"m_typ_o", "muv_ProtectingTubeKind"},
    {"m_typ_kosztorysu", "muv_CalculationKind"},
    {"m_opis_terenu", "muv_TerrainDescription"},
    {"m_opis_studzienki", "muv_SumpsDescription"},
    {"m_opis_wezla_ze_studzienka", "muv_NodeWithSumpDescription"},
    {"m_opis_obiektu", "muv_ObjectDescription"},
    {"m_opis_rzednej", "muv_OrdinateDescription"},
}};
constexpr std::size_t object_description_list = 12;  // "m_opis_obiektu"

// The office keys of "firma": rows 1 to 11 of the company table.
constexpr std::array<const char*, 11> office_keys{"nazwa", "ulica",   "kod",   "poczta", "telefon", "faks",
                                                  "email", "www",     "wlas1", "wlas2",  "wlas3"};

constexpr int column_count = column_kind_count;

std::string default_infotable_key() { return "default_infotable_" + settings_language(); }

std::string program_folder() { return folders().program_folder; }
std::string config_folder() { return folders().config_folder; }

// A key that only the reader takes.
setting_key read_only(setting_key k) {
    k.write = nullptr;
    return k;
}

setting_key tool_button_key(const char* key, TToolButton* b) {
    return read_only(bool_key(inne, key, false, [b] { return b->Down(); }, [b](bool v) { b->SetDown(v); }));
}

// The control or value behind the key; radio groups and combo boxes take the
// stored index (a combo box shows nothing for an index it does not have).
key_table option_keys() {
    Ttopcje& d = *topcje;
    TForm1& f = *Form1;
    settings_state& s = settings();
    key_table t;
    auto add = [&t](setting_key k) { t.push_back(std::move(k)); };
    auto byte_value = [](const char* section, const char* key, long long def, uint8_t& value) {
        return int_key(section, key, def, [&value] { return static_cast<long long>(value); },
                       [&value](long long v) { value = static_cast<uint8_t>(v); }, 0, 255);
    };

    // "inne": calculation and editing options.
    add(real_key(inne, "AODDistanceFrom", "6", [&s] { return s.aod_distance_from; },
                 [&s](double v) { s.aod_distance_from = v; }, real_form::general, true));
    add(byte_value(inne, "AODDependency", 0, s.aod_dependency));
    add(bool_key(inne, "euro_rounding", true, d.cb_RoundingModeE));
    add(text_key(inne, "szerokosc", "0.50", d.e_szer, true));
    add(text_key(inne, "add2diameter", "0.50", d.e_AutoAdd2Diameter, true));
    add(text_key(inne, "trench_slope", "1.50", d.e_AutoTrenchSlope, true));
    add(index_key(inne, "oslonowe_doczep_opisu", 1, d.cb_ProtectingTubesDescPlace));
    add(bool_key(inne, "Backup", true, d.cb_AutoBackup));
    {
        // The spin edit limits the minutes; 0 stops the autosave timer.
        TSpinEdit* e = d.se_AutoSave;
        TTimer* timer = f.t_Save;
        add(int_key(inne, "AutoSaveInterval", 10, [e] { return static_cast<long long>(e->Value()); },
                    [e, timer](long long v) {
                        e->SetValue(static_cast<int>(v));
                        const int minutes = e->Value();
                        timer->SetInterval(minutes * 60000);
                        timer->SetEnabled(minutes > 0);
                    }));
    }
    add(text_key(
        inne, "file_name_pattern",
        [] { return lang_text("topcje", "e_FileNamePattern", "@_investor-@_investment_place"); },
        [&d] { return d.e_FileNamePattern->Text(); }, [&d](const std::string& v) { d.e_FileNamePattern->SetText(v); }));
    {
        // The label's hint holds the path, its caption the shortened form.
        TLabel* l = d.l_DefaultInfotableChoose;
        add(text_key(
            inne, default_infotable_key(), [] { return std::string(); }, [l] { return l->Hint(); },
            [l](const std::string& path) {
                l->SetHint(path);
                const std::string pattern = lang_text("topcje", "l_DefaultInfotableChoose", "Domyślna metryka %s"_cp);
                l->SetCaption(format_language_text(pattern, {shorten_path_for_display(path)}));
            }));
    }
    {
        // Read only when the language is applied at start.
        setting_key k = int_key(inne, "lang", -1, [&d] { return static_cast<long long>(d.cb_Language->ItemIndex()); },
                                [](long long) {});
        k.read = nullptr;
        add(std::move(k));
    }
    add(bool_key(inne, "pokazuj_opisy_zamiast_nazw", false, tObjects->cb_InListShowDesc));
    add(bool_key(inne, "dane_studz_osad_w_tabeli", true, d.cb_SludgeManholeDetailsInTable));
    add(bool_key(inne, "rz_rury_przy_rzednej_z_ed_rzednych", false, d.cb_PipeOrdinateWhereExtraTerrainOrdinate));
    add(bool_key(inne, "zag_rury_przy_rzednej_z_ed_rzednych", false, d.cb_PipeDepthWhereExtraTerrainOrdinate));
    add(bool_key(inne, "schemat_kinety", false, d.cb_ManholeInletsSchemeNextToManhole));
    // The current profile's side-panel modes; a read of the settings
    // dialog's buttons leaves them as they are.
    for (auto [key, def, group] : {std::tuple{"stala", 2, f.rg_ManuallyValue},
                                   std::tuple{"stala_odleglosci", 0, f.rg_ManuallyValueDistance},
                                   std::tuple{"rzedna", 0, f.rg_PipeOrdinateMode}}) {
        setting_key k = index_key(inne, key, def, group);
        k.read = [read = k.read](const std::string& v) { return settings().keeping_panel_modes || read(v); };
        add(std::move(k));
    }
    add(bool_key(inne, "zaglebienie_do_ter_proj", false, d.cb_CalculateDepthToProjGroundLevel));
    add(index_key(inne, "edyt_kolizji_zaglebienie_do_ter_projekt", 2, d.rg_CrossingEditorCalculateDepthToProjGroundLevel));
    add(bool_key(inne, "stale_zag_kolizji", false, d.cb_CrossingDepthLikeConst));
    add(index_key(inne, "spadek_odwrotnosc", 0, d.cb_GradientModeDrawing));
    add(text_key(inne, "spadek_prefiks", "", d.e_GradientPrefix));
    {
        TComboBox* c = tObjects->cb_Description;
        add(text_key(
            inne, "ObjectDescription", [&s] { return first_item(s.data_lists[object_description_list]); },
            [c] { return c->Text(); }, [c](const std::string& v) { c->SetText(v); }));
    }
    add(int_key(inne, "SymbolSizeRatio", 100, [&s] { return static_cast<long long>(s.symbol_size); },
                [&s](long long v) {
                    s.symbol_size = static_cast<uint8_t>(v);
                    s.symbol_size_factor = s.symbol_size * 0.2 / 100;
                },
                0, 255));
    add(byte_value(inne, "dane_wys", 10, s.table_font_size));

    // "inne": drawing and display options.
    add(bool_key(inne, "MarkFlowDirect", false, d.cb_MarkFlowDirect));
    add(bool_key(inne, "MarkFlowDirectOnEverySectionOnScheme", true, d.cb_MarkFlowDirectOnEverySectionOnScheme));
    add(bool_key(inne, "ProfilesNamesOnScheme", false, d.cb_ProfilesNamesOnScheme));
    add(bool_key(inne, "TitleColumnBeforeEveryProfile", false, d.cb_TitleColumnBeforeEveryProfile));
    add(bool_key(inne, "VerticalRuler", true, d.cb_VerticalRuler));
    add(bool_key(inne, "ProfilesNames", false, d.cb_ProfilesNames));
    add(bool_key(inne, "VerticalLinesToTer", false, d.cb_VerticalLinesToTerrainLine));
    add(bool_key(inne, "MarkScale", true, d.cb_MarkScaleBelowProfile));
    add(bool_key(inne, "SplitPipes", true, d.cb_SplitPipes));
    add(bool_key(inne, "PrintPreviewMovingByMiddleButton", false, d.cb_PrintPreviewMovingByMiddleButton));
    add(bool_key(inne, "RearrangeComments2", false, d.cb_RearrangeCommentsWithoutMoveNodes));
    add(bool_key(inne, "NodeLabelsInCircle", true, d.cb_NodeLabelsInCircle));
    add(bool_key(inne, "NodeLabelsIn2Lines", false, d.cb_NodeLabelsInTwoLines));
    add(bool_key(inne, "ppt", true, d.cb_ppt));
    add(bool_key(inne, "ppt_dont_mark", false, d.cb_DontMarkTheSameAOD));
    add(bool_key(inne, "MarkInlets", true, d.cb_MarkInlets));
    add(bool_key(inne, "MarkInletsFromDeactivatedProfiles", false, d.cb_MarkInletsFromDeactivatedProfiles));
    add(bool_key(inne, "InGeoCrossDescriptionsInMiddle", false, d.cb_InGeoCrossDescriptionsInMiddle));
    add(bool_key(inne, "GeoCrossAboveTerrainLine", true, d.cb_GeoCrossAboveTerrainLine));
    add(bool_key(inne, "kolorowanie", true, d.cb_AutoCalculatedCellColor));
    add(color_key(inne, "kolor_tla_automatu", "$00DCFFFF", [&s] { return s.auto_cell_color; },
                  [&s, &d](unsigned c) {
                      s.auto_cell_color = c;
                      d.p_AutoColor->SetColor(c);
                  }));
    add(bool_key(inne, "kolorowanie_active_row", false, d.cb_ActiveRowColor));
    add(color_key(inne, "active_row_color", "$00F5F5F5", [&s] { return s.active_row_color; },
                  [&s, &d](unsigned c) {
                      s.active_row_color = c;
                      d.p_ActiveRowColor->SetColor(c);
                  }));
    add(color_key(inne, "kolor_tla", "$00FFFFFF", [&s] { return s.preview_background; },
                  [&s, &f](unsigned c) {
                      s.preview_background = c;
                      f.Zoombox->SetColor(c);
                  }));
    add(bool_key(inne, "kota_dno_studzienki", true, d.cb_ChamberBottomOrdinate));
    add(bool_key(inne, "kota_dno_zbiornika", true, d.cb_TankBottomOrdinate));
    add(bool_key(inne, "kolizja", false, d.cb_CrossingOrdinate));
    add(bool_key(inne, "kolizja_dynamiczna_kota", false, d.cb_DynamicCrossingOrdinate));
    add(bool_key(inne, "kolizja_wstaw_wymiar", false, d.cb_DimensionBetweenCrossingAndPipe));
    add(bool_key(inne, "rz_rury_w_kolizji", true, d.cb_CrossingPipeOrdinate));
    add(bool_key(inne, "odleglosc_w_kolizji", true, d.cb_CrossingDistance));
    add(bool_key(inne, "odleglosc_oslonowej", true, d.cb_ProtTubesDistance));
    add(bool_key(inne, "odleglosc_konca_oslonowej", true, d.cb_ProtTubesEndDistance));
    add(bool_key(inne, "rzedna_oslonowej", false, d.cb_ProtTubesOrdinate));
    add(bool_key(inne, "rzedna_konca_oslonowej", false, d.cb_ProtTubesEndOrdinate));

    // Keys that other writers (the main window's close, the project dialogs)
    // or the user store; the settings writer leaves them alone.
    add(read_only(int_key(inne, "current_printer", 0, [&s] { return static_cast<long long>(s.printer_index); },
                          [&s](long long v) {
                              s.printer_index = static_cast<int>(v);
                              // -1 is the system's default printer.
                              TPrinter& printer = services().printer();
                              const auto count = static_cast<long long>(printer.Printers().size());
                              if (count > 0 && v >= -1 && v < count) printer.SetPrinterIndex(static_cast<int>(v));
                          })));
    add(read_only(index_key(inne, "materialy_szukaj_wszedzie", 1, tMaterials->rg_SearchWide)));
    add(read_only(byte_value(inne, "zero", 0, model().empty_value)));
    add(read_only(text_key(
        "program", "path", [] { return program_folder(); }, [&s] { return s.dialog_folder; },
        [&s, &f](const std::string& v) {
            s.dialog_folder = v;
            f.OD1->InitialDir = v;
            f.SD1->InitialDir = v;
        })));
    add(read_only(bool_key(inne, "acad", false, [&s] { return s.add_entity_handles; },
                           [&s](bool v) { s.add_entity_handles = v; })));
    add(read_only(index_key(inne, "rzedna_dna_kolizji", 0, tkolizje->rg_PipeOrdinateMode)));
    {
        TSpeedButton* b = f.sb_LockTabShifting;
        add(read_only(bool_key(inne, "zablokuj_zakladki", false, [b] { return b->Down(); },
                               [b](bool v) {
                                   b->SetDown(v);
                                   // The button's own handler applies the rule to the tab strip.
                                   if (b->OnClick) b->OnClick(nullptr);
                               })));
    }
    add(tool_button_key("ukryj_kolizje", f.tb_HideCrossing));
    add(tool_button_key("ukryj_oslonowe", f.tb_HideProtectingPipes));
    add(tool_button_key("ukryj_przekroje", f.tb_HideCrossSections));
    add(tool_button_key("ukryj_granice", f.tb_HideBoundaryDesc));
    add(tool_button_key("ukryj_podzial_na_strony", f.tb_HidePageBorders));

    // "rysunek"
    add(bool_key(rysunek, "distance", true, d.l_Distance));
    add(bool_key(rysunek, "autolinia", true, d.cb_AutoLine));
    add(bool_key(rysunek, "autokat", true, d.cb_AutoAngle));
    add(bool_key(rysunek, "auto_opis_terenu", true, d.cb_AutoTerrainDesc));
    add(bool_key(rysunek, "auto_teren_proj", true, d.cb_AutoProjGroundLevel));
    add(bool_key(rysunek, "1_rura", false, d.cb_1PipeLine));
    add(int_key(rysunek, "draw_axis_from", 0, [&s] { return static_cast<long long>(s.draw_axis_from); },
                [&s](long long v) { s.draw_axis_from = static_cast<uint16_t>(v); }, 0, 65535));

    // "autouzup"
    add(index_key(autouzup, "gradientmode", 0, d.cb_GradientMode));
    add(index_key(autouzup, "flow_unit_V", 0, d.cb_FlowUnitV));
    add(index_key(autouzup, "flow_unit_t", 1, d.cb_FlowUnitT));
    add(bool_key(autouzup, "bspadek", true, d.cb_Drop));
    add(index_key(autouzup, "spadek_typ", 1, d.rg_AutoDrop));
    add(text_key(autouzup, "spadek", "2.00", d.Edit1, true));
    add(bool_key(autouzup, "bmaterial", true, d.cb_Material));
    add(bool_key(autouzup, "material_typ", true, d.cb_AutoFillMaterialLikePrevious));
    add(bool_key(autouzup, "bsrednica", true, d.cb_Diameter));
    add(index_key(autouzup, "srednica_typ", 0, d.rg_AutoDiameter));
    add(text_key(autouzup, "srednica", "110", d.e_AutoDiameter));
    add(bool_key(autouzup, "bopis_kolizji", true, d.cb_CrossingEditorAutoDescription));
    add(index_key(autouzup, "auto_trench_width", 1, d.rg_AutoTrenchWidth));
    add(bool_key(autouzup, "bauto_trench_width", true, d.cb_TrenchWidth));
    add(bool_key(autouzup, "btrench_slope", false, d.cb_AutoTrenchSlope));
    add(bool_key(autouzup, "bwezel_ink", true, d.cb_NodeIncrementation));
    add(bool_key(autouzup, "bwezel_ink_dla_projektu", true, d.cb_WholeProjectNodeIncrementation));
    add(index_key(autouzup, "wezel_przed", 0, d.rg_NodePrefix));
    add(text_key(autouzup, "wezel_text", "s", d.e_wez));

    // "firma": the office, rows 1 to 11 of column 1 of the company table.
    TStringGrid* company = d.sag_Company;
    for (std::size_t i = 0; i < office_keys.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        add(text_key(
            firma, office_keys[i], [] { return std::string(); }, [company, row] { return company->Cells(1, row); },
            [company, row](const std::string& v) { company->SetCell(1, row, v); }));
    }
    return t;
}

const setting_key& key_of(const key_table& t, std::string_view section, std::string_view key) {
    for (const setting_key& k : t)
        if (SameText(k.section, section) && SameText(k.key, key)) return k;
    throw std::logic_error("settings key missing from its table: " + std::string(section) + "/" + std::string(key));
}

void write_in_order(IniFile& ini, const key_table& t, std::string_view section,
                    std::initializer_list<std::string_view> keys) {
    for (std::string_view key : keys) {
        const setting_key& k = key_of(t, section, key);
        if (k.write) ini.WriteString(k.section_name(), k.key, k.write());
    }
}

void read_in_order(const IniFile& ini, const key_table& t, std::string_view section,
                   std::initializer_list<std::string_view> keys) {
    for (std::string_view key : keys) read_keys(ini, {key_of(t, section, key)});
}

// 1000 to the power of the volume unit's index divided by the time unit in
// hours: turns the stored flows in m3/h into the chosen display unit.
double flow_factor(int volume_index, int time_index) {
    static constexpr double hours[] = {1.0 / 24, 1, 60, 3600};
    return std::pow(1000.0, std::clamp(volume_index, 0, 3)) / hours[std::clamp(time_index, 0, 3)];
}

// The slope and flow columns show the units chosen for them (the settings
// dialog takes its unit choosers back from these units when it is refilled).
void apply_column_units() {
    Ttopcje& d = *topcje;
    model_state& m = model();
    auto unit = [&m](column_kind k) -> std::string& { return m.column_units[static_cast<std::size_t>(index_of(k))]; };
    const int gradient = d.cb_GradientMode->ItemIndex();
    if (gradient >= 0)
        unit(column_kind::spad) =
            lang_text("Columns_units", "Gradient" + IntToStr(gradient + 1), d.cb_GradientMode->Items()[gradient]);
    if (d.cb_FlowUnitV->ItemIndex() >= 0 && d.cb_FlowUnitT->ItemIndex() >= 0) {
        const std::string flow = d.cb_FlowUnitV->Text() + "/" + d.cb_FlowUnitT->Text();
        unit(column_kind::flow) = flow;
        unit(column_kind::sflow) = flow;
    }
}

// --- main-table columns -----------------------------------------------------

constexpr const char* dane = "Dane";
constexpr const char* dane_szer = "Dane_szer";
constexpr const char* dane_prec = "Dane_prec";

uint8_t builtin_slot_value(int k) {
    const column_info& c = column_of(kind_from_index(k));
    return static_cast<uint8_t>(c.in_table ? k : k + 100);
}

bool valid_slot_value(long long v) {
    return (v >= 0 && v < column_count) || (v >= 100 && v < 100 + column_count);
}

key_table column_keys() {
    model_state& m = model();
    key_table t;
    for (int k = 0; k < column_count; ++k) {
        const auto i = static_cast<std::size_t>(k);
        const column_info& c = column_of(kind_from_index(k));
        const std::string n = IntToStr(k);
        t.push_back(text_key(
            "Columns_", c.language_key, [&m, &c, i] { return lang_text("Columns", c.language_key, m.column_titles[i]); },
            [&m, i] { return m.column_titles[i]; }, [&m, i](const std::string& v) { m.column_titles[i] = v; }));
        // A slot value that names no column kind does not convert.
        setting_key order = int_key(dane, "ind_" + n, builtin_slot_value(k),
                                    [&m, i] { return static_cast<long long>(m.column_order[i]); },
                                    [&m, i](long long v) { m.column_order[i] = static_cast<uint8_t>(v); });
        order.read = [&m, i](const std::string& text) {
            long long v = 0;
            if (!parse_setting_int(text, v) || !valid_slot_value(v)) return false;
            m.column_order[i] = static_cast<uint8_t>(v);
            return true;
        };
        t.push_back(std::move(order));
        setting_key width = int_key(dane_szer, "width_" + n, c.width, [&m, i] { return static_cast<long long>(m.column_widths[i]); },
                                    [&m, i](long long v) { m.column_widths[i] = static_cast<int>(v); }, 0, 32767);
        width.write = nullptr;  // the main window's close writes the widths
        t.push_back(std::move(width));
        setting_key decimals = int_key(dane_prec, "prec_" + n, 0,
                                       [&m, i] { return static_cast<long long>(m.column_kind_decimals[i]); },
                                       [&m, i](long long v) { m.column_kind_decimals[i] = static_cast<uint8_t>(v); }, 0, 255);
        decimals.fallback = [&m, i] { return IntToStr(m.column_kind_decimals[i]); };
        t.push_back(std::move(decimals));
    }
    return t;
}

void write_column_section(IniFile& ini, const key_table& t, std::string_view section) {
    for (const setting_key& k : t)
        if (k.write && SameText(k.section, section)) ini.WriteString(k.section_name(), k.key, k.write());
}

// The slot values must name every column kind once; a set that does not
// falls back to the built-in layout as a whole.
void rebuild_column_map() {
    model_state& m = model();
    std::array<bool, column_count> seen{};
    bool complete = true;
    for (uint8_t v : m.column_order) {
        const int k = v % 100;
        if (seen[static_cast<std::size_t>(k)]) complete = false;
        seen[static_cast<std::size_t>(k)] = true;
    }
    if (!complete)
        for (int k = 0; k < column_count; ++k) m.column_order[static_cast<std::size_t>(k)] = builtin_slot_value(k);
    for (int p = 0; p < column_count; ++p)
        m.column_map[static_cast<std::size_t>(m.column_order[static_cast<std::size_t>(p)] % 100)] = static_cast<uint8_t>(p);
}

// --- lists of most-used values ------------------------------------------------

key_table data_list_table() {
    settings_state& s = settings();
    key_table t;
    for (std::size_t i = 0; i < data_list_keys.size(); ++i) {
        const char* language_key = data_list_keys[i][1];
        t.push_back(text_key(
            "autofilling_", data_list_keys[i][0],
            [language_key] { return no_arg_format(lang_text("MostUsedValues", language_key, "")); },
            [&s, i] { return s.data_lists_edit[i]; },
            [&s, i](const std::string& v) {
                s.data_lists[i] = v;
                s.data_lists_edit[i] = v;
            }));
    }
    return t;
}

// --- cost estimates -------------------------------------------------------------

key_table cost_option_keys() {
    kosztorysy& c = cost_data();
    auto flag = [&c](const char* key, bool def, bool kosztorysy::*field) {
        return bool_key(calc, key, def, [&c, field] { return c.*field; }, [&c, field](bool v) { c.*field = v; });
    };
    auto file = [&c](const char* key, const char* name, std::string kosztorysy::*field) {
        return text_key(
            calc, key, [name] { return config_folder() + name; }, [&c, field] { return c.*field; },
            [&c, field](const std::string& v) { c.*field = v; });
    };
    return {
        flag("print_OnlyActiveTab", false, &kosztorysy::print_OnlyActiveTab),
        flag("ContinuousPosNumbering", true, &kosztorysy::ContinuousPosNumbering),
        file("template", "calculation_scheme.ini", &kosztorysy::template_file),
        file("library", "knrw.ini", &kosztorysy::library_file),
        file("catalog", "catalog.rms", &kosztorysy::catalog_file),
        flag("IgnoredMessage", true, &kosztorysy::IgnoredMessage),
        flag("AmericanRounding", true, &kosztorysy::AmericanRounding),
    };
}

// The labour rate is kept in hundredths: written as the rate with two
// decimals, read as the text times 100 rounded by the program's rule.
setting_key job_rate_key() {
    kosztorysy& c = cost_data();
    setting_key k = real_key(calc, "JobRate", "0", [&c] { return c.JobRate / 100.0; }, [](double) {}, real_form::fixed2);
    k.read = [&c](const std::string& text) {
        double v = 0;
        if (!TryStrToFloat(fix_decimal_separator(text), v) || !std::isfinite(v)) return false;
        const double hundredths = std::clamp(v * 100, 0.0, 4294967295.0);
        c.JobRate = static_cast<uint32_t>(std::clamp<int64_t>(Round(hundredths), 0, 4294967295LL));
        return true;
    };
    return k;
}

key_table cost_param_keys() {
    kosztorysy& c = cost_data();
    cost_params& p = c.params;
    auto real = [](const char* key, const char* def, double& value) {
        return real_key(calc, key, def, [&value] { return value; }, [&value](double v) { value = v; }, real_form::fixed6);
    };
    return {
        text_key(
            calc, "kind", [&c] { return c.kind; }, [&c] { return c.kind; }, [&c](const std::string& v) { c.kind = v; }),
        bool_key(calc, "SingleJobRate", true, [&c] { return c.SingleJobRate; }, [&c](bool v) { c.SingleJobRate = v; }),
        job_rate_key(),
        real("CorM", "1", c.CorM),
        real("CorS", "1", c.CorS),
        int_key(calc, "CalculationMode", 1, [&c] { return static_cast<long long>(c.CalculationMode); },
                [&c](long long v) {
                    c.CalculationMode = static_cast<uint8_t>(v);
                    tKosztorysProp->rg_CalculationMode->SetItemIndex(c.CalculationMode);
                },
                0, 255),
        int_key(calc, "vat", 0, [&p] { return static_cast<long long>(p.vat); },
                [&p](long long v) { p.vat = static_cast<uint8_t>(v); }, 0, 255),
        real("kpR", "0", p.kpR),
        real("kpS", "0", p.kpS),
        real("zR", "0", p.zR),
        real("zM", "0", p.zM),
        real("zS", "0", p.zS),
        real("zkpR", "0", p.zkpR),
        real("zkpS", "0", p.zkpS),
    };
}

}  // namespace

// --- program options -------------------------------------------------------------

void write_program_options(IniFile& ini) {
    const key_table t = option_keys();
    const key_table columns = column_keys();
    write_in_order(ini, t, inne, {"AODDistanceFrom", "AODDependency"});
    write_column_section(ini, columns, "Columns_");
    write_in_order(ini, t, inne,
                   {"euro_rounding", "MarkFlowDirect", "MarkFlowDirectOnEverySectionOnScheme", "ProfilesNamesOnScheme",
                    "TitleColumnBeforeEveryProfile", "szerokosc", "ObjectDescription", "SymbolSizeRatio"});
    write_in_order(ini, t, autouzup, {"auto_trench_width", "bauto_trench_width"});
    write_in_order(ini, t, inne, {"add2diameter"});
    write_in_order(ini, t, autouzup, {"btrench_slope"});
    const std::string infotable = default_infotable_key();
    write_in_order(ini, t, inne,
                   {"oslonowe_doczep_opisu", "trench_slope", "Backup", "AutoSaveInterval", "file_name_pattern", infotable,
                    "lang", "pokazuj_opisy_zamiast_nazw", "dane_studz_osad_w_tabeli", "rz_rury_przy_rzednej_z_ed_rzednych",
                    "zag_rury_przy_rzednej_z_ed_rzednych", "schemat_kinety"});

    // The drawing names offered by the first title-block box.
    if (auto* names = dynamic_cast<TComboBox*>(Form1->FindComponent("tabs0"))) {
        const TStringList& items = names->Items();
        for (int i = 0; i < items.Count(); ++i) ini.WriteString("nazwa_rys", "naz" + IntToStr(i + 1), items[i]);
        ini.WriteString("nazwa_rys", "nazcount", IntToStr(items.Count()));
    }

    for (const char* key : office_keys) write_in_order(ini, t, firma, {key});
    write_staff_rows(ini, firma, *topcje->sag_Workers, 0);

    write_in_order(ini, t, inne,
                   {"stala", "stala_odleglosci", "rzedna", "VerticalRuler", "ProfilesNames", "VerticalLinesToTer", "MarkScale",
                    "SplitPipes", "PrintPreviewMovingByMiddleButton", "RearrangeComments2", "NodeLabelsInCircle",
                    "NodeLabelsIn2Lines", "ppt", "ppt_dont_mark", "MarkInlets", "MarkInletsFromDeactivatedProfiles",
                    "InGeoCrossDescriptionsInMiddle", "GeoCrossAboveTerrainLine", "kolorowanie", "kolor_tla_automatu",
                    "kolorowanie_active_row", "active_row_color", "kolor_tla", "zaglebienie_do_ter_proj",
                    "edyt_kolizji_zaglebienie_do_ter_projekt", "dane_wys", "kota_dno_studzienki", "kota_dno_zbiornika",
                    "kolizja", "kolizja_dynamiczna_kota", "kolizja_wstaw_wymiar", "rz_rury_w_kolizji",
                    "odleglosc_w_kolizji", "odleglosc_oslonowej", "odleglosc_konca_oslonowej", "rzedna_oslonowej",
                    "rzedna_konca_oslonowej", "stale_zag_kolizji", "spadek_odwrotnosc", "spadek_prefiks"});
    write_in_order(ini, t, rysunek,
                   {"distance", "autolinia", "autokat", "auto_opis_terenu", "auto_teren_proj", "1_rura", "draw_axis_from"});
    write_in_order(ini, t, autouzup,
                   {"gradientmode", "flow_unit_V", "flow_unit_t", "bspadek", "spadek_typ", "bmaterial", "material_typ",
                    "bsrednica", "bopis_kolizji", "srednica_typ", "spadek", "srednica", "bwezel_ink",
                    "bwezel_ink_dla_projektu", "wezel_przed", "wezel_text"});
    write_keys(ini, data_list_table());
    write_column_section(ini, columns, dane);
    write_column_section(ini, columns, dane_prec);
    write_crossing_colors(ini);
    write_check_rules(ini);
}

void read_infotable_and_pattern(const IniFile& ini) {
    const key_table t = option_keys();
    read_in_order(ini, t, inne, {default_infotable_key(), "file_name_pattern"});
}

void read_default_infotable(const IniFile& ini) {
    const key_table t = option_keys();
    read_in_order(ini, t, inne, {default_infotable_key()});
}

void read_column_titles(const IniFile& ini) {
    key_table titles;
    for (setting_key& k : column_keys())
        if (SameText(k.section, "Columns_")) titles.push_back(std::move(k));
    read_keys(ini, titles);
}

void read_data_lists(const IniFile& ini) { read_keys(ini, data_list_table()); }

void read_columns(IniFile& ini) {
    // A file from a version with fewer columns loses its layout.
    if (!ini.ValueExists(dane, "ind_25")) {
        bool erased = false;
        for (const char* section : {dane, dane_szer, dane_prec})
            if (ini.SectionExists(section)) {
                ini.EraseSection(section);
                erased = true;
            }
        if (erased) {
            try {
                ini.UpdateFile();
            } catch (const std::exception&) {
                // The file keeps its sections; this read takes the built-in layout all the same.
            }
        }
    }
    read_keys(ini, column_keys());
    rebuild_column_map();
}

void read_program_options(const IniFile& ini) {
    const key_table t = option_keys();
    settings_state& s = settings();
    model_state& m = model();

    read_in_order(ini, t, inne,
                  {"AODDistanceFrom", "AODDependency", "euro_rounding", "MarkFlowDirect",
                   "MarkFlowDirectOnEverySectionOnScheme", "ProfilesNamesOnScheme", "TitleColumnBeforeEveryProfile"});
    // A new project starts flowing left to right; reading options into an
    // open project leaves its profiles alone.
    if (s.making_new_project && m.current_profile < m.profiles.size()) {
        m.profiles[m.current_profile].pl2r_wart = true;
        Form1->rb_FlowDirectionLR->SetChecked(true);
    }
    // Off leaves the mode as it is: confirming the settings dialog restores it.
    if (topcje->cb_RoundingModeE->Checked()) euro_rounding = true;

    read_in_order(ini, t, inne, {"Backup", "AutoSaveInterval", "current_printer", "materialy_szukaj_wszedzie", "zero"});
    read_in_order(ini, t, "program", {"path"});
    read_in_order(ini, t, inne,
                  {"acad", "rzedna_dna_kolizji", "stale_zag_kolizji", "dane_studz_osad_w_tabeli",
                   "rz_rury_przy_rzednej_z_ed_rzednych", "zag_rury_przy_rzednej_z_ed_rzednych", "schemat_kinety",
                   "zablokuj_zakladki", "ukryj_kolizje", "ukryj_oslonowe", "ukryj_przekroje", "ukryj_granice",
                   "ukryj_podzial_na_strony"});

    read_in_order(ini, t, autouzup, {"gradientmode", "flow_unit_V", "flow_unit_t"});
    s.flow_unit_factor = flow_factor(topcje->cb_FlowUnitV->ItemIndex(), topcje->cb_FlowUnitT->ItemIndex());
    apply_column_units();
    read_in_order(ini, t, autouzup,
                  {"bspadek", "bmaterial", "bsrednica", "bopis_kolizji", "spadek_typ", "material_typ", "srednica_typ",
                   "bwezel_ink", "bwezel_ink_dla_projektu", "wezel_przed", "wezel_text", "spadek", "srednica",
                   "auto_trench_width", "bauto_trench_width"});
    read_in_order(ini, t, inne, {"szerokosc", "add2diameter"});
    read_in_order(ini, t, autouzup, {"btrench_slope"});
    read_in_order(ini, t, inne, {"trench_slope", "oslonowe_doczep_opisu"});

    for (const char* key : office_keys) read_in_order(ini, t, firma, {key});
    read_staff_rows(ini, firma, *topcje->sag_Workers, 0);
    read_in_order(ini, t, rysunek,
                  {"distance", "autolinia", "autokat", "auto_opis_terenu", "auto_teren_proj", "1_rura", "draw_axis_from"});

    read_in_order(ini, t, inne,
                  {"kolorowanie", "kolor_tla_automatu", "kolorowanie_active_row", "active_row_color", "kolor_tla",
                   "zaglebienie_do_ter_proj", "edyt_kolizji_zaglebienie_do_ter_projekt", "stala", "stala_odleglosci",
                   "rzedna", "ppt", "VerticalRuler", "ProfilesNames", "VerticalLinesToTer", "MarkScale", "SplitPipes",
                   "PrintPreviewMovingByMiddleButton", "RearrangeComments2", "NodeLabelsInCircle", "NodeLabelsIn2Lines",
                   "ppt_dont_mark", "MarkInlets", "MarkInletsFromDeactivatedProfiles", "InGeoCrossDescriptionsInMiddle",
                   "GeoCrossAboveTerrainLine", "kota_dno_studzienki", "kota_dno_zbiornika", "kolizja",
                   "kolizja_dynamiczna_kota", "kolizja_wstaw_wymiar", "rz_rury_w_kolizji", "odleglosc_w_kolizji",
                   "odleglosc_oslonowej", "odleglosc_konca_oslonowej", "rzedna_oslonowej", "rzedna_konca_oslonowej",
                   "dane_wys", "spadek_odwrotnosc", "spadek_prefiks", "pokazuj_opisy_zamiast_nazw"});

    read_font_options(ini);
    topcje->l_FileSettings->SetHint("");
    read_in_order(ini, t, inne, {"ObjectDescription", "SymbolSizeRatio"});
}

// --- cost-estimate options ---------------------------------------------------------

void read_save_calc_params_flag(const IniFile& ini) {
    kosztorysy& c = cost_data();
    if (c.SaveCalcParamsInHLV) return;
    read_keys(ini, {bool_key(calc, "SaveCalcParamsInHLV", false, [&c] { return c.SaveCalcParamsInHLV; },
                             [&c](bool v) { c.SaveCalcParamsInHLV = c.SaveCalcParamsInHLV || v; })});
}

void write_save_calc_params_flag(IniFile& ini) {
    ini.WriteString(calc, "SaveCalcParamsInHLV", cost_data().SaveCalcParamsInHLV ? "1" : "0");
}

void write_cost_options(IniFile& ini) { write_keys(ini, cost_option_keys()); }

void read_cost_options(const IniFile& ini) { read_keys(ini, cost_option_keys()); }

void write_cost_params(IniFile& ini) {
    const key_table t = cost_param_keys();
    write_in_order(ini, t, calc,
                   {"kind", "CorM", "CorS", "SingleJobRate", "JobRate", "CalculationMode", "vat", "kpR", "kpS", "zR", "zM",
                    "zS", "zkpR", "zkpS"});
    write_cost_resources(ini);
}

void read_cost_params(const IniFile& ini) { read_keys(ini, cost_param_keys()); }
