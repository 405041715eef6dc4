// The profile's annotations read back from the groups they write: comment
// labels, plot-boundary marks, the terrain and auxiliary lines with their
// inserted ordinates, and crossings.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "drawing/annotation_fixture.h"
#include "forms/kolizje.h"
#include "platform/graphics.h"

namespace {

using namespace annotation_test;

// ---- comment labels -----------------------------------------------------------------

class CommentLabels : public AnnotationTest {};

TEST_F(CommentLabels, ALabelIsAStemASlantAndAShelfWithItsTextAboveOrBelow) {
    struct Case {
        bool horizontal, downward;
        double shelf_y, stem_y;
        point3 text_at;
        int rotation;
    };
    // Upward: the text at 0.26 m above; downward: 0.26 m and its height
    // (0.19 m) below, across when the label is not horizontal.
    const Case cases[] = {
        {true, false, 2200, 2600, {1160, 2260, 0}, 0},
        {false, true, 1800, 1400, {1050, 1550, 0}, 90},
        {true, true, 1800, 1400, {1160, 1550, 0}, 0},
        {false, false, 2200, 2600, {1050, 2260, 0}, 90},
    };
    for (const Case& c : cases) {
        DXF_Writer w("x.dxf");
        tekst style;
        w.apply_text_style(style, "t_pro", style);  // the font the shelf is measured in
        w.comment_label("98,72", true, 1000, 2000, c.horizontal, c.downward);
        const auto all = entities_of(w);
        const auto lines = of_type(all, "LINE");
        ASSERT_EQ(lines.size(), 3u);
        const std::string what = std::string(c.horizontal ? "across" : "up") + (c.downward ? " down" : "");
        expect_line(lines[0], 1100, 2000, 1100, c.stem_y, what + " stem");
        expect_line(lines[1], 1100, 2000, 1000, c.shelf_y, what + " slant");
        const double shelf = c.horizontal ? text_width_at("arial", 19, "98,72") * 0.8 / 45 * 1000 : 150;
        expect_line(lines[2], 1000, c.shelf_y, 1000 + shelf, c.shelf_y, what + " shelf");
        for (const entity& l : lines) {
            EXPECT_EQ(l.value(8), "Komentarze");
            EXPECT_EQ(l.value(62), "3");
        }
        const auto texts = of_type(all, "TEXT");
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].value(1), "98,72");
        expect_point(texts[0].point(10), c.text_at.x, c.text_at.y, what + " text");
        EXPECT_EQ(texts[0].value(50), std::to_string(c.rotation));
        EXPECT_NEAR(texts[0].number(40), 190, 1e-9);
        EXPECT_EQ(texts[0].value(8), "Komentarze");  // the comment style's layer and colour
        EXPECT_EQ(texts[0].value(62), "8");
        EXPECT_EQ(texts[0].value(72), "");  // left-justified
    }
    EXPECT_TRUE(writer.drawing_texts.empty());
}

TEST_F(CommentLabels, TheShelfIsMeasuredInTheFontOfTheStyleBeforeTheLabelsOwn) {
    topcje->sag_Fonts->SetCell(1, 1, "30");
    tekst style;
    writer.apply_text_style(style, "t_pro", style);
    writer.comment_label("100,05", true, 0, 0, true, false);
    const auto lines = of_type(entities_of(writer), "LINE");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_NEAR(lines[2].point(11).x, text_width_at("arial", 30, "100,05") * 0.8 / 45 * 1000, 1e-6);
    EXPECT_NE(text_width_at("arial", 30, "100,05"), text_width_at("arial", 19, "100,05"));
}

TEST_F(CommentLabels, WithoutItsTextOnlyTheLeadersAndWithoutTheElementOnlyTheText) {
    writer.comment_label("98,72", false, 0, 0, true, false);
    auto all = entities_of(writer);
    EXPECT_EQ(of_type(all, "LINE").size(), 3u);
    EXPECT_TRUE(of_type(all, "TEXT").empty());

    settings().line_defs[element_koment].media = "w";  // not for this sewer
    DXF_Writer w("x.dxf");
    w.comment_label("98,72", true, 0, 0, true, false);
    all = entities_of(w);
    EXPECT_TRUE(of_type(all, "LINE").empty());
    EXPECT_EQ(of_type(all, "TEXT").size(), 1u);
}

