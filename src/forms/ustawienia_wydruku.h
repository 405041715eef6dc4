// The print settings dialog "Drukowanie": the print ratio or fit to the
// page, the grid of pages to print, the margins, how the page limits are
// printed, the line width, vector or raster output, black and white,
// printing into a file and the copies. Its controls keep the settings
// section [drukowanie] of the user's "halvoren.ini"; the handlers are in
// app/ustawienia_wydruku.cpp.
#pragma once

#include "platform/comctrls.h"
#include "platform/forms.h"
#include "platform/grids.h"
#include "platform/stdctrls.h"

class Ttustawienia_wydruku : public TForm {
public:
    explicit Ttustawienia_wydruku(TComponent* owner);

    TPageControl* PageControl1;
    TTabSheet* ts_Scale;    // the ratio and the pages
    TTabSheet* ts_Options;  // margins, limits, lines, output

    // "mm wydruku" = "jedn. rysunku": e_mm millimetres of paper show e_jedn
    // drawing units.
    TEdit* e_mm;
    TEdit* e_jedn;
    TCheckBox* cb_Fit;           // "Dopasuj do strony"
    TCheckBox* cb_Auto;          // "Dobierz automatycznie"
    TCheckBox* cb_CenterOnPage;  // "Wyśrodkuj na stronie", only with fit
    // One cell per page, columns across and rows down; a cell holding "+"
    // is a page to print, painted yellow.
    TStringGrid* sg_kartki;

    // The page margins in millimetres: left, right, top, bottom.
    TEdit* e_ml;
    TEdit* e_mr;
    TEdit* e_mt;
    TEdit* e_md;
    TRadioGroup* rg_Borders;   // 0 corner crosses, 1 frame, 2 none
    TRadioGroup* rg_PenWidth;  // 0 the layers' widths, 1 the fixed width
    TSpinEdit* se_PenWidth;    // 1 to 15 pixels
    TComboBox* cb_PrintMode;   // 0 vector, 1 raster
    TCheckBox* cb_BlacknWhite;
    TCheckBox* cb_PrintToFile;
    TSpinEdit* se_Copies;

    TLabel* l_CurrentPrinter;
    TButton* b_PrinterSetup;  // "Zmień..."
    TButton* b_Print;         // "Drukuj" (OK)
    TButton* b_Cancel;        // "Anuluj"

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void b_PrinterSetupClick(TObject* Sender);
    void cb_FitClick(TObject* Sender);
    void cb_AutoClick(TObject* Sender);
    void e_mmChange(TObject* Sender);
    void PageControl1Change(TObject* Sender);
    void sg_kartkiClick(TObject* Sender);
    void sg_kartkiDrawCell(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State);
    void rg_PenWidthClick(TObject* Sender);
    void cb_PrintModeChange(TObject* Sender);
    void se_CopiesExit(TObject* Sender);
    void connect_handlers();
};

extern Ttustawienia_wydruku* tustawienia_wydruku;
