// The quantity prompt.
#pragma once

#include "platform/forms.h"

class TtAdd : public TForm {
public:
    explicit TtAdd(TComponent* owner);
};

extern TtAdd* tAdd;