// ---- plot boundaries ------------------------------------------------------------------

class BoundaryMarks : public AnnotationTest {
protected:
    static granica_opis mark(double distance, const char* left, const char* right) {
        granica_opis g;
        g.node_id = 1;
        g.chainage = 0;
        g.distance = distance;
        g.left_text = left;
        g.right_text = right;
        return g;
    }
};

TEST_F(BoundaryMarks, AMarkStandsAboveTheTerrainWithAnArrowAndOwnerOnEachSide) {
    // Chainage 10: terrain 102.25, so 6.25 m over the datum plus 0.8 m.
    writer.boundary_mark(mark(10, "Kowalski", "Nowak"), 0);
    const auto all = entities_of(writer);
    const auto lines = of_type(all, "LINE");
    ASSERT_EQ(lines.size(), 5u);
    expect_line(lines[0], 7000, 7000, 7000, 8000, "mark");
    expect_line(lines[1], 7000, 7050, 6600, 7050, "left arrow");
    expect_line(lines[2], 6800, 7000, 6600, 7050, "left head");
    expect_line(lines[3], 7000, 7050, 7400, 7050, "right arrow");
    expect_line(lines[4], 7200, 7000, 7400, 7050, "right head");
    for (const entity& l : lines) EXPECT_EQ(l.value(8), "Komentarze");
    const auto texts = of_type(all, "TEXT");
    ASSERT_EQ(texts.size(), 2u);
    // The table style's offsets stand mirrored: near -0.2585, far -0.04.
    EXPECT_EQ(texts[0].value(1), "Kowalski");
    expect_point(texts[0].point(10), 6960, 7070, "left owner");
    EXPECT_EQ(texts[1].value(1), "Nowak");
    expect_point(texts[1].point(10), 7258.5, 7070, "right owner");
    for (const entity& t : texts) {
        EXPECT_EQ(t.value(50), "90");
        EXPECT_EQ(t.value(8), "Opisy");
        EXPECT_NEAR(t.number(40), 190, 1e-9);
    }
}

TEST_F(BoundaryMarks, BeyondTheTerrainTheMarkStandsOnTheTableAndAMissingOwnerHasNoArrow) {
    // Chainage 60 lies 10 m past the last node, drawn at 1:1000.
    writer.boundary_mark(mark(60, "", "Nowak"), 0);
    const auto all = entities_of(writer);
    const auto lines = of_type(all, "LINE");
    ASSERT_EQ(lines.size(), 3u);
    expect_line(lines[0], 13000, -50, 13000, 950, "mark");
    expect_line(lines[1], 13000, 0, 13400, 0, "right arrow");
    ASSERT_EQ(of_type(all, "TEXT").size(), 1u);
    EXPECT_EQ(of_type(all, "TEXT")[0].value(1), "Nowak");
}

// ---- terrain and auxiliary lines -------------------------------------------------------

class AuxiliaryLines : public AnnotationTest {
protected:
    static teren node_point(int index, double s1, double s2, value_pair gap = {0, 0}) {
        teren t;
        t.is_node = 1;
        t.index = index;
        t.chainage = profile().nodes[static_cast<std::size_t>(index)].odl;
        t.used = value_pair(s1, s2);
        t.gap = gap;
        return t;
    }
    // An additional ordinate of the profile and its point of the line.
    static teren inserted(double chainage, double s1, double s2, const std::string& text, uint8_t line) {
        rzedne_npm r;
        r.ordinate = value_pair(s1, s2);
        r.description = text;
        r.line_code = line;
        r.node_id = 1;
        r.distance = chainage;
        profile().ordinates.push_back(r);
        teren t;
        t.is_node = 0;
        t.index = static_cast<int32_t>(profile().ordinates.size() - 1);
        t.chainage = chainage;
        t.used = value_pair(s1, s2);
        t.text = text;
        return t;
    }
    static std::vector<entity> texts(const DXF_Writer& w) { return of_type(entities_of(w), "TEXT"); }
};

