#include "gui/gui_main.h"

#include <QApplication>

#include <string>
#include <vector>

#include "app/program.h"
#include "forms/rys1.h"
#include "gui/qt_services.h"
#include "platform/cp1250.h"

namespace gui {

int run(int argc, char** argv) {
    QApplication qt(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("Halvoren"));
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) arguments.push_back(utf8_to_cp1250(argv[i]));
    int status = 0;
    {
        QtServices services;
        Program program(services, std::move(arguments));
        // A main window nobody sized or placed yet opens large, in the middle.
        if (Form1 && Form1->Width() <= 640 && Form1->Height() <= 480) Form1->SetBounds(Form1->Left(), Form1->Top(), 1024, 700);
        if (Form1 && Form1->Position == TPosition::poDesigned && Form1->Left() == 0 && Form1->Top() == 0)
            Form1->Position = TPosition::poScreenCenter;
        program.show_main_window();
        if (!program.application().Terminated()) status = services.exec_main_loop();
    }
    return status;
}

}  // namespace gui
