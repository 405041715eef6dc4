// Printing from the main window on the headless printer (A4, 600 dots per
// inch, 100 pixels of unprintable strip on each side): the page outlines of
// the preview, the print command and the print settings dialog.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "drawing/containers.h"
#include "drawing/drawing_state.h"
#include "drawing/dxf_test_support.h"
#include "drawing/entities.h"
#include "drawing/print_pages.h"
#include "files/settings_groups.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "forms/ustawienia_wydruku.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "platform/exceptions.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/input.h"
#include "platform/paths.h"
#include "platform/sysutils.h"
#include "support/fixture.h"
#include "support/model_builders.h"

namespace {

// The headless printer's page at the default margins 10, 10, 5, 15:
// the paper is 4960 / 600 x 25.4 millimetres wide, the offsets 100 / 600 x 25.4.
const double paper_width = 4960 / 600.0 * 25.4;
const double page_width = paper_width - 20;
const double page_height = 7016 / 600.0 * 25.4 - 20;

class Printing : public ProgramTest {
protected:
    Printing() {
        decimal_separator = '.';
        euro_rounding = false;
        // A new project with the default settings: its drawing is the title
        // block of one box.
        Form1->a_ProjectNew->Execute();
        settings().title_column_width = 40;
        Form1->make_text_box(1, 10, 20, 300, 60)->Lines().Add("Projekt");
    }
    Ttustawienia_wydruku& dialog() { return *tustawienia_wydruku; }
    RecordingPrinter& printer() { return ui().printer_; }

    // "rysunek.dxf" of the configuration folder: a line across the extents
    // on layer "rury" (and one on layer "0" when asked).
    static void write_drawing(double width, double height, bool layer_0 = false) {
        std::string entities = dxf_text({"0", "LINE", "8", "rury", "62", "3", "10", "0", "20", "0", "11",
                                         FloatToStr(width), "21", FloatToStr(height)});
        if (layer_0) entities += dxf_text({"0", "LINE", "8", "0", "10", "0", "20", "0", "11", "1", "21", "1"});
        write_file(folders().config_folder + "rysunek.dxf",
                   dxf_text({"0", "SECTION", "2", "ENTITIES"}) + entities + dxf_text({"0", "ENDSEC", "0", "EOF"}));
    }
    // The lines of layer "0" that are not the drawing's own.
    static std::vector<const Line_*> outlines() {
        std::vector<const Line_*> out;
        const DXF_Layer* layer = Form1->preview_drawing ? Form1->preview_drawing->find_layer("0") : nullptr;
        const Entity_List* lines = layer ? layer->find_entity_list("Line_") : nullptr;
        if (!lines) return out;
        for (const auto& e : lines->entities())
            if (e->colour_index == 9) out.push_back(static_cast<const Line_*>(e.get()));
        return out;
    }
    static double unit() { return std::pow(10.0, topcje->cb_jedn->ItemIndex()); }
};

// ---------------------------------------------------------------------------
// The page outlines of the preview.

TEST_F(Printing, OutlinesSpanTheGridOfPagesFromTheDrawingsRightAndBottomEdges) {
    struct outline_case {
        double pages_across;
        int columns;
    };
    for (const outline_case c : {outline_case{2.5, 3}, {2.0, 2}, {0.5, 1}}) {
        const double w = 100 * page_width;  // drawing units a page shows at 1 : 100
        write_drawing(c.pages_across * w, 1000);
        drawing().preview_requested = true;
        ASSERT_TRUE(Form1->wgraj_rysunek());
        const std::vector<const Line_*> lines = outlines();
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(c.columns + 1 + 2)) << c.pages_across;
        const double right = c.pages_across * w + 20 / unit();
        for (int i = 0; i <= c.columns; ++i) {
            EXPECT_NEAR(lines[static_cast<std::size_t>(i)]->position.x, right - i * w, 1e-6);
            EXPECT_NEAR(lines[static_cast<std::size_t>(i)]->position.y, 0, 1e-9);
            EXPECT_NEAR(lines[static_cast<std::size_t>(i)]->end_point.y, 100 * page_height, 1e-6);
        }
        const Line_* bottom = lines[static_cast<std::size_t>(c.columns + 1)];
        EXPECT_NEAR(bottom->position.x, right - c.columns * w, 1e-6);
        EXPECT_NEAR(bottom->end_point.x, right, 1e-6);
        // The print dialog's grid counts the same pages.
        Form1->odswiez_kartki();
        EXPECT_EQ(dialog().sg_kartki->ColCount(), c.columns);
        EXPECT_EQ(dialog().sg_kartki->RowCount(), 1);
    }
}

