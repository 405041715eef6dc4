// The cross-sections editor.
#pragma once

#include "platform/forms.h"

class Ttprzekroje : public TForm {
public:
    explicit Ttprzekroje(TComponent* owner);
};

extern Ttprzekroje* tprzekroje;
