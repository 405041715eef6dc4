#include <gtest/gtest.h>

#include "forms/rys1.h"
#include "forms/opcje.h"
#include "files/settings.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "platform/input.h"
#include "platform/sysutils.h"
#include "platform/paths.h"
#include "support/fixture.h"

namespace {

class SettingsDialog : public ProgramTest {
protected:
    SettingsDialog() { decimal_separator = '.'; }
    // Opens the dialog, lets `play` act as the user, and closes it with the button.
    TModalResult open(const std::function<void(Ttopcje&)>& play, TButton* close_with) {
        ui().on_modal("Ttopcje", [&](TForm&) {
            play(*topcje);
            user::click(close_with);
        });
        return topcje->ShowModal();
    }
};

TEST_F(SettingsDialog, ConfirmingCopiesValuesWithFallbacksAndCancelRevertsOnlyThem) {
    EXPECT_EQ(open([](Ttopcje& d) { user::set_text(d.e_SumpWallThickness, "abc"); }, topcje->b_OK), mrOk);
    EXPECT_DOUBLE_EQ(settings().sump_wall_thickness, 0.05);
    open([](Ttopcje& d) { EXPECT_EQ(d.e_SumpWallThickness->Text(), "0.05"); }, topcje->b_Cancel);

    EXPECT_EQ(open([](Ttopcje& d) {
                  user::set_text(d.e_Slope, "2.5");
                  user::click(d.cb_VerticalRuler);  // unticked
              }, topcje->b_Cancel),
              mrCancel);
    EXPECT_DOUBLE_EQ(settings().embankment_slope, 1.0);
    EXPECT_FALSE(topcje->cb_VerticalRuler->Checked());  // stays as the user left it
    open([](Ttopcje& d) { EXPECT_EQ(d.e_Slope->Text(), "1"); }, topcje->b_OK);

    open([](Ttopcje& d) {
        user::set_text(d.e_odstep, "300");     // an 8-bit value takes the nearest allowed one
        user::set_text(d.e_AutoBackdrop, "x");  // falls back
        user::set_value(d.se_AutoSave, 0);
        user::click(d.cb_DepthAlways2BottomPipe);
    }, topcje->b_OK);
    EXPECT_EQ(settings().profile_gap, 255);
    EXPECT_EQ(settings().drop_from, 500);
    EXPECT_FALSE(Form1->t_Save->Enabled());
    EXPECT_TRUE(settings().depth_not_to_bottom);
}

TEST_F(SettingsDialog, FlowUnitsGiveTheFactorAndTheUnitCells) {
    open([](Ttopcje& d) {
        user::choose(d.cb_FlowUnitV, 1);  // dm3
        user::choose(d.cb_FlowUnitT, 3);  // s
        const int row = model().position_of(column_kind::flow) + 1;
        EXPECT_EQ(d.sag_DataTable->Cells(3, row), "dm3/s");
    }, topcje->b_OK);
    EXPECT_DOUBLE_EQ(settings().flow_unit_factor, 1000.0 / 3600.0);
    EXPECT_EQ(model().column_units[index_of(column_kind::flow)], "dm3/s");
    open([](Ttopcje& d) {
        user::choose(d.cb_FlowUnitV, 0);
        user::choose(d.cb_FlowUnitT, 0);  // m3 per day
    }, topcje->b_OK);
    EXPECT_DOUBLE_EQ(settings().flow_unit_factor, 24);
}

TEST_F(SettingsDialog, UnitOfTheUserColumnFollowsItsFormula) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "-"},
        {"@_td_dlugosc*@_td_spadek", "?"},
        {"@_td_zaglebienie+@_td_odleglosc", "m"},
        {"@_td_srednica_m", "?"},
        {"@_td_nasyp", "m3"},
        {"@_td_kat*2", "°"_cp},
    };
    for (const auto& [formula, unit] : cases) {
        settings().calc_column_formula = formula;
        set_calc_column_unit();
        EXPECT_EQ(model().column_units[index_of(column_kind::user1)], unit) << formula;
    }
}

TEST_F(SettingsDialog, ColumnDecimalsFromThePrecisionTextAskForARecalculation) {
    topcje->FormShow(topcje);
    const int row = model().position_of(column_kind::dno) + 1;
    topcje->sag_DataTable->SetCell(4, row, "0.5");
    EXPECT_TRUE(contr2var());
    EXPECT_EQ(model().column_kind_decimals[index_of(column_kind::dno)], 1);
    EXPECT_FALSE(contr2var());
    // A width that is not a whole number keeps the column's width.
    const int width = model().column_widths[index_of(column_kind::dno)];
    topcje->sag_DataTable->SetCell(5, row, "wide");
    EXPECT_FALSE(contr2var());
    EXPECT_EQ(model().column_widths[index_of(column_kind::dno)], width);
}

TEST_F(SettingsDialog, SlopeSignFollowsTheRisingPipeOption) {
    topcje->cb_DropUp->SetChecked(true);
    EXPECT_TRUE(kier_spad());
    EXPECT_EQ(model().slope_sign, -1);
    EXPECT_FALSE(kier_spad());
    topcje->cb_DropUp->SetChecked(false);
    EXPECT_TRUE(kier_spad());
    EXPECT_EQ(model().slope_sign, 1);
}

TEST_F(SettingsDialog, SettingsFileLabelNamesTheProjectsFileOrTheDefault) {
    var2contr();
    EXPECT_EQ(topcje->l_FileSettings->Caption(), "Plik konfiguracyjny dla projektu: Domyślny"_cp);
    EXPECT_EQ(topcje->b_Save->Hint(), folders().config_folder + "halvoren.ini");
    EXPECT_FALSE(topcje->sb_ClearSettingsFile->Enabled());
    model().project.ConfigFile = "/Home/u/Moje.ini";
    var2contr();
    EXPECT_EQ(topcje->l_FileSettings->Caption(), "Plik konfiguracyjny dla projektu: / ... /moje.ini");
    // The path keeps its letter case: a file system may tell cases apart.
    EXPECT_EQ(topcje->l_FileSettings->Hint(), "/Home/u/Moje.ini");
    EXPECT_TRUE(topcje->sb_ClearSettingsFile->Enabled());
    contr2var();
    EXPECT_EQ(model().project.ConfigFile, "/Home/u/Moje.ini");
}

}  // namespace
