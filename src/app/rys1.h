// The main window.
#pragma once

#include "platform/forms.h"

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* owner);
};

extern TForm1* Form1;
