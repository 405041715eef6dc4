#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/cost_state.h"
#include "model/messages.h"
#include "forms/opcje.h"
#include "files/settings_groups.h"
#include "files/settings_io.h"
#include "model/settings_state.h"
#include "files/settings_tables.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/grids.h"
#include "platform/ini.h"
#include "platform/stdctrls.h"
#include "platform/sysutils.h"
#include "platform/paths.h"
#include "support/fixture.h"

namespace {

const std::string on = "\xfe";
const std::string off = "\xa8";
const std::string rs = "\x1e";  // layer item separator

// Items joined by the list separator "¤".
std::string row(const std::vector<std::string>& items) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) out += (i ? "\xa4" : "") + items[i];
    return out;
}

class SettingsLists : public ProgramTest {
protected:

    std::string file(const std::string& name, const std::vector<std::string>& lines) {
        const std::string path = home.file(name);
        write_lines(path, lines);
        return path;
    }
    std::string missing() const { return home.file("nofile.ini"); }
    // A language file holding the given lines.
    void use_language_file(const std::vector<std::string>& lines) { language_file = file("polski.lng", lines); }

    TStringGrid& layers() { return *topcje->sag_Layers; }
    std::string line_type(int i) { return topcje->cb_LineType->Items()[i]; }
    std::vector<std::string> layer_row(int r) {
        std::vector<std::string> cells;
        for (int c = 0; c < 6; ++c) cells.push_back(layers().Cells(c, r));
        return cells;
    }

    template <class Fn>
    void write_with(const std::string& path, Fn fn) {
        IniFile ini(path);
        fn(ini);
        ini.UpdateFile();
    }
    template <class Fn>
    void read_with(const std::string& path, Fn fn) {
        IniFile ini(path);
        fn(ini);
    }

    std::vector<dane_pod_profil>& band() { return settings().profile_table_rows; }
    std::vector<std::string> band_keys() {
        std::vector<std::string> keys;
        for (const auto& r : band()) keys.push_back(r.key);
        return keys;
    }

};

// --- layers -----------------------------------------------------------------

TEST_F(SettingsLists, MissingFileGivesTheBaseLayerOnly) {
    read_with(missing(), [](IniFile& ini) { read_layers(ini); });
    ASSERT_EQ(layers().RowCount(), 2);
    EXPECT_EQ(layer_row(1), (std::vector<std::string>{"1", "0", "1", line_type(0), "1", off}));
    EXPECT_EQ(topcje->cb_warstwy->Items().items(), (std::vector<std::string>{"0"}));
}

TEST_F(SettingsLists, LayerRowsStopAtTheFirstMissingNumber) {
    const std::string path = file("layers.ini", {"[warstwy]", "w0=Ignored" + rs + "3" + rs + "1" + rs + "2" + rs + on,
                                                 "w1=Rura" + rs + "5" + rs + "2" + rs + "1" + rs + off,
                                                 "w3=Late" + rs + "6" + rs + "0" + rs + "1" + rs + off});
    read_with(path, [](IniFile& ini) { read_layers(ini); });
    ASSERT_EQ(layers().RowCount(), 3);
    EXPECT_EQ(layer_row(1), (std::vector<std::string>{"1", "0", "3", line_type(1), "2", on}));
    EXPECT_EQ(layer_row(2), (std::vector<std::string>{"2", "Rura", "5", line_type(2), "1", off}));
    EXPECT_EQ(topcje->cb_warstwy->Items().items(), (std::vector<std::string>{"0", "Rura"}));
}

TEST_F(SettingsLists, LayerRowShapes) {
    struct Case {
        std::string value;
        std::vector<std::string> row;  // empty: the row is skipped
    };
    const std::vector<Case> cases = {
        {"Rura" + rs + "5", {"2", "Rura", "5", line_type(0), "1", off}},
        {"Rura" + rs + "5" + rs + "3", {"2", "Rura", "5", line_type(3), "1", off}},
        {"Rura" + rs + "5" + rs + "4" + rs + "7", {"2", "Rura", "5", line_type(4), "7", off}},
        {"Rura", {}},
        {"", {}},
        {"a" + rs + "1" + rs + "0" + rs + "1" + rs + off + rs + "x", {}},
        // A line type that is not an index of the list: the continuous line.
        {"Rura" + rs + "5" + rs + "9" + rs + "2" + rs + on, {"2", "Rura", "5", line_type(0), "2", on}},
        {"Rura" + rs + "5" + rs + "x" + rs + "2" + rs + on, {"2", "Rura", "5", line_type(0), "2", on}},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        const std::string path = file("shape" + IntToStr(n++) + ".ini", {"[warstwy]", "w1=" + c.value, "w2=Next" + rs + "9"});
        read_with(path, [](IniFile& ini) { read_layers(ini); });
        const int expected_rows = c.row.empty() ? 3 : 4;
        ASSERT_EQ(layers().RowCount(), expected_rows);
        if (!c.row.empty()) {
            EXPECT_EQ(layer_row(2), c.row);
        }
        EXPECT_EQ(layers().Cells(1, expected_rows - 1), "Next");  // the read went on
    }
}

