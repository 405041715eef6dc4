// The running program: the application object, every window in the order
// the program creates them, the folders, and (as later parts arrive) the
// process-wide state. One Program exists at a time; the process-wide window
// references (Form1, topcje, ...) point into it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "drawing/drawing_state.h"
#include "model/cost_state.h"
#include "model/settings_state.h"
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

    // Reads the configuration and documents folders from the registry
    // values "userconfig_dir" and "userdocs_dir" into folders(); a missing
    // value or folder falls back to the per-user default folder, which is
    // created.
    void read_folders();

    // Shows the main window; the front end then runs the event loop.
    void show_main_window();

private:
    Services& services_;
    model_state state_;
    settings_state settings_;
    kosztorysy cost_data_;
    drawing_state drawing_;
    std::unique_ptr<TApplication> app_;
    std::unique_ptr<model_view> main_view_;  // the main window's answers to the model
    std::vector<TForm*> forms_;  // creation order
    void create_windows();
};

// The running program (nullptr when none).
Program* program();
