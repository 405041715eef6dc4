#include "forms/ustawienia_wydruku.h"

Ttustawienia_wydruku* tustawienia_wydruku = nullptr;

Ttustawienia_wydruku::Ttustawienia_wydruku(TComponent* owner) : TForm(owner) {
    set_class_name("Ttustawienia_wydruku");
    SetName("tustawienia_wydruku");
}
