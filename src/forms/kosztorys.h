// The cost-estimate window.
#pragma once

#include "platform/forms.h"

class TtKosztorys : public TForm {
public:
    explicit TtKosztorys(TComponent* owner);

    // Closes every open cost estimate; there are none until the estimates
    // are built.
    void koszt_nowy() {}
};

extern TtKosztorys* tKosztorys;