TEST_F(SettingsLists, ShortBaseLayerRowTakesTheDefault) {
    const std::string path = file("w0.ini", {"[warstwy]", "w0=Linie", "w1=A" + rs + "2"});
    read_with(path, [](IniFile& ini) { read_layers(ini); });
    ASSERT_EQ(layers().RowCount(), 3);
    EXPECT_EQ(layer_row(1), (std::vector<std::string>{"1", "0", "1", line_type(0), "1", off}));
    EXPECT_EQ(layers().Cells(1, 2), "A");
}

TEST_F(SettingsLists, LayerTableRoundTrip) {
    layers().SetRowCount(4);
    layers().SetRow(1, {"1", "0", "7", line_type(0), "3", on});
    layers().SetRow(2, {"2", "Rura", "12", line_type(4), "1", off});
    layers().SetRow(3, {"3", "Opisy", "256", "not a picture", "1", ""});
    const std::string first = home.file("l1.ini");
    // A stale row of an earlier, longer table goes with the section.
    write_lines(first, {"[warstwy]", "w7=Old" + rs + "1"});
    write_with(first, [](IniFile& ini) { write_layers(ini); });
    EXPECT_EQ(ini_read(first, "warstwy", "w2", "?"), "Opisy" + rs + "256" + rs + "0" + rs + "1" + rs + off);
    EXPECT_EQ(ini_read(first, "warstwy", "w1", "?"), "Rura" + rs + "12" + rs + "4" + rs + "1" + rs + off);
    EXPECT_FALSE(IniFile(first).ValueExists("warstwy", "w7"));

    layers().SetRowCount(2);
    read_with(first, [](IniFile& ini) { read_layers(ini); });
    ASSERT_EQ(layers().RowCount(), 4);
    EXPECT_EQ(layer_row(2), (std::vector<std::string>{"2", "Rura", "12", line_type(4), "1", off}));
    EXPECT_EQ(layer_row(3), (std::vector<std::string>{"3", "Opisy", "256", line_type(0), "1", off}));
    const std::string second = home.file("l2.ini");
    write_with(second, [](IniFile& ini) { write_layers(ini); });
    EXPECT_EQ(read_file(first), read_file(second));
}

// --- drawing elements -------------------------------------------------------

TEST_F(SettingsLists, BuiltInDrawingElements) {
    settings().line_defs.assign(20, linia_def{});
    reset_line_defs();
    const auto& d = settings().line_defs;
    ASSERT_EQ(d.size(), 15u);
    const char* const keys[] = {"ter", "rura", "dno_wyk", "lin1", "lin2", "tabela", "metryka", "koment",
                                "terp", "os_rury", "oslon", "obi", "obi_symb", "obsyp", "kreskowanie"};
    const int colors[] = {94, 7, 40, 12, 190, 8, 8, 8, 5, 9, 1, 7, 7, 40, 64};
    const bool draw[] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 0, 0};
    const bool like[] = {0, 1, 1, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 1, 0};
    for (int i = 0; i < 15; ++i) {
        SCOPED_TRACE(keys[i]);
        EXPECT_EQ(d[i].key, keys[i]);
        EXPECT_EQ(d[i].color, colors[i]);
        EXPECT_EQ(d[i].draw, draw[i]);
        EXPECT_EQ(d[i].like_pipe, like[i]);
        EXPECT_EQ(d[i].layer, "0");
        EXPECT_EQ(d[i].media, "a");
    }
    EXPECT_EQ(d[9].name, "Oś rury"_cp);
    EXPECT_EQ(d[14].name, "");
}

