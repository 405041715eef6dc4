#include "forms/dodaj_mat.h"

TtAdd* tAdd = nullptr;

TtAdd::TtAdd(TComponent* owner) : TForm(owner) {
    set_class_name("TtAdd");
    SetName("tAdd");
}
