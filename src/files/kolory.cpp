// The drawing colour chooser's handlers.
#include "files/kolory.h"

#include "forms/kolory.h"
#include "forms/opcje.h"
#include "model/drawing_palette.h"
#include "platform/sysutils.h"

namespace {

// The number a colour cell holds; 0 for none.
int cell_number(const TStringGrid* g, int col, int row) {
    int n = 0;
    return TryStrToInt(g->Cells(col, row), n) ? n : 0;
}

}  // namespace

void Ttkolory::sb_okClick(TObject*) {
    // The asking table is named in the spin edit's hint.
    if (auto* table = dynamic_cast<TStringGrid*>(topcje->FindComponent(se_kolor->Hint()))) {
        const int col = table->Col(), row = table->Row();
        table->SetCell(col, row, IntToStr(se_kolor->Value()));
        // The line table keeps its colours in the line definitions.
        if (topcje->PageControl1->ActivePage() == topcje->ts_Lines)
            fire(topcje->sag_Lines, topcje->sag_Lines->OnAfterEdit, topcje->sag_Lines, topcje->sag_Lines->Col(),
                 topcje->sag_Lines->Row());
    }
    SetModalResult(mrOk);
}

void Ttkolory::sb_CancelClick(TObject*) { SetModalResult(mrCancel); }

void Ttkolory::ColorsClick(TObject* Sender) {
    auto* g = static_cast<TStringGrid*>(Sender);
    if (const int n = cell_number(g, g->Col(), g->Row()); n > 0) se_kolor->SetValue(n);
}

void Ttkolory::ColorsDblClick(TObject* Sender) {
    ColorsClick(Sender);
    sb_okClick(Sender);
}

void Ttkolory::st_bylayerClick(TObject*) { se_kolor->SetValue(256); }

void Ttkolory::st_bylayerDblClick(TObject* Sender) {
    st_bylayerClick(Sender);
    sb_okClick(Sender);
}

void Ttkolory::se_kolorChange(TObject*) {
    const int n = se_kolor->Value();
    if (n > 255) {
        p_kolor->SetColor(clWhite);
        p_kolor->SetCaption(st_bylayer->Caption());
    } else {
        p_kolor->SetColor(drawing_palette_fixed[static_cast<std::size_t>(std::clamp(n, 1, 255) - 1)]);
        p_kolor->SetCaption("");
    }
}

void Ttkolory::ColorsKeyDown(TObject* Sender, Word& Key, TShiftState) {
    if (Key == VK_ESCAPE) {
        Key = 0;
        sb_CancelClick(Sender);
    } else if (Key == VK_RETURN) {
        Key = 0;
        sb_okClick(Sender);
    }
}

void Ttkolory::ColorsDrawCell(TObject* Sender, int ACol, int ARow, TRect, TGridDrawState) {
    auto* g = static_cast<TStringGrid*>(Sender);
    TCanvas* c = g->Canvas();
    const int n = cell_number(g, ACol, ARow);
    if (!c || n < 1 || n > 255) return;
    c->Brush.Style = TBrushStyle::bsSolid;
    c->Brush.Color = drawing_palette_fixed[static_cast<std::size_t>(n - 1)];
    // The whole cell, over the text and the margins the table painted.
    c->FillRect(g->CellRect(ACol, ARow));
}

void Ttkolory::connect_handlers() {
    for (TStringAlignGrid* g : {sag_MainColors, sag_Colors, sag_GrayScale}) {
        g->OnClick = [this](TObject* s) { ColorsClick(s); };
        g->OnDblClick = [this](TObject* s) { ColorsDblClick(s); };
        g->OnKeyDown = [this](TObject* s, Word& k, TShiftState sh) { ColorsKeyDown(s, k, sh); };
        g->OnDrawCell = [this](TObject* s, int c, int r, TRect rc, TGridDrawState st) { ColorsDrawCell(s, c, r, rc, st); };
    }
    se_kolor->OnKeyDown = [this](TObject* s, Word& k, TShiftState sh) { ColorsKeyDown(s, k, sh); };
    se_kolor->OnChange = [this](TObject* s) { se_kolorChange(s); };
    st_bylayer->OnClick = [this](TObject* s) { st_bylayerClick(s); };
    st_bylayer->OnDblClick = [this](TObject* s) { st_bylayerDblClick(s); };
    sb_ok->OnClick = [this](TObject* s) { sb_okClick(s); };
    sb_Cancel->OnClick = [this](TObject* s) { sb_CancelClick(s); };
    se_kolorChange(se_kolor);
}

std::optional<int> choose_drawing_colour(TStringGrid* table, bool by_layer) {
    Ttkolory& k = *tkolory;
    k.st_bylayer->SetEnabled(by_layer);
    k.se_kolor->MaxValue = by_layer ? 256 : 255;
    if (const int n = cell_number(table, table->Col(), table->Row()); n > 0) k.se_kolor->SetValue(n);
    else k.se_kolor->SetValue(k.se_kolor->Value());  // within the new highest number
    k.se_kolor->SetHint(table->Name());
    if (k.ShowModal() != mrOk) return std::nullopt;
    return k.se_kolor->Value();
}
