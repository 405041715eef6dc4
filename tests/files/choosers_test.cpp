// The colour chooser "Wybierz kolor:" and the network-type chooser "Media"
// as the settings tables open them.
#include <gtest/gtest.h>

#include "files/kolory.h"
#include "files/media.h"
#include "forms/kolory.h"
#include "forms/media.h"
#include "forms/opcje.h"
#include "model/drawing_palette.h"
#include "platform/cp1250.h"
#include "platform/input.h"
#include "support/fixture.h"

namespace {

class Choosers : public ProgramTest {
protected:
    // A table cell to choose a colour for.
    static TStringGrid* table_at(TStringGrid* g, int col, int row, const std::string& text) {
        g->SetCell(col, row, text);
        g->SetCol(col);
        g->SetRow(row);
        return g;
    }
    // Opens "Media" with the letters; `play` acts as the user, then OK.
    std::optional<std::string> networks(const std::string& letters, const std::function<void(TtMedia&)>& play,
                                        bool ok = true) {
        ui().on_modal("TtMedia", [&](TForm&) {
            play(*tMedia);
            user::click(ok ? tMedia->b_OK : tMedia->b_Cancel);
        });
        return choose_networks(letters);
    }
    static std::vector<bool> checked() {
        std::vector<bool> out;
        for (int i = 0; i < tMedia->clb_Media->Items().Count(); ++i) out.push_back(tMedia->clb_Media->Checked(i));
        return out;
    }
};

TEST_F(Choosers, LayerTableOffersNoByLayerAndADoubleClickWritesTheNumber) {
    TStringGrid* layers = table_at(topcje->sag_Layers, 2, 1, "12");
    ui().on_modal("Ttkolory", [](TForm&) {
        Ttkolory& k = *tkolory;
        EXPECT_FALSE(k.st_bylayer->Enabled());
        EXPECT_EQ(k.se_kolor->Value(), 12);
        EXPECT_EQ(k.se_kolor->Hint(), "sag_Layers");
        EXPECT_EQ(k.p_kolor->Color(), drawing_palette_fixed[11]);
        user::set_text(k.se_kolor, "300");
        EXPECT_EQ(k.se_kolor->Value(), 255);
        user::click_cell(k.sag_Colors, 2, 7);  // 10 + 20 + 7
        EXPECT_EQ(k.se_kolor->Value(), 37);
        user::double_click(k.sag_Colors);
    });
    EXPECT_EQ(choose_drawing_colour(layers, false), 37);
    EXPECT_EQ(layers->Cells(2, 1), "37");
}

TEST_F(Choosers, ByLayerShowsAWhitePanelAndEscapeChangesNothing) {
    TStringGrid* fonts = table_at(topcje->sag_Fonts, 2, 3, "8");
    ui().on_modal("Ttkolory", [](TForm&) {
        Ttkolory& k = *tkolory;
        EXPECT_TRUE(k.st_bylayer->Enabled());
        user::click(k.st_bylayer);
        EXPECT_EQ(k.se_kolor->Value(), 256);
        EXPECT_EQ(k.p_kolor->Color(), clWhite);
        EXPECT_EQ(k.p_kolor->Caption(), "Jak Warstwa");
        user::click_cell(k.sag_GrayScale, 3, 0);
        EXPECT_EQ(k.se_kolor->Value(), 253);
        EXPECT_EQ(k.p_kolor->Caption(), "");
        user::focus(k.se_kolor);
        user::key(VK_ESCAPE);
    });
    EXPECT_EQ(choose_drawing_colour(fonts, true), std::nullopt);
    EXPECT_EQ(fonts->Cells(2, 3), "8");

    // Enter in a table confirms; a double click on "Jak Warstwa" writes 256.
    ui().on_modal("Ttkolory", [](TForm&) {
        user::click_cell(tkolory->sag_MainColors, 4, 0);
        user::key(VK_RETURN);
    });
    EXPECT_EQ(choose_drawing_colour(fonts, true), 5);
    EXPECT_EQ(fonts->Cells(2, 3), "5");
    ui().on_modal("Ttkolory", [](TForm&) { user::double_click(tkolory->st_bylayer); });
    EXPECT_EQ(choose_drawing_colour(fonts, true), 256);
    EXPECT_EQ(fonts->Cells(2, 3), "256");
}

TEST_F(Choosers, ColourCellsArePaintedWholeInTheirNumbersColour) {
    RecordingCanvas canvas;
    tkolory->sag_Colors->PaintTo(canvas);
    const TRect cell = tkolory->sag_Colors->CellRect(2, 7);
    bool found = false;
    for (const auto& op : canvas.ops)
        if (op.kind == "fill" && op.args == std::vector<int>{cell.Left, cell.Top, cell.Right, cell.Bottom})
            found = found || op.brush.Color == drawing_palette_fixed[36];
    EXPECT_TRUE(found);
    EXPECT_EQ(tkolory->sag_Colors->Cells(23, 9), "249");
    EXPECT_EQ(tkolory->sag_GrayScale->Cells(5, 0), "255");
}

TEST_F(Choosers, NetworkTypesInAndOutAsLetters) {
    const auto none_but = [](std::initializer_list<int> on) {
        std::vector<bool> v(7, false);
        for (int i : on) v[static_cast<std::size_t>(i)] = true;
        return v;
    };
    // Every type; unchecking the gas main gives the other six in list order.
    EXPECT_EQ(networks("a", [&](TtMedia& m) {
                  EXPECT_EQ(checked(), std::vector<bool>(7, true));
                  EXPECT_EQ(m.clb_Media->Items()[3], "gazociąg"_cp);
                  user::toggle_check(m.clb_Media, 3);
              }),
              "w,k,d,c,m,i,");
    EXPECT_EQ(networks("k,i,", [&](TtMedia&) { EXPECT_EQ(checked(), none_but({1, 6})); }), "k,i,");
    // A part that is no network letter is ignored.
    EXPECT_EQ(networks("x,w,", [&](TtMedia&) { EXPECT_EQ(checked(), none_but({0})); }), "w,");
    // The empty text is no type, and stays so.
    EXPECT_EQ(networks("", [&](TtMedia&) { EXPECT_EQ(checked(), none_but({})); }), "");
    EXPECT_EQ(networks("w,", [](TtMedia& m) { user::toggle_check(m.clb_Media, 0); }), "");
    EXPECT_EQ(networks("", [](TtMedia& m) { user::click(m.cb_CheckAll); }), "a");
    EXPECT_EQ(networks("d,", [](TtMedia& m) { user::toggle_check(m.clb_Media, 4); }, false), std::nullopt);
}

TEST_F(Choosers, NetworkItemsShowTheirColourSquare) {
    networks("a", [](TtMedia&) {});
    RecordingCanvas canvas;
    TCheckListBox* l = tMedia->clb_Media;
    l->set_canvas(&canvas);
    tMedia->clb_MediaDrawItem(l, 2, TRect{0, 34, 200, 51}, odSelected);
    l->set_canvas(nullptr);
    ASSERT_GE(canvas.ops.size(), 3u);
    EXPECT_EQ(canvas.ops[0].kind, "fill");
    EXPECT_EQ(canvas.ops[0].brush.Color, TColor(0x800000));  // navy
    EXPECT_EQ(canvas.ops[1].args, (std::vector<int>{5, 37, 15, 48}));
    EXPECT_EQ(canvas.ops[1].brush.Color, drawing_palette_fixed[83]);  // the sewer's 84
    EXPECT_EQ(canvas.ops.back().text, "kanalizacja");
    EXPECT_EQ(canvas.ops.back().font.Color, clBlack);
}

}  // namespace
