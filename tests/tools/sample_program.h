// The headless program of the sample makers: its own HALVOREN_HOME in
// "<folder>/home", started as if installed in "<folder>/home/bin", with the
// decimal comma; the program goes before its services at the end.
#pragma once

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/program.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/paths.h"
#include "platform/sysutils.h"

class sample_program {
public:
    explicit sample_program(const std::string& folder) {
        ForceDirectories(folder + "/home");
        setenv("HALVOREN_HOME", (folder + "/home").c_str(), 1);
        services_ = std::make_unique<HeadlessServices>(registry_folder());
        program_ = std::make_unique<Program>(*services_, std::vector<std::string>{folder + "/home/bin/halvoren"});
        decimal_separator = ',';
    }
    ~sample_program() {
        program_.reset();
        services_.reset();
    }
    sample_program(const sample_program&) = delete;
    sample_program& operator=(const sample_program&) = delete;

private:
    std::unique_ptr<HeadlessServices> services_;
    std::unique_ptr<Program> program_;
};
