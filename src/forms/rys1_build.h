// Building blocks of the main window's layout: actions in its action list and
// the menu items that show them.
#pragma once

#include <string_view>

#include "forms/rys1.h"

namespace rys1_build {

// An action of the main window's action list, with its shortcut when given.
TAction* add_action(TForm1* form, std::string_view name, std::string_view caption, TShortCut key = 0);
// A named item (unnamed when `name` is empty) at the end of `parent`.
TMenuItem* add_item(TForm1* form, TMenuItem* parent, std::string_view name, std::string_view caption);
// A separator line at the end of `parent`.
void add_separator(TForm1* form, TMenuItem* parent);
// An item that shows and runs an action, at the end of `parent`.
TMenuItem* add_command(TForm1* form, TMenuItem* parent, TAction* action);

}  // namespace rys1_build
