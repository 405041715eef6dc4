#include "gui/renderer.h"

#include <QAbstractEventDispatcher>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <map>

#include "gui/bindings.h"
#include "gui/form_window.h"
#include "gui/key_map.h"
#include "gui/qt_canvas.h"
#include "gui/qt_text.h"
#include "platform/comctrls.h"
#include "platform/exceptions.h"
#include "platform/forms.h"
#include "platform/grids.h"
#include "platform/input.h"
#include "platform/menus.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "platform/stdctrls.h"

namespace gui {

namespace {

Renderer* g_renderer = nullptr;

// The icon theme of the commands' pictures: the desktop's, with Adwaita for
// the names it lacks. Without a desktop (or on a platform that gives no
// theme) Qt knows no theme and maybe not the theme folders: the
// freedesktop folders and Adwaita then.
void prepare_icon_theme() {
    QStringList paths = QIcon::themeSearchPaths();
    for (const QString& folder :
         QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                   QStandardPaths::LocateDirectory))
        if (!paths.contains(folder)) paths << folder;
    if (paths != QIcon::themeSearchPaths()) QIcon::setThemeSearchPaths(paths);
    // "hicolor" is the base every theme builds on, named where no desktop
    // chose a theme; it has none of the standard command icons.
    const auto none = [](const QString& theme) { return theme.isEmpty() || theme == QLatin1String("hicolor"); };
    if (none(QIcon::themeName())) QIcon::setThemeName(QStringLiteral("Adwaita"));
    if (none(QIcon::fallbackThemeName())) QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
}

TApplication* app_or_null() {
    try {
        return Application();
    } catch (const ScriptError&) {
        return nullptr;
    }
}

bool menu_contains(const TMenuItem* root, const TMenuItem* item) {
    if (!root) return false;
    if (root == item) return true;
    for (int i = 0; i < root->Count(); ++i)
        if (menu_contains(root->Items(i), item)) return true;
    return false;
}

void update_item_actions(TMenuItem* parent) {
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* m = parent->Items(i);
        if (m->Action()) m->Action()->Update();
    }
}

QString menu_text(const TMenuItem* m) {
    QString t = qs(m->Caption());
    if (m->ShortCut() != 0) t += u'\t' + qs(ShortCutToText(m->ShortCut()));
    return t;
}

bool item_has_shortcut(const TMenuItem* parent, TShortCut sc) {
    for (int i = 0; i < parent->Count(); ++i) {
        const TMenuItem* m = parent->Items(i);
        if (!m->Visible() || !m->Enabled()) continue;
        if (m->ShortCut() == sc && m->Count() == 0) return true;
        if (item_has_shortcut(m, sc)) return true;
    }
    return false;
}

bool is_navigation(Word vk) {
    return vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN || vk == VK_HOME || vk == VK_END ||
           vk == VK_PRIOR || vk == VK_NEXT;
}

}  // namespace

// ---------------------------------------------------------------------------
// Binding

Binding::Binding(Renderer& r, TControl* c) : renderer(r), control(c) {}

Binding::~Binding() {
    if (control_alive && observer_) control->unobserve(observer_);
    if (widget) {
        renderer.unregister_widget(widget);
        widget->blockSignals(true);
        widget->hide();
        if (renderer.dispatching()) widget->deleteLater();
        else delete widget.data();
    }
}

void Binding::attach(QWidget* w) {
    widget = w;
    renderer.register_widget(w, this);
    observer_ = control->observe([this](TComponent*, Prop p) { on_change(p); });
    sync_all();
}

void Binding::on_change(Prop p) {
    if (p == Prop::Destroyed) {
        control_alive = false;
        renderer.forget(this);  // deletes this binding
        return;
    }
    if (!widget) return;
    SyncGuard guard(*this);
    sync(p);
}

void Binding::sync(Prop p) {
    switch (p) {
        case Prop::Bounds: place(); break;
        case Prop::Visible: sync_visible(); break;
        case Prop::Enabled: widget->setEnabled(control->Enabled()); break;
        case Prop::Hint: widget->setToolTip(control->ShowHint ? qs(control->Hint()) : QString()); break;
        case Prop::Color:
        case Prop::Font: apply_color_and_font(); break;
        case Prop::Caption: sync_caption(); break;
        case Prop::Items:
            if (dynamic_cast<TWinControl*>(control)) renderer.build_children(*this);
            sync_state(p);
            break;
        case Prop::Focus:
            if (control->Focused() && focus_widget() && !focus_widget()->hasFocus())
                focus_widget()->setFocus(Qt::OtherFocusReason);
            break;
        case Prop::Repaint: widget->update(); break;
        default: sync_state(p); break;
    }
}

