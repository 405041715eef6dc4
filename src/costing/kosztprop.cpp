#include "costing/kosztprop.h"

TtKosztorysProp* tKosztorysProp = nullptr;

TtKosztorysProp::TtKosztorysProp(TComponent* owner) : TForm(owner) {
    set_class_name("TtKosztorysProp");
    SetName("tKosztorysProp");
}
