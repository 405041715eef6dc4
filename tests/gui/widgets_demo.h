// A window with the table component showing every kind of cell property
// and the tab strip at its bottom, for the front end's tests.
#pragma once

#include <string>
#include <vector>

#include "platform/forms.h"
#include "widgets/aligrid.h"
#include "widgets/comctrls95.h"

class TWidgetsDemo : public TForm {
public:
    explicit TWidgetsDemo(TComponent* owner);

    std::vector<std::string> log;
    TStringAlignGrid* table;
    TTab95Control* tabs;

    // The cells that show one property each.
    static constexpr int own_colour_col = 2, own_colour_row = 2;  // yellow, right-aligned
    static constexpr int hint_col = 3, hint_row = 1;
    static constexpr int wrap_col = 4, wrap_row = 3;
};
