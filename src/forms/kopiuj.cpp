#include "forms/kopiuj.h"

Ttcopy* tcopy = nullptr;

Ttcopy::Ttcopy(TComponent* owner) : TForm(owner) {
    set_class_name("Ttcopy");
    SetName("tcopy");
}
