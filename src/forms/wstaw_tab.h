// The insert-profiles dialog.
#pragma once

#include "platform/forms.h"

class Ttwstaw_tab : public TForm {
public:
    explicit Ttwstaw_tab(TComponent* owner);
};

extern Ttwstaw_tab* twstaw_tab;
