// The plot-boundary editor.
#pragma once

#include "platform/forms.h"

class TtBoundaryDesc : public TForm {
public:
    explicit TtBoundaryDesc(TComponent* owner);
};

extern TtBoundaryDesc* tBoundaryDesc;
