// The catalogue window.
#pragma once

#include "platform/forms.h"
#include "platform/stdctrls.h"

class TtMaterials : public TForm {
public:
    explicit TtMaterials(TComponent* owner);

    TRadioGroup* rg_SearchWide;  // where a search matches
};

extern TtMaterials* tMaterials;
