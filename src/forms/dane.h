// The project data dialog "Podstawowe parametry projektu": the project's
// data (or the current estimate's copy) and its design staff, with a tool
// bar that takes the data from another project file, the clipboard, or
// clears them.
#pragma once

#include "platform/comctrls.h"
#include "platform/forms.h"
#include "platform/stdctrls.h"
#include "widgets/aligrid.h"

class Ttdane : public TForm {
public:
    explicit Ttdane(TComponent* owner);

    TToolBar* ToolBar1;
    TToolButton* tb_PasteFromFile;  // "Wklej z pliku..."
    TToolButton* tb_PasteData;      // the main window's a_PasteData
    TToolButton* tb_CopyData;       // the main window's a_CopyData
    TToolButton* tb_Clear;          // "Czyść"
    TPageControl* PageControl1;
    TTabSheet* ts_dane_main;   // "&Dane główne"
    TTabSheet* ts_dane_kadra;  // "&Projektanci"
    // The project's staff: a narrow row-head column, then name, position,
    // licence number and speciality; rows 1 to 10, which can be dragged.
    TStringAlignGrid* sag_dane_kadra;
    // The project data: rows 1 to 17 hold the seventeen fields in record
    // order, column 0 their names, column 1 their values.
    TStringAlignGrid* sag_MainData;
    // The completion list of the staff names (hidden until a name is typed).
    TListBox* lb_listy;

    void sag_MainDataAfterEdit(TObject* Sender, int ACol, int ARow);
    void tb_PasteFromFileClick(TObject* Sender);
    void tb_ClearClick(TObject* Sender);
    // Window keys: Ctrl+C and Ctrl+V in the data table, Escape closes when
    // no table is editing.
    void FormKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    // The completion of staff names in column 1 of sag_dane_kadra.
    void lista_pokaz();
    void lista_wybierz();
    void sag_dane_kadraKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void lb_listyDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State);
    void connect_handlers();
};

extern Ttdane* tdane;
