#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/rys1.h"
#include "forms/dane.h"
#include "forms/opcje.h"
#include "files/project_data.h"
#include "files/settings.h"
#include "files/settings_groups.h"
#include "files/settings_io.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "platform/builder.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/sysutils.h"
#include "platform/paths.h"
#include "support/fixture.h"

namespace {

class SettingsShared : public ProgramTest {
protected:
    SettingsShared() { decimal_separator = '.'; }
    ~SettingsShared() override { decimal_separator = '.'; }

    // A settings file in the test's folder with the given lines.
    std::string ini_file(const std::string& name, const std::vector<std::string>& lines) {
        const std::string path = home.file(name);
        write_lines(path, lines);
        return path;
    }
    std::string missing_file() const { return home.file("nofile.ini"); }

    // The shared settings of mode "opcje" and "plik" without the lists.
    void write_shared(const std::string& path) {
        IniFile ini(path);
        write_shared_head(ini);
        write_shared_tail(ini);
        ini.UpdateFile();
    }
    void read_shared(const std::string& path, unsigned mode) {
        IniFile ini(path);
        if (mode != mode_lang) {
            read_next_typosz_id(ini);
            read_keys(ini, calc_switch_keys());
        }
        read_shared_scalars(ini, mode);
        if (mode != mode_lang) read_font_texts(ini);
        if (mode == mode_opcje) read_font_options(ini);
        read_bwezel(ini);
        if (mode != mode_plik) read_drawing_titles(ini);
    }
    void write_project(const std::string& path) {
        IniFile ini(path);
        write_project_block(ini);
        ini.UpdateFile();
    }
    void read_project(const std::string& path) {
        IniFile ini(path);
        read_project_block(ini);
    }
    static std::string cell(int col, int row) { return topcje->sag_DrawingProperties->Cells(col, row); }
    static std::string font(int col, int row) { return topcje->sag_Fonts->Cells(col, row); }
};

// Puts every shared setting away from its default.
void change_shared_settings() {
    Ttopcje& d = *topcje;
    for (int c = 1; c <= 3; ++c)
        for (int r = 1; r <= 4; ++r) d.sag_DrawingProperties->SetCell(c, r, "x" + IntToStr(c * 10 + r));
    for (int c = 1; c <= 5; ++c)
        for (int r = 1; r <= 8; ++r) d.sag_Fonts->SetCell(c, r, "f" + IntToStr(c * 10 + r));
    d.cb_jedn->SetItemIndex(3);
    d.cb_Distance->SetItemIndex(1);
    d.cb_dokl->SetItemIndex(4);
    model().display_decimals = 4;
    d.cb_DropUp->SetChecked(true);
    d.cb_Fit2Page->SetChecked(true);
    d.e_skala_krot->SetText("25");
    d.e_PipeDescription->SetText("@d");
    d.rg_PipeLineColor->SetItemIndex(2);
    d.cb_InterpolationLine2->SetChecked(false);
    d.cb_ExtrapolationGroundExists->SetChecked(false);
    d.CalcLengthAngleFromCoords->SetChecked(false);
    d.cb_TerrainProj->SetChecked(false);
    d.cb_AutoTerrainProjLikeTerrainExist->SetItemIndex(1);
    d.cb_CalculateInvertsAccordToMainSection->SetChecked(true);
    d.cb_DontCalculateNodeWithManholeObject->SetChecked(false);
    d.cb_Node->SetChecked(false);
    d.cb_DescriptionOnLeft->SetChecked(true);
    d.lab_kat->SetCaption("/fonts/here");
    settings_state& s = settings();
    s.calc_column_formula = "@_td_spadek*2";
    s.drop_from = 750;
    s.bedding_height = 0.15;
    s.sidefill_height = 0.35;
    s.embankment_slope = 1.75;
    s.embankment_slope_on = false;
    s.embankment_width_addition = 0.5;
    s.sand_layer_height = 0.45;
    s.gravel_layer_height = 0.25;
    s.distance_between_pipes = 1.25;
    s.sump_wall_thickness = 0.08;
    s.sump_hollow = 0.3;
    s.profile_gap = 40;
    s.title_column_width = 90;
    s.trim_length = 12.5;
    s.depth_not_to_bottom = true;
    model().project.sheet_origins = {1.5, -2.25, 100, 0.125};
    Form1->rb_VentWallOutside->SetChecked(true);
    Form1->cb_VentMast->SetChecked(true);
    Form1->cb_MarkDrainageLayersOnDrawing->SetChecked(false);
    Form1->a_SewageTreatmentPlant->SetChecked(true);
    Form1->a_it_WithoutInfoTable->SetChecked(true);
}

TEST_F(SettingsShared, MissingSectionsGiveTheDefaults) {
    change_shared_settings();
    read_shared(missing_file(), mode_opcje);

    // Scales 200/100, 10/10, 100/100; unit mm; chainage unit automatic; two decimals.
    EXPECT_EQ(cell(1, 1), "200");
    EXPECT_EQ(cell(1, 2), "100");
    EXPECT_EQ(cell(2, 1), "10");
    EXPECT_EQ(cell(2, 2), "10");
    EXPECT_EQ(cell(3, 1), "100");
    EXPECT_EQ(cell(3, 2), "100");
    EXPECT_EQ(topcje->cb_jedn->ItemIndex(), 0);
    EXPECT_EQ(topcje->cb_Distance->ItemIndex(), 4);
    EXPECT_EQ(model().display_decimals, 2);
    EXPECT_EQ(topcje->cb_dokl->ItemIndex(), 2);
    EXPECT_EQ(cell(1, 3), "PROFIL PODŁUŻNY"_cp);
    EXPECT_EQ(cell(2, 3), "PRZEKRÓJ POPRZECZNY"_cp);
    EXPECT_EQ(cell(3, 3), "SCHEMAT");
    EXPECT_EQ(cell(1, 4), "3");
    EXPECT_EQ(cell(2, 4), "2");
    EXPECT_EQ(cell(3, 4), "1");

    const settings_state& s = settings();
    EXPECT_EQ(s.calc_column_formula, "");
    EXPECT_EQ(s.drop_from, 500);
    EXPECT_DOUBLE_EQ(s.bedding_height, 0);
    EXPECT_DOUBLE_EQ(s.embankment_slope, 1);
    EXPECT_TRUE(s.embankment_slope_on);
    EXPECT_DOUBLE_EQ(s.sand_layer_height, 0.4);
    EXPECT_DOUBLE_EQ(s.gravel_layer_height, 0.3);
    EXPECT_DOUBLE_EQ(s.distance_between_pipes, 1.5);
    EXPECT_DOUBLE_EQ(s.sump_wall_thickness, 0.05);
    EXPECT_DOUBLE_EQ(s.sump_hollow, 0.2);
    EXPECT_EQ(s.profile_gap, 15);
    EXPECT_EQ(s.title_column_width, 0);
    EXPECT_DOUBLE_EQ(s.trim_length, 20);
    EXPECT_FALSE(s.depth_not_to_bottom);
    EXPECT_EQ(s.dxf_import_dir, folders().program_folder);
    EXPECT_EQ(topcje->e_PipeDescription->Text(), "@m@d @r");
    EXPECT_EQ(topcje->rg_PipeLineColor->ItemIndex(), 0);
    EXPECT_TRUE(topcje->cb_InterpolationLine2->Checked());
    EXPECT_TRUE(topcje->CalcLengthAngleFromCoords->Checked());
    EXPECT_TRUE(topcje->cb_TerrainProj->Checked());
    EXPECT_EQ(topcje->cb_AutoTerrainProjLikeTerrainExist->ItemIndex(), 0);
    EXPECT_TRUE(Form1->rb_VentWallInside->Checked());
    EXPECT_FALSE(Form1->rb_VentWallOutside->Checked());
    EXPECT_FALSE(Form1->cb_VentMast->Checked());
    EXPECT_FALSE(Form1->tb_bezmetryki->Down());
    // The calculation switches and the node filling.
    EXPECT_FALSE(topcje->cb_CalculateInvertsAccordToMainSection->Checked());
    EXPECT_TRUE(topcje->cb_DontCalculateNodeWithManholeObject->Checked());
    EXPECT_FALSE(Form1->a_SewageTreatmentPlant->Checked());
    EXPECT_TRUE(topcje->cb_Node->Checked());
    // A missing "spad_inter" leaves the slope direction as it was.
    EXPECT_TRUE(topcje->cb_DropUp->Checked());
    EXPECT_EQ(model().slope_sign, -1);
}

TEST_F(SettingsShared, MissingFontSectionGivesTheTextDefaults) {
    change_shared_settings();
    ui().dxf_program_path = "/opt/Cad/bin/Cad.exe";
    read_shared(missing_file(), mode_opcje);
    const std::vector<std::vector<std::string>> rows = {
        {"19", "7", "4", "90%", "0"},  {"19", "7", "4", "100%", "0"}, {"19", "8", "4", "70%", "0"},
        {"15", "84", "4", "70%", "0"}, {"15", "12", "4", "70%", "0"}, {"15", "130", "4", "70%", "0"},
        {"15", "112", "4", "70%", "0"}, {"15", "7", "18", "70%", "0"},
    };
    for (int r = 1; r <= 8; ++r)
        for (int c = 1; c <= 5; ++c) EXPECT_EQ(font(c, r), rows[r - 1][c - 1]) << "row " << r << " col " << c;
    EXPECT_EQ(topcje->lab_kat->Caption(), "/opt/Cad/bin/fonts");
    EXPECT_EQ(topcje->cb_fonts->Text(), "arial");
    EXPECT_FALSE(topcje->cb_DescriptionOnLeft->Checked());

    // A project file without the section gives the same text rows.
    change_shared_settings();
    read_shared(missing_file(), mode_plik);
    EXPECT_EQ(font(4, 1), "90%");
    EXPECT_EQ(font(2, 6), "130");
    EXPECT_EQ(topcje->lab_kat->Caption(), "/fonts/here");  // the font options are read in "opcje" only
}

TEST_F(SettingsShared, FontNameSelectsTheEqualItem) {
    // The fonts folder read first refills the list: its files, then the screen faces.
    ForceDirectories(home.file("fonts"));
    const std::string fonts = ini_file("fonts/romans.shx", {"x"});
    ui().font_list = {{"arial", 0x22, true}, {"verdana", 0x22, true}};
    struct Case {
        std::string stored;
        int index;
    } cases[] = {{"romans.shx", 0}, {"isocp.shx", -1}, {"verdana", 2}};
    int n = 0;
    for (const Case& c : cases) {
        read_font_options(IniFile(ini_file("font" + IntToStr(n++) + ".ini",
                                           {"[font]", "dir=" + ExtractFileDir(fonts), "nazwa=" + c.stored})));
        EXPECT_EQ(topcje->cb_fonts->ItemIndex(), c.index) << c.stored;
        EXPECT_EQ(topcje->cb_fonts->Text(), c.stored);
    }
}

TEST_F(SettingsShared, LanguageModeLeavesFontTextsAndCalculationSwitches) {
    const std::string path = ini_file("lang.ini", {"[format]", "skalax=500", "[inne]", "calculate_inverts=1",
                                                   "oczyszczalnia=1", "next_typosz_id=9", "odstep=30", "[font]",
                                                   "pro_wys=33", "sch_war=teksty"});
    topcje->sag_Fonts->SetCell(1, 1, "21");
    topcje->sag_Fonts->SetCell(5, 8, "0");
    model().project.next_typosz_id = 4;
    read_shared(path, mode_lang);
    EXPECT_EQ(cell(1, 1), "500");
    EXPECT_EQ(settings().profile_gap, 30);
    EXPECT_EQ(font(1, 1), "21");
    EXPECT_EQ(font(5, 8), "0");
    EXPECT_FALSE(topcje->cb_CalculateInvertsAccordToMainSection->Checked());
    EXPECT_FALSE(Form1->a_SewageTreatmentPlant->Checked());
    EXPECT_EQ(model().project.next_typosz_id, 4);

    read_shared(path, mode_plik);
    EXPECT_EQ(font(1, 1), "33");
    EXPECT_EQ(font(5, 8), "teksty");
    EXPECT_TRUE(topcje->cb_CalculateInvertsAccordToMainSection->Checked());
    EXPECT_TRUE(Form1->a_SewageTreatmentPlant->Checked());
    EXPECT_EQ(model().project.next_typosz_id, 9);
}

TEST_F(SettingsShared, SlopeDirectionKeepsItsStateWhenMissing) {
    struct Case {
        bool before;
        std::vector<std::string> lines;
        bool after;
    } cases[] = {
        {true, {"[format]", "jednostka=1"}, true},
        {false, {"[format]", "jednostka=1"}, false},
        {false, {"[format]", "spad_inter=1"}, true},
        {true, {"[format]", "spad_inter=0"}, false},
        {true, {"[format]", "spad_inter=yes"}, true},  // does not convert: the current state
    };
    int n = 0;
    for (const Case& c : cases) {
        topcje->cb_DropUp->SetChecked(c.before);
        model().slope_sign = c.before ? 1 : -1;  // stale on purpose
        read_shared_scalars(IniFile(ini_file("slope" + IntToStr(n++) + ".ini", c.lines)), mode_opcje);
        EXPECT_EQ(topcje->cb_DropUp->Checked(), c.after) << n;
        EXPECT_EQ(model().slope_sign, c.after ? -1 : 1) << n;
    }
}

TEST_F(SettingsShared, RealsAreNormalisedExceptTheKeysKeptAsStored) {
    struct Case {
        char separator;
        std::string trim;
        double trim_read;
        std::string bedding;
        double bedding_read;
    } cases[] = {
        {'.', "12,5", 20, "0,15", 0.15},  // a comma on a "." system: TrimLength keeps its default
        {'.', "12.5", 12.5, "0.15", 0.15},
        {',', "12,5", 12.5, "0.15", 0.15},
        {',', "12.5", 20, "0,15", 0.15},
        {'.', "abc", 20, "x", 0},
    };
    int n = 0;
    for (const Case& c : cases) {
        decimal_separator = c.separator;
        settings().trim_length = 99;
        settings().bedding_height = 99;
        read_shared_scalars(IniFile(ini_file("real" + IntToStr(n++) + ".ini",
                                             {"[inne]", "TrimLength=" + c.trim, "podsypka=" + c.bedding, "odstep=300",
                                              "przepad_od=+120"})),
                            mode_opcje);
        EXPECT_DOUBLE_EQ(settings().trim_length, c.trim_read) << n;
        EXPECT_DOUBLE_EQ(settings().bedding_height, c.bedding_read) << n;
        EXPECT_EQ(settings().profile_gap, 255) << n;  // the nearest allowed value
        EXPECT_EQ(settings().drop_from, 120) << n;
    }
}

TEST_F(SettingsShared, WritesInTheFileOrderAndReadsBackUnchanged) {
    change_shared_settings();
    const std::string first = home.file("first.ini");
    write_shared(first);

    IniFile ini(first);
    const std::vector<std::string> inne = {
        "calculate_inverts", "calculate_terrain", "calculate_mode_when_trench", "dont_calculate_inverts_where_manhole",
        "metryka", "oczyszczalnia", "przepad_od", "podsypka", "obsypka", "nachylenie_skarpy", "jest_nachylenie_skarpy",
        "dodatek_do_szer_skarpy", "wys_drenaz_piasek", "wys_drenaz_zwir", "rozstaw_drenow",
        "zaznacz_warstwy_na_profilu", "przekroj_opis_rury", "przekroj_grubosc_scianki", "przekroj_szerokosc_rozkopu",
        "ekstrapolacja_teren_istn", "ekstrapolacja_teren_proj", "interpolacja_teren_istn", "interpolacja_teren_proj",
        "interpolacja_teren_lin1", "interpolacja_teren_lin2", "interpolacja_teren_rura",
        "kolor_linii_rury_jak_typoszeregu", "odstep", "TableTitleColumnWidth", "TrimLength", "zaglebienie",
        "dlugkat_z_wspl"};
    EXPECT_EQ(ini.ReadSection("inne"), inne);
    const std::vector<std::string> format = {
        "calc_column_formula", "jednostka", "jedn_odl", "zaokrag", "spad_inter", "skalax", "skalay", "skalax_przekroj",
        "skalay_przekroj", "skalax_schemat", "skalay_schemat", "offx_profil", "offy_profil", "offx_przekroj",
        "offy_przekroj", "dopasuj_skale", "krot_x"};
    EXPECT_EQ(ini.ReadSection("format"), format);
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"uklad", "inne", "format", "autouzup", "font",
                                                            "drawing_titles_polski"}));
    EXPECT_EQ(ini.ReadSection("autouzup"),
              (std::vector<std::string>{"bauto_proj_ground_level", "bauto_proj_ground_level_like_exist", "bwezel"}));
    const std::vector<std::string> font_keys = ini.ReadSection("font");
    ASSERT_EQ(font_keys.size(), 45u);
    EXPECT_EQ(font_keys[0], "dir");
    EXPECT_EQ(font_keys[5], "pro_wys");
    EXPECT_EQ(font_keys[9], "pro_war");
    EXPECT_EQ(font_keys[44], "sch_war");
    EXPECT_EQ(ini.ReadString("inne", "zaglebienie", ""), "0");  // the opposite of the flag held
    EXPECT_EQ(ini.ReadString("inne", "TrimLength", ""), "12.5");
    EXPECT_EQ(ini.ReadString("format", "offy_profil", ""), "-2.25");
    EXPECT_EQ(ini.ReadString("format", "zaokrag", ""), "4");
    EXPECT_EQ(ini.ReadString("drawing_titles_polski", "profile_title", ""), "x13");

    // Back to the defaults, then the file: everything returns.
    read_shared(missing_file(), mode_opcje);
    model().project.sheet_origins = {};
    read_shared(first, mode_opcje);
    {
        IniFile again(first);
        read_project_block(again);  // the sheet origins are read with the project block
    }
    EXPECT_EQ(model().display_decimals, 4);
    EXPECT_EQ(model().slope_sign, -1);
    EXPECT_TRUE(settings().depth_not_to_bottom);
    EXPECT_DOUBLE_EQ(model().project.sheet_origins[1], -2.25);
    const std::string second = home.file("second.ini");
    write_shared(second);
    EXPECT_EQ(read_file(second), read_file(first));
}