TEST_F(SettingsLists, ShortElementListsKeepTheOtherDefaults) {
    const std::string path = file("linie.ini", {"[linie]", "kolory=3\x1e" "4\x1e" "5\x1e",
                                                "rysuj=" + off + off + off + off + off + off + off + off,
                                                "warstwy=A\x1e\x1e" "C", "jak_rura=" + on, "media=w,\x1ex\x1e"});
    read_with(path, [](IniFile& ini) { read_line_defs(ini, mode_opcje); });
    const auto& d = settings().line_defs;
    ASSERT_EQ(d.size(), 15u);
    EXPECT_EQ(d[0].color, 3);
    EXPECT_EQ(d[2].color, 5);
    EXPECT_EQ(d[3].color, 12);
    EXPECT_EQ(d[14].color, 64);
    for (int i = 0; i < 8; ++i) EXPECT_FALSE(d[i].draw) << i;
    EXPECT_TRUE(d[8].draw);
    EXPECT_TRUE(d[10].draw);
    EXPECT_EQ(d[0].layer, "A");
    EXPECT_EQ(d[1].layer, "0");  // an empty item
    EXPECT_EQ(d[2].layer, "C");
    EXPECT_TRUE(d[0].like_pipe);
    EXPECT_TRUE(d[1].like_pipe);  // beyond the text: default
    EXPECT_EQ(d[0].media, "w,");
    EXPECT_EQ(d[2].media, "a");
}

TEST_F(SettingsLists, BadColourKeepsItsDefaultAndTheReadGoesOn) {
    const std::string path = file("badcolor.ini", {"[linie]", "kolory=x\x1e" "33\x1e", "[lines]",
                                                   "line_0=" + row({"1", "user", "Kanal", "zz", "k,", "L"})});
    read_with(path, [](IniFile& ini) { read_line_defs(ini, mode_plik); });
    const auto& d = settings().line_defs;
    ASSERT_EQ(d.size(), 16u);
    EXPECT_EQ(d[0].color, 94);
    EXPECT_EQ(d[1].color, 33);
    EXPECT_EQ(d[15].name, "Kanal");
    EXPECT_EQ(d[15].color, 1);
    EXPECT_EQ(d[15].layer, "L");
}

TEST_F(SettingsLists, UserLinesOfSixAndSevenItems) {
    const std::string path =
        file("lines.ini", {"[lines]", "line_0=" + row({"1", "user", "Drenaz", "12", "w,k,", "Rury"}),
                           "line_1=" + row({"0", "przeplyw", "Przeplyw", "300", "a", "Opisy", "0"}), "line_2=",
                           "line_3=" + row({"1", "k", "Trzeci", "2", "a", "0", "1"}), "line_5=" + row({"1", "x", "Po"})});
    read_with(path, [](IniFile& ini) { read_line_defs(ini, mode_opcje); });
    const auto& d = settings().line_defs;
    ASSERT_EQ(d.size(), 18u);  // the empty "line_2" adds nothing; "line_4" is missing
    EXPECT_TRUE(d[15].draw);
    EXPECT_EQ(d[15].key, "user");
    EXPECT_EQ(d[15].name, "Drenaz");
    EXPECT_EQ(d[15].color, 12);
    EXPECT_EQ(d[15].media, "w,k,");
    EXPECT_EQ(d[15].layer, "Rury");
    EXPECT_TRUE(d[15].like_pipe);  // six items
    EXPECT_FALSE(d[16].draw);
    EXPECT_EQ(d[16].key, "przeplyw");
    EXPECT_EQ(d[16].color, 300);
    EXPECT_FALSE(d[16].like_pipe);
    EXPECT_EQ(d[17].name, "Trzeci");
    EXPECT_TRUE(d[17].like_pipe);
    // The dialog's line table shows the user elements by name.
    EXPECT_EQ(topcje->sag_Lines->RowCount(), 19);
    EXPECT_EQ(topcje->sag_Lines->Cells(0, 16), "Drenaz");
    EXPECT_EQ(topcje->sag_Lines->Cells(1, 17), off);
    EXPECT_EQ(topcje->sag_Lines->Cells(2, 17), "300");
    EXPECT_EQ(topcje->sag_Lines->Cells(3, 16), "Rury");
    EXPECT_EQ(topcje->sag_Lines->Cells(0, 1), "Teren");
}

