// The settings file's keys, described once as tables: each key with its
// section, its stored form, its default and the control or value that holds
// it. Reading, writing and the defaults of a missing file all run from the
// tables; a group's table lists its keys in the order they are written.
//
// Stored forms: Booleans "1"/"0"; whole numbers in decimal (read: decimal
// digits with an optional sign, or "0x" and hexadecimal digits); texts as
// they stand; reals with the system's decimal separator (read after the
// separator is normalised, unless the key is kept "as stored"); colours as
// colour texts. A missing key, or a value that does not convert, gives the
// key's default and the read goes on.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class IniFile;
class TCheckBox;
class TRadioButton;
class TRadioGroup;
class TComboBox;
class TCustomEdit;
class TSpinEdit;
class TTrackBar;

// The modes of the settings file.
enum settings_mode : unsigned {
    mode_opcje = 1u << 0,
    mode_plik = 1u << 1,
    mode_koszt = 1u << 2,
    mode_opcje_koszt = 1u << 3,
    mode_close = 1u << 4,
    mode_lang = 1u << 5,
};
// The mode of its text ("opcje", "plik", ...); 0 for any other text.
unsigned settings_mode_of(std::string_view text);

// The chosen language's name, lower-cased ("polski"), the suffix of the
// language-dependent sections.
std::string settings_language();
// "Columns_" + the language.
std::string lang_section(std::string_view base);

// The whole-number rule of the settings file.
bool parse_setting_int(std::string_view text, long long& out);

// The forms in which reals are written.
enum class real_form { general, fixed6, fixed2 };

struct setting_key {
    std::string section;
    bool lang = false;     // the section takes the language suffix
    std::string key;
    // The text written; nullptr: the key is never written.
    std::function<std::string()> write;
    // Takes a stored text; false when it does not convert. nullptr: never read.
    std::function<bool(const std::string&)> read;
    // The default as stored text.
    std::function<std::string()> fallback;

    std::string section_name() const;
};

// Reads every key of the table: the stored value, or the default when the
// key is missing or does not convert.
void read_keys(const IniFile& ini, const std::vector<setting_key>& keys);
// Reads one key of a table by its name (section and key).
void read_key(const IniFile& ini, const std::vector<setting_key>& keys, std::string_view section, std::string_view key);
// Writes every key of the table that is written, in table order.
void write_keys(IniFile& ini, const std::vector<setting_key>& keys);

// --- builders ---------------------------------------------------------------
// Each gives a key bound to a control or to a getter and a setter.

setting_key bool_key(std::string section, std::string key, bool def, TCheckBox* control);
setting_key bool_key(std::string section, std::string key, bool def, TRadioButton* control);
setting_key bool_key(std::string section, std::string key, bool def, std::function<bool()> get,
                     std::function<void(bool)> set);
// A whole number, clamped to min..max when read.
setting_key int_key(std::string section, std::string key, long long def, std::function<long long()> get,
                    std::function<void(long long)> set, long long min = -2147483648LL, long long max = 2147483647LL);
// The item index of a radio group or combo box.
setting_key index_key(std::string section, std::string key, int def, TRadioGroup* control);
setting_key index_key(std::string section, std::string key, int def, TComboBox* control);
setting_key spin_key(std::string section, std::string key, int def, TSpinEdit* control);
setting_key track_key(std::string section, std::string key, int def, TTrackBar* control);
// A text. With `normalise` the separator is normalised when read.
setting_key text_key(std::string section, std::string key, std::function<std::string()> def,
                     std::function<std::string()> get, std::function<void(const std::string&)> set,
                     bool normalise = false);
setting_key text_key(std::string section, std::string key, std::string def, TCustomEdit* control, bool normalise = false);
setting_key text_key(std::string section, std::string key, std::string def, TComboBox* control, bool normalise = false);
// A real. `def` is written with "." and becomes the system's separator.
setting_key real_key(std::string section, std::string key, std::string def, std::function<double()> get,
                     std::function<void(double)> set, real_form form = real_form::general, bool as_stored = false);
// A colour text.
setting_key color_key(std::string section, std::string key, std::string def, std::function<unsigned()> get,
                      std::function<void(unsigned)> set);

// The text of a real in a settings form, with the system's separator.
std::string setting_real_text(double v, real_form form);
