// The drawing command: scales, warnings, the profile sheet's layout and the
// drawing file's header, tables and blocks, as the main window writes them.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "drawing/containers.h"
#include "drawing/drawing_lengths.h"
#include "drawing/drawing_state.h"
#include "drawing/dxf_group_lines.h"
#include "drawing/dxf_writer.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/drawing_palette.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "model/utils.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/ini.h"
#include "platform/paths.h"
#include "platform/sysutils.h"
#include "support/profile_fixture.h"
#include "support/sheet_defaults.h"

namespace {

// The groups from the one (code, value) given up to the next code-0 group.
groups entry(const groups& g, const std::string& code, const std::string& value) {
    for (std::size_t i = 0; i < g.size(); ++i) {
        if (g[i].first != code || g[i].second != value) continue;
        groups out{g[i]};
        for (std::size_t j = i + 1; j < g.size() && g[j].first != "0"; ++j) out.push_back(g[j]);
        return out;
    }
    return {};
}

std::vector<std::string> values(const groups& g, const std::string& code) {
    std::vector<std::string> out;
    for (const auto& [c, v] : g)
        if (c == code) out.push_back(v);
    return out;
}

class DrawMake : public ProfileTest {
protected:
    DrawMake() {
        decimal_separator = '.';
        euro_rounding = false;
        model().profiles.clear();
        settings().title_column_width = 40;
        default_drawing_settings(home.file("none.ini"));
        // The title block has tests of its own.
        Form1->tb_bezmetryki->SetDown(true);
    }
    static std::string file() { return folders().config_folder + "rysunek.dxf"; }
    static groups written() { return groups_of(read_file(file())); }
    static void scale(int column, int row, const std::string& text) {
        topcje->sag_DrawingProperties->SetCell(column, row, text);
    }
    static void layer_row(int r, const std::string& name, const std::string& colour, const std::string& type,
                          const std::string& width, const std::string& lock) {
        TStringAlignGrid& g = *topcje->sag_Layers;
        if (g.RowCount() <= r) g.SetRowCount(r + 1);
        g.SetCell(1, r, name);
        g.SetCell(2, r, colour);
        g.SetCell(3, r, type);
        g.SetCell(4, r, width);
        g.SetCell(5, r, lock);
    }
    // A profile with terrain and bottom at every node, so nothing of it is empty.
    static uint16_t sewer(const std::string& name, uint16_t id, std::initializer_list<double> chainages) {
        const uint16_t p = line(name, id, chainages);
        for (wezel& w : model().profiles[p].nodes) {
            w.ter = w.ter_used = value_pair(100);
            w.dno = value_pair(98);
            w.wez = "S" + std::to_string(w.id);
        }
        return p;
    }
};

TEST_F(DrawMake, ScaleCellsHoldPositiveWholeNumbers) {
    struct cell_case {
        std::string text;
        std::string after;
        bool warned;
    };
    const std::vector<cell_case> cases = {
        {"abc", "100", false}, {"0", "100", false}, {"-100", "100", true}, {"250.5", "100", true}, {"250", "250", false},
    };
    sewer("P", 1, {0, 20});
    for (const cell_case& c : cases) {
        SCOPED_TRACE(c.text);
        for (int column = 1; column <= 3; ++column) scale(column, 1, c.text);
        ui().boxes.clear();
        ui().answer(IDOK);
        if (c.warned) {
            ui().answer(IDOK);
            ui().answer(IDOK);
        }
        Form1->draw_make("in");
        for (int column = 1; column <= 3; ++column) EXPECT_EQ(topcje->sag_DrawingProperties->Cells(column, 1), c.after);
        if (c.warned) {
            ASSERT_EQ(ui().boxes.size(), 3u);
            EXPECT_EQ(ui().boxes[0].text, "Niepoprawna skala rysunku: \""_cp + c.text + "\"; przyjęto 100."_cp);
            EXPECT_EQ(ui().boxes[0].icon(), MB_ICONWARNING);
        } else {
            EXPECT_TRUE(ui().boxes.empty());
            allow_unused_script();
        }
    }
}

TEST_F(DrawMake, OneNodeProfilesAndTooSmallBendRadiiAreWarned) {
    sewer("one", 1, {0});
    add_profile("empty", 2);
    const uint16_t p = sewer("bends", 3, {0, 10, 20, 30});
    model().profiles[p].nodes[0].rad = 5;      // length 10 = 2 x radius: too small
    model().profiles[p].nodes[1].rad = 5.01;  // fits
    Form1->draw_make("in");
    const auto& w = model().warnings;
    ASSERT_EQ(w.size(), 2u);
    EXPECT_EQ(w[0].kind, '2');
    EXPECT_EQ(w[0].title, "brak wartości"_cp);
    EXPECT_EQ(w[0].message, "brak wartości w drugim węźle"_cp);
    EXPECT_EQ(w[0].first, 0);
    EXPECT_EQ(w[0].second, 0);
    EXPECT_EQ(w[0].color, clRed);
    EXPECT_EQ(w[1].kind, 'r');
    EXPECT_EQ(w[1].title, "zbyt mały promień gięcia"_cp);
    EXPECT_EQ(w[1].first, 2);
    EXPECT_EQ(w[1].second, 0);
    EXPECT_EQ(w[1].color, clYellow);
    const wezel& straight = model().profiles[p].nodes[0];
    EXPECT_EQ(straight.arc_center_x, 0);
    EXPECT_EQ(straight.arc_center_y, 0);
    EXPECT_NE(model().profiles[p].nodes[1].arc_center_x, 0);
    EXPECT_TRUE(drawing().recalculation_done);
    EXPECT_EQ(Form1->StatusBar1->Panels(0)->Text(), "Istnieją ostrzeżenia. Sprawdź je."_cp);
}

// Colour 7 is white only on the preview's black ground: on the white ground
// of a fresh configuration and on paper it is near-black, so it shows.
TEST_F(DrawMake, ColourSevenShowsOnThePreviewsGroundAndOnPaper) {
    sewer("s", 1, {0, 10});
    struct Case {
        TColor ground;
        const char* mode;
        TColor seven;
    } const cases[] = {
        {clBlack, "in", TColor{0xFFFFFF}},
        {clWhite, "in", TColor{0x010101}},
        {TColor{0x202020}, "in", TColor{0x010101}},
        {clBlack, "print", TColor{0x010101}},
        {clBlack, "out", TColor{0x010101}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " " + std::to_string(c.ground));
        Form1->Zoombox->SetColor(c.ground);
        Form1->draw_make(c.mode);
        EXPECT_EQ(drawing().palette_entry_7, c.seven);
        EXPECT_EQ(drawing_palette[6], c.seven);
    }
}

TEST_F(DrawMake, TheProfileScaleFitsThePrinterPage) {
    // The headless page is 210 mm wide; with 10 mm margins 190 mm are
    // printable. The title column (40 mm) and 5 mm leave 145 mm for the
    // profile.
    struct fit_case {
        double length;
        std::string scale;
    };
    const std::vector<fit_case> cases = {{25, "200"}, {720, "5000"}, {1000, "500"}};
    topcje->cb_Fit2Page->SetChecked(true);
    topcje->e_skala_krot->SetText("50");
    for (const fit_case& c : cases) {
        SCOPED_TRACE(c.length);
        model().profiles.clear();
        sewer("P", 1, {0, c.length});
        scale(1, 1, "100");
        Form1->draw_make("in");
        EXPECT_EQ(topcje->sag_DrawingProperties->Cells(1, 1), c.scale);
    }
    // A step that is not a positive whole number counts as 50.
    for (const char* step : {"0", "-50", "abc", "12.5"}) {
        model().profiles.clear();
        sewer("P", 1, {0, 25});
        topcje->e_skala_krot->SetText(step);
        scale(1, 1, "100");
        Form1->draw_make("in");
        EXPECT_EQ(topcje->sag_DrawingProperties->Cells(1, 1), "200") << step;
    }
    // Not on the scheme sheet, nor without a printer.
    Form1->tb_PreviewScheme->SetDown(true);
    scale(1, 1, "100");
    Form1->draw_make("in");
    EXPECT_EQ(topcje->sag_DrawingProperties->Cells(1, 1), "100");
    Form1->tb_PreviewProfile->SetDown(true);
    static_cast<RecordingPrinter&>(ui().printer()).printers.clear();
    Form1->draw_make("in");
    EXPECT_EQ(topcje->sag_DrawingProperties->Cells(1, 1), "100");
}

TEST_F(DrawMake, TitleColumnGapAndColumnStep) {
    sewer("P", 1, {0, 20});
    settings().title_column_width = 35;
    settings().profile_gap = 250;
    topcje->cb_TitleColumnBeforeEveryProfile->SetChecked(true);
    Form1->draw_make("in");
    EXPECT_DOUBLE_EQ(drawing().title_column_width, 3.5);
    EXPECT_EQ(drawing().profile_gap, 100);
    EXPECT_EQ(settings().profile_gap, 100);
    EXPECT_EQ(drawing().column_step, 135);
    // Measured: short titles give the narrowest column.
    settings().title_column_width = 0;
    topcje->sag_Fonts->SetCell(1, 1, "19");
    topcje->sag_Fonts->SetCell(4, 1, "90%");
    for (dane_pod_profil& row : settings().profile_table_rows) row.title = "x";
    Form1->draw_make("in");
    EXPECT_DOUBLE_EQ(drawing().title_column_width, 4);
}

TEST_F(DrawMake, TheHorizontalScaleAtANodeTakesOnlyPositiveOwnScales) {
    struct scale_case {
        int node_scale;
        bool profile_own;
        int profile_scale;
        int expected;
    };
    const std::vector<scale_case> cases = {
        {300, true, 400, 300}, {0, true, 400, 400}, {-5, true, 400, 400},
        {0, false, 400, 250},  {0, true, -3, 250},  {-5, true, 0, 250},
    };
    sewer("P", 1, {0, 20});
    scale(1, 1, "250");
    for (const scale_case& c : cases) {
        odcinek& p = model().profiles[0];
        p.nodes[0].scale = c.node_scale;
        p.pskala = c.profile_own;
        p.pskalax = c.profile_scale;
        EXPECT_EQ(skalaX(0, 0), c.expected) << c.node_scale << " " << c.profile_own << " " << c.profile_scale;
    }
    // The drawing lengths follow the scale: 20 m at 1:250 in millimetres.
    topcje->cb_jedn->SetItemIndex(0);
    model().profiles[0].nodes[0].scale = 0;
    model().profiles[0].pskala = false;
    oblicz_dlugosci("all");
    EXPECT_DOUBLE_EQ(model().profiles[0].length, 20);
    EXPECT_DOUBLE_EQ(model().profiles[0].drawn_width, 20 * 1e5 / 250);
    EXPECT_DOUBLE_EQ(model().profiles[0].nodes[1].draw_x, 20 * 1e5 / 250);
}

TEST_F(DrawMake, AHeldFileIsLeftAsItWasAndTheUnitIsRemembered) {
    sewer("P", 1, {0, 20});
    write_file(file(), "stary rysunek");
    topcje->cb_jedn->SetItemIndex(3);
    const int fd = open(file().c_str(), O_RDWR);
    ASSERT_GE(fd, 0);
    struct flock lk {};
    lk.l_type = F_WRLCK;
    lk.l_whence = SEEK_SET;
    ASSERT_EQ(fcntl(fd, F_OFD_SETLK, &lk), 0);
    Form1->draw_make("in");
    close(fd);
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_NE(ui().boxes[0].text.find("jest używany przez inną aplikację."_cp), std::string::npos);
    EXPECT_EQ(read_file(file()), "stary rysunek");
    EXPECT_EQ(ini_string(folders().config_folder + "halvoren.ini", "rysunek", "jednostka_last", ""), "3");
    EXPECT_FALSE(Form1->drawing_loaded);
}

TEST_F(DrawMake, AFailureWhileDrawingLeavesTheOldFile) {
    write_file(file(), "stary rysunek");
    scale(1, 2, "abc");  // the header cannot read the vertical scale
    EXPECT_THROW(selection_lists::make_drawing(file()), EConvertError);
    EXPECT_EQ(read_file(file()), "stary rysunek");
    EXPECT_FALSE(Form1->progres->Visible());
}

TEST_F(DrawMake, AFailedWriteOfTheDrawingHidesTheProgressBar) {
    sewer("P", 1, {0, 20, 45});
    // A full disk: writes beyond a few bytes fail, for root too.
    struct full_disk {
        rlimit old{};
        void (*handler)(int) = nullptr;
        full_disk() {
            handler = std::signal(SIGXFSZ, SIG_IGN);
            getrlimit(RLIMIT_FSIZE, &old);
            rlimit lower = old;
            lower.rlim_cur = 1024;
            setrlimit(RLIMIT_FSIZE, &lower);
        }
        ~full_disk() {
            setrlimit(RLIMIT_FSIZE, &old);
            std::signal(SIGXFSZ, handler);
        }
    };
    {
        write_file(file(), "stary rysunek");
        const full_disk full;
        EXPECT_THROW(Form1->draw_make("in"), EInOutError);
        EXPECT_FALSE(Form1->progres->Visible());
    }
    EXPECT_EQ(read_file(file()), "stary rysunek");

    // A drawing file that cannot be made at all, the command run as the
    // window runs it (its error shown in the standard box).
    DeleteFile(file());
    ForceDirectories(file());
    ui().boxes.clear();
    Application()->run_guarded([] { Form1->a_DrawMake->Execute(); });
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_NE(ui().boxes[0].text.find(file()), std::string::npos);
    EXPECT_FALSE(Form1->progres->Visible());
}

TEST_F(DrawMake, HeaderNamesTheCodePageAndTheExtentsInTheUnit) {
    sewer("P", 1, {0, 20});
    topcje->cb_jedn->SetItemIndex(3);  // m
    Form1->draw_make("in");
    const groups g = written();
    ASSERT_GE(g.size(), 4u);
    EXPECT_EQ(g[1], (std::pair<std::string, std::string>{"2", "HEADER"}));
    EXPECT_EQ(g[2], (std::pair<std::string, std::string>{"9", "$DWGCODEPAGE"}));
    EXPECT_EQ(g[3], (std::pair<std::string, std::string>{"3", "ANSI_1250"}));
    groups extmin = entry(g, "9", "$EXTMIN");
    extmin.resize(4);
    EXPECT_EQ(extmin, (groups{{"9", "$EXTMIN"}, {"10", "-5"}, {"20", "-14"}, {"30", "0"}}));
    EXPECT_EQ(g.back(), (std::pair<std::string, std::string>{"0", "EOF"}));
    EXPECT_EQ(drawing().unit_factor, 1000);
}

TEST_F(DrawMake, LineTypesFollowTheUnit) {
    sewer("P", 1, {0, 20});
    struct unit_case {
        int unit;
        groups dash;
    };
    const std::vector<unit_case> cases = {
        {0, {{"0", "LTYPE"}, {"2", "DASH"}, {"70", "0"}, {"3", "— — — — — — — — — — — —"_cp}, {"72", "65"}, {"73", "2"},
             {"40", "375"}, {"49", "250"}, {"49", "-125"}}},
        {3, {{"0", "LTYPE"}, {"2", "DASH"}, {"70", "0"}, {"3", "— — — — — — — — — — — —"_cp}, {"72", "65"}, {"73", "2"},
             {"40", "0.375"}, {"49", "0.25"}, {"49", "-0.125"}}},
    };
    for (const unit_case& c : cases) {
        topcje->cb_jedn->SetItemIndex(c.unit);
        Form1->draw_make("in");
        const groups g = written();
        groups dash;
        // The DASH entry: from its LTYPE group to the next code-0 group.
        for (std::size_t i = 0; i + 1 < g.size(); ++i) {
            if (g[i] != std::pair<std::string, std::string>{"0", "LTYPE"} || g[i + 1].second != "DASH") continue;
            dash.push_back(g[i]);
            for (std::size_t j = i + 1; j < g.size() && g[j].first != "0"; ++j) dash.push_back(g[j]);
        }
        EXPECT_EQ(dash, c.dash);
    }
}

TEST_F(DrawMake, LayersAreDeclaredOnceWithTheirFlagsAndWidthsForThePreviewAndPrinting) {
    sewer("P", 1, {0, 20});
    const std::string dash = topcje->cb_LineType->Items()[1];
    layer_row(1, "Rury", "5", dash, "2", "\xA8");
    layer_row(2, "RURY", "7", dash, "3", "\xA8");  // the same layer for a CAD program
    layer_row(3, "Teren/stary", "3", "nieznany", "1", "\xFE");
    layer_row(4, "Opisy", "1", dash, "1", "");
    Form1->draw_make("in");
    groups g = written();
    std::vector<std::string> names;
    std::vector<groups> layers;
    for (std::size_t i = 0; i < g.size(); ++i) {
        if (g[i] != std::pair<std::string, std::string>{"0", "LAYER"}) continue;
        groups one{g[i]};
        for (std::size_t j = i + 1; j < g.size() && g[j].first != "0"; ++j) one.push_back(g[j]);
        layers.push_back(one);
    }
    ASSERT_EQ(layers.size(), 3u);
    EXPECT_EQ(layers[0], (groups{{"0", "LAYER"}, {"2", "Rury"}, {"70", "64"}, {"62", "5"}, {"6", "DASH"}, {"39", "2"}}));
    EXPECT_EQ(layers[1],
              (groups{{"0", "LAYER"}, {"2", "Teren_stary"}, {"70", "4"}, {"62", "3"}, {"6", "CONTINUOUS"}, {"39", "1"}}));
    EXPECT_EQ(layers[2], (groups{{"0", "LAYER"}, {"2", "Opisy"}, {"70", "4"}, {"62", "1"}, {"6", "DASH"}, {"39", "1"}}));

    // Printing draws the layers' widths too; a drawing for a CAD program
    // and one with handles carry none.
    Form1->draw_make("print");
    EXPECT_EQ(values(written(), "39"), (std::vector<std::string>{"2", "1", "1"}));
    Form1->draw_make("out");
    EXPECT_TRUE(values(written(), "39").empty());
    settings().add_entity_handles = true;
    Form1->draw_make("in");
    g = written();
    EXPECT_TRUE(values(g, "39").empty());
    EXPECT_FALSE(values(g, "5").empty());
}

TEST_F(DrawMake, SymbolBlocksAsTheNodesNeedThem) {
    struct kinds_case {
        std::vector<std::string> objects;
        bool piezometer;
        std::vector<std::string> blocks;
    };
    const std::vector<kinds_case> cases = {
        {{"sl-rr", "sl-rr 2"}, false, {"SLRR"}},
        {{"sl-rbou sl-rr", ""}, false, {"SLRR", "SLRBOU"}},
        {{"SL-RCOLV", "studnia"}, false, {"SLRCOLV"}},
        {{"sl-rbou", "sl-rbou 2"}, true, {"SLRBOU", "PIEZO"}},
        {{"rurociąg"_cp, "Trójnik"_cp}, false, {"KOLIZJA"}},
        {{"studnia", ""}, false, {}},
    };
    for (const kinds_case& c : cases) {
        SCOPED_TRACE(c.objects[0]);
        model().profiles.clear();
        const uint16_t p = sewer("P", 1, {0, 20});
        for (std::size_t i = 0; i < c.objects.size(); ++i) model().profiles[p].nodes[i].obiekt = c.objects[i];
        Form1->cb_DrainagePiezometer->SetChecked(c.piezometer);
        Form1->draw_make("in");
        const groups g = written();
        std::vector<std::string> blocks;
        for (std::size_t i = 0; i < g.size(); ++i) {
            if (g[i] != std::pair<std::string, std::string>{"0", "BLOCK"}) continue;
            for (std::size_t j = i + 1; j < g.size() && g[j].first != "0"; ++j)
                if (g[j].first == "2") blocks.push_back(g[j].second);
        }
        EXPECT_EQ(blocks, c.blocks);
    }
    // The cross-section sheet always has the crossing block.
    Form1->tb_PreviewCrossSection->SetEnabled(true);
    Form1->tb_PreviewCrossSection->SetDown(true);
    Form1->draw_make("in");
    EXPECT_EQ(values(entry(written(), "0", "BLOCK"), "2"), std::vector<std::string>{"KOLIZJA"});
}

TEST_F(DrawMake, BendBlocksGoIntoTheBlocksSectionEvenWithALayerNamedBlocks) {
    layer_row(1, "Blocks", "1", topcje->cb_LineType->Items()[0], "1", "\xA8");
    sewer("P", 1, {0, 20});
    DXF_Writer w(file());
    w.write_drawing();
    w.bend_blocks.push_back("  0\r\nBLOCK\r\n  8\r\nBlocks\r\n  2\r\nARC_0_0_1\r\n  0\r\nENDBLK");
    w.write_out();
    const groups g = written();
    std::size_t blocks_header = 0;
    for (std::size_t i = 1; i < g.size(); ++i)
        if (g[i] == std::pair<std::string, std::string>{"2", "BLOCKS"} && g[i - 1].second == "SECTION") blocks_header = i;
    ASSERT_GT(blocks_header, 0u);
    ASSERT_LT(blocks_header + 3, g.size());
    EXPECT_EQ(g[blocks_header + 1], (std::pair<std::string, std::string>{"0", "BLOCK"}));
    EXPECT_EQ(g[blocks_header + 3], (std::pair<std::string, std::string>{"2", "ARC_0_0_1"}));
    // The layer table keeps its one layer and nothing else.
    EXPECT_EQ(values(entry(g, "0", "LAYER"), "2"), std::vector<std::string>{"Blocks"});
    EXPECT_EQ(entry(g, "0", "LAYER").size(), 6u);
}

}  // namespace

