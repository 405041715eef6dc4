// The project sump list.
#pragma once

#include "platform/forms.h"

class TtSumps : public TForm {
public:
    explicit TtSumps(TComponent* owner);
};

extern TtSumps* tSumps;
