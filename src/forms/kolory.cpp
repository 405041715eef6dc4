#include "forms/kolory.h"

Ttkolory* tkolory = nullptr;

Ttkolory::Ttkolory(TComponent* owner) : TForm(owner) {
    set_class_name("Ttkolory");
    SetName("tkolory");
}
