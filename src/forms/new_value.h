// The bulk value change dialog.
#pragma once

#include "platform/forms.h"

class TtNewValue : public TForm {
public:
    explicit TtNewValue(TComponent* owner);
};

extern TtNewValue* tNewValue;
