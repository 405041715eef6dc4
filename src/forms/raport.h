// The statistics dialog.
#pragma once

#include "platform/forms.h"

class Ttraport : public TForm {
public:
    explicit Ttraport(TComponent* owner);
};

extern Ttraport* traport;
