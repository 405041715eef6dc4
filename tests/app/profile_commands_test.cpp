// The main window's profile commands: the tab strip, its popup menu and the
// "Profil" menu, run as a user runs them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/rys1.h"
#include "forms/search.h"
#include "forms/wstaw_tab.h"
#include "model/records.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "platform/cp1250.h"
#include "platform/input.h"
#include "support/fixture.h"
#include "support/model_builders.h"
#include "support/profile_fixture.h"

namespace {

class ProfileWindow : public ProgramTest {
protected:
    ProfileWindow() { keep_entered_values(); }

    // Every value kept.
    static void make_profiles(const std::string& types) { ::make_profiles(types, 3); }

    static std::vector<std::string> captions() {
        std::vector<std::string> out;
        for (int i = 0; i < Form1->tab_profile->TabCount(); ++i) out.push_back(Form1->tab_profile->Tab(i).Text);
        return out;
    }
    static std::vector<std::string> names() {
        std::vector<std::string> out;
        for (const odcinek& p : model().profiles) out.push_back(p.nazwa);
        return out;
    }
    static std::vector<bool> included() {
        std::vector<bool> out;
        for (const odcinek& p : model().profiles) out.push_back(p.rysuj);
        return out;
    }

    // Runs a command of the "Profil" menu as a user does: the menu opens
    // (its enabling rules run), then the command's item is chosen.
    static void run(TAction* command) {
        user::choose_menu(Form1->mi_Profile);
        for (int i = 0; i < Form1->mi_Profile->Count(); ++i)
            if (Form1->mi_Profile->Items(i)->Action() == command) {
                user::choose_menu(Form1->mi_Profile->Items(i));
                return;
            }
        FAIL() << "no item of " << command->Name();
    }
    // Opens the tab strip's popup menu and picks the item of that caption.
    void pick(const std::string& caption) {
        ui().pick_from_popup(caption);
        Form1->pm_tabs->Popup(0, 0);
    }
};

TEST_F(ProfileWindow, TheNewProfileCommandOpensTheInsertDialogBelow250Profiles) {
    struct Case {
        std::size_t profiles;
        bool opens;
    };
    for (const Case c : {Case{249, true}, Case{250, false}}) {
        model().profiles.assign(c.profiles, odcinek{});
        ui().boxes.clear();
        ui().modal_forms.clear();
        std::string caption;
        int mode = -1;
        if (c.opens)
            ui().on_modal("Ttwstaw_tab", [&](TForm& f) {
                caption = f.Caption();
                mode = twstaw_tab->l_ProfileName->Tag;
            });
        run(Form1->a_ProfileNew);
        if (c.opens) {
            EXPECT_EQ(caption, "Wstaw profil");
            EXPECT_EQ(mode, 1);
            EXPECT_TRUE(ui().boxes.empty());
        } else {
            EXPECT_TRUE(ui().modal_forms.empty());
            ASSERT_EQ(ui().boxes.size(), 1u);
            EXPECT_EQ(ui().boxes[0].text,
                      "Nie można dodać nowego profilu.\r\nMaksymalna ilość profili została osiągnięta [250]."_cp);
            EXPECT_EQ(ui().boxes[0].buttons(), static_cast<unsigned>(MB_OK));
        }
        EXPECT_EQ(model().profiles.size(), c.profiles) << c.profiles;
    }

    // Renaming opens the same dialog in its other mode, whatever the count.
    std::string caption;
    ui().on_modal("Ttwstaw_tab", [&](TForm& f) {
        caption = f.Caption();
        EXPECT_EQ(twstaw_tab->l_ProfileName->Tag, 0);
    });
    run(Form1->a_ProfileRename);
    EXPECT_EQ(caption, "Zmień nazwę"_cp);
}

TEST_F(ProfileWindow, DeletingAProfileAsksKeepsOneAndSelectsTheTabThatTakesItsPlace) {
    make_profiles("iii");
    user::choose_tab(Form1->tab_profile, 2);
    EXPECT_EQ(model().current_profile, 2);

    // No keeps everything.
    ui().answer(IDNO);
    run(Form1->a_ProfileDelete);
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_EQ(ui().boxes[0].text, "Czy na pewno usunąć profil: \r\n\"p3\"?"_cp);
    EXPECT_EQ(names(), (std::vector<std::string>{"p1", "p2", "p3"}));

    // Yes deletes the selected last profile; the new last tab is selected.
    ui().answer(IDYES);
    run(Form1->a_ProfileDelete);
    EXPECT_EQ(names(), (std::vector<std::string>{"p1", "p2"}));
    EXPECT_EQ(captions(), (std::vector<std::string>{"[+] p1", "[+] p2"}));
    EXPECT_EQ(Form1->tab_profile->TabIndex(), 1);
    EXPECT_EQ(model().current_profile, 1);

    ui().answer(IDYES);
    run(Form1->a_ProfileDelete);
    EXPECT_EQ(captions(), (std::vector<std::string>{"[+] p1"}));

    // The only profile stays, with the refusal and no question.
    ui().boxes.clear();
    run(Form1->a_ProfileDelete);
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_EQ(ui().boxes[0].text, "Projekt musi zawierać przynajmniej jeden profil.\r\nWybrany profil nie zostanie usunięty."_cp);
    EXPECT_EQ(names(), (std::vector<std::string>{"p1"}));
}

TEST_F(ProfileWindow, TabCaptionsShowInclusionAndTheMainMark) {
    struct Case {
        bool included;
        bool main;
        const char* caption;
    };
    const Case cases[] = {
        {true, false, "[+] profil3"},
        {false, false, "[-] profil3"},
        {true, true, "[[+]] profil3"},
        {false, true, "[[-]] profil3"},
    };
    for (const Case& c : cases) {
        model().profiles.clear();
        add_profile("profil1", 1);
        add_profile("profil3", 3);
        model().profiles[0].rysuj = true;
        model().profiles[1].rysuj = c.included;
        model().project.main_profile = c.main ? 1 : -1;
        Form1->tabs_odswiez(0);
        EXPECT_EQ(captions(), (std::vector<std::string>{"[+] profil1", c.caption})) << c.caption;
    }
}

TEST_F(ProfileWindow, TheMainMarkGoesToTheSelectedTabAndOffAgain) {
    make_profiles("iii");
    user::choose_tab(Form1->tab_profile, 1);
    run(Form1->a_ProfileMarkAsMain);
    EXPECT_EQ(model().project.main_profile, 1);
    EXPECT_EQ(captions(), (std::vector<std::string>{"[+] p1", "[[+]] p2", "[+] p3"}));

    user::choose_tab(Form1->tab_profile, 2);
    pick("Oznacz jako główny"_cp);
    EXPECT_EQ(model().project.main_profile, 2);
    EXPECT_EQ(captions(), (std::vector<std::string>{"[+] p1", "[+] p2", "[[+]] p3"}));

    pick("Oznacz jako główny"_cp);
    EXPECT_EQ(model().project.main_profile, -1);
    EXPECT_EQ(captions(), (std::vector<std::string>{"[+] p1", "[+] p2", "[+] p3"}));
}

TEST_F(ProfileWindow, TheInclusionCommandsOfThePopupChooseTheProfilesDrawn) {
    struct Case {
        const char* item;
        std::vector<bool> included;
    };
    // The second profile is a sewer ("d", shown as "kanalizacja"), as is the fourth.
    const Case cases[] = {
        {"Bieżący profil (włącz/wyłącz)"_cp, {true, false, false, true}},
        {"Tylko bieżący profil"_cp, {false, true, false, false}},
        {"Tylko profile typu: kanalizacja", {false, true, false, true}},
        {"Wszystkie profile oprócz bieżącego"_cp, {true, false, true, true}},
        {"Wszystkie profile", {true, true, true, true}},
    };
    make_profiles("wdkd");
    user::choose_tab(Form1->tab_profile, 1);
    for (const Case& c : cases) {
        model().profiles[2].rysuj = false;
        pick(c.item);
        EXPECT_EQ(included(), c.included) << c.item;
        for (std::size_t i = 0; i < c.included.size(); ++i)
            EXPECT_EQ(captions()[i].substr(0, 3), c.included[i] ? "[+]" : "[-]") << c.item;
    }
    // The current profile's inclusion toggles off and on again.
    pick("Bieżący profil (włącz/wyłącz)"_cp);
    EXPECT_FALSE(model().profiles[1].rysuj);
    pick("Bieżący profil (włącz/wyłącz)"_cp);
    EXPECT_TRUE(model().profiles[1].rysuj);
}

TEST_F(ProfileWindow, MenusEnableTheCommandsThatApplyToTheCurrentProfile) {
    model().profiles.clear();
    add_profile("p1", 1);
    model().profiles[0].rysuj = true;
    Form1->tabs_odswiez(0);
    user::choose_menu(Form1->mi_Profile);
    EXPECT_FALSE(Form1->a_ProfileMarkAsMain->Enabled());
    EXPECT_FALSE(Form1->a_ProfileSplit->Enabled());
    EXPECT_FALSE(Form1->mi_ImportCrossingsFromDxfFile->Enabled());

    // A single profile with a crossing has something to import crossings into.
    model().profiles[0].crossings.emplace_back();
    user::choose_menu(Form1->mi_Profile);
    EXPECT_TRUE(Form1->mi_ImportCrossingsFromDxfFile->Enabled());

    add_profile("p2", 2, {0, 10});
    model().profiles[1].networktype = 'g';
    model().project.main_profile = 1;
    Form1->tabs_odswiez(1);
    user::choose_menu(Form1->mi_Profile);
    EXPECT_TRUE(Form1->a_ProfileMarkAsMain->Enabled());
    EXPECT_TRUE(Form1->a_ProfileMarkAsMain->Checked());
    EXPECT_TRUE(Form1->a_ProfileSplit->Enabled());

    model().profiles[1].rysuj = false;
    ui().pick_from_popup("Uwzględnij"_cp);  // the submenu: opening it runs nothing
    Form1->pm_tabs->Popup(0, 0);
    EXPECT_FALSE(Form1->mi_Draw->Checked());
    EXPECT_EQ(Form1->mi_OnlyTheSameType->Caption(), "Tylko profile typu: gazociąg"_cp);
    EXPECT_TRUE(Form1->a_ProfileMarkAsMain->Checked());

    user::choose_tab(Form1->tab_profile, 0);
    ui().pick_from_popup("Uwzględnij"_cp);  // the submenu: opening it runs nothing
    Form1->pm_tabs->Popup(0, 0);
    EXPECT_TRUE(Form1->mi_Draw->Checked());
    EXPECT_FALSE(Form1->a_ProfileMarkAsMain->Checked());
    EXPECT_EQ(Form1->mi_OnlyTheSameType->Caption(), "Tylko profile typu: inny");
}

TEST_F(ProfileWindow, ChoosingATabLoadsItsProfileIntoThePanelWithoutRecalculating) {
    make_profiles("ii");
    odcinek& second = model().profiles[1];
    second.stala = 1;
    second.stala_odleglosci = 1;
    second.rzedna = 2;
    second.pl2r_wart = false;
    second.poziom = true;
    second.poziom_wart = 95.5;
    second.networktype = 'k';
    model().profiles[0].pl2r_wart = true;
    int clicks = 0;
    for (TRadioGroup* g : {Form1->rg_ManuallyValue, Form1->rg_ManuallyValueDistance, Form1->rg_PipeOrdinateMode})
        g->OnClick = [&clicks](TObject*) { ++clicks; };
    Form1->cb_PipellTerrain->OnClick = [&clicks](TObject*) { ++clicks; };
    Form1->rb_FlowDirectionLR->OnClick = [&clicks](TObject*) { ++clicks; };
    Form1->rb_FlowDirectionRL->OnClick = [&clicks](TObject*) { ++clicks; };

    user::choose_tab(Form1->tab_profile, 1);
    EXPECT_EQ(model().current_profile, 1);
    EXPECT_EQ(Form1->rg_ManuallyValue->ItemIndex(), 1);
    EXPECT_EQ(Form1->rg_ManuallyValueDistance->ItemIndex(), 1);
    EXPECT_EQ(Form1->rg_PipeOrdinateMode->ItemIndex(), 2);
    EXPECT_TRUE(Form1->cb_CalculateTerrainFromDepth->Enabled());
    EXPECT_TRUE(Form1->rb_FlowDirectionRL->Checked());
    EXPECT_TRUE(Form1->cb_CompareLevel->Checked());
    EXPECT_EQ(Form1->e_CompareLevel->Text(), "95.50");
    EXPECT_EQ(Form1->cb_NetworkType->ItemIndex(), 1);

    user::choose_tab(Form1->tab_profile, 0);
    EXPECT_EQ(Form1->rg_ManuallyValue->ItemIndex(), 3);
    EXPECT_EQ(Form1->rg_ManuallyValueDistance->ItemIndex(), 0);
    EXPECT_EQ(Form1->rg_PipeOrdinateMode->ItemIndex(), 0);
    EXPECT_FALSE(Form1->cb_CalculateTerrainFromDepth->Enabled());
    EXPECT_TRUE(Form1->rb_FlowDirectionLR->Checked());
    EXPECT_EQ(clicks, 0);
    // The handlers are back for the user's clicks.
    user::choose(Form1->rg_PipeOrdinateMode, 1);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ProfileWindow, JoiningShowsTheTargetAtItsPlaceAfterTheSourceIsGone) {
    make_profiles("iii");
    for (uint16_t p : {0, 2}) {
        model().profiles[p].nodes = {node_at(1, 0), node_at(2, 10)};
        model().profiles[p].nodes[0].dlug = 10;
    }
    // The first profile is joined onto the third.
    int tag = -1;
    ui().on_modal("TtSearch", [&tag](TForm& f) {
        tag = f.Tag;
        Form1->tab_profile->SetTabIndex(2);
        f.SetModalResult(mrOk);
    });
    run(Form1->a_ProfileJoin);
    EXPECT_EQ(tag, 1);
    EXPECT_EQ(names(), (std::vector<std::string>{"p2", "p3"}));
    EXPECT_EQ(model().profiles[1].nodes.size(), 4u);
    EXPECT_EQ(Form1->tab_profile->TabIndex(), 1);
    EXPECT_EQ(model().current_profile, 1);
    EXPECT_EQ(Form1->sg1->RowCount(), 6);

    // A search closed without choosing joins nothing.
    ui().on_modal("TtSearch", [](TForm&) {});
    run(Form1->a_ProfileJoin);
    EXPECT_EQ(names(), (std::vector<std::string>{"p2", "p3"}));

    // The node search itself lists profiles and nodes.
    ui().on_modal("TtSearch", [&tag](TForm& f) { tag = f.Tag; });
    user::key('F', ssCtrl);
    EXPECT_EQ(tag, 0);
}

TEST_F(ProfileWindow, SplittingDuplicatingAndReversingWorkOnTheSelectedProfile) {
    make_profiles("ii");
    model().profiles[1].nodes = {node_at(1, 0), node_at(2, 10), node_at(3, 20), node_at(4, 30)};
    user::choose_tab(Form1->tab_profile, 1);
    Form1->sg1->SetRow(2 + 2);
    run(Form1->a_ProfileSplit);
    EXPECT_EQ(captions().size(), 3u);
    EXPECT_EQ(model().profiles[1].nodes.size(), 3u);
    EXPECT_EQ(model().profiles[2].nodes.size(), 2u);

    // The second part of the split is "profil1"; the copy of the selected
    // profile follows it at once.
    EXPECT_EQ(names(), (std::vector<std::string>{"p1", "p2", "profil1"}));
    pick("Powiel profil");
    EXPECT_EQ(names(), (std::vector<std::string>{"p1", "p2", "profil2", "profil1"}));
    EXPECT_EQ(captions()[2], "[+] profil2");
    EXPECT_EQ(model().profiles[2].nodes.size(), 3u);
    EXPECT_EQ(Form1->tab_profile->TabIndex(), 1);

    pick("Odwróć kolejność danych"_cp);
    const auto& reversed = model().profiles[1].nodes;
    EXPECT_EQ(reversed.front().id, 3);
    EXPECT_EQ(reversed.back().id, 1);
}

}  // namespace