TEST_F(Printing, OutlinesInCentimetresWithTheAutomaticRatioMatchThePrintGrid) {
    // Centimetres: the automatic ratio is 10 units a print millimetre, so a
    // page shows 10 x W drawing units.
    topcje->cb_jedn->SetItemIndex(1);
    IniFile ini(user_settings_file());
    ini.WriteInteger("rysunek", "jednostka_last", 1);
    ini.UpdateFile();
    dialog().cb_Auto->SetChecked(true);
    EXPECT_EQ(dialog().e_jedn->Text(), "10");
    write_drawing(2.5 * 10 * page_width, 10);
    drawing().preview_requested = true;
    ASSERT_TRUE(Form1->wgraj_rysunek());
    Form1->odswiez_kartki();
    const std::vector<const Line_*> lines = outlines();
    ASSERT_EQ(dialog().sg_kartki->ColCount(), 3);
    ASSERT_EQ(lines.size(), 3u + 1 + 2);
    EXPECT_NEAR(lines[0]->position.x - lines[1]->position.x, 10 * page_width, 1e-6);
    EXPECT_NEAR(lines[0]->position.x, 2.5 * 10 * page_width + 2, 1e-6);  // 20 mm = 2 cm on
}

TEST_F(Printing, NoOutlinesWithoutAPrinterWithHiddenPagesOrForPrinting) {
    struct none_case {
        const char* what;
        bool printer, requested, hidden;
    };
    const none_case cases[] = {
        {"no printer", false, true, false},
        {"pages hidden", true, true, true},
        {"not for the preview", true, false, false},
    };
    for (const none_case& c : cases) {
        printer().printers = c.printer ? std::vector<std::string>{"Headless A4"} : std::vector<std::string>{};
        Form1->tb_HidePageBorders->SetDown(c.hidden);
        drawing().preview_requested = c.requested;
        write_drawing(3000, 1000, true);
        ASSERT_TRUE(Form1->wgraj_rysunek());
        EXPECT_TRUE(outlines().empty()) << c.what;
        // The drawing's own line of layer "0" is there alone.
        EXPECT_EQ(Form1->preview_drawing->find_layer("0")->find_entity_list("Line_")->count(), 1) << c.what;
    }
}

TEST_F(Printing, OutlinesMakeLayer0WhenTheDrawingHasNone) {
    write_drawing(3000, 1000);
    drawing().preview_requested = true;
    ASSERT_TRUE(Form1->wgraj_rysunek());
    EXPECT_EQ(outlines().size(), 4u);
    // The outlines are drawn: their list is among the selected ones.
    bool shown = false;
    for (const Entity_List* l : Form1->selection->lists()) shown |= l->owner->name == "0" && l->name == "Line_";
    EXPECT_TRUE(shown);
}

// ---------------------------------------------------------------------------
// The page size and the dialog.

TEST_F(Printing, ThePageSizeRewritesTheMarginsWithTwoDecimals) {
    dialog().e_ml->SetText("2");  // inside the 4.23 mm the printer cannot print
    double w = 0, h = 0;
    Form1->wymiary_strony(w, h);
    const double offset = 100 / 600.0 * 25.4;
    EXPECT_NEAR(w, paper_width - offset - 10, 1e-9);
    EXPECT_NEAR(h, page_height, 1e-9);
    EXPECT_EQ(dialog().e_ml->Text(), "4.23");
    EXPECT_EQ(dialog().e_mr->Text(), "10.00");
    EXPECT_EQ(dialog().e_mt->Text(), "5.00");
    EXPECT_EQ(dialog().e_md->Text(), "15.00");

    // Without a printer nothing changes.
    printer().printers.clear();
    dialog().e_ml->SetText("2");
    w = h = -1;
    Form1->wymiary_strony(w, h);
    EXPECT_EQ(w, -1);
    EXPECT_EQ(h, -1);
    EXPECT_EQ(dialog().e_ml->Text(), "2");
}