void Binding::sync_all() {
    if (!widget) return;
    SyncGuard guard(*this);
    place();
    widget->setEnabled(control->Enabled());
    widget->setToolTip(control->ShowHint ? qs(control->Hint()) : QString());
    apply_color_and_font();
    sync_caption();
    for (Prop p : {Prop::Items, Prop::Checked, Prop::ItemIndex, Prop::Value, Prop::Down, Prop::Selection,
                   Prop::ActivePage, Prop::Style})
        sync_state(p);
    switch (control->Cursor) {
        case TCursor::crHourGlass: widget->setCursor(Qt::WaitCursor); break;
        case TCursor::crCross: widget->setCursor(Qt::CrossCursor); break;
        case TCursor::crHandPoint: widget->setCursor(Qt::PointingHandCursor); break;
        case TCursor::crSizeAll: widget->setCursor(Qt::SizeAllCursor); break;
        case TCursor::crDrag: widget->setCursor(Qt::DragMoveCursor); break;
        case TCursor::crIBeam: widget->setCursor(Qt::IBeamCursor); break;
        case TCursor::crArrow: widget->setCursor(Qt::ArrowCursor); break;
        case TCursor::crNo: widget->setCursor(Qt::ForbiddenCursor); break;
        default: break;
    }
    sync_visible();
    widget->update();
}

void Binding::schedule_sync() {
    if (sync_scheduled_ || !widget) return;
    sync_scheduled_ = true;
    QTimer::singleShot(0, &token_, [this] {
        sync_scheduled_ = false;
        sync_all();
    });
}

void Binding::place() {
    widget->setGeometry(control->Left(), control->Top(), std::max(0, control->Width()), std::max(0, control->Height()));
}

bool Binding::mouse_event(QWidget*, QMouseEvent*, QPoint) { return passive_mouse(); }

void Binding::apply_color_and_font() {
    if (!control->ParentFont) widget->setFont(qfont(control->Font()));
    else widget->setFont(QFont());
    // Only the roles set here are the widget's own; the rest follow the parent.
    QPalette pal;
    bool changed = false;
    const TColor c = control->Color();
    const bool explicit_color = c != default_color() && c != clDefault && c != clNone;
    if (explicit_color) {
        pal.setColor(background_role(), qcolor(c));
        if (background_role() == QPalette::Window) pal.setColor(QPalette::Button, qcolor(c));
        changed = true;
    }
    if (!control->ParentFont && control->Font().Color != clWindowText && control->Font().Color != clDefault) {
        const QColor fc = qcolor(control->Font().Color);
        pal.setColor(QPalette::WindowText, fc);
        pal.setColor(QPalette::Text, fc);
        pal.setColor(QPalette::ButtonText, fc);
        changed = true;
    }
    if (changed) widget->setPalette(pal);
    else widget->setPalette(QPalette());
    widget->setAutoFillBackground(explicit_color && fills_background());
}

SyncGuard::SyncGuard(Binding& b) : b_(b), blocked_(b.widget ? b.widget->blockSignals(true) : false) { ++b_.syncing_; }

SyncGuard::~SyncGuard() {
    --b_.syncing_;
    if (b_.widget) b_.widget->blockSignals(blocked_);
}

void HookWidget::paintEvent(QPaintEvent* e) {
    if (on_paint) {
        QPainter p(this);
        on_paint(p);
        return;
    }
    QWidget::paintEvent(e);
}

void HookWidget::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (on_resize) on_resize();
}

void run_deferred_errors(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const EAbort&) {
    } catch (const std::exception& e) {
        const std::string message = e.what();
        QTimer::singleShot(0, [message] {
            if (TApplication* app = app_or_null()) app->ShowException(Exception(message));
        });
    }
}

void paint_control(TControl* c, QPainter& painter, bool fill_background) {
    auto* paintable = dynamic_cast<TPaintable*>(c);
    if (!paintable) return;
    if (fill_background) painter.fillRect(QRect(0, 0, c->Width(), c->Height()), qcolor(c->Color()));
    QtCanvas canvas(painter);
    canvas.Font = c->Font();
    canvas.Brush.Color = c->Color();
    run_deferred_errors([&] { paintable->PaintTo(canvas); });
}

// ---------------------------------------------------------------------------
// The form's binding: its widget is the window's client area.

namespace {

class FormBinding : public Binding {
public:
    FormBinding(Renderer& r, TForm* f, FormWindow* w) : Binding(r, f), window(w) {}
    FormWindow* window;
    TForm* form() const { return static_cast<TForm*>(control); }

    void place() override {
        // Not while the window itself changes the form (its size, place or
        // state): the window is as the form is then.
        if (window && !window->syncing) window->fit_to_form();
    }
    void sync_visible() override {}
    void sync(Prop p) override {
        switch (p) {
            case Prop::Visible:
                if (!window) return;
                if (form()->Visible() && !form()->Modal()) renderer.show_form(*form());
                else if (!form()->Visible()) renderer.hide_form(*form());
                return;
            case Prop::Style:
                if (window) window->apply_styles();
                if (window && window->isVisible() && QGuiApplication::platformName() != QLatin1String("offscreen")) {
                    window->raise();
                    window->activateWindow();
                }
                return;
            case Prop::Enabled: window->setEnabled(form()->Enabled()); return;
            default: Binding::sync(p);
        }
    }
    void sync_caption() override {
        if (!window) return;
        QString title = qs(form()->Caption());
        if (title.isEmpty())
            if (TApplication* app = app_or_null(); app && app->MainForm() == form()) title = qs(app->Title);
        window->setWindowTitle(title);
    }
    bool passive_mouse() const override { return true; }
};

}  // namespace

