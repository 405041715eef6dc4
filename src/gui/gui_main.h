// The window front end's entry: the program with the Qt services, the main
// window and the event loop.
#pragma once

namespace gui {
// Runs the program; returns the process's exit status.
int run(int argc, char** argv);
}  // namespace gui
