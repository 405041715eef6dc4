// Per-user folders of the program. HALVOREN_HOME, when set, points all of
// them into one folder (tests, portable use); otherwise they follow the XDG
// base directories.
#pragma once

#include <string>

// HALVOREN_HOME as a Windows-1250 path, "" when it is not set.
std::string halvoren_home();
// The default configuration folder: HALVOREN_HOME, else
// $XDG_CONFIG_HOME/halvoren, else ~/.config/halvoren.
std::string default_config_folder();
// The default documents folder: HALVOREN_HOME, else
// $XDG_DOCUMENTS_DIR/Halvoren, else ~/Documents/Halvoren.
std::string default_documents_folder();
// Where the registry store lives (the default configuration folder).
std::string registry_folder();
// The folder of the running program's file, links followed (a program
// started through a link in a folder of PATH is found where it is
// installed), ending with the path separator; "" when the system does not
// say.
std::string running_program_folder();

// The folders of the running program, each ending with the path separator:
// its own folder (language and help files), the configuration folder and
// the documents folder. The Program fills them at start and empties them at
// its end; empty texts while no program runs.
struct program_folders {
    std::string program_folder;
    std::string config_folder;
    std::string documents_folder;
};
program_folders& folders();