// ---------------------------------------------------------------------------
// FormWindow

FormWindow::FormWindow(Renderer& renderer, TForm& form, QWidget* parent)
    : QWidget(parent, parent ? Qt::Window : Qt::WindowFlags()), renderer_(renderer), form_(form),
      client_(new HookWidget(this)) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    client_->setFocusPolicy(Qt::NoFocus);
    setFont(qfont(form.Font()));
    apply_styles();
}

FormWindow::~FormWindow() {
    if (observed_menu_) observed_menu_->unobserve(menu_observer_);
}

int FormWindow::menu_height() const {
    return menu_bar_ && !menu_bar_->isHidden() ? menu_bar_->sizeHint().height() : 0;
}

void FormWindow::layout_parts() {
    const int mh = menu_height();
    if (menu_bar_) menu_bar_->setGeometry(0, 0, width(), mh);
    client_->setGeometry(0, mh, width(), std::max(0, height() - mh));
}

void FormWindow::fit_to_form() {
    ++syncing;
    const QSize want(std::max(1, form_.Width()), std::max(1, form_.Height() + menu_height()));
    const bool fixed = form_.BorderStyle == TFormBorderStyle::bsDialog || form_.BorderStyle == TFormBorderStyle::bsSingle ||
                       form_.BorderStyle == TFormBorderStyle::bsToolWindow;
    if (fixed) setFixedSize(want);
    else {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    if (size() != want && form_.WindowState() == TWindowState::wsNormal) resize(want);
    if (placed && form_.Position == TPosition::poDesigned && pos() != QPoint(form_.Left(), form_.Top()))
        move(form_.Left(), form_.Top());
    layout_parts();
    --syncing;
}

void FormWindow::place_initially() {
    if (placed) return;
    placed = true;
    ++syncing;
    QRect area;
    if (QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) area = s->availableGeometry();
    const QSize frame = frameGeometry().size().isValid() ? size() : QSize(form_.Width(), form_.Height());
    switch (form_.Position) {
        case TPosition::poScreenCenter:
        case TPosition::poDesktopCenter:
            if (area.isValid()) move(area.center() - QPoint(frame.width() / 2, frame.height() / 2));
            break;
        case TPosition::poMainFormCenter:
        case TPosition::poOwnerFormCenter: {
            QWidget* main = nullptr;
            if (TApplication* app = app_or_null(); app && app->MainForm() && app->MainForm() != &form_)
                main = renderer_.existing_window(*app->MainForm());
            if (main && main->isVisible()) move(main->geometry().center() - QPoint(frame.width() / 2, frame.height() / 2));
            else if (area.isValid()) move(area.center() - QPoint(frame.width() / 2, frame.height() / 2));
            break;
        }
        case TPosition::poDesigned: move(form_.Left(), form_.Top()); break;
        case TPosition::poDefault: break;
    }
    --syncing;
}

void FormWindow::apply_styles() {
    const bool was_visible = isVisible();
    Qt::WindowFlags f = windowFlags() & ~(Qt::WindowType_Mask | Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint |
                                          Qt::WindowMinMaxButtonsHint);
    switch (form_.BorderStyle) {
        case TFormBorderStyle::bsNone: f |= Qt::Window | Qt::FramelessWindowHint; break;
        case TFormBorderStyle::bsDialog: f |= Qt::Dialog; break;
        case TFormBorderStyle::bsToolWindow:
        case TFormBorderStyle::bsSizeToolWin: f |= Qt::Tool; break;
        default: f |= Qt::Window | Qt::WindowMinMaxButtonsHint; break;
    }
    if (form_.FormStyle() == TFormStyle::fsStayOnTop) f |= Qt::WindowStaysOnTopHint;
    if (f != windowFlags()) {
        setWindowFlags(f);
        if (was_visible) show();
    }
}

void FormWindow::observe_menu() {
    TMainMenu* m = form_.Menu;
    if (m == observed_menu_) return;
    if (observed_menu_) observed_menu_->unobserve(menu_observer_);
    observed_menu_ = m;
    menu_observer_ = 0;
    if (m)
        menu_observer_ = m->observe([this](TComponent*, Prop p) {
            if (p == Prop::Destroyed) {
                observed_menu_ = nullptr;
                menu_observer_ = 0;
            }
            if (p == Prop::Items || p == Prop::Checked || p == Prop::Destroyed) schedule_menu();
        });
}

void FormWindow::schedule_menu() {
    if (menu_scheduled_) return;
    menu_scheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        menu_scheduled_ = false;
        rebuild_menu();
    });
}

