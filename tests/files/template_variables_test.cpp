#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "files/wydruki.h"
#include "forms/dane.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "forms/skojarzone.h"
#include "model/cost_state.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "platform/cp1250.h"
#include "platform/named_bytes.h"
#include "platform/sysutils.h"
#include "support/fixture.h"
#include "support/panel_values.h"

namespace {

// A small project: two profiles (the first with three nodes, two-sided
// values, a crossing, a casing pipe and a bill line), a sump served by the
// second node, project statistics, a project bill and an estimate of two
// elements.
class TemplateVariables : public ProgramTest {
protected:
    TemplateVariables() {
        panel_choices_as_values();
        euro_rounding = true;
        model_state& m = model();
        m.project.dane.inwestor = "Gmina Łódź"_cp;
        odcinek p;
        p.nazwa = "Łódź"_cp;
        p.idp = 1;
        p.poziom_wart = 115;
        p.rzedna = 1;
        p.pl2r_wart = true;
        p.length = 30;
        wezel a;
        a.id = 1;
        a.wez = "S1";
        a.ter_used = {123.45, 123.40};
        a.terp_used = {124.5, 124.5};
        a.dno = {121.0, 120.95};
        a.zag = {2.45, 2.45};
        a.fi = {200, 200};
        a.dlug = 10;
        a.spad = 1.25;
        a.kom = "Ko @_td_wezel";
        a.mat = "PVC";
        a.wsplx = 100.5;
        a.szer = {0.8, 0.9};
        a.flow = 1.5;
        a.volumes[vs_volume_embankment] = 2.5;
        wezel b = a;
        b.id = 2;
        b.wez = "S2";
        b.ter_used = {123.0, 123.0};
        b.fi = {200, 250};
        b.dlug = 20;
        b.odl = 10;
        b.flow = 2;
        wezel c = b;
        c.id = 3;
        c.wez = "S3";
        c.odl = 30;
        p.nodes = {a, b, c};
        kolizja k;
        k.medium = "Gaz";
        k.projected = true;
        k.diameter = 0.1;
        k.chainage = 5;
        k.distance = 2.5;
        p.crossings = {k};
        oslonowa o;
        o.material = "Stal";
        o.length = -6;
        p.casings = {o};
        mat_stat line;
        line.main.name = "Rura PVC";
        line.main.unit = 40;
        line.main.quantity = 20;
        line.adds.node_name = "auto S1 S2";
        p.bill = {line};
        m.profiles = {p};
        odcinek q;
        q.nazwa = "Boczny";
        q.idp = 2;
        q.nodes = {c};
        m.profiles.push_back(q);
        m.current_profile = 0;

        mat_studzienka s;
        s.main.name = "Studnia 1";
        s.adds.node_name = "S2";
        s.diameter = 1000;
        s.thickness = 800;
        s.bottom = 119500;
        s.inlet_ordinates = std::string("120.1234") + list_separator + "120.5" + list_separator;
        m.project.sumps = {s};
        m.project.statistics.volume_to_exchange = 100;
        m.project.statistics.volume_embankment = 40;
        mat_stat all = line;
        all.adds.node_name = "autoS1 S2 S3";
        m.project.bill = {all};

        settings().crossing_media = {"gaz"};
        topcje->sag_CrossingsFonts->SetCell(2, 1, "1");
        topcje->sag_Company->SetCell(1, 1, "Biuro Projektowe");
        tdane->sag_dane_kadra->SetCell(1, 1, "Jan Kowalski");

        kosztorysy& cost = cost_data();
        kosztorys e;
        e.title.inwestor = "Inwestor K";
        e.totals.brutto = 151844;
        e.params.vat = 23;
        koszt_element earth;
        earth.opis = "Roboty ziemne";
        koszt_pozycja dig;
        dig.opis = "Wykop";
        dig.kat_nazwa = "KNR";
        dig.kat_nr = "2-01";
        dig.kat_tab = 105;
        dig.kat_kol = 2;
        dig.kat_wer = 3;
        dig.ilosc = 4;
        dig.pomR = 1250;
        dig.resources = {koszt_material{7, "Robotnik", 149, 0, 2.5, 'r', 2550}};
        earth.positions = {dig};
        koszt_element pipes;
        pipes.opis = "Rury";
        pipes.ilosc = 1;
        e.elements = {earth, pipes};
        cost.estimates = {e};
        cost.labour = {koszt_material{7, "Robotnik", 149, 10, 0, 'r', 2550}};
        cost.params.vat = 23;
    }

