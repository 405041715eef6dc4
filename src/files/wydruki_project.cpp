// Template variables of the project: project data, company, statistics,
// treatment plant, running numbers, material lines, object variables, the
// object library's list, profile and drawing.
#include <cmath>

#include "files/settings_groups.h"
#include "files/utils.h"
#include "files/wydruki.h"
#include "forms/opcje.h"
#include "forms/raport.h"
#include "forms/rys1.h"
#include "model/cost_state.h"
#include "model/messages.h"
#include "model/objects.h"
#include "model/pairs.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "platform/sysutils.h"

namespace {

// --- project data -----------------------------------------------------------------

template <std::string projekt_dane::*F>
void project_field(var_call&, std::string& v) {
    v = model().project.dane.*F;
}

// --- company --------------------------------------------------------------------------

template <int Row>
void company(var_call&, std::string& v) {
    v = topcje->sag_Company->Cells(1, Row);
}

// --- statistics ------------------------------------------------------------------------

const odcinek* current_profile() { return profile_of(model().current_profile); }

template <double profile_statistics::*F>
void profile_stat(var_call&, std::string& v) {
    if (const odcinek* p = current_profile()) v = fmt_f(p->statistics.*F);
}

template <int Slot>
void profile_volume(var_call&, std::string& v) {
    if (const odcinek* p = current_profile()) v = fmt_f(p->volume_totals[Slot]);
}

void profile_length(var_call&, std::string& v) {
    if (const odcinek* p = current_profile()) v = fmt_f(p->length);
}

void profile_sections(var_call&, std::string& v) {
    if (const odcinek* p = current_profile()) v = fmt_fixed(0, p->statistics.sections_quantity);
}

const project_statistics& stats() { return model().project.statistics; }

template <double project_statistics::*F>
void project_stat(var_call&, std::string& v) {
    v = fmt_f(stats().*F);
}

template <uint16_t project_statistics::*F>
void project_count(var_call&, std::string& v) {
    v = fmt_d(stats().*F);
}

void project_sections(var_call&, std::string& v) { v = fmt_fixed(0, stats().sections_quantity); }

// Truck loads of surplus soil: (exchanged - embankment) x 1.4 / 15, up to
// a whole number (binary noise below a whole number is not a load).
void surplus_disposals(var_call&, std::string& v) {
    const double loads = (stats().volume_to_exchange - stats().volume_embankment) * 1.4 / 15;
    v = fmt_d(static_cast<int64_t>(std::ceil(std::round(loads * 1e9) / 1e9)));
}

// --- treatment plant ----------------------------------------------------------------------

std::string flag(bool on) { return on ? "1" : "0"; }

double drain_length() { return stats().drainage_beds_length; }

// The object text of the current profile's node that holds a treatment
// element's code; empty when the search gives the first node.
void treatment_object(const char* short_name, std::string& v) {
    std::string code;
    treatment_block_name(short_name, code);
    if (!current_profile()) return;
    const uint16_t node = obiekt_szuk(code, model().current_profile);
    if (node != 0) v = current_profile()->nodes[node].obiekt;
}

// --- material lines ------------------------------------------------------------------------

const mat_stat* own_bill_line(const var_call& c) {
    const odcinek* p = profile_of(c.i0);
    if (!p || p->bill.empty() || c.i1 < 0 || c.i1 >= static_cast<int>(p->bill.size())) return nullptr;
    return &p->bill[static_cast<std::size_t>(c.i1)];
}

const mat_stat* chosen_bill_line(const var_call& c) {
    const projekt& pr = model().project;
    if (pr.bill.empty()) return nullptr;
    const int k = traport_network_index();
    const auto& bill = k > 0 && k <= static_cast<int>(pr.network_bills.size())
                           ? pr.network_bills[static_cast<std::size_t>(k - 1)]
                           : pr.bill;
    if (c.i0 < 0 || c.i0 >= static_cast<int>(bill.size())) return nullptr;
    return &bill[static_cast<std::size_t>(c.i0)];
}

std::string without_auto(const std::string& names) { return delete_substring(names, "auto", 0); }

template <const mat_stat* (*Line)(const var_call&)>
struct bill_vars {
    static void name(var_call& c, std::string& v) {
        if (const mat_stat* l = Line(c)) v = l->main.name;
    }
    static void quantity(var_call& c, std::string& v) {
        if (const mat_stat* l = Line(c)) v = fmt_f(l->main.quantity);
    }
    static void unit(var_call& c, std::string& v) {
        if (const mat_stat* l = Line(c)) v = koszt_jedn2txt(l->main.unit);
    }
    static void catalogue(var_call& c, std::string& v) {
        if (const mat_stat* l = Line(c)) v = l->adds.index;
    }
    static void producer(var_call& c, std::string& v) {
        if (const mat_stat* l = Line(c)) v = l->adds.producer;
    }
    static void material(var_call& c, std::string& v) {
        if (const mat_stat* l = Line(c)) v = l->adds.material;
    }
    static void date(var_call& c, std::string& v) {
        if (const mat_stat* l = Line(c)) v = l->adds.date;
    }
};

void own_bill_nodes(var_call& c, std::string& v) {
    if (const mat_stat* l = own_bill_line(c)) v = without_auto(l->adds.node_name);
}

// The node names with "auto" deleted, the first blank deleted and the
// other blanks turned into ";".
void chosen_bill_nodes(var_call& c, std::string& v) {
    const mat_stat* l = chosen_bill_line(c);
    if (!l) return;
    std::string names = without_auto(l->adds.node_name);
    if (const std::size_t blank = names.find(' '); blank != std::string::npos) names.erase(blank, 1);
    v = string_replace_all(" ", ";", names);
}

// --- object variables and the object library -----------------------------------------------

template <int N>
void object_variable(var_call& c, std::string& v) {
    if (c.i3 == 11111 && node_of(c.i0, c.i1)) v = wyciag_var(N, static_cast<uint16_t>(c.i0), c.i1, false, 1);
}

template <std::string mat_adds::*F>
void library_field(var_call& c, std::string& v) {
    mat_stat item;
    if (sources().object_item(c.i0, item)) v = item.adds.*F;
}

void library_name(var_call& c, std::string& v) {
    mat_stat item;
    if (sources().object_item(c.i0, item)) v = item.main.name;
}

// --- profile and drawing ----------------------------------------------------------------------

// The column of the scales table for the sheet whose preview button is
// down: 1 profile, 2 cross-section or sump, 3 scheme.
int sheet_column() {
    if (Form1->tb_PreviewScheme->Down()) return 3;
    if (Form1->tb_PreviewCrossSection->Down() || Form1->tb_PreviewSump->Down()) return 2;
    return 1;
}

// The horizontal scale of the chosen sheet; on the profile sheet "różne"
// when the profiles' scales differ or the band row "skala" is forced.
std::string horizontal_scale() {
    const int column = sheet_column();
    if (column == 1) {
        bool forced = false;
        const uint8_t row = TitleNr("skala", "");
        const auto& rows = settings().profile_table_rows;
        if (row != 255 && row < rows.size()) forced = rows[row].forced;
        if (model().scales_differ || forced) return msg("msg_Varies", "różne"_cp);
    }
    return topcje->sag_DrawingProperties->Cells(column, 1);
}

std::string vertical_scale() { return topcje->sag_DrawingProperties->Cells(sheet_column(), 2); }

void cross_section_name(var_call&, std::string& v) {
    if (Form1->tb_PreviewCrossSection->Down()) {
        const odcinek* p = current_profile();
        const int k = Form1->cb_CrossSections->ItemIndex();
        if (p && k >= 0 && k < static_cast<int>(p->sections.size())) v = p->sections[static_cast<std::size_t>(k)].name;
    } else if (Form1->tb_PreviewSump->Down() && Form1->tb_PreviewSump->Tag >= 100) {
        const auto& sumps = model().project.sumps;
        const std::size_t s = static_cast<std::size_t>(Form1->tb_PreviewSump->Tag - 100);
        if (s < sumps.size()) v = Format("%s, [%s]", {sumps[s].main.name, sumps[s].adds.node_name});
    }
}

}  // namespace

