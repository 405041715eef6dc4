// Ground hatching: the stroke pattern under one piece of terrain, the
// cutting of covered ranges out of the terrain pieces, and the hatching
// pass with the profile's default kind and the terrain descriptions' kinds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drawing/sheet_texts_fixture.h"

namespace {

using namespace sheet_texts;

class GroundHatching : public SheetTextsTest {
protected:
    GroundHatching() { drawing().units_per_metre = 1; }

    static ground_piece piece(double x1, double y1, double x2, double y2) { return {{x1, y1, 0}, {x2, y2, 0}}; }

    // The start x of every stroke written.
    std::vector<double> stroke_starts() const {
        std::vector<double> xs;
        for (const entity& l : of_type(written(), "LINE")) xs.push_back(l.number(10));
        return xs;
    }

    static void expect_piece(const ground_piece& got, const ground_piece& want, const std::string& what) {
        EXPECT_NEAR(got.start.x, want.start.x, 1e-12) << what;
        EXPECT_NEAR(got.start.y, want.start.y, 1e-12) << what;
        EXPECT_NEAR(got.start.z, want.start.z, 1e-12) << what;
        EXPECT_NEAR(got.end.x, want.end.x, 1e-12) << what;
        EXPECT_NEAR(got.end.y, want.end.y, 1e-12) << what;
    }
};

TEST_F(GroundHatching, AMetreOfLevelTerrainGetsTwentyFourStrokesThreeOfEveryFour) {
    writer.hatch_segment({0, 0, 0}, {1, 0, 0}, "grunt");
    const std::vector<entity> lines = of_type(written(), "LINE");
    ASSERT_EQ(lines.size(), 24u);
    // The strokes at 0 and 0.03 would end left of the piece; the first is
    // the one at 0.06, 0.07 long, down and back at 45 degrees.
    expect_segment(lines[0], {0.06, 0, 0.0105, -0.0495}, 5e-5);
    for (const entity& l : lines) {
        EXPECT_EQ(l.value(8), "Kreskowanie");
        EXPECT_EQ(l.value(62), "9");
    }
    // Positions 2, 4, 5, 6, 8, ... of 0.03 (counted from 0): every fourth
    // left out.
    std::vector<double> expected;
    for (int n = 2; n * 0.03 < 1; ++n)
        if (n % 4 != 3) expected.push_back(n * 0.03);
    const std::vector<double> starts = stroke_starts();
    ASSERT_EQ(starts.size(), expected.size());
    for (std::size_t k = 0; k < starts.size(); ++k) EXPECT_NEAR(starts[k], expected[k], 1e-6) << k;
}

TEST_F(GroundHatching, OnlyTheSoilKindDrawsStrokes) {
    for (const char* kind : {"brak", "Grunt", ""}) writer.hatch_segment({0, 0, 0}, {1, 0, 0}, kind);
    writer.hatch_segment({5, 5, 0}, {5, 5, 0}, "grunt");  // no length
    EXPECT_TRUE(of_type(written(), "LINE").empty());
}

TEST_F(GroundHatching, ASteepPieceLosesTheStrokesThatWouldEndOutsideIt) {
    // A metre at 60 degrees, 0.5 wide. Rising, the strokes lean forward
    // (0.018 to the right): only the last position, at 0.99, ends beyond
    // the piece's end. Falling, they reach 0.068 back: the positions up to
    // 0.12 end before its start.
    struct Case {
        double dy;
        std::size_t strokes;
    };
    for (const Case& c : {Case{0.866025403784, 25}, Case{-0.866025403784, 22}}) {
        writer.out().clear();
        writer.hatch_segment({0, 0, 0}, {0.5, c.dy, 0}, "grunt");
        const std::vector<entity> lines = of_type(written(), "LINE");
        EXPECT_EQ(lines.size(), c.strokes) << c.dy;
        for (const entity& l : lines) {
            EXPECT_GE(l.number(11), 0.0) << c.dy;
            EXPECT_LE(l.number(11), 0.5) << c.dy;
        }
    }
}

TEST_F(GroundHatching, ARangeCutsThePiecesItCoversAndKeepsWhatItCoversOfTerrainDescriptions) {
    const ground_piece removed{{0, 0, 1}, {0, 0, 1}};
    struct Case {
        const char* what;
        double a, b;
        std::vector<ground_piece> left;
        std::vector<ground_piece> covered;
    };
    const Case cases[] = {
        {"wholly covered", -1, 11, {removed}, {{{0, 0, -12}, {10, 10, 0}}}},
        {"inside", 2, 5, {piece(0, 0, 2, 2), piece(5, 5, 10, 10)}, {{{2, 2, -12}, {5, 5, 0}}}},
        {"over the start", -1, 4, {piece(4, 4, 10, 10)}, {{{0, 0, -12}, {4, 4, 0}}}},
        {"over the end", 6, 12, {piece(0, 0, 6, 6)}, {{{6, 6, -12}, {10, 10, 0}}}},
        {"beside", 11, 12, {piece(0, 0, 10, 10)}, {}},
    };
    for (const Case& c : cases) {
        for (const double code : {-12.0, 0.0}) {
            const std::string what = std::string(c.what) + (code < 0 ? " description" : " object");
            writer.sheet.ground_segments = {piece(0, 0, 10, 10)};
            writer.sheet.covered_segments.clear();
            writer.cut_ground({c.a, code, c.b, 0});
            ASSERT_EQ(writer.sheet.ground_segments.size(), c.left.size()) << what;
            for (std::size_t k = 0; k < c.left.size(); ++k) expect_piece(writer.sheet.ground_segments[k], c.left[k], what);
            const std::size_t covered = code < 0 ? c.covered.size() : 0;
            ASSERT_EQ(writer.sheet.covered_segments.size(), covered) << what;
            for (std::size_t k = 0; k < covered; ++k) expect_piece(writer.sheet.covered_segments[k], c.covered[k], what);
        }
    }
}

TEST_F(GroundHatching, ARangeOverSeveralPiecesCutsEachAndSkipsRemovedOnes) {
    writer.sheet.ground_segments = {piece(0, 0, 5, 5), {{0, 0, 1}, {0, 0, 1}}, piece(5, 5, 10, 0), piece(10, 0, 20, 0)};
    writer.cut_ground({3, 0, 7, 0});
    const std::vector<ground_piece>& left = writer.sheet.ground_segments;
    ASSERT_EQ(left.size(), 4u);
    expect_piece(left[0], piece(0, 0, 3, 3), "first");
    expect_piece(left[1], {{0, 0, 1}, {0, 0, 0}}, "removed");
    expect_piece(left[2], piece(7, 3, 10, 0), "second");
    expect_piece(left[3], piece(10, 0, 20, 0), "untouched");
    // A second range inside the far half of a split piece cuts it again.
    writer.sheet.ground_segments = {piece(0, 0, 20, 0)};
    writer.cut_ground({5, 0, 6, 0});
    writer.cut_ground({10, 0, 11, 0});
    ASSERT_EQ(writer.sheet.ground_segments.size(), 3u);
    expect_piece(writer.sheet.ground_segments[1], piece(6, 0, 10, 0), "middle");
    expect_piece(writer.sheet.ground_segments[2], piece(11, 0, 20, 0), "last");
}

TEST_F(GroundHatching, TheDefaultKindAndTheDescriptionsKindsHatchTheirOwnRanges) {
    teren_opis soil;
    soil.hatching = "grunt";
    teren_opis bare;
    bare.hatching = "brak";
    // Strokes starting within [1, 2) and outside it.
    struct Case {
        const char* what;
        uint8_t default_kind;
        std::vector<teren_opis> descriptions;
        std::vector<ground_cut> cuts;
        bool inside, outside;
    };
    const Case cases[] = {
        {"bare profile", 0, {}, {}, false, false},
        {"soil description on bare terrain", 0, {bare, soil}, {{1, -11, 2, 0}}, true, false},
        {"bare description on soil", 1, {bare}, {{1, -10, 2, 0}}, false, true},
        {"covered by a sump", 1, {}, {{0, 0, 2, 0}}, false, true},
    };
    for (const Case& c : cases) {
        writer.out().clear();
        profile().domysl_typ_kresk = c.default_kind;
        profile().terrain_descriptions = c.descriptions;
        writer.sheet.ground_segments = {piece(0, 0, 3, 0)};
        writer.sheet.covered_segments.clear();
        writer.sheet.ground_cuts = c.cuts;
        writer.hatch_ground();
        bool inside = false;
        bool outside = false;
        for (const double x : stroke_starts()) (x >= 1 && x < 2 ? inside : outside) = true;
        EXPECT_EQ(inside, c.inside) << c.what;
        EXPECT_EQ(outside, c.outside) << c.what;
        if (std::string(c.what) == "covered by a sump") {
            for (const double x : stroke_starts()) EXPECT_GE(x, 2.0);
        }
        // The covered pieces have given up their codes.
        for (const ground_piece& p : writer.sheet.covered_segments) EXPECT_EQ(p.start.z, 0) << c.what;
    }
    // Both halves hatched: soil by default, soil by description.
    writer.out().clear();
    profile().domysl_typ_kresk = 1;
    profile().terrain_descriptions = {soil};
    writer.sheet.ground_segments = {piece(0, 0, 3, 0)};
    writer.sheet.covered_segments.clear();
    writer.sheet.ground_cuts = {{1, -10, 2, 0}};
    writer.hatch_ground();
    std::size_t inside = 0;
    for (const double x : stroke_starts()) inside += x >= 1 && x < 2 ? 1 : 0;
    EXPECT_GT(inside, 0u);
    EXPECT_GT(stroke_starts().size(), inside);
}

TEST_F(GroundHatching, NoTerrainPiecesDrawNothing) {
    profile().domysl_typ_kresk = 1;
    writer.sheet.ground_cuts = {{0, -10, 5, 0}};
    writer.hatch_ground();
    EXPECT_TRUE(written().empty());
}

}  // namespace
