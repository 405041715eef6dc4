// The pipe table dialog.
#pragma once

#include "platform/forms.h"

class TtPipesParams : public TForm {
public:
    explicit TtPipesParams(TComponent* owner);
};

extern TtPipesParams* tPipesParams;
