#include "forms/media.h"

TtMedia* tMedia = nullptr;

TtMedia::TtMedia(TComponent* owner) : TForm(owner) {
    set_class_name("TtMedia");
    SetName("tMedia");
}
