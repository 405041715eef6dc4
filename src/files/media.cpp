// The network-type chooser's handlers.
#include "files/media.h"

#include "forms/media.h"
#include "forms/rys1.h"
#include "model/drawing_palette.h"
#include "model/flows.h"
#include "model/records.h"
#include "platform/sysutils.h"

void TtMedia::FormShow(TObject*) {
    clb_Media->Items().Assign(Form1->cb_NetworkType->Items());
    const std::string letters = clb_Media->Hint();
    const int n = clb_Media->Items().Count();
    // "a" checks every type; the empty text none (an element drawn for no network).
    for (int i = 0; i < n; ++i) clb_Media->SetChecked(i, letters == "a");
    if (letters == "a") return;
    std::size_t from = 0;
    while (from < letters.size()) {
        std::size_t comma = letters.find(',', from);
        if (comma == std::string::npos) comma = letters.size();
        if (comma > from) {
            const int type = getflowindex(letters[from]);
            if (type < n && letters[from] == network_letters[type]) clb_Media->SetChecked(type, true);
        }
        from = comma + 1;
    }
}

void TtMedia::b_OKClick(TObject*) {
    std::string letters;
    const int n = clb_Media->Items().Count();
    bool all = n > 0;
    for (int i = 0; i < n; ++i) {
        if (!clb_Media->Checked(i)) {
            all = false;
            continue;
        }
        if (i < static_cast<int>(sizeof network_letters) - 1) letters += std::string(1, network_letters[i]) + ",";
    }
    clb_Media->SetHint(all ? std::string("a") : letters);
    SetModalResult(mrOk);
}

void TtMedia::cb_CheckAllClick(TObject*) {
    for (int i = 0; i < clb_Media->Items().Count(); ++i) clb_Media->SetChecked(i, cb_CheckAll->Checked());
}

void TtMedia::clb_MediaDrawItem(TWinControl*, int Index, TRect Rect, TOwnerDrawState State) {
    TCanvas* c = clb_Media->Canvas();
    if (!c || Index < 0 || Index >= clb_Media->Items().Count()) return;
    c->Brush.Style = TBrushStyle::bsSolid;
    c->Brush.Color = (State & odSelected) ? TColor(0x800000) : clWhite;  // navy: red 0, green 0, blue 128
    c->FillRect(Rect);
    const std::size_t type = static_cast<std::size_t>(Index);
    if (type < network_colours.size()) {
        c->Brush.Color = drawing_palette_fixed[static_cast<std::size_t>(network_colours[type] - 1)];
        c->FillRect(TRect{Rect.Left + 5, Rect.Top + 3, Rect.Left + 15, Rect.Bottom - 3});
    }
    c->Brush.Color = clWhite;
    c->Font.Color = clBlack;
    c->TextOut(Rect.Left + 18, Rect.Top - 1, clb_Media->Items()[Index]);
}

void TtMedia::connect_handlers() {
    OnShow = [this](TObject* s) { FormShow(s); };
    b_OK->OnClick = [this](TObject* s) { b_OKClick(s); };
    cb_CheckAll->OnClick = [this](TObject* s) { cb_CheckAllClick(s); };
    clb_Media->OnDrawItem = [this](TWinControl* c, int i, TRect r, TOwnerDrawState st) { clb_MediaDrawItem(c, i, r, st); };
}

std::optional<std::string> choose_networks(const std::string& letters) {
    tMedia->clb_Media->SetHint(letters);
    if (tMedia->ShowModal() != mrOk) return std::nullopt;
    return tMedia->clb_Media->Hint();
}