void FormWindow::rebuild_menu() {
    observe_menu();
    const int old_height = menu_height();
    if (!observed_menu_ || observed_menu_->Items()->Count() == 0) {
        if (menu_bar_) menu_bar_->hide();
    } else {
        if (!menu_bar_) {
            menu_bar_ = new QMenuBar(this);
            // Every item of the bar and its menus arrives here when chosen.
            QObject::connect(menu_bar_, &QMenuBar::triggered, this, [this](QAction* a) {
                auto* item = reinterpret_cast<TMenuItem*>(a->data().value<quintptr>());
                if (item && observed_menu_ && menu_contains(observed_menu_->Items(), item))
                    renderer_.input([item] { user::choose_menu(item); });
            });
        }
        menu_bar_->clear();
        for (QObject* child : menu_bar_->children())
            if (auto* m = qobject_cast<QMenu*>(child)) m->deleteLater();
        TMenuItem* root = observed_menu_->Items();
        TImageList* images = observed_menu_->Images;
        for (int i = 0; i < root->Count(); ++i) {
            TMenuItem* item = root->Items(i);
            if (!item->Visible()) continue;
            if (item->Count() > 0) {
                auto* menu = new QMenu(qs(item->Caption()), menu_bar_);
                menu->setEnabled(item->Enabled());
                menu_bar_->addMenu(menu);
                QObject::connect(menu, &QMenu::aboutToShow, menu, [this, menu, item, images] {
                    if (observed_menu_ && menu_contains(observed_menu_->Items(), item))
                        renderer_.fill_menu(menu, item, images);
                });
            } else {
                QAction* a = menu_bar_->addAction(qs(item->Caption()));
                a->setEnabled(item->Enabled());
                a->setData(QVariant::fromValue(reinterpret_cast<quintptr>(item)));
            }
        }
        menu_bar_->show();
    }
    if (menu_height() != old_height) fit_to_form();
    else layout_parts();
}

void FormWindow::show_maximized() {
    const bool first = !isVisible();
    showMaximized();
    if (!first) return;
    maximizing_ = true;
    QTimer::singleShot(0, this, [this] { keep_maximized(); });
    QTimer::singleShot(300, this, [this] { end_maximizing(); });
}

void FormWindow::end_maximizing() {
    if (!maximizing_) return;
    keep_maximized();
    maximizing_ = false;
}

void FormWindow::keep_maximized() {
    if (form_.WindowState() != TWindowState::wsMaximized || !isVisible() || isMinimized()) return;
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    const QRect area = s->availableGeometry();
    const QRect frame = frameGeometry();
    if (isMaximized() && frame.width() >= area.width() && frame.height() >= area.height()) return;
    // The window's answer (its new size) reaches the form as the user's would.
    if (!isMaximized()) {
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
    } else {
        // Maximized in name only: the free area, less the frame.
        const QRect inner = geometry();
        setGeometry(area.marginsRemoved(QMargins(inner.left() - frame.left(), inner.top() - frame.top(),
                                                 frame.right() - inner.right(), frame.bottom() - inner.bottom())));
    }
}

void FormWindow::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    // The user (through the window manager) maximized or restored the
    // window: the form keeps it, and the next start opens the same way.
    if (e->type() != QEvent::WindowStateChange || syncing || maximizing_ || !isVisible()) return;
    const TWindowState state = isMinimized()   ? TWindowState::wsMinimized
                               : isMaximized() ? TWindowState::wsMaximized
                                               : TWindowState::wsNormal;
    if (state == form_.WindowState()) return;
    TForm* f = &form_;
    ++syncing;
    renderer_.input([f, state] { f->SetWindowState(state); });
    --syncing;
}

void FormWindow::closeEvent(QCloseEvent* e) {
    // The close button is the user closing the form: the form decides (and
    // hides the window through its Visible).
    e->ignore();
    if (syncing) return;
    TForm* f = &form_;
    renderer_.input([f] { user::close(f); });
}

void FormWindow::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    layout_parts();
    if (syncing || !isVisible()) return;
    const int w = client_->width(), h = client_->height();
    if (w == form_.Width() && h == form_.Height()) return;
    TForm* f = &form_;
    ++syncing;
    renderer_.input([f, w, h] { f->SetBounds(f->Left(), f->Top(), w, h); });
    --syncing;
}

void FormWindow::moveEvent(QMoveEvent* e) {
    QWidget::moveEvent(e);
    if (syncing || !isVisible() || !placed) return;
    const QPoint p = pos();
    if (p.x() == form_.Left() && p.y() == form_.Top()) return;
    TForm* f = &form_;
    ++syncing;
    renderer_.input([f, p] { f->SetBounds(p.x(), p.y(), f->Width(), f->Height()); });
    --syncing;
}

bool FormWindow::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) {
        TApplication* app = app_or_null();
        if (app && app->modal_depth() == 0 && app->ActiveForm() != &form_ && form_.Visible()) {
            TForm* f = &form_;
            renderer_.input([app, f] {
                app->set_active_form(f);
                fire(f, f->OnActivate, f);
            });
        }
    } else if (e->type() == QEvent::WindowDeactivate) {
        if (form_.OnDeactivate && form_.Visible()) {
            TForm* f = &form_;
            renderer_.input([f] {
                fire(f, f->OnDeactivate, f);
            });
        }
    }
    return QWidget::event(e);
}

// ---------------------------------------------------------------------------
// Renderer

Renderer* Renderer::instance() { return g_renderer; }

Renderer::Renderer() {
    g_renderer = this;
    prepare_icon_theme();
    qApp->installEventFilter(this);
    if (auto* d = QAbstractEventDispatcher::instance())
        connect(d, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
            check_modal_loops();
            schedule_pending();
        });
}