TEST_F(SettingsShared, WrittenWithACommaReadOnAPointSystem) {
    decimal_separator = ',';
    change_shared_settings();
    const std::string path = home.file("comma.ini");
    write_shared(path);
    EXPECT_EQ(IniFile(path).ReadString("inne", "rozstaw_drenow", ""), "1,25");

    decimal_separator = '.';
    read_shared(missing_file(), mode_opcje);
    read_shared(path, mode_plik);
    EXPECT_DOUBLE_EQ(settings().distance_between_pipes, 1.25);
    EXPECT_DOUBLE_EQ(settings().embankment_slope, 1.75);
    EXPECT_DOUBLE_EQ(settings().trim_length, 20);  // kept as stored: "12,5" does not convert here
}

TEST_F(SettingsShared, BandRowTitlesAreWrittenForTheRowsThereAre) {
    dane_pod_profil row;
    row.key = "linia2";
    row.title = "Kabel";
    settings().profile_table_rows = {row};
    const std::string path = home.file("titles.ini");
    write_shared(path);
    IniFile ini(path);
    EXPECT_FALSE(ini.ValueExists("drawing_titles_polski", "tab_linia_nazwa"));
    EXPECT_EQ(ini.ReadString("drawing_titles_polski", "tab_linia2_nazwa", ""), "Kabel");
    EXPECT_EQ(ini.ReadSection("drawing_titles_polski").front(), "tab_linia2_nazwa");
}

