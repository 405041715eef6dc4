#include "forms/dane.h"

#include "platform/builder.h"
#include "platform/sysutils.h"

Ttdane* tdane = nullptr;

namespace {

TToolButton* tool_button(Ttdane* form, TToolBar* bar, const char* name, std::string_view caption, int left, int width) {
    auto* b = new TToolButton(form);
    b->SetName(name);
    b->SetCaption(caption);
    b->SetBounds(left, 0, width, 22);
    b->SetParent(bar);
    return b;
}

}  // namespace

Ttdane::Ttdane(TComponent* owner) : TForm(owner) {
    set_class_name("Ttdane");
    SetName("tdane");
    SetCaption("Podstawowe parametry projektu");
    BorderStyle = TFormBorderStyle::bsDialog;
    Position = TPosition::poScreenCenter;
    KeyPreview = true;
    SetBounds(0, 0, 620, 480);

    ToolBar1 = new TToolBar(this);
    ToolBar1->SetName("ToolBar1");
    ToolBar1->ShowCaptions = true;
    ToolBar1->SetBounds(0, 0, 620, 26);
    ToolBar1->SetAlign(TAlign::alTop);
    ToolBar1->SetParent(this);
    tb_PasteFromFile = tool_button(this, ToolBar1, "tb_PasteFromFile", "Wklej z pliku...", 0, 110);
    tb_PasteData = tool_button(this, ToolBar1, "tb_PasteData", {}, 112, 80);
    tb_CopyData = tool_button(this, ToolBar1, "tb_CopyData", {}, 194, 80);
    tb_Clear = tool_button(this, ToolBar1, "tb_Clear", "Czyść"_cp, 276, 60);

    PageControl1 = new TPageControl(this);
    PageControl1->SetName("PageControl1");
    PageControl1->SetBounds(0, 26, 620, 454);
    PageControl1->SetAlign(TAlign::alClient);
    PageControl1->SetParent(this);
    ts_dane_main = add_sheet(this, PageControl1, "ts_dane_main", "&Dane główne"_cp);
    ts_dane_kadra = add_sheet(this, PageControl1, "ts_dane_kadra", "&Projektanci");

    form_builder m(this, ts_dane_main, 4, 4);
    sag_MainData = m.add<TStringAlignGrid>("sag_MainData", {}, 600, 410);
    sag_MainData->SetColCount(2);
    sag_MainData->SetRowCount(18);
    sag_MainData->SetFixedCols(1);
    sag_MainData->SetColWidth(0, 160);
    sag_MainData->SetColWidth(1, 420);
    sag_MainData->Options |= goEditing | goTabs;
    const char* const names[] = {"Parametr",
                                 "Inwestor",
                                 "  Miejscowość/Ulica"_cp,
                                 "  Kod pocztowy",
                                 "  Poczta",
                                 "Obiekt",
                                 "Inwestycja:",
                                 "  Miejscowość/Ulica"_cp,
                                 "  Kod pocztowy",
                                 "  Poczta",
                                 "  Gmina",
                                 "  Numer działki"_cp,
                                 "Branża"_cp,
                                 "Numer zlecenia",
                                 "Data",
                                 "Własny 1"_cp,
                                 "Własny 2"_cp,
                                 "Własny 3"_cp};
    for (int r = 0; r < 18; ++r) sag_MainData->SetCell(0, r, names[r]);
    sag_MainData->SetCell(1, 0, "Wartość"_cp);

    form_builder k(this, ts_dane_kadra, 4, 4);
    sag_dane_kadra = k.add<TStringAlignGrid>("sag_dane_kadra", {}, 600, 230);
    sag_dane_kadra->SetColCount(5);
    sag_dane_kadra->SetRowCount(11);
    sag_dane_kadra->SetFixedCols(1);
    sag_dane_kadra->SetColWidth(0, 24);
    for (int c = 1; c <= 4; ++c) sag_dane_kadra->SetColWidth(c, 140);
    sag_dane_kadra->Options |= goEditing | goRowMoving;
    const char* const titles[] = {"", "Nazwisko i imię"_cp, "Stanowisko", "Numer uprawnień"_cp, "Specjalność"_cp};
    for (int c = 0; c < 5; ++c) sag_dane_kadra->SetCell(c, 0, titles[c]);
    // The row heads name the staff rows as the document templates reach them.
    for (int r = 1; r <= 10; ++r) {
        sag_dane_kadra->SetCell(0, r, IntToStr(r));
        sag_dane_kadra->set_cell_hint(0, r, "@_proj" + IntToStr(r - 1));
    }
    lb_listy = new TListBox(this);
    lb_listy->SetName("lb_listy");
    lb_listy->Style = TListBoxStyle::lbOwnerDrawFixed;
    lb_listy->SetColor(clInfoBk);
    lb_listy->SetBounds(0, 0, 200, 120);
    lb_listy->SetVisible(false);
    lb_listy->SetParent(ts_dane_kadra);
}
