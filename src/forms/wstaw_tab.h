// The insert-profiles dialog.
#pragma once

#include "platform/forms.h"
#include "platform/stdctrls.h"

class Ttwstaw_tab : public TForm {
public:
    explicit Ttwstaw_tab(TComponent* owner);

    // "Nazwa: "; its Tag is the mode: 1 inserts profiles, 0 renames the
    // current one.
    TLabel* l_ProfileName;
};

extern Ttwstaw_tab* twstaw_tab;