TEST_F(AuxiliaryLines, LineOneLeavesOutSegmentsWithAnEmptyEndTheDesignTerrainDrawsThemAll) {
    for (const int element : {int(element_lin1), int(element_terp)}) {
        DXF_Writer w("x.dxf");
        profile().ordinates.clear();
        model().terrain_work = {node_point(0, 101, 101), inserted(10, 101.2, 101.2, "", line_1), node_point(1, 0, 0),
                                node_point(2, 100.5, 100.5)};
        w.auxiliary_line(element);
        const auto lines = of_type(entities_of(w), "LINE");
        const std::string layer = element == element_lin1 ? "Linie" : "Teren";
        const auto own = on_layer(lines, layer);
        if (element == element_lin1) {
            ASSERT_EQ(own.size(), 1u);
        } else {
            ASSERT_EQ(own.size(), 3u);
            expect_line(own[1], 7000, 5200, 9000, -96000, "to the empty node");
            expect_line(own[2], 9000, -96000, 12000, 4500, "from the empty node");
        }
        expect_line(own[0], 5000, 5000, 7000, 5200, "first segment");
        EXPECT_TRUE(model().terrain_work.empty());
        EXPECT_TRUE(w.sheet.ground_segments.empty());  // only the existing terrain's
    }
}

TEST_F(AuxiliaryLines, TheExistingTerrainStepsAtTwoLevelsKeepsItsGapsAndRecordsItsPieces) {
    model().terrain_work = {node_point(0, 101, 100.9, {0, 300}), node_point(1, 100.8, 100.6),
                            node_point(2, 100.5, 100.5)};
    writer.auxiliary_line(element_ter);
    const auto lines = on_layer(of_type(entities_of(writer), "LINE"), "Teren");
    ASSERT_EQ(lines.size(), 3u);
    expect_line(lines[0], 5300, 4900, 9000, 4800, "past the gap");
    expect_line(lines[1], 9000, 4600, 12000, 4500, "from the lower level");
    // A step only where no gap stands.
    expect_line(lines[2], 9000, 4800, 9000, 4600, "step");
    ASSERT_EQ(writer.sheet.ground_segments.size(), 2u);
    expect_point(writer.sheet.ground_segments[0].start, 5300, 4900);
    expect_point(writer.sheet.ground_segments[1].end, 12000, 4500);
    EXPECT_EQ(lines[0].value(62), "1");
}

TEST_F(AuxiliaryLines, AnInsertedOrdinateWritesItsValuesTickAndExpandedDescription) {
    row("teren").shown = true;
    model().terrain_work = {node_point(0, 102.4, 102.4), inserted(10, 102.25, 102, "H=@r", line_terrain),
                            node_point(1, 102.1, 102.1)};
    writer.auxiliary_line(element_ter);
    const auto all = entities_of(writer);
    const auto ticks = on_layer(of_type(all, "LINE"), "Komentarze");
    ASSERT_EQ(ticks.size(), 1u);
    expect_line(ticks[0], 7000, 0, 7000, -1000, "tick across the row");
    const auto values = of_type(all, "TEXT");
    ASSERT_EQ(values.size(), 2u);
    // The incoming value on the near side, the outgoing one on the far
    // side, each ending short of the row's text line.
    const struct {
        const char* text;
        double x;
    } expected[] = {{"102,25", 7258.5}, {"102,00", 6960}};
    for (std::size_t i = 0; i < 2; ++i) {
        const entity& t = values[i];
        EXPECT_EQ(t.value(1), expected[i].text);
        expect_point(t.point(11), expected[i].x, -500, expected[i].text);
        const double w = text_width_at("arial", 19, expected[i].text) * 0.9 / 100;
        expect_point(t.point(10), expected[i].x, -(0.5 + w) * 1000, expected[i].text);
        EXPECT_EQ(t.value(50), "90");
        EXPECT_EQ(t.value(72), "1");
        EXPECT_EQ(t.value(62), "7");
        EXPECT_EQ(t.value(8), "Opisy");
    }
    // The description waits for the arrangement, its "@r" the ordinate.
    ASSERT_EQ(writer.drawing_texts.size(), 1u);
    const tekst& d = writer.drawing_texts[0];
    EXPECT_EQ(d.text, "H=102,25");
    EXPECT_EQ(d.position, 7000);
    EXPECT_NEAR(d.y, 6000 - 20, 1e-9);  // below the lower level
    EXPECT_EQ(d.type, 't');
    EXPECT_EQ(d.colour, 112);
    EXPECT_EQ(d.second_flag, 0);
}

