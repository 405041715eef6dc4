#include "forms/import.h"

TtImport* tImport = nullptr;

TtImport::TtImport(TComponent* owner) : TForm(owner) {
    set_class_name("TtImport");
    SetName("tImport");
}