TEST_F(Printing, AFreshDialogHasTheDefaults) {
    const Ttustawienia_wydruku& d = dialog();
    EXPECT_EQ(d.e_ml->Text(), "10");
    EXPECT_EQ(d.e_mr->Text(), "10");
    EXPECT_EQ(d.e_mt->Text(), "5");
    EXPECT_EQ(d.e_md->Text(), "15");
    EXPECT_EQ(d.e_mm->Text(), "1");
    EXPECT_EQ(d.e_jedn->Text(), "100");
    EXPECT_EQ(d.rg_Borders->ItemIndex(), 0);
    EXPECT_EQ(d.rg_PenWidth->ItemIndex(), 1);
    EXPECT_EQ(d.se_PenWidth->Value(), 3);
    EXPECT_TRUE(d.se_PenWidth->Enabled());
    EXPECT_EQ(d.cb_PrintMode->ItemIndex(), 0);
    EXPECT_FALSE(d.cb_BlacknWhite->Checked());
    EXPECT_FALSE(d.cb_BlacknWhite->Enabled());
    EXPECT_FALSE(d.cb_PrintToFile->Checked());
    EXPECT_EQ(d.se_Copies->Text(), "1");
    EXPECT_FALSE(d.cb_Fit->Checked());
    EXPECT_FALSE(d.cb_CenterOnPage->Enabled());
    EXPECT_EQ(d.sg_kartki->ColCount(), 6);
    EXPECT_EQ(d.sg_kartki->RowCount(), 3);
    EXPECT_EQ(d.sg_kartki->Cells(5, 2), "+");
    EXPECT_EQ(d.l_CurrentPrinter->Caption(), "Headless A4");
}

TEST_F(Printing, TheDialogRestoresItsSettingsAndANonNumericRatioGivesTheDefault) {
    struct restore_case {
        const char* mm;
        const char* jedn;
        const char* shown_mm;
        const char* shown_jedn;
    };
    const restore_case cases[] = {
        {"2,5", "250", "2.5", "250"},
        {"", "", "1", "100"},
        {"abc", "1x", "1", "100"},
    };
    for (const restore_case& c : cases) {
        IniFile ini(user_settings_file());
        ini.WriteString("drukowanie", "mm", c.mm);
        ini.WriteString("drukowanie", "jedn", c.jedn);
        ini.WriteString("drukowanie", "marg_l", "12,5");
        ini.WriteInteger("drukowanie", "granice", 2);
        ini.WriteInteger("drukowanie", "penwidth_mode", 0);
        ini.WriteInteger("drukowanie", "penwidth", 7);
        ini.WriteInteger("drukowanie", "printmode", 1);
        ini.WriteBool("drukowanie", "blacknwhite", true);
        ini.WriteBool("drukowanie", "printtofile", true);
        ini.UpdateFile();
        dialog().FormCreate(nullptr);
        EXPECT_EQ(dialog().e_mm->Text(), c.shown_mm) << c.mm;
        EXPECT_EQ(dialog().e_jedn->Text(), c.shown_jedn) << c.jedn;
        EXPECT_EQ(dialog().e_ml->Text(), "12.5");  // as stored, the rebuild of the grid waits for the print
        EXPECT_EQ(dialog().rg_Borders->ItemIndex(), 2);
        EXPECT_EQ(dialog().rg_PenWidth->ItemIndex(), 0);
        EXPECT_FALSE(dialog().se_PenWidth->Enabled());
        EXPECT_EQ(dialog().se_PenWidth->Value(), 7);
        EXPECT_TRUE(dialog().cb_BlacknWhite->Checked());
        EXPECT_TRUE(dialog().cb_BlacknWhite->Enabled());
        EXPECT_TRUE(dialog().cb_PrintToFile->Checked());
    }
}