TEST_F(AuxiliaryLines, ADescriptionFindsItsOrdinateAfterTheListDroppedAnEmptyEntry) {
    // The line was prepared with the ordinate at index 1; the refresh
    // before the drawing then dropped the empty entry before it.
    inserted(0, 0, 0, "", line_terrain);
    model().terrain_work = {node_point(0, 102.4, 102.4), inserted(10, 102.25, 102.25, "H=@r", line_terrain)};
    profile().ordinates.erase(profile().ordinates.begin());
    writer.auxiliary_line(element_ter);
    ASSERT_EQ(writer.drawing_texts.size(), 1u);
    EXPECT_EQ(writer.drawing_texts[0].text, "H=102,25");
}

TEST_F(AuxiliaryLines, ValuesFollowTheRowsPrecisionAndColourAndAHiddenRowGetsNone) {
    dane_pod_profil& terrain = row("teren");
    terrain.shown = true;
    terrain.precision = 7;  // steps of 0.05
    topcje->cb_TextColorInTableLikeForType->SetChecked(true);
    model().terrain_work = {node_point(0, 102.4, 102.4), inserted(10, 101.37, 101.37, "", line_terrain),
                            node_point(1, 102.1, 102.1)};
    writer.auxiliary_line(element_ter);
    auto values = texts(writer);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].value(1), "101,35");
    EXPECT_EQ(values[0].value(62), "112");  // the terrain descriptions' colour
    EXPECT_TRUE(writer.drawing_texts.empty());  // no text, no description

    // A row neither shown nor forced writes nothing; a forced one does.
    terrain.shown = false;
    for (const bool forced : {false, true}) {
        terrain.forced = forced;
        DXF_Writer w("x.dxf");
        model().terrain_work = {node_point(0, 102.4, 102.4), inserted(10, 101.37, 101.37, "", line_terrain)};
        w.auxiliary_line(element_ter);
        EXPECT_EQ(texts(w).size(), forced ? 1u : 0u);
    }
}

TEST_F(AuxiliaryLines, AnExistingOrdinateOnTheDesignTerrainIsNotDescribedTwice) {
    row("teren_proj").shown = true;
    topcje->cb_PipeDepthWhereExtraTerrainOrdinate->SetChecked(true);
    row("zaglebienie").shown = true;
    for (const bool terrain_shown : {true, false}) {
        row("teren").shown = terrain_shown;
        DXF_Writer w("x.dxf");
        profile().ordinates.clear();
        model().terrain_work = {node_point(0, 103, 103), inserted(10, 102.25, 102.25, "^*studnia", line_terrain)};
        w.auxiliary_line(element_terp);
        // Its value stands in the design terrain's row either way.
        std::vector<std::string> shown;
        for (const entity& t : texts(w)) shown.push_back(t.value(1));
        if (terrain_shown) {
            EXPECT_EQ(shown, std::vector<std::string>{"102,25"});
            EXPECT_TRUE(w.drawing_texts.empty());
        } else {
            // The depth at the point too: 102.25 - 99.90.
            EXPECT_EQ(shown, (std::vector<std::string>{"102,25", "2,35"}));
            ASSERT_EQ(w.drawing_texts.size(), 1u);
            EXPECT_EQ(w.drawing_texts[0].text, "studnia");
        }
    }
    // A point with nothing but the mark has nothing to describe.
    row("teren").shown = false;
    DXF_Writer w("x.dxf");
    model().terrain_work = {node_point(0, 103, 103), inserted(10, 102.25, 102.25, "^*", line_terrain)};
    w.auxiliary_line(element_terp);
    EXPECT_TRUE(w.drawing_texts.empty());
}