namespace {

TEST_F(DrawMake, OpenInCadWritesForCadAndOffersTheFolderWithoutAProgram) {
    sewer("P", 1, {0, 20});
    Form1->SpeedButton10Click(nullptr);
    EXPECT_EQ(drawing().drawing_mode, "out");
    EXPECT_EQ(ui().opened, std::vector<std::string>{file()});
    EXPECT_TRUE(ui().boxes.empty());

    ui().nothing_opens = true;
    for (int answer : {IDCANCEL, IDOK}) {
        ui().opened.clear();
        ui().boxes.clear();
        ui().answer(answer);
        Form1->SpeedButton10Click(nullptr);
        ASSERT_EQ(ui().boxes.size(), 1u);
        EXPECT_EQ(ui().boxes[0].text,
                  "Brak skojarzenia aplikacji z plikiem DXF. \rWybierz aplikację obsługującą pliki DXF.\r\r"_cp + file());
        EXPECT_EQ(ui().boxes[0].buttons(), MB_OKCANCEL);
        EXPECT_EQ(ui().boxes[0].icon(), MB_ICONWARNING);
        std::vector<std::string> expected{file()};
        if (answer == IDOK) expected.push_back(folders().config_folder);
        EXPECT_EQ(ui().opened, expected);
    }
}

}  // namespace
