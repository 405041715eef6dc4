// The drawing writer's primitives read back from the groups they write:
// text styles and offsets, rectangles, arrows, scale bars, level marks,
// dimensions, the title block, the geometry helpers and the nearest colour.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "drawing/drawing_state.h"
#include "drawing/dxf_writer.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "model/terrain.h"
#include "files/title_block.h"
#include "platform/stdctrls.h"
#include "drawing/containers.h"
#include "platform/cp1250.h"
#include "platform/sysutils.h"
#include "support/fixture.h"
#include "support/model_builders.h"
#include "drawing/dxf_test_support.h"

namespace {

struct group {
    int code;
    std::string value;
};

struct entity {
    std::string type;
    std::vector<group> groups;
    // The first value of a code; empty when none.
    std::string value(int code) const {
        for (const group& g : groups)
            if (g.code == code) return g.value;
        return {};
    }
    double number(int code) const { return std::stod(value(code)); }
    point3 point(int code) const { return {number(code), number(code + 10), 0}; }
};

// The written groups split into entities at each code 0.
std::vector<entity> entities_of(const DXF_Writer& w) {
    const std::string& bytes = w.out().bytes();
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    std::vector<entity> result;
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
        const int code = std::stoi(lines[i]);
        if (code == 0) result.push_back({lines[i + 1], {}});
        result.back().groups.push_back({code, lines[i + 1]});
    }
    return result;
}

std::vector<entity> of_type(const std::vector<entity>& all, const std::string& type) {
    std::vector<entity> r;
    for (const entity& e : all)
        if (e.type == type) r.push_back(e);
    return r;
}

void expect_point(const point3& p, double x, double y, const char* what = "") {
    EXPECT_NEAR(p.x, x, 1e-9) << what;
    EXPECT_NEAR(p.y, y, 1e-9) << what;
}

constexpr int koment = 7;
constexpr int metryka = 6;

class DrawingPrimitives : public ProgramTest {
protected:
    DrawingPrimitives() {
        decimal_separator = '.';
        euro_rounding = false;
        // The text styles: height, colour, spacing, width factor, layer.
        const char* const rows[8][5] = {
            {"19", "7", "4", "90%", "Opisy"}, {"19", "7", "4", "100%", "Metryka"}, {"19", "8", "4", "70%", "0"},
            {"15", "84", "4", "70%", "0"},     {"17", "12", "4", "70%", "0"},       {"16", "130", "4", "70%", "0"},
            {"14", "112", "4", "70%", "0"},    {"15", "7", "18", "70%", "0"},
        };
        for (int r = 0; r < 8; ++r)
            for (int c = 0; c < 5; ++c) topcje->sag_Fonts->SetCell(c + 1, r + 1, rows[r][c]);
        topcje->cb_DescriptionOnLeft->SetChecked(false);
        topcje->cb_TextHeightInTableLikeForType->SetChecked(false);
        topcje->cb_TextColorInTableLikeForType->SetChecked(false);
        topcje->cb_1PipeLine->SetChecked(false);
        layers({"Opisy", "Metryka", "Komentarze", "Ramka"});
        std::vector<linia_def>& defs = settings().line_defs;
        if (defs.size() < 15) defs.resize(15);
        defs[koment].layer = "Komentarze";
        defs[koment].color = 3;
        defs[koment].draw = true;
        defs[koment].media = "a";
        defs[metryka].layer = "Ramka";
        defs[metryka].color = 5;
        defs[metryka].draw = true;
        defs[metryka].media = "a";
        settings().symbol_size_factor = 0.2;
        drawing_state& d = drawing();
        d.unit_factor = 1;
        d.units_per_metre = 1000;
        d.y_factor = 1000;  // vertical 1:100
        d.x_factor = 1000;
        d.drawn_profile = 0;
    }

    void layers(std::initializer_list<const char*> names) {
        TStringGrid& g = *topcje->sag_Layers;
        g.SetRowCount(2 + static_cast<int>(names.size()));
        int r = 2;
        for (const char* n : names) g.SetCell(1, r++, n);
    }

    // Chooses the profile sheet or the scheme.
    static void profile_sheet(bool on) {
        Form1->tb_PreviewProfile->SetDown(on);
        Form1->tb_PreviewScheme->SetDown(!on);
    }

    DXF_Writer writer{"rysunek.dxf"};
};

// ---- text styles ----------------------------------------------------------------

TEST_F(DrawingPrimitives, TextStylesTakeTheirRowAndMirrorTheOffsetsUnlessDescriptionsStandOnTheLeft) {
    // The measured height of a font is 1.15 times its character height:
    // 0.2185 m at 0.19 m, 0.1725 m at 0.15 m.
    struct Case {
        const char* kind;
        bool on_left;
        bool keep_side;
        double height, near, far, width;
        int colour;
        const char* layer;
    };
    const Case cases[] = {
        {"t_kom", false, false, 0.19, -0.2585, -0.04, 0.7, 8, "0"},
        {"t_kom", true, false, 0.19, 0.04, 0.2585, 0.7, 8, "0"},
        {"t_kom", false, true, 0.19, 0.04, 0.2585, 0.7, 8, "0"},
        {"t_opi", false, false, 0.19, 0.04, 0.04, 1.0, 7, "Metryka"},
        {"t_pro", false, false, 0.19, -0.2585, -0.04, 0.9, 7, "Opisy"},
        {"t_kol", false, false, 0.15, -0.2125, -0.04, 0.7, 84, "0"},
        {"t_sch", false, false, 0.15, -0.36, -0.18, 0.7, 7, "0"},
        {"t_sch", true, false, 0.15, 0.18, 0.36, 0.7, 7, "0"},
    };
    for (const Case& c : cases) {
        topcje->cb_DescriptionOnLeft->SetChecked(c.on_left);
        tekst in;
        in.text = "Tekst";
        in.keep_side = c.keep_side;
        tekst out;
        writer.apply_text_style(in, c.kind, out);
        const std::string what = std::string(c.kind) + (c.on_left ? " left" : "") + (c.keep_side ? " keep" : "");
        EXPECT_NEAR(out.height, c.height, 1e-12) << what;
        EXPECT_NEAR(out.near_offset, c.near, 1e-12) << what;
        EXPECT_NEAR(out.far_offset, c.far, 1e-12) << what;
        EXPECT_NEAR(out.width_factor, c.width, 1e-12) << what;
        EXPECT_EQ(out.colour, c.colour) << what;
        EXPECT_EQ(out.layer, c.layer) << what;
        EXPECT_EQ(out.text, "Tekst") << what;
    }
    EXPECT_TRUE(writer.drawing_texts.empty());  // no text had a position
}