int traport_network_index() {
    return traport && traport->cb_NetworkType ? traport->cb_NetworkType->ItemIndex() : 0;
}

void project_variables(std::vector<var_entry>& out) {
    using own = bill_vars<own_bill_line>;
    using chosen = bill_vars<chosen_bill_line>;
    out.insert(out.end(), {
        // Project data.
        {"inwestor", "investor", project_field<&projekt_dane::inwestor>},
        {"inwestor_miejscowosc", "investor_place", project_field<&projekt_dane::inor_miejscowosc>},
        {"inwestor_kod", "investor_zip_code", project_field<&projekt_dane::inor_kod>},
        {"inwestor_poczta", "investor_post", project_field<&projekt_dane::inor_poczta>},
        {"obiekt", "object", project_field<&projekt_dane::obiekt>},
        {"inwestycja", "investment", project_field<&projekt_dane::inwestycja>},
        {"inwestycja_miejscowosc", "investment_place", project_field<&projekt_dane::miejscowosc>},
        {"inwestycja_kod", "investment_zip_code", project_field<&projekt_dane::kod>},
        {"inwestycja_poczta", "investment_post", project_field<&projekt_dane::poczta>},
        {"inwestycja_gmina", "investment_commune", project_field<&projekt_dane::gmina>},
        {"inwestycja_nr_dzialki", "investment_allotment_no", project_field<&projekt_dane::dzialka>},
        {"projekt_branza", "project_type", project_field<&projekt_dane::branza>},
        {"projekt_nr_zlecenia", "project_oder_no", project_field<&projekt_dane::nr_zlecenia>},
        {"projekt_data", "project_date", project_field<&projekt_dane::data>},
        {"wlasne1", "user1", project_field<&projekt_dane::wlas1>},
        {"wlasne2", "user2", project_field<&projekt_dane::wlas2>},
        {"wlasne3", "user3", project_field<&projekt_dane::wlas3>},
        // Company.
        {"firma_nazwa", "company_name", company<1>},
        {"firma_miejscowosc", "company_place", company<2>},
        {"firma_kod", "company_zip_code", company<3>},
        {"firma_poczta", "company_post", company<4>},
        {"firma_telefon", "company_phone", company<5>},
        {"firma_fax", "company_fax", company<6>},
        {"firma_mail", "company_mail", company<7>},
        {"firma_wwww", "company_www", company<8>},
        {"firma_wlasne1", "company_user1", company<9>},
        {"firma_wlasne2", "company_user2", company<10>},
        {"firma_wlasne3", "company_user3", company<11>},
        // Statistics of the current profile.
        {"stat_objetosc_wymiany", "stat_volume_to_exchange", profile_volume<vs_volume_to_exchange>},
        {"stat_objetosc_nasypow", "stat_volume_embankment", profile_volume<vs_volume_embankment>},
        {"stat_objetosc_wykopow", "stat_volume_excavation", profile_volume<vs_volume_excavation>},
        {"stat_objetosc_obsypki", "stat_volume_sidefill", profile_volume<vs_volume_sidefill>},
        {"stat_objetosc_podsypki", "stat_volume_bedding", profile_volume<vs_volume_bedding>},
        {"stat_powierzchnia_uzbrojenia", "stat_infrastructure_area", profile_volume<vs_infrastructure_area>},
        {"stat_powierzchnia_darni", "stat_area", profile_volume<vs_turf_area>},
        {"stat_powierzchnia_scian", "stat_walls_area", profile_volume<vs_walls_area>},
        {"stat_zaglebienie_maks", "stat_depth_max", profile_stat<&profile_statistics::depth_max>},
        {"stat_zaglebienie_min", "stat_depth_min", profile_stat<&profile_statistics::depth_min>},
        {"stat_spadek_maks", "stat_slope_max", profile_stat<&profile_statistics::slope_max>},
        {"stat_spadek_min", "stat_slope_min", profile_stat<&profile_statistics::slope_min>},
        {"stat_dlugosc", "stat_length", profile_length},
        {"stat_ilosc_odcinkow", "stat_sections_quantity", profile_sections},
        {"stat_odcinek_maks", "stat_section_max", profile_stat<&profile_statistics::section_max>},
        // Statistics of the project.
        {"stat_aobjetosc_wymiany", "stat_avolume_to_exchange", project_stat<&project_statistics::volume_to_exchange>},
        {"stat_aobjetosc_nasypow", "stat_avolume_embankment", project_stat<&project_statistics::volume_embankment>},
        {"stat_aobjetosc_wykopow", "stat_avolume_excavation", project_stat<&project_statistics::volume_excavation>},
        {"stat_aobjetosc_obsypki", "stat_avolume_sidefill", project_stat<&project_statistics::volume_sidefill>},
        {"stat_aobjetosc_podsypki", "stat_avolume_bedding", project_stat<&project_statistics::volume_bedding>},
        {"stat_apowierzchnia_uzbrojenia", "stat_ainfrastructure_area",
         project_stat<&project_statistics::infrastructure_area>},
        {"stat_apowierzchnia_darni", "stat_aarea", project_stat<&project_statistics::turf_area>},
        {"stat_apowierzchnia_scian", "stat_awalls_area", project_stat<&project_statistics::walls_area>},
        {"stat_azaglebienie_maks", "stat_adepth_max", project_stat<&project_statistics::depth_max>},
        {"stat_azaglebienie_min", "stat_adepth_min", project_stat<&project_statistics::depth_min>},
        {"stat_aspadek_maks", "stat_aslope_max", project_stat<&project_statistics::slope_max>},
        {"stat_aspadek_min", "stat_aslope_min", project_stat<&project_statistics::slope_min>},
        {"stat_adlugosc", "stat_alength", project_stat<&project_statistics::length>},
        {"stat_ailosc_odcinkow", "stat_asections_quantity", project_sections},
        {"stat_aodcinek_maks", "stat_asection_max", project_stat<&project_statistics::section_max>},
        {"stat_ailosc_kolizji", "stat_acrossings_count", project_count<&project_statistics::crossings_count>},
        {"stat_ailosc_wcinek", "stat_joins_amount", project_count<&project_statistics::joints_count>},
        {"stat_ailosc_przejsc_przez_sciane", "stat_wall_quantity",
         project_count<&project_statistics::wall_passages_count>},
        {"stat_ailosc_pompowni", "stat_pumpstation_quantity", project_count<&project_statistics::pumpstations_count>},
        {"stat_aobjetosc_wykopu_pod_osadniki", "stat_tank_excavation_volume",
         project_stat<&project_statistics::tank_excavation_volume>},
        {"stat_ailosc_wywozow_nadmiaru_ziemi", "stat_yield_surplus_disposal_quantity", surplus_disposals},
        // Treatment plant.
        {"jest_pompownia", "pumpstation_exists",
         [](var_call&, std::string& v) { v = flag(stats().pumpstations_count > 0); }},
        {"wentylacja_sciana_wewn", "ventilation_wall_inside",
         [](var_call&, std::string& v) { v = flag(Form1->rb_VentWallInside->Checked()); }},
        {"wentylacja_sciana_zewn", "ventilation_wall_outside",
         [](var_call&, std::string& v) { v = flag(Form1->rb_VentWallOutside->Checked()); }},
        {"wentylacja_maszt", "ventilation_mast", [](var_call&, std::string& v) { v = flag(Form1->cb_VentMast->Checked()); }},
        {"wykop_podsypka_wysokosc", "trench_bedding_height",
         [](var_call&, std::string& v) { v = fmt_g(settings().bedding_height); }},
        {"wykop_obsypka_wysokosc", "trench_sidefill_height",
         [](var_call&, std::string& v) { v = fmt_g(settings().sidefill_height); }},
        {"o_filtr_szerokosc", "o_filter_width",
         [](var_call&, std::string& v) { v = fmt_d(Form1->tb_SandFilterWidth->Position()); }},
        {"o_filtr_dlugosc", "o_filter_length",
         [](var_call&, std::string& v) { v = fmt_d(Form1->tb_SandFilterLength->Position()); }},
        {"o_filtr_powierzchnia", "o_filter_area",
         [](var_call&, std::string& v) {
             v = fmt_f(double(Form1->tb_SandFilterWidth->Position()) * Form1->tb_SandFilterLength->Position());
         }},
        {"o_drenaz_ilosc_nitek", "o_drain_trench_quantity",
         [](var_call&, std::string& v) { v = fmt_d(Form1->tb_DrainageTrenchAmount->Position()); }},
        {"o_drenaz_dlugosc_nitki", "o_drain_trench_length",
         [](var_call&, std::string& v) { v = fmt_d(Form1->tb_DrainageTrenchLength->Position()); }},
        {"o_drenaz_ilosc_poletek", "o_drain_field_quantity",
         [](var_call&, std::string& v) { v = fmt_d(Form1->se_DrainageBedsAmount->Value()); }},
        {"o_drenaz_dlugosc", "o_drain_length", [](var_call&, std::string& v) { v = fmt_f(drain_length()); }},
        {"o_drenaz_objetosc_zwiru", "o_gravel_volume",
         [](var_call&, std::string& v) { v = fmt_f(drain_length() * settings().gravel_layer_height * 0.5); }},
        {"o_drenaz_objetosc_piasku", "o_sand_volume",
         [](var_call&, std::string& v) { v = fmt_f(drain_length() * settings().sand_layer_height * 0.5); }},
        {"o_geowloknina_dlugosc", "o_geotextile_length", [](var_call&, std::string& v) { v = fmt_f(drain_length() * 0.5); }},
        {"o_objetosc_osadnikow", "o_septic_tanks_volume", [](var_call&, std::string& v) { v = fmt_f(stats().tanks_volume); }},
        {"o_osadnik", "o_septic_tank", [](var_call&, std::string& v) { treatment_object("osadn", v); }},
        {"o_separator", "", [](var_call&, std::string& v) { treatment_object("separ", v); }},
        {"o_went_dlugosc", "o_vent_length", [](var_call&, std::string& v) { v = Form1->e_VentLength->Text(); }},
        {"o_odl_pompowni", "o_pumpstation_distance",
         [](var_call&, std::string& v) {
             v = Form1->e_ElectrLength->Text();
             if (v.empty()) v = "0";
         }},
        // Running numbers.
        {"t_lp", "", [](var_call& c, std::string& v) { v = fmt_d(c.i2); }},
        {"t1_lp", "t1_no", [](var_call& c, std::string& v) { v = fmt_d(c.i2); }},
        {"t2_lp", "t2_no", [](var_call& c, std::string& v) { v = fmt_d(c.i1 + 1); }},
        {"t3_lp", "t3_no", [](var_call& c, std::string& v) { v = fmt_d(c.i2 + 1); }},
        {"t4_lp", "t4_no", [](var_call& c, std::string& v) { v = fmt_d(c.i3 + 1); }},
        // Material lines: the profile's own bill and the statistics window's.
        {"tm_nazwa", "tm_name", own::name},
        {"tm_ilosc", "tm_quantity", own::quantity},
        {"tm_jednostka", "tm_unit", own::unit},
        {"tm_wezel", "tm_node", own_bill_nodes},
        {"tm_nr_kat", "tm_cat_no", own::catalogue},
        {"tm_producent", "tm_producer", own::producer},
        {"tm_material", "", own::material},
        {"tm_data", "tm_date", own::date},
        {"tm_anazwa", "tm_aname", chosen::name},
        {"tm_ailosc", "tm_aquantity", chosen::quantity},
        {"tm_ajednostka", "tm_aunit", chosen::unit},
        {"tm_anr_kat", "tm_acat_no", chosen::catalogue},
        {"tm_aproducent", "tm_aproducer", chosen::producer},
        {"tm_amaterial", "", chosen::material},
        {"tm_adata", "tm_adate", chosen::date},
        {"tm_awezel", "tm_anode", chosen_bill_nodes},
        // Object variables of a drawn node.
        {"v1", "", object_variable<0>},
        {"v2", "", object_variable<1>},
        {"v3", "", object_variable<2>},
        {"v4", "", object_variable<3>},
        {"v5", "", object_variable<4>},
        {"v6", "", object_variable<5>},
        {"v7", "", object_variable<6>},
        {"v8", "", object_variable<7>},
        // The object library's list.
        {"obj_nazwa", "obj_name", library_name},
        {"obj_producent", "obj_producer", library_field<&mat_adds::producer>},
        {"obj_opis", "obj_description", library_field<&mat_adds::description>},
        {"obj_nr", "obj_idx", library_field<&mat_adds::index>},
        {"obj_material", "", library_field<&mat_adds::material>},
        {"obj_data", "obj_date", library_field<&mat_adds::date>},
        // Profile and drawing.
        {"poziom_por", "compare_level",
         [](var_call& c, std::string& v) {
             if (const odcinek* p = profile_of(c.i0)) v = fmt_f(p->poziom_wart);
         }},
        {"nazwa_profilu", "profile_name",
         [](var_call& c, std::string& v) {
             if (const odcinek* p = profile_of(c.i0)) v = p->nazwa;
         }},
        // The length of profile i0 from its first node to its last, and the
        // names of those two nodes (the profile list of the documents).
        {"dlugosc_profilu", "profile_length",
         [](var_call& c, std::string& v) {
             if (const odcinek* p = profile_of(c.i0); p && !p->nodes.empty())
                 v = col(column_kind::dlug, p->nodes.back().odl - p->nodes.front().odl);
         }},
        {"wezel_poczatkowy", "profile_first_node",
         [](var_call& c, std::string& v) {
             if (const odcinek* p = profile_of(c.i0); p && !p->nodes.empty()) v = p->nodes.front().wez;
         }},
        {"wezel_koncowy", "profile_last_node",
         [](var_call& c, std::string& v) {
             if (const odcinek* p = profile_of(c.i0); p && !p->nodes.empty()) v = p->nodes.back().wez;
         }},
        {"nazwa_rysunku", "drawing_name",
         [](var_call&, std::string& v) { v = topcje->sag_DrawingProperties->Cells(sheet_column(), 3); }},
        {"nr_rysunku", "drawing_number",
         [](var_call&, std::string& v) {
             if (!Form1->tb_PreviewSump->Down()) v = topcje->sag_DrawingProperties->Cells(sheet_column(), 4);
         }},
        {"nazwa_przekroju", "crosssection_name", cross_section_name},
        {"data", "date", [](var_call&, std::string& v) { v = DateToStr(Date()); }},
        {"dat", "", [](var_call&, std::string& v) { v = DateToStr(Date()); }},
        {"ska", "", [](var_call&, std::string& v) { v = "1: " + vertical_scale() + "/" + horizontal_scale(); }},
        {"skala_x", "scale_x", [](var_call&, std::string& v) { v = horizontal_scale(); }},
        {"skala_y", "scale_y", [](var_call&, std::string& v) { v = vertical_scale(); }},
    });
}
