#include "forms/przekroje.h"

Ttprzekroje* tprzekroje = nullptr;

Ttprzekroje::Ttprzekroje(TComponent* owner) : TForm(owner) {
    set_class_name("Ttprzekroje");
    SetName("tprzekroje");
}
