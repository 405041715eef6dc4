// The catalogue resource editor.
#pragma once

#include "platform/forms.h"

class TtMaterialProp : public TForm {
public:
    explicit TtMaterialProp(TComponent* owner);
};

extern TtMaterialProp* tMaterialProp;