TEST_F(SettingsLists, LanguageReadKeepsTheUserElementsValues) {
    const std::string opcje =
        file("user.ini", {"[lines]", "line_0=" + row({"0", "k1", "Pierwsza", "12", "w,", "Rury", "1"}),
                          "line_1=" + row({"1", "k2", "Druga", "40", "k,", "Opisy", "0"})});
    read_with(opcje, [](IniFile& ini) { read_line_defs(ini, mode_opcje); });
    const std::vector<linia_def> before = settings().line_defs;
    // The language read names the elements (an unknown one too) but sets nothing else.
    const std::string lang =
        file("lang.ini", {"[lines]", "line_0=" + row({"1", "zz", "Druga", "99", "a", "X", "1"}),
                          "line_1=" + row({"1", "zz", "Pierwsza", "99", "a", "X", "0"}), "line_2=" + row({"0", "q", "Nowa"})});
    read_with(lang, [](IniFile& ini) { read_line_defs(ini, mode_lang); });
    const auto& d = settings().line_defs;
    ASSERT_EQ(d.size(), 18u);
    auto same = [](const linia_def& a, const linia_def& b) {
        return a.key == b.key && a.name == b.name && a.layer == b.layer && a.media == b.media && a.color == b.color &&
               a.draw == b.draw && a.like_pipe == b.like_pipe;
    };
    EXPECT_TRUE(same(d[15], before[16]));
    EXPECT_TRUE(same(d[16], before[15]));
    EXPECT_EQ(d[17].name, "Nowa");
    EXPECT_EQ(d[17].key, "");
    EXPECT_EQ(d[17].layer, "0");
    EXPECT_EQ(d[17].media, "a");
}

TEST_F(SettingsLists, DrawingElementsRoundTrip) {
    reset_line_defs();
    auto& d = settings().line_defs;
    d[3].color = 200;
    d[3].draw = false;
    d[4].layer = "Linie";
    d[4].like_pipe = true;
    d[5].media = "w,d,";
    linia_def u;
    u.key = "user";
    u.name = "Wykop";
    u.layer = "W";
    u.media = "k,";
    u.color = 256;
    u.draw = true;
    u.like_pipe = false;
    d.push_back(u);
    const std::string first = home.file("d1.ini");
    write_lines(first, {"[lines]", "line_4=" + row({"1", "old", "Old", "1", "a", "0", "1"})});
    write_with(first, [](IniFile& ini) { write_line_defs(ini); });
    EXPECT_FALSE(IniFile(first).ValueExists("lines", "line_4"));
    EXPECT_EQ(ini_read(first, "lines", "line_0", ""), row({"1", "user", "Wykop", "256", "k,", "W", "0"}));

    const std::vector<linia_def> written = d;
    reset_line_defs();
    read_with(first, [](IniFile& ini) { read_line_defs(ini, mode_plik); });
    ASSERT_EQ(d.size(), 16u);
    EXPECT_EQ(d[3].color, 200);
    EXPECT_FALSE(d[3].draw);
    EXPECT_EQ(d[4].layer, "Linie");
    EXPECT_TRUE(d[4].like_pipe);
    EXPECT_EQ(d[5].media, "w,d,");
    EXPECT_EQ(d[15].name, "Wykop");
    EXPECT_EQ(d[15].color, 256);
    const std::string second = home.file("d2.ini");
    write_with(second, [](IniFile& ini) { write_line_defs(ini); });
    EXPECT_EQ(read_file(first), read_file(second));
}

// --- band rows --------------------------------------------------------------

TEST_F(SettingsLists, BandRowParseDefaults) {
    band().clear();
    dodaj_parametry_wiersza_tabeli("");
    EXPECT_TRUE(band().empty());

    dodaj_parametry_wiersza_tabeli("1");
    ASSERT_EQ(band().size(), 1u);
    const dane_pod_profil& a = band()[0];
    EXPECT_TRUE(a.shown);
    EXPECT_TRUE(a.reserved);
    EXPECT_TRUE(a.at_nodes);
    EXPECT_EQ(a.precision, 2);
    EXPECT_EQ(a.name, "Nazwa");
    EXPECT_EQ(a.unit, "jedn.");
    EXPECT_EQ(a.formula, "");
    EXPECT_EQ(a.title, "Opis");
    EXPECT_EQ(a.key, "user");
    EXPECT_EQ(a.height, 100);
    EXPECT_FALSE(a.join);
    EXPECT_FALSE(a.forced);
    EXPECT_FALSE(a.drawn);

    dodaj_parametry_wiersza_tabeli("0¤1¤0¤2¤Przepływ¤m3/h¤¤Przepływ [@flow_unit]¤przeplyw¤100"_cp);
    const dane_pod_profil& b = band()[1];
    EXPECT_FALSE(b.shown);
    EXPECT_TRUE(b.reserved);
    EXPECT_FALSE(b.at_nodes);
    EXPECT_EQ(b.name, "Przepływ"_cp);
    EXPECT_EQ(b.unit, "m3/h");
    EXPECT_EQ(b.title, "Przepływ [@flow_unit]"_cp);
    EXPECT_EQ(b.key, "przeplyw");
    EXPECT_FALSE(b.join);
    EXPECT_EQ(band_row_text(b), "0¤1¤0¤2¤Przepływ¤m3/h¤¤Przepływ [@flow_unit]¤przeplyw¤100¤0"_cp);

    // Numbers that do not convert keep their defaults; 8-bit fields take the nearest value.
    struct Case {
        std::string precision, height;
        int want_precision, want_height;
    };
    for (const Case& c : std::vector<Case>{{"x", "y", 2, 100}, {"-300", "300", -128, 255}, {"0x5", "-4", 5, 0}}) {
        dodaj_parametry_wiersza_tabeli(row({"1", "0", "0", c.precision, "n", "u", "f", "t", "user", c.height, "1"}));
        EXPECT_EQ(band().back().precision, c.want_precision) << c.precision;
        EXPECT_EQ(band().back().height, c.want_height) << c.height;
        EXPECT_TRUE(band().back().join);
    }
}

