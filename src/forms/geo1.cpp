#include "forms/geo1.h"

TtGeo* tGeo = nullptr;

TtGeo::TtGeo(TComponent* owner) : TForm(owner) {
    set_class_name("TtGeo");
    SetName("tGeo");
}
