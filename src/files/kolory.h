// The colour chooser as the settings tables use it.
#pragma once

#include <optional>

class TStringGrid;

// Opens "Wybierz kolor:" for the current cell of a settings table: the
// cell's number chosen when it holds one, "Jak Warstwa" (256) offered only
// with `by_layer` (the layer table allows 1 to 255). Confirming writes the
// number into that cell (and, while the line page shows, stores it through
// the line table's after-edit) and returns it; nullopt when cancelled.
std::optional<int> choose_drawing_colour(TStringGrid* table, bool by_layer);
