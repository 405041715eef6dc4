// The settings dialog's record tables refilled from the process-wide record
// arrays: the drawing elements (`sag_Lines` from `line_defs`), the check
// rules (`sag_Rules` from `check_rules`) and the band rows
// (`sag_TableContent` from `profile_table_rows`). Only the cell texts are
// written: check cells hold byte 0xFE (on) or 0xA8 (off); colours, greying
// and the painted cells are the dialog's own business. Each does nothing
// while the settings dialog does not exist.
#pragma once

// Rows 1 to n show entries 0 to n-1. Column 0 of the fifteen built-in
// entries keeps the dialog's captions; a user element (entry 15 on) shows
// its name there. Columns: 1 draw mark, 2 colour number, 3 layer, 4 the
// like-the-pipe mark, 5 the network letters.
void RefreshSag_Lines();
// One row per rule, at least one row: with no rule, row 1 is empty with the
// off mark. Columns: 1 enabled mark, 2 empty (the swatch is painted from the
// rule), 3 description, 4 formula, 5 network letters.
void RefreshSag_Rules();
// One row per band row; nothing while there are none. Columns: 0 number,
// 1 shown mark, 2 title, 3 unit, 4 precision item, 5 at-nodes mark,
// 6 formula of a "user" row or name of a built-in row, 7 height with "%",
// 8 join mark (off for rows at nodes and for "dlugosc" and "dlug_spad").
void RefreshSag_TableContent();
