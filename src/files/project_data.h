// The project data record (`projekt_dane`) in section "dane_proj" of a
// project file: seventeen texts under fixed keys, a missing key reading as
// the empty text.
#pragma once

class IniFile;
struct projekt_dane;

// Writes the seventeen keys of a record.
void zapisz_dane_proj(const projekt_dane& data, IniFile& ini);
// Reads the seventeen keys into a record (missing keys give empty texts).
void czytaj_dane_proj(const IniFile& ini, projekt_dane& data);

// The same for the project's own record (model().project.dane).
void zapisz_dane_proj(IniFile& ini);
void czytaj_dane_proj(const IniFile& ini);
