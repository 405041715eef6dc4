// One small profile drawn to the profile sheet, every number worked out by
// hand: unit mm (U 1000), scales 1:500 and 1:100 (Fx 200, Fy 1000), title
// column 6 m, the rows "teren", "dno", "odleglosc", "dlug_spad" and "wez"
// each 1 m high, profile names on, no title block. Profile "P1": nodes at
// 0, 40 and 100 m, terrain 102.40, 102.10, 101.60, pipe 100.00, 99.80,
// 99.50, 200 mm.
//
// The datum: lowest terrain 101.60 - 6 = 95.60, rounded 96. An ordinate z
// stands at (z - 96) x 1000, a chainage c at c x 200.
#include <gtest/gtest.h>

#include <cmath>

#include "drawing/profile_sheet_support.h"

namespace {

using namespace profile_sheet_test;

class ProfileSheetGolden : public SheetTest {
protected:
    ProfileSheetGolden() {
        decimal_separator = ',';
        shown_rows({"teren", "dno", "odleglosc", "dlug_spad", "wez"});
        topcje->cb_ProfilesNames->SetChecked(true);
        const uint16_t p = profile_of("P1", 1, {0, 40, 100}, {102.40, 102.10, 101.60}, {100.00, 99.80, 99.50});
        for (int k = 0; k < 3; ++k) node(p, static_cast<std::size_t>(k)).wez = "S" + IntToStr(k + 1);
    }
};

TEST_F(ProfileSheetGolden, DatumFrameLevelNameAndRuler) {
    const std::vector<entity> e = draw();
    EXPECT_EQ(model().profiles[0].poziom_wart, 96);
    // The top of each of the five rows and the bottom, in the title column
    // and under the profile (the last node at 100 x 200).
    for (int k = 0; k <= 5; ++k) {
        SCOPED_TRACE(k);
        EXPECT_TRUE(line_between(e, -6000, -1000.0 * k, 0, -1000.0 * k));
        EXPECT_TRUE(line_between(e, 0, -1000.0 * k, 20000, -1000.0 * k));
    }
    // The first profile has a title column, so the level stands in it, level.
    EXPECT_TRUE(text_at(e, "poziom por. 96,00 m n.p.m.", -5950, 100));
    // The name at the next whole metre above the highest terrain: 102.40 - 96
    // rounds to 6, N = 70, the flag at (0.2, 7) m, the name 0.12 and 0.05 on.
    EXPECT_TRUE(text_at(e, "P1", 320, 7050));
    EXPECT_TRUE(line_between(e, 200, 7300, 200, 6950));
    EXPECT_TRUE(line_between(e, 200, 6950, 2400, 6950));
    // The ruler: ticks from 1 to 7 m above the datum at the title column's
    // edge, the whole metres labelled 97 to 103.
    for (int m = 1; m <= 7; ++m) {
        SCOPED_TRACE(m);
        EXPECT_TRUE(text_at(e, IntToStr(96 + m), -5880, 1000.0 * m + 50));
        EXPECT_TRUE(line_between(e, -6000, 1000.0 * m, -5600, 1000.0 * m));
    }
    EXPECT_TRUE(line_between(e, -6000, 1500, -5800, 1500));
    EXPECT_TRUE(line_between(e, -6000, 1100, -5900, 1100));
    EXPECT_TRUE(texts(e, "104").empty());
    EXPECT_TRUE(texts(e, "96").empty());
}

// What the table rows, the lines, the pipe and the node lines draw, and
// what stands under a table of 5 m (the axis, the title column's border).
TEST_F(ProfileSheetGolden, TableAxisLinesPipeAndNodeLines) {
    const std::vector<entity> e = draw();
    // The terrain, the invert and the crown (invert + 0.2 m).
    EXPECT_TRUE(line_between(e, 0, 6400, 8000, 6100));
    EXPECT_TRUE(line_between(e, 8000, 6100, 20000, 5600));
    EXPECT_TRUE(line_between(e, 0, 4000, 8000, 3800));
    EXPECT_TRUE(line_between(e, 8000, 3800, 20000, 3500));
    EXPECT_TRUE(line_between(e, 0, 4200, 8000, 4000));
    EXPECT_TRUE(line_between(e, 8000, 4000, 20000, 3700));
    // The title column's left border down the 5 m table.
    EXPECT_TRUE(line_between(e, -6000, 0, -6000, -5000));
    // The axis 0.6 m under the table, its figures 0.4 m under it: the
    // automatic unit of a 100 m profile is the hectometre.
    EXPECT_TRUE(line_between(e, 0, -5600, 20000, -5600));
    EXPECT_TRUE(text_at(e, "0,00", 0, -5400));
    EXPECT_TRUE(text_at(e, "1", 20000, -5400));
    EXPECT_TRUE(text_at(e, "Hektometr", -5950, -5600));
    EXPECT_TRUE(line_between(e, 20000, -5600, 20000, -5400));
    // The node lines stop 0.01 m under the pipe; a description that did
    // not move draws its line as three straight pieces: 0.25 m at the
    // table, beside the text, 0.25 m at the top.
    const double top[] = {3990, 3790, 3490};
    for (int k = 0; k < 3; ++k) {
        const double x = (k == 0 ? 0 : k == 1 ? 8000 : 20000);
        SCOPED_TRACE(x);
        EXPECT_TRUE(line_between(e, x, 0, x, 250));
        EXPECT_TRUE(line_between(e, x, top[k] - 250, x, 250));
        EXPECT_TRUE(line_between(e, x, top[k] - 250, x, top[k]));
    }
    // The row values at their alignment points: vertical, centred on the
    // row's middle (the terrain row's at 0.5 m down, the pipe row's at
    // 1.5 m), beside the node line by the style's side offset (less than
    // half a metre of the layout).
    struct value_case {
        const char* text;
        double x;
        double y;
    };
    const value_case values[] = {{"102,40", 0, -500},     {"102,10", 8000, -500}, {"101,60", 20000, -500},
                                 {"100,00", 0, -1500},    {"99,80", 8000, -1500}, {"99,50", 20000, -1500}};
    for (const value_case& v : values) {
        SCOPED_TRACE(v.text);
        // "100,00" is also the last chainage, in the third row.
        std::vector<entity> found;
        for (const entity& t : texts(e, v.text))
            if (std::fabs(t.number("21") - v.y) < 1e-6) found.push_back(t);
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0].value("50"), "90");
        EXPECT_LT(std::fabs(found[0].number("11") - v.x), 500);
    }
    // The node names centred on the node lines in the last row (its middle
    // 4.5 m down), their baseline half a text height under it.
    const double name_x[] = {0, 8000, 20000};
    for (int k = 0; k < 3; ++k) {
        const std::vector<entity> found = texts(e, "S" + IntToStr(k + 1));
        ASSERT_EQ(found.size(), 1u) << k;
        EXPECT_NEAR(found[0].number("11"), name_x[k], 1e-6);
        EXPECT_NEAR(found[0].number("21"), -4500 - 95, 1e-6);
    }
}

}  // namespace
