// Starts Halvoren: the program with the window front end. The command line
// goes to the program as it is (a project path may follow the program's own).
#include <cstdio>
#include <cstdlib>

#ifndef HALVOREN_NO_GUI
#include "gui/gui_main.h"
#endif

namespace {

[[maybe_unused]] bool set(const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef HALVOREN_NO_GUI
    (void)argc;
    (void)argv;
    std::fputs("halvoren: built without the window front end (HALVOREN_GUI=OFF).\n", stderr);
    return 1;
#else
    if (!set("QT_QPA_PLATFORM") && !set("DISPLAY") && !set("WAYLAND_DISPLAY")) {
        std::fputs("halvoren: no display available (set DISPLAY or WAYLAND_DISPLAY, or QT_QPA_PLATFORM=offscreen).\n", stderr);
        return 1;
    }
    return gui::run(argc, argv);
#endif
}
