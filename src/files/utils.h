// Free-standing routines that every part of the program shares: single ini
// values (and so every message lookup), recent-file lists, backup copies,
// file checks, text replacements and filters for the project file, the
// templates and the drawing, decimal separators, rounding, fixed-point text
// and the keyboard filters of number fields. None keeps state between calls.
// Texts are Windows-1250; character positions count from 1.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class TObject;
class TControl;
class TCustomEdit;

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

// Puts a file name at the top of the four-entry list "plik1".."plik4" of a
// section; names containing "autosave" and empty names are never listed.
void add_recent_file(std::string_view file_name, std::string_view section, std::string_view ini_path);

// Copies a file to the same name with `extension` appended when the copy is
// missing, at least `age_limit_days` old, or (for ".err") younger but
// smaller than the file; the copy is then dated now. Failures are silent.
void backup_copy(std::string_view path, std::string_view extension, int age_limit_days);

// Size in bytes; 0 when the file cannot be measured.
int64_t file_size(std::string_view path);

// True when no other program holds the file. A missing file is created
// empty first. When another program holds it and `warn` is set, a warning
// box names the file. A file that cannot be created raises EInOutError.
bool file_in_use_check(std::string_view path, bool warn);

// The long form of a short path; there are no short paths here, so the path
// comes back unchanged.
std::string long_path_name(std::string_view path);

// The edit shows the file-name part of the path; its hint the whole path.
void show_file_in_edit(std::string_view path, TCustomEdit* edit);

// "c:\ ... \name.ini": the lower-cased path up to its first separator, " ... "
// and the path from its last separator. With a control, it shows the short
// form and hints the lower-cased full path.
std::string shorten_path_for_display(std::string_view path, TControl* control = nullptr);

// Replaces the first occurrence again and again, searching from the start
// after every replacement, until none is left. A replacement that contains
// the pattern is done in one left-to-right pass instead (it would never end).
std::string replace_all(std::string_view pattern, std::string_view replacement, std::string_view text);
// One left-to-right pass, case-sensitive; replaced text is not searched again.
std::string string_replace_all(std::string_view pattern, std::string_view replacement, std::string_view text);
// Deletes the first occurrence of `part`, `count` times; count 0 deletes
// every occurrence.
std::string delete_substring(std::string_view text, std::string_view part, int count);
// The 18 Polish letters as plain letters.
std::string polish_to_ascii(std::string_view text);
// Without \ / ? : * " > < | and ".".
std::string clean_file_name(std::string_view text);
// Every occurrence of the three-character code replaced by one character:
// "%%d" the degree sign (176), "%%p" the plus-minus sign (177), any other
// code the character 0.
void replace_dxf_code(std::string_view text, std::string_view code, std::string& out);
std::string char_or_default(int flag, char first, char second);
// "0" and every decimal digit of the text (of its first 255 characters).
std::string digits_only(std::string_view text);
// An amount typed with up to two decimals as whole hundredths in digits
// ("12,5" with the separator "," gives "01250"); empty gives "0".
std::string to_hundredths_text(std::string_view number_text);
// The tag name after the first occurrence of a two-character marker,
// modifiers after "|" included; lower-cased unless it holds the byte 0xA4.
void tag_name_after(std::string_view text, std::string_view marker, std::string& out);
// Rewrites a document template so that every repeat block's opening marker
// begins a line and every closing marker ends one; "<_" and "</" of block
// tags become the bytes 0x8B and 0x9B.
void normalize_template_blocks(std::string_view text, std::string_view document_type, std::string& out);

// "," and "." turned into the system's decimal separator.
std::string fix_decimal_separator(std::string_view text);
// x rounded to n decimals with the process-wide conversion; n < 0 gives x.
double round_to(int8_t n, double x);
// x with a fixed number of decimals, halves rounding up: code n >= 0 gives n
// decimals; code n <= -5 gives -n-5 decimals in steps of 5 units of the last
// decimal (-7: 0.05, -6: 0.5, -5: 5).
void format_fixed(int code, std::string& out, double x);
std::string format_fixed(int code, double x);

// Key filters of number fields: a refused key becomes character 0 and beeps.
void decimal_key_filter(TObject* sender, char& key);
void integer_key_filter(TObject* sender, char& key);
