#include "costing/materials.h"

TtMaterials* tMaterials = nullptr;

TtMaterials::TtMaterials(TComponent* owner) : TForm(owner) {
    set_class_name("TtMaterials");
    SetName("tMaterials");
}
