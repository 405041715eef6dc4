// The title block: the text boxes "tabs1", "tabs2", ... and the title list
// "tabs0" that the user lays out on the editing area of the main window's
// page "&Metryka". The boxes are components of the main window (Form1), so
// the drawing finds them by name; they are stored in a project file and in
// title-block templates (".hlm") as the sections "tabs<n>" and "rozne".
#pragma once

#include <string>
#include <string_view>

class IniFile;
class TControl;

// The editing area's size in pixels: box positions and sizes are pixels of
// this area, and the arrow commands keep the boxes inside it.
inline constexpr int title_area_width = 997;
inline constexpr int title_area_height = 570;

// The title list's text when none is stored or given.
std::string default_drawing_title();

// Creates the boxes stored in a template or project file. A file whose
// extension is ".hlm" then goes to the top of the recent templates
// ("pliki_metryka" of the user's "halvoren.ini").
void otworz_tabele(std::string_view file);
void otworz_tabele(const IniFile& ini);

// Stores every box into a template or project file, with "rozne" "last"
// and "tytuly"; sections of boxes that are gone are left as they are. A
// ".hlm" file goes to the top of the recent templates. The IniFile form
// keeps the writes pending until the caller's UpdateFile().
void zapisz_tabele(std::string_view file);
void zapisz_tabele(IniFile& ini);

// A title-block template: the boxes written into a new file beside `file`
// that then replaces it, so that no section of an older template stays and
// a failed write leaves the old file as it was; the file then goes to the
// top of the recent templates. Raises EInOutError or EIniFileException.
void zapisz_szablon(std::string_view file);

// Removes every box ("tabs0" to "tabs" + last_busy("last")); when the
// preview page is showing, its profile sheet is chosen and drawn again.
void czysc_tabele();

// Over the main window's components named "tabs" and a number (the number
// read from the four characters after "tabs"; one that is not a number
// raises EConvertError): "last" the highest number (0 when none); "min_l",
// "min_t" the smallest left and top (400 when none, never above 400);
// "max_r", "max_b" the largest right and bottom edge (0 when none).
int last_busy(std::string_view what);

// The smallest n from 1 upward for which the main window has no component
// named prefix + n.
int first_empty(std::string_view prefix);

// Creates the title list "tabs0" on the editing area, unless it exists,
// with the drawing titles of the user's "halvoren.ini" ("nazwa_rys") as its
// items and `text` as its text.
void cre_combo(int top, int left, std::string_view text, int width);

// The box "tabs" + n (a TMemo, or the TComboBox "tabs0"); nullptr when none.
TControl* title_box(int n);
