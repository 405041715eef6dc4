// The settings dialog's tables: the layer, text-style, crossing-colour,
// drawing-element, check-rule, band-row and column tables, their in-cell
// choosers and the routines that refill them.
#pragma once

#include <string>

class TStringGrid;

// The layer name when a row of the layer table carries exactly that name,
// else "0" (also for the empty name). The drawing writer passes every
// entity's layer through it, so that no entity names an undeclared layer.
std::string valid_warstwa(const std::string& layer);
// The readable network names of a network-letters text: the names of the
// main window's network-type list joined by ","; "a" gives the first word of
// "all profiles", lower-cased; the empty text gives the empty text.
std::string media2txt(const std::string& letters);
// The layer chooser takes the names of the layer table, rows 1 to the last.
void zaladuj_warstwy();
// The line-name chooser takes the titles of the user band rows ("user"),
// from the second band row on.
void zaladuj_nazwy_linii();
// Writes each row's number into the column, from the first row to the last.
void przenumeruj_grida(TStringGrid& grid, int col, int first_row);
