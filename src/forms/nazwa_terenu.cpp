#include "forms/nazwa_terenu.h"

TtTerrainDesc* tTerrainDesc = nullptr;

TtTerrainDesc::TtTerrainDesc(TComponent* owner) : TForm(owner) {
    set_class_name("TtTerrainDesc");
    SetName("tTerrainDesc");
}
