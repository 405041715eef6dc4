// The drawing file's frame: the handle pass, the layer names the file
// declares and uses, and the symbol blocks.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "drawing/dxf_group_lines.h"
#include "drawing/dxf_groups.h"
#include "drawing/dxf_sections.h"
#include "platform/cp1250.h"
#include "platform/sysutils.h"

namespace {

std::string file_of(const groups& g) {
    dxf_group_output out;
    for (const auto& [code, value] : g) out.group(std::stoi(code), value);
    return out.take();
}

TEST(DxfFrame, HandlesFollowEachEntityGroupOnlyAndCountInHexadecimal) {
    // Values that merely contain a type word get no handle: a layer named
    // "LINE_1", a text "TEXT", an insert of an "ARC_" block.
    groups g = {{"0", "SECTION"}, {"2", "ENTITIES"}, {"0", "LINE"},   {"8", "LINE_1"}, {"0", "TEXT"},
                {"1", "TEXT"},    {"8", "ARCS"},     {"0", "INSERT"}, {"2", "ARC_0_4_1"}};
    for (int i = 0; i < 200; ++i) g.push_back({"0", "CIRCLE"});
    g.push_back({"0", "LAYER"});  // a table entry: no handle
    g.push_back({"0", "ENDSEC"});
    const groups out = groups_of(handler(file_of(g)));
    std::vector<std::string> handles;
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (out[i].first != "5") continue;
        ASSERT_GT(i, 0u);
        EXPECT_EQ(out[i - 1].first, "0") << "a handle after a value of group " << out[i - 1].first;
        handles.push_back(out[i].second);
    }
    ASSERT_EQ(handles.size(), 203u);  // LINE, TEXT, INSERT and the circles
    EXPECT_EQ(handles[0], "65");
    EXPECT_EQ(handles[15], "74");
    EXPECT_EQ(handles[155], "100");
    EXPECT_EQ(out.size(), g.size() + 203);
}

TEST(DxfFrame, HandlesAfterPaddedCodesOfBendBlocks) {
    const std::string text = "  0\r\nBLOCK\r\n  8\r\nrura\r\n  0\r\nARC\r\n  0\r\nENDBLK\r\n";
    EXPECT_EQ(handler(text),
              "  0\r\nBLOCK\r\n5\r\n65\r\n  8\r\nrura\r\n  0\r\nARC\r\n5\r\n66\r\n  0\r\nENDBLK\r\n5\r\n67\r\n");
}

TEST(DxfFrame, LayerNamesAreDeclaredOnceAndEntitiesUseTheDeclaredSpelling) {
    struct row {
        std::string name;
        bool declared;
        std::string spelling;
    };
    const std::vector<row> rows = {
        {"Rury", true, "Rury"},
        {"RURY", false, "Rury"},
        {"Kanał"_cp, true, "Kanał"_cp},
        {"KANAŁ"_cp, false, "Kanał"_cp},  // the Polish letters fold too
        {"a<b>c/d\\e\"f:g;h?i*j|k=l`m", true, "a_b_c_d_e_f_g_h_i_j_k_l_m"},
        {"0", true, "0"},
    };
    layer_spellings layers;
    for (const row& r : rows) {
        EXPECT_EQ(layers.declare(r.name), r.declared) << r.name;
        EXPECT_EQ(layers.spelling(r.name), r.spelling) << r.name;
    }
    EXPECT_EQ(layers.declared(), (std::vector<std::string>{"Rury", "Kanał"_cp, "a_b_c_d_e_f_g_h_i_j_k_l_m", "0"}));
    // A name no row declares keeps its spelling, cleaned.
    EXPECT_EQ(layers.spelling("inna:warstwa"), "inna_warstwa");

    const std::string file = file_of({{"0", "LINE"}, {"8", "rury"}, {"62", "8"}, {"0", "TEXT"}, {"8", "a<b>c/d\\e\"f:g;h?i*j|k=l`m"},
                                      {"1", "rury"}});
    EXPECT_EQ(groups_of(finish_drawing_file(file, layers, false)),
              (groups{{"0", "LINE"}, {"8", "Rury"}, {"62", "8"}, {"0", "TEXT"}, {"8", "a_b_c_d_e_f_g_h_i_j_k_l_m"},
                      {"1", "rury"}}));
}