TEST_F(Printing, TheDialogsControlsEnableEachOtherAndTheGridToggles) {
    write_drawing(3 * 100 * page_width, 1000);
    bool shown = false;
    ui().on_modal("Ttustawienia_wydruku", [&](TForm&) {
        shown = true;
        Ttustawienia_wydruku& d = dialog();
        EXPECT_TRUE(d.b_PrinterSetup->Enabled());
        // Fit: one page, the ratio shown with six decimals, the ratio fields off.
        user::click(d.cb_Fit);
        EXPECT_EQ(d.sg_kartki->ColCount(), 1);
        EXPECT_EQ(d.e_jedn->Text(), Format("%.6f", {3 * 100 * page_width / page_width}));
        EXPECT_FALSE(d.e_mm->Enabled());
        EXPECT_FALSE(d.e_jedn->Enabled());
        EXPECT_FALSE(d.cb_Auto->Enabled());
        EXPECT_TRUE(d.cb_CenterOnPage->Enabled());
        user::click(d.cb_CenterOnPage);
        user::click(d.cb_Fit);
        EXPECT_TRUE(d.e_mm->Enabled());
        EXPECT_TRUE(d.cb_Auto->Enabled());
        EXPECT_FALSE(d.cb_CenterOnPage->Enabled());
        EXPECT_FALSE(d.cb_CenterOnPage->Checked());
        // Automatic: 100 mm of the drawing a print millimetre.
        user::click(d.cb_Auto);
        EXPECT_FALSE(d.e_jedn->Enabled());
        EXPECT_EQ(d.e_mm->Text(), "1");
        EXPECT_EQ(d.e_jedn->Text(), "100");
        EXPECT_EQ(d.sg_kartki->ColCount(), 3);
        user::click(d.cb_Auto);
        EXPECT_TRUE(d.e_jedn->Enabled());

        // A cell clicked toggles its mark, and the mark its yellow.
        user::click_cell(d.sg_kartki, 0, 0);
        EXPECT_EQ(d.sg_kartki->Cells(0, 0), "+");
        user::click_cell(d.sg_kartki, 2, 0);
        EXPECT_EQ(d.sg_kartki->Cells(2, 0), "");
        user::click_cell(d.sg_kartki, 2, 0);
        EXPECT_EQ(d.sg_kartki->Cells(2, 0), "+");
        // An empty ratio or 0 leaves the grid and its marks alone.
        user::set_text(d.e_jedn, "");
        user::set_text(d.e_jedn, "0");
        EXPECT_EQ(d.sg_kartki->ColCount(), 3);
        EXPECT_EQ(d.sg_kartki->Cells(0, 0), "+");
        // A ratio rebuilds it: twice the units, half the pages.
        user::set_text(d.e_jedn, "200");
        EXPECT_EQ(d.sg_kartki->ColCount(), 2);
        EXPECT_EQ(d.sg_kartki->Cells(0, 0), "");
        EXPECT_EQ(d.sg_kartki->Cells(1, 0), "+");

        // Raster output allows black and white; vector keeps its check.
        user::choose(d.cb_PrintMode, 1);
        EXPECT_TRUE(d.cb_BlacknWhite->Enabled());
        user::click(d.cb_BlacknWhite);
        user::choose(d.cb_PrintMode, 0);
        EXPECT_FALSE(d.cb_BlacknWhite->Enabled());
        EXPECT_TRUE(d.cb_BlacknWhite->Checked());
        user::choose(d.rg_PenWidth, 0);
        EXPECT_FALSE(d.se_PenWidth->Enabled());

        // Leaving the copies: an empty or negative count becomes 1.
        for (const char* typed : {"-3", "", "4"}) {
            user::focus(d.se_Copies);
            user::set_text(d.se_Copies, typed);
            user::focus(d.e_ml);
            EXPECT_EQ(d.se_Copies->Text(), std::string(typed) == "4" ? "4" : "1") << typed;
        }
        user::click(d.b_Cancel);
    });
    dialog().ShowModal();
    EXPECT_TRUE(shown);
}

