#include "forms/oslonowe.h"

Ttoslonowe* toslonowe = nullptr;

Ttoslonowe::Ttoslonowe(TComponent* owner) : TForm(owner) {
    set_class_name("Ttoslonowe");
    SetName("toslonowe");
}
