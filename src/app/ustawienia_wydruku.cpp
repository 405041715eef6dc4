// The print settings dialog's handlers: the settings read at creation, the
// enabling rules, the page grid's marks and its rebuilds.
#include "forms/ustawienia_wydruku.h"

#include <cmath>

#include "files/settings_groups.h"
#include "files/utils.h"
#include "forms/rys1.h"
#include "model/utils.h"
#include "platform/ini.h"
#include "platform/printer.h"
#include "platform/services.h"
#include "platform/sysutils.h"

namespace {

// A ratio field's stored text, or its default when it is empty or no number.
std::string ratio_text(const IniFile& ini, const char* key, const char* def) {
    const std::string text = fix_decimal_separator(ini.ReadString("drukowanie", key, ""));
    double v = 0;
    return !text.empty() && TryStrToFloat(text, v) ? text : std::string(def);
}

bool printer_installed() { return !services().printer().Printers().empty(); }

}  // namespace

void Ttustawienia_wydruku::FormCreate(TObject*) {
    const IniFile ini(user_settings_file());
    e_ml->SetText(fix_decimal_separator(ini.ReadString("drukowanie", "marg_l", "10")));
    e_mr->SetText(fix_decimal_separator(ini.ReadString("drukowanie", "marg_p", "10")));
    e_mt->SetText(fix_decimal_separator(ini.ReadString("drukowanie", "marg_g", "5")));
    e_md->SetText(fix_decimal_separator(ini.ReadString("drukowanie", "marg_d", "15")));
    rg_Borders->SetItemIndex(ini.ReadInteger("drukowanie", "granice", 0));
    se_PenWidth->SetValue(ini.ReadInteger("drukowanie", "penwidth", 3));
    rg_PenWidth->SetItemIndex(ini.ReadInteger("drukowanie", "penwidth_mode", 1));
    cb_BlacknWhite->SetChecked(ini.ReadBool("drukowanie", "blacknwhite", false));
    cb_PrintToFile->SetChecked(ini.ReadBool("drukowanie", "printtofile", false));
    cb_PrintMode->SetItemIndex(ini.ReadInteger("drukowanie", "printmode", 0));
    // The grid is rebuilt when the print command shows the dialog, not now.
    const TNotifyEvent mm_change = e_mm->OnChange, units_change = e_jedn->OnChange;
    e_mm->OnChange = e_jedn->OnChange = nullptr;
    e_mm->SetText(ratio_text(ini, "mm", "1"));
    e_jedn->SetText(ratio_text(ini, "jedn", "100"));
    e_mm->OnChange = mm_change;
    e_jedn->OnChange = units_change;
    rg_PenWidthClick(rg_PenWidth);
    cb_PrintModeChange(cb_PrintMode);
    Form1->pobierz_param_strony();
}

void Ttustawienia_wydruku::FormShow(TObject*) { b_PrinterSetup->SetEnabled(printer_installed()); }

void Ttustawienia_wydruku::b_PrinterSetupClick(TObject*) {
    Form1->mi_PrinterSetupClick(nullptr);
    Form1->pobierz_param_strony();
    Form1->odswiez_kartki();
}

void Ttustawienia_wydruku::cb_FitClick(TObject*) {
    Form1->odswiez_kartki();
    cb_Auto->SetChecked(false);
    const bool fit = cb_Fit->Checked();
    e_mm->SetEnabled(!fit);
    e_jedn->SetEnabled(!fit);
    cb_Auto->SetEnabled(!fit);
    cb_CenterOnPage->SetEnabled(fit);
    if (!fit) cb_CenterOnPage->SetChecked(false);
}

void Ttustawienia_wydruku::cb_AutoClick(TObject*) {
    const bool automatic = cb_Auto->Checked();
    e_mm->SetEnabled(!automatic);
    e_jedn->SetEnabled(!automatic);
    // One print millimetre shows 100 millimetres of the drawing.
    e_mm->SetText("1");
    e_jedn->SetText(FloatToStr(100 / Form1->jednostka_rysunku()));
}

void Ttustawienia_wydruku::e_mmChange(TObject* Sender) {
    const std::string text = static_cast<TEdit*>(Sender)->Text();
    if (text.empty()) return;
    if (StrToFloat(text) == 0) return;
    Form1->odswiez_kartki();
}

void Ttustawienia_wydruku::PageControl1Change(TObject*) { Form1->odswiez_kartki(); }

void Ttustawienia_wydruku::sg_kartkiClick(TObject*) {
    const int c = sg_kartki->Col(), r = sg_kartki->Row();
    sg_kartki->SetCell(c, r, sg_kartki->Cells(c, r).empty() ? "+" : "");
}

void Ttustawienia_wydruku::sg_kartkiDrawCell(TObject*, int ACol, int ARow, TRect Rect, TGridDrawState) {
    TCanvas* c = sg_kartki->Canvas();
    if (!c) return;
    c->Brush.Style = TBrushStyle::bsSolid;
    c->Brush.Color = sg_kartki->Cells(ACol, ARow) == "+" ? clYellow : clWhite;
    // The whole cell, over the text the grid painted: a page shows no text.
    c->FillRect(Rect);
}

void Ttustawienia_wydruku::rg_PenWidthClick(TObject*) { se_PenWidth->SetEnabled(rg_PenWidth->ItemIndex() == 1); }

void Ttustawienia_wydruku::cb_PrintModeChange(TObject*) { cb_BlacknWhite->SetEnabled(cb_PrintMode->ItemIndex() == 1); }

void Ttustawienia_wydruku::se_CopiesExit(TObject*) {
    const std::string text = se_Copies->Text();
    int n = 0;
    if (text.empty() || !TryStrToInt(text, n) || n < 0) se_Copies->SetText("1");
}

void Ttustawienia_wydruku::connect_handlers() {
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
    b_PrinterSetup->OnClick = [this](TObject* s) { b_PrinterSetupClick(s); };
    cb_Fit->OnClick = [this](TObject* s) { cb_FitClick(s); };
    cb_Auto->OnClick = [this](TObject* s) { cb_AutoClick(s); };
    e_mm->OnChange = [this](TObject* s) { e_mmChange(s); };
    e_jedn->OnChange = [this](TObject* s) { e_mmChange(s); };
    PageControl1->OnChange = [this](TObject* s) { PageControl1Change(s); };
    sg_kartki->OnClick = [this](TObject* s) { sg_kartkiClick(s); };
    sg_kartki->OnDrawCell = [this](TObject* s, int c, int r, TRect rc, TGridDrawState st) {
        sg_kartkiDrawCell(s, c, r, rc, st);
    };
    rg_PenWidth->OnClick = [this](TObject* s) { rg_PenWidthClick(s); };
    cb_PrintMode->OnChange = [this](TObject* s) { cb_PrintModeChange(s); };
    se_Copies->OnExit = [this](TObject* s) { se_CopiesExit(s); };
    for (TEdit* e : {e_mm, e_jedn, e_ml, e_mr, e_mt, e_md}) e->OnKeyPress = decimal_key_filter;
}