TEST_F(Printing, ARatioThatIsNoNumberRaisesTheConversionError) {
    EXPECT_THROW(dialog().e_jedn->SetText("1x"), EConvertError);
}

// ---------------------------------------------------------------------------
// The print command.

TEST_F(Printing, WithoutAPrinterTheCommandSaysSoAndStops) {
    printer().printers.clear();
    Form1->sb_printClick(nullptr);
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_EQ(ui().boxes[0].text, "Błąd: Brak zainstalowanej drukarki."_cp);
    EXPECT_TRUE(ui().modal_forms.empty());
    EXPECT_TRUE(printer().documents.empty());
}

TEST_F(Printing, CancellingPrintsNothingAndKeepsTheSettings) {
    ui().on_modal("Ttustawienia_wydruku", [&](TForm&) {
        EXPECT_FALSE(drawing().preview_requested);
        EXPECT_EQ(drawing().drawing_mode, "print");
        user::click(dialog().b_Cancel);
    });
    drawing().preview_requested = true;
    Form1->sb_printClick(nullptr);
    EXPECT_TRUE(printer().documents.empty());
    EXPECT_TRUE(IniFile(user_settings_file()).ReadSection("drukowanie").empty());
}

// Marks the first `pages` cells in print order (columns, then rows) of a
// grid of at least that many, with e_jedn small enough.
void mark_pages(Ttustawienia_wydruku& d, int pages) {
    user::set_text(d.e_jedn, "0.01");
    TStringGrid& g = *d.sg_kartki;
    ASSERT_GE(g.ColCount() * g.RowCount(), pages);
    for (int c = 0; c < g.ColCount(); ++c)
        for (int r = 0; r < g.RowCount(); ++r) g.SetCell(c, r, c * g.RowCount() + r < pages ? "+" : "");
}

TEST_F(Printing, EachPageIsAJobWithItsCopiesAndTheSettingsAreSaved) {
    ui().on_modal("Ttustawienia_wydruku", [&](TForm&) {
        mark_pages(dialog(), 3);
        user::set_text(dialog().se_Copies, "2");
        user::click(dialog().b_Print);
    });
    Form1->sb_printClick(nullptr);
    ASSERT_EQ(printer().documents.size(), 3u);
    for (const auto& doc : printer().documents) {
        EXPECT_EQ(doc.pages.size(), 1u);
        EXPECT_EQ(doc.copies, 2);
        EXPECT_TRUE(doc.output_file.empty());
        // Corner crosses: eight strokes before the clip.
        const auto& ops = doc.pages[0]->ops;
        ASSERT_GE(ops.size(), 9u);
        EXPECT_EQ(ops[8].kind, "clip");
    }
    EXPECT_EQ(printer().Copies, 1);
    const IniFile ini(user_settings_file());
    EXPECT_EQ(ini.ReadString("drukowanie", "jedn", ""), "0.01");
    EXPECT_EQ(ini.ReadString("drukowanie", "marg_l", ""), "10.00");
    EXPECT_EQ(ini.ReadInteger("drukowanie", "penwidth", 0), 3);
    EXPECT_EQ(ini.ReadString("drukowanie", "printtofile", ""), "0");
    EXPECT_TRUE(ui().boxes.empty());
}

TEST_F(Printing, AnEntryThatPrintsIntoAFileTakesTheRunAsOneDocument) {
    printer().printers.push_back("PDF");
    printer().file_entry = 1;
    printer().SetPrinterIndex(1);
    ui().on_modal("Ttustawienia_wydruku", [&](TForm&) {
        mark_pages(dialog(), 2);
        user::set_text(dialog().se_Copies, "3");
        user::click(dialog().b_Print);
    });
    Form1->sb_printClick(nullptr);
    ASSERT_EQ(printer().documents.size(), 1u);
    EXPECT_EQ(printer().documents[0].pages.size(), 2u);
    EXPECT_EQ(printer().documents[0].copies, 1);
}

