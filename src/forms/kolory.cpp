#include "forms/kolory.h"

#include "platform/builder.h"
#include "platform/sysutils.h"

Ttkolory* tkolory = nullptr;

namespace {

TStringAlignGrid* colour_grid(TForm* f, const char* name, int cols, int rows, int left, int top) {
    auto* g = new TStringAlignGrid(f);
    g->SetName(name);
    g->SetColCount(cols);
    g->SetRowCount(rows);
    g->SetFixedCols(0);
    g->SetFixedRows(0);
    g->SetDefaultColWidth(18);
    g->SetDefaultRowHeight(18);
    g->ScrollBars = TScrollStyle::ssNone;
    g->Options &= ~(goEditing | goRangeSelect);
    g->SetBounds(left, top, cols * 19 + 3, rows * 19 + 3);
    g->SetParent(f);
    return g;
}

}  // namespace

Ttkolory::Ttkolory(TComponent* owner) : TForm(owner) {
    set_class_name("Ttkolory");
    SetName("tkolory");
    SetCaption("Wybierz kolor:");
    BorderStyle = TFormBorderStyle::bsToolWindow;
    Position = TPosition::poScreenCenter;
    SetBounds(0, 0, 476, 304);

    sag_MainColors = colour_grid(this, "sag_MainColors", 9, 1, 8, 8);
    sag_Colors = colour_grid(this, "sag_Colors", 24, 10, 8, 38);
    sag_GrayScale = colour_grid(this, "sag_GrayScale", 6, 1, 8, 236);
    for (int c = 0; c < 9; ++c) sag_MainColors->SetCell(c, 0, IntToStr(c + 1));
    for (int c = 0; c < 24; ++c)
        for (int r = 0; r < 10; ++r) sag_Colors->SetCell(c, r, IntToStr(10 + 10 * c + r));
    for (int c = 0; c < 6; ++c) sag_GrayScale->SetCell(c, 0, IntToStr(250 + c));

    form_builder b(this, this, 8, 270);
    se_kolor = b.labelled<TSpinEdit>("se_kolor", "Wybrany kolor: ", 60);
    se_kolor->MinValue = 1;
    se_kolor->MaxValue = 256;
    se_kolor->SetValue(7);
    p_kolor = new TPanel(this);
    p_kolor->SetName("p_kolor");
    p_kolor->SetBounds(176, 266, 80, 28);
    p_kolor->BevelOuter = TBevelCut::bvLowered;
    p_kolor->SetParent(this);
    st_bylayer = new TLabel(this);
    st_bylayer->SetName("st_bylayer");
    st_bylayer->SetCaption("Jak Warstwa");
    st_bylayer->SetHint("256");
    st_bylayer->ShowHint = true;
    st_bylayer->SetBounds(140, 238, 80, 17);
    st_bylayer->SetParent(this);
    sb_ok = new TSpeedButton(this);
    sb_ok->SetName("sb_ok");
    sb_ok->SetCaption("&OK");
    sb_ok->Flat = true;
    sb_ok->SetBounds(300, 266, 80, 28);
    sb_ok->SetParent(this);
    sb_Cancel = new TSpeedButton(this);
    sb_Cancel->SetName("sb_Cancel");
    sb_Cancel->SetCaption("&Anuluj");
    sb_Cancel->Flat = true;
    sb_Cancel->SetBounds(386, 266, 80, 28);
    sb_Cancel->SetParent(this);
}
