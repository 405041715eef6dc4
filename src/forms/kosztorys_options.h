// The estimate options dialog.
#pragma once

#include "platform/forms.h"
#include "platform/stdctrls.h"

class TtKosztorysOptions : public TForm {
public:
    explicit TtKosztorysOptions(TComponent* owner);

    TCheckBox* cb_OnlyActiveTab;
    TCheckBox* cb_ContinuousPosNumbering;
    TCheckBox* cb_IgnoredPositionMessages;
    TCheckBox* cb_RoundingCorrection;
};

extern TtKosztorysOptions* tKosztorysOptions;