TEST_F(Printing, VectorPagesIntoAFileMakeOnePdfAndOneBox) {
    ui().on_modal("Ttustawienia_wydruku", [&](TForm&) {
        mark_pages(dialog(), 2);
        user::click(dialog().cb_PrintToFile);
        user::click(dialog().b_Print);
    });
    Form1->sb_printClick(nullptr);
    ASSERT_EQ(printer().documents.size(), 1u);
    EXPECT_EQ(printer().documents[0].pages.size(), 2u);
    const std::string pdf = path_join(folders().config_folder, "print.pdf");
    EXPECT_EQ(printer().documents[0].output_file, pdf);
    EXPECT_TRUE(printer().output_file.empty());
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_EQ(ui().boxes[0].text, "Wydruk został zapisany w pliku: \r "_cp + pdf);
}

TEST_F(Printing, RasterPagesIntoFilesAreNumberedAndStaleNumbersGo) {
    const std::string folder = folders().config_folder;
    for (int n = 1; n <= 5; ++n) write_file(path_join(folder, "print-" + IntToStr(n) + ".png"), "old");
    write_file(path_join(folder, "print-x.png"), "not ours");
    struct run_case {
        int pages;
        std::vector<std::string> saved;
        std::vector<std::string> left;
    };
    const run_case runs[] = {
        {3, {"print-1.png", "print-2.png", "print-3.png"}, {"print-1.png", "print-2.png", "print-3.png", "print-x.png"}},
        {1, {"print.png"}, {"print-x.png"}},
    };
    for (const run_case& run : runs) {
        ui().saved_bitmaps.clear();
        ui().boxes.clear();
        ui().on_modal("Ttustawienia_wydruku", [&](TForm&) {
            mark_pages(dialog(), run.pages);
            user::choose(dialog().cb_PrintMode, 1);
            if (!dialog().cb_BlacknWhite->Checked()) user::click(dialog().cb_BlacknWhite);
            if (!dialog().cb_PrintToFile->Checked()) user::click(dialog().cb_PrintToFile);
            user::click(dialog().b_Print);
        });
        Form1->sb_printClick(nullptr);
        std::vector<std::string> saved;
        for (const auto& b : ui().saved_bitmaps) {
            saved.push_back(ExtractFileName(b.path));
            EXPECT_TRUE(b.monochrome);
            // 600 dpi printed at 300: half the printer's pixels.
            const double mx = 25.4 / 300;
            const int left = static_cast<int>(std::lround((10 - 100 / 600.0 * 25.4) / mx));
            EXPECT_EQ(b.width, left + static_cast<int>(std::lround(page_width / mx)) + left);
        }
        EXPECT_EQ(saved, run.saved);
        EXPECT_EQ(ui().boxes.size(), run.saved.size());
        EXPECT_EQ(list_folder(folder, "print*.png", false), run.left);
        EXPECT_TRUE(printer().documents.empty());
    }
}

TEST_F(Printing, RasterPagesGoToThePrinterInBandsOfAboutAHundredRows) {
    ui().on_modal("Ttustawienia_wydruku", [&](TForm&) {
        user::choose(dialog().cb_PrintMode, 1);
        user::click(dialog().b_Print);
    });
    Form1->sb_printClick(nullptr);
    ASSERT_EQ(printer().documents.size(), 1u);
    const auto stretches = printer().documents[0].pages[0]->of_kind("stretch");
    ASSERT_FALSE(stretches.empty());
    // The bands cover the page rectangle's full height at the printer's
    // resolution, one after the other, each from the rows of the
    // half-resolution bitmap at its height's proportion.
    const int a = stretches.back().args[3];
    const int bitmap_height = stretches[0].args[9];
    EXPECT_NEAR(bitmap_height, a / 2.0, 1);
    int y = 0;
    for (const auto& s : stretches) {
        EXPECT_EQ(s.args[1], y);
        EXPECT_EQ(s.args[5], std::lround(static_cast<double>(y) * bitmap_height / a));
        y = s.args[3];
    }
    EXPECT_NEAR(stretches[0].args[3] - stretches[0].args[1], 100, 1);
}

