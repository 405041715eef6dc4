// The object library browser.
#pragma once

#include "platform/forms.h"
#include "platform/stdctrls.h"

class TtObjects : public TForm {
public:
    explicit TtObjects(TComponent* owner);

    TLabel* l_Found;               // its hint: the object kind offered
    TCheckBox* cb_InListShowDesc;  // the list shows descriptions
    TComboBox* cb_Description;     // "@_" pattern of an object's description
};

extern TtObjects* tObjects;
