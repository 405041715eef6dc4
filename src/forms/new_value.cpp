#include "forms/new_value.h"

TtNewValue* tNewValue = nullptr;

TtNewValue::TtNewValue(TComponent* owner) : TForm(owner) {
    set_class_name("TtNewValue");
    SetName("tNewValue");
}
