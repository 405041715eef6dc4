// The table under the profile: a row's values computed into the nodes, the
// rows written at the nodes and between them (joined runs, drops, slopes,
// names, angles, terrain descriptions, titles) and single values written
// into a row between nodes, read back from the groups the writer wrote.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "drawing/drawing_state.h"
#include "drawing/dxf_writer.h"
#include "drawing/written_entities.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "platform/cp1250.h"
#include "platform/stdctrls.h"
#include "platform/sysutils.h"
#include "support/fixture.h"
#include "support/model_builders.h"

namespace {

using written::entity;
using written::entities_of;
using written::group;

// A text as written: its alignment point when it is justified, else its
// insertion point.
struct text_at {
    std::string text;
    double x, y;
    int rotation, justification, colour;
    std::string layer;
    double insertion_x, insertion_y;
};

struct line_at {
    double x1, y1, x2, y2;
    std::string layer;
};

constexpr double U = 1000;  // drawing units per metre (mm)

class BandRows : public ProgramTest {
protected:
    BandRows() {
        decimal_separator = ',';
        euro_rounding = false;
        // The text styles: height, colour, spacing, width factor, layer.
        const char* const fonts[8][5] = {
            {"19", "7", "4", "90%", "Opisy"}, {"19", "7", "4", "100%", "0"}, {"19", "8", "4", "70%", "0"},
            {"15", "84", "4", "70%", "0"},     {"17", "12", "4", "70%", "0"}, {"16", "130", "4", "70%", "0"},
            {"14", "112", "4", "70%", "0"},    {"15", "7", "18", "70%", "0"},
        };
        written::set_font_table(fonts);
        topcje->cb_DescriptionOnLeft->SetChecked(false);
        topcje->cb_TextHeightInTableLikeForType->SetChecked(false);
        topcje->cb_TextColorInTableLikeForType->SetChecked(false);
        topcje->cb_AlwaysShowBottomPipe->SetChecked(false);
        topcje->cb_DepthAlways2BottomPipe->SetChecked(false);
        topcje->cb_TitleColumnBeforeEveryProfile->SetChecked(false);
        TStringGrid& layers = *topcje->sag_Layers;
        layers.SetRowCount(5);
        layers.SetCell(1, 2, "Opisy");
        layers.SetCell(1, 3, "Komentarze");
        layers.SetCell(1, 4, "Tabela");
        std::vector<linia_def>& defs = settings().line_defs;
        if (defs.size() < 15) defs.resize(15);
        for (int e : {element_koment, element_tabela}) {
            defs[static_cast<std::size_t>(e)].draw = true;
            defs[static_cast<std::size_t>(e)].media = "a";
        }
        defs[element_koment].layer = "Komentarze";
        defs[element_koment].color = 3;
        defs[element_tabela].layer = "Tabela";
        defs[element_tabela].color = 5;
        drawing_state& d = drawing();
        d.unit_factor = 1;
        d.units_per_metre = U;
        d.y_factor = 1000;
        d.drawn_profile = 0;
        Form1->tb_PreviewProfile->SetDown(true);
        model().empty_value = 0;
        model().slope_sign = 1;
        settings().profile_table_rows.clear();
    }

    // Profile "P1" with nodes at the chainages, 1:500 across (200 units a
    // metre), drawn first, starting at x = 0.
    static odcinek& profile_at(std::initializer_list<double> chainages, char network = 'k') {
        const uint16_t p = add_profile("P1", static_cast<uint16_t>(model().profiles.size() + 1), chainages);
        odcinek& q = model().profiles[p];
        q.rysuj = true;
        q.networktype = network;
        std::vector<wezel>& n = q.nodes;
        for (std::size_t i = 0; i < n.size(); ++i) {
            n[i].wez = "S" + std::to_string(i + 1);
            n[i].draw_factor = 200;
            n[i].draw_x = (n[i].odl - n[0].odl) * 200;
            if (i + 1 < n.size()) n[i].dlug = n[i + 1].odl - n[i].odl;
        }
        q.length = n.back().odl - n.front().odl;
        q.drawing_block = 200;
        return q;
    }

    // A band row; returns its index.
    static int row(const std::string& key, bool at_nodes, int precision = 2, bool join = false,
                   const std::string& title = "Tytuł"_cp, uint8_t height = 100) {
        dane_pod_profil r;
        r.key = key;
        r.at_nodes = at_nodes;
        r.precision = static_cast<int8_t>(precision);
        r.join = join;
        r.title = title;
        r.height = height;
        r.shown = true;
        settings().profile_table_rows.push_back(r);
        return static_cast<int>(settings().profile_table_rows.size() - 1);
    }

