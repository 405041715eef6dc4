#include "forms/preview.h"

#include "platform/cp1250.h"

TtPreview* tPreview = nullptr;

TtPreview::TtPreview(TComponent* owner) : TForm(owner) {
    set_class_name("TtPreview");
    SetName("tPreview");
    SetCaption("Podgląd"_cp);
    SetFormStyle(TFormStyle::fsStayOnTop);
    BorderStyle = TFormBorderStyle::bsSizeToolWin;
    SetBounds(0, 0, 640, 440);
}