    std::string value(const std::string& name, int i0 = 0, int i1 = 0, int i2 = 0, int i3 = 0) {
        return tskojarzone->wypelnij_linie("@_" + name, "txt", i0, i1, i2, i3);
    }
};

struct variable_case {
    const char* name;
    int i0, i1, i2, i3;
    const char* expected;  // with "." as the decimal separator
    bool number;           // the separator follows the system's
};

TEST_F(TemplateVariables, CatalogueGivesEveryGroupInBothSpellingsAndWithBothSeparators) {
    const variable_case cases[] = {
        // Project data, designers, company; modifiers "$" and "|N".
        {"inwestor", 0, 0, 0, 0, "Gmina Łódź"_cp, false},
        {"investor", 0, 0, 0, 0, "Gmina Łódź"_cp, false},
        {"INWESTOR", 0, 0, 0, 0, "Gmina Łódź"_cp, false},
        {"inwestor$", 0, 0, 0, 0, "Gmina Lodz", false},
        {"nazwa_profilu$", 0, 0, 0, 0, "Lodz", false},
        {"profile_name|2", 0, 0, 0, 0, "Łódź"_cp, false},
        {"projektant_naz1", 0, 0, 0, 0, "Jan Kowalski", false},
        {"designer_name_1", 0, 0, 0, 0, "Jan Kowalski", false},
        {"firma_nazwa", 0, 0, 0, 0, "Biuro Projektowe", false},
        {"company_name", 0, 0, 0, 0, "Biuro Projektowe", false},
        // Node values with their sides and offsets.
        {"td_rzedna_terenu", 0, 0, 0, 0, "123.45/123.40", true},
        {"td_ground_level", 0, 0, 0, 1, "123.45", true},
        {"td_rzedna_terenu", 0, 0, 0, 2, "123.4", true},
        {"td_ground_level_r", 0, 0, 0, 0, "123.40", true},
        {"td_rzedna_dna_rury", 0, 0, 0, 0, "121.00/120.95", true},
        {"td_zaglebienie", 0, 0, 0, 0, "2.45", true},
        {"td_srednica", 0, 1, 0, 0, "200/250", false},
        {"td_diameter_m", 0, 1, 0, 1, "0.20", true},
        {"td_dlugosc", 0, 0, 0, 0, "10.00", true},
        {"td_slope", 0, 0, 0, 0, "1.3", true},
        {"td_material", 0, 0, 0, 0, "PVC", false},
        {"td_komentarz", 0, 0, 0, 0, "Ko S1", false},
        {"td_node", 0, 1, 0, 0, "S2", false},
        {"td_wspl_x", 0, 0, 0, 0, "100.500", true},
        {"td_flow_from_section_as_sec", 0, 1, 0, 0, "2.000", true},
        {"td_spadek_terenu_istn", 0, 0, 0, 0, "0.04000", true},
        {"td_nasyp", 0, 0, 0, 0, "2.50", true},
        {"td_rzedna_rury_typ", 0, 0, 0, 0, "osi", false},
        {"td_wezel", 0, 5, 0, 0, "", false},
        // Sumps and the sump's node.
        {"ts_nazwa", 0, 0, 0, 0, "Studnia 1", false},
        {"ts_no", 0, 0, 0, 0, "1", false},
        {"ts_srednica", 0, 0, 0, 0, "1", false},
        {"ts_cover_diameter", 0, 0, 0, 0, "1.000", true},
        {"ts_grubosc_sciany", 0, 0, 0, 0, "0.08", true},
        {"ts_doplywy|2", 0, 0, 0, 0, "120.12; 120.50", true},
        {"ts_bottom_ordinate", 0, 0, 0, 0, "119.50", true},
        {"ts_td_wezel", 0, 0, 0, 0, "S2", false},
        {"ts_nazwa", 1, 0, 0, 0, "", false},
        // Crossings and casing pipes: i0 of the current profile, or (i0, i1) for i3 = -1.
        {"tk_medium", 0, 0, 0, 0, "Gaz", false},
        {"tk_czy_projektowana", 0, 0, 0, 0, "Tak", false},
        {"tk_is_projected|'jest'|'nie ma'", 0, 0, 0, 0, "jest", false},
        {"tk_czy_do_usuniecia", 0, 0, 0, 0, "Nie", false},
        {"tk_diameter", 0, 0, 0, 0, "0.10", true},
        {"tk_odleglosc_od_pocz", 0, 0, 0, -1, "7.50", true},
        {"tk_color", 0, 0, 0, 0, "FF0000", false},
        {"tk_medium", 1, 0, 0, 0, "", false},
        {"to_material", 0, 0, 0, 0, "Stal", false},
        {"to_length", 0, 0, 0, 0, "6.00", true},
        // Bills of materials.
        {"tm_nazwa", 0, 0, 0, 0, "Rura PVC", false},
        {"tm_unit", 0, 0, 0, 0, "m", false},
        {"tm_wezel", 0, 0, 0, 0, " S1 S2", false},
        {"tm_aname", 0, 0, 0, 0, "Rura PVC", false},
        {"tm_awezel", 0, 0, 0, 0, "S1S2;S3", false},
        // Statistics, running numbers, object variables, drawing.
        {"stat_dlugosc", 0, 0, 0, 0, "30.00", true},
        {"stat_aobjetosc_wymiany", 0, 0, 0, 0, "100.00", true},
        {"stat_yield_surplus_disposal_quantity", 0, 0, 0, 0, "6", false},
        {"stat_dlugosc|0", 0, 0, 0, 0, "30", false},
        {"t2_lp", 0, 4, 0, 0, "5", false},
        {"v1", 0, 0, 0, 0, "", false},
        {"ska", 0, 0, 0, 0, "1: 100/200", false},
        // A profile's length from its first node to its last and those nodes.
        {"dlugosc_profilu", 0, 0, 0, 0, "30.00", true},
        {"profile_length", 1, 0, 0, 0, "0.00", true},
        {"wezel_poczatkowy", 0, 0, 0, 0, "S1", false},
        {"profile_last_node", 0, 0, 0, 0, "S3", false},
        {"wezel_koncowy", 1, 0, 0, 0, "S3", false},
        {"profile_first_node", 2, 0, 0, 0, "", false},
        {"nazwa_rysunku", 0, 0, 0, 0, "PROFIL PODŁUŻNY"_cp, false},
        {"wentylacja_sciana_wewn", 0, 0, 0, 0, "1", false},
        {"o_odl_pompowni", 0, 0, 0, 0, "0", false},
        // Cost estimates, their resources and title data.
        {"ko_calc_w_brutto", 0, 0, 0, 0, "1518.44", true},
        {"ko_calc_w_brutto#", 0, 0, 0, 0, "jeden tysiąc pięćset osiemnaście złotych czterdzieści cztery grosze"_cp, false},
        {"ko_element_description", 0, 1, 0, 0, "Rury", false},
        {"ko_element_quantity", 0, 1, 0, 0, "1.00", true},
        {"ko_position_catalog", 0, 0, 0, 0, "KNR 2-01 0105-0203", false},
        {"ko_material_description", 0, 0, 0, 0, "Robotnik", false},
        {"ko_material_limit", 0, 0, 0, 0, "10.0000", true},
        {"ko_add_r_description", 0, 0, 0, 0, "Robocizna dodatkowa", false},
        {"ko_add_r_quantity", 0, 0, 0, 0, "12.50", true},
        {"ko_add_m_description", 0, 0, 0, 0, "", false},
        {"ko_n_vat", 0, 0, 0, 0, "23", false},
        {"k_investor", 0, 0, 0, 0, "Inwestor K", false},
        {"k_investor'", 0, 0, 0, 0, "Gmina Łódź"_cp, false},
        {"rms_material_description_r", 0, 0, 0, 0, "Robotnik", false},
        {"rms_material_w_netto_r", 0, 0, 0, 0, "255.00", true},
        {"nieznana", 0, 0, 0, 0, "", false},
    };
    for (char separator : {'.', ','}) {
        decimal_separator = separator;
        // The sump's inlet ordinates are stored as the system writes them.
        model().project.sumps[0].inlet_ordinates =
            std::string("120") + separator + "1234" + list_separator + "120" + separator + "5" + list_separator;
        for (const variable_case& c : cases) {
            std::string expected = c.expected;
            if (c.number) std::replace(expected.begin(), expected.end(), '.', separator);
            EXPECT_EQ(value(c.name, c.i0, c.i1, c.i2, c.i3), expected)
                << c.name << " (" << c.i0 << ", " << c.i1 << ", " << c.i2 << ", " << c.i3 << ") separator " << separator;
        }
    }
}

TEST_F(TemplateVariables, PipeOrdinatesFollowTheOrdinateModeUnlessTheBottomIsAlwaysShown) {
    decimal_separator = '.';
    topcje->cb_AlwaysShowBottomPipe->SetChecked(false);
    topcje->cb_DepthAlways2BottomPipe->SetChecked(false);
    Form1->rg_PipeOrdinateMode->SetItemIndex(1);  // the axis: half the diameter above the bottom
    EXPECT_EQ(value("td_rzedna_rury", 0, 1), "121.10/121.05");
    EXPECT_EQ(value("td_pipe_level_r", 0, 1), "121.05");
    EXPECT_EQ(value("td_depth", 0, 1), "2.35");
    Form1->rg_PipeOrdinateMode->SetItemIndex(2);  // the top: the whole diameter
    EXPECT_EQ(value("td_pipe_level_l", 0, 1), "121.20");
    EXPECT_EQ(value("td_depth_r", 0, 1), "2.25");
    topcje->cb_AlwaysShowBottomPipe->SetChecked(true);
    EXPECT_EQ(value("td_rzedna_rury", 0, 1), "121.00/120.95");
    EXPECT_EQ(value("td_depth", 0, 1), "2.25");
    topcje->cb_DepthAlways2BottomPipe->SetChecked(true);
    EXPECT_EQ(value("td_depth", 0, 1), "2.45");
}

TEST_F(TemplateVariables, ScaleVariesWhenTheProfilesDifferAndRunningEstimateNumbersCount) {
    decimal_separator = '.';
    model().scales_differ = true;
    EXPECT_EQ(value("skala_x"), "różne"_cp);
    EXPECT_EQ(value("ska"), "1: 100/różne"_cp);
    Form1->tb_PreviewScheme->SetDown(true);
    EXPECT_EQ(value("skala_x"), "100");
    std::string numbers = value("ko_calc_no_all");
    numbers += value("ko_calc_no_all");
    numbers += value("ko_calc_no_all");
    EXPECT_EQ(numbers, "123");
}

TEST_F(TemplateVariables, BadModifiersAndDesignerRowsRaiseTheConversionError) {
    EXPECT_THROW(value("stat_dlugosc|x"), EConvertError);
    EXPECT_THROW(value("projektant_nazw"), EConvertError);
    EXPECT_THROW(value("designer_name_"), EConvertError);
}

TEST_F(TemplateVariables, ACommentNamingItselfGivesNothingForItself) {
    model().profiles[0].nodes[0].kom = "[@_td_komentarz @_td_wezel]";
    EXPECT_EQ(value("td_comment"), "[ S1]");
}

TEST_F(TemplateVariables, NoTwoEntriesShareAName) {
    std::vector<var_entry> entries;
    project_variables(entries);
    node_variables(entries);
    cost_variables(entries);
    std::set<std::string> names;
    for (const var_entry& e : entries)
        for (const char* n : {e.polish, e.english})
            if (n && *n) { EXPECT_TRUE(names.insert(n).second) << n; }
    // Spot checks that a name of each group is known.
    for (const char* n : {"inwestor", "td_depth", "ts_inlets", "tk_color", "ko_position_table_w_sz", "ko_element_n_zkps",
                          "rms_material_netto_s", "k_user3"})
        EXPECT_NE(find_variable(n), nullptr) << n;
    EXPECT_GT(names.size(), 450u);
}

}  // namespace
