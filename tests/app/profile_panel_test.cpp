// The profile panel beside the node table and the preview, used as a user
// uses it: what it shows of the current profile, what each change writes,
// the questions of the level and the scale, the key filters, the
// description lists and the modified mark.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/records.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "platform/cp1250.h"
#include "platform/input.h"
#include "platform/named_bytes.h"
#include "platform/sysutils.h"
#include "support/fixture.h"
#include "support/profile_fixture.h"

namespace {

class ProfilePanel : public ProgramTest {
protected:
    ProfilePanel() {
        keep_entered_values();
        topcje->sag_DrawingProperties->SetCell(1, 1, "200");
    }

    static odcinek& profile(std::size_t i = 0) { return model().profiles.at(i); }
    static void unmodified() { set_project_modified(false); }
    // A page chosen by the user; the preview's page without the drawing its
    // showing makes (the window's first showing, which reads the drawing
    // settings, has not run here).
    static void choose(TTabSheet* page) {
        const TNotifyEvent shown = Form1->ts_DrawingPreview->OnShow;
        Form1->ts_DrawingPreview->OnShow = nullptr;
        user::choose_page(Form1->PageControl1, page->PageIndex());
        Form1->ts_DrawingPreview->OnShow = shown;
    }
    // The preview's page with its group of the panel.
    static void show_preview() { choose(Form1->ts_DrawingPreview); }
    static bool modified() { return model().project_modified; }
};

// --- what the panel shows --------------------------------------------------------------

TEST_F(ProfilePanel, TheOwnScaleShowsWhenSetAndNotZeroElseTheGeneralOne) {
    struct Case {
        bool own;
        int32_t scale;
        const char* shown;
    };
    for (const Case& c : {Case{true, 0, "200"}, Case{true, 500, "500"}, Case{false, 500, "200"}}) {
        model().profiles.clear();
        odcinek p;
        p.pskala = c.own;
        p.pskalax = c.scale;
        model().profiles.push_back(p);
        Form1->tabs_odswiez(0);
        SCOPED_TRACE(c.shown);
        EXPECT_EQ(Form1->e_ProfileXScale->Text(), c.shown);
        EXPECT_EQ(Form1->cb_CustomXScale->Checked(), c.own);
        EXPECT_EQ(Form1->e_ProfileXScale->Enabled(), c.own);
        // Showing is not a change: the own scale stays as stored.
        EXPECT_EQ(profile().pskalax, c.scale);
    }
}

TEST_F(ProfilePanel, TheStartOffsetsFollowTheSheetThePreviewShows) {
    make_profiles("w");
    model().project.sheet_origins = {1.5, 2, 3, 4.25};
    profile().startX = 5.5;
    profile().startY = -6;
    profile().startAngle = 30;
    struct Case {
        uint8_t mode;
        const char *x, *y, *angle;
    };
    for (const Case& c : {Case{1, "1.5", "2", "0"}, Case{2, "5.5", "-6", "30"}, Case{3, "3", "4.25", "0"},
                          Case{0, "7", "8", "0"}}) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        // What the edits held before: a sheet of no kind leaves it.
        Form1->preview_sheet_mode = 0;
        Form1->e_StartX->SetText("7");
        Form1->e_StartY->SetText("8");
        profile().startX = 5.5;
        profile().startY = -6;
        Form1->preview_sheet_mode = c.mode;
        unmodified();
        Form1->przypisz_wartosci_z_odcinka_do_kontrolek();
        EXPECT_EQ(Form1->e_StartX->Text(), c.x);
        EXPECT_EQ(Form1->e_StartY->Text(), c.y);
        EXPECT_EQ(Form1->e_StartAngle->Text(), c.angle);
        EXPECT_FALSE(modified());
        // Loading stored nothing.
        EXPECT_EQ(profile().startAngle, 30);
        EXPECT_EQ(model().project.sheet_origins[0], 1.5);
    }
}

// --- what an edit writes ------------------------------------------------------------------