Renderer::~Renderer() {
    tearing_down_ = true;
    qApp->removeEventFilter(this);
    // Windows first (each deletes its widgets), then the bindings.
    std::vector<QPointer<QWidget>> windows;
    for (auto& [c, b] : bindings_)
        if (auto* fb = dynamic_cast<FormBinding*>(b.get())) windows.emplace_back(fb->window);
    bindings_.clear();
    for (auto& w : windows) delete w.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (g_renderer == this) g_renderer = nullptr;
}

Binding* Renderer::binding_of(const TComponent* c) const {
    const auto it = bindings_.find(c);
    return it == bindings_.end() ? nullptr : it->second.get();
}

Binding* Renderer::binding_at(QWidget* w) const {
    for (; w; w = w->parentWidget()) {
        const auto it = by_widget_.find(w);
        if (it != by_widget_.end()) return it->second;
        if (auto* fw = dynamic_cast<FormWindow*>(w)) return binding_of(&fw->form());
        if (w->isWindow()) return nullptr;
    }
    return nullptr;
}

void Renderer::register_widget(QWidget* w, Binding* b) { by_widget_[w] = b; }

void Renderer::unregister_widget(QWidget* w) { by_widget_.erase(w); }

QWidget* Renderer::widget_for(const TComponent* c) const {
    Binding* b = binding_of(c);
    return b ? b->widget.data() : nullptr;
}

FormWindow* Renderer::existing_window(const TForm& form) const {
    auto* b = dynamic_cast<FormBinding*>(binding_of(&form));
    return b ? b->window : nullptr;
}

FormWindow* Renderer::window_for(TForm& form) {
    if (FormWindow* w = existing_window(form)) return w;
    QWidget* parent = nullptr;
    if (TApplication* app = app_or_null(); app && app->MainForm() && app->MainForm() != &form)
        parent = window_for(*app->MainForm());
    auto* window = new FormWindow(*this, form, parent);
    auto binding = std::make_unique<FormBinding>(*this, &form, window);
    FormBinding* raw = binding.get();
    bindings_[&form] = std::move(binding);
    raw->attach(window->client());
    build_children(*raw);
    window->rebuild_menu();
    return window;
}

Binding* Renderer::create_binding(TControl* c, QWidget* parent) {
    Binding* b = make_zoom_binding(*this, c, parent);
    if (!b) b = make_standard_binding(*this, c, parent);
    if (!b) b = make_common_binding(*this, c, parent);
    if (!b) return nullptr;
    bindings_[c] = std::unique_ptr<Binding>(b);
    return b;
}

void Renderer::build_children(Binding& parent) {
    auto* w = dynamic_cast<TWinControl*>(parent.control);
    QWidget* host = parent.container();
    if (!w || !host) return;
    for (TControl* c : w->children()) {
        // A control on its way out gets no widget (it has told its observers).
        if (c->ComponentState() & csDestroying) continue;
        Binding* b = binding_of(c);
        if (!b) {
            b = create_binding(c, host);
            if (!b) continue;
            if (dynamic_cast<TWinControl*>(c)) build_children(*b);
        } else if (b->widget && b->widget->parentWidget() != host && !dynamic_cast<TTabSheet*>(c)) {
            b->widget->setParent(host);
            b->sync_all();
        }
    }
    parent.children_built();
    // Graphic controls lie under the windowed ones, each kind in creation order.
    if (dynamic_cast<TPageControl*>(w)) return;
    for (int pass = 0; pass < 2; ++pass)
        for (TControl* c : w->children()) {
            const bool windowed = dynamic_cast<TWinControl*>(c) != nullptr;
            if (windowed != (pass == 1)) continue;
            if (Binding* b = binding_of(c); b && b->widget && b->widget->parentWidget() == host) b->widget->raise();
        }
}

void Renderer::forget(Binding* b) {
    const TComponent* key = b->control;
    auto it = bindings_.find(key);
    if (it == bindings_.end() || it->second.get() != b) return;
    std::unique_ptr<Binding> owned = std::move(it->second);
    bindings_.erase(it);
    if (auto* fb = dynamic_cast<FormBinding*>(owned.get())) {
        QPointer<FormWindow> window = fb->window;
        for (auto& loop : modal_loops_)
            if (loop.form == static_cast<const TComponent*>(key)) loop.loop->quit();
        owned->widget = nullptr;  // the window deletes its client area
        owned.reset();
        if (window) {
            window->hide();
            if (dispatching()) window->deleteLater();
            else delete window.data();
        }
        return;
    }
    owned.reset();
}

void Renderer::show_form(TForm& form) {
    FormWindow* w = window_for(form);
    w->rebuild_menu();
    w->apply_styles();
    w->fit_to_form();
    w->place_initially();
    ++w->syncing;
    switch (form.WindowState()) {
        case TWindowState::wsMaximized: w->show_maximized(); break;
        case TWindowState::wsMinimized: w->showMinimized(); break;
        case TWindowState::wsNormal: w->show(); break;
    }
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        w->raise();
        w->activateWindow();
    }
    --w->syncing;
}

