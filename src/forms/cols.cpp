#include "forms/cols.h"

Ttcols* tcols = nullptr;

Ttcols::Ttcols(TComponent* owner) : TForm(owner) {
    set_class_name("Ttcols");
    SetName("tcols");
}