// --- project block --------------------------------------------------------------

void mark(TStringAlignGrid* g, std::initializer_list<int> rows) {
    for (int r = 0; r < 6; ++r) g->set_cell_colour(0, r, clWhite);
    for (int r : rows) g->set_cell_colour(0, r, clGreen);
}

std::string marks(const TStringAlignGrid* g) {
    std::string s;
    for (int r = 0; r < 6; ++r) s += g->cell_colour(0, r) == clGreen ? '1' : '0';
    return s;
}

void change_project_settings() {
    model_state& m = model();
    m.project.dane.inwestor = "Gmina Lipno";
    m.project.dane.data = "2024-05-01";
    m.project.dane.wlas3 = "ostatni";
    m.project.ConfigFile = "/home/u/biuro.ini";
    m.project.main_profile = 2;
    m.project.next_typosz_id = 14;
    TForm1& f = *Form1;
    f.cb_NodeDescription->SetText("@_nazwa");
    f.e_CrossingDescription->SetText("@_tk_medium");
    f.cb_ProtectingPipeDescLikeInEditor->SetChecked(false);
    f.a_SewageTreatmentPlant->SetChecked(true);
    f.PageControl2->SetActivePageIndex(1);
    f.e_VentLength->SetText("2.5");
    f.e_ElectrLength->SetText("14");
    f.se_DrainageMinLength->SetValue(60);
    f.tb_DrainageTrenchLength->SetPosition(20);
    f.tb_DrainageTrenchAmount->SetPosition(5);
    f.se_DrainageBedsAmount->SetValue(2);
    f.cb_IsEndBar->SetChecked(false);
    f.cb_DrainagePiezometer->SetChecked(true);
    f.cb_DrainageEndBar->SetChecked(true);
    f.se_SandFilterMinArea->SetValue(35);
    f.tb_SandFilterWidth->SetPosition(2);
    f.tb_SandFilterLength->SetPosition(12);
    f.cb_SandFilterAutoCorrect->SetChecked(false);
    mark(f.sg_FirstSump, {0, 2});
    mark(f.sg_LastSump, {5});
    tdane->sag_dane_kadra->SetCell(1, 1, "Jan Nowak");
    tdane->sag_dane_kadra->SetCell(4, 10, "drogowa");
}

