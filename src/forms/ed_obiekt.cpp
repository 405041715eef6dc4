#include "forms/ed_obiekt.h"

TtObjectProp* tObjectProp = nullptr;

TtObjectProp::TtObjectProp(TComponent* owner) : TForm(owner) {
    set_class_name("TtObjectProp");
    SetName("tObjectProp");
}
