// The node chooser.
#pragma once

#include "platform/forms.h"

class Ttcopy : public TForm {
public:
    explicit Ttcopy(TComponent* owner);
};

extern Ttcopy* tcopy;