TEST_F(SettingsShared, ProjectBlockRoundTrip) {
    change_project_settings();
    const std::string first = home.file("project.hlv");
    write_project(first);
    {
        IniFile ini(first);
        EXPECT_EQ(ini.ReadString("format", "wersja", ""), "4.11_testowa");
        EXPECT_EQ(ini.ReadString("uklad", "u_dr_st_roz", ""), "101000");
        EXPECT_EQ(ini.ReadString("uklad", "u_dr_st_zam", ""), "000001");
        EXPECT_EQ(ini.ReadString("uklad", "u_active", ""), "1");
        EXPECT_EQ(ini.ReadString("inne", "main_profile", ""), "2");
        EXPECT_EQ(ini.ReadString("format", "ConfigFile", ""), "/home/u/biuro.ini");
        EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"dane_proj", "format", "inne", "uklad"}));
        const std::vector<std::string> data = ini.ReadSection("dane_proj");
        ASSERT_EQ(data.size(), 27u);
        EXPECT_EQ(data[0], "inwestor");
        EXPECT_EQ(data[16], "wlas3");
        EXPECT_EQ(data[17], "proj1");
        EXPECT_EQ(ini.ReadSection("format"),
                  (std::vector<std::string>{"kolumny", "wersja", "NodeDescription", "NodeWithSumpDescription",
                                            "SectionDescription", "CrossingDescription", "ProtectingPipeDescription",
                                            "CrossingDescriptionLikeInEditor",
                                            "ProtectingPipeDescriptionLikeInEditor", "ConfigFile"}));
        EXPECT_EQ(ini.ReadSection("uklad").size(), 16u);
    }

    // Everything away, then the file back.
    model().project.dane = {};
    settings().project_file_version = 0;
    TForm1& f = *Form1;
    f.cb_NodeDescription->SetText("");
    f.PageControl2->SetActivePageIndex(0);
    f.tb_DrainageTrenchAmount->SetPosition(1);
    f.se_SandFilterMinArea->SetValue(0);
    f.cb_IsEndBar->SetChecked(true);
    mark(f.sg_FirstSump, {});
    mark(f.sg_LastSump, {});
    tdane->sag_dane_kadra->SetCell(1, 1, "");
    read_project(first);

    EXPECT_EQ(settings().project_file_version, 411);
    EXPECT_EQ(model().project.dane.inwestor, "Gmina Lipno");
    EXPECT_EQ(model().project.dane.wlas3, "ostatni");
    EXPECT_EQ(topcje->l_FileSettings->Hint(), "/home/u/biuro.ini");
    EXPECT_EQ(f.cb_NodeDescription->Text(), "@_nazwa");
    EXPECT_EQ(f.PageControl2->ActivePageIndex(), 1);
    EXPECT_EQ(f.tb_DrainageTrenchAmount->Position(), 5);
    EXPECT_EQ(f.se_SandFilterMinArea->Value(), 35);
    EXPECT_FALSE(f.cb_IsEndBar->Checked());
    EXPECT_EQ(marks(f.sg_FirstSump), "101000");
    EXPECT_EQ(marks(f.sg_LastSump), "000001");
    EXPECT_EQ(tdane->sag_dane_kadra->Cells(1, 1), "Jan Nowak");

    const std::string second = home.file("project2.hlv");
    write_project(second);
    EXPECT_EQ(read_file(second), read_file(first));
}

