// The estimate options dialog.
#pragma once

#include "platform/forms.h"

class TtKosztorysOptions : public TForm {
public:
    explicit TtKosztorysOptions(TComponent* owner);
};

extern TtKosztorysOptions* tKosztorysOptions;
