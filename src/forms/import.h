// The text data import dialog.
#pragma once

#include "platform/forms.h"

class TtImport : public TForm {
public:
    explicit TtImport(TComponent* owner);
};

extern TtImport* tImport;
