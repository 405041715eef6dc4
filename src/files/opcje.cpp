#include "files/opcje.h"

Ttopcje* topcje = nullptr;

Ttopcje::Ttopcje(TComponent* owner) : TForm(owner) {
    set_class_name("Ttopcje");
    SetName("topcje");
}