TEST_F(DrawingPrimitives, TableTextsTakeTheHeightAndColourOfTheirTypeWhenTheSettingsSaySo) {
    struct Case {
        char type;
        double height;
        int colour;
    };
    // Rows 4 to 7 for "k", "l", "o", "t"; "g" three quarters of row 1
    // rounded to whole hundredths (14.25 -> 14); anything else row 1.
    const Case by_type[] = {{'k', 0.15, 84}, {'l', 0.17, 12}, {'o', 0.16, 130}, {'t', 0.14, 112},
                            {'g', 0.14, 7},  {'x', 0.19, 7},  {0, 0.19, 7}};
    for (const bool height_on : {false, true})
        for (const bool colour_on : {false, true}) {
            topcje->cb_TextHeightInTableLikeForType->SetChecked(height_on);
            topcje->cb_TextColorInTableLikeForType->SetChecked(colour_on);
            for (const Case& c : by_type) {
                tekst in;
                in.type = c.type;
                tekst out;
                writer.apply_text_style(in, "t_pro", out);
                const std::string what = std::string(1, c.type) + (height_on ? " height" : "") + (colour_on ? " colour" : "");
                EXPECT_NEAR(out.height, height_on ? c.height : 0.19, 1e-12) << what;
                EXPECT_EQ(out.colour, colour_on ? c.colour : 7) << what;
            }
        }
    // Three quarters of 14 is 10.5: whole hundredths by the program's
    // rounding, to even or, with euro rounding, away from zero.
    topcje->sag_Fonts->SetCell(1, 1, "14");
    for (const bool euro : {false, true}) {
        euro_rounding = euro;
        tekst in;
        in.type = 'g';
        tekst out;
        writer.apply_text_style(in, "t_pro", out);
        EXPECT_NEAR(out.height, euro ? 0.11 : 0.10, 1e-12) << euro;
    }
    euro_rounding = false;
    topcje->sag_Fonts->SetCell(1, 1, "19");
    // The overrides belong to the table style alone.
    tekst in;
    in.type = 'k';
    tekst out;
    writer.apply_text_style(in, "t_kom", out);
    EXPECT_NEAR(out.height, 0.19, 1e-12);
    EXPECT_EQ(out.colour, 8);
}

TEST_F(DrawingPrimitives, CommentLikeTextsWithAPositionGoToTheArrangementOneRecordPerLine) {
    tekst in;
    in.text = "Rura PE\\Pfi 160";
    in.position = 1250;
    in.y = 300;
    in.type = 'l';
    tekst out;
    writer.apply_text_style(in, "t_kolp", out);
    ASSERT_EQ(writer.drawing_texts.size(), 2u);
    EXPECT_EQ(writer.drawing_texts[0].text, "Rura PE");
    EXPECT_EQ(writer.drawing_texts[0].first_line, 1);
    EXPECT_EQ(writer.drawing_texts[1].text, "fi 160");
    EXPECT_EQ(writer.drawing_texts[1].first_line, 0);
    for (const tekst& t : writer.drawing_texts) {
        EXPECT_EQ(t.position, 1250);
        EXPECT_EQ(t.y, 300);
        EXPECT_EQ(t.colour, 12);
        EXPECT_EQ(t.type, 'l');
    }
    EXPECT_EQ(out.text, in.text);  // the styled record keeps the whole text

    // Without a position, or in a style that is not comment-like, nothing is collected.
    in.position = -1;
    writer.apply_text_style(in, "t_kom", out);
    in.position = 10;
    writer.apply_text_style(in, "t_pro", out);
    writer.apply_text_style(in, "t_opi", out);
    EXPECT_EQ(writer.drawing_texts.size(), 2u);
    // A comment without a line break is one record.
    in.text = "Jedna";
    writer.apply_text_style(in, "t_kom", out);
    ASSERT_EQ(writer.drawing_texts.size(), 3u);
    EXPECT_EQ(writer.drawing_texts[2].first_line, 1);
}

TEST_F(DrawingPrimitives, AStyleNumberThatDoesNotConvertRaisesTheConversionError) {
    tekst t;
    for (const char* bad : {"abc", ""}) {
        topcje->sag_Fonts->SetCell(1, 3, bad);
        EXPECT_THROW(writer.apply_text_style(t, "t_kom", t), EConvertError) << bad;
    }
    topcje->sag_Fonts->SetCell(1, 3, "19");
    topcje->sag_Fonts->SetCell(4, 3, "siedem%");
    EXPECT_THROW(writer.apply_text_style(t, "t_kom", t), EConvertError);
}

