// The network-type chooser.
#pragma once

#include "platform/forms.h"

class TtMedia : public TForm {
public:
    explicit TtMedia(TComponent* owner);
};

extern TtMedia* tMedia;
