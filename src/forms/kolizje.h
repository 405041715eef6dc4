// The crossings editor.
#pragma once

#include "platform/forms.h"
#include "platform/stdctrls.h"

class Ttkolizje : public TForm {
public:
    explicit Ttkolizje(TComponent* owner);

    TRadioGroup* rg_PipeOrdinateMode;  // ordinates of the crossing pipe's bottom or axis
};

extern Ttkolizje* tkolizje;