TEST_F(DrawingPrimitives, LabelOffsetsMeasureTheTextInTheFontOfTheLastStyle) {
    tekst style;
    writer.apply_text_style(style, "t_pro", style);  // 0.19 m: a 19-pixel font
    // "Ab" is 1223 thousandths of the em: 23.237 pixels, 0.23237 m, at
    // width factor 0.9 0.209133 m.
    const double w = 1.223 * 19 / 100 * 0.9;
    const point3 p{5000, 800, 0};
    profile_sheet(false);
    expect_point(writer.label_offset(p, "x", 0.5, "Ab", 0.9), 5000 - w * 1000, 800, "x");
    expect_point(writer.label_offset(p, "xr", 0.5, "Ab", 0.9), 5000 - 2 * w * 1000, 800, "xr");
    expect_point(writer.label_offset(p, "y", 0.5, "Ab", 0.9), 5000, 800 - (0.5 + w) * 1000, "y");
    // On the profile sheet mode "y" counts down from the table's top by the
    // table text height (19 of 19).
    profile_sheet(true);
    expect_point(writer.label_offset(p, "y", 0.5, "Ab", 0.9), 5000, -(0.5 + 0.5 + w) * 1000, "y profile");
    // A bigger style measures wider; so does a coarser unit's smaller U.
    topcje->sag_Fonts->SetCell(1, 3, "38");
    writer.apply_text_style(style, "t_kom", style);
    expect_point(writer.label_offset(p, "x", 0, "Ab", 1), 5000 - 1.223 * 38 * 10, 800, "x at 38");
    drawing().units_per_metre = 1;
    expect_point(writer.label_offset(p, "x", 0, "Ab", 1), 5000 - 1.223 * 38 / 100, 800, "x in metres");
}

// ---- lines ---------------------------------------------------------------------------

TEST_F(DrawingPrimitives, RectanglesDrawTheEdgesTheirPatternNames) {
    struct Case {
        const char* edges;
        std::vector<int> drawn;  // 0 top, 1 right, 2 bottom, 3 left
    };
    const Case cases[] = {
        {"1111", {0, 1, 2, 3}}, {"0111", {1, 2, 3}}, {"1010", {0, 2}}, {"0000", {}}, {"11", {0, 1, 2, 3}},
        {"", {0, 1, 2, 3}},     {"11110", {0, 1, 2, 3}},
    };
    // Top-left corner (110, 30), 30 wide and 40 high downward.
    const point3 corners[4] = {{110, 30, 0}, {140, 30, 0}, {140, -10, 0}, {110, -10, 0}};
    for (const Case& c : cases) {
        DXF_Writer w("x.dxf");
        w.rectangle({.origin = {100, 50, 0}, .colour = 4, .dx = 10, .dy = 20, .width = 30, .height = 40,
                     .layer = "Ramka", .edges = c.edges});
        const auto lines = entities_of(w);
        ASSERT_EQ(lines.size(), c.drawn.size()) << c.edges;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const int edge = c.drawn[i];
            EXPECT_EQ(lines[i].type, "LINE");
            EXPECT_EQ(lines[i].value(8), "Ramka");
            EXPECT_EQ(lines[i].value(62), "4");
            expect_point(lines[i].point(10), corners[edge].x, corners[edge].y, c.edges);
            expect_point(lines[i].point(11), corners[(edge + 1) % 4].x, corners[(edge + 1) % 4].y, c.edges);
        }
    }
    // A layer the layer table does not hold is written as "0".
    writer.rectangle({.width = 1, .height = 1, .layer = "Brak"});
    for (const entity& e : entities_of(writer)) EXPECT_EQ(e.value(8), "0");
}

TEST_F(DrawingPrimitives, AnArrowCarriesItsHeadAtTheEndItsFlagNames) {
    // Strokes 0.4 x 0.2 x 1000 = 80 long, 15 degrees off the shaft.
    const double along = 80 * std::cos(M_PI / 12);
    const double across = 80 * std::sin(M_PI / 12);
    for (const bool head_at_end : {true, false}) {
        DXF_Writer w("x.dxf");
        w.arrow(head_at_end, koment, 0, 0, 1000, 0);
        const auto lines = entities_of(w);
        ASSERT_EQ(lines.size(), 3u);
        const point3 head = head_at_end ? point3{1000, 0, 0} : point3{0, 0, 0};
        const point3 tail = head_at_end ? point3{0, 0, 0} : point3{1000, 0, 0};
        const double back = head_at_end ? -along : along;
        expect_point(lines[0].point(10), tail.x, tail.y, "shaft");
        expect_point(lines[0].point(11), head.x, head.y, "shaft");
        std::vector<double> ys;
        for (int i = 1; i < 3; ++i) {
            EXPECT_NEAR(lines[i].number(10), head.x + back, 1e-9);
            ys.push_back(lines[i].number(20));
            expect_point(lines[i].point(11), head.x, head.y, "stroke to the head");
        }
        EXPECT_NEAR(std::fabs(ys[0]), across, 1e-9);
        EXPECT_NEAR(ys[0], -ys[1], 1e-9);
        for (const entity& e : lines) {
            EXPECT_EQ(e.value(8), "Komentarze");
            EXPECT_EQ(e.value(62), "3");
        }
    }
    // The symbol size setting scales the head.
    settings().symbol_size_factor = 0.4;
    writer.arrow(true, koment, 0, 0, 0, 1000);
    const auto lines = entities_of(writer);
    EXPECT_NEAR(lines[1].number(20), 1000 - 160 * std::cos(M_PI / 12), 1e-9);
}