TEST_F(SettingsShared, ProjectWithoutLayoutGivesTheDefaultsAndKeepsTheMarks) {
    change_project_settings();
    mark(Form1->sg_FirstSump, {1});
    read_project(ini_file("old.hlv", {"[format]", "NodeDescription=@_a", "[dane_proj]", "inwestor=X"}));
    TForm1& f = *Form1;
    EXPECT_EQ(settings().project_file_version, 0);  // no "wersja"
    EXPECT_EQ(f.tb_DrainageTrenchAmount->Position(), 3);
    EXPECT_EQ(f.tb_DrainageTrenchLength->Position(), 16);
    EXPECT_EQ(f.se_DrainageMinLength->Value(), 48);
    EXPECT_EQ(f.se_DrainageBedsAmount->Value(), 1);
    EXPECT_TRUE(f.cb_IsEndBar->Checked());
    EXPECT_FALSE(f.cb_DrainagePiezometer->Checked());
    EXPECT_FALSE(f.cb_DrainageEndBar->Checked());
    EXPECT_EQ(f.se_SandFilterMinArea->Value(), 20);
    EXPECT_EQ(f.tb_SandFilterWidth->Position(), 4);
    // Length 5 lies below the track bar's range and takes its minimum.
    EXPECT_EQ(f.tb_SandFilterLength->Position(), std::max(5, f.tb_SandFilterLength->Min()));
    EXPECT_TRUE(f.cb_SandFilterAutoCorrect->Checked());
    EXPECT_EQ(f.PageControl2->ActivePageIndex(), 0);  // "u_active" 0 with the plant shown
    EXPECT_EQ(marks(f.sg_FirstSump), "010000");        // no "u_dr_st_roz": the marks stay
    EXPECT_EQ(marks(f.sg_LastSump), "000001");
    EXPECT_EQ(f.e_VentLength->Text(), "0");
    EXPECT_EQ(f.cb_NodeDescription->Text(), "@_a");
    EXPECT_EQ(model().project.dane.inwestor, "X");
    EXPECT_EQ(model().project.dane.data, "");  // the record is replaced
    EXPECT_EQ(f.e_CrossingDescription->Text(), "@_tk_czy_projektowana|'[proj]'|' ' @_tk_medium @_tk_zaglebienie m");
    EXPECT_TRUE(f.cb_ProtectingPipeDescLikeInEditor->Checked());
    EXPECT_EQ(topcje->l_FileSettings->Hint(), "");
}

