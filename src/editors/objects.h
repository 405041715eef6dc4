// The object library browser.
#pragma once

#include "platform/forms.h"

class TtObjects : public TForm {
public:
    explicit TtObjects(TComponent* owner);
};

extern TtObjects* tObjects;