TEST_F(DrawingPrimitives, ScaleBarsReadTheLengthTheyStandFor) {
    const std::pair<int, const char*> cases[] = {
        {500, "5m"}, {200000, "2km"}, {50000, "500m"}, {100000, "1km"}, {250, "2.5m"}, {150000, "1.5km"},
    };
    for (const auto& [scale, label] : cases) {
        DXF_Writer w("x.dxf");
        w.scale_bar({3000, 2000, 0}, scale);
        const auto all = entities_of(w);
        ASSERT_EQ(of_type(all, "LINE").size(), 3u) << label;  // no top edge
        const auto texts = of_type(all, "TEXT");
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].value(1), label);
        expect_point(texts[0].point(10), 3000 - 1200 + 50, 2000 - 50, label);
        EXPECT_NEAR(texts[0].number(40), 0.7 * 0.19 * 1000, 1e-9);
        EXPECT_EQ(texts[0].value(8), "Opisy");
        EXPECT_EQ(texts[0].value(62), "7");
    }
    // The box: from x - 1.2 m, one metre long and 0.1 m high, on "koment".
    writer.scale_bar({3000, 2000, 0}, 500);
    const auto lines = of_type(entities_of(writer), "LINE");
    expect_point(lines[0].point(10), 2800, 2000, "right edge");
    expect_point(lines[0].point(11), 2800, 1900, "right edge");
    expect_point(lines[2].point(10), 1800, 1900, "left edge");
    expect_point(lines[2].point(11), 1800, 2000, "left edge");
    EXPECT_EQ(lines[0].value(8), "Komentarze");
}

TEST_F(DrawingPrimitives, ALevelMarkIsATriangleOnItsApexWithAnOptionalZigzag) {
    writer.level_mark({100, 200, 0}, false);
    auto lines = entities_of(writer);
    ASSERT_EQ(lines.size(), 3u);
    expect_point(lines[0].point(11), 30, 290);
    expect_point(lines[1].point(11), 170, 290);
    expect_point(lines[2].point(10), 30, 290);
    expect_point(lines[2].point(11), 170, 290);
    DXF_Writer w("x.dxf");
    w.level_mark({100, 200, 0}, true);
    lines = entities_of(w);
    ASSERT_EQ(lines.size(), 6u);
    expect_point(lines[3].point(10), 100, 200);
    expect_point(lines[3].point(11), 70, 180);
    expect_point(lines[4].point(10), 130, 140);
    expect_point(lines[5].point(11), 70, 100);
    for (const entity& e : lines) EXPECT_EQ(e.value(8), "Komentarze");
}

// ---- colours -------------------------------------------------------------------------

TEST(NearestCadColour, TakesTheNearestPaletteEntryAndTheLowestNumberOnATie) {
    const std::pair<TColor, int> cases[] = {
        {0x000000, 7},      // (1, 1, 1) at distance 3
        {0xFFFFFF, 255},    // exact
        {0x0000FF, 1},      // red: 1, not 10
        {0x00FFFF, 2},      // yellow: 2, not 50
        {0x808080, 252},    // (128, 128, 128)
        {0x7F7F7F, 8},      // (127, 127, 127)
        {0x0000C8, 12},     // (200, 0, 0): nearest (207, 0, 0)
        {clWindowText, 7},  // a system colour is resolved first
    };
    for (const auto& [colour, expected] : cases) EXPECT_EQ(tcolor2cadcolor(colour), expected) << std::hex << colour;
}

// ---- geometry ------------------------------------------------------------------------

TEST(WriterGeometry, APointAtADistanceMovesAlongTheLineFromTheFirstPointToTheSecond) {
    struct Case {
        point3 from, to;
        double d;
        int base;
        double x, y;
    };
    const Case cases[] = {
        {{0, 0, 0}, {3, 4, 0}, 10, 0, 6, 8},        // from the first point
        {{0, 0, 0}, {3, 4, 0}, 10, 1, 9, 12},       // from the second
        {{0, 0, 0}, {3, 4, 0}, -5, 0, -3, -4},      // backwards
        {{3, 4, 0}, {0, 0, 0}, 5, 0, 0, 0},         // the other way
        {{1, 1, 0}, {1, 5, 0}, 2, 0, 1, 3},         // straight up
        {{1, 5, 0}, {1, 1, 0}, 2, 1, 1, -1},        // straight down, from the second
        {{1, 1, 0}, {7, 1, 0}, -2, 0, -1, 1},       // along x, y kept
        {{2, 2, 0}, {2, 2, 0}, 9, 0, 2, 2},         // one point: the base
        {{-1, 2, 5}, {-4, 6, 7}, 5, 0, -4, 6},      // z ignored
    };
    for (const Case& c : cases) {
        const point3 p = DXF_Writer::point_at_distance(c.from, c.to, c.d, c.base);
        EXPECT_NEAR(p.x, c.x, 1e-12);
        EXPECT_NEAR(p.y, c.y, 1e-12);
        EXPECT_EQ(p.z, 0);
    }
    // Straight up keeps x exactly.
    EXPECT_EQ(DXF_Writer::point_at_distance({1, 1, 0}, {1, 5, 0}, 1e6, 0).x, 1);
}

TEST(WriterGeometry, RotatingTurnsCounterClockwiseAboutTheCentre) {
    struct Case {
        point3 centre, p;
        double degrees, x, y;
    };
    const Case cases[] = {
        {{0, 0, 0}, {1, 0, 0}, 90, 0, 1},   {{0, 0, 0}, {1, 0, 0}, -90, 0, -1},
        {{1, 1, 0}, {2, 1, 0}, 180, 0, 1},  {{5, 5, 3}, {5, 5, 3}, 33, 5, 5},
        {{0, 0, 0}, {2, 0, 0}, 30, std::sqrt(3.0), 1},
    };
    for (const Case& c : cases) {
        const point3 p = DXF_Writer::rotate_point(c.centre, c.p, c.degrees);
        EXPECT_NEAR(p.x, c.x, 1e-12);
        EXPECT_NEAR(p.y, c.y, 1e-12);
        EXPECT_EQ(p.z, 0);
    }
}

// ---- symbol half-widths ------------------------------------------------------------------

