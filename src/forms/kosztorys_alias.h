// The estimate alias chooser.
#pragma once

#include "platform/forms.h"

class TtKosztorysAlias : public TForm {
public:
    explicit TtKosztorysAlias(TComponent* owner);
};

extern TtKosztorysAlias* tKosztorysAlias;
