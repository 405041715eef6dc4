#include "forms/studzienki.h"

TtSumps* tSumps = nullptr;

TtSumps::TtSumps(TComponent* owner) : TForm(owner) {
    set_class_name("TtSumps");
    SetName("tSumps");
}
