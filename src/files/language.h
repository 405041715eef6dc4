// The language files: choosing the language and applying a language file to
// every window (captions, list items, tree texts, table cells, hints and
// the windows' character set). Messages are looked up key by key at the
// moment they are shown (lang_text and msg, model/messages.h).
#pragma once

#include <string>
#include <vector>

class TComponent;

// Applies the language file to every window of the application, in the
// order of their creation.
void apply_language_file(const std::string& path);

// The value a component carries in its window's section of a language
// file, in the form of its kind: the value that applying gives the
// component its present texts (fixed cells only for tables, whose other
// cells hold values). False for a component the file gives no text (no
// name, tag 100, a kind without text, an item that runs an action, a key
// that holds a run-time pattern rather than the text) and for one that
// holds a value rather than a fixed text (an edit, an empty label or
// panel, a list without items).
bool language_value(TComponent* component, std::string& value);
// Whether the component's key holds a run-time default or pattern that
// the program fills in, not its text: applying the file leaves its text.
bool runtime_language_key(const std::string& window, const std::string& component);

// Whether the system's language is Polish: the locale's language code is
// "pl".
bool polish_system();

// The languages the settings dialog offers, in the order of its list: each
// name is also the name of its language and help files.
const std::vector<std::string>& language_names();
// The language a start uses: the choice kept in the user's settings file
// ([inne] "lang", the index into language_names()), else "polski" on a
// Polish system and "english" elsewhere.
std::string start_language();
// The language file of a language, in the program's folder.
std::string language_file_of(const std::string& language);
