// The main window's start and stop: its first showing and its close.
#include "forms/rys1.h"
#include "model/project.h"
#include "model/state.h"

void TForm1::FormShow(TObject*) {
    PageControl1Change(nullptr);
    czysty_wezel(model().node_buffer);
    model().node_buffer.id = 0;
    przypisz_kolumny(PageControl1->ActivePage() == ts_DrawingPreview);
    tabs_odswiez(model().current_profile);
    a_Undo->SetEnabled(false);
    a_Redo->SetEnabled(false);
}
