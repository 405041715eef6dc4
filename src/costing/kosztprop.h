// The estimate parameters dialog.
#pragma once

#include "platform/forms.h"

class TtKosztorysProp : public TForm {
public:
    explicit TtKosztorysProp(TComponent* owner);
};

extern TtKosztorysProp* tKosztorysProp;
