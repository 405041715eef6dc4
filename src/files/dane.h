// The project data dialog.
#pragma once

#include "platform/forms.h"

class Ttdane : public TForm {
public:
    explicit Ttdane(TComponent* owner);
};

extern Ttdane* tdane;
