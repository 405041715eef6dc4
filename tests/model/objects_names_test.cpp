#include <gtest/gtest.h>

#include "forms/objects.h"
#include "forms/rys1.h"
#include "model/names.h"
#include "model/objects.h"
#include "model/state.h"
#include "platform/input.h"
#include "platform/sysutils.h"
#include "support/fixture.h"
#include "support/model_builders.h"

namespace {

class Names : public ProgramTest {};

TEST_F(Names, NodeDisplayNamesAndShortIdentifiers) {
    decimal_separator = '.';
    const uint16_t p = add_profile("a", 3, {0, 12.5, 20});
    auto& n = model().profiles[p].nodes;
    n[0].wez = "S1";
    n[1].id = 12;
    n[2].kom = "przy drodze";
    EXPECT_EQ(tworz_nazwe_wezla(p, 0), "S1 - ");
    EXPECT_EQ(tworz_nazwe_wezla(p, 1), "Odległość: 12.50 m"_cp);
    EXPECT_EQ(tworz_nazwe_wezla(p, 2), " - przy drodze");
    std::string s;
    tworz_nazwe_wezla_short(p, 1, s);
    EXPECT_EQ(s, "3.12");
    tworz_nazwe_wezla_short(p, 0, s);
    EXPECT_EQ(s, "S1");
    tworz_nazwe_wezla_short_new(p, 1, s);
    EXPECT_EQ(s, "12.50");
    tworz_liste_wezlow(p, s);
    EXPECT_EQ(s, "S1 - \r\nOdległość: 12.50 m\r\n - przy drodze\r\n"_cp);
    tworz_liste_wezlow(add_profile("empty", 4), s);
    EXPECT_EQ(s, "");
}

TEST_F(Names, ProfileListsAndFreeNumbers) {
    add_profile("profil1", 1);
    std::string s = "x\r\n";
    tworz_liste_profili(true, s);
    EXPECT_EQ(s, "x\r\nprofil1\r\n");  // one profile: no "all marked" line
    add_profile("profil3", 2);
    s.clear();
    tworz_liste_profili(true, s);
    EXPECT_EQ(s, "profil1\r\nprofil3\r\nwszystkie zaznaczone profile\r\n");
    EXPECT_EQ(new_profil_number("profil"), 2);
    EXPECT_EQ(new_profil_number("Profil"), 1);
    add_profile("profil2", 3);
    EXPECT_EQ(new_profil_number("profil"), 4);
    for (int i = 1; i < 255; ++i) add_profile("p" + std::to_string(i), static_cast<uint16_t>(10 + i));
    EXPECT_EQ(new_profil_number("p"), 255);
}

class Objects : public ProgramTest {};

TEST_F(Objects, ClassesOfKeys) {
    const struct {
        const char* object;
        const char* cls;
        bool want;
    } cases[] = {
        {"Sump", "studzienki", true},   {"sump", "Studzienki", false}, {"osadnik", "vars", false},
        {"osadnik", "osadnikopodobne", true}, {"budynek", "inne", true}, {"budynek", "vars", true},
        {"grupa", "all", true},         {"grupa", "armatura", true},   {"rów"_cp, "inne", true},
        {"rów"_cp, "budynkopodobne", false}, {"zawor", "vars", true},     {"unknown", "all", false},
        {"sump", "nothing", false},     {"WEJSCIE DO BUDYNKU", "budynkopodobne", true},
    };
    for (const auto& c : cases) EXPECT_EQ(jest_obiekt2(c.object, c.cls), c.want) << c.object << " " << c.cls;
}

TEST_F(Objects, DisplayNamesFollowTheMenuCaptions) {
    EXPECT_EQ(obiekt2nazwa("zasuwa", false), "zasuwa");
    EXPECT_EQ(obiekt2nazwa("zasuwa", true), "armatura");
    EXPECT_EQ(obiekt2nazwa("inne", false), "");
    EXPECT_EQ(obiekt2nazwa("inne", true), "inne");
    EXPECT_EQ(obiekt2nazwa("sump", false), "studzienka");
    EXPECT_EQ(obiekt2nazwa("filtr", false), "filtr doczyszczający"_cp);
    EXPECT_EQ(obiekt2nazwa("pipe", false), "typoszereg rur");
    EXPECT_EQ(obiekt2nazwa("zawor", false), "zawór"_cp);
    EXPECT_EQ(obiekt2nazwa("budynek", true), "inne");
    EXPECT_EQ(obiekt2nazwa("grupa", false), "grupa");
    EXPECT_EQ(obiekt2nazwa("rewizyjna", false), "rewizyjna");
    EXPECT_EQ(obiekt2nazwa("wejscie do budynku", false), "wejście do budynku"_cp);

    EXPECT_EQ(nazwa2obiekt("Zawór"_cp), "zawor");
    EXPECT_EQ(nazwa2obiekt("ZASUWA"), "zasuwa");
    EXPECT_EQ(nazwa2obiekt("Zbiornik"), "osadnik");
    EXPECT_EQ(nazwa2obiekt("Wejście do budynku"_cp), "wejscie do budynku");
    EXPECT_EQ(nazwa2obiekt("Typoszereg rur"), "Typoszereg rur");
    EXPECT_EQ(nazwa2obiekt("Coś innego"_cp), "Coś innego"_cp);

    // A language that renames an item renames the object.
    static_cast<TMenuItem*>(Form1->FindComponent("mi_GateValve"))->SetCaption("Gate valve");
    EXPECT_EQ(nazwa2obiekt("gate valve"), "zasuwa");
    EXPECT_EQ(obiekt2nazwa("zasuwa", false), "gate valve");

    // Every key turns into a name and back.
    for (const object_menu_item& item : object_menu_items()) {
        if (!*item.key || std::string(item.name) == "mi_Tank") continue;
        EXPECT_EQ(nazwa2obiekt(obiekt2nazwa(item.key, false)), item.key) << item.name;
    }
}

TEST_F(Objects, TreatmentCodesSearchAndDrainage) {
    std::string out = "kept";
    treatment_block_name("zamyk", out);
    EXPECT_EQ(out, "sl-rbou");
    treatment_block_name("other", out);
    EXPECT_EQ(out, "sl-rbou");

    const uint16_t p = add_profile("a", 5, {0, 10, 20, 30});
    auto& n = model().profiles[p].nodes;
    EXPECT_EQ(obiekt_szuk("SUMP", p), 0);
    n[2].obiekt = "sump";
    EXPECT_EQ(obiekt_szuk("SUMP", p), 2);
    n[0].obiekt = "xx sl-rr yy";
    n[1].obiekt = "sump";
    n[1].wez = "Z1";
    mat_studzienka closing;
    closing.adds.node_name = "Z1";
    closing.kind = 'z';
    model().project.sumps.push_back(closing);
    EXPECT_TRUE(czy_jest_drenaz(p, 0));
    EXPECT_FALSE(czy_jest_drenaz(p, 3));  // the last node
    model().project.sumps[0].kind = 's';
    EXPECT_FALSE(czy_jest_drenaz(p, 0));
    n[1].obiekt = "sl-rcolv";
    EXPECT_TRUE(czy_jest_drenaz(p, 0));

    // A sump found through its link list takes the node's name.
    mat_studzienka linked;
    linked.connections = "5|3\x1e";
    model().project.sumps.push_back(linked);
    n[2].wez = "S9";
    EXPECT_EQ(znajdz_obiekt(p, 2), 1);
    EXPECT_EQ(model().project.sumps[1].adds.node_name, "S9");
    EXPECT_EQ(n[2].object_index, 1);
    n[3].obiekt = "osadnik";
    EXPECT_EQ(znajdz_obiekt(p, 3), -1);
    mat_osadnik tank;
    tank.adds.node_id = n[3].id;
    model().profiles[p].tanks.push_back(tank);
    EXPECT_EQ(znajdz_obiekt(p, 3), 0);
}

TEST_F(Objects, TheObjectMenuPutsItsKeyOnTheCurrentNode) {
    auto* menu = static_cast<TMenuItem*>(Form1->FindComponent("mi_ObjectInsert"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->Caption(), "Wstaw &obiekt");
    auto* fittings = static_cast<TMenuItem*>(Form1->FindComponent("mi_Fittings"));
    EXPECT_EQ(fittings->Count(), 12);
    EXPECT_EQ(static_cast<TMenuItem*>(Form1->FindComponent("mi_Other"))->Count(), 9);
    EXPECT_FALSE(static_cast<TMenuItem*>(Form1->FindComponent("mi_Tank"))->Visible());
    EXPECT_EQ(Form1->FindComponent("mi_Sump")->Tag, 1);

    add_profile("a", 1, {0});
    model().current_profile = 0;
    auto pick = [](const char* name) {
        user::choose_menu(static_cast<TMenuItem*>(Form1->FindComponent(name)));
        return model().profiles[0].nodes[0].obiekt;
    };
    EXPECT_EQ(pick("mi_Valve"), "zawor");
    EXPECT_EQ(pick("mi_GateValve"), "zasuwa");
    EXPECT_EQ(Form1->previous_object, "zawor");
    // A tank opens the object library; closing it gives the node its
    // object of before.
    std::string offered;
    ui().on_modal("TtObjects", [&offered](TForm&) {
        offered = tObjects->l_Found->Hint();
        EXPECT_EQ(model().profiles[0].nodes[0].obiekt, "osadnik");
    });
    static_cast<TMenuItem*>(Form1->FindComponent("mi_Tank"))->Click();  // hidden: only code clicks it
    EXPECT_EQ(offered, "osadnik");
    EXPECT_EQ(model().profiles[0].nodes[0].obiekt, "zasuwa");
    EXPECT_EQ(pick("mi_BuildingEntrance"), "zasuwa");  // carries no click
    EXPECT_EQ(pick("mi_blank"), "");
}

}  // namespace
