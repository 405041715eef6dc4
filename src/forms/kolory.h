// The drawing colour chooser.
#pragma once

#include "platform/forms.h"

class Ttkolory : public TForm {
public:
    explicit Ttkolory(TComponent* owner);
};

extern Ttkolory* tkolory;
