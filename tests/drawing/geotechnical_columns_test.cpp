// Geotechnical columns on the profile: the stem and its depth, the layer
// ticks and labels in either mode, the ground water, the column below the
// terrain, the legend entries and the columns that are not drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "drawing/sheet_texts_fixture.h"
#include "platform/cp1250.h"

namespace {

using namespace sheet_texts;

class GeotechnicalColumns : public SheetTextsTest {
protected:
    GeotechnicalColumns() {
        // The prepared terrain line of "P1": 102.40, 102.10, 101.60.
        std::vector<teren>& line = profile().terrain_lines[0];
        for (const wezel& w : profile().nodes) {
            teren t;
            t.chainage = w.odl;
            t.used = w.ter_used;
            line.push_back(t);
        }
    }

    // A column 20 m from node 1 (chainage 20, x 4000, terrain 102.25).
    static przekroj column(std::vector<std::string> thickness, std::vector<std::string> symbols = {},
                           std::vector<std::string> names = {}) {
        przekroj s;
        s.node_id = 1;
        s.chainage = 0;
        s.distance = 20;
        s.layer_thickness_list = std::move(thickness);
        s.layer_abbreviation_list = std::move(symbols);
        s.layer_name_list = std::move(names);
        return s;
    }

    void draw(std::vector<przekroj> sections) {
        writer.out().clear();
        profile().sections = std::move(sections);
        writer.draw_geotechnical_columns(0);
    }

    // The written text of that content; fails when there is none.
    entity text_of(const std::string& shown) const {
        for (const entity& t : of_type(written(), "TEXT"))
            if (t.value(1) == shown) return t;
        ADD_FAILURE() << "no text " << shown;
        return {};
    }

    // The written lines from x1 to x2 (in either direction), by their y.
    std::vector<double> horizontal_lines(double x1, double x2) const {
        std::vector<double> ys;
        for (const entity& l : of_type(written(), "LINE")) {
            const segment s = segment_of(l);
            if (s.y1 == s.y2 && ((s.x1 == x1 && s.x2 == x2) || (s.x1 == x2 && s.x2 == x1))) ys.push_back(s.y1);
        }
        return ys;
    }

