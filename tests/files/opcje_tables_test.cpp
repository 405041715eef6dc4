#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "files/opcje_tables.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/settings_state.h"
#include "platform/cp1250.h"
#include "platform/named_bytes.h"
#include "support/fixture.h"

namespace {

class SettingsTables : public ProgramTest {
protected:
    // The layer table with the base layer and the given names after it.
    void layers(std::initializer_list<const char*> names) {
        TStringAlignGrid& g = *topcje->sag_Layers;
        g.SetRowCount(2 + static_cast<int>(names.size()));
        int r = 2;
        for (const char* n : names) g.SetCell(1, r++, n);
    }
};

TEST_F(SettingsTables, ValidLayerIsANameOfTheLayerTableComparedExactly) {
    layers({"Rura", "Teren"});
    const std::pair<const char*, const char*> cases[] = {
        {"Rura", "Rura"}, {"Teren", "Teren"}, {"rura", "0"}, {"Rura ", "0"}, {"", "0"}, {"Inna", "0"}, {"0", "0"},
    };
    for (const auto& [name, expected] : cases) EXPECT_EQ(valid_warstwa(name), expected) << name;
}

TEST_F(SettingsTables, NetworkLettersReadAsTheNamesOfTheNetworkList) {
    const TStringList& n = Form1->cb_NetworkType->Items();
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"a", "wszystkie"},
        {"w,d,", n[0] + "," + n[2]},
        {"d,w,", n[0] + "," + n[2]},  // in the list's order
        {"i,", n[6]},
        {"w", ""},  // a letter counts only with its comma
        {"x,", ""},
        {"w,k,d,g,c,m,i,", n[0] + "," + n[1] + "," + n[2] + "," + n[3] + "," + n[4] + "," + n[5] + "," + n[6]},
    };
    for (const auto& [letters, expected] : cases) EXPECT_EQ(media2txt(letters), expected) << letters;
    EXPECT_EQ(n[0], "wodociąg"_cp);
}

TEST_F(SettingsTables, ChoosersTakeTheLayersAndTheUserBandRowTitles) {
    layers({"Rura", "Teren"});
    zaladuj_warstwy();
    EXPECT_EQ(topcje->cb_warstwy->Items().items(), (std::vector<std::string>{"0", "Rura", "Teren"}));

    auto row = [](const char* key, const char* title) {
        dane_pod_profil d;
        d.key = key;
        d.title = title;
        return d;
    };
    settings().profile_table_rows = {row("user", "Pierwszy"), row("teren", "Teren"), row("user", "Druga"),
                                     row("user", "Trzecia")};
    zaladuj_nazwy_linii();
    EXPECT_EQ(topcje->cb_LineName->Items().items(), (std::vector<std::string>{"Druga", "Trzecia"}));
}

TEST_F(SettingsTables, RenumberingWritesRowNumbersFromTheFirstRow) {
    TStringAlignGrid& g = *topcje->sag_Layers;
    g.SetRowCount(4);
    for (int r = 0; r < 4; ++r) g.SetCell(0, r, "x");
    przenumeruj_grida(g, 0, 2);
    EXPECT_EQ(g.Cells(0, 1), "x");
    EXPECT_EQ(g.Cells(0, 2), "2");
    EXPECT_EQ(g.Cells(0, 3), "3");
}

}  // namespace
