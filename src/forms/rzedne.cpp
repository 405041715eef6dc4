#include "forms/rzedne.h"

TtOrdinates* tOrdinates = nullptr;

TtOrdinates::TtOrdinates(TComponent* owner) : TForm(owner) {
    set_class_name("TtOrdinates");
    SetName("tOrdinates");
}
