#include "forms/kosztorys.h"

TtKosztorys* tKosztorys = nullptr;

TtKosztorys::TtKosztorys(TComponent* owner) : TForm(owner) {
    set_class_name("TtKosztorys");
    SetName("tKosztorys");
}