void Renderer::hide_form(TForm& form) {
    FormWindow* w = existing_window(form);
    if (!w) return;
    ++w->syncing;
    w->hide();
    if (w->windowModality() != Qt::NonModal) w->setWindowModality(Qt::NonModal);
    --w->syncing;
    check_modal_loops();
}

void Renderer::run_modal(TForm& form) {
    FormWindow* w = window_for(form);
    if (!w->isVisible()) {
        w->setWindowModality(Qt::ApplicationModal);
        show_form(form);
    }
    if (form.ModalResult() != mrNone) return;
    QEventLoop loop;
    modal_loops_.push_back({&form, &loop});
    loop.exec();
    modal_loops_.erase(std::remove_if(modal_loops_.begin(), modal_loops_.end(),
                                      [&loop](const ModalLoop& m) { return m.loop == &loop; }),
                       modal_loops_.end());
}

void Renderer::check_modal_loops() {
    TApplication* app = app_or_null();
    for (auto& m : modal_loops_) {
        FormWindow* w = existing_window(*m.form);
        if (m.form->ModalResult() != mrNone || !w || !w->isVisible() || (app && app->Terminated())) m.loop->quit();
    }
}

void Renderer::schedule_pending() {
    if (pending_scheduled_ || tearing_down_) return;
    TApplication* app = app_or_null();
    if (!app || !app->has_pending()) return;
    pending_scheduled_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            pending_scheduled_ = false;
            if (TApplication* a = app_or_null()) input([a] { a->process_pending(); });
        },
        Qt::QueuedConnection);
}

void Renderer::input(const std::function<void()>& fn) {
    ++dispatch_depth_;
    try {
        if (TApplication* app = app_or_null()) app->run_guarded(fn);
    } catch (const std::exception& e) {
        // Nothing may unwind through Qt's event dispatch: what the
        // application's guard lets through (a script error) is reported.
        std::fprintf(stderr, "halvoren: %s\n", e.what());
    }
    --dispatch_depth_;
    check_modal_loops();
}

// --- menus -----------------------------------------------------------------

QIcon Renderer::icon(const TImageList* list, int index) {
    if (!list || index < 0 || index >= list->Count()) return {};
    const QString name = qs(list->ImageName(index));
    if (name.isEmpty()) return {};
    QIcon i = QIcon::fromTheme(name);
    if (!i.isNull()) return i;
    if (QFile::exists(name)) return QIcon(name);
    return {};
}

QIcon Renderer::named_icon(const std::string& name) {
    if (name.empty()) return {};
    if (const auto found = named_icons_.find(name); found != named_icons_.end()) return found->second;
    // An icon that draws nothing (a picture the system cannot read) counts
    // as none.
    const auto draws = [](const QIcon& i) { return !i.isNull() && !i.pixmap(QSize(16, 16)).isNull(); };
    QIcon icon = QIcon::fromTheme(qs(name));
    if (!draws(icon)) {
        icon = QIcon();
        for (const std::string& folder : {folders().program_folder, std::string(HALVOREN_RESOURCE_DIR "/")}) {
            const QString file = qs(folder + "icons/" + name + ".svg");
            if (folder.size() > 1 && QFile::exists(file) && draws(QIcon(file))) {
                icon = QIcon(file);
                break;
            }
        }
    }
    named_icons_[name] = icon;
    return icon;
}

QIcon Renderer::picture(const std::string& name, const TImageList* list, int index) {
    const QIcon named = named_icon(name);
    return named.isNull() ? icon(list, index) : named;
}

void Renderer::fill_menu(QMenu* menu, TMenuItem* parent, TImageList* images) {
    for (QObject* child : menu->children())
        if (auto* sub = qobject_cast<QMenu*>(child)) sub->deleteLater();
    menu->clear();
    input([parent] {
        // Opening a menu or a submenu clicks its item, as the old toolkit
        // did: handlers set the states of the items there.
        if (parent->Parent()) user::choose_menu(parent);
        update_item_actions(parent);
    });
    std::map<int, QActionGroup*> groups;
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (!item->Visible()) continue;
        if (item->IsLine()) {
            menu->addSeparator();
            continue;
        }
        const QIcon ic = picture(item->ImageName(), images, item->ImageIndex);
        if (item->Count() > 0) {
            auto* sub = new QMenu(qs(item->Caption()), menu);
            sub->setIcon(ic);
            sub->setEnabled(item->Enabled());
            menu->addMenu(sub);
            connect(sub, &QMenu::aboutToShow, sub, [this, sub, item, images] { fill_menu(sub, item, images); });
            continue;
        }
        QAction* a = menu->addAction(ic, menu_text(item));
        a->setData(QVariant::fromValue(reinterpret_cast<quintptr>(item)));
        a->setEnabled(item->Enabled());
        if (item->Checked() || item->RadioItem || item->AutoCheck) {
            a->setCheckable(true);
            a->setChecked(item->Checked());
        }
        if (item->RadioItem) {
            QActionGroup*& g = groups[item->GroupIndex];
            if (!g) {
                g = new QActionGroup(menu);
                g->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
            }
            g->addAction(a);
        }
        if (item->Default) {
            QFont f = a->font();
            f.setBold(true);
            a->setFont(f);
        }
        if (!item->Hint().empty()) a->setStatusTip(qs(item->Hint()));
    }
}

