#include "forms/geo1.h"

#include "platform/cp1250.h"

TtGeo* tGeo = nullptr;

TtGeo::TtGeo(TComponent* owner) : TForm(owner) {
    set_class_name("TtGeo");
    SetName("tGeo");
    SetCaption("Przekrój geotechniczny"_cp);
}
