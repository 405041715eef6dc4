#include "forms/ed_obiekt.h"

#include "platform/builder.h"

TtObjectProp* tObjectProp = nullptr;

TtObjectProp::TtObjectProp(TComponent* owner) : TForm(owner) {
    set_class_name("TtObjectProp");
    SetName("tObjectProp");
    form_builder b(this, this);
    l_ObjectKind = b.add<TLabel>("l_ObjectKind", {}, 300, 15);
    l_ObjectKind->Tag = -1;
}
