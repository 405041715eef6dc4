// The additional terrain ordinates editor.
#pragma once

#include "platform/forms.h"

class TtOrdinates : public TForm {
public:
    explicit TtOrdinates(TComponent* owner);
};

extern TtOrdinates* tOrdinates;