    double draw(int index, double top = 0, uint16_t profile = 0) {
        settings().profile_table_rows[static_cast<std::size_t>(index)].position = static_cast<float>(top);
        return writer.write_band_row(settings().profile_table_rows[static_cast<std::size_t>(index)].key, profile, 6,
                                     top, index);
    }

    std::vector<entity> entities() const { return entities_of(writer); }
    std::vector<text_at> texts() const {
        std::vector<text_at> out;
        for (const entity& e : entities()) {
            if (e.type != "TEXT") continue;
            const int j = e.value(72).empty() ? 0 : std::stoi(e.value(72));
            const bool aligned = j != 0;
            out.push_back({e.value(1), e.number(aligned ? 11 : 10), e.number(aligned ? 21 : 20), std::stoi(e.value(50)),
                           j, std::stoi(e.value(62)), e.value(8), e.number(10), e.number(20)});
        }
        return out;
    }
    std::vector<std::string> words() const {
        std::vector<std::string> out;
        for (const text_at& t : texts()) out.push_back(t.text);
        return out;
    }
    std::vector<line_at> lines(const std::string& layer) const {
        std::vector<line_at> out;
        for (const entity& e : entities())
            if (e.type == "LINE" && e.value(8) == layer)
                out.push_back({e.number(10), e.number(20), e.number(11), e.number(21), layer});
        return out;
    }
    // The x of every vertical line across the row from -top to -bottom.
    std::vector<double> ticks(double top, double bottom) const {
        std::vector<double> out;
        for (const line_at& l : lines("Komentarze"))
            if (l.x1 == l.x2 && std::fabs(l.y1 + top * U) < 1e-6 && std::fabs(l.y2 + bottom * U) < 1e-6)
                out.push_back(l.x1);
        return out;
    }
    std::optional<text_at> find(const std::string& text) const {
        for (const text_at& t : texts())
            if (t.text == text) return t;
        return std::nullopt;
    }
    void clear() { writer.out().clear(); }

