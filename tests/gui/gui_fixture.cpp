#include "gui/gui_fixture.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QPixmap>
#include <QWidget>

#include <cstdlib>

#include "platform/ini.h"
#include "platform/files.h"
#include "platform/paths.h"

GuiTest::GuiTest() {
    setenv("HALVOREN_HOME", home.path().c_str(), 1);
    // A program that started before: its configuration folder holds the
    // object definitions and a templates folder, empty, for the tests' own.
    for (const char* folder : {"objects", "templates"}) ForceDirectories(path_join(default_config_folder(), folder));
    services_ = std::make_unique<gui::QtServices>();
    prog = std::make_unique<Program>(*services_, std::vector<std::string>{home.file("bin/halvoren")});
}

GuiTest::~GuiTest() {
    prog.reset();
    services_.reset();
    unsetenv("HALVOREN_HOME");
    ini_cache_clear();
    settle();
}

void GuiTest::settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

void GuiTest::key(QWidget* w, Qt::Key k, Qt::KeyboardModifiers m, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, k, m, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, k, m, text);
    QApplication::sendEvent(w, &release);
}

QWidget* GuiTest::widget(const TComponent* c) {
    QWidget* w = renderer().widget_for(c);
    EXPECT_NE(w, nullptr) << "no widget for " << (c ? c->Name() : std::string("(null)"));
    return w;
}

gui::FormWindow* GuiTest::window(TForm& f) {
    gui::FormWindow* w = renderer().existing_window(f);
    EXPECT_NE(w, nullptr) << "no window for " << f.ClassName();
    return w;
}

QString GuiTest::screenshot(QWidget* w, const QString& name) {
    const QString dir = QStringLiteral(HALVOREN_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    const QString path = dir + u'/' + name + QStringLiteral(".png");
    const QPixmap pm = w->grab();
    EXPECT_FALSE(pm.isNull());
    EXPECT_TRUE(pm.save(path)) << path.toStdString();
    return path;
}
