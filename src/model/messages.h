// Message look-up: every text shown to the user is looked up by key in the
// language file, with the built-in Polish text as default.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/sysutils.h"

// The language file in use; empty until a language is chosen (then every
// look-up gives the built-in text).
extern std::string language_file;
// The help file of the chosen language.
extern std::string help_file;
// The product name in the chosen language's form; the application's title.
extern std::string program_title;

// The text of `key` in `section` of the language file, or `builtin`.
std::string lang_text(std::string_view section, std::string_view key, std::string_view builtin);
// A message of section "messages".
inline std::string msg(std::string_view key, std::string_view builtin) { return lang_text("messages", key, builtin); }

// A language text used as a default, passed through the format routine with
// no arguments ("%%" becomes "%"); a text that needs arguments is kept as it is.
std::string no_arg_format(std::string_view text);
// "Niepoprawny format danych:" and, on a line of its own, the text that did
// not convert to a number.
std::string wrong_format_message(std::string_view text);

// A language text used as a format pattern; a text that does not fit its
// arguments (a translator's slip) is shown as it stands instead of raising.
std::string format_language_text(std::string_view pattern, std::initializer_list<FormatArg> args);
