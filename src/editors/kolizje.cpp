#include "editors/kolizje.h"

Ttkolizje* tkolizje = nullptr;

Ttkolizje::Ttkolizje(TComponent* owner) : TForm(owner) {
    set_class_name("Ttkolizje");
    SetName("tkolizje");
}
