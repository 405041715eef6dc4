// The DXF import dialog.
#pragma once

#include "platform/forms.h"

class TtDXFImport : public TForm {
public:
    explicit TtDXFImport(TComponent* owner);
};

extern TtDXFImport* tDXFImport;