namespace {

TEST_F(ProfileWindow, ChoosingATabRefreshesItsSumpsWhenTheFormulaColumnShowsSumpBottoms) {
    struct Case {
        const char* formula;
        const char* object;  // of the sump's node
        bool refreshed;
    };
    const Case cases[] = {
        {"@_td_rzedna_dna", "sump", true},
        {"1+@_td_rzedne_dna", "Sump", true},
        {"@_td_rzedna", "sump", false},  // terrain ordinates: the sumps are left as they are
        {"", "sump", false},
        {"@_td_rzedna_dna", "inne", false},
    };
    for (const Case& c : cases) {
        model().profiles.clear();
        model().project.sumps.clear();
        make_profiles("ii");
        odcinek& second = model().profiles[1];
        second.nodes = {node_at(1, 0), node_at(2, 10)};
        second.nodes[1].wez = "S1";
        second.nodes[1].obiekt = c.object;
        mat_studzienka sump;
        sump.adds.node_name = "S1";
        sump.height_ordinate = 98500;  // a refresh puts the bottom there
        sump.bottom = 97000;
        model().project.sumps.push_back(sump);
        settings().calc_column_formula = c.formula;

        user::choose_tab(Form1->tab_profile, 1);
        EXPECT_EQ(model().project.sumps[0].bottom, c.refreshed ? 98500 : 97000) << c.formula << " " << c.object;
    }
    settings().calc_column_formula.clear();
}

}  // namespace