TEST_F(SettingsLists, AtMost255BandRows) {
    band().clear();
    for (int i = 0; i < 300; ++i) dodaj_parametry_wiersza_tabeli(row({"1", "0", "0", "2", "n", "u", "", "T" + IntToStr(i)}));
    ASSERT_EQ(band().size(), 255u);
    EXPECT_EQ(TitleNr("", "t254"), 254);
    EXPECT_EQ(TitleNr("", "T255"), 255);
}

TEST_F(SettingsLists, TitleNrFindsByKeyOrTitle) {
    band().clear();
    dodaj_parametry_wiersza_tabeli(row({"1", "1", "1", "2", "Teren", "m", "", "Rzedna terenu", "teren", "100"}));
    dodaj_parametry_wiersza_tabeli(row({"1", "1", "1", "2", "", "m", "", "", "user", "100"}));
    dodaj_parametry_wiersza_tabeli(row({"1", "1", "1", "2", "Flow", "m", "", "Przeplyw", "przeplyw", "100"}));
    struct Case {
        std::string key, title;
        int want;
    };
    const std::vector<Case> cases = {
        {"przeplyw", "", 2},       {"Przeplyw", "", 255},  // the key is compared exactly
        {"", "PRZEPLYW", 2},       {"", "rzedna TERENU", 0},
        {"nothing", "przeplyw", 2},  // either matches
        {"", "", 255},             // an empty key or title matches no empty field
        {"user", "", 1},           {"x", "y", 255},
    };
    for (const Case& c : cases) EXPECT_EQ(TitleNr(c.key, c.title), c.want) << c.key << "/" << c.title;
}

TEST_F(SettingsLists, MissingBuiltInRowsAreAddedExceptInLanguageMode) {
    use_language_file({"[TableContent]", "tab_21=" + row({"1", "0", "1", "1", "DS", "%", "", "Dlugosc/Spadek", "dlug_spad", "90", "0"})});
    std::vector<std::string> lines = {"[table_content_polski]",
                                      "tab_0=" + row({"1", "0", "0", "2", "A", "u", "@_x", "Moja", "user", "100"})};
    const char* const present[] = {"teren_opis", "Teren_Proj", "wierzch_obsypki", "przeplyw_odc", "przeplyw", "SKALA"};
    for (int i = 0; i < 6; ++i)
        lines.push_back("tab_" + IntToStr(i + 1) + "=" + row({"1", "0", "0", "2", "n", "u", "", "t", present[i], "100"}));
    const std::string path = file("tc.ini", lines);

    for (unsigned mode : {mode_opcje, mode_plik}) {
        read_with(path, [mode](IniFile& ini) { read_band_rows(ini, mode); });
        ASSERT_EQ(band().size(), 8u) << mode;
        EXPECT_EQ(band().back().key, "dlug_spad");
        EXPECT_EQ(band().back().title, "Dlugosc/Spadek");  // the language file's row
        EXPECT_EQ(band().back().height, 90);
    }
    read_with(path, [](IniFile& ini) { read_band_rows(ini, mode_lang); });
    EXPECT_EQ(band().size(), 7u);
    EXPECT_EQ(band()[0].formula, "@_x");
    // The dialog's table shows the rows read.
    EXPECT_EQ(topcje->sag_TableContent->RowCount(), 8);
    EXPECT_EQ(topcje->sag_TableContent->Cells(2, 1), "Moja");
    EXPECT_EQ(topcje->sag_TableContent->Cells(6, 1), "@_x");
    EXPECT_EQ(topcje->sag_TableContent->Cells(6, 2), "n");
    EXPECT_EQ(topcje->sag_TableContent->Cells(4, 1), "0.00");
    EXPECT_EQ(topcje->sag_TableContent->Cells(7, 1), "100%");
}

