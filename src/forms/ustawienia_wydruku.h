// The print settings dialog.
#pragma once

#include "platform/forms.h"
#include "platform/stdctrls.h"

class Ttustawienia_wydruku : public TForm {
public:
    explicit Ttustawienia_wydruku(TComponent* owner);

    // The page margins in millimetres: left, right, top, bottom.
    TEdit* e_ml;
    TEdit* e_mr;
    TEdit* e_mt;
    TEdit* e_md;
};

extern Ttustawienia_wydruku* tustawienia_wydruku;
