// The main window shown as a real window with its node table active: the
// journeys through the table share it.
#pragma once

#include <QApplication>
#include <QLineEdit>

#include "forms/rys1.h"
#include "gui/gui_fixture.h"
#include "model/columns.h"
#include "model/state.h"
#include "platform/sysutils.h"

class MainWindowTest : public GuiTest {
protected:
    QWidget* table = nullptr;

    void SetUp() override {
        prog->show_main_window();
        settle();
        QApplication::setActiveWindow(window(*Form1));
        settle();
        decimal_separator = '.';
        table = widget(Form1->sg1);
    }
    static int col(column_kind k) { return model().position_of(k); }
    // The table's in-place line edit.
    QLineEdit* editor() const { return table->findChild<QLineEdit*>(); }
};