class SymbolHalfWidth : public DrawingPrimitives {
protected:
    SymbolHalfWidth() {
        model().profiles.clear();
        add_profile("P1", 1, {0, 10, 20});
        odcinek& p = model().profiles[0];
        p.drawing_block = 1000;  // the scheme at 1:100
        for (wezel& w : p.nodes) {
            w.fi = value_pair(200);
            w.dno = value_pair(100);
            w.draw_factor = 500;  // the profile at 1:200
        }
        topcje->sag_DrawingProperties->SetCell(1, 1, "200");
    }
    wezel& node(int i) { return model().profiles[0].nodes[static_cast<std::size_t>(i)]; }
};

// With U = 1000, a symbol factor of 0.2 and 200 mm pipes drawn 200 units
// high, q is half the symbol size: 100 on the scheme (mode 0) and
// 0.5 x 1.12 x 200 = 112 on the profile sheet; F is 1000 on the scheme
// and 500 on the profile, so q / F is 0.1 and 0.224.
TEST_F(SymbolHalfWidth, EachObjectKindTakesItsRoomOnTheSchemeAndOnTheProfile) {
    struct Case {
        const char* object;
        const char* var;
        const char* var2;
        const char* comment;
        int node;
        int end;
        double scheme, profile;
    };
    const Case cases[] = {
        {"", "", "", "", 1, 0, 0, 0},
        {"nieznany", "", "", "", 1, 0, 0, 0},
        {"zawor", "", "", "", 1, 0, 0.1, 0.224},
        {"Zasuwa", "", "", "", 1, 1, 0.1, 0.224},  // A to Z lowered
        {"przejscie", "", "", "", 1, 0, 0.025, 0.028},
        {"szafka", "", "", "", 1, 0, 0.125, 0.65},
        {"szafkb", "", "", "", 1, 0, 0.125, 1.025},
        {"grupa", "a;b;c", "", "", 1, 0, 0.3, 0.672},
        {"grupa", "a;b;c;", "", "", 1, 0, 0.3, 0.672},
        {"grupa 2", "a;b;c", "", "", 1, 0, 0, 0},  // only the whole text
        {"rewizyjna", "", "", "@1.2", 1, 0, 0.6, 0.6},
        {"rewizyjna", "", "", "", 1, 0, 0.1, 0.1},
        {"wodomierzowa", "", "", "", 1, 0, 0.3, 0.672},
        {"zestaw wodomierzowy", "", "0|2", "", 1, 0, 0, 0},  // not at an end
        {"zestaw wodomierzowy", "", "0|2", "", 0, 0, 0.8, 1.65},
        {"zestaw wodomierzowy", "", "0|2", "", 0, 1, 0, 0},
        {"wejscie do budynku", "", "0|-1", "", 2, 1, 0, 0.65},  // negative raised to 0 on the scheme
        {"zbiornikw", "", "", "", 1, 0, 0, 0.2},
        {"pion", "300", "", "", 1, 1, 0, 0.15},
        {"pion", "300", "", "", 1, 0, 0, 0.45},
        {"hydrant nadz.", "", "", "", 1, 0, 0.1, 0.224},
        {"hydrant podz.", "80|1", "", "", 1, 0, 0, 0},
        {"rynna", "", "", "", 1, 0, 0.5, 0.5},
        {"nawiertka", "160||1", "", "", 1, 0, 0.1, 0.528},
        {"nawiertka", "160||1", "", "", 1, 1, 0.1, 0.08},
        {"nawiertka", "160||0", "", "", 1, 1, 0.1, 0.528},
        {"rurociąg"_cp, "300", "", "", 1, 0, 0.15, 0.15},
        {"rurociąg"_cp, "300|101.5", "", "", 1, 0, 0.1, 0.1},
        {"rurociąg"_cp, "150", "", "", 1, 0, 0, 0},  // smaller than the pipe
        {"trójnik"_cp, "300", "", "", 1, 0, 0, 0.15},
        {"sl-rr", "", "", "", 1, 0, 0.15, 0.15},
        {"sl-rcolv 2", "", "", "", 1, 1, 0.15, 0.15},
    };
    for (const Case& c : cases) {
        wezel& w = node(c.node);
        w.obiekt = c.object;
        w.var = c.var;
        w.var2 = c.var2;
        w.kom = c.comment;
        const std::string what = std::string(c.object) + " node " + std::to_string(c.node) + " end " + std::to_string(c.end);
        EXPECT_NEAR(writer.symbol_half_width(0, c.node, 0, c.end, 1), c.scheme, 1e-12) << what << " scheme";
        EXPECT_NEAR(writer.symbol_half_width(0, c.node, 1, c.end, -1), c.profile, 1e-12) << what << " profile";
        w.obiekt.clear();
        w.var.clear();
        w.var2.clear();
        w.kom.clear();
    }
}

