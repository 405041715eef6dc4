#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <string>
#include <vector>

#include "files/settings.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "platform/cp1250.h"
#include "platform/input.h"
#include "platform/sysutils.h"
#include "support/fixture.h"

namespace {

// Records what the confirmation asks of the main window.
struct recording_view : model_view {
    std::vector<std::string> calls;
    void recalculate_current() override { calls.push_back("recalculate"); }
    void przypisz_kolumny() override { calls.push_back("columns"); }
    void redraw_preview() override { calls.push_back("preview"); }
    void resajz(uint8_t size) override { calls.push_back("font " + IntToStr(size)); }
};

class SettingsFields : public ProgramTest {
protected:
    SettingsFields() { decimal_separator = '.'; }
    ~SettingsFields() override { set_view(previous_); }
    void record_view() {
        previous_ = &view();
        set_view(&calls_);
    }
    void open(const std::function<void(Ttopcje&)>& play, TButton* close_with = nullptr) {
        ui().on_modal("Ttopcje", [&](TForm&) {
            play(*topcje);
            user::click(close_with ? close_with : topcje->b_OK);
        });
        topcje->ShowModal();
    }
    static void show(Ttopcje& d, TTabSheet* page) { d.PageControl1->SetActivePage(page); }
    recording_view calls_;

private:
    model_view* previous_ = nullptr;
};

TEST_F(SettingsFields, TreeOrderRootsAndPages) {
    const char* const texts[] = {"Użytkownik"_cp, "Kadra", "Rysunek", "Tabela", "Linie", "Czcionki", "Warstwy",
                                 "Parametry profilu", "Parametry profilu 2", "Tabela \"Dane\"", "Autouzupełnianie"_cp,
                                 "Parametry tabeli", "Listy danych", "Przekrój"_cp, "Inne", "Bezpieczeństwo"_cp,
                                 "Ostrzeżenia"_cp};
    const int pages[] = {9, 16, 0, 1, 2, 3, 7, 12, 13, 5, 8, 14, 10, 6, 4, 11, 15};
    TTreeNodes& nodes = topcje->tv_Config->Items();
    ASSERT_EQ(nodes.Count(), 17);
    EXPECT_EQ(nodes.roots().size(), 8u);
    for (const auto& root : nodes.roots()) EXPECT_TRUE(root->Expanded()) << root->Text();
    EXPECT_EQ(topcje->PageControl1->ActivePage(), topcje->ts_Scale);
    open([&](Ttopcje& d) {
        for (int i = 0; i < 17; ++i) {
            EXPECT_EQ(nodes.Item(i)->Text(), texts[i]) << i;
            user::choose_node(d.tv_Config, nodes.Item(i));
            EXPECT_EQ(d.PageControl1->ActivePageIndex(), pages[i]) << i;
        }
        EXPECT_EQ(nodes.Item(1)->Parent(), nodes.Item(0));
        EXPECT_EQ(nodes.Item(8)->Parent(), nodes.Item(2));
        EXPECT_EQ(nodes.Item(11)->Parent(), nodes.Item(9));
        user::choose_node(d.tv_Config, nodes.Item(1));
        EXPECT_EQ(d.PageControl1->ActivePage(), d.ts_Personnel);
        user::choose_node(d.tv_Config, nodes.Item(12));
        EXPECT_EQ(d.PageControl1->ActivePage(), d.ts_Auto_list);
    });
}

TEST_F(SettingsFields, ConfirmationRebuildsColumnsAndRecalculatesOnlyOnChanges) {
    record_view();
    open([](Ttopcje&) {});
    EXPECT_EQ(calls_.calls, (std::vector<std::string>{"columns"}));

    const struct {
        const char* what;
        std::function<void(Ttopcje&)> play;
        bool recalculates;
    } cases[] = {
        {"nothing", [](Ttopcje&) {}, false},
        {"formula", [](Ttopcje& d) { show(d, d.ts_DataTable); user::set_text(d.e_CalcColumnFormula, "@_td_spadek"); }, true},
        {"depth meaning", [](Ttopcje& d) { show(d, d.ts_DataTable); user::click(d.cb_DepthAlways2BottomPipe); }, true},
        {"depth meaning back", [](Ttopcje& d) { show(d, d.ts_DataTable); user::click(d.cb_DepthAlways2BottomPipe); }, true},
        {"slope sign", [](Ttopcje& d) { show(d, d.ts_Other); user::click(d.cb_DropUp); }, true},
        {"a ruler", [](Ttopcje& d) { show(d, d.ts_DrawingParams2); user::click(d.cb_VerticalRuler); }, false},
        {"decimals", [](Ttopcje& d) { d.sag_DataTable->SetCell(4, 1, "0.0000"); }, true},
        {"a title", [](Ttopcje& d) { d.sag_DataTable->SetCell(2, 1, "Moja"); }, false},
    };
    for (const auto& c : cases) {
        calls_.calls.clear();
        open(c.play);
        const std::vector<std::string> expected =
            c.recalculates ? std::vector<std::string>{"columns", "recalculate"} : std::vector<std::string>{"columns"};
        EXPECT_EQ(calls_.calls, expected) << c.what;
    }
    EXPECT_EQ(model().slope_sign, -1);

    // A new table font size resizes the tables first.
    calls_.calls.clear();
    open([](Ttopcje& d) {
        show(d, d.ts_DataTable);
        user::set_value(d.se_wys, d.se_wys->Value() + 2);
    });
    ASSERT_FALSE(calls_.calls.empty());
    EXPECT_EQ(calls_.calls.front(), "font " + IntToStr(settings().table_font_size));

    // The preview page showing is drawn again (the page is chosen without
    // its own showing, which would draw with the settings of no project).
    const TNotifyEvent shown = Form1->ts_DrawingPreview->OnShow;
    Form1->ts_DrawingPreview->OnShow = nullptr;
    Form1->PageControl1->SetActivePage(Form1->ts_DrawingPreview);
    Form1->ts_DrawingPreview->OnShow = shown;
    calls_.calls.clear();
    open([](Ttopcje&) {});
    EXPECT_EQ(calls_.calls, (std::vector<std::string>{"columns", "preview"}));
}

TEST_F(SettingsFields, BadWidthKeepsTheWidthAndTheConfirmationGoesOn) {
    const auto kind = static_cast<std::size_t>(model().column_order[0] % 100);
    const int width = model().column_widths[kind];
    record_view();
    open([](Ttopcje& d) {
        d.sag_DataTable->SetCell(5, 1, "abc");
        d.sag_DataTable->SetCell(5, 2, "-3");
        show(d, d.ts_Other);
        user::click(d.cb_DropUp);
        d.cb_RoundingModeE->SetChecked(false);  // a hidden box: the settings file sets it
    });
    EXPECT_EQ(model().column_widths[kind], width);
    EXPECT_EQ(model().slope_sign, -1);
    EXPECT_FALSE(euro_rounding);
    EXPECT_EQ(calls_.calls, (std::vector<std::string>{"columns", "recalculate"}));
    open([width](Ttopcje& d) { EXPECT_EQ(d.sag_DataTable->Cells(5, 1), IntToStr(width)); });
}

TEST_F(SettingsFields, KeyFiltersZerosOnLeavingAndTheLockedScaleCell) {
    open([](Ttopcje& d) {
        user::choose_node(d.tv_Config, d.tv_Config->Items().Item(13));  // "Przekrój"
        user::set_text(d.e_obsypka, "");
        user::type(d.e_obsypka, "1a,5.2");
        EXPECT_EQ(d.e_obsypka->Text(), "1.52");
        user::set_text(d.e_odstep, "");
        user::choose_node(d.tv_Config, d.tv_Config->Items().Item(8));  // "Parametry profilu 2"
        user::type(d.e_odstep, "2x.0");
        EXPECT_EQ(d.e_odstep->Text(), "20");

        user::choose_node(d.tv_Config, d.tv_Config->Items().Item(10));  // "Autouzupełnianie"
        for (TEdit* e : {d.e_AutoDiameter, d.Edit1, d.e_szer, d.e_AutoAdd2Diameter, d.e_AutoTrenchSlope}) {
            user::set_text(e, "");
            user::focus(e);
            user::focus(d.tv_Config);
            EXPECT_EQ(e->Text(), "0") << e->Name();
        }

        user::choose_node(d.tv_Config, d.tv_Config->Items().Item(2));  // "Rysunek"
        TStringGrid* scales = d.sag_DrawingProperties;
        user::click_cell(scales, 2, 2);
        user::type(scales, "5k0");
        user::key(VK_RETURN);
        EXPECT_EQ(scales->Cells(2, 2), "50");
        user::click_cell(scales, 2, 3);
        user::type(scales, "Ab");
        user::key(VK_RETURN);
        EXPECT_EQ(scales->Cells(2, 3), "Ab");
        if (!d.cb_Fit2Page->Checked()) user::click(d.cb_Fit2Page);
        user::click_cell(scales, 1, 1);
        EXPECT_FALSE(scales->Col() == 1 && scales->Row() == 1);
        user::click(d.cb_Fit2Page);
        user::click_cell(scales, 1, 1);
        EXPECT_TRUE(scales->Col() == 1 && scales->Row() == 1);
    });
}

TEST_F(SettingsFields, MemoLinesExchangeWithCtrlShiftArrows) {
    open([](Ttopcje& d) {
        user::choose_node(d.tv_Config, d.tv_Config->Items().Item(12));  // "Listy danych"
        TMemo* m = d.mm;
        user::focus(m);
        m->SetText("a\r\nbb\r\nc");
        m->SetSelStart(4);  // "b|b"
        user::key(VK_DOWN, ssCtrl | ssShift);
        EXPECT_EQ(m->Text(), "a\r\nc\r\nbb");
        EXPECT_EQ(m->SelStart(), 7);  // the caret moved with its line
        user::key(VK_DOWN, ssCtrl | ssShift);  // the last line stays
        EXPECT_EQ(m->Text(), "a\r\nc\r\nbb");
        user::key(VK_UP, ssCtrl | ssShift);
        user::key(VK_UP, ssCtrl | ssShift);
        EXPECT_EQ(m->Text(), "bb\r\na\r\nc");
        user::key(VK_UP, ssCtrl | ssShift);  // the first line stays
        EXPECT_EQ(m->Text(), "bb\r\na\r\nc");
    }, topcje->b_Cancel);
}

TEST_F(SettingsFields, CreationPutsTheFontsFolderBesideTheDrawingProgram) {
    const std::pair<const char*, const char*> cases[] = {
        {"\"/opt/Cad Pro/bin/cad\" %f", "/opt/Cad Pro/bin/fonts"},
        {"/usr/bin/Cad --open %f", "/usr/bin/fonts"},
        {"", ""},
    };
    for (const auto& [command, folder] : cases) {
        ui().dxf_program_path = command;
        topcje->lab_kat->SetCaption("x");
        topcje->PageControl1->SetActivePage(topcje->ts_Other);
        fire(topcje, topcje->OnCreate, topcje);
        EXPECT_EQ(topcje->lab_kat->Caption(), folder) << command;
        EXPECT_EQ(topcje->PageControl1->ActivePage(), topcje->ts_Scale);
    }
}

TEST_F(SettingsFields, ChoosersMoveToThePageTheTreeShows) {
    open([](Ttopcje& d) {
        TTreeNodes& nodes = d.tv_Config->Items();
        user::choose_node(d.tv_Config, nodes.Item(5));  // "Czcionki"
        EXPECT_EQ(d.cb_warstwy->Parent(), d.ts_Fonts);
        user::click_cell(d.sag_Fonts, 5, 2);
        EXPECT_TRUE(d.cb_warstwy->Visible());
        user::choose_node(d.tv_Config, nodes.Item(6));  // "Warstwy": the layer chooser hides
        EXPECT_FALSE(d.cb_warstwy->Visible());
        EXPECT_EQ(d.cb_LineType->Parent(), d.ts_Layers);
        user::choose_node(d.tv_Config, nodes.Item(4));  // "Linie"
        EXPECT_EQ(d.cb_warstwy->Parent(), d.ts_Lines);
        EXPECT_EQ(d.cb_LineType->Parent(), d.ts_Lines);
        user::choose_node(d.tv_Config, nodes.Item(3));  // "Tabela"
        EXPECT_EQ(d.cb_Precision->Parent(), d.ts_Table);
    });
}

TEST_F(SettingsFields, OpeningRefreshesTheBandRows) {
    dane_pod_profil row;
    row.key = "user";
    row.title = "Nowy";
    row.shown = true;
    settings().profile_table_rows.push_back(row);
    const int n = static_cast<int>(settings().profile_table_rows.size());
    open([n](Ttopcje& d) {
        ASSERT_EQ(d.sag_TableContent->RowCount(), n + 1);
        EXPECT_EQ(d.sag_TableContent->Cells(2, n), "Nowy");
    });
}

}  // namespace
