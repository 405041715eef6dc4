// The program with the Qt services in a fresh HALVOREN_HOME, torn down after
// each test; helpers to let Qt settle and to save screenshots into the build
// folder.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <Qt>

#include <memory>
#include <string>

#include "app/program.h"
#include "gui/form_window.h"
#include "gui/qt_services.h"
#include "gui/renderer.h"
#include "support/toolkit_fixture.h"

class QWidget;

class GuiTest : public ::testing::Test {
protected:
    GuiTest();
    ~GuiTest() override;

    TempFolder home;
    std::unique_ptr<gui::QtServices> services_;
    std::unique_ptr<Program> prog;

    gui::QtServices& qt() { return *services_; }
    gui::Renderer& renderer() { return services_->renderer(); }
    TApplication& app() { return prog->application(); }

    // Processes pending window-system events (no waiting).
    static void settle();
    // Sends a key's press and release to the widget.
    static void key(QWidget* w, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier, const QString& text = {});
    // The widget of a control, failing the test when none was built.
    QWidget* widget(const TComponent* c);
    template <class W>
    W* widget_as(const TComponent* c) {
        return qobject_cast<W*>(widget(c));
    }
    gui::FormWindow* window(TForm& f);
    // Saves the window's picture as <name>.png in the screenshot folder;
    // returns the path.
    static QString screenshot(QWidget* w, const QString& name);
};
