// The search dialog.
#pragma once

#include "platform/forms.h"

class TtSearch : public TForm {
public:
    explicit TtSearch(TComponent* owner);
};

extern TtSearch* tSearch;
