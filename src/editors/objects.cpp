#include "editors/objects.h"

TtObjects* tObjects = nullptr;

TtObjects::TtObjects(TComponent* owner) : TForm(owner) {
    set_class_name("TtObjects");
    SetName("tObjects");
}