TEST_F(SymbolHalfWidth, NodesWithTwoPipeOrdinatesAndTheSettingsThatChangeTheRules) {
    struct Case {
        const char* object;
        double scheme, profile;
    };
    // The pipes meet the node at 100 and 99.5.
    node(1).dno = value_pair(100, 99.5);
    const Case differing[] = {
        {"spust", 0, 0.1},                          // a drop: half the diameter on the profile
        {"lpg_tank", 0.3, 0.3},                     // the tank's own rule, no drop
        {"epurbloc", 0, 0.1},                       // the drop rule comes after the treatment rule
        {"rewizyjna", 0.1, 0.1},
        {"zawor", 0.1, 0.224},                      // a later rule wins
    };
    for (const Case& c : differing) {
        node(1).obiekt = c.object;
        EXPECT_NEAR(writer.symbol_half_width(0, 1, 0, 0), c.scheme, 1e-12) << c.object;
        EXPECT_NEAR(writer.symbol_half_width(0, 1, 1, 0), c.profile, 1e-12) << c.object;
    }
    // A single pipe line draws no drop and symbols of the base size.
    topcje->cb_1PipeLine->SetChecked(true);
    node(1).obiekt = "spust";
    EXPECT_EQ(writer.symbol_half_width(0, 1, 1, 0), 0);
    node(1).obiekt = "zawor";
    EXPECT_NEAR(writer.symbol_half_width(0, 1, 1, 0), 0.2, 1e-12);
    node(1).obiekt = "epurbloc";
    EXPECT_NEAR(writer.symbol_half_width(0, 1, 1, 0), 0.15, 1e-12);
    EXPECT_EQ(writer.symbol_half_width(0, 1, 0, 0), 0);
    topcje->cb_1PipeLine->SetChecked(false);
    // A tapping sleeve on a profile drawn above 1:1000 takes no room.
    node(1).dno = value_pair(100);
    topcje->sag_DrawingProperties->SetCell(1, 1, "2000");
    node(1).obiekt = "nawiertka";
    EXPECT_EQ(writer.symbol_half_width(0, 1, 0, 0), 0);
    EXPECT_EQ(writer.symbol_half_width(0, 1, 1, 0), 0);
    // A variable that does not convert reaches the caller.
    node(1).obiekt = "pion";
    node(1).var = "abc";
    EXPECT_THROW(writer.symbol_half_width(0, 1, 1, 0), EConvertError);
}

TEST_F(SymbolHalfWidth, ASumpStartsItsPipesAtTheWallOrAtTheEdgeOfItsCoverOpening) {
    mat_studzienka s;
    s.adds.node_name = "S1";
    s.diameter = 1000;
    s.cover_diameter = 600;
    s.cover_distance_from_border = 100;
    s.cover_height = 100;
    s.cone_height = 500;
    s.bottom = 98000;
    s.total_height = 3000;  // the body ends at 98 + 3 - 0.1 - 0.5 = 100.4
    model().project.sumps.push_back(s);
    wezel& w = node(1);
    w.obiekt = "sump";
    w.wez = "S1";
    struct Case {
        double incoming, outgoing;
        int end;
        double expected;
    };
    const Case cases[] = {
        {100, 100, 1, 0.5},     // below the body's top: the wall
        {100, 100, 0, 0.5},
        {100.4, 100.4, 1, 0.4}, // exactly at the top: the cone
        {100.4, 100.4, 0, 0.2},
        {100.0, 101, 0, 0.2},   // each end by its own side
        {100.0, 101, 1, 0.5},
    };
    for (const Case& c : cases) {
        w.dno = value_pair(c.incoming, c.outgoing);
        for (const int mode : {0, 1})
            EXPECT_NEAR(writer.symbol_half_width(0, 1, mode, c.end), c.expected, 1e-12)
                << c.incoming << "/" << c.outgoing << " end " << c.end << " mode " << mode;
    }
    // A water-meter sump: three symbols, and on the profile the meter's pipe.
    w.dno = value_pair(100);
    model().project.sumps[0].kind = 'w';
    EXPECT_NEAR(writer.symbol_half_width(0, 1, 0, 0), 0.3, 1e-12);
    EXPECT_NEAR(writer.symbol_half_width(0, 1, 1, 0), 0.672, 1e-12);
    model().project.sumps[0].drop_size = 1;
    EXPECT_NEAR(writer.symbol_half_width(0, 1, 1, 1), 0.672 + 0.2, 1e-12);
    // A sump holding fittings: one symbol per fitting.
    model().project.sumps[0].kind = 's';
    model().project.sumps[0].fittings = "z1;z2;";
    model().project.sumps[0].fittings_count = 2;
    EXPECT_NEAR(writer.symbol_half_width(0, 1, 0, 0), 0.2, 1e-12);
    EXPECT_NEAR(writer.symbol_half_width(0, 1, 1, 0), 0.448, 1e-12);
    // Without its sump the node takes no room.
    w.wez = "S2";
    EXPECT_EQ(writer.symbol_half_width(0, 1, 1, 0), 0);
}

TEST_F(SymbolHalfWidth, TheSymbolSizeFollowsThePipeOnlyOnAProfileOfTwoPipeLines) {
    EXPECT_NEAR(writer.symbol_size(0, 500), 200, 1e-12);
    EXPECT_NEAR(writer.symbol_size(1, 500), 560, 1e-12);
    EXPECT_NEAR(writer.symbol_size(1, 100), 200, 1e-12);
    topcje->cb_1PipeLine->SetChecked(true);
    EXPECT_NEAR(writer.symbol_size(1, 500), 200, 1e-12);
    drawing().units_per_metre = 1;
    settings().symbol_size_factor = 0.4;
    EXPECT_NEAR(writer.symbol_size(0, 500), 0.4, 1e-12);
}

// ---- dimensions ------------------------------------------------------------------------

class Dimensions : public DrawingPrimitives {
protected:
    Dimensions() {
        model().profiles.clear();
        add_profile("P1", 1, {0, 10});
        model().profiles[0].drawing_block = 500;  // 1:200
    }
};

TEST_F(Dimensions, ADimensionOfLengthZeroDrawsNothing) {
    writer.draw_dimension({100, 100, 0}, true, 0, true, true, 50);
    writer.draw_dimension({100, 100, 0}, true, 0, true, false, 50);
    EXPECT_TRUE(writer.out().bytes().empty());
}

