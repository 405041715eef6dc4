// The casing-pipes editor.
#pragma once

#include "platform/forms.h"

class Ttoslonowe : public TForm {
public:
    explicit Ttoslonowe(TComponent* owner);
};

extern Ttoslonowe* toslonowe;
