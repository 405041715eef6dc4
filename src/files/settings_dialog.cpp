// The settings dialog's handlers: the tree that chooses the page, the
// controls that enable others, the unit cells that follow the unit
// choosers, the colour panels, the data lists, the opening and OK.
#include "forms/opcje.h"

#include <algorithm>

#include "files/opcje_tables.h"
#include "files/settings_tables.h"
#include "forms/rys1.h"
#include "model/messages.h"
#include "files/settings.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "files/utils.h"
#include "platform/files.h"
#include "platform/named_bytes.h"
#include "platform/sysutils.h"

void Ttopcje::connect_handlers() {
    connect_file_handlers();
    tv_Config->OnChange = [this](TObject*, TTreeNode* n) {
        if (n) PageControl1->SetActivePageIndex(n->SelectedIndex);
    };
    OnShow = [this](TObject* s) { FormShow(s); };
    // Created: the drawing page, the CAD fonts folder beside the program
    // registered for drawing files, the first value list in the memo.
    OnCreate = [this](TObject*) {
        PageControl1->SetActivePage(ts_Scale);
        const std::string folder = path_to_dxfopener(false);
        lab_kat->SetCaption(folder.empty() ? std::string() : path_join(folder, "fonts"));
        cb_listy->SetItemIndex(0);
        fire(cb_listy, cb_listy->OnChange, cb_listy);
    };
    cb_Language->OnChange = [this](TObject* s) { cb_LanguageChange(s); };
    b_OK->OnClick = [this](TObject* s) { b_OKClick(s); };
    cb_Fit2Page->OnClick = [this](TObject*) { e_skala_krot->SetEnabled(cb_Fit2Page->Checked()); };
    rg_NodePrefix->OnClick = [this](TObject*) { e_wez->SetEnabled(rg_NodePrefix->ItemIndex() == 1); };
    cb_Node->OnClick = [this](TObject*) { gb_Node->SetEnabled(cb_Node->Checked()); };
    auto inverts = [this](TObject*) {
        cb_DontCalculateNodeWithManholeObject->SetEnabled(cb_CalculateInvertsAccordToMainSection->Checked());
    };
    cb_CalculateInvertsAccordToMainSection->OnClick = inverts;
    cb_CalculateTerrainAccordToMainSection->OnClick = inverts;
    connect_table_handlers();
    connect_field_handlers();
    cb_AutoTerrainProjLikeTerrainExist->OnChange = [this](TObject*) {
        if (Visible() && cb_AutoTerrainProjLikeTerrainExist->ItemIndex() == 1)
            ShowMessage(format_language_text(
                msg("msg_ProjectedGroundLossWarning",
                    "Niniejsze ustawienie spowoduje utratę danych istniejących w kolumnie \"Teren proj.\"%sJeżeli chcesz "_cp
                    "temu zapobiec przywróć poprzednie ustawienie opcji."_cp),
                {"\r"}));
    };
    // The unit cells of the column table follow the unit choosers.
    auto unit_row = [](column_kind k) { return model().position_of(k) + 1; };
    cb_GradientMode->OnChange = [this, unit_row](TObject*) {
        sag_DataTable->SetCell(3, unit_row(column_kind::spad),
                               lang_text("Columns_units", "Gradient" + IntToStr(cb_GradientMode->ItemIndex() + 1), "%"));
    };
    auto flow_units = [this, unit_row](TObject*) {
        const std::string unit = cb_FlowUnitV->Text() + "/" + cb_FlowUnitT->Text();
        sag_DataTable->SetCell(3, unit_row(column_kind::flow), unit);
        sag_DataTable->SetCell(3, unit_row(column_kind::sflow), unit);
    };
    cb_FlowUnitV->OnChange = flow_units;
    cb_FlowUnitT->OnChange = flow_units;
    for (TPanel* p : {p_BackgroundColor, p_AutoColor, p_ActiveRowColor})
        p->OnClick = [this, p](TObject*) {
            cd->Color = p->Color();
            if (cd->Execute()) p->SetColor(cd->Color);
        };
    cb_listy->OnChange = [this](TObject*) {
        const int i = cb_listy->ItemIndex();
        if (i >= 0)
            mm->SetText(replace_all(std::string(1, item_separator), "\r\n",
                                    settings().data_lists_edit[static_cast<std::size_t>(i)]));
    };
    mm->OnExit = [this](TObject*) {
        const int i = cb_listy->ItemIndex();
        if (i >= 0)
            settings().data_lists_edit[static_cast<std::size_t>(i)] =
                replace_all("\r\n", std::string(1, item_separator), mm->Text());
    };
}

void Ttopcje::FormShow(TObject*) {
    var2contr("opcje");
    RefreshSag_TableContent();
    if (cb_Fit2Page->OnClick) cb_Fit2Page->OnClick(cb_Fit2Page);
}

void Ttopcje::b_OKClick(TObject*) {
    if (se_wys->Value() != settings().table_font_size)
        view().resajz(static_cast<uint8_t>(std::clamp(se_wys->Value(), 0, 255)));
    // The preview writes with the drawing's font unless it is a font of the
    // CAD program, which the screen does not have.
    TFont f = Form1->Zoombox->Font();
    f.Name = LowerCase(cb_fonts->Text()).find(".shx") != std::string::npos ? std::string("Arial") : cb_fonts->Text();
    Form1->Zoombox->SetFont(f);
    bool recalc = e_CalcColumnFormula->Text() != settings().calc_column_formula;
    recalc = contr2var() || recalc;
    view().przypisz_kolumny();
    euro_rounding = cb_RoundingModeE->Checked();
    recalc = kier_spad() || recalc;
    if (Form1->PageControl1->ActivePage() == Form1->ts_DrawingPreview) view().redraw_preview();
    if (recalc) view().recalculate_current();
}
