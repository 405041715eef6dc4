// The shared routines that the project model needs as well as the layers
// above it: single ini values (and so every message lookup), text
// replacements, decimal separators, rounding and fixed-point text. None
// keeps state between calls. Texts are Windows-1250.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Reads or writes one ini value, opening the file for this call alone.
// Mode 'r': `out` receives the stored value (at most 2047 characters), or
// `value` (the default) when the file, section or key is missing; an existing
// key with an empty value gives the empty text. Mode 'w': writes `value`,
// creating file and section as needed; `out` is not touched; a refused write
// raises EIniFileException "Unable to write to %s". Other modes do nothing.
void ini_string(std::string_view path, std::string_view section, std::string_view key, std::string_view value,
                char mode, std::string& out);
// The read, returning the value.
std::string ini_string(std::string_view path, std::string_view section, std::string_view key, std::string_view def);

// A replacement shorter than the pattern: replaces the first occurrence
// again and again, searching from the start after every replacement, until
// none is left (so "  " by " " collapses any run of blanks). Any other
// replacement is done in one left-to-right pass (searching again could
// never end, or grow the text without limit).
std::string replace_all(std::string_view pattern, std::string_view replacement, std::string_view text);
// One left-to-right pass, case-sensitive; replaced text is not searched again.
std::string string_replace_all(std::string_view pattern, std::string_view replacement, std::string_view text);
// Deletes the first occurrence of `part`, `count` times; count 0 deletes
// every occurrence.
std::string delete_substring(std::string_view text, std::string_view part, int count);
// "," and "." turned into the system's decimal separator.
std::string fix_decimal_separator(std::string_view text);
// Whether `text` holds `word`; an empty word is never found.
bool contains_text(std::string_view text, std::string_view word);
// x rounded to n decimals with the process-wide conversion; n < 0 gives x.
double round_to(int8_t n, double x);
// x with a fixed number of decimals, halves rounding up: code n >= 0 gives n
// decimals; code n <= -5 gives -n-5 decimals in steps of 5 units of the last
// decimal (-7: 0.05, -6: 0.5, -5: 5).
void format_fixed(int code, std::string& out, double x);
std::string format_fixed(int code, double x);
// A value shown to a person with `decimals` decimals (0 to 18) and the
// system's separator: x times 10^decimals made whole by Round (with
// euro_rounding halves go away from zero, and binary noise around a half
// counts as the half: 0.75 from 0.30 / 40 shows "0.8"). A value whose fixed
// text would carry more than 15 significant digits, which a double does not
// hold, is shown in the general form with at most 15 ("1E20"). The node
// table, the side panel and the documents show every value with a fixed
// count of decimals through it. Raises EMathError for NaN and infinity.
void fixed_text(std::string& out, int decimals, double x);
std::string fixed_text(int decimals, double x);

