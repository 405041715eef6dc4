// Objects put on the current node of the main window: treatment-plant
// elements with a node of their own, tanks from the library with their
// further chambers, sumps new or connected, the pick list, and the commands
// that open the object editor and the library.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/ed_obiekt.h"
#include "forms/objects.h"
#include "forms/rys1.h"
#include "model/records.h"
#include "model/state.h"
#include "model/tanks.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/input.h"
#include "support/fixture.h"
#include "support/model_builders.h"
#include "support/profile_fixture.h"

namespace {

class ObjectWindow : public ProgramTest {
protected:
    ObjectWindow() { keep_entered_values(); }

    // One profile (and `more` empty ones after it) of nodes named as given,
    // ids 1, 2, ..., 10 m apart, every value kept; the current row shows
    // node `row`.
    static void nodes_named(const std::vector<std::string>& names, int row, int more = 0) {
        model().profiles.clear();
        odcinek p;
        p.nazwa = "p1";
        p.idp = 1;
        p.rysuj = true;
        p.stala = 3;
        for (std::size_t i = 0; i < names.size(); ++i) {
            wezel w = node_at(static_cast<uint16_t>(i + 1), 10.0 * static_cast<double>(i));
            w.wez = names[i];
            if (i + 1 < names.size()) w.dlug = 10;
            p.nodes.push_back(w);
        }
        model().profiles.push_back(p);
        for (int i = 0; i < more; ++i) add_profile("p" + std::to_string(i + 2), static_cast<uint16_t>(i + 2));
        Form1->tabs_odswiez(0);
        Form1->sg1->SetRow(row + 2);
    }
    static std::vector<wezel>& nodes() { return model().profiles[0].nodes; }
    static std::vector<std::string> field(std::string wezel::*f) {
        std::vector<std::string> out;
        for (const wezel& w : nodes()) out.push_back(w.*f);
        return out;
    }

    // An object file of the library.
    std::string object_file(const std::string& name, const std::vector<std::pair<std::string, std::string>>& keys) {
        const std::string folder = home.file("objects");
        ForceDirectories(folder);
        std::string text = "[object]\r\n";
        for (const auto& [k, v] : keys) text += k + "=" + v + "\r\n";
        write_file(path_join(folder, name), text);
        return path_join(folder, name);
    }

