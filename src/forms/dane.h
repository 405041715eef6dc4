// The project data dialog.
#pragma once

#include "platform/forms.h"
#include "platform/grids.h"

class Ttdane : public TForm {
public:
    explicit Ttdane(TComponent* owner);

    TStringGrid* sag_dane_kadra;  // the project's staff: ten rows of four cells
    // The project data: rows 1 to 17 hold the seventeen fields in record
    // order, column 0 their names, column 1 their values.
    TStringGrid* sag_MainData;
};

extern Ttdane* tdane;
