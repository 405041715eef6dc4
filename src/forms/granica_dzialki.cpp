#include "forms/granica_dzialki.h"

TtBoundaryDesc* tBoundaryDesc = nullptr;

TtBoundaryDesc::TtBoundaryDesc(TComponent* owner) : TForm(owner) {
    set_class_name("TtBoundaryDesc");
    SetName("tBoundaryDesc");
}
