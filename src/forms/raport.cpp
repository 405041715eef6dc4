#include "forms/raport.h"

Ttraport* traport = nullptr;

Ttraport::Ttraport(TComponent* owner) : TForm(owner) {
    set_class_name("Ttraport");
    SetName("traport");
}
