// The pipe series dialog.
#pragma once

#include "platform/forms.h"

class TtPipeSystem : public TForm {
public:
    explicit TtPipeSystem(TComponent* owner);
};

extern TtPipeSystem* tPipeSystem;