TEST_F(AuxiliaryLines, TheDepthAtAnInsertedOrdinateFollowsTheProfilesPipeReference) {
    topcje->cb_PipeDepthWhereExtraTerrainOrdinate->SetChecked(true);
    row("zaglebienie").shown = true;
    struct Case {
        uint8_t reference;
        bool to_bottom;
        const char* first;
        const char* second;
    };
    // Pipe bottom 99.90 at chainage 10, diameter 200 mm.
    const Case cases[] = {
        {0, false, "2,35", "2,10"}, {1, false, "2,25", "2,00"}, {2, false, "2,15", "1,90"}, {2, true, "2,35", "2,10"},
    };
    for (const Case& c : cases) {
        profile().rzedna = c.reference;
        topcje->cb_DepthAlways2BottomPipe->SetChecked(c.to_bottom);
        DXF_Writer w("x.dxf");
        model().terrain_work = {node_point(0, 102.4, 102.4), inserted(10, 102.25, 102, "", line_terrain)};
        w.auxiliary_line(element_ter);
        const auto all = entities_of(w);
        const auto values = of_type(all, "TEXT");
        ASSERT_EQ(values.size(), 2u);
        EXPECT_EQ(values[0].value(1), c.first);
        EXPECT_EQ(values[1].value(1), c.second);
        expect_point(values[0].point(11), 7258.5, -4500, "in the depth row");
        const auto ticks = on_layer(of_type(all, "LINE"), "Komentarze");
        ASSERT_EQ(ticks.size(), 1u);
        expect_line(ticks[0], 7000, -4000, 7000, -5000, "tick across the depth row");
    }
}

// ---- crossings ------------------------------------------------------------------------------

class Crossings : public AnnotationTest {
protected:
    Crossings() {
        kolizja k;
        k.medium = "gaz";
        k.node_id = 1;
        k.chainage = 0;
        k.distance = 10;
        k.ordinate = 101;
        k.diameter = 500;
        k.clearance = 0.45;
        k.description = "@m @r";
        profile().crossings.push_back(k);
        topcje->cb_CrossingOrdinate->SetChecked(false);
        topcje->cb_DynamicCrossingOrdinate->SetChecked(false);
        topcje->cb_DimensionBetweenCrossingAndPipe->SetChecked(false);
        Form1->cb_CrossingDescLikeInEditor->SetChecked(true);
    }
    static kolizja& crossing() { return profile().crossings[0]; }
    // The crossing at its chainage 10 (x 7000) and ordinate 101 (y 5000).
    void draw(DXF_Writer& w, double diameter = 500) { w.crossing(0, 0, 7000, 5000, 101, diameter, false); }
};

TEST_F(Crossings, APipeIsTheCrossingSymbolScaledToItsSizeAndZeroCountsAsForty) {
    const std::pair<double, double> cases[] = {{500, 0.25}, {0, 0.02}, {101, 0.02}};
    for (const auto& [diameter, r] : cases) {
        DXF_Writer w("x.dxf");
        draw(w, diameter);
        const auto inserts = of_type(entities_of(w), "INSERT");
        ASSERT_EQ(inserts.size(), 1u);
        const entity& i = inserts[0];
        EXPECT_EQ(i.value(2), "KOLIZJA");
        expect_point(i.point(10), 7000, 5000 + r * 1000, "centre");
        EXPECT_NEAR(i.number(41), r * 200, 1e-9);
        EXPECT_NEAR(i.number(42), r * 1000, 1e-9);
        EXPECT_EQ(i.number(43), 1);
        EXPECT_EQ(i.value(8), "Symbole");
    }
}

TEST_F(Crossings, ADuctIsARectangleStandingOnItsOrdinateAndASecondSizeSurroundsIt) {
    crossing().height = 300;
    draw(writer);
    auto sides = on_layer(of_type(entities_of(writer), "LINE"), "Symbole");
    ASSERT_EQ(sides.size(), 4u);
    // 0.5 m wide at 1:500, 0.3 m high at 1:100.
    expect_line(sides[0], 6950, 5300, 7050, 5300, "top");
    expect_line(sides[1], 7050, 5300, 7050, 5000, "right");
    expect_line(sides[2], 7050, 5000, 6950, 5000, "bottom");
    expect_line(sides[3], 6950, 5000, 6950, 5300, "left");
    EXPECT_EQ(sides[0].value(62), "0");

    crossing().diameter2 = 600;
    DXF_Writer w("x.dxf");
    draw(w);
    sides = on_layer(of_type(entities_of(w), "LINE"), "Symbole");
    ASSERT_EQ(sides.size(), 8u);
    expect_line(sides[4], 6940, 5350, 7060, 5350, "outer top");
    expect_line(sides[6], 7060, 4950, 6940, 4950, "outer bottom");

    crossing().height = 0;
    DXF_Writer pipe("x.dxf");
    draw(pipe);
    const auto inserts = of_type(entities_of(pipe), "INSERT");
    ASSERT_EQ(inserts.size(), 2u);
    expect_point(inserts[1].point(10), 7000, 5250, "same centre");
    EXPECT_NEAR(inserts[1].number(41), 60, 1e-9);
    EXPECT_NEAR(inserts[1].number(42), 300, 1e-9);
}