TEST_F(ProfilePanel, EachNumberEditWritesItsFieldAndDashOrNothingIsZero) {
    make_profiles("w");
    struct Case {
        const char* what;
        uint8_t mode;
        TEdit* TForm1::*edit;
        const char* text;
        std::function<double()> field;
        double expected;
    };
    auto origin = [](int i) { return [i] { return model().project.sheet_origins[static_cast<std::size_t>(i)]; }; };
    const std::vector<Case> cases = {
        {"level", 0, &TForm1::e_CompareLevel, "101.25", [] { return profile().poziom_wart; }, 101.25},
        {"level -", 0, &TForm1::e_CompareLevel, "-", [] { return profile().poziom_wart; }, 0},
        {"level empty", 0, &TForm1::e_CompareLevel, "", [] { return profile().poziom_wart; }, 0},
        {"negative level", 0, &TForm1::e_CompareLevel, "-3.5", [] { return profile().poziom_wart; }, -3.5},
        {"x on the profile sheet", 1, &TForm1::e_StartX, "12.5", origin(0), 12.5},
        {"y on the profile sheet", 1, &TForm1::e_StartY, "-4", origin(1), -4},
        {"x on the scheme", 2, &TForm1::e_StartX, "7", [] { return profile().startX; }, 7},
        {"y on the scheme", 2, &TForm1::e_StartY, "8", [] { return profile().startY; }, 8},
        {"angle on the scheme", 2, &TForm1::e_StartAngle, "45", [] { return profile().startAngle; }, 45},
        {"x on the cross-sections", 3, &TForm1::e_StartX, "9", origin(2), 9},
        {"y on the cross-sections", 3, &TForm1::e_StartY, "10", origin(3), 10},
        {"x before any sheet", 0, &TForm1::e_StartX, "11", [] { return profile().startX; }, 11},
        {"y before any sheet", 0, &TForm1::e_StartY, "-", [] { return profile().startY; }, 0},
    };
    show_preview();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        profile().poziom_wart = 99;
        profile().startX = profile().startY = profile().startAngle = 99;
        model().project.sheet_origins = {99, 99, 99, 99};
        Form1->preview_sheet_mode = c.mode;
        unmodified();
        TEdit* edit = Form1->*c.edit;
        edit->SetEnabled(true);
        // The level's group shows with the data page.
        const bool data_group = edit == Form1->e_CompareLevel;
        choose(data_group ? Form1->ts_Data : Form1->ts_DrawingPreview);
        user::set_text(edit, "1");  // a change, whatever the edit held
        user::set_text(edit, c.text);
        EXPECT_EQ(c.field(), c.expected);
        EXPECT_TRUE(modified());
        EXPECT_TRUE(Form1->a_ProjectSave->Enabled());
    }
    // The angle is the scheme's only: on another sheet it stores nothing.
    for (uint8_t mode : {0, 1, 3}) {
        Form1->preview_sheet_mode = mode;
        profile().startAngle = 5;
        user::set_text(Form1->e_StartAngle, "45");
        user::set_text(Form1->e_StartAngle, "46");
        EXPECT_EQ(profile().startAngle, 5) << static_cast<int>(mode);
    }
}

TEST_F(ProfilePanel, TheOwnScaleIsAWholeNumberStoredOnlyWhileTheProfileHasOne) {
    make_profiles("w");
    user::click(Form1->cb_CustomXScale);
    ASSERT_TRUE(profile().pskala);
    user::set_text(Form1->e_ProfileXScale, "250.5");
    EXPECT_EQ(profile().pskalax, 251);  // rounded the process's way
    user::set_text(Form1->e_ProfileXScale, "99999999999");
    EXPECT_EQ(profile().pskalax, 2147483647);
    user::click(Form1->cb_CustomXScale);
    ASSERT_FALSE(profile().pskala);
    Form1->e_ProfileXScale->SetEnabled(true);
    user::set_text(Form1->e_ProfileXScale, "300");
    EXPECT_EQ(profile().pskalax, 2147483647);
}

TEST_F(ProfilePanel, ATextThatIsNoNumberIsRefusedWithTheConversionErrorAndStoresNothing) {
    make_profiles("w");
    user::click(Form1->cb_CompareLevel);
    user::set_text(Form1->e_CompareLevel, "12.5");
    for (const char* bad : {".", "1-", "--"}) {
        ui().boxes.clear();
        user::set_text(Form1->e_CompareLevel, bad);
        EXPECT_EQ(profile().poziom_wart, 12.5) << bad;
        ASSERT_EQ(ui().boxes.size(), 1u) << bad;
        EXPECT_NE(ui().boxes[0].text.find("is not a valid floating point value"), std::string::npos)
            << ui().boxes[0].text;
    }
}