void Renderer::popup(TPopupMenu& menu, QPoint global) {
    QMenu qmenu;
    fill_menu(&qmenu, menu.Items(), menu.Images);
    QAction* chosen = qmenu.exec(global);
    if (!chosen) return;
    auto* item = reinterpret_cast<TMenuItem*>(chosen->data().value<quintptr>());
    if (item && menu_contains(menu.Items(), item)) input([item] { user::choose_menu(item); });
}

bool has_shortcut(TForm& form, TShortCut sc) {
    if (sc == 0) return false;
    for (TControl* c = form.ActiveControl(); c; c = c->Parent())
        if (c->PopupMenu && item_has_shortcut(c->PopupMenu->Items(), sc)) return true;
    if (form.Menu && item_has_shortcut(form.Menu->Items(), sc)) return true;
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* list = dynamic_cast<TActionList*>(form.Components(i)))
            for (int k = 0; k < list->ActionCount(); ++k) {
                TAction* a = list->Actions(k);
                if (a->ShortCut() == sc ||
                    std::find(a->SecondaryShortCuts.begin(), a->SecondaryShortCuts.end(), sc) != a->SecondaryShortCuts.end())
                    return true;
            }
    // A window of its own passes on what it does not take to the main window.
    TApplication* app = app_or_null();
    if (TForm* main = app ? app->MainForm() : nullptr; main && main != &form && !form.Modal()) return has_shortcut(*main, sc);
    return false;
}

// --- input -----------------------------------------------------------------

bool Renderer::eventFilter(QObject* obj, QEvent* ev) {
    const QEvent::Type t = ev->type();
    switch (t) {
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::FocusIn:
            break;
        default:
            return false;
    }
    auto* w = qobject_cast<QWidget*>(obj);
    if (!w || tearing_down_) return false;
    auto* fw = dynamic_cast<FormWindow*>(w->window());
    if (!fw || qobject_cast<QMenuBar*>(w)) return false;
    switch (t) {
        case QEvent::ShortcutOverride:
            // The toolkit dispatches shortcuts itself: keys come as key presses.
            ev->accept();
            return true;
        case QEvent::KeyPress: return key_press(w, static_cast<QKeyEvent*>(ev));
        case QEvent::ContextMenu: return context_menu(w, static_cast<QContextMenuEvent*>(ev)->globalPos());
        case QEvent::FocusIn: focus_in(w); return false;
        default: return mouse(w, ev);
    }
}

void Renderer::focus_in(QWidget* target) {
    Binding* b = binding_at(target);
    if (!b || b->syncing()) return;
    auto* c = dynamic_cast<TWinControl*>(b->control);
    if (!c || dynamic_cast<TForm*>(c) || c->Focused() || !c->CanFocus()) return;
    input([c] { user::focus(c); });
    // The control the focus was leaving refused to let it go (its exit
    // handler raised): Qt's focus goes back to it.
    if (c->Focused()) return;
    if (TForm* f = c->ParentForm())
        if (TWinControl* kept = f->ActiveControl())
            if (Binding* kb = binding_of(kept); kb && kb->focus_widget()) kb->focus_widget()->setFocus(Qt::OtherFocusReason);
}

bool Renderer::key_press(QWidget* target, QKeyEvent* e) {
    auto* fw = static_cast<FormWindow*>(target->window());
    TForm& form = fw->form();
    TApplication* app = app_or_null();
    if (!app) return false;
    bool representable = true;
    const char ch = char_from_event(*e, representable);
    if (!representable) {
        // Windows-1250 cannot hold the character: it is refused, not stored as garbage.
        refuse_unrepresentable_text();
        return true;
    }
    const Word vk = vk_from_qt(e->key(), e->modifiers() & Qt::KeypadModifier);
    TShiftState shift = shift_from_qt(e->modifiers());
    if (e->key() == Qt::Key_Backtab) shift |= ssShift;
    if (vk == 0 && ch == 0) return true;
    if (app->modal_depth() == 0 && app->ActiveForm() != &form) app->set_active_form(&form);

    // The widget with Qt's focus stands for the toolkit's focused control.
    if (Binding* b = binding_at(target)) {
        auto* c = dynamic_cast<TWinControl*>(b->control);
        if (c && !dynamic_cast<TForm*>(c) && !c->Focused() && c->CanFocus()) input([c] { user::focus(c); });
    }
    TWinControl* focused = form.ActiveControl();
    auto* edit = dynamic_cast<TCustomEdit*>(focused);
    auto* combo = dynamic_cast<TComboBox*>(focused);
    const int sel_start = edit ? edit->SelStart() : 0, sel_length = edit ? edit->SelLength() : 0;
    const std::string text_before = focused ? focused->Text() : std::string();
    const int combo_index = combo ? combo->ItemIndex() : -1;
    const bool alt_letter = (shift & ssAlt) && !(shift & ssCtrl) && vk >= '0' && vk <= 'Z';
    const bool shortcut = has_shortcut(form, ShortCut(vk, shift));

    // Tab, Enter, Esc, Space on a button and Alt+letter accelerators are
    // the toolkit's keyboard navigation.
    input([vk, shift, ch] { user::key(vk, shift, ch); });

    if (form.ActiveControl() != focused) return true;
    // What the toolkit leaves to the window system: a menu bar title's letter.
    if (alt_letter && !shortcut) {
        open_menu_title(form, vk);
        return true;
    }
    if (shortcut || !focused) return true;
    if (edit && is_navigation(vk) && !(shift & ssAlt) && !dynamic_cast<TSpinEdit*>(edit)) {
        if (shift & ssShift) {
            // Qt extends the selection from where it was; its change comes back.
            input([edit, sel_start, sel_length] {
                edit->SetSelStart(sel_start);
                edit->SetSelLength(sel_length);
            });
            return false;
        }
        // Moves the control leaves alone (up and down in a memo) are Qt's.
        if (edit->SelStart() == sel_start && edit->SelLength() == sel_length && edit->Text() == text_before) return false;
    }
    if (combo && combo->Enabled() && combo->ItemIndex() == combo_index && !(shift & ssCtrl)) {
        const int n = combo->Items().Count();
        int i = combo_index;
        if (vk == VK_DOWN && (shift & ssAlt)) {
            if (Binding* b = binding_of(combo); b && b->focus_widget())
                if (auto* qc = qobject_cast<QComboBox*>(b->widget.data())) qc->showPopup();
            return true;
        }
        if (shift & ssAlt) return true;
        switch (vk) {
            case VK_UP: i = std::max(0, i - 1); break;
            case VK_DOWN: i = std::min(n - 1, i + 1); break;
            case VK_HOME: i = 0; break;
            case VK_END: i = n - 1; break;
            default: return true;
        }
        if (i != combo_index && i >= 0) input([combo, i] { user::choose(combo, i); });
    }
    return true;
}

