// The terrain descriptions editor.
#pragma once

#include "platform/forms.h"

class TtTerrainDesc : public TForm {
public:
    explicit TtTerrainDesc(TComponent* owner);
};

extern TtTerrainDesc* tTerrainDesc;