TEST_F(SettingsLists, BuiltInRowTextsWithoutALanguageFile) {
    language_file.clear();
    const std::string path =
        file("own.ini", {"[table_content_polski]", "tab_0=" + row({"1", "0", "0", "2", "A", "u", "", "Moja", "user", "100"})});
    read_with(path, [](IniFile& ini) { read_band_rows(ini, mode_opcje); });
    EXPECT_EQ(band_keys(), (std::vector<std::string>{"user", "teren_opis", "teren_proj", "wierzch_obsypki",
                                                     "przeplyw_odc", "przeplyw", "skala", "dlug_spad"}));
    EXPECT_EQ(band()[1].height, 60);
    EXPECT_TRUE(band()[6].join);
    EXPECT_EQ(band()[7].title, "Długość/Spadek [%]"_cp);
}

TEST_F(SettingsLists, ProjectWithoutBandRowsTakesThoseOfTheUserSettings) {
    use_language_file({"[TableContent]", "tab_0=" + row({"1", "1", "1", "2", "L", "m", "", "Z jezyka", "lang_row", "100"})});
    const std::string project = file("project.hlv", {"[format]", "wersja=4.11"});

    // Without the user's section: the language file's table.
    read_with(project, [](IniFile& ini) { read_band_rows(ini, mode_plik); });
    EXPECT_EQ(band_keys(), (std::vector<std::string>{"lang_row"}));

    write_lines(user_settings_file(),
                {"[table_content_polski]", "tab_0=" + row({"1", "1", "1", "2", "U", "m", "", "Uzytkownika", "user", "100"}),
                 "tab_1=" + row({"0", "1", "1", "2", "U", "m", "", "Drugi", "user", "100"})});
    read_with(project, [](IniFile& ini) { read_band_rows(ini, mode_plik); });
    ASSERT_EQ(band().size(), 2u);
    EXPECT_EQ(band()[1].title, "Drugi");
    // Only a project falls back to the user's settings.
    read_with(project, [](IniFile& ini) { read_band_rows(ini, mode_opcje); });
    EXPECT_EQ(band_keys(), (std::vector<std::string>{"lang_row"}));
}

TEST_F(SettingsLists, BandRowsRoundTrip) {
    language_file.clear();
    band().clear();
    dodaj_parametry_wiersza_tabeli(row({"1", "0", "0", "7", "Nazwa", "mm", "@_a+1", "Tytul", "user", "120", "1"}));
    for (const char* r : {"0¤0¤0¤2¤Opis terenu¤¤¤Opis terenu¤teren_opis¤60"_cp, "0¤1¤0¤0¤Skala X¤¤¤Skala X [1:]¤skala¤70¤1"_cp})
        dodaj_parametry_wiersza_tabeli(r);
    const std::string first = home.file("b1.ini");
    write_lines(first, {"[table_content_polski]", "tab_9=stale"});
    write_with(first, [](IniFile& ini) { write_band_rows(ini); });
    EXPECT_FALSE(IniFile(first).ValueExists("table_content_polski", "tab_9"));
    read_with(first, [](IniFile& ini) { read_band_rows(ini, mode_lang); });
    ASSERT_EQ(band().size(), 3u);
    EXPECT_EQ(band()[0].precision, 7);
    EXPECT_EQ(band()[0].height, 120);
    const std::string second = home.file("b2.ini");
    write_with(second, [](IniFile& ini) { write_band_rows(ini); });
    EXPECT_EQ(read_file(first), read_file(second));
}

// --- check rules ------------------------------------------------------------

TEST_F(SettingsLists, CheckRulesRoundTrip) {
    auto& rules = settings().check_rules;
    rules = {rule_def{"Spadek za maly", "@_td_spadek<2", "w,k,", 0x00112233, true},
             rule_def{"Druga", "@_a>1", "a", clRed, false}};
    const std::string first = home.file("r1.ini");
    write_lines(first, {"[Rules_polski]", "3=1\xa4" "clRed\xa4stale\xa4@_x\xa4" "a"});
    write_with(first, [](IniFile& ini) { write_check_rules(ini); });
    EXPECT_EQ(ini_read(first, "Rules_polski", "1", ""), row({"1", "$00112233", "Spadek za maly", "@_td_spadek<2", "w,k,"}));
    EXPECT_EQ(ini_read(first, "Rules_polski", "2", ""), row({"0", "clRed", "Druga", "@_a>1", "a"}));
    EXPECT_FALSE(IniFile(first).ValueExists("Rules_polski", "3"));

    rules.clear();
    read_with(first, [](IniFile& ini) { read_check_rules(ini); });
    ASSERT_EQ(rules.size(), 2u);
    EXPECT_EQ(rules[0].color, 0x00112233u);
    EXPECT_TRUE(rules[0].enabled);
    EXPECT_EQ(rules[0].media, "w,k,");
    EXPECT_EQ(rules[1].formula, "@_a>1");
    EXPECT_EQ(topcje->sag_Rules->RowCount(), 3);
    EXPECT_EQ(topcje->sag_Rules->Cells(1, 1), on);
    EXPECT_EQ(topcje->sag_Rules->Cells(3, 2), "Druga");
    const std::string second = home.file("r2.ini");
    write_with(second, [](IniFile& ini) { write_check_rules(ini); });
    EXPECT_EQ(read_file(first), read_file(second));
}

