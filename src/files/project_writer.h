// The project writer: the body of a project file (the profile, sump and
// pipe-series sections), the whole file with the settings of mode "plik"
// and the title block after it, and the save, save-as and autosave with
// their ".err" copies. A file is replaced only once all of it is written,
// so a failed save leaves the previous file as it was.
#pragma once

#include <string>
#include <string_view>

// Appends the body lines of the open project, each ended by CR LF.
void project_body(std::string& out);

// Writes the whole project file: the body, then the settings of mode
// "plik" and the title block, in one piece through a temporary file beside
// it. Raises EInOutError or EIniFileException when it cannot.
void write_project_file(const std::string& path);

// The name proposed for a project never saved: the file-name pattern of
// the settings expanded for the project, blanks made "_", Polish letters
// made plain and the characters a file name cannot hold removed.
std::string proposed_file_name();

// The remembered folder of a kind of file dialog (section "program" of the
// user's "halvoren.ini", the key given): reading gives the stored folder,
// by default the folder of `path`; writing stores the folder of `path` when
// that file exists and its path does not contain "autosave".
std::string dopisz_path(std::string_view path, std::string_view key, bool write);

// The folder the project dialogs (open, save, save as) start in: the one
// remembered under "path" while it exists, else the documents folder's
// "projects/" (made when missing), else the documents folder itself.
std::string project_dialog_folder();

// The autosave file of the configuration folder.
std::string autosave_path();

// The main window's caption for the project's path.
void set_project_caption();

// Saves the project to its path, asking for one first when it has none
// (and, for a project read from a legacy text, when "<text>.hlv" exists).
// True when the file was written; false when the dialog was cancelled.
// A failure raises and changes nothing but the ".err" copy.
bool zapisz_projekt();
// Saves under a path asked for; the previous path stays when the dialog is
// cancelled or the save fails.
bool zapisz_projekt_jako();
// Writes the project to the autosave file, leaving the path, the modified
// state and the caption as they are; a tick while a save runs is skipped
// (false).
bool autozapis();
// Whether a save or an autosave is running.
bool project_save_running();
