// The geotechnical section dialog.
#pragma once

#include "platform/forms.h"

class TtGeo : public TForm {
public:
    explicit TtGeo(TComponent* owner);
};

extern TtGeo* tGeo;