    entity first_line() const { return of_type(written(), "LINE").at(0); }
};

TEST_F(GeotechnicalColumns, LayersInDepthModeAreLabelledWithTheDepthOfTheirBottoms) {
    przekroj s = column({"0.3", "1,2", "2.0"}, {"Pd", "Gp", "Żw"_cp}, {"piasek", "glina", "żwir"_cp});
    s.name = "Otwór 1"_cp;
    draw({s});
    // Depth 0.1 + 3.5; the column above the terrain from 0.3 m over it:
    // (102.25 - 96) x 1000 + 300 = 6550 up to 10150.
    expect_segment(first_line(), {4000, 6550, 4000, 10150}, 1e-9, "stem");
    EXPECT_EQ(horizontal_lines(3900, 4150), (std::vector<double>{10150}));
    const std::vector<double> ticks = horizontal_lines(4000, 4150);
    ASSERT_EQ(ticks.size(), 3u);
    EXPECT_NEAR(ticks[0], 9850, 1e-9);
    EXPECT_NEAR(ticks[1], 8650, 1e-9);
    EXPECT_NEAR(ticks[2], 6650, 1e-9);
    // Labels 0.6 of the text height (0.19) under each tick.
    const struct {
        std::string text;
        double y;
    } labels[] = {{"0,30 Pd", 9736}, {"1,50 Gp", 8536}, {std::string("3,50 ") + "Żw"_cp, 6536}};
    for (const auto& l : labels) {
        const entity t = text_of(l.text);
        EXPECT_NEAR(t.number(10), 4170, 1e-9) << l.text;
        EXPECT_NEAR(t.number(20), l.y, 1e-9) << l.text;
        EXPECT_EQ(t.value(50), "0") << l.text;  // not turned
        EXPECT_NEAR(t.number(40), 190, 1e-9) << l.text;
    }
    // The title turned 90 degrees beside the stem, at the spacing plus the
    // text's measured height (0.04 + 0.2185).
    const entity title = text_of("Otwór 1"_cp);
    EXPECT_NEAR(title.number(10), 4258.5, 1e-9);
    EXPECT_NEAR(title.number(20), 6550, 1e-9);
    EXPECT_EQ(title.value(50), "90");
    EXPECT_EQ(title.value(8), "Komentarze");
    // Every line on "koment"; nothing goes to the arranged texts.
    for (const entity& l : of_type(written(), "LINE")) EXPECT_EQ(l.value(8), "Komentarze");
    EXPECT_TRUE(writer.drawing_texts.empty());
}

TEST_F(GeotechnicalColumns, MiddleModeWritesEachLayersThicknessAndThinLayersAreLoweredInDepthMode) {
    topcje->cb_InGeoCrossDescriptionsInMiddle->SetChecked(true);
    draw({column({"0.3", "0.1"}, {}, {"piasek", "glina"})});
    // Stem 6550..7050; the name stands where no symbol is.
    EXPECT_NEAR(text_of("0,30 piasek").number(20), 6750 + 150 - 114, 1e-9);
    EXPECT_NEAR(text_of("0,10 glina").number(20), 6650 + 50 - 114, 1e-9);

    topcje->cb_InGeoCrossDescriptionsInMiddle->SetChecked(false);
    draw({column({"0.3", "0.1"}, {}, {"piasek", "glina"})});
    EXPECT_NEAR(text_of("0,30 piasek").number(20), 6750 - 114, 1e-9);
    // 0.1 m drawn 100 high is less than 1.2 text heights (228): 128 lower.
    EXPECT_NEAR(text_of("0,40 glina").number(20), 6650 - 114 - 128, 1e-9);
}

TEST_F(GeotechnicalColumns, TheColumnIsAsDeepAsItsLayersOrTheGroundWater) {
    struct Case {
        const char* what;
        std::vector<std::string> thickness;
        double water;
        double depth;
    };
    const Case cases[] = {
        {"no layers", {}, -111, 1.0},
        {"no layers, deep water", {}, 1.5, 1.6},
        {"layers", {"0.5", "0,7"}, -111, 1.3},
        {"layers, deeper water", {"0.5"}, 2.0, 2.1},
        {"a thickness that is no number", {"0.5", "gruby"}, -111, 0.6},
    };
    for (const Case& c : cases) {
        przekroj s = column(c.thickness);
        s.ground_water = c.water;
        draw({s});
        expect_segment(first_line(), {4000, 6550, 4000, 6550 + c.depth * 1000}, 1e-9, c.what);
    }
}

TEST_F(GeotechnicalColumns, GroundWaterGetsItsLineDepthOrdinateAndLevelMark) {
    przekroj s = column({"3.5"});
    s.ground_water = 1.0;
    s.name = "PZ-1";
    draw({s});
    // Stem 6550..10150; the water 1.0 under its top: 9150.
    EXPECT_EQ(horizontal_lines(3100, 4000), (std::vector<double>{9150}));
    const entity depth = text_of("1,00");
    EXPECT_NEAR(depth.number(10), 3100, 1e-9);
    EXPECT_NEAR(depth.number(20), 9200, 1e-9);
    const entity ordinate = text_of("101,25");
    EXPECT_NEAR(ordinate.number(10), 3100, 1e-9);
    EXPECT_NEAR(ordinate.number(20), 9150 - 290, 1e-9);
    // The level mark with its zigzag, apex 0.1 m left of the stem.
    EXPECT_EQ(horizontal_lines(3830, 3970), (std::vector<double>{9240}));
    // The title stays at the column's foot: 1.0 + 0.95 is short of 3.6.
    EXPECT_NEAR(text_of("PZ-1").number(20), 6550, 1e-9);

    // Water near the bottom raises the title by 0.6 of the depth.
    s = column({"1.0"});
    s.ground_water = 0.5;
    s.name = "PZ-2";
    draw({s});
    EXPECT_NEAR(text_of("PZ-2").number(20), 6550 + 0.6 * 1.1 * 1000, 1e-9);
}

TEST_F(GeotechnicalColumns, BelowTheTerrainTheColumnHangsFromItAndALeaderMarksTheChainage) {
    topcje->cb_GeoCrossAboveTerrainLine->SetChecked(false);
    draw({column({"1.9"})});
    const std::vector<entity> lines = of_type(written(), "LINE");
    ASSERT_GE(lines.size(), 2u);
    expect_segment(lines[0], {4000, 7050, 4000, 9050}, 1e-9, "leader");
    // Depth 2.0: from 102.25 - 2.0 up to the terrain.
    expect_segment(lines[1], {4000, 4250, 4000, 6250}, 1e-9, "stem");
}

TEST_F(GeotechnicalColumns, ColumnsWithoutANodeOrBeyondTheTerrainAreNotDrawn) {
    przekroj unbound = column({"1"});
    unbound.node_id = 0;
    przekroj beyond = column({"1"});
    beyond.distance = 130;
    draw({unbound, beyond});
    EXPECT_TRUE(written().empty());
}

TEST_F(GeotechnicalColumns, TheHigherOfTerrainAndDesignTerrainCarriesTheColumn) {
    std::vector<teren>& design = profile().terrain_lines[1];
    for (const double c : {0.0, 100.0}) {
        teren t;
        t.chainage = c;
        t.used = value_pair(103.0);
        design.push_back(t);
    }
    draw({column({"0.9"})});
    expect_segment(first_line(), {4000, 7300, 4000, 8300}, 1e-9, "stem");
}

TEST_F(GeotechnicalColumns, SymbolsGoIntoTheLegendOncePairedAtCommas) {
    struct Case {
        const char* what;
        std::string symbols, names;
        std::vector<std::string> entries;
    };
    const Case cases[] = {
        {"plain", "Pd", "piasek", {"c2=   Pd - piasek"}},
        {"two and two", "Pd, Gp", "piasek,glina ", {"c2=   Pd - piasek", "c2=   Gp - glina"}},
        {"two and one", "Pd,Gp", "piasek", {"c2=   Pd,Gp - piasek"}},
        {"two and three", "Pd,Gp", "a,b,c", {}},
        {"no symbol", "", "piasek", {}},
    };
    for (const Case& c : cases) {
        writer.sheet.legend_lines.clear();
        draw({column({"1"}, {c.symbols}, {c.names})});
        EXPECT_EQ(writer.sheet.legend_lines, c.entries) << c.what;
    }
    // The same layer in two columns: one entry.
    writer.sheet.legend_lines.clear();
    draw({column({"1", "1"}, {"Pd", "Pd"}, {"piasek", "piasek"}), column({"2"}, {"Pd"}, {"piasek"})});
    EXPECT_EQ(writer.sheet.legend_lines, (std::vector<std::string>{"c2=   Pd - piasek"}));
}

}  // namespace
