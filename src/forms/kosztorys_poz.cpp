#include "forms/kosztorys_poz.h"

TtKosztorysPoz* tKosztorysPoz = nullptr;

TtKosztorysPoz::TtKosztorysPoz(TComponent* owner) : TForm(owner) {
    set_class_name("TtKosztorysPoz");
    SetName("tKosztorysPoz");
}
