// The warnings dialog.
#pragma once

#include "platform/forms.h"

class TtWarnings : public TForm {
public:
    explicit TtWarnings(TComponent* owner);
};

extern TtWarnings* tWarnings;
