// The separate preview window's handlers.
#include "forms/preview.h"

#include "forms/rys1.h"

void TtPreview::FormClose(TObject*, TCloseAction&) {
    Form1->Zoombox->SetParent(Form1->ts_DrawingPreview);
    Form1->tb_PreviewOnOff->SetDown(false);
}

// The wheel over the window zooms as over the main window.
void TtPreview::FormCreate(TObject*) {
    OnMouseWheel = [](TObject* s, TShiftState shift, int delta, TPoint pos, bool& handled) {
        if (delta < 0) Form1->FormMouseWheelDown(s, shift, pos, handled);
        else if (delta > 0) Form1->FormMouseWheelUp(s, shift, pos, handled);
    };
}

void TtPreview::FormActivate(TObject*) { Form1->a_Zout->SetShortCut(ShortCut(VK_SUBTRACT, 0)); }

void TtPreview::FormDeactivate(TObject*) { Form1->a_Zout->SetShortCut(0); }

void TtPreview::connect_handlers() {
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnDeactivate = [this](TObject* s) { FormDeactivate(s); };
}
