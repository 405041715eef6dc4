#include "files/dane.h"

Ttdane* tdane = nullptr;

Ttdane::Ttdane(TComponent* owner) : TForm(owner) {
    set_class_name("Ttdane");
    SetName("tdane");
}
