// The statistics dialog.
#pragma once

#include "platform/forms.h"
#include "platform/stdctrls.h"

class Ttraport : public TForm {
public:
    explicit Ttraport(TComponent* owner);

    // The network-type filter of the materials table: item 0 the whole
    // project, item k the k-th network type (filled when the dialog shows).
    TComboBox* cb_NetworkType;
};

extern Ttraport* traport;
