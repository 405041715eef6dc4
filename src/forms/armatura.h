// The fittings chooser.
#pragma once

#include "platform/forms.h"

class Ttarmatura : public TForm {
public:
    explicit Ttarmatura(TComponent* owner);
};

extern Ttarmatura* tarmatura;