TEST_F(ProfilePanel, TheKeyFiltersLetThroughNumbersOnly) {
    make_profiles("w");
    user::click(Form1->cb_CompareLevel);
    user::click(Form1->cb_CustomXScale);
    struct Case {
        TEdit* TForm1::*edit;
        char separator;
        const char* typed;
        const char* shown;
        int beeps;
    };
    for (const Case& c : {Case{&TForm1::e_CompareLevel, '.', "12,5", "12.5", 0},
                          Case{&TForm1::e_CompareLevel, '.', "1.2.3", "1.23", 1},
                          Case{&TForm1::e_CompareLevel, ',', "7.25x", "7,25", 1},
                          Case{&TForm1::e_StartX, '.', "-8a", "-8", 1},
                          Case{&TForm1::e_ProfileXScale, '.', "-1a5.0", "150", 3}}) {
        SCOPED_TRACE(c.typed);
        decimal_separator = c.separator;
        TEdit* edit = Form1->*c.edit;
        const bool data_group = edit != Form1->e_StartX;
        choose(data_group ? Form1->ts_Data : Form1->ts_DrawingPreview);
        edit->SetText("");
        const int beeps = ui().beeps;
        user::type(edit, c.typed);
        EXPECT_EQ(edit->Text(), c.shown);
        EXPECT_EQ(ui().beeps - beeps, c.beeps);
        EXPECT_TRUE(ui().boxes.empty());
    }
    // What was typed was stored, with the separator of the system.
    EXPECT_EQ(profile().poziom_wart, 7.25);
    EXPECT_EQ(profile().pskalax, 150);
    decimal_separator = '.';
}

TEST_F(ProfilePanel, TheNetworkTypeStoresItsLetterAndOtherOrNoChoiceStoresI) {
    make_profiles("w");
    const char letters[] = "wkdgcmi";
    for (int item = 0; item < 7; ++item) {
        user::choose(Form1->cb_NetworkType, item == 0 ? 6 : 0);
        user::choose(Form1->cb_NetworkType, item);
        EXPECT_EQ(profile().networktype, letters[item]) << item;
    }
    user::choose(Form1->cb_NetworkType, 2);
    Form1->cb_NetworkType->SetItemIndex(-1);
    Form1->cb_NetworkTypeChange(Form1->cb_NetworkType);
    EXPECT_EQ(profile().networktype, 'i');
}

TEST_F(ProfilePanel, TheFlowDirectionIsStoredFromEitherButton) {
    make_profiles("w");
    profile().pl2r_wart = true;
    Form1->przypisz_wartosci_z_odcinka_do_kontrolek();
    user::click(Form1->rb_FlowDirectionRL);
    EXPECT_FALSE(profile().pl2r_wart);
    EXPECT_FALSE(Form1->rb_FlowDirectionLR->Checked());
    user::click(Form1->rb_FlowDirectionLR);
    EXPECT_TRUE(profile().pl2r_wart);
}

// --- questions ----------------------------------------------------------------------------

TEST_F(ProfilePanel, TheParallelPipeQuestionComesOnAClickOnly) {
    make_profiles("ww");
    profile(1).rownol = true;
    // Showing a profile laid parallel asks nothing (an unscripted box would
    // raise).
    user::choose_tab(Form1->tab_profile, 1);
    EXPECT_TRUE(Form1->cb_PipellTerrain->Checked());
    EXPECT_FALSE(Form1->rg_ManuallyValue->Enabled());
    EXPECT_TRUE(ui().boxes.empty());

    user::choose_tab(Form1->tab_profile, 0);
    struct Case {
        int answer;
        bool parallel;
    };
    for (const Case& c : {Case{IDNO, false}, Case{IDYES, true}}) {
        SCOPED_TRACE(c.answer);
        ui().boxes.clear();
        ui().answer(c.answer);
        user::click(Form1->cb_PipellTerrain);
        ASSERT_EQ(ui().boxes.size(), 1u);
        EXPECT_EQ(ui().boxes[0].text,
                  "Obecne wartości spadku oraz zagłębienia zostaną utracone.\rKontynuować?"_cp);
        EXPECT_EQ(ui().boxes[0].buttons(), static_cast<unsigned>(MB_YESNO));
        EXPECT_EQ(profile().rownol, c.parallel);
        EXPECT_EQ(Form1->cb_PipellTerrain->Checked(), c.parallel);
        EXPECT_EQ(Form1->rg_ManuallyValue->Enabled(), !c.parallel);
        if (c.parallel) {
            EXPECT_EQ(Form1->rg_ManuallyValue->ItemIndex(), 1);
        }
    }
    // Unchecking asks nothing.
    ui().boxes.clear();
    user::click(Form1->cb_PipellTerrain);
    EXPECT_TRUE(ui().boxes.empty());
    EXPECT_FALSE(profile().rownol);
}