TEST_F(Printing, TheBandsOfAPageUnderAHundredRowsAreTheWholePage) {
    auto bitmap = ui().make_bitmap(40, 30);
    printer().BeginDoc();
    Form1->printBMP(*bitmap, "t", {0, 0, 40, 60});
    const auto stretches = printer().pages.back()->of_kind("stretch");
    ASSERT_EQ(stretches.size(), 1u);
    EXPECT_EQ(stretches[0].args, (std::vector<int>{0, 0, 40, 60, 0, 0, 40, 30, 40, 30}));
    printer().EndDoc();
}

TEST_F(Printing, ThePenWidthChoiceReachesTheLineRenderer) {
    for (int mode : {0, 1}) {
        dialog().rg_PenWidth->SetItemIndex(mode);
        Form1->draw_make("print");
        EXPECT_EQ(drawing_pen_width_mode, mode);
        EXPECT_EQ(drawing().pen_width, mode);
    }
}

}  // namespace

namespace {

struct PreviewCalls : model_view {
    int redraws = 0;
    void redraw_preview() override { ++redraws; }
};

TEST_F(Printing, TheCommandsStandInTheFileMenuAndOnItsToolBar) {
    EXPECT_EQ(Form1->a_Print->Caption(), "&Drukuj...");
    EXPECT_EQ(Form1->a_Print->ShortCut(), ShortCut('P', ssCtrl));
    EXPECT_EQ(Form1->sb_print->Parent(), Form1->tb_plik1);
    EXPECT_EQ(Form1->sb_print->Action(), Form1->a_Print);
    EXPECT_EQ(Form1->mi_PrinterSetup->Caption(), "&Ustawienia drukarki...");
    bool print_item = false, setup_item = false;
    for (int i = 0; i < Form1->mi_File->Count(); ++i) {
        print_item |= Form1->mi_File->Items(i)->Action() == Form1->a_Print;
        setup_item |= Form1->mi_File->Items(i) == Form1->mi_PrinterSetup;
    }
    EXPECT_TRUE(print_item);
    EXPECT_TRUE(setup_item);

    // The printer set-up: the page of the printer chosen there is read.
    ui().confirm_printer_setup(true);
    printer().SetOrientation(TPrinterOrientation::poLandscape);
    user::choose_menu(Form1->mi_PrinterSetup);
    double w = 0, h = 0;
    Form1->wymiary_strony(w, h);
    EXPECT_NEAR(w, 7016 / 600.0 * 25.4 - 20, 1e-9);
}

TEST_F(Printing, ThePreviewIsMadeAgainAfterPrintingButNotAfterACancel) {
    PreviewCalls calls;
    scoped_view use(calls);
    ui().on_modal("Ttustawienia_wydruku", [&](TForm&) { user::click(dialog().b_Cancel); });
    Form1->sb_printClick(nullptr);
    EXPECT_EQ(calls.redraws, 0);
    ui().on_modal("Ttustawienia_wydruku", [&](TForm&) { user::click(dialog().b_Print); });
    Form1->sb_printClick(nullptr);
    EXPECT_EQ(calls.redraws, 1);
    EXPECT_EQ(printer().documents.size(), 1u);
}

TEST_F(Printing, TheDialogsPrinterButtonRunsTheSetUpAndRebuildsTheGrid) {
    ui().confirm_printer_setup(true);
    ui().on_modal("Ttustawienia_wydruku", [&](TForm&) {
        Ttustawienia_wydruku& d = dialog();
        d.sg_kartki->SetCell(0, 0, "+");
        printer().SetOrientation(TPrinterOrientation::poLandscape);
        user::click(d.b_PrinterSetup);
        // Rebuilt: only the bottom right page is marked.
        const int c = d.sg_kartki->ColCount(), r = d.sg_kartki->RowCount();
        EXPECT_EQ(d.sg_kartki->Cells(c - 1, r - 1), "+");
        if (c * r > 1) {
            EXPECT_EQ(d.sg_kartki->Cells(0, 0), "");
        }
        EXPECT_EQ(d.e_mr->Text(), "10.00");
        user::click(d.b_Cancel);
    });
    Form1->sb_printClick(nullptr);
    EXPECT_EQ(page_parameters().physical_width, 7016);
}

}  // namespace
