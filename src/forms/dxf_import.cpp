#include "forms/dxf_import.h"

TtDXFImport* tDXFImport = nullptr;

TtDXFImport::TtDXFImport(TComponent* owner) : TForm(owner) {
    set_class_name("TtDXFImport");
    SetName("tDXFImport");
}
