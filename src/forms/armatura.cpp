#include "forms/armatura.h"

Ttarmatura* tarmatura = nullptr;

Ttarmatura::Ttarmatura(TComponent* owner) : TForm(owner) {
    set_class_name("Ttarmatura");
    SetName("tarmatura");
}
