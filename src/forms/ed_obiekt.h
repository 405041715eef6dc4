// The object property editor.
#pragma once

#include "platform/forms.h"

class TtObjectProp : public TForm {
public:
    explicit TtObjectProp(TComponent* owner);
};

extern TtObjectProp* tObjectProp;
