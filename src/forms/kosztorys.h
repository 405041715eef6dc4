// The cost-estimate window.
#pragma once

#include "platform/forms.h"

class TtKosztorys : public TForm {
public:
    explicit TtKosztorys(TComponent* owner);
};

extern TtKosztorys* tKosztorys;
