// The catalogue window.
#pragma once

#include "platform/forms.h"

class TtMaterials : public TForm {
public:
    explicit TtMaterials(TComponent* owner);
};

extern TtMaterials* tMaterials;
