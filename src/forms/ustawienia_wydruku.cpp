#include "forms/ustawienia_wydruku.h"

Ttustawienia_wydruku* tustawienia_wydruku = nullptr;

Ttustawienia_wydruku::Ttustawienia_wydruku(TComponent* owner) : TForm(owner) {
    set_class_name("Ttustawienia_wydruku");
    SetName("tustawienia_wydruku");
    auto margin = [this](const char* name, const char* value, int top) {
        auto* e = new TEdit(this);
        e->SetName(name);
        e->SetText(value);
        e->SetBounds(8, top, 40, 21);
        e->SetParent(this);
        return e;
    };
    e_ml = margin("e_ml", "10", 8);
    e_mr = margin("e_mr", "10", 32);
    e_mt = margin("e_mt", "5", 56);
    e_md = margin("e_md", "15", 80);
}
