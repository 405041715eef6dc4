#include "support/fixture.h"

#include <cstdlib>

#include "platform/ini.h"
#include "platform/paths.h"
#include "platform/sysutils.h"

ProgramTest::ProgramTest() {
    setenv("HALVOREN_HOME", home.path().c_str(), 1);
    decimal_separator = '.';
    euro_rounding = true;
    services_ = std::make_unique<HeadlessServices>(registry_folder());
    prog = std::make_unique<Program>(*services_, std::vector<std::string>{home.file("bin/halvoren")});
}

ProgramTest::~ProgramTest() {
    prog.reset();
    services_.reset();
    unsetenv("HALVOREN_HOME");
    ini_cache_clear();
}