TEST_F(SettingsShared, DescriptionDefaultsAreTheFirstListItems) {
    settings().data_lists[5] = "@_w1\xa4@_w2\xa4";
    settings().data_lists[6] = "@_o1\xa4";
    settings().data_lists[11] = "";
    read_project(missing_file());
    EXPECT_EQ(Form1->cb_NodeDescription->Text(), "@_w1");
    EXPECT_EQ(Form1->cb_SectionDescription->Text(), "@_o1");
    EXPECT_EQ(Form1->cb_NodeWithSumpDescription->Text(), "");
}

TEST_F(SettingsShared, ActivePageFollowsTheShownPlantOnly) {
    struct Case {
        bool plant_shown;
        std::string active;
        int page_after;
    } cases[] = {
        {true, "-1", 1},  // selects no page
        {true, "0", 0},
        {false, "0", 1},  // the page is not selected while the plant is hidden
    };
    int n = 0;
    for (const Case& c : cases) {
        Form1->a_SewageTreatmentPlant->SetChecked(c.plant_shown);
        Form1->PageControl2->SetActivePageIndex(1);
        read_project(ini_file("active" + IntToStr(n++) + ".hlv", {"[uklad]", "u_active=" + c.active}));
        EXPECT_EQ(Form1->PageControl2->ActivePageIndex(), c.page_after) << n;
    }
}

