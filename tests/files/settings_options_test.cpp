#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "forms/rys1.h"
#include "model/cost_state.h"
#include "forms/kosztprop.h"
#include "forms/materials.h"
#include "forms/kolizje.h"
#include "forms/objects.h"
#include "model/messages.h"
#include "forms/opcje.h"
#include "files/settings.h"
#include "files/settings_groups.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "platform/ini.h"
#include "platform/printer.h"
#include "platform/sysutils.h"
#include "platform/paths.h"
#include "support/fixture.h"
#include "support/model_builders.h"

namespace {

// The separator and rounding mode a case needs (every test starts from the
// built-in settings).
void set_modes(char separator, bool euro) {
    decimal_separator = separator;
    euro_rounding = euro;
}

class SettingsOptions : public ProgramTest {
protected:
    std::string path(const std::string& name) const { return home.file(name); }

    // Writes a file of raw lines (CR LF) and forgets any cached parse.
    std::string make_file(const std::string& name, const std::string& text) {
        const std::string p = path(name);
        std::ofstream out(p, std::ios::binary);
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            out << line << "\r\n";
        }
        out.close();
        ini_cache_clear();
        return p;
    }

    static std::string contents(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    void read_all(const std::string& p) {
        IniFile ini(p);
        read_infotable_and_pattern(ini);
        read_data_lists(ini);
        read_columns(ini);
        read_program_options(ini);
    }

    void write_all(const std::string& p) {
        IniFile ini(p);
        write_program_options(ini);
        ini.UpdateFile();
    }

    // Moves every control and value of the group away from its default.
    void change_everything() {
        Ttopcje& d = *topcje;
        settings_state& s = settings();
        for (TCheckBox* c :
             {d.cb_RoundingModeE, d.cb_AutoBackup, d.cb_MarkFlowDirectOnEverySectionOnScheme, d.cb_VerticalRuler,
              d.cb_MarkScaleBelowProfile, d.cb_SplitPipes, d.cb_NodeLabelsInCircle, d.cb_ppt, d.cb_MarkInlets,
              d.cb_GeoCrossAboveTerrainLine, d.cb_AutoCalculatedCellColor, d.cb_ChamberBottomOrdinate,
              d.cb_TankBottomOrdinate, d.cb_CrossingPipeOrdinate, d.cb_CrossingDistance, d.cb_ProtTubesDistance,
              d.cb_ProtTubesEndDistance, d.l_Distance, d.cb_AutoLine, d.cb_Drop, d.cb_Material, d.cb_NodeIncrementation})
            c->SetChecked(false);
        for (TCheckBox* c : {d.cb_MarkFlowDirect, d.cb_ProfilesNames, d.cb_CrossingDepthLikeConst, d.cb_1PipeLine,
                             d.cb_AutoTrenchSlope, d.cb_ProtTubesEndOrdinate, d.cb_ManholeInletsSchemeNextToManhole})
            c->SetChecked(true);
        d.e_szer->SetText(std::string("0") + decimal_separator + "75");
        d.Edit1->SetText(std::string("3") + decimal_separator + "5");
        d.e_AutoDiameter->SetText("160");
        d.e_wez->SetText("k");
        d.e_GradientPrefix->SetText("i=");
        d.rg_NodePrefix->SetItemIndex(1);
        d.rg_AutoTrenchWidth->SetItemIndex(2);
        d.cb_ProtectingTubesDescPlace->SetItemIndex(2);
        d.cb_FlowUnitV->SetItemIndex(2);
        d.cb_FlowUnitT->SetItemIndex(3);
        d.se_AutoSave->SetValue(45);
        d.e_FileNamePattern->SetText("@_investment");
        Form1->rg_ManuallyValue->SetItemIndex(0);
        tObjects->cb_InListShowDesc->SetChecked(true);
        tObjects->cb_Description->SetText("@_name");
        d.sag_Company->SetCell(1, 1, "Biuro");
        d.sag_Company->SetCell(1, 11, "own");
        s.aod_distance_from = 7.5;
        s.aod_dependency = 2;
        s.symbol_size = 120;
        s.table_font_size = 12;
        s.draw_axis_from = 300;
        s.auto_cell_color = 0x00112233;
        s.active_row_color = clRed;
        s.preview_background = clBlack;
        s.data_lists_edit[0] = "PVC\xa4PE\xa4";
        s.data_lists_edit[13] = "rz\xa4";
        model().column_titles[3] = "Dl.";
        model().column_kind_decimals[4] = 3;
    }
};

// --- defaults ---------------------------------------------------------------------

TEST_F(SettingsOptions, FileWithoutInneAndAutouzupGivesTheDefaultsWithTheSystemSeparator) {
    for (const char sep : {'.', ','}) {
        SCOPED_TRACE(sep);
        set_modes(sep, false);
        change_everything();
        read_all(make_file("no_sections.ini", "[rysunek]\r\n1_rura=1"));
        Ttopcje& d = *topcje;
        const std::string comma(1, sep);
        EXPECT_EQ(d.se_AutoSave->Value(), 10);
        EXPECT_EQ(Form1->t_Save->Interval(), 10 * 60000);
        EXPECT_TRUE(Form1->t_Save->Enabled());
        EXPECT_TRUE(d.cb_AutoBackup->Checked());
        EXPECT_TRUE(d.cb_RoundingModeE->Checked());
        EXPECT_TRUE(euro_rounding);  // switched on by the read
        EXPECT_EQ(d.e_szer->Text(), "0" + comma + "50");
        EXPECT_EQ(d.e_AutoAdd2Diameter->Text(), "0" + comma + "50");
        EXPECT_EQ(d.e_AutoTrenchSlope->Text(), "1" + comma + "50");
        EXPECT_EQ(d.Edit1->Text(), "2" + comma + "00");
        EXPECT_EQ(d.e_AutoDiameter->Text(), "110");
        EXPECT_EQ(d.rg_NodePrefix->ItemIndex(), 0);
        EXPECT_EQ(d.e_wez->Text(), "s");
        EXPECT_EQ(d.rg_AutoTrenchWidth->ItemIndex(), 1);
        EXPECT_EQ(d.cb_FlowUnitV->ItemIndex(), 0);
        EXPECT_EQ(d.cb_FlowUnitT->ItemIndex(), 1);
        EXPECT_DOUBLE_EQ(settings().flow_unit_factor, 1.0);
        EXPECT_EQ(d.e_FileNamePattern->Text(), "@_investor-@_investment_place");
        EXPECT_FALSE(d.cb_CrossingDepthLikeConst->Checked());
        EXPECT_EQ(Form1->rg_ManuallyValue->ItemIndex(), 2);
        EXPECT_EQ(settings().auto_cell_color, 0x00DCFFFFu);
        EXPECT_EQ(settings().symbol_size, 100);
        EXPECT_DOUBLE_EQ(settings().symbol_size_factor, 0.2);
        EXPECT_DOUBLE_EQ(settings().aod_distance_from, 6.0);
        EXPECT_EQ(Form1->OD1->InitialDir, folders().program_folder);
        EXPECT_EQ(Form1->SD1->InitialDir, folders().program_folder);
        EXPECT_TRUE(d.cb_1PipeLine->Checked());  // the one key the file has
        EXPECT_TRUE(d.l_Distance->Checked());
    }
}

TEST_F(SettingsOptions, RoundingOffInTheFileLeavesTheModeAsItWas) {
    for (const bool before : {false, true}) {
        set_modes('.', before);
        read_all(make_file("off.ini", "[inne]\r\neuro_rounding=0"));
        EXPECT_FALSE(topcje->cb_RoundingModeE->Checked());
        EXPECT_EQ(euro_rounding, before);
    }
}

TEST_F(SettingsOptions, DefaultsOfTheListsAndTitlesComeFromTheLanguageFile) {
    set_modes('.', true);
    language_file = make_file("polski.lng",
                              "[MostUsedValues]\r\nmuv_Material=PVC\xa4PE 100%%\xa4\r\nmuv_ObjectDescription=@_opis\xa4@_nazwa\xa4\r\n"
                              "[Columns]\r\nLength=Dlugosc\r\n[topcje]\r\ne_FileNamePattern=@_nazwa");
    read_all(path("missing.ini"));
    const settings_state& s = settings();
    EXPECT_EQ(s.data_lists[0], "PVC\xa4PE 100%\xa4");
    EXPECT_EQ(s.data_lists_edit[0], s.data_lists[0]);
    EXPECT_EQ(s.data_lists[1], "");
    EXPECT_EQ(tObjects->cb_Description->Text(), "@_opis");  // the first item of the object descriptions
    EXPECT_EQ(model().column_titles[3], "Dlugosc");
    EXPECT_EQ(model().column_titles[4], "Spadek");  // the current title
    EXPECT_EQ(topcje->e_FileNamePattern->Text(), "@_nazwa");
    EXPECT_FALSE(std::ifstream(path("missing.ini")).good());  // reading creates no file
}

// --- single keys and their side effects ---------------------------------------------

TEST_F(SettingsOptions, AutoSaveIntervalIsLimitedAndZeroStopsTheTimer) {
    struct Case {
        const char* stored;
        int minutes;
        bool running;
    } cases[] = {{"0", 0, false}, {"500", 120, true}, {"25", 25, true}, {"x5", 10, true}, {"-3", 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        read_all(make_file("save.ini", std::string("[inne]\r\nAutoSaveInterval=") + c.stored));
        EXPECT_EQ(topcje->se_AutoSave->Value(), c.minutes);
        EXPECT_EQ(Form1->t_Save->Enabled(), c.running);
        if (c.running) {
            EXPECT_EQ(Form1->t_Save->Interval(), c.minutes * 60000);
        }
    }
}

TEST_F(SettingsOptions, HandSetKeysAreReadAndSurviveEverySave) {
    const std::string p = make_file("hand.ini", "[inne]\r\nzero=5\r\nacad=1\r\nzablokuj_zakladki=1\r\nukryj_granice=1\r\n"
                                                "current_printer=0\r\nrzedna_dna_kolizji=1\r\nmaterialy_szukaj_wszedzie=0\r\n"
                                                "[program]\r\npath=/data/projects/");
    read_all(p);
    EXPECT_EQ(model().empty_value, 5);
    EXPECT_TRUE(settings().add_entity_handles);
    EXPECT_TRUE(Form1->sb_LockTabShifting->Down());
    EXPECT_TRUE(Form1->tb_HideBoundaryDesc->Down());
    EXPECT_FALSE(Form1->tb_HideCrossing->Down());
    EXPECT_EQ(tkolizje->rg_PipeOrdinateMode->ItemIndex(), 1);
    EXPECT_EQ(tMaterials->rg_SearchWide->ItemIndex(), 0);
    EXPECT_EQ(Form1->OD1->InitialDir, "/data/projects/");
    EXPECT_EQ(settings().dialog_folder, "/data/projects/");

    model().empty_value = 9;
    settings().add_entity_handles = false;
    write_all(p);
    ini_cache_clear();
    IniFile ini(p);
    EXPECT_EQ(ini.ReadString("inne", "zero", ""), "5");
    EXPECT_EQ(ini.ReadString("inne", "acad", ""), "1");

    // None of the keys that only the reader takes is written into a fresh file.
    const std::string fresh = path("fresh.ini");
    write_all(fresh);
    IniFile out(fresh);
    for (const char* key : {"zero", "acad", "current_printer", "materialy_szukaj_wszedzie", "rzedna_dna_kolizji",
                            "zablokuj_zakladki", "ukryj_kolizje", "ukryj_oslonowe", "ukryj_przekroje", "ukryj_granice",
                            "ukryj_podzial_na_strony"})
        EXPECT_FALSE(out.ValueExists("inne", key)) << key;
    EXPECT_FALSE(out.SectionExists("program"));
    EXPECT_FALSE(out.SectionExists("Dane_szer"));
    EXPECT_FALSE(out.SectionExists("nazwa_rys"));  // the main window has no drawing-name box
}

TEST_F(SettingsOptions, ZeroAndByteKeysTakeTheNearestAllowedValue) {
    read_all(make_file("bytes.ini", "[inne]\r\nzero=300\r\ndane_wys=-4\r\nSymbolSizeRatio=150\r\nAODDependency=0x2"));
    EXPECT_EQ(model().empty_value, 255);
    EXPECT_EQ(settings().table_font_size, 0);
    EXPECT_EQ(settings().symbol_size, 150);
    EXPECT_DOUBLE_EQ(settings().symbol_size_factor, 0.3);
    EXPECT_EQ(settings().aod_dependency, 2);
}

TEST_F(SettingsOptions, ColourKeysAcceptNamesHexAndDecimalAndKeepTheirDefaultOtherwise) {
    struct Case {
        const char* stored;
        TColor expected;
    } cases[] = {{"clRed", clRed}, {"$00102030", 0x00102030}, {"255", 255}, {"pink", 0x00DCFFFF}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        settings().auto_cell_color = 1;
        read_all(make_file("colours.ini", std::string("[inne]\r\nkolor_tla_automatu=") + c.stored + "\r\nkolor_tla=clBlack"));
        EXPECT_EQ(settings().auto_cell_color, c.expected);
        EXPECT_EQ(topcje->p_AutoColor->Color(), c.expected);
        EXPECT_EQ(settings().preview_background, clBlack);
        EXPECT_EQ(Form1->Zoombox->Color(), clBlack);
    }
}

TEST_F(SettingsOptions, ABadValueKeepsItsDefaultWhileTheRestIsRead) {
    set_modes(',', true);
    read_all(make_file("bad.ini", "[inne]\r\nAODDistanceFrom=2,5\r\nAutoSaveInterval=ten\r\nBackup=yes\r\nszerokosc=0.8\r\n"
                                  "SymbolSizeRatio=60\r\n[autouzup]\r\nflow_unit_V=one\r\nflow_unit_t=2\r\nspadek=1.5"));
    EXPECT_DOUBLE_EQ(settings().aod_distance_from, 2.5);
    EXPECT_EQ(topcje->se_AutoSave->Value(), 10);
    EXPECT_TRUE(topcje->cb_AutoBackup->Checked());
    EXPECT_EQ(topcje->e_szer->Text(), "0,8");
    EXPECT_EQ(topcje->Edit1->Text(), "1,5");
    EXPECT_EQ(settings().symbol_size, 60);
    EXPECT_EQ(topcje->cb_FlowUnitV->ItemIndex(), 0);
    EXPECT_EQ(topcje->cb_FlowUnitT->ItemIndex(), 2);
    EXPECT_DOUBLE_EQ(settings().flow_unit_factor, 1.0 / 60);
}

TEST_F(SettingsOptions, AsStoredRealWithTheOtherSeparatorKeepsItsDefault) {
    set_modes('.', true);
    settings().aod_distance_from = 9;
    read_all(make_file("stored.ini", "[inne]\r\nAODDistanceFrom=2,5\r\ndane_wys=14"));
    EXPECT_DOUBLE_EQ(settings().aod_distance_from, 6.0);
    EXPECT_EQ(settings().table_font_size, 14);
}

TEST_F(SettingsOptions, FlowUnitFactorFollowsTheVolumeAndTimeUnits) {
    struct Case {
        int v, t;
        double factor;
    } cases[] = {{0, 0, 24}, {0, 1, 1}, {1, 1, 1000}, {1, 3, 1000.0 / 3600}, {3, 2, 1e9 / 60}};
    for (const Case& c : cases) {
        read_all(make_file("flow.ini", "[autouzup]\r\nflow_unit_V=" + std::to_string(c.v) + "\r\nflow_unit_t=" + std::to_string(c.t)));
        EXPECT_DOUBLE_EQ(settings().flow_unit_factor, c.factor) << c.v << "/" << c.t;
    }
}

TEST_F(SettingsOptions, FlowDirectionIsSetOnlyForANewProject) {
    add_profile("P1", 1);
    model().current_profile = 0;
    Form1->rb_FlowDirectionRL->SetChecked(true);
    settings().making_new_project = false;
    read_all(path("none.ini"));
    EXPECT_FALSE(model().profiles[0].pl2r_wart);
    EXPECT_FALSE(Form1->rb_FlowDirectionLR->Checked());

    settings().making_new_project = true;
    read_all(path("none.ini"));
    EXPECT_TRUE(model().profiles[0].pl2r_wart);
    EXPECT_TRUE(Form1->rb_FlowDirectionLR->Checked());
    settings().making_new_project = false;
}

TEST_F(SettingsOptions, PrinterIsSelectedOnlyWhenTheIndexNamesOne) {
    auto& printer = static_cast<RecordingPrinter&>(ui().printer());
    printer.printers = {"A", "B", "C"};
    read_all(make_file("p.ini", "[inne]\r\ncurrent_printer=2"));
    EXPECT_EQ(printer.PrinterIndex(), 2);
    EXPECT_EQ(settings().printer_index, 2);
    read_all(make_file("p.ini", "[inne]\r\ncurrent_printer=3"));
    EXPECT_EQ(printer.PrinterIndex(), 2);
    EXPECT_EQ(settings().printer_index, 3);
    read_all(make_file("p.ini", "[inne]\r\ncurrent_printer=-1"));
    EXPECT_EQ(printer.PrinterIndex(), 0);  // the default printer
    printer.printers.clear();
    read_all(make_file("p.ini", "[inne]\r\ncurrent_printer=-1"));
    EXPECT_EQ(settings().printer_index, -1);
}

TEST_F(SettingsOptions, InfotableKeyIsPerLanguageAndFillsTheLabel) {
    settings().language = "English";
    read_all(make_file("info.ini", "[inne]\r\ndefault_infotable_polski=/a/pl.dxf\r\ndefault_infotable_english=/t/en/info.dxf"));
    TLabel* l = topcje->l_DefaultInfotableChoose;
    EXPECT_EQ(l->Hint(), "/t/en/info.dxf");
    EXPECT_EQ(l->Caption(), "Domy\x9clna metryka / ... /info.dxf");
    topcje->l_FileSettings->SetHint("x.ini");
    read_all(path("none.ini"));
    EXPECT_EQ(l->Hint(), "");
    EXPECT_EQ(topcje->l_FileSettings->Hint(), "");
    settings().language = "polski";
}

// --- columns -----------------------------------------------------------------------

TEST_F(SettingsOptions, FileWithoutInd25LosesItsColumnSections) {
    std::string text = "[Dane]\r\n";
    for (int k = 0; k < 25; ++k) text += "ind_" + std::to_string(k) + "=" + std::to_string(24 - k) + "\r\n";
    text += "[Dane_szer]\r\nwidth_0=300\r\n[Dane_prec]\r\nprec_0=5\r\n[inne]\r\nzero=1";
    const std::string p = make_file("old.ini", text);
    model().column_kind_decimals[0] = 4;
    {
        IniFile ini(p);
        read_columns(ini);
    }
    const model_state& m = model();
    EXPECT_EQ(m.column_order[0], 0);
    EXPECT_EQ(m.column_order[14], 114);
    EXPECT_EQ(m.column_widths[0], 75);
    EXPECT_EQ(m.column_kind_decimals[0], 4);  // the current value
    for (int k = 0; k < column_kind_count; ++k) EXPECT_EQ(m.column_map[static_cast<std::size_t>(k)], k);
    ini_cache_clear();
    IniFile reread(p);
    EXPECT_FALSE(reread.SectionExists("Dane"));
    EXPECT_FALSE(reread.SectionExists("Dane_szer"));
    EXPECT_FALSE(reread.SectionExists("Dane_prec"));
    EXPECT_EQ(reread.ReadString("inne", "zero", ""), "1");
}

TEST_F(SettingsOptions, ColumnOrderIsReadAndTheColumnMapRebuilt) {
    std::string text = "[Dane]\r\n";
    // Kinds 0 and 1 change places; kind 14 comes into the table.
    for (int k = 0; k < column_kind_count; ++k) {
        int v = k < 14 ? k : k + 100;
        if (k == 0) v = 1;
        if (k == 1) v = 0;
        if (k == 14) v = 14;
        text += "ind_" + std::to_string(k) + "=" + std::to_string(v) + "\r\n";
    }
    text += "[Dane_szer]\r\nwidth_3=99\r\n[Dane_prec]\r\nprec_4=3\r\n[Columns_polski]\r\nLength=Dl.";
    IniFile ini(make_file("cols.ini", text));
    read_columns(ini);
    const model_state& m = model();
    EXPECT_EQ(m.column_order[0], 1);
    EXPECT_EQ(m.column_order[1], 0);
    EXPECT_EQ(m.column_order[14], 14);
    EXPECT_EQ(m.position_of(column_kind::ter), 1);
    EXPECT_EQ(m.position_of(column_kind::dno), 0);
    EXPECT_EQ(m.position_of(column_kind::rad), 25);
    EXPECT_EQ(m.column_widths[3], 99);
    EXPECT_EQ(m.column_kind_decimals[4], 3);
    EXPECT_EQ(m.column_titles[3], "Dl.");
    EXPECT_EQ(m.column_titles[0], "Teren istn.");
    EXPECT_TRUE(ini.SectionExists("Dane"));
}

TEST_F(SettingsOptions, AColumnOrderThatIsNoPermutationFallsBackToTheBuiltInOrder) {
    std::string text = "[Dane]\r\n";
    for (int k = 0; k < column_kind_count; ++k)
        text += "ind_" + std::to_string(k) + "=" + (k == 2 ? std::string("0") : std::to_string(k)) + "\r\n";
    text += "ind_3=77\r\n";
    IniFile ini(make_file("dup.ini", text));
    read_columns(ini);
    for (int k = 0; k < column_kind_count; ++k) {
        EXPECT_EQ(model().column_map[static_cast<std::size_t>(k)], k);
        EXPECT_EQ(model().column_order[static_cast<std::size_t>(k)] % 100, k);
    }
}

// --- writing ---------------------------------------------------------------------------

std::vector<std::string> numbered(const char* prefix) {
    std::vector<std::string> keys;
    for (int k = 0; k < column_kind_count; ++k) keys.push_back(prefix + std::to_string(k));
    return keys;
}

TEST_F(SettingsOptions, WriteOrderOfEverySection) {
    const std::string p = path("order.ini");
    write_all(p);
    IniFile ini(p);
    const std::vector<std::string> inne = {
        "AODDistanceFrom", "AODDependency", "euro_rounding", "MarkFlowDirect", "MarkFlowDirectOnEverySectionOnScheme",
        "ProfilesNamesOnScheme", "TitleColumnBeforeEveryProfile", "szerokosc", "ObjectDescription", "SymbolSizeRatio",
        "add2diameter", "oslonowe_doczep_opisu", "trench_slope", "Backup", "AutoSaveInterval", "file_name_pattern",
        "default_infotable_polski", "lang", "pokazuj_opisy_zamiast_nazw", "dane_studz_osad_w_tabeli",
        "rz_rury_przy_rzednej_z_ed_rzednych", "zag_rury_przy_rzednej_z_ed_rzednych", "schemat_kinety", "stala",
        "stala_odleglosci", "rzedna", "VerticalRuler", "ProfilesNames", "VerticalLinesToTer", "MarkScale", "SplitPipes",
        "PrintPreviewMovingByMiddleButton", "RearrangeComments2", "NodeLabelsInCircle", "NodeLabelsIn2Lines", "ppt",
        "ppt_dont_mark", "MarkInlets", "MarkInletsFromDeactivatedProfiles", "InGeoCrossDescriptionsInMiddle",
        "GeoCrossAboveTerrainLine", "kolorowanie", "kolor_tla_automatu", "kolorowanie_active_row", "active_row_color",
        "kolor_tla", "zaglebienie_do_ter_proj", "edyt_kolizji_zaglebienie_do_ter_projekt", "dane_wys",
        "kota_dno_studzienki", "kota_dno_zbiornika", "kolizja", "kolizja_dynamiczna_kota", "kolizja_wstaw_wymiar",
        "rz_rury_w_kolizji", "odleglosc_w_kolizji", "odleglosc_oslonowej", "odleglosc_konca_oslonowej",
        "rzedna_oslonowej", "rzedna_konca_oslonowej", "stale_zag_kolizji", "spadek_odwrotnosc", "spadek_prefiks"};
    EXPECT_EQ(ini.ReadSection("inne"), inne);
    const std::vector<std::string> autouzup = {
        "auto_trench_width", "bauto_trench_width", "btrench_slope", "gradientmode", "flow_unit_V", "flow_unit_t",
        "bspadek", "spadek_typ", "bmaterial", "material_typ", "bsrednica", "bopis_kolizji", "srednica_typ", "spadek",
        "srednica", "bwezel_ink", "bwezel_ink_dla_projektu", "wezel_przed", "wezel_text"};
    EXPECT_EQ(ini.ReadSection("autouzup"), autouzup);
    EXPECT_EQ(ini.ReadSection("rysunek"), (std::vector<std::string>{"distance", "autolinia", "autokat", "auto_opis_terenu",
                                                                     "auto_teren_proj", "1_rura", "draw_axis_from"}));
    EXPECT_EQ(ini.ReadSection("firma"),
              (std::vector<std::string>{"nazwa", "ulica", "kod", "poczta", "telefon", "faks", "email", "www", "wlas1",
                                        "wlas2", "wlas3", "proj1", "proj2", "proj3", "proj4", "proj5", "proj6", "proj7",
                                        "proj8", "proj9", "proj10"}));
    EXPECT_EQ(ini.ReadSection("Columns_polski"),
              (std::vector<std::string>{"TerOrd", "PipeOrd", "Depth", "Length", "Slope", "Pipe", "Material", "Diameter",
                                        "Distance", "Object", "Comment", "Node", "GroundLevelProj", "Angle", "Line1",
                                        "Line2", "Crossings", "ProtectingTubes", "Width", "Flow", "SFlow", "ScaleX",
                                        "OrdX", "OrdY", "User1", "Radius"}));
    EXPECT_EQ(ini.ReadSection("autofilling_polski"),
              (std::vector<std::string>{"m_mat", "m_kom", "m_media", "m_opis_k", "m_opis_o", "m_opis_wezla",
                                        "m_opis_odcinka", "m_typ_o", "m_typ_kosztorysu", "m_opis_terenu",
                                        "m_opis_studzienki", "m_opis_wezla_ze_studzienka", "m_opis_obiektu",
                                        "m_opis_rzednej"}));
    EXPECT_EQ(ini.ReadSection("Dane"), numbered("ind_"));
    EXPECT_EQ(ini.ReadSection("Dane_prec"), numbered("prec_"));
    // The sections come in the order they are first written.
    const std::vector<std::string> sections = {"inne",  "Columns_polski", "autouzup", "firma",
                                               "rysunek", "autofilling_polski", "Dane", "Dane_prec"};
    std::vector<std::string> mine;
    for (const std::string& s : ini.ReadSections())
        if (std::find(sections.begin(), sections.end(), s) != sections.end()) mine.push_back(s);
    EXPECT_EQ(mine, sections);
}

TEST_F(SettingsOptions, WriteReadWriteIsByteIdenticalWithBothSeparators) {
    for (const char sep : {'.', ','}) {
        SCOPED_TRACE(sep);
        set_modes(sep, true);
        read_all(path("nofile.ini"));  // the controls as a read leaves them
        change_everything();
        const std::string first = path(std::string("first") + sep + ".ini");
        const std::string second = path(std::string("second") + sep + ".ini");
        write_all(first);
        read_all(path("nofile.ini"));  // back to the defaults
        EXPECT_EQ(topcje->se_AutoSave->Value(), 10);
        read_all(first);
        write_all(second);
        EXPECT_EQ(contents(first), contents(second));

        Ttopcje& d = *topcje;
        EXPECT_EQ(d.se_AutoSave->Value(), 45);
        EXPECT_EQ(Form1->t_Save->Interval(), 45 * 60000);
        EXPECT_EQ(d.e_szer->Text(), std::string("0") + sep + "75");
        EXPECT_FALSE(d.cb_AutoBackup->Checked());
        EXPECT_TRUE(d.cb_1PipeLine->Checked());
        EXPECT_EQ(d.rg_NodePrefix->ItemIndex(), 1);
        EXPECT_EQ(d.sag_Company->Cells(1, 1), "Biuro");
        EXPECT_EQ(d.sag_Company->Cells(1, 11), "own");
        EXPECT_EQ(tObjects->cb_Description->Text(), "@_name");
        EXPECT_TRUE(tObjects->cb_InListShowDesc->Checked());
        EXPECT_EQ(Form1->rg_ManuallyValue->ItemIndex(), 0);
        const settings_state& s = settings();
        EXPECT_DOUBLE_EQ(s.aod_distance_from, 7.5);
        EXPECT_EQ(s.aod_dependency, 2);
        EXPECT_EQ(s.draw_axis_from, 300);
        EXPECT_EQ(s.table_font_size, 12);
        EXPECT_EQ(s.active_row_color, clRed);
        EXPECT_EQ(s.data_lists[0], "PVC\xa4PE\xa4");
        EXPECT_EQ(s.data_lists_edit[13], "rz\xa4");
        EXPECT_DOUBLE_EQ(s.flow_unit_factor, 1e6 / 3600);
        EXPECT_DOUBLE_EQ(s.symbol_size_factor, 0.24);
        EXPECT_EQ(model().column_titles[3], "Dl.");
        EXPECT_EQ(model().column_kind_decimals[4], 3);
        IniFile ini(first);
        EXPECT_EQ(ini.ReadString("inne", "AODDistanceFrom", ""), std::string("7") + sep + "5");
    }
}

TEST_F(SettingsOptions, DrawingNamesAreWrittenWhenTheMainWindowHasTheBox) {
    auto* names = new TComboBox(Form1);
    names->SetName("tabs0");
    names->Items().Add("Profil");
    names->Items().Add("Schemat");
    const std::string p = path("names.ini");
    write_all(p);
    IniFile ini(p);
    EXPECT_EQ(ini.ReadString("nazwa_rys", "nazcount", ""), "2");
    EXPECT_EQ(ini.ReadString("nazwa_rys", "naz1", ""), "Profil");
    EXPECT_EQ(ini.ReadString("nazwa_rys", "naz2", ""), "Schemat");
}

// --- cost estimates ------------------------------------------------------------------

TEST_F(SettingsOptions, EstimateFileWithoutCalcGivesTheParameterDefaults) {
    kosztorysy& c = cost_data();
    c.kind = "Inwestorski";
    c.CalculationMode = 0;
    c.SingleJobRate = false;
    c.JobRate = 1500;
    c.CorM = c.CorS = 2;
    c.params.vat = 23;
    c.params.kpR = c.params.kpS = c.params.zR = c.params.zM = c.params.zS = c.params.zkpR = c.params.zkpS = 5;
    tKosztorysProp->rg_CalculationMode->SetItemIndex(0);
    IniFile ini(make_file("estimate.ini", "[pozycje]\r\n1=a"));
    read_cost_params(ini);
    EXPECT_EQ(c.kind, "Inwestorski");
    EXPECT_EQ(c.CalculationMode, 1);
    EXPECT_EQ(tKosztorysProp->rg_CalculationMode->ItemIndex(), 1);
    EXPECT_TRUE(c.SingleJobRate);
    EXPECT_EQ(c.JobRate, 0u);
    EXPECT_DOUBLE_EQ(c.CorM, 1);
    EXPECT_DOUBLE_EQ(c.CorS, 1);
    EXPECT_EQ(c.params.vat, 0);
    for (double v : {c.params.kpR, c.params.kpS, c.params.zR, c.params.zM, c.params.zS, c.params.zkpR, c.params.zkpS})
        EXPECT_DOUBLE_EQ(v, 0);
}

TEST_F(SettingsOptions, JobRateWithTwoDecimalsReadsBackWhateverTheSeparator) {
    for (const char system : {'.', ','})
        for (const char *stored : {"12.34", "12,34", "0.29", "0,29"}) {
            SCOPED_TRACE(std::string(1, system) + " " + stored);
            set_modes(system, false);
            IniFile ini(make_file("rate.ini", std::string("[calc]\r\nJobRate=") + stored));
            read_cost_params(ini);
            const std::string text(stored);
            const uint32_t expected = text[0] == '1' ? 1234u : 29u;
            EXPECT_EQ(cost_data().JobRate, expected);
            const std::string out = path("rate_out.ini");
            {
                IniFile w(out);
                write_cost_params(w);
                w.UpdateFile();
            }
            IniFile back(out);
            const std::string written = back.ReadString("calc", "JobRate", "");
            EXPECT_EQ(written, (expected == 1234u ? std::string("12") : std::string("0")) + system +
                                   (expected == 1234u ? "34" : "29"));
        }
}

TEST_F(SettingsOptions, JobRateWithThreeDecimalsFollowsTheRoundingMode) {
    struct Case {
        const char* stored;
        uint32_t euro, even;
    } cases[] = {{"12.625", 1263, 1262}, {"0.125", 13, 12}, {"12.375", 1238, 1238}, {"12.345", 1235, 1234},
                 {"12.341", 1234, 1234}, {"-3.5", 0, 0}, {"1e12", 4294967295u, 4294967295u}, {"abc", 0, 0}};
    for (const Case& c : cases)
        for (const bool euro : {true, false}) {
            SCOPED_TRACE(std::string(c.stored) + (euro ? " euro" : " even"));
            set_modes('.', euro);
            cost_data().JobRate = 77;
            IniFile ini(make_file("rate3.ini", std::string("[calc]\r\nJobRate=") + c.stored));
            read_cost_params(ini);
            EXPECT_EQ(cost_data().JobRate, euro ? c.euro : c.even);
        }
}

TEST_F(SettingsOptions, CostParametersAndOptionsMakeTheRoundTripInTheirOrder) {
    set_modes(',', true);
    kosztorysy& c = cost_data();
    c.kind = "Ofertowy";
    c.SingleJobRate = false;
    c.JobRate = 2550;
    c.CorM = 1.125;
    c.CorS = 0.9;
    c.CalculationMode = 2;
    c.params.vat = 8;
    c.params.kpR = 65;
    c.params.zS = 12.5;
    c.print_OnlyActiveTab = true;
    c.ContinuousPosNumbering = false;
    c.template_file = "/t/scheme.ini";
    c.library_file = "/t/knrw.ini";
    c.IgnoredMessage = false;
    c.AmericanRounding = false;
    const std::string p = path("cost.ini");
    {
        IniFile ini(p);
        write_cost_options(ini);
        write_cost_params(ini);
        ini.UpdateFile();
    }
    IniFile ini(p);
    EXPECT_EQ(ini.ReadSection("calc"),
              (std::vector<std::string>{"print_OnlyActiveTab", "ContinuousPosNumbering", "template", "library", "catalog",
                                        "IgnoredMessage", "AmericanRounding", "kind", "CorM", "CorS", "SingleJobRate",
                                        "JobRate", "CalculationMode", "vat", "kpR", "kpS", "zR", "zM", "zS", "zkpR",
                                        "zkpS"}));
    EXPECT_EQ(ini.ReadString("calc", "CorM", ""), "1,125000");
    EXPECT_EQ(ini.ReadString("calc", "JobRate", ""), "25,50");
    EXPECT_EQ(ini.ReadString("calc", "zS", ""), "12,500000");
    EXPECT_EQ(ini.ReadString("calc", "library", ""), "/t/knrw.ini");

    c = kosztorysy{};
    read_cost_options(ini);
    read_cost_params(ini);
    EXPECT_EQ(c.kind, "Ofertowy");
    EXPECT_FALSE(c.SingleJobRate);
    EXPECT_EQ(c.JobRate, 2550u);
    EXPECT_DOUBLE_EQ(c.CorM, 1.125);
    EXPECT_DOUBLE_EQ(c.CorS, 0.9);
    EXPECT_EQ(c.CalculationMode, 2);
    EXPECT_EQ(tKosztorysProp->rg_CalculationMode->ItemIndex(), 2);
    EXPECT_EQ(c.params.vat, 8);
    EXPECT_DOUBLE_EQ(c.params.kpR, 65);
    EXPECT_DOUBLE_EQ(c.params.zS, 12.5);
    EXPECT_TRUE(c.print_OnlyActiveTab);
    EXPECT_FALSE(c.ContinuousPosNumbering);
    EXPECT_EQ(c.template_file, "/t/scheme.ini");
    EXPECT_EQ(c.library_file, "/t/knrw.ini");
    EXPECT_EQ(c.catalog_file, "");
    EXPECT_FALSE(c.IgnoredMessage);
    EXPECT_FALSE(c.AmericanRounding);
}

TEST_F(SettingsOptions, CostOptionDefaultsNameTheConfigurationFolder) {
    kosztorysy& c = cost_data();
    c.print_OnlyActiveTab = true;
    c.IgnoredMessage = false;
    IniFile ini(path("none.ini"));
    read_cost_options(ini);
    EXPECT_FALSE(c.print_OnlyActiveTab);
    EXPECT_TRUE(c.ContinuousPosNumbering);
    EXPECT_TRUE(c.IgnoredMessage);
    EXPECT_TRUE(c.AmericanRounding);
    EXPECT_EQ(c.template_file, folders().config_folder + "calculation_scheme.ini");
    EXPECT_EQ(c.library_file, folders().config_folder + "knrw.ini");
    EXPECT_EQ(c.catalog_file, folders().config_folder + "catalog.rms");
}

TEST_F(SettingsOptions, SaveCalcParamsFlagIsNeverSwitchedOffByReading) {
    kosztorysy& c = cost_data();
    c.SaveCalcParamsInHLV = false;
    read_save_calc_params_flag(IniFile(make_file("off.ini", "[calc]\r\nSaveCalcParamsInHLV=0")));
    EXPECT_FALSE(c.SaveCalcParamsInHLV);
    read_save_calc_params_flag(IniFile(make_file("on.ini", "[calc]\r\nSaveCalcParamsInHLV=1")));
    EXPECT_TRUE(c.SaveCalcParamsInHLV);
    read_save_calc_params_flag(IniFile(path("off.ini")));
    read_save_calc_params_flag(IniFile(path("missing.ini")));
    EXPECT_TRUE(c.SaveCalcParamsInHLV);

    const std::string p = path("flag.ini");
    {
        IniFile w(p);
        write_save_calc_params_flag(w);
        w.UpdateFile();
    }
    EXPECT_EQ(IniFile(p).ReadString("calc", "SaveCalcParamsInHLV", ""), "1");
}

TEST_F(SettingsOptions, WholeOptionsFileMakesTheRoundTripThroughTheSettingsReader) {
    set_modes(',', true);
    czytaj_opcje(path("nofile.ini"), "opcje");
    change_everything();
    topcje->cb_GradientMode->SetItemIndex(1);
    const std::string first = path("whole1.ini");
    const std::string second = path("whole2.ini");
    zapisz_opcje(first, "opcje");
    czytaj_opcje(path("nofile.ini"), "opcje");
    EXPECT_EQ(topcje->se_AutoSave->Value(), 10);
    czytaj_opcje(first, "opcje");
    zapisz_opcje(second, "opcje");
    EXPECT_EQ(contents(first), contents(second));
    EXPECT_EQ(topcje->se_AutoSave->Value(), 45);
    EXPECT_EQ(settings().data_lists[0], "PVC\xa4PE\xa4");
    // The unit choosers keep what was read after the dialog is refilled.
    EXPECT_EQ(topcje->cb_FlowUnitV->ItemIndex(), 2);
    EXPECT_EQ(topcje->cb_FlowUnitT->ItemIndex(), 3);
    EXPECT_EQ(topcje->cb_GradientMode->ItemIndex(), 1);
    EXPECT_EQ(model().column_units[static_cast<std::size_t>(index_of(column_kind::sflow))], "cm3/s");
    EXPECT_DOUBLE_EQ(settings().flow_unit_factor, 1e6 / 3600);
}

}  // namespace
