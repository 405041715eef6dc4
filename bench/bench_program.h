// A headless program with every window, in a temporary HALVOREN_HOME that is
// removed at the end, for the benchmarks that drive the program's code.
#pragma once

#include <stdlib.h>

#include <memory>
#include <string>
#include <vector>

#include "app/program.h"
#include "platform/sysutils.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/paths.h"

class HeadlessProgram {
public:
    // `prefix` names the temporary folder; `show` shows the main window as
    // the program does at start.
    explicit HeadlessProgram(const char* prefix, bool show = false) {
        home_ = make_temp_folder(prefix);
        setenv("HALVOREN_HOME", home_.c_str(), 1);
        services_ = std::make_unique<HeadlessServices>(registry_folder());
        program_ = std::make_unique<Program>(*services_, std::vector<std::string>{"halvoren"});
        if (show) program_->show_main_window();
        decimal_separator = '.';
        euro_rounding = true;
    }
    ~HeadlessProgram() {
        program_.reset();
        services_.reset();
        unsetenv("HALVOREN_HOME");
        delete_folder_tree(home_);
    }
    HeadlessProgram(const HeadlessProgram&) = delete;
    HeadlessProgram& operator=(const HeadlessProgram&) = delete;

    // A file in the temporary folder.
    std::string file(const std::string& name) const { return path_join(home_, name); }

private:
    std::string home_;
    std::unique_ptr<HeadlessServices> services_;
    std::unique_ptr<Program> program_;
};
