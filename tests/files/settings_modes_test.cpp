#include <gtest/gtest.h>

#include <algorithm>

#include "model/cost_state.h"
#include "model/messages.h"
#include "forms/opcje.h"
#include "files/settings.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/sysutils.h"
#include "platform/paths.h"
#include "support/fixture.h"

namespace {

class SettingsModes : public ProgramTest {
protected:
    SettingsModes() { decimal_separator = '.'; }
    // The sections a write of the mode puts into a new file.
    std::vector<std::string> sections_of(const std::string& mode) {
        const std::string path = home.file(mode + IntToStr(++files_) + ".ini");
        last_file_ = path;
        zapisz_opcje(path, mode);
        if (!FileExists(path)) return {};
        auto s = IniFile(path).ReadSections();
        std::sort(s.begin(), s.end());
        return s;
    }
    int files_ = 0;
    std::string last_file_;
    static bool has(const std::vector<std::string>& v, const char* s) {
        return std::find(v.begin(), v.end(), s) != v.end();
    }
};

TEST_F(SettingsModes, EachModeWritesItsGroupsOnly) {
    czytaj_opcje(folders().config_folder + "nofile.ini", "opcje");  // what the program reads at start
    cost_data().labour.push_back({1, "Robotnik", 30, 1, 1, 'r', 2500});
    const auto opcje = sections_of("opcje");
    for (const char* s : {"calc", "calc_r", "format", "inne", "uklad", "autouzup", "warstwy", "linie", "font",
                          "drawing_titles_polski", "Columns_polski", "rysunek", "firma", "autofilling_polski", "Dane",
                          "Dane_prec", "table_content_polski"})
        EXPECT_TRUE(has(opcje, s)) << s;
    EXPECT_FALSE(has(opcje, "dane_proj"));
    EXPECT_FALSE(has(opcje, "Dane_szer"));  // the main window's close writes it

    auto plik = sections_of("plik");
    for (const char* s : {"format", "inne", "uklad", "warstwy", "linie", "font", "table_content_polski", "dane_proj"})
        EXPECT_TRUE(has(plik, s)) << s;
    for (const char* s : {"rysunek", "firma", "Columns_polski", "autofilling_polski", "calc_r"})
        EXPECT_FALSE(has(plik, s)) << s;
    EXPECT_TRUE(has(plik, "calc"));  // only its SaveCalcParamsInHLV key
    EXPECT_EQ(IniFile(last_file_).ReadSection("calc"), std::vector<std::string>{"SaveCalcParamsInHLV"});

    EXPECT_EQ(sections_of("koszt"), (std::vector<std::string>{"calc", "calc_r"}));
    EXPECT_EQ(sections_of("opcje_koszt"), std::vector<std::string>{"calc"});
    EXPECT_EQ(sections_of("close"), std::vector<std::string>{"table_content_polski"});
    EXPECT_TRUE(sections_of("lang").empty());
    EXPECT_TRUE(sections_of("nothing").empty());

    // With the parameters kept in the project, the project takes them and
    // an estimate file does not.
    cost_data().SaveCalcParamsInHLV = true;
    plik = sections_of("plik");
    EXPECT_TRUE(has(plik, "calc_r"));
    EXPECT_TRUE(sections_of("koszt").empty());
}

TEST_F(SettingsModes, DefaultsComeBackFromAFileThatDoesNotExist) {
    topcje->cb_jedn->SetItemIndex(3);
    topcje->e_szer->SetText("0.75");
    topcje->cb_VerticalRuler->SetChecked(false);
    topcje->sag_DrawingProperties->SetCell(1, 1, "500");
    topcje->se_AutoSave->SetValue(60);
    decimal_separator = ',';
    czytaj_opcje(folders().config_folder + "nofile.ini", "opcje");
    EXPECT_EQ(topcje->cb_jedn->ItemIndex(), 0);
    EXPECT_EQ(topcje->e_szer->Text(), "0,50");
    EXPECT_TRUE(topcje->cb_VerticalRuler->Checked());
    EXPECT_EQ(topcje->sag_DrawingProperties->Cells(1, 1), "200");
    EXPECT_EQ(topcje->se_AutoSave->Value(), 10);
    EXPECT_FALSE(FileExists(folders().config_folder + "nofile.ini"));
}

TEST_F(SettingsModes, AProjectWrittenWithACommaOpensWhereThePointIsTheSeparator) {
    decimal_separator = ',';
    topcje->e_szer->SetText("0,65");
    topcje->e_Slope->SetText("1,5");
    contr2var();
    const std::string file = home.file("projekt.ini");
    zapisz_opcje(file, "opcje");
    decimal_separator = '.';
    czytaj_opcje(file, "opcje");
    EXPECT_EQ(topcje->e_szer->Text(), "0.65");
    EXPECT_EQ(topcje->e_Slope->Text(), "1.5");
}

}  // namespace

TEST_F(SettingsModes, ALanguagePatternThatDoesNotFitItsArgumentIsShownAsItStands) {
    // A translator's slip must not stop the settings from being read at
    // every start: the label shows the text as it stands and the keys after
    // it are still read.
    const std::string lang = home.file("polski.lng");
    write_lines(lang, {"[topcje]", "l_FileSettings=Plik %d", "l_DefaultInfotableChoose=Metryka %s %s"});
    const std::string file = home.file("opcje.ini");
    write_lines(file, {"[inne]", "default_infotable_polski=/a/info.dxf", "AutoSaveInterval=25"});
    language_file = lang;
    ini_cache_clear();
    EXPECT_NO_THROW(czytaj_opcje(file, "opcje"));
    language_file.clear();
    EXPECT_EQ(topcje->l_DefaultInfotableChoose->Caption(), "Metryka %s %s");
    EXPECT_EQ(topcje->l_DefaultInfotableChoose->Hint(), "/a/info.dxf");
    EXPECT_EQ(topcje->l_FileSettings->Caption(), "Plik %d");
    EXPECT_EQ(topcje->se_AutoSave->Value(), 25);  // read after the patterns
}
