// The project data dialog.
#pragma once

#include "platform/forms.h"
#include "platform/grids.h"

class Ttdane : public TForm {
public:
    explicit Ttdane(TComponent* owner);

    TStringGrid* sag_dane_kadra;  // the project's staff: ten rows of four cells
};

extern Ttdane* tdane;
