// The model's tests set the profile panel's calculation choices as the
// values the recalculation reads; the window's reactions to a click (a
// recalculation of the current profile, the profile storing the choice)
// stay out of them.
#pragma once

#include "forms/rys1.h"

inline void panel_choices_as_values() {
    Form1->rg_ManuallyValue->OnClick = nullptr;
    Form1->rg_ManuallyValueDistance->OnClick = nullptr;
    Form1->rg_PipeOrdinateMode->OnClick = nullptr;
    Form1->cb_CalculateTerrainFromDepth->OnClick = nullptr;
    Form1->cb_PipellTerrain->OnClick = nullptr;
}