TEST_F(SettingsShared, SheetOriginsAndOlderKeysAreReadAsTheyAreKept) {
    decimal_separator = '.';
    model().project.sheet_origins = {7, 7, 7, 7};
    read_project(ini_file("origins.hlv", {"[format]", "offx_profil=12,5", "offy_profil=3.25", "offx_przekroj=-4",
                                          "startX=1,5", "[inne]", "poziom=1", "poziom_wart=101,25", "pskalax=1,5"}));
    const auto& o = model().project.sheet_origins;
    EXPECT_DOUBLE_EQ(o[0], 0);  // a comma on a "." system: the default
    EXPECT_DOUBLE_EQ(o[1], 3.25);
    EXPECT_DOUBLE_EQ(o[2], -4);
    EXPECT_DOUBLE_EQ(o[3], 0);
    EXPECT_TRUE(Form1->cb_CompareLevel->Checked());
    EXPECT_EQ(Form1->e_CompareLevel->Text(), "101.25");
    EXPECT_EQ(Form1->e_StartX->Text(), "1.5");
    // Not normalised: a comma on a "." system is no number, the default.
    EXPECT_EQ(Form1->e_ProfileXScale->Text(), "0");
}

// The panel's number edits refuse what is no number; an older file that
// holds such a text in one of their keys still opens, with the default.
TEST_F(SettingsShared, OlderPanelKeysThatAreNoNumbersGiveTheDefault) {
    decimal_separator = '.';
    model().profiles.assign(1, odcinek{});
    model().profiles[0].pskala = true;
    model().current_profile = 0;
    Form1->e_StartX->SetText("5");
    read_project(ini_file("bad.hlv", {"[format]", "startX=x1", "startY=2,5", "[inne]", "poziom_wart=abc",
                                      "pskalax=1 200"}));
    EXPECT_EQ(Form1->e_CompareLevel->Text(), "0");
    EXPECT_EQ(Form1->e_ProfileXScale->Text(), "0");
    EXPECT_EQ(Form1->e_StartX->Text(), "0");
    EXPECT_EQ(Form1->e_StartY->Text(), "2.5");
}

TEST_F(SettingsShared, VersionIsTheDigitsOfTheText) {
    struct Case {
        std::string stored;
        int version;
    } cases[] = {{"4.11_testowa", 411}, {"3.2", 32}, {"beta", 0}, {"99999999999999", 0}};
    int n = 0;
    for (const Case& c : cases) {
        settings().project_file_version = -1;
        read_project(ini_file("v" + IntToStr(n++) + ".hlv", {"[format]", "wersja=" + c.stored}));
        EXPECT_EQ(settings().project_file_version, c.version) << c.stored;
    }
}

