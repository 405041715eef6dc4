// The column data transfer dialog.
#pragma once

#include "platform/forms.h"

class Ttcols : public TForm {
public:
    explicit Ttcols(TComponent* owner);
};

extern Ttcols* tcols;
