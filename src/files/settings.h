// Reading and writing the settings file in its modes: "opcje" (the user's
// options file or a settings file), "plik" (the settings block of a project
// file), "koszt" (a cost-estimate file), "opcje_koszt" (the cost-estimate
// options), "close" (the band rows only) and, for reading, "lang" (the
// language-dependent settings when a language is applied).
#pragma once

#include <string>

// Writes the settings of the mode into the file; any other mode writes
// nothing. A refused write raises EIniFileException and leaves the file as
// it was.
void zapisz_opcje(const std::string& path, const std::string& mode);
// Reads the settings of the mode from the file into the controls and the
// process-wide values, then refreshes the settings dialog (var2contr).
void czytaj_opcje(const std::string& path, const std::string& mode);

// Copies the settings dialog's controls into the process-wide values; true
// when a change needs the current profile recalculated.
bool contr2var();
// Copies the process-wide values into the controls: mode "opcje" the
// dialog's part, "drenaz" the main window's drainage edits, "" both.
void var2contr(const std::string& mode = "");
// The unit of the user column "Calc 1" from its formula's variables.
void set_calc_column_unit();
// The slope sign from the settings dialog; true when it changed.
bool kier_spad();
// Binds the settings dialog's key filters of its number fields, the "0"
// that the automatic-fill fields take when left empty, the line exchange
// of the value lists' memo and the scale cell that a fitted sheet locks.
void connect_field_handlers();
