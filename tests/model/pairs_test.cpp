#include <gtest/gtest.h>

#include "model/pairs.h"
#include "model/state.h"
#include "platform/sysutils.h"
#include "support/fixture.h"
#include "support/model_builders.h"

namespace {

class Pairs : public ProgramTest {};

TEST_F(Pairs, SideOfAPairText) {
    for (char sep : {'.', ','}) {
        decimal_separator = sep;
        auto t = [sep](const char* s) { return StringReplace(s, ".", std::string(1, sep), rfReplaceAll); };
        const struct {
            std::string text;
            const char* side;
            double want;
        } cases[] = {
            {t("2.5/2.1"), "min", 2.1}, {t("2.5/2.1"), "max", 2.5}, {t("2.5/2.1"), "s1", 2.5},
            {t("2.5/2.1"), "s2", 2.1},  {t("/2.1"), "s1", 0},       {t("/2.1"), "s2", 2.1},
            {t("2.5/"), "s2", 0},       {"3", "s2", 3},             {t("2/2"), "min", 2},
            {"x/2", "s2", 0},           {t("-1.5e1"), "s1", -15},
        };
        for (const auto& c : cases) EXPECT_DOUBLE_EQ(wyciag(c.text, c.side), c.want) << c.text << " " << c.side;
    }
    decimal_separator = '.';
    EXPECT_TRUE(ui().boxes.empty());
    EXPECT_EQ(wyciag("abc", "s1"), 0);
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_EQ(ui().boxes[0].text, "Niepoprawny format danych: \r\" abc \"");
    EXPECT_EQ(ui().boxes[0].buttons(), MB_OK);
}

TEST_F(Pairs, PairSidesDropsAndText) {
    EXPECT_EQ(wyciag2({1, 1}, "s2"), 1);
    EXPECT_EQ(wyciag2({1, 2}, "max"), 2);
    EXPECT_EQ(wyciag2({1, 2}, "min"), 1);
    EXPECT_EQ(wyciag2({3, 2}, "s2"), 2);
    value_pair out;
    nwsta({5, 4.8}, out, 6);
    EXPECT_EQ(out, value_pair(6, 4.8));
    nwsta({5, 5}, out, 6);
    EXPECT_EQ(out, value_pair(6, 6));

    decimal_separator = '.';
    for (bool euro : {true, false}) {
        euro_rounding = euro;
        EXPECT_EQ(zlacz(2, 1.0, 1.0 + 1e-10), "1.00");
        EXPECT_EQ(zlacz(2, 1.0, 1.1), "1.00/1.10");
        EXPECT_EQ(zlacz(0, 100.4, 100.4), "100");
    }
    decimal_separator = ',';
    EXPECT_EQ(zlacz(3, value_pair(2.5, 2.25)), "2,500/2,250");
    std::string r;
    model().display_decimals = 2;
    zaokr("1,234/5", r);
    EXPECT_EQ(r, "1,23/5,00");
    zaokr("7", r);
    EXPECT_EQ(r, "7,00");
    zaokr("", r);
    EXPECT_EQ(r, "");
    zaokr("x", r);
    EXPECT_EQ(r, "");
}

TEST_F(Pairs, DiameterAtANode) {
    const uint16_t p = add_profile("a", 1, {0, 10, 20});
    auto& n = model().profiles[p].nodes;
    n[0].fi = {100, 110};
    n[1].fi = {200, 210};
    n[2].fi = {300, 310};
    EXPECT_EQ(fi(p, 0, "s2"), 110);
    EXPECT_EQ(fi(p, 1, "s1"), 200);
    EXPECT_EQ(fi(p, 2, "s1"), 200);  // the last node: the pipe that ends there
    EXPECT_EQ(fi(p, 9, "s2"), 210);
    EXPECT_EQ(fi(p, -1, "s1"), 100);
    EXPECT_EQ(fi(p, 0, "min"), 0);
    const uint16_t one = add_profile("b", 2, {0});
    model().profiles[one].nodes[0].fi = {160, 160};
    EXPECT_EQ(fi(one, 0, "s1"), 160);
    EXPECT_EQ(fi(add_profile("c", 3), 0, "s1"), 0);
}

TEST_F(Pairs, ColumnExtremesAndTheirNodes) {
    const uint16_t p = add_profile("a", 1, {0, 10, 20, 30});
    auto& n = model().profiles[p].nodes;
    const double depths[] = {1.2, 2.5, 2.5, 1.0};
    const double lengths[] = {10, 12, 7, 99};   // the last length does not count
    const double slopes[] = {-0.5, 0.3, -0.8, 50};
    for (int i = 0; i < 4; ++i) {
        n[static_cast<std::size_t>(i)].zag = {depths[i], depths[i]};
        n[static_cast<std::size_t>(i)].dlug = lengths[i];
        n[static_cast<std::size_t>(i)].spad = slopes[i];
    }
    n[1].dno = {100.5, 100.2};
    EXPECT_DOUBLE_EQ(max(column_kind::zag, p), 2.5);
    EXPECT_DOUBLE_EQ(model().profiles[p].statistics.depth_max_node, 1);  // the first of equal values
    EXPECT_DOUBLE_EQ(max(column_kind::dlug, p), 12);
    EXPECT_DOUBLE_EQ(max(column_kind::spad, p), 0.8);
    EXPECT_DOUBLE_EQ(model().profiles[p].statistics.slope_max_node, 2);
    EXPECT_DOUBLE_EQ(min(column_kind::zag, p), 1.0);
    EXPECT_DOUBLE_EQ(model().profiles[p].statistics.depth_min_node, 3);
    EXPECT_DOUBLE_EQ(min(column_kind::dlug, p), 7);
    EXPECT_DOUBLE_EQ(model().profiles[p].statistics.section_max_node, 2);  // shared with the maximum
    EXPECT_DOUBLE_EQ(min(column_kind::spad, p), 0.3);
    EXPECT_DOUBLE_EQ(min(column_kind::dno, p), 0);  // blank nodes have 0
    EXPECT_DOUBLE_EQ(max(column_kind::kom, p), -1e10);

    model().profiles[p].terrain_lines[0] = {teren{0, 0, {}, {101, 100.5}, {}, 1, "", 0}, teren{0, 5, {}, {99, 99}, {}, 0, "x", 0}};
    EXPECT_DOUBLE_EQ(min(column_kind::ter, p), 99);
    EXPECT_DOUBLE_EQ(min(column_kind::terp, p), 0);  // an empty line

    const uint16_t one = add_profile("b", 2, {0});
    EXPECT_DOUBLE_EQ(min(column_kind::dlug, one), 0);
    EXPECT_DOUBLE_EQ(max(column_kind::dlug, one), -1e10);
}

TEST_F(Pairs, ObjectVariables) {
    decimal_separator = ',';
    const uint16_t p = add_profile("a", 1, {0, 10, 20});
    auto& n = model().profiles[p].nodes;
    n[0].fi = {160, 160};
    n[1].fi = {200, 110};
    n[1].dno = {100, 100};
    n[1].obiekt = "Rurociąg"_cp;  // lower-casing keeps the Polish letters as they are
    n[1].obiekt = "rurociąg"_cp;
    EXPECT_EQ(wyciag_var(0, p, 1, false, 1), "110,0000");
    EXPECT_EQ(wyciag_var(1, p, 1, false, 1), "100,1000");  // bottom + the larger of the two diameters / 2000
    EXPECT_EQ(wyciag_var(1, p, 1, true, 1), "");
    n[1].var = "5|7.5|2x3|a;b|";
    EXPECT_EQ(wyciag_var(0, p, 1, false, 1), "5");
    EXPECT_EQ(wyciag_var(1, p, 1, false, 1), "7,5");   // normalised
    EXPECT_EQ(wyciag_var(-1, p, 1, false, 1), "100,1000");  // the default, never the node's own
    EXPECT_EQ(wyciag_var(2, p, 1, false, 1), "2x3");
    EXPECT_EQ(wyciag_var(3, p, 1, false, 1), "a;b");
    EXPECT_EQ(wyciag_var(4, p, 1, false, 1), "0");     // empty item: the default
    EXPECT_EQ(wyciag_var(9, p, 1, false, 1), "0");     // no such item
    n[1].var = "abc";
    EXPECT_EQ(wyciag_var(0, p, 1, false, 1), "abc");   // does not convert: unchanged
    EXPECT_EQ(wyciag_var(0, p, 1, false, 2), "110,0000");  // side 2 has no text

    n[2].obiekt = "budynek";
    EXPECT_EQ(wyciag_var(2, p, 2, false, 1), "-1,5");
    EXPECT_EQ(wyciag_var(11, p, 2, false, 1), "90");
    n[2].obiekt = "Rynna";
    EXPECT_EQ(wyciag_var(0, p, 2, false, 2), "100");
    EXPECT_EQ(wyciag_var(0, p, 2, false, 1), "0");
    n[2].obiekt = "pion";
    EXPECT_EQ(wyciag_var(2, p, 2, false, 1), "0,50");
    n[2].obiekt = "rów"_cp;
    n[2].dno = {98.25, 98.25};
    EXPECT_EQ(wyciag_var(0, p, 2, false, 1), "97,75");
    EXPECT_EQ(wyciag_var(4, p, 2, false, 1), "111");
    n[2].obiekt = "nawiertka";
    n[2].var = "|||0,25";
    n[2].dno = {100, 100};
    EXPECT_EQ(wyciag_var(1, p, 2, false, 1), "100,3500");  // + variable 3 of side 1
    n[2].obiekt = "hydrant podz.";
    EXPECT_EQ(wyciag_var(0, p, 2, false, 1), "80");
    decimal_separator = '.';
}

struct TextColumnView : model_view {
    bool text = false;
    bool text_column_selected() override { return text; }
};

TEST_F(Pairs, ColumnToScratchPairAndBack) {
    TextColumnView v;
    scoped_view use(v);
    const uint16_t p = add_profile("a", 1, {0, 10});
    auto& n = model().profiles[p].nodes;
    n[0].dno = {100, 99.5};
    n[0].dlug = 10;
    n[0].flow = 2.5;
    n[0].scale = 500;
    n[0].kom = "uwaga";

    EXPECT_TRUE(copy2tempSimple("dno", p));
    EXPECT_EQ(n[0].temp, value_pair(100, 99.5));
    n[0].temp = {101, 101};
    temp2copySimple("dno", p);
    EXPECT_EQ(n[0].dno, value_pair(101, 101));

    n[0].temp = {0, 7};
    copy2tempSimple("dlugosc", p);
    EXPECT_EQ(n[0].temp, value_pair(10, 7));  // reals go into the first half only

    copy2tempSimple("flow", p);  // the flow of the node's own segment
    EXPECT_EQ(n[0].temp.s1, 2.5);
    n[0].temp.s1 *= 2;
    temp2copySimple("flow", p);
    EXPECT_EQ(n[0].flow, 5);

    n[0].temp.s1 = 249.5;
    euro_rounding = true;
    temp2copySimple("scale", p);
    EXPECT_EQ(n[0].scale, 250);

    v.text = true;
    copy2tempSimple("kom", p);
    EXPECT_EQ(n[0].result, "uwaga");
    n[0].result = "nowa";
    temp2copySimple("kom", p);
    EXPECT_EQ(n[0].kom, "nowa");
    EXPECT_TRUE(copy2tempSimple("nothing", p));
    EXPECT_TRUE(copy2tempSimple("dno", 42));  // no such profile: nothing
}

}  // namespace
