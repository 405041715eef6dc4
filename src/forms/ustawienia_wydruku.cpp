#include "forms/ustawienia_wydruku.h"

#include "platform/builder.h"
#include "platform/cp1250.h"

Ttustawienia_wydruku* tustawienia_wydruku = nullptr;

Ttustawienia_wydruku::Ttustawienia_wydruku(TComponent* owner) : TForm(owner) {
    set_class_name("Ttustawienia_wydruku");
    SetName("tustawienia_wydruku");
    SetCaption("Drukowanie");
    BorderStyle = TFormBorderStyle::bsDialog;
    Position = TPosition::poScreenCenter;
    SetBounds(0, 0, 460, 420);

    PageControl1 = new TPageControl(this);
    PageControl1->SetName("PageControl1");
    PageControl1->SetBounds(4, 4, 452, 330);
    PageControl1->SetParent(this);
    ts_Scale = add_sheet(this, PageControl1, "ts_Scale", "&Skala i strony");
    ts_Options = add_sheet(this, PageControl1, "ts_Options", "&Opcje");

    // The ratio, the fit and the pages.
    form_builder s(this, ts_Scale, 8, 8);
    cb_Fit = s.check_box("cb_Fit", "Dopasuj do strony", false, 200);
    cb_CenterOnPage = s.check_box("cb_CenterOnPage", "Wyśrodkuj na stronie"_cp, false, 200);
    cb_CenterOnPage->SetEnabled(false);
    cb_Auto = s.check_box("cb_Auto", "Dobierz automatycznie", false, 200);
    e_mm = s.labelled<TEdit>("e_mm", "mm wydruku", 70);
    e_mm->SetText("1");
    e_jedn = s.labelled<TEdit>("e_jedn", "jedn. rysunku", 100);
    e_jedn->SetText("100");
    s.skip(4);
    sg_kartki = s.string_grid("sg_kartki", 6, 3, 0, 0, 430, 150);
    sg_kartki->SetDefaultColWidth(40);
    sg_kartki->SetDefaultRowHeight(24);
    sg_kartki->Options = goVertLine | goHorzLine;
    sg_kartki->SetHint("Każda kratka to jedna strona. Wydrukowane zostaną tylko strony zaznaczone na żółto."_cp);
    sg_kartki->SetCell(5, 2, "+");

    // Margins, page limits, lines and output.
    form_builder o(this, ts_Options, 8, 8);
    o.add_label("Marginesy [mm]:", "l_Margins");
    o.skip(20);
    e_ml = o.labelled<TEdit>("e_ml", "lewy", 50);
    e_ml->SetText("10");
    e_mr = o.labelled<TEdit>("e_mr", "prawy", 50);
    e_mr->SetText("10");
    e_mt = o.labelled<TEdit>("e_mt", "górny"_cp, 50);
    e_mt->SetText("5");
    e_md = o.labelled<TEdit>("e_md", "dolny", 50);
    e_md->SetText("15");
    o.skip(4);
    rg_Borders = o.add<TRadioGroup>("rg_Borders", "Drukuj granice rysunku jako: ", 260, 80);
    set_items(rg_Borders->Items(), {"krzyżyki w narożnikach"_cp, "obramowanie", "nie drukuj granic"});
    rg_Borders->SetItemIndex(0);
    o.column(280, 8);
    rg_PenWidth = o.add<TRadioGroup>("rg_PenWidth", "Grubość linii "_cp, 160, 64);
    set_items(rg_PenWidth->Items(), {"jak warstwy", "stała [piksel]:"_cp});
    rg_PenWidth->SetItemIndex(1);
    se_PenWidth = o.spin_edit("se_PenWidth", "", 1, 15, 3, 50);
    o.add_label("Rodzaj wydruku:", "l_PrintMode");
    o.skip(18);
    cb_PrintMode = o.add<TComboBox>("cb_PrintMode", {}, 160);
    cb_PrintMode->Style = TComboBoxStyle::csDropDownList;
    set_items(cb_PrintMode->Items(), {"Wektorowa (zalecana)", "Rastrowa"});
    cb_PrintMode->SetItemIndex(0);
    cb_BlacknWhite = o.check_box("cb_BlacknWhite", "Wydruk czarno-biały"_cp, false, 160);
    cb_BlacknWhite->SetEnabled(false);
    cb_PrintToFile = o.check_box("cb_PrintToFile", "Wydruk do pliku", false, 160);
    se_Copies = o.spin_edit("se_Copies", "Liczba kopii:", 0, 0, 1, 50);
    se_Copies->SetText("1");

    // The printer, its set-up and the buttons.
    l_CurrentPrinter = new TLabel(this);
    l_CurrentPrinter->SetName("l_CurrentPrinter");
    l_CurrentPrinter->SetBounds(8, 344, 300, 15);
    l_CurrentPrinter->SetParent(this);
    b_PrinterSetup = new TButton(this);
    b_PrinterSetup->SetName("b_PrinterSetup");
    b_PrinterSetup->SetCaption("Zmień..."_cp);
    b_PrinterSetup->SetHint("Ustawienia drukarki");
    b_PrinterSetup->SetBounds(370, 340, 80, 25);
    b_PrinterSetup->SetParent(this);
    b_Print = new TButton(this);
    b_Print->SetName("b_Print");
    b_Print->SetCaption("Drukuj");
    b_Print->ModalResult = mrOk;
    b_Print->Default = true;
    b_Print->SetBounds(282, 384, 80, 25);
    b_Print->SetParent(this);
    b_Cancel = new TButton(this);
    b_Cancel->SetName("b_Cancel");
    b_Cancel->SetCaption("Anuluj");
    b_Cancel->ModalResult = mrCancel;
    b_Cancel->Cancel = true;
    b_Cancel->SetBounds(370, 384, 80, 25);
    b_Cancel->SetParent(this);
}