// The "t_pro" style's near offset o is -0.2585 m with descriptions on the
// right; ticks of size 50 are 0.05 m each way.
TEST_F(Dimensions, AVerticalDimensionTooShortForItsTextTakesALeader) {
    const double o = -0.2585;
    struct Case {
        double length;
        bool leader;
        const char* label;
    };
    const Case cases[] = {{0.3, true, "0.30"}, {-0.3, true, "0.30"}, {0.5, false, "0.50"}, {-2.25, false, "2.25"}};
    for (const Case& c : cases) {
        DXF_Writer w("x.dxf");
        w.draw_dimension({1000, 2000, 0}, true, c.length, false, true, 50);
        const auto all = entities_of(w);
        const auto lines = of_type(all, "LINE");
        const auto texts = of_type(all, "TEXT");
        ASSERT_EQ(lines.size(), c.leader ? 5u : 3u) << c.length;
        ASSERT_EQ(texts.size(), 1u);
        const double end_y = 2000 + c.length * 1000;
        const double middle = (2000 + end_y) / 2;
        // The start tick: across and oblique.
        expect_point(lines[0].point(10), 950, 2000, "tick");
        expect_point(lines[0].point(11), 1050, 2000, "tick");
        expect_point(lines[1].point(10), 950, 2025, "oblique");
        expect_point(lines[1].point(11), 1050, 1975, "oblique");
        // The dimension line comes last.
        expect_point(lines.back().point(10), 1000, 2000, "line");
        expect_point(lines.back().point(11), 1000, end_y, "line");
        const double sign = c.length > 0 ? 1 : -1;
        point3 anchor{1000 + o * 1000, middle, 0};
        if (c.leader) {
            const point3 bend{800, middle - sign * 100, 0};
            expect_point(lines[2].point(10), 1000, middle, "leader");
            expect_point(lines[2].point(11), bend.x, bend.y, "leader");
            expect_point(lines[3].point(11), bend.x, bend.y - sign * 500, "leader");
            anchor = {bend.x + o * 1000, bend.y - sign * 250, 0};
        }
        EXPECT_EQ(texts[0].value(1), c.label);
        EXPECT_EQ(texts[0].value(50), "90");
        EXPECT_EQ(texts[0].value(72), "1");
        expect_point(texts[0].point(11), anchor.x, anchor.y, c.label);
        EXPECT_NEAR(texts[0].number(40), 190, 1e-9);
        EXPECT_EQ(texts[0].value(8), "Opisy");
        for (const entity& l : lines) EXPECT_EQ(l.value(8), "Komentarze");
    }
    // At 1:50 the same 0.3 m is drawn 0.6 long and holds its text.
    drawing().y_factor = 2000;
    writer.draw_dimension({0, 0, 0}, false, 0.3, false, true, 50);
    EXPECT_EQ(of_type(entities_of(writer), "LINE").size(), 1u);
}

TEST_F(Dimensions, AHorizontalDimensionRunsAtTheDrawnProfilesFactor) {
    decimal_separator = ',';
    writer.draw_dimension({1000, 2000, 0}, true, -12, true, false, 40);
    const auto all = entities_of(writer);
    const auto lines = of_type(all, "LINE");
    ASSERT_EQ(lines.size(), 5u);
    // Ticks at both ends: a stroke across the line and an oblique one.
    expect_point(lines[0].point(10), 1000, 1960, "start tick");
    expect_point(lines[0].point(11), 1000, 2040, "start tick");
    expect_point(lines[1].point(10), 980, 1960, "start oblique");
    expect_point(lines[1].point(11), 1020, 2040, "start oblique");
    expect_point(lines[2].point(10), -5000, 1960, "end tick");
    expect_point(lines[4].point(10), 1000, 2000, "line");
    expect_point(lines[4].point(11), -5000, 2000, "line");
    const auto texts = of_type(all, "TEXT");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].value(1), "12,00");  // the system's separator in the text
    EXPECT_EQ(texts[0].value(50), "0");
    expect_point(texts[0].point(11), -2000, 2000 + 258.5, "text");
    EXPECT_LT(texts[0].number(10), -2000);  // the insertion point stands the text's width to the left
}

// ---- the title block --------------------------------------------------------------------

TEST_F(DrawingPrimitives, TheTitleBlockLaysOutEveryBoxAtTwentyFivePixelsAMetre) {
    model().project.dane.inwestor = "Gmina Łódź"_cp;
    TMemo* three = Form1->make_text_box(1, 40, 50, 250, 75);  // 10 x 3 m, one metre below the top
    three->Lines().Add("Inwestor: @_inwestor");
    three->Lines().Add("B\tC");
    three->Lines().Add("Skala 1:500");
    TMemo* one = Form1->make_text_box(2, 100, 25, 100, 25);  // the top-most box
    one->Lines().Add("Rysunek nr 1");
    Form1->make_text_box(4, 400, 300, 50, 50);  // empty: only its frame
    const point3 corner{1000, 2000, 0};
    writer.write_title_block(corner);
    const auto all = entities_of(writer);
    const auto lines = of_type(all, "LINE");
    const auto texts = of_type(all, "TEXT");
    ASSERT_EQ(lines.size(), 12u);
    ASSERT_EQ(texts.size(), 4u);
    // The first box's frame: top-left (1000, 1000), 10000 x 3000.
    expect_point(lines[0].point(10), 1000, 1000, "frame");
    expect_point(lines[0].point(11), 11000, 1000, "frame");
    expect_point(lines[1].point(11), 11000, -2000, "frame");
    for (const entity& l : lines) {
        EXPECT_EQ(l.value(8), "Ramka");
        EXPECT_EQ(l.value(62), "5");
    }
    // Three lines share the 3 m: baselines at t + (1 + H) / 2, t + (1 + H)
    // and t + 1.5 (1 + H), H = 0.19, from x + the style's offset 0.04.
    EXPECT_EQ(texts[0].value(1), "Inwestor: Gmina Łódź"_cp);
    EXPECT_EQ(texts[1].value(1), "B          C");
    EXPECT_EQ(texts[2].value(1), "Skala 1:500");
    const double baselines[3] = {1 + 1.19 / 2, 1 + 1.19, 1 + 1.5 * 1.19};
    for (int k = 0; k < 3; ++k) expect_point(texts[k].point(10), 1040, 2000 - baselines[k] * 1000, "line");
    // A box of one line: its whole height.
    EXPECT_EQ(texts[3].value(1), "Rysunek nr 1");
    expect_point(texts[3].point(10), 1000 + 2440, 2000 - 595, "one line");
    for (const entity& t : texts) {
        EXPECT_EQ(t.value(8), "Metryka");
        EXPECT_NEAR(t.number(40), 190, 1e-9);
        EXPECT_EQ(t.value(41), "1");
        EXPECT_EQ(t.value(72), "");  // left-aligned
    }

    // The file reads back with its Polish text and no message.
    const std::string file = "0\r\nSECTION\r\n2\r\nENTITIES\r\n" + writer.out().bytes() + "0\r\nENDSEC\r\n0\r\nEOF\r\n";
    const auto drawing_read = read_dxf(file);
    EXPECT_TRUE(ui().boxes.empty());
    EXPECT_EQ(drawing_read->layers().size(), 2u);
}

