// Starts Halvoren: the program with the Qt services, the main window, and
// the event loop. The command line goes to the program as it is (a project
// path may follow the program's own).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#ifndef HALVOREN_NO_GUI
#include <QApplication>

#include "app/program.h"
#include "app/rys1.h"
#include "gui/qt_services.h"
#include "platform/cp1250.h"
#endif

namespace {

bool set(const char* name) {
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
    QApplication qt(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("Halvoren"));
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) arguments.push_back(utf8_to_cp1250(argv[i]));
    int status = 0;
    {
        gui::QtServices services;
        Program program(services, std::move(arguments));
        // A main window nobody sized or placed yet opens large, in the middle.
        if (Form1 && Form1->Width() <= 640 && Form1->Height() <= 480) Form1->SetBounds(Form1->Left(), Form1->Top(), 1024, 700);
        if (Form1 && Form1->Position == TPosition::poDesigned && Form1->Left() == 0 && Form1->Top() == 0)
            Form1->Position = TPosition::poScreenCenter;
        program.show_main_window();
        if (!program.application().Terminated()) status = QApplication::exec();
    }
    return status;
#endif
}