TEST_F(SettingsLists, CheckRuleSources) {
    use_language_file({"[Rules_polski]", "1=" + row({"1", "$000000FF", "Z jezyka", "@_a", "a"})});
    // Without its own section the file gives the language file's rules.
    read_with(missing(), [](IniFile& ini) { read_check_rules(ini); });
    ASSERT_EQ(settings().check_rules.size(), 1u);
    EXPECT_EQ(settings().check_rules[0].description, "Z jezyka");

    // Its own section wins; short or bad rows keep the defaults of their fields.
    const std::string path = file("rules.ini", {"[Rules_polski]", "1=" + row({"1", "nonsense", "Zly kolor"}), "2=",
                                                "3=" + row({"0", "clLime", "Trzeci", "@_b", ""})});
    read_with(path, [](IniFile& ini) { read_check_rules(ini); });
    const auto& r = settings().check_rules;
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].description, "Zly kolor");
    EXPECT_EQ(r[0].color, clRed);
    EXPECT_EQ(r[0].formula, "");
    EXPECT_EQ(r[0].media, "a");
    EXPECT_EQ(r[1].color, clLime);
    EXPECT_EQ(r[1].media, "a");

    language_file.clear();
    read_with(missing(), [](IniFile& ini) { read_check_rules(ini); });
    EXPECT_TRUE(settings().check_rules.empty());
    EXPECT_EQ(topcje->sag_Rules->RowCount(), 2);
    EXPECT_EQ(topcje->sag_Rules->Cells(1, 1), off);
    EXPECT_EQ(topcje->sag_Rules->Cells(3, 1), "");
}

// --- crossing colours -------------------------------------------------------

TEST_F(SettingsLists, CrossingRowWithoutMediumIsNotWritten) {
    TStringGrid& g = *topcje->sag_CrossingsFonts;
    g.SetRowCount(4);
    g.SetRow(1, {"Woda", on, "5"});
    g.SetRow(2, {"", off, "7"});
    g.SetRow(3, {"Gaz", off, "2"});
    const std::string path = home.file("cc.ini");
    write_lines(path, {"[CrossingColors_polski]", "2=Stale\xa4" "0\xa4" "1"});
    write_with(path, [](IniFile& ini) { write_crossing_colors(ini); });
    const IniFile ini(path);
    EXPECT_EQ(ini.ReadSection("CrossingColors_polski"), (std::vector<std::string>{"1", "3"}));
    EXPECT_EQ(ini.ReadString("CrossingColors_polski", "1", ""), row({"Woda", "1", "5"}));
    EXPECT_EQ(ini.ReadString("CrossingColors_polski", "3", ""), row({"Gaz", "0", "2"}));

    read_with(path, [](IniFile& ini) { read_crossing_colors(ini); });
    ASSERT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.Rows(1), (std::vector<std::string>{"Woda", on, "5"}));
    EXPECT_EQ(settings().crossing_media, (std::vector<std::string>{"woda"}));
}

TEST_F(SettingsLists, CrossingRowsGrowTheTable) {
    use_language_file({"[CrossingColors_polski]", "1=" + row({"Jezyk", "0", "3"})});
    TStringGrid& g = *topcje->sag_CrossingsFonts;
    const std::string path =
        file("cc2.ini", {"[CrossingColors_polski]", "1=" + row({"ŁĄKA"_cp, "1", "4"}), "2=" + row({"Prad"}), "3=",
                         "4=" + row({"Gaz", "1", "9"})});
    read_with(path, [](IniFile& ini) { read_crossing_colors(ini); });
    ASSERT_EQ(g.RowCount(), 5);
    EXPECT_EQ(g.Rows(1), (std::vector<std::string>{"ŁĄKA"_cp, on, "4"}));
    EXPECT_EQ(g.Rows(2), (std::vector<std::string>{"Prad", off, "1"}));
    EXPECT_EQ(g.Rows(3), (std::vector<std::string>{"", off, "1"}));
    EXPECT_EQ(g.Rows(4), (std::vector<std::string>{"Gaz", on, "9"}));
    EXPECT_EQ(settings().crossing_media, (std::vector<std::string>{"łąka"_cp, "prad", "gaz"}));

    // A file without the section: the language file's rows.
    read_with(missing(), [](IniFile& ini) { read_crossing_colors(ini); });
    ASSERT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.Rows(1), (std::vector<std::string>{"Jezyk", off, "3"}));
}

