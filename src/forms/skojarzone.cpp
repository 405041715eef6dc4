#include "forms/skojarzone.h"

Ttskojarzone* tskojarzone = nullptr;

Ttskojarzone::Ttskojarzone(TComponent* owner) : TForm(owner) {
    set_class_name("Ttskojarzone");
    SetName("tskojarzone");
}
