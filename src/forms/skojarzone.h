// The document template chooser.
#pragma once

#include "platform/forms.h"

class Ttskojarzone : public TForm {
public:
    explicit Ttskojarzone(TComponent* owner);
};

extern Ttskojarzone* tskojarzone;