    // The library plays its part for the next showing: the object file is
    // chosen and the editor stores it as the tank of the current node.
    void library_chooses(const std::string& file) {
        ui().on_modal("TtObjects", [file](TForm& f) {
            mat_osadnik tank;
            tObjectProp->czytaj_dane_osadnik(file, tank);
            tObjectProp->Tag = 0;
            auto& tanks = model().profiles[model().current_profile].tanks;
            bool replaced = false;
            for (mat_osadnik& t : tanks)
                if (!replaced && t.adds.node_id == tank.adds.node_id) {
                    t = tank;
                    replaced = true;
                }
            if (!replaced) tanks.push_back(tank);
            f.SetModalResult(mrOk);
        });
    }
};

TEST_F(ObjectWindow, ATreatmentPlantElementTakesANodeOfItsOwnWithTheSizesOfItsTableRow) {
    struct Case {
        const char* text;
        int8_t slope_sign;
    };
    for (const Case c : {Case{"epurbloc", 1}, Case{"sl-sg", 1}, Case{"EPURBLOC 3000", -1}}) {
        nodes_named({"N1", "N2", "N3"}, 1);
        model().slope_sign = c.slope_sign;
        nodes()[1].obiekt = c.text;
        Form1->obiekty(c.text);

        mat_osadnik element;
        ASSERT_TRUE(osadnik_dane2(element, LowerCase(c.text)));
        const double run = element.length;
        ASSERT_GT(run, 0);
        EXPECT_EQ(field(&wezel::wez), (std::vector<std::string>{"N1", "N2", "", "N3"})) << c.text;
        EXPECT_EQ(field(&wezel::obiekt), (std::vector<std::string>{"", c.text, "", ""})) << c.text;
        EXPECT_EQ(nodes()[1].id, 4);
        EXPECT_DOUBLE_EQ(nodes()[1].dlug, run / 1000) << c.text;
        EXPECT_NEAR(nodes()[1].spad,
                    c.slope_sign * 100.0 * (element.height_inlet_bottom - element.height_outlet_bottom) / run, 1e-9)
            << c.text;
        EXPECT_EQ(Form1->sg1->RowCount(), 6);
    }
}

TEST_F(ObjectWindow, AnElementTheTableDoesNotKnowIsRefusedAndTheObjectGoesBack) {
    nodes_named({"N1", "N2", "N3"}, 1);
    Form1->previous_object = "zasuwa";
    nodes()[1].obiekt = "epurbloc 9000";
    Form1->obiekty("epurbloc 9000");
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_EQ(ui().boxes[0].text,
              std::string("Nie znaleziono wymiarów elementu oczyszczalni: \"epurbloc 9000\".\r\n"_cp) +
                  "Znane elementy: epurbloc, epurbloc 3000, sl-sg, sl-fe.");
    EXPECT_EQ(field(&wezel::wez), (std::vector<std::string>{"N1", "N2", "N3"}));
    EXPECT_EQ(field(&wezel::obiekt), (std::vector<std::string>{"", "zasuwa", ""}));
}

TEST_F(ObjectWindow, ATankFromTheLibraryBringsItsFurtherChambersEachAfterAGap) {
    const std::string tank = object_file("tank.hlo", {{"type", "osadnik"}, {"name", "Zbiornik 1"}, {"length", "2000"},
                                                      {"height_inlet_bottom", "1500"}, {"height_outlet_bottom", "1400"},
                                                      {"distance_to_next", "700"}, {"file_next", "K2.HLO"}});
    object_file("k2.hlo", {{"type", "osadnik"}, {"name", "Komora 2"}, {"length", "1000"}, {"file_next", "k3.hlo"}});
    object_file("k3.hlo", {{"type", "osadnik"}, {"name", "Komora 3"}, {"width", "800"}});
    const std::string loop = object_file("loop.hlo", {{"type", "osadnik"}, {"name", "Komora"}, {"file_next", "loop.hlo"}});
    const std::string wrong = object_file("wrong.hlo", {{"type", "osadnik"}, {"name", "Obca"}});

    struct Case {
        std::string file;
        std::vector<std::string> comments;  // of the nodes, from the tank on
    };
    const Case cases[] = {
        {tank, {"Zbiornik 1", "", "Komora 2", "", "Komora 3", "", ""}},
        {loop, {"Komora", "", "Komora", "", "Komora", "", "Komora", "", "Komora", "", "Komora", "", ""}},
    };
    for (const Case& c : cases) {
        // The first node had a tank record before; the second node carries
        // another tank, whose record stands last in the list.
        nodes_named({"S1", "S2"}, 0);
        nodes()[1].obiekt = "osadnik";
        mat_osadnik old;
        old.adds.node_id = 1;
        old.main.name = "Stary";
        mat_osadnik other;
        other.adds.node_id = 2;
        other.file_next = wrong;
        model().profiles[0].tanks = {old, other};

        library_chooses(c.file);
        user::choose_menu(static_cast<TMenuItem*>(Form1->FindComponent("mi_SepticTank")));

        EXPECT_EQ(field(&wezel::kom), c.comments) << c.file;
        const std::size_t n = nodes().size();
        ASSERT_EQ(n, c.comments.size());
        EXPECT_EQ(nodes()[0].wez, "S1");
        EXPECT_EQ(nodes()[n - 2].wez, "");
        EXPECT_EQ(nodes()[n - 2].obiekt, "");
        EXPECT_EQ(nodes()[n - 1].wez, "S2");
        // Every chamber carries the tank's object and its own record.
        const auto& tanks = model().profiles[0].tanks;
        ASSERT_EQ(tanks.size(), 2 + (n - 3) / 2);
        EXPECT_EQ(tanks[0].adds.node_id, nodes()[0].id);
        EXPECT_EQ(tanks[1].adds.node_id, 2);
        for (std::size_t k = 2; k + 2 < n; k += 2) {
            EXPECT_EQ(nodes()[k].obiekt, "osadnik");
            EXPECT_EQ(tanks[1 + k / 2].adds.node_id, nodes()[k].id);
            EXPECT_DOUBLE_EQ(nodes()[k - 1].dlug, c.file == tank ? 0.7 : 0.5);  // the gap before the chamber
        }
    }
    // The tank's own segment spans it, from the inlet down to the outlet;
    // a chamber without a length spans its width.
    nodes_named({"S1", "S2"}, 0);
    library_chooses(tank);
    user::choose_menu(static_cast<TMenuItem*>(Form1->FindComponent("mi_SepticTank")));
    EXPECT_DOUBLE_EQ(nodes()[0].dlug, 2.0);
    EXPECT_DOUBLE_EQ(nodes()[0].spad, 5.0);
    EXPECT_DOUBLE_EQ(nodes()[4].dlug, 0.8);
}

TEST_F(ObjectWindow, ThePickListListsTheObjectMenuAndOneGroupWithoutInsertingAnything) {
    nodes_named({"N1"}, 0);
    Form1->obiekty("..");
    EXPECT_EQ(Form1->lb_listy->Items().Count(), 5);
    std::vector<std::string> items;
    for (int i = 0; i < Form1->lb_listy->Items().Count(); ++i) items.push_back(Form1->lb_listy->Items()[i]);
    EXPECT_EQ(items, (std::vector<std::string>{"", "studzienka", "zbiornik", "inne", "armatura"}));

    // The group remembered by the pick list: its visible items, ".." first.
    static_cast<TMenuItem*>(Form1->FindComponent("mi_Stack"))->SetVisible(false);
    Form1->object_category = static_cast<TMenuItem*>(Form1->FindComponent("mi_Other"))->MenuIndex();
    Form1->obiekty("inne...");
    items.clear();
    for (int i = 0; i < Form1->lb_listy->Items().Count(); ++i) items.push_back(Form1->lb_listy->Items()[i]);
    EXPECT_EQ(items, (std::vector<std::string>{"..", "budynek", "rów"_cp, "szafka", "szafka na budynku",
                                               "zestaw wodomierzowy", "wejście do budynku"_cp, "rynna",
                                               "zbiornik wodny"}));
    EXPECT_EQ(nodes().size(), 1u);
    EXPECT_EQ(nodes()[0].obiekt, "");
    EXPECT_TRUE(ui().modal_forms.empty());
}

TEST_F(ObjectWindow, ASumpIsNewOrConnectedToAnExistingOneAndTheCopiedNodeStays) {
    struct Case {
        int answer;
        const char* dialog;  // shown after the question
        const char* object;  // of the node afterwards
    };
    for (const Case c : {Case{IDYES, "TtObjects", ""}, Case{IDNO, "Ttcopy", "sump"}, Case{IDCANCEL, "", ""}}) {
        nodes_named({"S1"}, 0, 1);
        model().node_buffer = node_at(7, 0);
        model().node_buffer.wez = "kopia";
        ui().boxes.clear();
        ui().modal_forms.clear();
        ui().answer(c.answer);
        std::string offered = "-";
        if (*c.dialog) ui().on_modal(c.dialog, [&offered](TForm&) { offered = tObjects->l_Found->Hint(); });
        user::choose_menu(static_cast<TMenuItem*>(Form1->FindComponent("mi_Sump")));

        ASSERT_EQ(ui().boxes.size(), 1u);
        EXPECT_EQ(ui().boxes[0].text,
                  "Wstawić nową studzienkę? \r\nWybierz [Nie] jeżeli chcesz podłączyć do już istniejącej."_cp);
        EXPECT_EQ(ui().boxes[0].buttons(), static_cast<unsigned>(MB_YESNOCANCEL));
        EXPECT_EQ(ui().modal_forms, *c.dialog ? std::vector<std::string>{c.dialog} : std::vector<std::string>{});
        if (c.answer == IDYES) {
            EXPECT_EQ(offered, "sump");
        }
        EXPECT_EQ(nodes()[0].obiekt, c.object) << c.answer;
        EXPECT_EQ(model().node_buffer.id, 7);
        EXPECT_EQ(model().node_buffer.wez, "kopia");
    }

    // A project of one profile has no sump to connect to: the library opens at once.
    nodes_named({"S1"}, 0);
    ui().boxes.clear();
    ui().on_modal("TtObjects", [](TForm& f) { f.SetModalResult(mrOk); });
    user::choose_menu(static_cast<TMenuItem*>(Form1->FindComponent("mi_Sump")));
    EXPECT_TRUE(ui().boxes.empty());
    EXPECT_EQ(nodes()[0].obiekt, "sump");
}

TEST_F(ObjectWindow, ClosingTheLibraryGivesTheNodeItsObjectOfBefore) {
    struct Case {
        const char* object;  // put on the node by the menu or the pick list
        bool confirm;
        const char* after;
    };
    const Case cases[] = {
        {"inne", false, "zasuwa"},
        {"armatura", true, "armatura"},
        {"osadnik", false, "zasuwa"},
    };
    for (const Case& c : cases) {
        nodes_named({"N1", "N2"}, 1);
        Form1->previous_object = "zasuwa";
        nodes()[1].obiekt = c.object;
        std::string offered;
        ui().on_modal("TtObjects", [&offered, &c](TForm& f) {
            offered = tObjects->l_Found->Hint();
            if (c.confirm) f.SetModalResult(mrOk);
        });
        Form1->obiekty(c.object);
        EXPECT_EQ(offered, c.object);
        EXPECT_EQ(nodes()[1].obiekt, c.after) << c.object;
        EXPECT_EQ(nodes().size(), 2u);
    }
}

TEST_F(ObjectWindow, TheObjectEditorOpensOnTheRecordOfTheCurrentNode) {
    nodes_named({"N1", "N2", "N3"}, 0);
    nodes()[0].obiekt = "osadnik";
    nodes()[1].obiekt = "zasuwa";
    nodes()[2].obiekt = "sump";
    mat_osadnik other;
    other.adds.node_id = 9;
    mat_osadnik own;
    own.adds.node_id = 1;
    model().profiles[0].tanks = {other, own};

    // Disabled until the table finds an object at the chosen node.
    EXPECT_FALSE(Form1->a_ObjectEdit->Enabled());
    user::key(VK_F3);
    EXPECT_TRUE(ui().modal_forms.empty());
    Form1->a_ObjectEdit->SetEnabled(true);

    struct Case {
        int row;
        int record;  // -1: an object with variables, no record
    };
    for (const Case c : {Case{0, 1}, Case{1, -1}}) {
        Form1->sg1->SetRow(c.row + 2);
        int mode = -1;
        int index = -2;
        std::string kind;
        ui().on_modal("TtObjectProp", [&](TForm& f) {
            mode = f.Tag;
            kind = tObjectProp->l_ObjectKind->Hint();
            index = tObjectProp->l_ObjectKind->Tag;
        });
        user::key(VK_F3);
        EXPECT_EQ(mode, 1);
        EXPECT_EQ(kind, nodes()[static_cast<std::size_t>(c.row)].obiekt);
        EXPECT_EQ(index, c.record);
    }

    // A sump the project does not hold: a note, no editor.
    ui().modal_forms.clear();
    // The button stands in the object cell of the node.
    Form1->sg1->FocusCell(model().position_of(column_kind::obiekt), 2 + 2, true);
    user::click(Form1->sb_ObjectParameters);
    EXPECT_TRUE(ui().modal_forms.empty());
    EXPECT_EQ(Form1->StatusBar1->Panels(0)->Text(), "Obiekt nie został odnaleziony."_cp);
}

TEST_F(ObjectWindow, TheLibraryCommandOffersEveryKind) {
    tObjects->l_Found->SetHint("sump");
    int tag = -1;
    std::string kind = "-";
    ui().on_modal("TtObjects", [&](TForm& f) {
        tag = f.Tag;
        kind = tObjects->l_Found->Hint();
    });
    Form1->a_Objects->Execute();
    EXPECT_EQ(tag, 1);
    EXPECT_EQ(kind, "");
    EXPECT_EQ(tObjects->Tag, 0);
}

}  // namespace