TEST_F(ProfilePanel, LeavingTheLevelOffersItToTheOtherProfiles) {
    struct Case {
        const char* types;
        int answer;  // 0: no question
        bool others_take_it;
    };
    for (const Case& c : {Case{"w", 0, false}, Case{"ww", IDYES, true}, Case{"ww", IDNO, false}}) {
        SCOPED_TRACE(std::string(c.types) + " " + std::to_string(c.answer));
        model().profiles.clear();
        ui().boxes.clear();
        make_profiles(c.types);
        user::click(Form1->cb_CompareLevel);
        Form1->e_CompareLevel->SetText("");
        user::type(Form1->e_CompareLevel, "95");
        if (c.answer) ui().answer(c.answer);
        user::focus(Form1->sg1);
        ASSERT_EQ(ui().boxes.size(), c.answer ? 1u : 0u);
        if (c.answer) {
            EXPECT_EQ(ui().boxes[0].text, "Czy przypisać tą wartość poziomu porównawczego do pozostałych profili?"_cp);
        }
        EXPECT_EQ(profile().poziom_wart, 95);
        for (std::size_t i = 1; i < model().profiles.size(); ++i) {
            EXPECT_EQ(profile(i).poziom, c.others_take_it);
            EXPECT_EQ(profile(i).poziom_wart, c.others_take_it ? 95 : 0);
        }
    }
}

TEST_F(ProfilePanel, LeavingTheOwnScaleMakesItGeneralInOneProfileAndAsksWithSeveral) {
    struct Case {
        const char* types;
        int answer;  // 0: no question
        const char* general;
        bool fit_to_page;
        bool own_kept;
    };
    for (const Case& c : {Case{"w", 0, "500", false, false}, Case{"ww", IDYES, "500", true, false},
                          Case{"ww", IDNO, "200", true, true}}) {
        SCOPED_TRACE(std::string(c.types) + " " + std::to_string(c.answer));
        model().profiles.clear();
        ui().boxes.clear();
        topcje->sag_DrawingProperties->SetCell(1, 1, "200");
        topcje->cb_Fit2Page->SetChecked(true);
        make_profiles(c.types);
        for (odcinek& p : model().profiles) {
            p.pskala = true;
            p.pskalax = 300;
        }
        Form1->przypisz_wartosci_z_odcinka_do_kontrolek();
        unmodified();
        Form1->e_ProfileXScale->SetText("");
        user::type(Form1->e_ProfileXScale, "500");
        if (c.answer) ui().answer(c.answer);
        user::key(VK_RETURN);  // Enter goes on to the node table
        EXPECT_TRUE(Form1->sg1->Focused());
        ASSERT_EQ(ui().boxes.size(), c.answer ? 1u : 0u);
        if (c.answer) {
            EXPECT_EQ(ui().boxes[0].text, "Czy przypisać tą wartość skali X do pozostałych profili?"_cp);
        }
        EXPECT_EQ(topcje->sag_DrawingProperties->Cells(1, 1), c.general);
        EXPECT_EQ(topcje->cb_Fit2Page->Checked(), c.fit_to_page);
        EXPECT_EQ(Form1->cb_CustomXScale->Checked(), c.own_kept);
        for (const odcinek& p : model().profiles) EXPECT_EQ(p.pskala, c.own_kept);
        EXPECT_EQ(profile().pskalax, 500);
        EXPECT_EQ(Form1->e_ProfileXScale->Text(), c.own_kept ? "500" : c.general);
        EXPECT_TRUE(modified());
    }
}

// --- the description lists -------------------------------------------------------------