TEST_F(Crossings, OneToRemoveIsCrossedOutTwiceAsHighAsItsSection) {
    crossing().to_remove = true;
    draw(writer);
    const auto lines = on_layer(of_type(entities_of(writer), "LINE"), "Komentarze");
    ASSERT_EQ(lines.size(), 3u);
    expect_line(lines[0], 7000, 5000, 7080, 5000, "tick");
    expect_line(lines[1], 6950, 4750, 7050, 5750, "first stroke");
    expect_line(lines[2], 6950, 5750, 7050, 4750, "second stroke");
}

TEST_F(Crossings, TheOrdinateLabelStandsAtTheBottomOrAtTheTopOfOneBelowThePipe) {
    topcje->cb_CrossingOrdinate->SetChecked(true);
    struct Case {
        double clearance;
        bool dynamic;
        double tick_y;
        const char* label;
        double label_y;
    };
    const Case cases[] = {
        {0.45, false, 5000, "101,00", 5260},
        {0.45, true, 5000, "101,00", 5260},
        {-0.3, false, 5000, "101,00", 5260},
        {-0.3, true, 5500, "101,50", 5500 - 260 - 190},  // its top, labelled downward
    };
    for (const Case& c : cases) {
        crossing().clearance = c.clearance;
        topcje->cb_DynamicCrossingOrdinate->SetChecked(c.dynamic);
        DXF_Writer w("x.dxf");
        draw(w);
        const auto all = entities_of(w);
        const auto lines = on_layer(of_type(all, "LINE"), "Komentarze");
        ASSERT_EQ(lines.size(), 4u);
        expect_line(lines[0], 7000, c.tick_y, 7080, c.tick_y, c.label);
        const auto labels = of_type(all, "TEXT");
        ASSERT_EQ(labels.size(), 1u);
        EXPECT_EQ(labels[0].value(1), c.label);
        expect_point(labels[0].point(10), 7160, c.label_y, c.label);
    }
}

TEST_F(Crossings, TheClearanceIsDimensionedFromTheTickToThePipe) {
    topcje->cb_DimensionBetweenCrossingAndPipe->SetChecked(true);
    struct Case {
        double clearance;
        bool dynamic;
        double from, to;
        const char* text;
    };
    const Case cases[] = {
        {0.45, false, 5000, 4550, "0,45"},   // down to the pipe's top
        {-0.3, false, 5000, 5800, "0,80"},   // up through the crossing to the pipe's bottom
        {-0.3, true, 5500, 5800, "0,30"},    // from the crossing's top
    };
    for (const Case& c : cases) {
        crossing().clearance = c.clearance;
        topcje->cb_DynamicCrossingOrdinate->SetChecked(c.dynamic);
        DXF_Writer w("x.dxf");
        draw(w);
        const auto all = entities_of(w);
        bool found = false;
        for (const entity& l : on_layer(of_type(all, "LINE"), "Komentarze"))
            if (std::fabs(l.number(10) - 7000) < 1e-6 && std::fabs(l.number(11) - 7000) < 1e-6 &&
                std::fabs(l.number(20) - c.from) < 1e-6 && std::fabs(l.number(21) - c.to) < 1e-6)
                found = true;
        EXPECT_TRUE(found) << c.text;
        const auto texts = of_type(all, "TEXT");
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].value(1), c.text);
    }
    crossing().clearance = 0;
    DXF_Writer w("x.dxf");
    draw(w);
    EXPECT_TRUE(of_type(entities_of(w), "TEXT").empty());
}

