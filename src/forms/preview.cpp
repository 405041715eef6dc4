#include "forms/preview.h"

TtPreview* tPreview = nullptr;

TtPreview::TtPreview(TComponent* owner) : TForm(owner) {
    set_class_name("TtPreview");
    SetName("tPreview");
}
