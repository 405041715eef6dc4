// The annotation editors' description codes expanded for one entry:
// casing pipes, terrain descriptions, additional ordinates and crossings,
// alone and through the template variables that print them.
#include <gtest/gtest.h>

#include <string>

#include "forms/kolizje.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "forms/skojarzone.h"
#include "model/annotations.h"
#include "model/state.h"
#include "model/terrain.h"
#include "platform/cp1250.h"
#include "platform/sysutils.h"
#include "support/fixture.h"
#include "support/model_builders.h"

namespace {

class Annotations : public ProgramTest {
protected:
    Annotations() {
        decimal_separator = ',';
        euro_rounding = false;
        model().slope_sign = 1;
        model().profiles.clear();
        add_profile("P1", 1, {0, 20, 40});
        odcinek& p = model().profiles[0];
        // The pipe falls 1 % from 100.00 to 99.80, drops to 99.70 and falls
        // 1 % to 99.50; terrain 102.40, 102.10, 101.60; design terrain 103.
        const double pipe[3][2] = {{100, 100}, {99.8, 99.7}, {99.5, 99.5}};
        const double terrain[3] = {102.4, 102.1, 101.6};
        for (std::size_t i = 0; i < 3; ++i) {
            wezel& w = p.nodes[i];
            w.dno = value_pair(pipe[i][0], pipe[i][1]);
            w.ter = w.ter_used = value_pair(terrain[i]);
            w.terp = w.terp_used = value_pair(103);
            w.fi = value_pair(200);
            w.dlug = i < 2 ? 20 : 0;
            w.spad = i < 2 ? 1 : 0;
        }
        przygotuj_linie_terenu(0, line_terrain);
        przygotuj_linie_terenu(0, line_design_terrain);

        kolizja k;
        k.medium = "gaz";
        k.node_id = 1;
        k.chainage = 0;
        k.distance = 10;  // the pipe there: 99.90
        k.ordinate = 101;
        k.diameter = 100;
        k.diameter2 = 160;
        k.height = 300;
        k.angle = 75;
        k.clearance = 0.45;
        p.crossings.push_back(k);

        oslonowa o;
        o.material = "stal";
        o.kind = "PE";
        o.diameter = 110;
        o.length = -12.5;
        p.casings.push_back(o);

        teren_opis t;
        t.abbreviation = "A";
        t.description = "asfalt";
        t.length = -3.5;
        p.terrain_descriptions.push_back(t);

        rzedne_npm r;
        r.ordinate = value_pair(101.456, 101.3);
        p.ordinates.push_back(r);

        Form1->rg_PipeOrdinateMode->SetItemIndex(2);  // the pipe's top
        topcje->cb_AlwaysShowBottomPipe->SetChecked(false);
        topcje->rg_CrossingEditorCalculateDepthToProjGroundLevel->SetItemIndex(2);  // existing terrain
    }

