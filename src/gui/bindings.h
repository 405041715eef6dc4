// Internal to the renderer: a binding ties one control to its Qt widget,
// syncs the widget from the control on every change it observes, and turns
// the widget's input into the control's events.
#pragma once

#include <QPalette>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <string>
#include <utility>

#include "gui/renderer.h"
#include "platform/component.h"
#include "platform/controls.h"

class QMouseEvent;

namespace gui {

class Binding {
public:
    Binding(Renderer& renderer, TControl* control);
    virtual ~Binding();
    Binding(const Binding&) = delete;
    Binding& operator=(const Binding&) = delete;

    Renderer& renderer;
    TControl* const control;
    QPointer<QWidget> widget;
    bool control_alive = true;

    // Takes the widget: registers it, subscribes to the control, syncs all.
    void attach(QWidget* w);
    // Where the children's widgets go.
    virtual QWidget* container() const { return widget; }
    // The widget that takes the keyboard focus.
    virtual QWidget* focus_widget() const { return widget; }

    // Brings the widget in line with one property of the control (signals
    // of the widget blocked, `syncing` set).
    virtual void sync(Prop p);
    void sync_all();
    // Runs sync_all once from the event loop (structure changes that may
    // arrive inside one of the widget's own signals).
    void schedule_sync();
    // Places the widget at the control's bounds inside the parent's container.
    virtual void place();
    // Shows or hides the widget with the control.
    virtual void sync_visible() { widget->setVisible(control->Visible()); }
    // Mouse input that reached the widget (already passed to the control's
    // mouse events); true consumes it.
    virtual bool mouse_event(QWidget* target, QMouseEvent* e, QPoint pos);
    // The children's widgets were built (or moved here).
    virtual void children_built() {}
    // Custom painting and frame-less controls take their mouse input alone.
    virtual bool passive_mouse() const { return true; }
    // The colour the control has by default (no palette change for it).
    virtual TColor default_color() const { return clBtnFace; }
    virtual QPalette::ColorRole background_role() const { return QPalette::Window; }
    // Whether a plain colour fills the background.
    virtual bool fills_background() const { return true; }

    bool syncing() const { return syncing_ > 0; }
    // Empties when the binding goes: a handler run by the user's input may
    // destroy the control, and its binding with it.
    QPointer<QObject> lifetime() { return &token_; }

protected:
    virtual void sync_caption() {}
    virtual void sync_state(Prop) {}
    void apply_color_and_font();

    // Connects one of the widget's signals to the control: see input_handler.
    template <class Sender, class Signal, class Action>
    void on(Sender* sender, Signal signal, Action action);
    // A handler of the widget's input: unless the binding is syncing the
    // widget, `action` runs with the handler's arguments as user input
    // (guarded, through the renderer); then, when the binding and its widget
    // are still there (a handler may have destroyed the control), resync()
    // shows what the control took of it, the widget's signals blocked.
    template <class Action>
    auto input_handler(Action action);
    // Brings the widget back in line with the control after the user's input.
    virtual void resync() {}

private:
    QObject token_;  // context of queued calls and input handlers: they die with the binding
    int observer_ = 0;
    int syncing_ = 0;
    bool sync_scheduled_ = false;
    void on_change(Prop p);
    friend class SyncGuard;
};

class SyncGuard {
public:
    explicit SyncGuard(Binding& b);
    ~SyncGuard();
    SyncGuard(const SyncGuard&) = delete;
    SyncGuard& operator=(const SyncGuard&) = delete;

private:
    Binding& b_;
    bool blocked_;
};

template <class Sender, class Signal, class Action>
void Binding::on(Sender* sender, Signal signal, Action action) {
    QObject::connect(sender, signal, &token_, input_handler(std::move(action)));
}

template <class Action>
auto Binding::input_handler(Action action) {
    return [this, action = std::move(action)](const auto&... args) {
        if (syncing()) return;
        const QPointer<QObject> alive = lifetime();
        renderer.input([&] { action(args...); });
        if (!alive || !widget) return;
        SyncGuard guard(*this);
        resync();
    };
}

// A control that shows its content on the window colour (edits, lists,
// trees) and takes its mouse input itself.
class FieldBinding : public Binding {
public:
    using Binding::Binding;
    TColor default_color() const override { return clWindow; }
    QPalette::ColorRole background_role() const override { return QPalette::Base; }
    bool passive_mouse() const override { return false; }
};

// A plain widget with hooks: painting and resizing (custom-painted
// controls, containers, the pages of a page control).
class HookWidget : public QWidget {
public:
    explicit HookWidget(QWidget* parent) : QWidget(parent) {}
    std::function<void(QPainter&)> on_paint;
    std::function<void()> on_resize;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
};

// The bindings of each control kind.
Binding* make_standard_binding(Renderer& r, TControl* c, QWidget* parent);
Binding* make_common_binding(Renderer& r, TControl* c, QWidget* parent);
// The string grids (the table component included) and the tab strip;
// nullptr for any other control.
Binding* make_grid_binding(Renderer& r, TControl* c, QWidget* parent);
// The drawing viewport's box (widgets/zoom_panel.h); nullptr for any other control.
Binding* make_zoom_binding(Renderer& r, TControl* c, QWidget* parent);

// The text a button shows where it has no picture: its caption, or for a
// button without one the short part of its hint (before "|").
std::string caption_or_hint(const TControl* c);

// Paints a control through a QPainter canvas; an exception from the
// control's painting is shown after the paint event.
void paint_control(TControl* c, QPainter& painter, bool fill_background);

// Whether Windows-1250 holds text a user put into a widget by other means
// than keys (paste from the widget's own menu, dropping, an input method);
// when it does not, the text is refused with a beep and a note
// (refuse_unrepresentable_text).
bool acceptable(const QString& text);

// Runs fn; an exception is shown in the standard error box later, from the
// event loop (painting must not open message boxes).
void run_deferred_errors(const std::function<void()>& fn);

}  // namespace gui