TEST_F(DrawingPrimitives, TheTitleListStandsInTheMiddleOfItsBoxAndFramesFollowTheElement) {
    cre_combo(150, 40, "PROFIL PODŁUŻNY"_cp, 300);
    TControl* list = title_box(0);
    ASSERT_NE(list, nullptr);
    writer.write_title_block({0, 0, 0});
    auto texts = of_type(entities_of(writer), "TEXT");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].value(1), "PROFIL PODŁUŻNY"_cp);
    const double h = list->Height() / 25.0;
    expect_point(texts[0].point(10), 40, -(h / 2 + 0.095) * 1000, "list");
    EXPECT_EQ(of_type(entities_of(writer), "LINE").size(), 4u);

    // No frame when the element is off, or not drawn for the profile's network.
    const std::pair<bool, const char*> frames[] = {{false, "a"}, {true, "w,d,"}};
    model().profiles.clear();
    add_profile("P1", 1, {0, 10});
    model().profiles[0].networktype = 'k';
    for (const auto& [draw, media] : frames) {
        settings().line_defs[metryka].draw = draw;
        settings().line_defs[metryka].media = media;
        DXF_Writer w("x.dxf");
        w.write_title_block({0, 0, 0});
        EXPECT_TRUE(of_type(entities_of(w), "LINE").empty()) << media;
        EXPECT_EQ(of_type(entities_of(w), "TEXT").size(), 1u);
    }
    settings().line_defs[metryka].media = "w,k,";
    DXF_Writer w("x.dxf");
    w.write_title_block({0, 0, 0});
    EXPECT_EQ(of_type(entities_of(w), "LINE").size(), 4u);
}

// ---- description placeholders ------------------------------------------------------------

class Descriptions : public DrawingPrimitives {
protected:
    Descriptions() {
        model().profiles.clear();
        add_profile("P1", 1, {0, 10, 20});
        odcinek& p = model().profiles[0];
        const double pipe[3][2] = {{102, 102}, {101.5, 101.2}, {100.2, 100.2}};
        for (int i = 0; i < 3; ++i) {
            wezel& w = p.nodes[static_cast<std::size_t>(i)];
            w.dno = value_pair(pipe[i][0], pipe[i][1]);
            w.ter = w.ter_used = value_pair(104);
            w.dlug = 10;
            w.spad = 2;
        }
        p.nodes[0].fi = value_pair(250);
        p.nodes[1].fi = value_pair(200, 160);
        p.nodes[1].mat = "PVC";
        przygotuj_linie_terenu(0, 0);
    }
    std::string fill(const char* pattern, double x, bool node_ordinate, bool incoming) {
        std::string out;
        uzupelnij_opis(pattern, 1, 0, x, node_ordinate, incoming, out);
        return out;
    }
};

TEST_F(Descriptions, PlaceholdersTakeTheNodesValuesOnTheChosenSide) {
    struct Case {
        const char* pattern;
        double x;
        bool node_ordinate, incoming;
        const char* expected;
    };
    const Case cases[] = {
        {"@m fi @d/@o dno @r h @z", 0, true, false, "PVC fi 200/160 dno 101.20 h 2.80"},
        {"@m fi @d/@o dno @r h @z", 0, true, true, "PVC fi 250/160 dno 101.50 h 2.50"},
        {"@m @m @d @d", 0, true, false, "PVC @m 200 @d"},  // the first occurrence only
        {"dno @r", 5, true, false, "dno 101.20"},         // the node's own ordinate
        {"dno @r", 0, false, false, "dno 101.20"},        // x 0: the node's own ordinate
        {"bez zmiennych", 0, true, false, "bez zmiennych"},
    };
    for (const Case& c : cases) EXPECT_EQ(fill(c.pattern, c.x, c.node_ordinate, c.incoming), c.expected) << c.pattern;
    // Equal diameters leave "@o" in the text.
    model().profiles[0].nodes[1].fi = value_pair(200);
    EXPECT_EQ(fill("@d/@o", 0, true, false), "200/@o");
}

TEST_F(Descriptions, BeyondTheNodeThePipeAndTerrainAreReadAtTheChainage) {
    bottom_ordinate at;
    rzedna_dna(0, at, 15);
    ASSERT_NE(at.ordinate, no_ordinate);
    EXPECT_EQ(fill("@r", 5, false, false), Format("%f", {at.ordinate}));
    // Outside the terrain line the depth stays a placeholder; outside the
    // pipe both do.
    EXPECT_EQ(fill("@r @z", 500, false, false), "@r @z");
    model().profiles[0].terrain_lines[0].clear();
    EXPECT_EQ(fill("@r @z", 0, true, false), "101.20 @z");
}

}  // namespace