TEST_F(ProfilePanel, TheDescriptionListsOfferTheirValueListsAndTheCustomiseEntryOpensTheirList) {
    make_profiles("w");
    settings().data_lists[5] = "@_w1¤@_w2¤"_cp;
    settings().data_lists[11] = "@_s1"_cp;
    settings().data_lists[6] = "";
    Form1->cb_NodeDescription->SetText("");
    Form1->cb_NodeWithSumpDescription->SetText("@_own");
    Form1->cb_SectionDescription->SetText("");
    choose(Form1->ts_DrawingPreview);
    const std::string customise = "            dostosuj listę..."_cp;
    auto items = [](TComboBox* c) {
        std::vector<std::string> out;
        for (int i = 0; i < c->Items().Count(); ++i) out.push_back(c->Items()[i]);
        return out;
    };
    EXPECT_EQ(items(Form1->cb_NodeDescription), (std::vector<std::string>{"@_w1", "@_w2", customise}));
    EXPECT_EQ(items(Form1->cb_NodeWithSumpDescription), (std::vector<std::string>{"@_s1", customise}));
    EXPECT_EQ(items(Form1->cb_SectionDescription), (std::vector<std::string>{customise}));
    EXPECT_EQ(Form1->cb_NodeDescription->Text(), "@_w1");  // an empty text takes the first value
    EXPECT_EQ(Form1->cb_NodeWithSumpDescription->Text(), "@_own");
    EXPECT_EQ(Form1->cb_SectionDescription->Text(), "");  // never the customise entry

    struct Case {
        TComboBox* TForm1::*combo;
        int list;
        const char* after;
    };
    for (const Case& c : {Case{&TForm1::cb_NodeDescription, 5, "@_w1"},
                          Case{&TForm1::cb_NodeWithSumpDescription, 11, "@_s1"},
                          Case{&TForm1::cb_SectionDescription, 6, "@_new"}}) {
        SCOPED_TRACE(c.list);
        TComboBox* combo = Form1->*c.combo;
        int list = -1;
        bool on_lists_page = false;
        ui().on_modal("Ttopcje", [&](TForm&) {
            list = topcje->cb_listy->ItemIndex();
            on_lists_page = topcje->PageControl1->ActivePage() == topcje->ts_Auto_list;
            // The user adds a value to the list.
            std::string& values = settings().data_lists[static_cast<std::size_t>(c.list)];
            if (!values.empty() && values.back() != item_separator) values += item_separator;
            values += "@_new";
        });
        user::choose(combo, combo->Items().Count() - 1);
        EXPECT_EQ(list, c.list);
        EXPECT_TRUE(on_lists_page);
        EXPECT_EQ(combo->Text(), c.after);
        // The list shows the value added.
        ASSERT_GE(combo->Items().Count(), 2);
        EXPECT_EQ(combo->Items()[combo->Items().Count() - 2], "@_new");
        EXPECT_EQ(combo->Items()[combo->Items().Count() - 1], customise);
    }
    EXPECT_EQ(ui().modal_forms, (std::vector<std::string>{"Ttopcje", "Ttopcje", "Ttopcje"}));
    // Another value is only chosen.
    user::choose(Form1->cb_NodeDescription, 1);
    EXPECT_EQ(Form1->cb_NodeDescription->Text(), "@_w2");
    EXPECT_EQ(ui().modal_forms.size(), 3u);
}

TEST_F(ProfilePanel, TheLabelEditsAreOpenExactlyWhileTheirBoxesAreOff) {
    show_preview();
    for (TCheckBox* TForm1::*box : {&TForm1::cb_CrossingDescLikeInEditor, &TForm1::cb_ProtectingPipeDescLikeInEditor}) {
        TEdit* edit = box == &TForm1::cb_CrossingDescLikeInEditor ? Form1->e_CrossingDescription
                                                                  : Form1->e_ProtectingPipeDescription;
        EXPECT_TRUE((Form1->*box)->Checked());
        EXPECT_FALSE(edit->Enabled());
        user::click(Form1->*box);
        EXPECT_TRUE(edit->Enabled());
        user::click(Form1->*box);
        EXPECT_FALSE(edit->Enabled());
    }
}

// --- the modified mark -----------------------------------------------------------------

