#include "forms/warnings.h"

TtWarnings* tWarnings = nullptr;

TtWarnings::TtWarnings(TComponent* owner) : TForm(owner) {
    set_class_name("TtWarnings");
    SetName("tWarnings");
}
