// The window of one form: an optional menu bar over the client area, whose
// size is the form's Width and Height.
#pragma once

#include <QWidget>

class QMenuBar;
class TForm;
class TMainMenu;

namespace gui {

class Renderer;

class FormWindow : public QWidget {
public:
    FormWindow(Renderer& renderer, TForm& form, QWidget* parent);
    ~FormWindow() override;

    TForm& form() const { return form_; }
    QWidget* client() const { return client_; }
    QMenuBar* menu_bar() const { return menu_bar_; }

    // Sizes the window to the form's client size (plus the menu bar).
    void fit_to_form();
    // Moves the window where the form's Position puts it (first showing).
    void place_initially();
    // Rebuilds the menu bar from the form's Menu (soon, from the event loop).
    void schedule_menu();
    void rebuild_menu();
    // Window flags from the border and form styles.
    void apply_styles();
    // Shows the window maximized, and once it shows asks again (some window
    // managers take the request only from a shown window); where nothing
    // maximizes it (no window manager), it takes the screen's free area.
    void show_maximized();
    // The checks after the first showing (the event loop runs them): at
    // once, and once more when the window's first moments are over; until
    // then a change of the window's state is the window manager's answer,
    // not the user's choice.
    void keep_maximized();
    void end_maximizing();
    // Set while the renderer changes the window itself.
    int syncing = 0;
    bool placed = false;

protected:
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    bool event(QEvent* e) override;

private:
    Renderer& renderer_;
    TForm& form_;
    QWidget* client_;
    QMenuBar* menu_bar_ = nullptr;
    TMainMenu* observed_menu_ = nullptr;
    int menu_observer_ = 0;
    bool menu_scheduled_ = false;
    // Set from the first maximized showing until the checks after it ran:
    // a window manager's early answer is no change of the user's.
    bool maximizing_ = false;
    int menu_height() const;
    void layout_parts();
    void observe_menu();
};

}  // namespace gui
