// The generic renderer: every form of the toolkit as a real window, one Qt
// widget per control, kept in step with the controls through their
// observers; Qt input goes back to the controls through platform/input.h.
#pragma once

#include <QIcon>
#include <QObject>
#include <QPoint>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/types.h"

class QEventLoop;
class QKeyEvent;
class QMenu;
class QMouseEvent;
class QWidget;
class TComponent;
class TControl;
class TForm;
class TImageList;
class TMenuItem;
class TPopupMenu;
class TWinControl;

namespace gui {

class Binding;
class FormWindow;

class Renderer : public QObject {
public:
    Renderer();
    ~Renderer() override;
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // The window of a form (built on first use).
    FormWindow* window_for(TForm& form);
    // The window of a form if it was built, else nullptr.
    FormWindow* existing_window(const TForm& form) const;
    // The Qt widget that shows a control or form (the window's client area
    // for a form), nullptr when none was built.
    QWidget* widget_for(const TComponent* c) const;

    void show_form(TForm& form);
    void hide_form(TForm& form);
    // Shows the form modally and runs an event loop until its ModalResult
    // is set, its window closes or the application ends.
    void run_modal(TForm& form);
    int modal_depth() const { return static_cast<int>(modal_loops_.size()); }

    // Shows a popup menu at a screen point; the chosen item goes through
    // user::choose_menu.
    void popup(TPopupMenu& menu, QPoint global);
    // Fills a QMenu with the visible items below `parent` (sub-menus filled
    // when they open); the items' actions update first.
    void fill_menu(QMenu* menu, TMenuItem* parent, TImageList* images);

    // The icon of an image list entry: the theme icon of that name, or a
    // picture file of that name; null when neither exists.
    static QIcon icon(const TImageList* list, int index);
    // The picture a command names (its ImageName): the icon of that name in
    // the desktop's icon theme (Adwaita where the theme has none), else the
    // program's own "icons/<name>.svg" beside the program or in its source
    // resources; null when none draws, and the control shows its caption.
    QIcon named_icon(const std::string& name);
    // A command's picture (a menu item's, a button's): the one it names,
    // else its image list's entry.
    QIcon picture(const std::string& name, const TImageList* list, int index);

    // Runs fn as user input: guarded, with the nesting of input dispatch
    // counted (widgets are then deleted later, not at once), and the modal
    // loops checked afterwards.
    void input(const std::function<void()>& fn);
    bool dispatching() const { return dispatch_depth_ > 0; }

    // --- used by the bindings --------------------------------------------
    Binding* binding_of(const TComponent* c) const;
    // The binding whose widget is w or holds it (walking up to the window).
    Binding* binding_at(QWidget* w) const;
    // Builds the widgets of the control's children that have none yet,
    // moves those whose parent changed, and restacks them.
    void build_children(Binding& parent);
    void register_widget(QWidget* w, Binding* b);
    void unregister_widget(QWidget* w);
    // A binding whose control went away.
    void forget(Binding* b);
    // Quits modal loops whose form has a result or whose window closed.
    void check_modal_loops();
    // Posted calls of the application run from the event loop.
    void schedule_pending();

    static Renderer* instance();

protected:
    bool eventFilter(QObject* obj, QEvent* ev) override;

private:
    std::unordered_map<const TComponent*, std::unique_ptr<Binding>> bindings_;
    std::unordered_map<const QWidget*, Binding*> by_widget_;
    struct ModalLoop {
        TForm* form;
        QEventLoop* loop;
    };
    std::vector<ModalLoop> modal_loops_;
    std::unordered_map<std::string, QIcon> named_icons_;
    int dispatch_depth_ = 0;
    bool pending_scheduled_ = false;
    bool tearing_down_ = false;
    unsigned long last_mouse_stamp_ = 0;
    int last_mouse_type_ = 0;
    QPoint last_mouse_global_;

    Binding* create_binding(TControl* c, QWidget* parent);
    bool key_press(QWidget* target, QKeyEvent* e);
    bool mouse(QWidget* target, QEvent* e);
    bool context_menu(QWidget* target, QPoint global);
    void focus_in(QWidget* target);
    // Alt+letter of a main-menu title: the menu bar opens it.
    bool open_menu_title(TForm& form, Word key);
};

// Whether the form has a toolkit shortcut for the key (popup menus of the
// focused control, the main menu, the action lists), without running it.
bool has_shortcut(TForm& form, TShortCut sc);

}  // namespace gui
