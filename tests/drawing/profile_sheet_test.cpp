// The profile sheet's own marks as the drawing command writes them: the
// chainage axis, the datum and its text, the scale marks, the name flag
// and the ruler, the title columns of several profiles, the legend, the
// datum shown in the profile panel; and seeded random projects that must
// come out as files our reader takes back whole.
//
// No row of the table is shown unless a test says so: the table is then 0
// high, the axis lies 0.6 m under y = 0 and its figures 0.4 m under it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "drawing/dxf_reader.h"
#include "drawing/dxf_writer.h"
#include "drawing/profile_sheet_support.h"
#include "model/messages.h"
#include "platform/cp1250.h"
#include "support/xorshift.h"

namespace {

using namespace profile_sheet_test;

bool starts_with(const std::string& s, const std::string& head) { return s.compare(0, head.size(), head) == 0; }

std::vector<entity> level_texts(const std::vector<entity>& e) {
    std::vector<entity> out;
    for (const entity& x : e)
        if (x.type == "TEXT" && starts_with(x.value("1"), "poziom por.")) out.push_back(x);
    return out;
}

class ProfileSheet : public SheetTest {
protected:
    ProfileSheet() { decimal_separator = ','; }
    static uint16_t flat(const std::string& name, uint16_t id, std::initializer_list<double> chainages,
                         double terrain = 102, double pipe = 100) {
        const uint16_t p = line(name, id, chainages);
        for (wezel& w : model().profiles[p].nodes) {
            w.ter = w.ter_used = value_pair(terrain);
            w.dno = value_pair(pipe);
            w.fi = value_pair(200);
        }
        return p;
    }
};

// ---- the chainage axis ----

TEST_F(ProfileSheet, AutomaticUnitNamesTheFirstProfilesStepAndBracketsTheOthers) {
    flat("P1", 1, {0, 250});
    flat("P2", 2, {0, 250});
    const std::vector<entity> e = draw();
    // Step 100 m: the start as a figure with decimals, whole hectometres,
    // the remainder with a plus sign. A chainage c stands at c x 200.
    EXPECT_TRUE(text_at(e, "Hektometr", -5950, -600));
    EXPECT_TRUE(text_at(e, "0,00", 0, -400));
    EXPECT_TRUE(text_at(e, "1", 20000, -400));
    EXPECT_TRUE(text_at(e, "2", 40000, -400));
    EXPECT_TRUE(text_at(e, "+0,50", 50000, -400));
    EXPECT_TRUE(line_between(e, 20000, -600, 20000, -400));
    EXPECT_TRUE(line_between(e, 50000, -600, 50000, -400));
    EXPECT_TRUE(line_between(e, 0, -600, 50000, -600));
    // The second profile starts one gap (15 mm of paper) after the first.
    const double x2 = model().profiles[1].sheet_x;
    EXPECT_DOUBLE_EQ(x2, 51500);
    EXPECT_TRUE(text_at(e, "[hm]", x2 - 900, -600));
    EXPECT_TRUE(text_at(e, "+0,50", x2 + 50000, -400));
    EXPECT_EQ(texts(e, "Hektometr").size(), 1u);
}

TEST_F(ProfileSheet, AxisStepsByTheChosenUnit) {
    struct axis_case {
        int unit;  // item of the unit list
        std::vector<double> chainages;
        std::vector<std::string> present;
        std::vector<std::string> absent;
        std::string title;
    };
    const std::vector<axis_case> cases = {
        // A start on a whole step: the whole steps begin one step after it.
        {2, {100, 250}, {"1,00", "2", "+0,50"}, {"1", "3"}, "Hektometr"},
        // A start before 0 counts towards 0.
        {2, {-150, 120}, {"-1,50", "-1", "0", "1", "+0,20"}, {"-2", "2"}, "Hektometr"},
        // Whole metres stop after 1999, the remainder is taken from there.
        {0, {0, 2500}, {"0,00", "1", "1999", "+501,00"}, {"2000"}, "Metr"},
        // Kilometres on a shorter profile: no whole step, only the remainder.
        {3, {0, 400}, {"0,00", "+0,40"}, {"1"}, "Kilometr"},
    };
    for (const axis_case& c : cases) {
        SCOPED_TRACE(c.title + " " + IntToStr(static_cast<int>(c.chainages[0])));
        model().profiles.clear();
        const uint16_t p = line("P", 1, {c.chainages[0], c.chainages[1]});
        for (wezel& w : model().profiles[p].nodes) {
            w.ter = w.ter_used = value_pair(102);
            w.dno = value_pair(100);
        }
        topcje->cb_Distance->SetItemIndex(c.unit);
        const std::vector<entity> e = draw();
        for (const std::string& t : c.present) EXPECT_EQ(texts(e, t).size(), 1u) << t;
        for (const std::string& t : c.absent) EXPECT_TRUE(texts(e, t).empty()) << t;
        EXPECT_TRUE(text_at(e, c.title, -5950, -600));
        // The first figure at the first node, the remainder at the last.
        EXPECT_TRUE(text_at(e, c.present[0], 0, -400));
        EXPECT_TRUE(text_at(e, c.present.back(), (c.chainages[1] - c.chainages[0]) * 200, -400));
    }
}

TEST_F(ProfileSheet, WithoutTheOptionThereIsNoAxis) {
    flat("P1", 1, {0, 250});
    topcje->l_Distance->SetChecked(false);
    const std::vector<entity> e = draw();
    EXPECT_TRUE(texts(e, "Hektometr").empty());
    EXPECT_TRUE(texts(e, "0,00").empty());
    EXPECT_FALSE(line_between(e, 0, -600, 50000, -600));
}

// ---- the datum ----

TEST_F(ProfileSheet, DatumFollowsTheChosenLineInBothRoundingModes) {
    struct datum_case {
        int dependency;
        bool own;
        double expected;
    };
    // Terrain down to 103.4, design terrain to 104.9, pipe to 100.9; 6 m under.
    const std::vector<datum_case> cases = {{0, false, 97}, {1, false, 99}, {2, false, 95}, {0, true, 90.5}};
    for (const bool euro : {false, true}) {
        for (const datum_case& c : cases) {
            SCOPED_TRACE(IntToStr(c.dependency) + (c.own ? " own" : "") + (euro ? " euro" : ""));
            model().profiles.clear();
            const uint16_t p = line("P", 1, {0, 50});
            const double terrain[] = {104, 103.4}, design[] = {105.2, 104.9}, pipe[] = {101.3, 100.9};
            for (std::size_t i = 0; i < 2; ++i) {
                wezel& w = model().profiles[p].nodes[i];
                w.ter = w.ter_used = value_pair(terrain[i]);
                w.terp = w.terp_used = value_pair(design[i]);
                w.dno = value_pair(pipe[i]);
            }
            model().profiles[p].poziom = c.own;
            model().profiles[p].poziom_wart = 90.5;
            settings().aod_dependency = static_cast<uint8_t>(c.dependency);
            settings().aod_distance_from = 6;
            euro_rounding = euro;
            const std::vector<entity> e = draw();
            EXPECT_EQ(model().profiles[p].poziom_wart, c.expected);
            EXPECT_EQ(texts(e, "poziom por. " + Format("%f", {c.expected}) + " m n.p.m.").size(), 1u);
        }
    }
}

TEST_F(ProfileSheet, ThePanelShowsTheDatumOfTheSelectedProfileWithoutAChange) {
    flat("P1", 1, {0, 50}, 103.4);
    flat("P2", 2, {0, 50}, 110.2);
    Form1->tabs_odswiez(1);
    set_project_modified(false);
    draw();
    EXPECT_EQ(Form1->e_CompareLevel->Text(), "104,00");
    // Shown, not entered: nothing marks the project or rounds an own level.
    EXPECT_FALSE(model().project_modified);
    EXPECT_EQ(model().profiles[1].poziom_wart, 104);
    EXPECT_FALSE(model().profiles[1].poziom);
}

TEST_F(ProfileSheet, ComparisonLevelTextByTitleColumnAndSameDatumOptions) {
    struct level_case {
        bool ppt;
        bool dont_mark;
        bool every_column;
        double second_terrain;
        int first_rotation;   // -1: none
        int second_rotation;  // -1: none
    };
    const std::vector<level_case> cases = {
        {true, false, false, 102, 0, 90},
        {false, false, false, 102, 90, 90},
        {true, true, false, 102, 0, -1},
        {true, true, false, 105, 0, 90},
        {true, true, true, 102, 0, 0},
    };
    for (const level_case& c : cases) {
        SCOPED_TRACE(IntToStr(&c - cases.data()));
        model().profiles.clear();
        flat("P1", 1, {0, 50});
        flat("P2", 2, {0, 50}, c.second_terrain);
        topcje->cb_ppt->SetChecked(c.ppt);
        topcje->cb_DontMarkTheSameAOD->SetChecked(c.dont_mark);
        topcje->cb_TitleColumnBeforeEveryProfile->SetChecked(c.every_column);
        const std::vector<entity> e = draw();
        const double x2 = model().profiles[1].sheet_x;
        std::vector<entity> found = level_texts(e);
        int first = -1, second = -1;
        for (const entity& t : found) (t.number("10") < x2 - 6000 ? first : second) = static_cast<int>(t.number("50"));
        EXPECT_EQ(first, c.first_rotation);
        EXPECT_EQ(second, c.second_rotation);
    }
    // The vertical texts and their leaders: the first profile's over the
    // table, the others' down into it (Fx 200: 0.05 x Fx = 10).
    model().profiles.clear();
    flat("P1", 1, {0, 50});
    flat("P2", 2, {0, 50});
    topcje->cb_ppt->SetChecked(false);
    topcje->cb_DontMarkTheSameAOD->SetChecked(false);
    topcje->cb_TitleColumnBeforeEveryProfile->SetChecked(false);
    const std::vector<entity> e = draw();
    const double x2 = model().profiles[1].sheet_x;
    EXPECT_TRUE(text_at(e, "poziom por. 96,00 m n.p.m.", -630, 200));
    EXPECT_TRUE(line_between(e, 0, 0, -620, 200));
    EXPECT_TRUE(line_between(e, -620, 200, -620, 4400));
    EXPECT_TRUE(text_at(e, "poziom por. 96,00 m n.p.m.", x2 - 630, -4400));
    EXPECT_TRUE(line_between(e, x2, 0, x2 - 620, -200));
    EXPECT_TRUE(line_between(e, x2 - 620, -200, x2 - 620, -4400));
}

// ---- scale marks ----

TEST_F(ProfileSheet, ScaleMarksWhenScalesDifferOrAsked) {
    const std::string vertical = topcje->sag_DrawingProperties->Cells(0, 2) + ": 1:100";
    const std::string horizontal = topcje->sag_DrawingProperties->Cells(0, 1);
    flat("P1", 1, {0, 50});
    flat("P2", 2, {0, 50});
    // Equal scales and the option off: nothing.
    topcje->cb_MarkScaleBelowProfile->SetChecked(false);
    std::vector<entity> e = draw();
    EXPECT_TRUE(texts(e, vertical).empty());
    // The second profile on its own scale 1:250.
    model().profiles[1].pskala = true;
    model().profiles[1].pskalax = 250;
    e = draw();
    const double x2 = model().profiles[1].sheet_x;
    EXPECT_TRUE(text_at(e, vertical, -5950, -1200));
    EXPECT_TRUE(text_at(e, horizontal + ": 1:500", 100, -1200));
    EXPECT_TRUE(text_at(e, horizontal + ": 1:250", x2 + 100, -1200));
    EXPECT_EQ(texts(e, vertical).size(), 1u);
    // The bracket under each profile, 0.8 m under the table with the axis.
    EXPECT_TRUE(line_between(e, 0, -800, 0, -1300));
    EXPECT_TRUE(line_between(e, 0, -1300, 2200, -1300));
    EXPECT_TRUE(line_between(e, x2, -1300, x2 + 2200, -1300));
    // The scale bar for 1:500: one metre of the layout stands for 5 m.
    EXPECT_EQ(texts(e, "5m").size(), 1u);
    // Node scales: the caption says the table holds them; no bar.
    model().profiles[1].pskala = false;
    topcje->cb_MarkScaleBelowProfile->SetChecked(true);
    topcje->l_Distance->SetChecked(false);
    model().profiles[0].nodes[0].scale = 400;
    e = draw();
    // The node scales bring the scale row (0.7 m) into the table by
    // themselves; the caption stands 0.4 m and the bracket 0 m under it.
    EXPECT_TRUE(text_at(e, horizontal + " " + lang_text("MostUsedValues", "muv_AsInTable", "jak w tabeli"), 100, -1100));
    EXPECT_TRUE(line_between(e, 0, -700, 0, -1200));
}

// ---- the name flag and the ruler ----

TEST_F(ProfileSheet, RulerOnlyWithRoomAboveTheDatumAndAtEachNewDatum) {
    topcje->cb_ProfilesNames->SetChecked(true);
    // An own level above the terrain: N is negative, no tick and no figure.
    const uint16_t p = flat("P1", 1, {0, 50}, 102);
    model().profiles[p].poziom = true;
    model().profiles[p].poziom_wart = 105;
    std::vector<entity> e = draw();
    EXPECT_TRUE(texts(e, "106").empty());
    EXPECT_FALSE(line_between(e, -6000, 1000, -5600, 1000));
    // The name flag stands at N = -20 tenths: -2 m.
    EXPECT_TRUE(text_at(e, "P1", 320, -1950));

    // Two profiles: the second without a title column gets a ruler of its
    // own only when its datum differs, shifted to its first node (no
    // symbol there: 0.7 m left of it).
    model().profiles.clear();
    flat("P1", 1, {0, 50}, 102);
    flat("P2", 2, {0, 50}, 102);
    e = draw();
    EXPECT_EQ(texts(e, "97").size(), 1u);
    flat("P3", 3, {0, 50}, 104);
    e = draw();
    const double x3 = model().profiles[2].sheet_x;
    EXPECT_EQ(texts(e, "105").size(), 1u);
    EXPECT_TRUE(text_at(e, "99", x3 - 700 + 120, 1050));
    EXPECT_TRUE(line_between(e, x3 - 700, 1000, x3 - 300, 1000));
    // The second profile carries the first's name height.
    EXPECT_TRUE(text_at(e, "P2", model().profiles[1].sheet_x + 320, 7050));
    EXPECT_TRUE(text_at(e, "P3", x3 + 320, 7050));
    // Without the option no ruler at all.
    topcje->cb_VerticalRuler->SetChecked(false);
    e = draw();
    EXPECT_TRUE(texts(e, "97").empty());
    EXPECT_TRUE(texts(e, "105").empty());
}

// ---- several profiles ----

TEST_F(ProfileSheet, TitleColumnsOfTheFirstDrawnProfileAndOfEveryProfileOnRequest) {
    shown_rows({"teren", "dno"});
    // A one-node profile first in the array is not drawn: the next one is
    // the first and gets the title column.
    line("P0", 1, {0});
    flat("P1", 2, {0, 50});
    flat("P2", 3, {0, 50});
    for (const bool every : {false, true}) {
        SCOPED_TRACE(every);
        topcje->cb_TitleColumnBeforeEveryProfile->SetChecked(every);
        const std::vector<entity> e = draw();
        const double x1 = model().profiles[1].sheet_x;
        const double x2 = model().profiles[2].sheet_x;
        EXPECT_DOUBLE_EQ(x1, 0);
        EXPECT_TRUE(line_between(e, -6000, -2000, 0, -2000));
        EXPECT_TRUE(line_between(e, 0, -1000, 10000, -1000));
        EXPECT_TRUE(line_between(e, x2, -2000, x2 + 10000, -2000));
        EXPECT_EQ(line_between(e, x2 - 6000, -2000, x2, -2000), every);
        EXPECT_TRUE(text_at(e, "poziom por. 96,00 m n.p.m.", -5950, 100));
        EXPECT_EQ(text_at(e, "poziom por. 96,00 m n.p.m.", x2 - 5950, 100), every);
    }
}

// ---- the legend ----

TEST_F(ProfileSheet, LegendSortedWithItsHeadingsInTheFirstTitleColumn) {
    flat("P1", 1, {0, 50});
    draw();
    DXF_Writer w(file());
    w.sheet.add_legend_line("c2=G  glina");
    w.sheet.add_legend_line("b2=   Ps - piasek");
    w.sheet.add_legend_line("c2=G  glina");
    w.write_drawing();
    w.write_out();
    const std::vector<entity> e = sheet_entities(groups_of(read_file(file())));
    const double h = StrToFloat(topcje->sag_Fonts->Cells(1, 3)) / 100 * 1000;
    // a1, b1, b2, c1 (an empty line), c1 with the section window, c2.
    const std::vector<std::string> shown = {"Legenda", "Opis terenu:", "   Ps - piasek",
                                            "Przekrój geotechniczny:"_cp, "G  glina"};
    const std::vector<int> slot = {0, 1, 2, 4, 5};
    for (std::size_t i = 0; i < shown.size(); ++i) {
        SCOPED_TRACE(shown[i]);
        EXPECT_TRUE(text_at(e, shown[i], -5150, (5 - slot[i]) * 2 * h + 5 * h));
        EXPECT_EQ(texts(e, shown[i]).size(), 1u);
    }
    // The legend is dropped with the sheet.
    EXPECT_TRUE(w.sheet.legend_lines.empty());
}

// ---- the title block ----

TEST_F(ProfileSheet, TitleBlockEndsHalfAMetrePastTheLastProfileUnderItsTable) {
    // One box 100 pixels (4 m) wide: its frame's top edge shows the corner.
    TMemo* box = Form1->make_text_box(1, 100, 25, 100, 25);
    box->Lines().Add("Rysunek nr 1");
    Form1->tb_bezmetryki->SetDown(false);
    topcje->cb_MarkScaleBelowProfile->SetChecked(false);
    flat("P1", 1, {0, 100});
    flat("P2", 2, {20, 70});
    model().project.sheet_origins = {20, 10, 0, 0};
    struct corner_case {
        bool marks;
        bool second_drawn;
        double x;
        double y;
    };
    // x = (last - first chainage) x 200 + 500 + the profile's start - 4000
    // - 20 / 10 m; y = -(table 0 + 1, or 1.5 under scale marks) m - 1 m.
    const double x2 = 1500 + 20000;
    const std::vector<corner_case> cases = {
        {false, true, 50 * 200 + 500 + x2 - 4000 - 2000, -2000},
        {true, true, 50 * 200 + 500 + x2 - 4000 - 2000, -2500},
        // The last profile left out: the block follows the first.
        {false, false, 100 * 200 + 500 - 4000 - 2000, -2000},
    };
    for (const corner_case& c : cases) {
        SCOPED_TRACE(&c - cases.data());
        topcje->cb_MarkScaleBelowProfile->SetChecked(c.marks);
        model().profiles[1].rysuj = c.second_drawn;
        const std::vector<entity> e = draw();
        EXPECT_TRUE(line_between(e, c.x, c.y, c.x + 4000, c.y));
        EXPECT_EQ(texts(e, "Rysunek nr 1").size(), 1u);
    }
    // No included profile with nodes: at the sheet's origin.
    model().profiles[0].rysuj = false;
    model().profiles[1].rysuj = false;
    const std::vector<entity> e = draw();
    EXPECT_TRUE(line_between(e, 0, 0, 4000, 0));
}

// ---- random projects ----

// Small projects of up to three profiles with random chainages, ordinates,
// scales and options: each sheet reads back in our reader without a box,
// holds no number that is not finite and names only defined blocks.
TEST_F(ProfileSheet, RandomProjectsGiveFilesOurReaderTakesWhole) {
    xorshift64 rnd{0x5eed1234abcdULL};
    auto uniform = [&rnd](double lo, double hi) {
        return lo + (hi - lo) * static_cast<double>(rnd() % 1000000) / 1000000.0;
    };
    const char* const keys[] = {"teren", "dno", "odleglosc", "dlug_spad", "wez", "zaglebienie", "teren_proj"};
    for (int round = 0; round < 24; ++round) {
        SCOPED_TRACE(round);
        model().profiles.clear();
        const int profiles = 1 + static_cast<int>(rnd() % 3);
        for (int k = 0; k < profiles; ++k) {
            const int nodes = 1 + static_cast<int>(rnd() % 6);
            const uint16_t p = line("P" + IntToStr(k), static_cast<uint16_t>(k + 1), {0});
            odcinek& q = model().profiles[p];
            q.nodes.resize(static_cast<std::size_t>(nodes));
            double c = uniform(-50, 50);
            double z = uniform(80, 300);
            for (int i = 0; i < nodes; ++i) {
                wezel& w = q.nodes[static_cast<std::size_t>(i)];
                w.id = static_cast<uint16_t>(i + 1);
                w.odl = c;
                w.ter = w.ter_used = value_pair(z + uniform(-3, 3));
                w.dno = value_pair(z - uniform(0.5, 4));
                w.fi = value_pair(std::round(uniform(50, 800)));
                w.wez = "W" + IntToStr(i);
                const double step = rnd() % 5 == 0 ? 0 : uniform(0.2, 300);
                if (i + 1 < nodes) w.dlug = step;
                c += step;
            }
            q.poziom = rnd() % 4 == 0;
            q.poziom_wart = uniform(50, 320);
            q.pskala = rnd() % 3 == 0;
            q.pskalax = q.pskala ? 100 + static_cast<int>(rnd() % 2000) : 0;
            q.rysuj = rnd() % 5 != 0;
            q.networktype = "wkdgcmi"[rnd() % 7];
        }
        scales(100 + static_cast<int>(rnd() % 2000), 50 + static_cast<int>(rnd() % 500));
        topcje->cb_jedn->SetItemIndex(static_cast<int>(rnd() % 4));
        topcje->cb_Distance->SetItemIndex(static_cast<int>(rnd() % 5));
        topcje->cb_TitleColumnBeforeEveryProfile->SetChecked(rnd() % 2 == 0);
        topcje->cb_ppt->SetChecked(rnd() % 2 == 0);
        topcje->cb_MarkScaleBelowProfile->SetChecked(rnd() % 2 == 0);
        topcje->cb_ProfilesNames->SetChecked(rnd() % 2 == 0);
        topcje->l_Distance->SetChecked(rnd() % 4 != 0);
        settings().aod_dependency = static_cast<uint8_t>(rnd() % 3);
        Form1->tb_bezmetryki->SetDown(rnd() % 2 == 0);
        std::vector<const char*> chosen;
        for (const char* key : keys)
            if (rnd() % 2 == 0) chosen.push_back(key);
        std::vector<dane_pod_profil>& rows = settings().profile_table_rows;
        for (dane_pod_profil& r : rows) {
            r.shown = false;
            for (const char* key : chosen) r.shown = r.shown || r.key == key;
        }
        ui().boxes.clear();
        Form1->draw_make("in");
        const std::string bytes = read_file(file());
        for (const groups::value_type& g : groups_of(bytes)) {
            const std::string v = LowerCase(g.second);
            if (v.find("nan") == std::string::npos && v.find("inf") == std::string::npos) continue;
            // Only texts may hold those letters (a node name, a caption).
            EXPECT_TRUE(g.first == "1" || g.first == "2" || g.first == "3" || g.first == "8" || g.first == "9")
                << g.first << " " << g.second;
        }
        // Every insert names a block of the file.
        std::set<std::string> blocks, inserted;
        const groups all = groups_of(bytes);
        for (std::size_t i = 0; i + 1 < all.size(); ++i) {
            if (all[i] != groups::value_type{"0", "BLOCK"} && all[i] != groups::value_type{"0", "INSERT"}) continue;
            for (std::size_t j = i + 1; j < all.size() && all[j].first != "0"; ++j)
                if (all[j].first == "2") (all[i].second == "BLOCK" ? blocks : inserted).insert(all[j].second);
        }
        for (const std::string& b : inserted) EXPECT_TRUE(blocks.count(b)) << b;
        DXF_Reader reader{dxf_bytes{bytes}};
        EXPECT_TRUE(reader.read_file());
        EXPECT_TRUE(ui().boxes.empty()) << (ui().boxes.empty() ? "" : ui().boxes[0].text);
        EXPECT_NE(std::find(all.begin(), all.end(), groups::value_type{"2", "ENTITIES"}), all.end());
    }
}

}  // namespace
