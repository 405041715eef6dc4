// The groups of keys of the settings file, each described as tables in its
// own unit. The settings reader and writer (settings.cpp) run them in the
// order the file keeps.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "files/settings_io.h"

class IniFile;
class TStringGrid;

// --- shared by options and project files (settings_shared.cpp) --------------

// [inne] calculation switches: written in "opcje" and "plik", read in
// "opcje" and "plik" (not "lang").
const std::vector<setting_key>& calc_switch_keys();
// Writes, in the file's order, the shared keys that come before the layer
// table: "uklad" ventilation, "inne", "format" (the sheet origins
// included), "inne", "autouzup".
void write_shared_head(IniFile& ini);
// Reads the shared scalar keys of "format", "uklad", "autouzup" and "inne"
// (and the keys of them that are only read), modes "opcje", "plik", "lang".
void read_shared_scalars(const IniFile& ini, unsigned mode);
// Writes "font" and its 40 text settings, then "drawing_titles_"<lang>, then
// "bwezel" of "autouzup".
void write_shared_tail(IniFile& ini);
// The 40 text settings of "font" (read in "opcje" and "plik").
void read_font_texts(const IniFile& ini);
// "dir", "nazwa", "opisy", "opisy_jak_typ", "kolor_jak_typ" of "font"
// (read in "opcje" only, among the program options).
void read_font_options(const IniFile& ini);
// "bwezel" of "autouzup".
void read_bwezel(const IniFile& ini);
// The sheet titles and numbers of "drawing_titles_"<lang> (modes "opcje", "lang").
void read_drawing_titles(const IniFile& ini);

// --- project block (settings_shared.cpp) ------------------------------------

// Written in mode "plik", after the band rows: project data, staff, "format",
// "inne", "uklad" (without "SaveCalcParamsInHLV", which the cost group writes).
void write_project_block(IniFile& ini);
// Read in mode "plik" (steps 1 to 11 of the project block).
void read_project_block(const IniFile& ini);
// [inne] "next_typosz_id" (read in "opcje" and "plik").
void read_next_typosz_id(const IniFile& ini);

// --- program options (settings_options.cpp) ---------------------------------

// Written in mode "opcje", after the shared settings and before the band rows.
void write_program_options(IniFile& ini);
// "default_infotable_"<lang> and "file_name_pattern" (modes "opcje", "lang").
void read_infotable_and_pattern(const IniFile& ini);
// "default_infotable_"<lang> alone (mode "lang").
void read_default_infotable(const IniFile& ini);
// The column titles of "Columns_"<lang> alone (mode "lang").
void read_column_titles(const IniFile& ini);
// "autofilling_"<lang> (modes "opcje", "lang").
void read_data_lists(const IniFile& ini);
// "Columns_"<lang>, "Dane", "Dane_szer", "Dane_prec" (modes "opcje", "lang");
// the column sections are erased from `ini` first when "Dane" lacks "ind_25".
void read_columns(IniFile& ini);
// Mode "opcje": the remaining program options in their reading order, with
// their side effects.
void read_program_options(const IniFile& ini);

// --- cost-estimate options (settings_options.cpp) ---------------------------

// "SaveCalcParamsInHLV" of "calc" (read while it is off; never switched off).
void read_save_calc_params_flag(const IniFile& ini);
void write_save_calc_params_flag(IniFile& ini);
// The options of "calc" (written in "opcje_koszt", read in "opcje").
void write_cost_options(IniFile& ini);
void read_cost_options(const IniFile& ini);
// The calculation parameters of "calc" followed by "calc_r", "calc_m", "calc_s".
void write_cost_params(IniFile& ini);
void read_cost_params(const IniFile& ini);

// --- stored lists and records (settings_lists.cpp) --------------------------

// The layer table "warstwy" (section erased before it is written).
void write_layers(IniFile& ini);
void read_layers(const IniFile& ini);
// The drawing elements "linie" and "lines" (both erased before they are written).
void write_line_defs(IniFile& ini);
void read_line_defs(const IniFile& ini, unsigned mode);
// The band rows of "table_content_"<lang> (erased before they are written).
void write_band_rows(IniFile& ini);
// Reads the band rows as the settings reader does (own section, the
// built-in rows the table lacks, or the whole table from another source).
void read_band_rows(const IniFile& ini, unsigned mode);
// Parses one stored band row and appends it to `profile_table_rows`.
void dodaj_parametry_wiersza_tabeli(const std::string& row);
// The index of the band row with the key (exact) or the title (ASCII case
// ignored); 255 when none.
uint8_t TitleNr(const std::string& key, const std::string& title);
// The stored text of a band row.
std::string band_row_text(const struct dane_pod_profil& row);
// The check rules of "Rules_"<lang>: written from `check_rules`; read from
// the file being read when it has the section, else from the language file.
void write_check_rules(IniFile& ini);
void read_check_rules(const IniFile& ini);
// The crossing colours of "CrossingColors_"<lang> (same sources as the rules).
void write_crossing_colors(IniFile& ini);
void read_crossing_colors(const IniFile& ini);
// Staff rows "proj1" to "proj10" of a section into or out of a table: rows 1
// to 10, four cells from `first_col` (0 in the settings dialog's staff list,
// 1 beside the project data's row-head column).
void write_staff_rows(IniFile& ini, const std::string& section, const TStringGrid& grid, int first_col = 1);
void read_staff_rows(const IniFile& ini, const std::string& section, TStringGrid& grid, int first_col = 1);
// The cost resource lists "calc_r", "calc_m", "calc_s".
void write_cost_resources(IniFile& ini);
// The built-in drawing elements (keys, defaults) at the start of `line_defs`.
void reset_line_defs();

// The file "halvoren.ini" of the configuration folder.
std::string user_settings_file();