// --- staff rows, cost resources, the user's file ----------------------------

TEST_F(SettingsLists, StaffRowsRoundTrip) {
    // The settings dialog's staff list holds the name in column 0.
    TStringGrid& g = *topcje->sag_Workers;
    ASSERT_EQ(g.ColCount(), 4);
    for (int r = 1; r <= 10; ++r)
        for (int c = 0; c < 4; ++c) g.SetCell(c, r, r == 4 && c == 1 ? "" : "R" + IntToStr(r) + "C" + IntToStr(c + 1));
    const std::string first = home.file("s1.ini");
    write_with(first, [&g](IniFile& ini) { write_staff_rows(ini, "firma", g, 0); });
    EXPECT_EQ(ini_read(first, "firma", "proj10", ""), "R10C1\xa4R10C2\xa4R10C3\xa4R10C4\xa4");
    EXPECT_EQ(ini_read(first, "firma", "proj4", ""), "R4C1\xa4\xa4R4C3\xa4R4C4\xa4");

    for (int r = 1; r <= 10; ++r)
        for (int c = 0; c < 4; ++c) g.SetCell(c, r, "x");
    read_with(first, [&g](IniFile& ini) { read_staff_rows(ini, "firma", g, 0); });
    EXPECT_EQ(g.ColCount(), 4);
    EXPECT_EQ(g.Cells(0, 1), "R1C1");
    EXPECT_EQ(g.Cells(3, 10), "R10C4");
    EXPECT_EQ(g.Cells(1, 4), "");
    const std::string second = home.file("s2.ini");
    write_with(second, [&g](IniFile& ini) { write_staff_rows(ini, "firma", g, 0); });
    EXPECT_EQ(read_file(first), read_file(second));
}

TEST_F(SettingsLists, StaffRowDefaultsAndShortRows) {
    TStringGrid g(nullptr);
    g.SetColCount(3);
    g.SetRowCount(2);
    const std::string path = file("staff.ini", {"[dane_proj]", "proj1=Jan Kowalski\xa4Projektant", "proj2=\xa4\xa4\xa4" "Drogi\xa4"});
    read_with(path, [&g](IniFile& ini) { read_staff_rows(ini, "dane_proj", g); });
    ASSERT_EQ(g.RowCount(), 11);
    EXPECT_EQ(g.Rows(1), (std::vector<std::string>{"", "Jan Kowalski", "Projektant", "", ""}));
    EXPECT_EQ(g.Rows(2), (std::vector<std::string>{"", "", "", "", "Drogi"}));
    EXPECT_EQ(g.Rows(3), (std::vector<std::string>{"", "", "", "", ""}));
}

TEST_F(SettingsLists, CostResourceRows) {
    kosztorysy& c = cost_data();
    c.labour = {koszt_material{7, "Robotnik", 3, 0, 0, 'r', 2550}, koszt_material{8, "Brygadzista", 3, 2, 0, 'r', 3000}};
    c.materials = {koszt_material{1, "Rura", 5, 1.5, 0, 'm', 1234}, koszt_material{2, "Kolano", 1, 0, 0, 'm', 100},
                   koszt_material{3, "Piasek", 4, 2, 0, 'm', 5}};
    c.equipment = {koszt_material{9, "Koparka", 6, 0, 0, 's', 10000}};
    const std::string path = home.file("calc.ini");
    write_with(path, [](IniFile& ini) { write_cost_resources(ini); });
    const IniFile ini(path);
    EXPECT_EQ(ini.ReadSection("calc_r"), (std::vector<std::string>{"0", "1"}));
    EXPECT_EQ(ini.ReadString("calc_r", "0", ""), row({"7", "3", "Robotnik", "2550"}));
    EXPECT_EQ(ini.ReadSection("calc_m"), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(ini.ReadString("calc_m", "2", ""), row({"3", "4", "Piasek", "5"}));
    EXPECT_FALSE(ini.SectionExists("calc_s"));
}

TEST_F(SettingsLists, UserSettingsFileIsInTheConfigurationFolder) {
    EXPECT_EQ(user_settings_file(), path_join(folders().config_folder, "halvoren.ini"));
}

}  // namespace
