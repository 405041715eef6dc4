// The settings dialog's tables: the layer, text-style, crossing-colour,
// drawing-element, check-rule, band-row and column tables, their in-cell
// choosers and the routines that refill them.
#pragma once

#include <cstddef>
#include <string>

#include "platform/types.h"

class TCanvas;
class TStringGrid;
class TStringAlignGrid;
struct linia_def;

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

// The built-in drawing elements lead `line_defs`: the line table's rows 1
// to 15, which cannot be removed.
inline constexpr std::size_t builtin_line_count = 15;
// A user element before its row sets it: the values of a line the dialog adds.
linia_def new_user_line();

// The colour of a greyed table row: the main table's header cell.
TColor greyed_row_colour();
// Paints the squares of a network-letters cell: one square per network
// type the letters name, in the type's drawing colour.
void draw_media(const std::string& letters, TCanvas& canvas, const TRect& rect);
// Paints the colour cell (column 2) of a row: a swatch of the cell's
// drawing colour and its number; nothing for an empty cell.
void przekoloruj(int row, TStringAlignGrid& grid, TCanvas& canvas, const TRect& rect);
// Paints the colour cell of a check rule: a square in the rule's colour.
void draw_rule_colour(int row, TStringAlignGrid& grid, TCanvas& canvas, const TRect& rect);

// A new band row (key "user", shown, at nodes, not joined, height 100)
// before the record `index`, or at the end; the table is rebuilt.
void title_add(int index, bool append);
// A built-in band row is only hidden; a user row goes after the question,
// answered Yes. The table is rebuilt.
void title_delete(int index);
// A new check rule (enabled, a light colour, every network) before the
// record `index`, or at the end; the table is rebuilt.
void rule_add(int index, bool append);
// Removes the rule after the question, answered Yes; the table is rebuilt.
void rule_delete(int index);
// A new drawing element (layer "0", every network, colour 1, drawn) at the
// end; the table is rebuilt.
void line_add(int index, bool append);
// Removes a user drawing element after the question, answered Yes; the
// built-in elements stay. The table is rebuilt.
void line_delete(int index);

// Binds the tables' keys, mouse, painting, actions and choosers, and the
// pages that take the choosers when they show.
void connect_table_handlers();
