#include "support/fixture.h"

#include <cstdlib>

#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/sysutils.h"

ProgramTest::ProgramTest() {
    setenv("HALVOREN_HOME", home.path().c_str(), 1);
    // A program that started before: its configuration folder holds the
    // object definitions and a templates folder, empty, for the tests' own.
    for (const char* folder : {"objects", "templates"}) ForceDirectories(path_join(default_config_folder(), folder));
    services_ = std::make_unique<HeadlessServices>(registry_folder());
    prog = std::make_unique<Program>(*services_, std::vector<std::string>{home.file("bin/halvoren")});
    // The program took the separator from the locale; tests start from the point.
    decimal_separator = '.';
}

ProgramTest::~ProgramTest() {
    prog.reset();
    // Also what the program's end asked for counts.
    if (check_script_) {
        EXPECT_TRUE(services_->script_used_up()) << "scripted but never used: " << cp1250_to_utf8(services_->unused_script());
    }
    services_.reset();
    unsetenv("HALVOREN_HOME");
}