    DXF_Writer writer{"rysunek.dxf"};
};

// ---- values of a row ---------------------------------------------------------------

TEST_F(BandRows, EachKeyPutsItsValuesIntoTheNodesScratchPairs) {
    odcinek& p = profile_at({0, 40, 100});
    p.rzedna = 1;  // pipe ordinates entered at the axis
    wezel& w = p.nodes[1];
    p.nodes[0].fi = value_pair(200);
    w.fi = value_pair(300);
    w.ter_used = value_pair(102.1, 102.2);
    w.terp_used = value_pair(101.5);
    w.lin_used = value_pair(100.5, 100.7);
    w.dno = value_pair(99.8, 99.6);
    w.zag = value_pair(2.3, 2.5);
    w.volumes[vs_volume_excavation] = 12.5;
    w.volumes[vs_volume_to_exchange] = 4.25;
    w.scale = 250;
    w.flow = 36;
    p.nodes[2].flow = 72;
    w.sflow = 108;
    p.nodes[2].sflow = 180;
    settings().bedding_height = 0.1;
    settings().sidefill_height = 0.3;
    settings().flow_unit_factor = 1000.0 / 3600;  // dm3/s
    const int at = row("x", true);
    const int between = row("x", false);

    struct Case {
        const char* key;
        int row;
        bool bottom_always, depth_to_bottom;
        double s1, s2;
    };
    const Case cases[] = {
        {"teren", at, false, false, 102.1, 102.2},
        {"teren_proj", at, false, false, 101.5, 101.5},
        {"linia", at, false, false, 100.5, 100.7},
        // The axis: half the diameter before the node, half the node's.
        {"dno", at, false, false, 99.9, 99.75},
        {"dno", at, true, false, 99.8, 99.6},
        {"dno_wykopu", at, false, false, 99.7, 99.5},
        {"wierzch_obsypki", at, false, false, 100.3, 100.2},
        {"zaglebienie", at, false, false, 2.2, 2.35},
        {"zaglebienie", at, false, true, 2.3, 2.5},
        {"odleglosc", at, false, false, 40, 40},
        {"dlugosc", at, false, false, 60, 60},
        {"obj_wykopu", at, false, false, 12.5, 12.5},
        {"objetosc", at, false, false, 4.25, 4.25},
        {"skala", at, false, false, 250, 250},
        // 36 m3/h is 10 dm3/s; between nodes the next node's flow.
        {"przeplyw_odc", at, false, false, 10, 10},
        {"przeplyw_odc", between, false, false, 20, 20},
        {"przeplyw", at, false, false, 30, 30},
        {"przeplyw", between, false, false, 50, 50},
    };
    for (const Case& c : cases) {
        topcje->cb_AlwaysShowBottomPipe->SetChecked(c.bottom_always);
        topcje->cb_DepthAlways2BottomPipe->SetChecked(c.depth_to_bottom);
        w.temp = value_pair(-1);
        EXPECT_FALSE(copy2temp(c.key, 0, c.row)) << c.key;
        EXPECT_NEAR(w.temp.s1, c.s1, 1e-9) << c.key << " " << c.row;
        EXPECT_NEAR(w.temp.s2, c.s2, 1e-9) << c.key << " " << c.row;
    }
    // Flowing left to right, a row between nodes shows the node's own flow;
    // the last node always does.
    p.pl2r_wart = true;
    copy2temp("przeplyw_odc", 0, between);
    EXPECT_NEAR(w.temp.s1, 10, 1e-9);
    p.pl2r_wart = false;
    copy2temp("przeplyw_odc", 0, between);
    EXPECT_NEAR(p.nodes[2].temp.s1, 20, 1e-9);
    // A key that is not a value row leaves the nodes alone.
    w.temp = value_pair(-1);
    EXPECT_FALSE(copy2temp("wez", 0, at));
    EXPECT_EQ(w.temp, value_pair(-1));
}

TEST_F(BandRows, UserFormulasShowNumbersUntilTheFirstTextAndNothingWhereTheyFail) {
    odcinek& p = profile_at({0, 40, 100});
    p.nodes[0].wez = "1";
    p.nodes[1].wez = "2";
    p.nodes[2].wez = "A3";
    dane_pod_profil& names = settings().profile_table_rows.emplace_back();
    names.key = "user";
    names.formula = "@_td_wezel";
    names.at_nodes = false;
    names.shown = true;
    names.precision = 1;
    names.height = 100;
    names.title = "T";

    // Between nodes: the last node is not reached; "A3" would be a text,
    // but only the first two nodes count.
    EXPECT_FALSE(copy2temp("user", 0, 0));
    EXPECT_EQ(p.nodes[0].temp, value_pair(1));
    EXPECT_EQ(p.nodes[1].temp, value_pair(2));
    EXPECT_TRUE(std::isnan(p.nodes[2].temp.s1));
    // At the nodes the row turns into text at the third node: the nodes
    // before it keep their numbers.
    names.at_nodes = true;
    EXPECT_TRUE(copy2temp("user", 0, 0));
    EXPECT_EQ(p.nodes[1].temp, value_pair(2));
    EXPECT_EQ(p.nodes[2].result, "A3");
    draw(0);
    EXPECT_EQ(words(), (std::vector<std::string>{"1,0", "2,0", "A3", "T"}));

    // A division by zero, and an infinite value, show nothing; the text
    // "INF" or the previous row's value never reaches the table.
    clear();
    for (wezel& w : p.nodes) w.temp = value_pair(55);
    names.formula = "100/(@_td_odleglosc-40)";
    EXPECT_FALSE(copy2temp("user", 0, 0));
    EXPECT_TRUE(std::isnan(p.nodes[1].temp.s1));
    draw(0);
    EXPECT_EQ(words(), (std::vector<std::string>{"-2,5", "1,7", "T"}));
    names.formula = "10^400";
    clear();
    draw(0);
    EXPECT_EQ(words(), (std::vector<std::string>{"T"}));

    // An empty formula writes no values, only the node ticks and the title.
    names.formula = "";
    clear();
    draw(0);
    EXPECT_EQ(words(), (std::vector<std::string>{"T"}));
    EXPECT_EQ(ticks(0, 1).size(), 3u);
}

TEST_F(BandRows, AUserFormulaGetsEachSideOfANode) {
    odcinek& p = profile_at({0, 40, 100});
    p.nodes[1].ter_used = value_pair(102.1, 102.4);
    p.nodes[0].ter_used = p.nodes[2].ter_used = value_pair(101);
    dane_pod_profil& r = settings().profile_table_rows.emplace_back();
    r.key = "user";
    r.formula = "@_td_rzedna_terenu*2";
    r.at_nodes = true;
    r.shown = true;
    r.height = 100;
    EXPECT_FALSE(copy2temp("user", 0, 0));
    EXPECT_NEAR(p.nodes[1].temp.s1, 204.2, 1e-9);
    EXPECT_NEAR(p.nodes[1].temp.s2, 204.8, 1e-9);
}

// ---- rows at the nodes --------------------------------------------------------------

TEST_F(BandRows, ARowAtTheNodesWritesEachValueUprightBesideItsNodeAndBothValuesOfADrop) {
    odcinek& p = profile_at({0, 40, 100});
    p.nodes[0].dno = value_pair(100);
    p.nodes[1].dno = value_pair(99.8, 99.6);  // a drop
    p.nodes[2].dno = value_pair(99.5);
    const int r = row("dno", true, 2, false, "Rzędna dna"_cp);
    row("teren", true);
    EXPECT_DOUBLE_EQ(draw(r, 1.5), 2.5);

    // "t_pro" with the descriptions on the right: near offset -0.2585,
    // far offset -0.04 (spacing 0.04, measured height 0.2185).
    const double middle = -(1.5 + 0.5) * U;
    struct Expect {
        const char* text;
        double x;
    };
    for (const Expect& e : {Expect{"100,00", 258.5}, Expect{"99,80", 8258.5}, Expect{"99,60", 7960},
                            Expect{"99,50", 20258.5}}) {
        const auto t = find(e.text);
        ASSERT_TRUE(t) << e.text;
        EXPECT_NEAR(t->x, e.x, 1e-9) << e.text;
        EXPECT_NEAR(t->y, middle, 1e-9) << e.text;
        EXPECT_EQ(t->rotation, 90);
        EXPECT_EQ(t->justification, 1);
        EXPECT_EQ(t->layer, "Opisy");
        EXPECT_EQ(t->insertion_x, t->x);
        EXPECT_LT(t->insertion_y, t->y);  // it reads upward through its middle
    }
    EXPECT_EQ(ticks(1.5, 2.5), (std::vector<double>{0, 8000, 20000}));
    // The title stands in the title column of the first profile.
    const auto title = find("Rzędna dna"_cp);
    ASSERT_TRUE(title);
    EXPECT_NEAR(title->x, -5950, 1e-9);
    EXPECT_NEAR(title->y, -(1.5 + 0.6) * U, 1e-9);
    EXPECT_EQ(title->justification, 0);
}

TEST_F(BandRows, AnAuxiliaryLinesEmptyValueIsNotWritten) {
    odcinek& p = profile_at({0, 40, 100});
    p.nodes[0].lin_used = value_pair(0);
    p.nodes[1].lin_used = value_pair(0, 100.25);
    p.nodes[2].lin_used = value_pair(100.5);
    draw(row("linia", true, 2, false, ""));
    EXPECT_EQ(words(), (std::vector<std::string>{"100,25", "100,50"}));
}

TEST_F(BandRows, ASumpsBottomStandsInThePipeOrdinateRowWhenTheSettingAsksForIt) {
    odcinek& p = profile_at({0, 40, 100});
    for (wezel& w : p.nodes) w.dno = value_pair(100);
    p.nodes[1].obiekt = "sump";
    p.nodes[1].zag = value_pair(2);
    mat_studzienka sump;
    sump.adds.node_name = "S2";
    sump.bottom = 99200;
    model().project.sumps.push_back(sump);
    topcje->cb_SludgeManholeDetailsInTable->SetChecked(true);
    const int r = row("dno", true, 2, false, "");
    draw(r);
    // With the descriptions on the right the incoming side shows the bottom.
    EXPECT_EQ(words(), (std::vector<std::string>{"100,00", "99,20", "100,00", "100,00"}));
    clear();
    settings().profile_table_rows[static_cast<std::size_t>(r)].key = "zaglebienie";
    p.nodes[1].zag = value_pair(2);
    draw(r);
    // Depth + pipe ordinate - bottom: 2 + 100 - 99.2.
    EXPECT_EQ(words()[1], "2,80");
    // A sump not connected keeps the pipe's values.
    clear();
    model().project.sumps[0].bottom = 5000000;
    draw(r);
    EXPECT_EQ(words(), (std::vector<std::string>{"0,00", "2,00", "0,00"}));
}

// ---- rows between the nodes ----------------------------------------------------------

TEST_F(BandRows, EqualValuesOfFollowingSegmentsAreWrittenOnceOverTheirRun) {
    profile_at({0, 5, 10, 17});  // lengths 5, 5, 7
    for (const bool join : {true, false}) {
        clear();
        settings().profile_table_rows.clear();
        draw(row("dlugosc", false, 0, join, ""));
        const std::vector<text_at> all = texts();
        if (join) {
            ASSERT_EQ(all.size(), 2u);
            EXPECT_EQ(all[0].text, "5");
            EXPECT_NEAR(all[0].x, 1000, 1e-9);  // the middle of 0 .. 2000
            EXPECT_EQ(all[1].text, "7");
            EXPECT_NEAR(all[1].x, 2700, 1e-9);
            EXPECT_EQ(ticks(0, 1), (std::vector<double>{0, 2000, 3400}));
        } else {
            EXPECT_EQ(words(), (std::vector<std::string>{"5", "5", "7"}));
            EXPECT_EQ(ticks(0, 1), (std::vector<double>{0, 1000, 2000, 3400}));
        }
        for (const text_at& t : all) {
            EXPECT_NEAR(t.y, -0.6 * U, 1e-9);
            EXPECT_EQ(t.rotation, 0);
            EXPECT_EQ(t.justification, 1);
        }
    }
}

TEST_F(BandRows, TheSlopeRowDrawsADiagonalPerRunTheLengthAndTheSlopeInEachGradientMode) {
    odcinek& p = profile_at({0, 40, 100, 130});
    p.nodes[0].spad = 0.5;   // falls
    p.nodes[1].spad = -1.25; // rises
    p.nodes[2].spad = 0;
    topcje->e_GradientPrefix->SetText("i=");
    const int r = row("dlug_spad", false, 1, false, "");
    struct Mode {
        int item;
        std::vector<std::string> texts;
    };
    const Mode modes[] = {
        {0, {"40,0", "i= 0,5", "60,0", "i= 1,3", "30,0", "i= 0,0"}},
        {1, {"40,0", "i= 5,0", "60,0", "i= 12,5", "30,0", "i= 0,0"}},
        // "Odwrotność": 100 / slope with one decimal; a level segment keeps
        // the first mode's text.
        {2, {"40,0", "i= 200,0", "60,0", "i= 80,0", "30,0", "i= 0,0"}},
    };
    for (const Mode& m : modes) {
        clear();
        topcje->cb_GradientModeDrawing->SetItemIndex(m.item);
        draw(r, 2);
        EXPECT_EQ(words(), m.texts) << m.item;
    }
    const std::vector<line_at> diagonals = lines("Tabela");
    ASSERT_EQ(diagonals.size(), 3u);
    // Falling: from the top left to the bottom right; rising the other way;
    // level through the middle.
    EXPECT_EQ(diagonals[0].y1, -2000);
    EXPECT_EQ(diagonals[0].y2, -3000);
    EXPECT_EQ(diagonals[1].y1, -3000);
    EXPECT_EQ(diagonals[1].y2, -2000);
    EXPECT_EQ(diagonals[2].y1, -2500);
    EXPECT_EQ(diagonals[2].y2, -2500);
    EXPECT_EQ(diagonals[1].x1, 8000);
    EXPECT_EQ(diagonals[1].x2, 20000);
    // The length starts after the segment's start, the slope ends before
    // its end, each on its own side of the diagonal.
    const auto length = find("60,0");
    const auto slope = find("i= 200,0");
    ASSERT_TRUE(length && slope);
    EXPECT_NEAR(length->x, 8040, 1e-9);
    EXPECT_NEAR(length->y, -(2 + 0.6 - 0.3) * U, 1e-9);
    EXPECT_EQ(length->justification, 0);
    EXPECT_NEAR(slope->x, 7960, 1e-9);
    EXPECT_NEAR(slope->y, -(2 + 0.6 - 0.3) * U, 1e-9);
    EXPECT_EQ(slope->justification, 2);

    // Joined equal segments share one diagonal and one pair of texts; a
    // bend breaks the run and shows "--" for its slope.
    model().profiles.clear();
    odcinek& q = profile_at({0, 40, 80, 110});
    q.nodes[0].spad = 0.5;
    q.nodes[1].spad = 0.5;
    settings().profile_table_rows[static_cast<std::size_t>(r)].join = true;
    clear();
    draw(r, 2);
    EXPECT_EQ(words(), (std::vector<std::string>{"40,0", "i= 200,0", "30,0", "i= 0,0"}));
    EXPECT_EQ(ticks(2, 3), (std::vector<double>{0, 16000, 22000}));
    EXPECT_EQ(lines("Tabela").size(), 2u);
    q.nodes[1].rad = 200;
    clear();
    draw(r, 2);
    EXPECT_EQ(words(), (std::vector<std::string>{"40,0", "i= 200,0", "40,0", "--", "30,0", "i= 0,0"}));
}

TEST_F(BandRows, TheDiameterRowAddsTheWallOfThePipeSeriesAndTheMaterialRowItsMaterial) {
    odcinek& p = profile_at({0, 40, 100});
    p.nodes[0].fi = value_pair(160);
    p.nodes[0].mat = "PVC";
    p.nodes[1].fi = value_pair(200, 250);
    p.nodes[1].mat = "PE";
    mat_rura_typosz series;
    series.thickness = {"9,1", "11,9"};
    model().project.pipe_series.push_back(series);
    p.nodes[1].series_index = 0;
    p.nodes[1].size_index = 1;
    topcje->e_GradientPrefix->SetText("");
    topcje->cb_GradientModeDrawing->SetItemIndex(0);
    draw(row("fi_spad", false, 1, false, ""));
    draw(row("mat_spad", false, 1, false, ""), 1);
    EXPECT_EQ(words(), (std::vector<std::string>{"160", " 0,0", "200x11,9/250", " 0,0", "PVC 160", " 0,0",
                                                 "PE 200x11,9/250", " 0,0"}));
}

// ---- names and angles ----------------------------------------------------------------

TEST_F(BandRows, NodeNamesStandCentredOnTheirNodesLowAndHighInTwoLines) {
    odcinek& p = profile_at({0, 40, 100, 100});  // node 2 has no length
    p.nodes[0].wez = "*S1";
    p.nodes[1].wez = "";
    topcje->cb_NodeLabelsInTwoLines->SetChecked(false);
    topcje->cb_NodeLabelsInCircle->SetChecked(true);
    const int r = row("wez", true, 0, false, "");
    draw(r);
    // The first "*" goes; an empty name gives nothing; a node without a
    // length is left out.
    EXPECT_EQ(words(), (std::vector<std::string>{"S1", "S4"}));
    const auto s4 = find("S4");
    ASSERT_TRUE(s4);
    EXPECT_NEAR(s4->x, 20000, 1e-9);
    EXPECT_NEAR(s4->y, -(0.5 + 0.095) * U, 1e-9);
    // One line: a tick from the top and one to the bottom at each name.
    EXPECT_EQ(ticks(0, 0.2).size(), 2u);
    EXPECT_EQ(ticks(0.8, 1).size(), 2u);
    int circles = 0;
    for (const entity& e : entities())
        if (e.type == "CIRCLE") {
            ++circles;
            EXPECT_NEAR(e.number(40), 300, 1e-9);
            EXPECT_NEAR(e.number(20), -500, 1e-9);
        }
    EXPECT_EQ(circles, 2);

    clear();
    topcje->cb_NodeLabelsInTwoLines->SetChecked(true);
    topcje->cb_NodeLabelsInCircle->SetChecked(false);
    p.nodes[1].wez = "S2";
    draw(r);
    // Even nodes low, odd nodes high.
    EXPECT_NEAR(find("S1")->y, -(0.7 + 0.095) * U, 1e-9);
    EXPECT_NEAR(find("S2")->y, -(0.3 + 0.095) * U, 1e-9);
    EXPECT_NEAR(find("S4")->y, -(0.3 + 0.095) * U, 1e-9);
    EXPECT_EQ(ticks(0, 0.4), (std::vector<double>{0}));
    EXPECT_EQ(ticks(0.6, 1), (std::vector<double>{8000, 20000}));
}

TEST_F(BandRows, EachDeflectionAngleGetsItsFigureAndAnArcOnItsSide) {
    odcinek& p = profile_at({0, 40, 100});
    p.nodes[1].kat = -12.5;
    p.nodes[2].kat = 30;
    draw(row("kat", true, 1, false, ""), 1);
    EXPECT_EQ(words(), (std::vector<std::string>{std::string("12,5") + '\xB0', std::string("30,0") + '\xB0'}));
    std::vector<entity> arcs;
    for (const entity& e : entities())
        if (e.type == "ARC") arcs.push_back(e);
    ASSERT_EQ(arcs.size(), 2u);
    // Negative: centred 0.15 - 0.22 below the middle, opening downward.
    EXPECT_NEAR(arcs[0].number(10), 8000, 1e-9);
    EXPECT_NEAR(arcs[0].number(20), -(1.5 + 0.15 - 0.22) * U, 1e-9);
    EXPECT_NEAR(arcs[0].number(50), 210, 1e-9);
    EXPECT_NEAR(arcs[0].number(51), 330, 1e-9);
    EXPECT_NEAR(arcs[1].number(20), -(1.5 + 0.15 + 0.22) * U, 1e-9);
    EXPECT_NEAR(arcs[1].number(50), 30, 1e-9);
    EXPECT_NEAR(arcs[1].number(51), 150, 1e-9);
    EXPECT_NEAR(arcs[1].number(40), 300, 1e-9);
    // Angles draw no ticks of their own.
    EXPECT_TRUE(ticks(1, 2).empty());
}

// ---- terrain descriptions ------------------------------------------------------------

TEST_F(BandRows, TerrainDescriptionsMarkTheirRangesAndKeepEachAbbreviationOnceInTheLegend) {
    odcinek& p = profile_at({0, 40, 100});
    auto describe = [&](const std::string& abbreviation, const std::string& text, double distance, double length) {
        teren_opis d;
        d.abbreviation = abbreviation;
        d.description = text;
        d.node_id = 2;
        d.chainage = 40;
        d.distance = distance;
        d.length = length;
        p.terrain_descriptions.push_back(d);
    };
    describe("Gp", "glina piaszczysta", -10, 20);
    describe("", "łąka"_cp, 15, 5);
    describe("Gp", "glina piaszczysta", 30, 10);
    p.terrain_descriptions.push_back({});  // not attached to a node
    draw(row("teren_opis", false, 2, false, ""), 0.5);
    EXPECT_EQ(words(), (std::vector<std::string>{"Gp", "łąka"_cp, "Gp"}));
    const auto meadow = find("łąka"_cp);
    ASSERT_TRUE(meadow);
    EXPECT_NEAR(meadow->x, (11000 + 12000) / 2.0, 1e-9);
    EXPECT_NEAR(meadow->y, -(0.5 + 0.6) * U, 1e-9);
    EXPECT_EQ(ticks(0.5, 1.5), (std::vector<double>{6000, 10000, 11000, 12000, 14000, 16000}));
    ASSERT_EQ(writer.sheet.ground_cuts.size(), 3u);
    EXPECT_EQ(writer.sheet.ground_cuts[1].start, 11000);
    EXPECT_EQ(writer.sheet.ground_cuts[1].code, -11);
    EXPECT_EQ(writer.sheet.ground_cuts[1].end, 12000);
    EXPECT_EQ(writer.sheet.ground_cuts[2].code, -12);
    EXPECT_EQ(p.terrain_descriptions[0].drawn_x_from, 6000);
    EXPECT_EQ(p.terrain_descriptions[0].drawn_x_to, 10000);
    EXPECT_EQ(writer.sheet.legend_lines, (std::vector<std::string>{"b2=   Gp - glina piaszczysta"}));
}

// ---- single values between the nodes --------------------------------------------------

TEST_F(BandRows, AValueBetweenNodesGoesOnlyIntoAShownRowAndNeverAtANode) {
    profile_at({0, 40, 100});
    const int r = row("odleglosc", true, 2, false, "");
    settings().profile_table_rows[static_cast<std::size_t>(r)].position = 3;
    writer.write_band_value("odleglosc", 'g', 84, 52.5, 52.5);
    writer.write_band_value("odleglosc", 'g', 84, 40, 40);          // a node's chainage
    writer.write_band_value("teren", 'g', 84, 52.5, 52.5);          // no such row
    const std::vector<text_at> all = texts();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].text, "52,50");
    EXPECT_EQ(all[0].colour, 84);
    EXPECT_NEAR(all[0].x, 8000 + 12.5 * 200 + 258.5, 1e-9);
    EXPECT_NEAR(all[0].y, -3.5 * U, 1e-9);
    EXPECT_EQ(all[0].rotation, 90);
    EXPECT_EQ(ticks(3, 4), (std::vector<double>{10500}));

    // A row shown only because the project holds its data takes no values.
    clear();
    dane_pod_profil& shown = settings().profile_table_rows[static_cast<std::size_t>(r)];
    shown.shown = false;
    shown.forced = true;
    writer.write_band_value("odleglosc", 'g', 84, 52.5, 52.5);
    EXPECT_TRUE(texts().empty());

    // A terrain description marks both ends of its range in the chainages.
    shown.shown = true;
    teren_opis d;
    d.chainage = 40;
    d.distance = 5;
    d.length = 10;
    writer.write_terrain_description_marks(d);
    EXPECT_EQ(words(), (std::vector<std::string>{"45,00", "55,00"}));
    EXPECT_EQ(texts()[0].colour, 7);
}

