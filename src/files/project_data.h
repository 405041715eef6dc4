// The project data record (`projekt_dane`): in section "dane_proj" of a
// project file, seventeen texts under fixed keys, a missing key reading as
// the empty text; in the project-data dialog; on the clipboard; and as the
// template variables of a file name.
#pragma once

#include <string>
#include <string_view>

class IniFile;
struct projekt_dane;

// Writes the seventeen keys of a record.
void zapisz_dane_proj(const projekt_dane& data, IniFile& ini);
// Reads the seventeen keys into a record (missing keys give empty texts).
void czytaj_dane_proj(const IniFile& ini, projekt_dane& data);

// The same for the project's own record (model().project.dane).
void zapisz_dane_proj(IniFile& ini);
void czytaj_dane_proj(const IniFile& ini);

// Field `row` (1 to 17, record order) of a record: the value of that row of
// the project-data dialog's table.
std::string& project_data_field(projekt_dane& data, int row);

// Empties the seventeen texts of a record.
void czysc_dane_proj2(projekt_dane& data);
// Empties the names and cells of the project-data dialog's staff table
// (columns 1 to 4 of rows 1 to 10).
void czysc_parametry_projektu_kadra();
// Shows a record in the project-data dialog: with the part "all" or "main"
// the seventeen texts go into rows 1 to 17 of its value column; the table's
// text is grey with `read_only` (data shown for confirmation), else in the
// window-text colour.
void odswiez_dane_proj(const projekt_dane& data, std::string_view part, bool read_only);

// The project data as the clipboard holds them: seventeen lines
// "key=value", each ended by CR LF, the keys of [dane_proj] but "nr_dzialki"
// for "dzialka" and "wlasny1" to "wlasny3" for "wlas1" to "wlas3".
std::string project_data_text(const projekt_dane& data);
// A record from such a text: each field takes the value of the first line
// of its key (compared without ASCII case); a missing key leaves it empty.
projekt_dane project_data_from_text(std::string_view text);
// Whether the project holds no project data: the record and the staff
// table are empty.
bool project_data_empty();

// The text with its project-data variables ("@_inwestor", "@_investor",
// ... in Polish and English) replaced by the project's data and every "~"
// removed; any other variable gives the empty text.
std::string expand_project_data(std::string_view text);