TEST_F(SettingsShared, NextSeriesIdNeverFallsBelowTheSeriesOfTheProject) {
    struct Case {
        std::vector<int> ids;
        std::vector<std::string> lines;
        int next;
    } cases[] = {
        {{}, {}, 0},
        {{3, 7}, {}, 8},  // an options file, which lacks the key
        {{3, 7}, {"[inne]", "next_typosz_id=20"}, 20},
        {{3, 7}, {"[inne]", "next_typosz_id=5"}, 8},
        {{}, {"[inne]", "next_typosz_id=abc"}, 0},
    };
    int n = 0;
    for (const Case& c : cases) {
        model().project.pipe_series.clear();
        for (int id : c.ids) {
            mat_rura_typosz s;
            s.main.id = id;
            model().project.pipe_series.push_back(s);
        }
        model().project.next_typosz_id = 99;
        read_next_typosz_id(IniFile(ini_file("id" + IntToStr(n++) + ".ini", c.lines)));
        EXPECT_EQ(model().project.next_typosz_id, c.next) << n;
    }
}

TEST_F(SettingsShared, ProjectDataRecordRoundTrip) {
    projekt_dane d;
    d.inwestor = "Gmina \xa3\xf3\x64\xbc";
    d.inor_kod = "87-600";
    d.gmina = "Lipno";
    d.wlas2 = "w2";
    const std::string path = home.file("data.ini");
    {
        IniFile ini(path);
        zapisz_dane_proj(d, ini);
        ini.UpdateFile();
    }
    IniFile ini(path);
    EXPECT_EQ(ini.ReadSection("dane_proj"),
              (std::vector<std::string>{"inwestor", "inor_miejscowosc", "inor_kod", "inor_poczta", "obiekt",
                                        "inwestycja", "miejscowosc", "kod", "poczta", "gmina", "dzialka", "branza",
                                        "nr_zlecenia", "data", "wlas1", "wlas2", "wlas3"}));
    projekt_dane back;
    back.obiekt = "stale";
    czytaj_dane_proj(ini, back);
    EXPECT_EQ(back.inwestor, d.inwestor);
    EXPECT_EQ(back.inor_kod, "87-600");
    EXPECT_EQ(back.gmina, "Lipno");
    EXPECT_EQ(back.wlas2, "w2");
    EXPECT_EQ(back.obiekt, "");
}

TEST_F(SettingsShared, SettingsReaderInLanguageModeLeavesFontTextsAndSwitches) {
    const std::string path = ini_file("lang_full.ini", {"[format]", "skalay=250", "[inne]", "calculate_terrain=1",
                                                        "next_typosz_id=9", "[font]", "kol_kol=3"});
    topcje->sag_Fonts->SetCell(2, 4, "84");
    model().project.next_typosz_id = 4;
    // A language switch reads only what depends on the language: the shared
    // scale stays as the open project brought it.
    const std::string scale = cell(1, 2);
    ASSERT_NE(scale, "250");
    czytaj_opcje(path, "lang");
    EXPECT_EQ(cell(1, 2), scale);
    EXPECT_EQ(font(2, 4), "84");
    EXPECT_FALSE(topcje->cb_CalculateTerrainAccordToMainSection->Checked());
    EXPECT_EQ(model().project.next_typosz_id, 4);

    czytaj_opcje(path, "plik");
    EXPECT_EQ(cell(1, 2), "250");
    EXPECT_EQ(font(2, 4), "3");
    EXPECT_TRUE(topcje->cb_CalculateTerrainAccordToMainSection->Checked());
    EXPECT_EQ(model().project.next_typosz_id, 9);
}

TEST_F(SettingsShared, SavedProjectReadsBackAsVersion411) {
    change_shared_settings();
    change_project_settings();
    const std::string path = home.file("saved.hlv");
    zapisz_opcje(path, "plik");
    settings().project_file_version = 0;
    mark(Form1->sg_FirstSump, {});
    czytaj_opcje(path, "plik");
    EXPECT_EQ(settings().project_file_version, 411);
    EXPECT_EQ(marks(Form1->sg_FirstSump), "101000");
    EXPECT_EQ(model().project.next_typosz_id, 14);
    EXPECT_DOUBLE_EQ(model().project.sheet_origins[3], 0.125);
    // The first read adds the built-in band rows the file lacked; from then
    // on a save and a read change nothing.
    const std::string second = home.file("saved2.hlv");
    zapisz_opcje(second, "plik");
    czytaj_opcje(second, "plik");
    const std::string third = home.file("saved3.hlv");
    zapisz_opcje(third, "plik");
    EXPECT_EQ(read_file(third), read_file(second));
}

}  // namespace