// ---- titles ----------------------------------------------------------------------------

TEST_F(BandRows, TitlesFillThePipeReferenceAndTheFlowUnitAndStandOnlyBeforeTheFirstDrawnProfile) {
    odcinek& empty = profile_at({5});  // included, but not drawn: no length
    (void)empty;
    profile_at({0, 40, 100});
    Form1->rg_PipeOrdinateMode->SetItemIndex(1);
    topcje->cb_FlowUnitV->SetItemIndex(1);
    topcje->cb_FlowUnitT->SetItemIndex(3);
    struct Case {
        std::string key;
        std::string title;
        bool bottom_always;
        uint8_t second_reference;
        std::string shown;
    };
    const std::string axis = Form1->rg_PipeOrdinateMode->Items()[1];
    const std::string flow = topcje->cb_FlowUnitV->Items()[1] + "/" + topcje->cb_FlowUnitT->Items()[3];
    const Case cases[] = {
        {"dno", "Rzędna @r rury"_cp, false, 0, ""},
        {"dno", "Rzędna @r rury"_cp, true, 0, "Rzędna dna rury"_cp},
        // Profiles referred differently: the placeholder and a blank go.
        {"dno", "Rzędna @r rury"_cp, false, 1, "Rzędna rury"_cp},
        {"przeplyw", "Przepływ [@flow_unit]"_cp, false, 0, ""},
    };
    for (const Case& c : cases) {
        clear();
        settings().profile_table_rows.clear();
        topcje->cb_AlwaysShowBottomPipe->SetChecked(c.bottom_always);
        model().profiles[0].rzedna = 0;
        model().profiles[1].rzedna = c.second_reference;
        const int r = row(c.key, true, 2, false, c.title);
        draw(r, 0, 1);
        std::string expected;
        if (!c.shown.empty()) {
            expected = c.shown;
        } else if (c.key == "dno") {
            expected = "Rzędna "_cp + axis + " rury";
        } else {
            expected = "Przepływ ["_cp + flow + "]";
        }
        const auto t = find(expected);
        EXPECT_TRUE(t) << expected;
        // The first profile is not drawn, so this one carries the titles.
        if (t) {
            EXPECT_NEAR(t->x, model().profiles[1].sheet_x - 5950, 1e-9);
        }
        // Nothing before a later profile unless every profile has its column.
        clear();
        model().profiles[0].length = 10;
        draw(r, 0, 1);
        EXPECT_FALSE(find(expected)) << expected;
        topcje->cb_TitleColumnBeforeEveryProfile->SetChecked(true);
        draw(r, 0, 1);
        EXPECT_TRUE(find(expected)) << expected;
        topcje->cb_TitleColumnBeforeEveryProfile->SetChecked(false);
        model().profiles[0].length = 0;
    }
}