TEST(DxfFrame, AValueNeverBreaksItsLine) {
    dxf_group_output out;
    out.group(1, "dwie\r\nlinie\rtrzy\nkoniec");
    out.group(4, "");
    EXPECT_EQ(out.bytes(), "1\r\ndwie  linie trzy koniec\r\n4\r\n\r\n");
}

// The x of every point group (10, 11) of a block.
std::vector<double> xs_of(const groups& g) {
    std::vector<double> xs;
    for (const auto& [code, value] : g)
        if (code == "10" || code == "11") xs.push_back(std::stod(value));
    return xs;
}

bool has_x(const std::vector<double>& xs, double x) {
    for (double v : xs)
        if (std::abs(v - x) < 1e-9) return true;
    return false;
}

TEST(DxfFrame, SymbolBlocksAreCompleteAndFitHowTheSheetsInsertThem) {
    struct kind_case {
        std::string kind;
        std::string block;
        double min_x, max_x;
        std::vector<double> walls;
    };
    const std::vector<kind_case> cases = {
        {"kol", "KOLIZJA", -1, 1, {}},
        {"slrr", "SLRR", -16, 16, {-16, 16}},
        {"slrbou", "SLRBOU", -16, 16, {-16, 16}},
        {"slrcolv", "SLRCOLV", -52.8, 15.4, {-52.8, -20.8, -16.6, 15.4}},
        {"piezo", "PIEZO", 20.25, 44.25, {22.25, 42.25}},
    };
    for (const kind_case& c : cases) {
        SCOPED_TRACE(c.kind);
        const std::string text = obiekty(c.kind);
        ASSERT_FALSE(text.empty());
        EXPECT_NE(text.back(), '\n');
        const groups g = groups_of(text + "\r\n");
        ASSERT_GE(g.size(), 4u);
        EXPECT_EQ(g.front(), (std::pair<std::string, std::string>{"0", "BLOCK"}));
        EXPECT_EQ(g.back(), (std::pair<std::string, std::string>{"0", "ENDBLK"}));
        int names = 0;
        for (std::size_t i = 0; i < g.size(); ++i) {
            if (g[i].first == "8") { EXPECT_EQ(g[i].second, "0"); }
            if (g[i].first == "62") { EXPECT_EQ(g[i].second, "0") << "children take the insert's colour"; }
            if (g[i].first == "2") {
                EXPECT_EQ(g[i].second, c.block);
                ++names;
            }
        }
        EXPECT_EQ(names, 1);
        const std::vector<double> xs = xs_of(g);
        double lo = 1e9, hi = -1e9;
        for (std::size_t i = 0; i < g.size(); ++i) {
            if (g[i].first == "40" && c.kind == "kol") { EXPECT_EQ(g[i].second, "1"); }  // the circle's radius
        }
        for (double x : xs) {
            if (x == 0 && (c.kind == "slrcolv" || c.kind == "piezo")) continue;  // the block's base point
            lo = std::min(lo, x);
            hi = std::max(hi, x);
        }
        if (c.kind != "kol") {
            EXPECT_DOUBLE_EQ(lo, c.min_x);
            EXPECT_DOUBLE_EQ(hi, c.max_x);
        }
        for (double w : c.walls) EXPECT_TRUE(has_x(xs, w)) << w;
    }
    // The shaft rings of the boxes start 40.5 cm above the base point.
    EXPECT_NE(obiekty("slrr").find("\r\n20\r\n40.5\r\n"), std::string::npos);
}

}  // namespace
