// The print settings dialog.
#pragma once

#include "platform/forms.h"

class Ttustawienia_wydruku : public TForm {
public:
    explicit Ttustawienia_wydruku(TComponent* owner);
};

extern Ttustawienia_wydruku* tustawienia_wydruku;
