// The estimate position editor.
#pragma once

#include "platform/forms.h"

class TtKosztorysPoz : public TForm {
public:
    explicit TtKosztorysPoz(TComponent* owner);
};

extern TtKosztorysPoz* tKosztorysPoz;
