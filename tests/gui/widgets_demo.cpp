#include "gui/widgets_demo.h"

#include "platform/cp1250.h"
#include "platform/sysutils.h"

TWidgetsDemo::TWidgetsDemo(TComponent* owner) : TForm(owner) {
    set_class_name("TWidgetsDemo");
    SetName("WidgetsDemo");
    SetCaption("Tabela i zakładki – pokaz"_cp);
    SetBounds(0, 0, 720, 420);
    Position = TPosition::poScreenCenter;

    tabs = new TTab95Control(this);
    tabs->SetName("tabs");
    tabs->SetHeight(26);
    tabs->SetAlign(TAlign::alBottom);
    tabs->SetTabPosition(tpBottomRight);
    tabs->AllowTabShifting = true;
    tabs->SetColor(clWhite);
    tabs->TabInactiveColor = clBtnFace;
    for (const char* t : {"profil1", "Kanał A"_cp, "Wodociąg"_cp}) tabs->Tabs.Add(t);
    tabs->TabHints.Add("Pierwszy profil");
    tabs->TabHints.Add("  Kanalizacja  ");
    tabs->set_tab_index(0);
    tabs->OnTabShift = [this](TObject*) { log.push_back("tab shift"); };
    tabs->OnChange = [this](TObject*) { log.push_back("tab change"); };
    tabs->SetParent(this);

    table = new TStringAlignGrid(this);
    table->SetName("table");
    table->SetAlign(TAlign::alClient);
    table->SetColCount(7);
    table->SetRowCount(30);
    table->SetDefaultColWidth(96);
    table->SetColWidth(0, 40);
    table->Options |= goEditing;
    table->SetSelectedCellColor(clNavy);
    table->SetSelectedFontColor(clYellow);
    table->SetFixedColor(clSilver);
    const char* heads[] = {"Nr", "Węzeł"_cp, "Rzędna"_cp, "Uwagi", "Opis długi"_cp, "Zwykła"_cp, "Tylko odczyt"};
    for (int c = 0; c < 7; ++c) table->SetCell(c, 0, heads[c]);
    for (int r = 1; r < 30; ++r) {
        table->SetCell(0, r, IntToStr(r));
        table->SetCell(1, r, "W" + IntToStr(r));
        table->SetCell(2, r, IntToStr(100 + r) + ".25");
        table->SetCell(6, r, "stałe"_cp);
    }
    // The fixed row in bold, the fixed column in its own colour.
    table->fixed_row_font(0).Style = fsBold;
    table->fixed_col_brush(0).Color = clMoneyGreen;
    table->set_fixed_col_alignment(0, alCenter);
    // A column right-aligned, a row and a column coloured, one cell of its own.
    table->set_col_alignment(2, alRight);
    table->set_row_colour(5, clCream);
    table->set_col_colour(5, clSkyBlue);
    table->set_cell_colour(own_colour_col, own_colour_row, clYellow);
    table->cell_font(1, 4).Color = clRed;
    table->cell_font(1, 4).Style = fsItalic;
    table->set_cell_alignment(3, 2, alCenter);
    table->SetCell(3, 2, "R&D");
    // Hints, word wrap and the ellipsis.
    table->set_cell_hint(hint_col, hint_row, "Uwaga do węzła W1"_cp);
    table->SetCell(hint_col, hint_row, "z podpowiedzią"_cp);
    table->SetRowHeight(wrap_row, 40);
    table->cell_properties(wrap_col, wrap_row).Wordwrap = ww_wordwrap;
    table->SetCell(wrap_col, wrap_row, "tekst zawijany w komórce"_cp);
    table->cell_properties(wrap_col, 4).Wordwrap = ww_ellipsis;
    table->SetCell(wrap_col, 4, "tekst za długi na tę komórkę"_cp);
    table->set_row_selected_colour(6, clMaroon);
    // A read-only column.
    table->set_col_editable(6, false);
    table->col_font(6).Color = clGray;
    table->SetParent(this);
}