    static std::string crossing(const std::string& pattern, int mode = 1, uint16_t entry = 0) {
        std::string out;
        kolizje_uzupelnij_opis(pattern, entry, 0, mode, out);
        return out;
    }
    static kolizja& the_crossing() { return model().profiles[0].crossings[0]; }
};

TEST_F(Annotations, EveryCrossingCodeTakesItsValueInTheTablesOrder) {
    EXPECT_EQ(crossing("@m @pd @po @p @l @k @d @o @w @rd @ro @r @t @h @zd @zo @z"),
              "gaz 99,90 100,00 100,10 10,00 75 100 160 300 101,00 101,05 101,05 102,25 0,45 1,25 1,20 1,20");
    // The editor's ordinate mode moves "@r" and "@z" to the crossing's
    // bottom; "@rd", "@ro", "@zd" and "@zo" stay where they are.
    EXPECT_EQ(crossing("@r @rd @ro @z @zd @zo", 0), "101,00 101,00 101,05 1,25 1,25 1,20");
}

TEST_F(Annotations, CrossingFamiliesReplaceEveryOccurrenceTheOthersOnlyTheFirst) {
    struct Case {
        const char* pattern;
        const char* expected;
    };
    const Case cases[] = {
        {"@p/@p", "100,10/100,10"},
        {"@pd@po@p@pd", "99,90100,00100,1099,90"},
        {"@r @r @z @z", "101,05 101,05 1,20 1,20"},
        {"@m @m @d @d @l @l @h @h", "gaz @m 100 @d 10,00 @l 0,45 @h"},
        {"@t @t", "102,25 @t"},
        {"bez kodow", "bez kodow"},
        {"@", "@"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(crossing(c.pattern), c.expected) << c.pattern;
}

TEST_F(Annotations, TheMainWindowsModeAndTheBottomOptionChooseThePipeLevel) {
    const std::pair<int, const char*> modes[] = {{0, "99,90"}, {1, "100,00"}, {2, "100,10"}};
    for (const auto& [mode, expected] : modes) {
        Form1->rg_PipeOrdinateMode->SetItemIndex(mode);
        EXPECT_EQ(crossing("@p"), expected) << mode;
    }
    topcje->cb_AlwaysShowBottomPipe->SetChecked(true);
    EXPECT_EQ(crossing("@p @po"), "99,90 100,00");
}

TEST_F(Annotations, TheDepthRefersToTheDesignTerrainWhenTheSettingsSaySo) {
    struct Case {
        int refer;
        bool projected;
        const char* expected;
    };
    const Case cases[] = {
        {0, false, "103,00 2,00"}, {1, false, "102,25 1,25"}, {1, true, "103,00 2,00"}, {2, true, "102,25 1,25"},
    };
    for (const Case& c : cases) {
        topcje->rg_CrossingEditorCalculateDepthToProjGroundLevel->SetItemIndex(c.refer);
        the_crossing().projected = c.projected;
        EXPECT_EQ(crossing("@t @zd"), c.expected) << c.refer << " " << c.projected;
    }
}

TEST_F(Annotations, CodesWhoseLevelIsMissingStayInTheText) {
    // Beyond the last node the pipe has no level: the whole "@p" family
    // stays, the crossing's own ordinate does not.
    the_crossing().distance = 50;
    EXPECT_EQ(crossing("@p @pd @po @r @l"), "@p @pd @po 101,05 50,00");
    // Without a terrain line "@t" and the "@z" family stay.
    the_crossing().distance = 10;
    model().profiles[0].terrain_lines[static_cast<std::size_t>(line_kind::terrain)].clear();
    EXPECT_EQ(crossing("@t @z @zd @zo @h"), "@t @z @zd @zo 0,45");
    // A crossing or profile that does not exist leaves the template.
    EXPECT_EQ(crossing("@m @p", 1, 7), "@m @p");
    std::string out = "old";
    kolizje_uzupelnij_opis("@m", 0, 9, 0, out);
    EXPECT_EQ(out, "@m");
}

TEST_F(Annotations, AMediumHoldingACodeIsExpandedInTurn) {
    the_crossing().medium = "rura @d/@o";
    EXPECT_EQ(crossing("@m"), "rura 100/160");
}

TEST_F(Annotations, CasingPipeCodesTakeTheirFirstOccurrenceInOrder) {
    struct Case {
        const char* pattern;
        const char* material;
        const char* expected;
    };
    const Case cases[] = {
        {"@d/@d", "stal", "110/@d"},
        {"L=@l", "stal", "L=12,5"},  // the length's absolute value
        {"@m @t @m", "stal", "stal PE @m"},
        {"@m", "stal @t", "stal PE"},  // a value holding a later code
        {"@t @m", "stal @d", "PE stal @d"},  // ... but not an earlier one
    };
    for (const Case& c : cases) {
        model().profiles[0].casings[0].material = c.material;
        std::string out;
        oslonowe_uzupelnij_opis(c.pattern, 0, 0, out);
        EXPECT_EQ(out, c.expected) << c.pattern;
    }
}

TEST_F(Annotations, TerrainDescriptionsAndAdditionalOrdinatesExpandTheirCodes) {
    std::string out;
    teren_uzupelnij_opis("@l m @s @l", 0, 0, out);
    EXPECT_EQ(out, "-3,5 m A @l");
    rzedne_uzupelnij_opis("H=@r @r", 0, 0, out);
    EXPECT_EQ(out, "H=101,46 @r");  // the first side, two decimals
    rzedne_uzupelnij_opis("bez rzędnej"_cp, 0, 0, out);
    EXPECT_EQ(out, "bez rzędnej"_cp);
    decimal_separator = '.';
    teren_uzupelnij_opis("@l", 0, 0, out);
    EXPECT_EQ(out, "-3.5");
    rzedne_uzupelnij_opis("@r", 1, 0, out);
    EXPECT_EQ(out, "@r");
}

TEST_F(Annotations, TheTemplateVariablesPrintTheExpandedDescriptions) {
    the_crossing().description = "@m @r";
    model().profiles[0].casings[0].description = "@t @d mm, L=@l m";
    tkolizje->rg_PipeOrdinateMode->SetItemIndex(1);  // the crossing editor's axis
    EXPECT_EQ(tskojarzone->wypelnij_linie("@_tk_opis", "txt", 0, 0, 0, -1), "gaz 101,05");
    tkolizje->rg_PipeOrdinateMode->SetItemIndex(0);
    EXPECT_EQ(tskojarzone->wypelnij_linie("@_tk_comment", "txt", 0, 0, 0, -1), "gaz 101,00");
    EXPECT_EQ(tskojarzone->wypelnij_linie("@_to_opis", "txt", 0, 0, 0, -1), "PE 110 mm, L=12,5 m");
    // From the main table: entry i0 of the current profile.
    EXPECT_EQ(tskojarzone->wypelnij_linie("@_to_comment", "txt", 0, 0, 0, 0), "PE 110 mm, L=12,5 m");
}

}  // namespace