TEST_F(ProfilePanel, EveryChangeTheUserMakesMarksTheProjectModifiedAndLoadingNone) {
    make_profiles("ww");
    odcinek& second = profile(1);
    second.networktype = 'k';
    second.pl2r_wart = true;
    second.stala = 0;
    second.stala_odleglosci = 1;
    second.rzedna = 2;
    second.poziom = true;
    second.poziom_wart = 12;
    second.pskala = true;
    second.pskalax = 700;
    second.startX = 3;
    Form1->preview_sheet_mode = 2;
    unmodified();
    user::choose_tab(Form1->tab_profile, 1);
    user::choose_tab(Form1->tab_profile, 0);
    EXPECT_FALSE(modified()) << "loading";

    struct Case {
        const char* what;
        std::function<void()> act;
    };
    const std::vector<Case> cases = {
        {"network type", [] { user::choose(Form1->cb_NetworkType, 3); }},
        {"flow direction", [] { user::click(Form1->rb_FlowDirectionLR); }},
        {"entered value", [] { user::choose(Form1->rg_ManuallyValue, 2); }},
        {"lengths or chainages", [] { user::choose(Form1->rg_ManuallyValueDistance, 1); }},
        {"pipe reference", [] { user::choose(Form1->rg_PipeOrdinateMode, 1); }},
        {"parallel pipe",
         [this] {
             ui().answer(IDYES);
             user::click(Form1->cb_PipellTerrain);
         }},
        {"own level", [] { user::click(Form1->cb_CompareLevel); }},
        {"level", [] { user::set_text(Form1->e_CompareLevel, "3"); }},
        {"own scale", [] { user::click(Form1->cb_CustomXScale); }},
        {"start x",
         [] {
             show_preview();
             user::set_text(Form1->e_StartX, "4");
         }},
        {"crossing labels", [] { user::click(Form1->cb_CrossingDescLikeInEditor); }},
        {"casing pipe labels", [] { user::click(Form1->cb_ProtectingPipeDescLikeInEditor); }},
        {"node description", [] { user::set_text(Form1->cb_NodeDescription, "@_x"); }},
        {"crossing label", [] { user::set_text(Form1->e_CrossingDescription, "@_tk_medium"); }},
        {"casing pipe label", [] { user::set_text(Form1->e_ProtectingPipeDescription, "@_to_typ"); }},
    };
    for (const Case& c : cases) {
        unmodified();
        c.act();
        EXPECT_TRUE(modified()) << c.what;
        EXPECT_TRUE(Form1->a_ProjectSave->Enabled()) << c.what;
    }
    // A choice that writes what the profile holds already changes nothing.
    choose(Form1->ts_Data);
    unmodified();
    user::choose(Form1->cb_NetworkType, 3);
    EXPECT_FALSE(modified());
}

}  // namespace

namespace {

// Enter in the preview's group and the two "as in the editor" boxes draw
// the sheet whose button is down again: the sheet handler runs with that
// button (it takes the button's sheet mode); off the preview nothing is
// drawn. Disabled while the sheet handler is an empty stand-in.
TEST_F(ProfilePanel, EnterAndTheLabelBoxesDrawTheShownSheetAgain) {
    make_profiles("w");
    prog->show_main_window();
    allow_unused_script();
    Form1->tb_PreviewScheme->SetDown(true);
    // Off the preview (a project read sets the box): nothing is drawn.
    Form1->preview_sheet_mode = 0;
    Form1->cb_CrossingDescLikeInEditor->SetChecked(false);
    EXPECT_EQ(Form1->preview_sheet_mode, 0);

    show_preview();
    struct Case {
        const char* what;
        std::function<void()> act;
    };
    const std::vector<Case> cases = {
        {"Enter in a start edit",
         [] {
             user::focus(Form1->e_StartX);
             user::key(VK_RETURN);
         }},
        {"Enter in a description list",
         [] {
             user::focus(Form1->cb_SectionDescription);
             user::key(VK_RETURN);
         }},
        {"the crossings' box", [] { user::click(Form1->cb_CrossingDescLikeInEditor); }},
        {"the casing pipes' box", [] { user::click(Form1->cb_ProtectingPipeDescLikeInEditor); }},
    };
    for (const Case& c : cases) {
        Form1->preview_sheet_mode = 0;
        c.act();
        EXPECT_EQ(Form1->preview_sheet_mode, 2) << c.what;
        EXPECT_TRUE(Form1->tb_PreviewScheme->Down()) << c.what;
    }
}

}  // namespace