TEST_F(Crossings, TheDescriptionJoinsTheVerticalTextsInTheStyleOfItsKind) {
    tkolizje->rg_PipeOrdinateMode->SetItemIndex(1);
    draw(writer);
    ASSERT_EQ(writer.drawing_texts.size(), 1u);
    EXPECT_EQ(writer.drawing_texts[0].text, "gaz 101,25");
    EXPECT_EQ(writer.drawing_texts[0].position, 7000);
    EXPECT_EQ(writer.drawing_texts[0].y, 5000);
    EXPECT_EQ(writer.drawing_texts[0].type, 'k');
    EXPECT_EQ(writer.drawing_texts[0].colour, 84);

    crossing().projected = true;
    Form1->cb_CrossingDescLikeInEditor->SetChecked(false);
    Form1->e_CrossingDescription->SetText("@_tk_medium");
    DXF_Writer w("x.dxf");
    draw(w);
    ASSERT_EQ(w.drawing_texts.size(), 1u);
    EXPECT_EQ(w.drawing_texts[0].text, "gaz");
    EXPECT_EQ(w.drawing_texts[0].type, 'l');
    EXPECT_EQ(w.drawing_texts[0].colour, 12);

    Form1->e_CrossingDescription->SetText("");
    DXF_Writer empty("x.dxf");
    draw(empty);
    EXPECT_TRUE(empty.drawing_texts.empty());
}

TEST_F(Crossings, ANodeObjectsCrossingIsTheSymbolWithItsTickAndOrdinateOnly) {
    profile().crossings.clear();
    topcje->cb_CrossingOrdinate->SetChecked(true);
    writer.crossing(0, 0, 9000, 4000, 100, 0, true);
    const auto all = entities_of(writer);
    const auto inserts = of_type(all, "INSERT");
    ASSERT_EQ(inserts.size(), 1u);
    expect_point(inserts[0].point(10), 9000, 4020, "centre");
    const auto lines = on_layer(of_type(all, "LINE"), "Komentarze");
    ASSERT_EQ(lines.size(), 4u);  // the tick and the label's leaders
    expect_line(lines[0], 9000, 4000, 9080, 4000, "tick");
    ASSERT_EQ(of_type(all, "TEXT").size(), 1u);
    EXPECT_EQ(of_type(all, "TEXT")[0].value(1), "100,00");
    EXPECT_TRUE(writer.drawing_texts.empty());
}

// The values a crossing, an auxiliary line's inserted ordinate and a plot
// boundary write into the shown rows of the table under the profile.
TEST_F(Crossings, TheTableGetsTheChainageAndThePipeLevelInTheKindsColour) {
    row("dno").shown = true;
    row("odleglosc").shown = true;
    topcje->cb_CrossingDistance->SetChecked(true);
    topcje->cb_CrossingPipeOrdinate->SetChecked(true);
    topcje->cb_TextColorInTableLikeForType->SetChecked(true);
    crossing().projected = true;
    draw(writer);
    std::vector<std::pair<std::string, std::string>> values;
    for (const entity& t : of_type(entities_of(writer), "TEXT")) values.emplace_back(t.value(1), t.value(62));
    // The designed crossings' colour 12.
    EXPECT_EQ(values, (std::vector<std::pair<std::string, std::string>>{{"10,00", "12"}, {"99,90", "12"}}));
}

TEST_F(BoundaryMarks, TheChainageGoesIntoTheTableAsAPlotBoundarysValue) {
    row("dno").shown = true;
    row("odleglosc").shown = true;
    writer.boundary_mark(mark(10, "", ""), 0);
    const auto texts = of_type(entities_of(writer), "TEXT");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].value(1), "10,00");
    EXPECT_EQ(texts[0].value(62), "7");
}

TEST_F(AuxiliaryLines, AnInsertedOrdinateWritesThePipeLevelAndItsChainageIntoTheTable) {
    row("dno").shown = true;
    row("odleglosc").shown = true;
    topcje->cb_PipeOrdinateWhereExtraTerrainOrdinate->SetChecked(true);
    model().terrain_work = {node_point(0, 102.4, 102.4), inserted(10, 102.25, 102.25, "", line_terrain)};
    writer.auxiliary_line(element_ter);
    std::vector<std::string> values;
    for (const entity& t : texts(writer)) values.push_back(t.value(1));
    EXPECT_EQ(values, (std::vector<std::string>{"99,90", "10,00"}));
}

}  // namespace
