// Free-standing routines that every part of the program shares: recent-file
// lists, backup copies, file checks, text filters for the project file, the
// templates and the drawing, and the keyboard filters of number fields (the
// single ini values, replacements, decimal separators, rounding and
// fixed-point text, which the model needs too, are in model/utils.h). None
// keeps state between calls.
// Texts are Windows-1250; character positions count from 1.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "model/utils.h"

class TObject;
class TControl;
class TCustomEdit;

// Puts a file name at the top of the four-entry list "plik1".."plik4" of a
// section; names containing "autosave" and empty names are never listed.
// A list that cannot be written is reported as write_user_setting says.
void add_recent_file(std::string_view file_name, std::string_view section, std::string_view ini_path);

// Runs a write of the user's own settings that no command depends on (the
// recent-files lists, the remembered folders of the file dialogs, the last
// drawing unit). A write the system refuses (a read-only configuration
// folder, a full disk) does not stop the command that made it: the first
// such failure of a run is reported in a box naming the file, later ones
// are silent.
void write_user_setting(std::string_view ini_path, const std::function<void()>& write);

// Copies a file to the same name with `extension` appended when the copy is
// missing, at least `age_limit_days` old, or (for ".err") younger but
// smaller than the file; the copy is then dated now. Failures are silent.
void backup_copy(std::string_view path, std::string_view extension, int age_limit_days);

// Opens a file (a document, the drawing, the help) with the program the
// desktop associates with it. When there is no such file, or no program
// for it, a box tells the user so with the file's full path. True when it
// opened.
bool open_with_desktop(std::string_view path);

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
// form and hints the full path as given (a file system may tell letter
// cases apart).
std::string shorten_path_for_display(std::string_view path, TControl* control = nullptr);

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
// begins a line and every closing marker ends one, blocks nested on one line
// included; the "<" of a block tag becomes the byte 0x8B and its ">" 0x9B.
// A closing tag belongs to a block when its whole name is that of a block
// opened before it (in any case); other closing tags (HTML's) stay as typed.
void normalize_template_blocks(std::string_view text, std::string_view document_type, std::string& out);

// Key filters of number fields: a refused key becomes character 0 and beeps.
void decimal_key_filter(TObject* sender, char& key);
void integer_key_filter(TObject* sender, char& key);
