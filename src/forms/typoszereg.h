// The pipe series dialog.
#pragma once

#include "platform/forms.h"

class TtPipeSystem : public TForm {
public:
    explicit TtPipeSystem(TComponent* owner);

    // Lists the project's pipe series; the list arrives with the window's
    // contents.
    void odswiez() {}
};

extern TtPipeSystem* tPipeSystem;