bool Renderer::open_menu_title(TForm& form, Word key) {
    if (!form.Menu) return false;
    FormWindow* fw = existing_window(form);
    if (!fw || !fw->menu_bar()) return false;
    TMenuItem* root = form.Menu->Items();
    const QList<QAction*> actions = fw->menu_bar()->actions();
    int k = 0;
    for (int i = 0; i < root->Count(); ++i) {
        TMenuItem* item = root->Items(i);
        if (!item->Visible()) continue;
        if (k < actions.size() && IsAccel(key, item->Caption()) && item->Enabled()) {
            fw->menu_bar()->setActiveAction(actions[k]);
            return true;
        }
        ++k;
    }
    return false;
}

bool Renderer::mouse(QWidget* target, QEvent* ev) {
    Binding* b = binding_at(target);
    if (!b || !b->widget) return false;
    TControl* c = b->control;
    if (ev->type() == QEvent::Wheel) {
        auto* we = static_cast<QWheelEvent*>(ev);
        const QPoint p = target->mapTo(b->widget, we->position().toPoint());
        const TShiftState shift = shift_from_qt(we->modifiers(), we->buttons());
        const int delta = we->angleDelta().y();
        if (delta == 0) return false;
        input([c, shift, delta, p] { user::mouse_wheel(c, shift, delta, p.x(), p.y()); });
        return b->passive_mouse();
    }
    auto* me = static_cast<QMouseEvent*>(ev);
    // An event a child ignored comes again for its parents: once is enough.
    const unsigned long stamp = me->timestamp();
    if (stamp != 0 && stamp == last_mouse_stamp_ && static_cast<int>(ev->type()) == last_mouse_type_ &&
        me->globalPosition().toPoint() == last_mouse_global_)
        return false;
    last_mouse_stamp_ = stamp;
    last_mouse_type_ = static_cast<int>(ev->type());
    last_mouse_global_ = me->globalPosition().toPoint();
    const QPoint p = target->mapTo(b->widget, me->position().toPoint());
    const TMouseButton button = button_from_qt(me->button());
    TShiftState shift = shift_from_qt(me->modifiers(), me->buttons());
    QPointer<QWidget> guard(target);
    switch (ev->type()) {
        case QEvent::MouseButtonPress: input([=] { user::mouse_down(c, button, shift, p.x(), p.y()); }); break;
        case QEvent::MouseButtonDblClick:
            shift |= ssDouble;
            input([=] {
                user::mouse_down(c, button, shift, p.x(), p.y());
                if (button == TMouseButton::mbLeft) user::double_click(c);
            });
            break;
        case QEvent::MouseButtonRelease: input([=] { user::mouse_up(c, button, shift, p.x(), p.y()); }); break;
        case QEvent::MouseMove: input([=] { user::mouse_move(c, shift, p.x(), p.y()); }); break;
        default: break;
    }
    if (!guard || binding_at(target) != b) return true;
    return b->mouse_event(target, me, p);
}

bool Renderer::context_menu(QWidget* target, QPoint global) {
    Binding* b = binding_at(target);
    if (!b) return false;
    for (TControl* c = b->control; c; c = c->Parent()) {
        TPopupMenu* pm = c->PopupMenu;
        if (!pm) continue;
        if (!pm->AutoPopup) return true;
        input([pm, c, global] {
            pm->PopupComponent = c;
            pm->Popup(global.x(), global.y());
        });
        return true;
    }
    return false;
}

}  // namespace gui
