// The drawing colour chooser "Wybierz kolor:": the palette's numbers 1 to 9,
// 10 to 249 (a column of ten shades per hue) and 250 to 255 as coloured
// cells, the number chosen, and "Jak Warstwa" (256, by layer).
#pragma once

#include "platform/forms.h"
#include "platform/stdctrls.h"
#include "widgets/aligrid.h"

class Ttkolory : public TForm {
public:
    explicit Ttkolory(TComponent* owner);

    TStringAlignGrid* sag_MainColors;  // 9 x 1: numbers 1 to 9
    TStringAlignGrid* sag_Colors;      // 24 x 10: column c, row r holds 10 + 10 c + r
    TStringAlignGrid* sag_GrayScale;   // 6 x 1: numbers 250 to 255
    // The chosen number (1 to the caller's highest); its hint names the
    // settings table that asked.
    TSpinEdit* se_kolor;
    TPanel* p_kolor;      // the chosen colour
    TLabel* st_bylayer;   // "Jak Warstwa": by layer (256)
    TSpeedButton* sb_ok;
    TSpeedButton* sb_Cancel;

    // The chosen number goes into the asking table's current cell, and the
    // window closes.
    void sb_okClick(TObject* Sender);
    void sb_CancelClick(TObject* Sender);
    // A cell sets the number; a double click also confirms.
    void ColorsClick(TObject* Sender);
    void ColorsDblClick(TObject* Sender);
    void st_bylayerClick(TObject* Sender);
    void st_bylayerDblClick(TObject* Sender);
    // The panel shows the number's colour, or white with "Jak Warstwa" above 255.
    void se_kolorChange(TObject* Sender);
    // Escape cancels, Enter confirms.
    void ColorsKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    // Each cell painted entirely in its number's colour.
    void ColorsDrawCell(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State);
    void connect_handlers();
};

extern Ttkolory* tkolory;