TEST_F(BandRows, ProfilesReferredDifferentlyShowTheirReferenceFramedLeftOfTheTable) {
    profile_at({0, 40, 100});
    profile_at({0, 10});
    model().profiles[0].rzedna = 2;
    const int r = row("zaglebienie", true, 2, false, "");
    draw(r, 1);
    const std::string top = Form1->rg_PipeOrdinateMode->Items()[2];
    const auto t = find(top);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->colour, 1);
    EXPECT_EQ(t->rotation, 90);
    EXPECT_NEAR(t->x, -320 - 0.05 * 200, 1e-9);
    EXPECT_NEAR(t->y, -1.5 * U, 1e-9);
    const std::vector<line_at> frame = lines("0");
    ASSERT_EQ(frame.size(), 4u);
    // Twice the smaller offset plus the text height wide: 2 x 0.04 + 0.19.
    EXPECT_NEAR(frame[0].x1, -320 - 270, 1e-9);
    EXPECT_NEAR(frame[0].x2, -320, 1e-9);
    EXPECT_NEAR(frame[0].y1, -1000, 1e-9);
    EXPECT_NEAR(frame[2].y1, -2000, 1e-9);
    // The same reference everywhere, or depths always to the bottom: no label.
    clear();
    topcje->cb_DepthAlways2BottomPipe->SetChecked(true);
    draw(r, 1);
    EXPECT_FALSE(find(top));
}

}  // namespace
