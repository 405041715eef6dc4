// The settings dialog.
#pragma once

#include "platform/forms.h"

class Ttopcje : public TForm {
public:
    explicit Ttopcje(TComponent* owner);
};

extern Ttopcje* topcje;
