// The separate preview window.
#pragma once

#include "platform/forms.h"

class TtPreview : public TForm {
public:
    explicit TtPreview(TComponent* owner);
};

extern TtPreview* tPreview;
