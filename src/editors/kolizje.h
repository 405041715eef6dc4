// The crossings editor.
#pragma once

#include "platform/forms.h"

class Ttkolizje : public TForm {
public:
    explicit Ttkolizje(TComponent* owner);
};

extern Ttkolizje* tkolizje;
