#include "forms/material_prop.h"

TtMaterialProp* tMaterialProp = nullptr;

TtMaterialProp::TtMaterialProp(TComponent* owner) : TForm(owner) {
    set_class_name("TtMaterialProp");
    SetName("tMaterialProp");
}
