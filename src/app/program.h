// The running program: the application object, every window in the order
// the program creates them, the folders, and (as later parts arrive) the
// process-wide state. One Program exists at a time; the process-wide window
// references (Form1, topcje, ...) point into it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "costing/cost_state.h"
#include "files/settings_state.h"
#include "model/state.h"
#include "platform/forms.h"
#include "platform/services.h"

class Program {
public:
    // Installs the services, creates the application and every window.
    // `arguments` is the command line, the program's path first.
    Program(Services& services, std::vector<std::string> arguments);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    TApplication& application() { return *app_; }
    Services& services() { return services_; }
    // The project model's process-wide state.
    model_state& state() { return state_; }

    // The program's own folder (language and help files), the configuration
    // folder and the documents folder; each ends with the path separator.
    std::string program_folder;
    std::string config_folder;
    std::string documents_folder;

    // Reads the configuration and documents folders from the registry
    // values "userconfig_dir" and "userdocs_dir"; a missing value or folder
    // falls back to the per-user default folder, which is created.
    void read_folders();

    // Shows the main window; the front end then runs the event loop.
    void show_main_window();

private:
    Services& services_;
    model_state state_;
    settings_state settings_;
    kosztorysy cost_data_;
    std::unique_ptr<TApplication> app_;
    std::vector<TForm*> forms_;  // creation order
    void create_windows();
};

// The running program (nullptr when none).
Program* program();
