// Bindings of the common controls (track and progress bars, page control
// and tab sheets, tree view, status bar, tool bar and tool buttons) and any
// other control (a surface that paints itself); the grids and the tab strip
// have theirs in bindings_grid.cpp.
#include <QFontMetrics>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <qdrawutil.h>

#include <algorithm>
#include <string>
#include <unordered_map>

#include "gui/bindings.h"
#include "gui/qt_text.h"
#include "platform/comctrls.h"
#include "platform/grids.h"
#include "platform/input.h"
#include "platform/menus.h"

namespace gui {

namespace {

class TrackBarBinding : public Binding {
public:
    TrackBarBinding(Renderer& r, TTrackBar* t, QWidget* parent) : Binding(r, t), slider_(new QSlider(parent)) {
        slider_->setFocusPolicy(Qt::StrongFocus);
        on(slider_, &QSlider::valueChanged, [this](int v) { user::set_position(track(), v); });
        attach(slider_);
    }
    TTrackBar* track() const { return static_cast<TTrackBar*>(control); }
    void resync() override { sync_state(Prop::Value); }
    void sync_state(Prop) override {
        TTrackBar* t = track();
        const bool vertical = t->Orientation == TTrackBarOrientation::trVertical;
        slider_->setOrientation(vertical ? Qt::Vertical : Qt::Horizontal);
        slider_->setTickPosition(vertical ? QSlider::TicksRight : QSlider::TicksBelow);
        slider_->setTickInterval(std::max(1, t->Frequency));
        slider_->setPageStep(std::max(1, t->PageSize));
        slider_->setRange(t->Min(), t->Max());
        slider_->setValue(t->Position());
    }
    bool passive_mouse() const override { return false; }

private:
    QSlider* slider_;
};

class ProgressBinding : public Binding {
public:
    ProgressBinding(Renderer& r, TProgressBar* p, QWidget* parent) : Binding(r, p), bar_(new QProgressBar(parent)) {
        bar_->setTextVisible(false);
        attach(bar_);
    }
    void sync_state(Prop) override {
        auto* p = static_cast<TProgressBar*>(control);
        bar_->setRange(p->Min, std::max(p->Min, p->Max));
        bar_->setValue(p->Position());
    }

private:
    QProgressBar* bar_;
};

// --- page control and tab sheets -----------------------------------------------

// A sheet's own font colour colours its tab's caption.
QColor tab_text_color(const TTabSheet* sheet) {
    const TColor c = sheet->Font().Color;
    return c == clWindowText || c == clDefault ? QColor() : qcolor(c);
}

class PageControlBinding : public Binding {
public:
    PageControlBinding(Renderer& r, TPageControl* p, QWidget* parent) : Binding(r, p), tabs_(new QTabWidget(parent)) {
        on(tabs_, &QTabWidget::currentChanged, [this](int i) {
            TPageControl* pc = pages();
            QWidget* page = tabs_->widget(i);
            for (int k = 0; k < pc->PageCount(); ++k)
                if (renderer.widget_for(pc->Pages(k)) == page) {
                    user::choose_page(pc, k);
                    return;
                }
        });
        attach(tabs_);
    }
    TPageControl* pages() const { return static_cast<TPageControl*>(control); }
    QTabWidget* tabs() const { return tabs_; }
    void resync() override { sync_active(); }
    void sync_state(Prop p) override {
        if (p == Prop::Items) rebuild();
        if (p == Prop::Items || p == Prop::ActivePage) sync_active();
    }
    void children_built() override {
        SyncGuard g(*this);
        rebuild();
        sync_active();
    }
    void sync_active() {
        TTabSheet* active = pages()->ActivePage();
        QWidget* w = active ? renderer.widget_for(active) : nullptr;
        if (w && tabs_->currentWidget() != w) tabs_->setCurrentWidget(w);
    }
    void rebuild() {
        tabs_->clear();
        TPageControl* pc = pages();
        for (int i = 0; i < pc->PageCount(); ++i) {
            TTabSheet* sheet = pc->Pages(i);
            QWidget* page = renderer.widget_for(sheet);
            if (!page) continue;
            const int k = tabs_->addTab(page, Renderer::icon(pc->Images, sheet->ImageIndex), qs(sheet->Caption()));
            tabs_->setTabEnabled(k, sheet->Enabled());
            tabs_->tabBar()->setTabTextColor(k, tab_text_color(sheet));
        }
        update_tab_visibility();
    }
    // A page control whose tabs are all hidden shows its active page without
    // a tab bar (the pages are then chosen by the program, e.g. from a tree);
    // otherwise each tab shows or hides as its sheet says.
    void update_tab_visibility() {
        TPageControl* pc = pages();
        bool any = false;
        for (int i = 0; i < pc->PageCount(); ++i) any = any || pc->Pages(i)->TabVisible();
        tabs_->tabBar()->setVisible(any);
        for (int i = 0; i < pc->PageCount(); ++i) {
            const int k = tabs_->indexOf(renderer.widget_for(pc->Pages(i)));
            if (k >= 0) tabs_->setTabVisible(k, !any || pc->Pages(i)->TabVisible());
        }
        sync_active();
    }
    bool passive_mouse() const override { return false; }

private:
    QTabWidget* tabs_;
};

class TabSheetBinding : public Binding {
public:
    TabSheetBinding(Renderer& r, TTabSheet* s, QWidget* parent) : Binding(r, s), page_(new HookWidget(parent)) {
        page_->on_resize = [this] {
            // The sheet fills the page control's page area: its aligned
            // children follow the page's size.
            TControl* c = control;
            const int w = page_->width(), h = page_->height();
            if (syncing() || (c->Width() == w && c->Height() == h)) return;
            renderer.input([c, w, h] { c->SetBounds(0, 0, w, h); });
        };
        attach(page_);
    }
    TTabSheet* sheet() const { return static_cast<TTabSheet*>(control); }
    QTabWidget* tab_widget() const {
        auto* pb = dynamic_cast<PageControlBinding*>(renderer.binding_of(sheet()->PageControl()));
        return pb ? pb->tabs() : nullptr;
    }
    void place() override {}
    void sync_visible() override {
        if (auto* pb = dynamic_cast<PageControlBinding*>(renderer.binding_of(sheet()->PageControl()))) pb->update_tab_visibility();
    }
    void sync_caption() override {
        if (QTabWidget* t = tab_widget(); t && t->indexOf(page_) >= 0) t->setTabText(t->indexOf(page_), qs(sheet()->Caption()));
    }
    void sync(Prop p) override {
        if (p == Prop::Enabled)
            if (QTabWidget* t = tab_widget(); t && t->indexOf(page_) >= 0) t->setTabEnabled(t->indexOf(page_), sheet()->Enabled());
        if (p == Prop::Font)
            if (QTabWidget* t = tab_widget(); t && t->indexOf(page_) >= 0)
                t->tabBar()->setTabTextColor(t->indexOf(page_), tab_text_color(sheet()));
        Binding::sync(p);
    }

private:
    HookWidget* page_;
};

// --- tree view -----------------------------------------------------------------------

class TreeBinding : public FieldBinding {
public:
    TreeBinding(Renderer& r, TTreeView* t, QWidget* parent) : FieldBinding(r, t), tree_(new QTreeWidget(parent)) {
        tree_->setHeaderHidden(true);
        tree_->setColumnCount(1);
        auto expand = [this](bool e) {
            return [this, e](QTreeWidgetItem* it) {
                if (TTreeNode* n = node_of(it)) n->SetExpanded(e);
            };
        };
        on(tree_, &QTreeWidget::itemExpanded, expand(true));
        on(tree_, &QTreeWidget::itemCollapsed, expand(false));
        on(tree_, &QTreeWidget::currentItemChanged, [this](QTreeWidgetItem* it, QTreeWidgetItem*) {
            if (TTreeNode* n = node_of(it)) user::choose_node(view(), n);
        });
        attach(tree_);
    }
    TTreeView* view() const { return static_cast<TTreeView*>(control); }
    // The tree is built again from the event loop: the input came inside one
    // of the tree widget's own signals.
    void resync() override { schedule_rebuild(); }
    void sync_state(Prop p) override {
        if (p == Prop::Items) {
            // Nodes may be gone: nothing of the old items is used until the
            // tree is built again.
            stale_ = true;
            if (renderer.dispatching()) schedule_rebuild();
            else rebuild();
            return;
        }
        if (p == Prop::Selection && !stale_) select();
    }

private:
    QTreeWidget* tree_;
    std::unordered_map<QTreeWidgetItem*, TTreeNode*> nodes_;
    std::unordered_map<TTreeNode*, QTreeWidgetItem*> items_;
    bool stale_ = true;
    bool rebuild_scheduled_ = false;
    QObject token_;

    // Built again from the event loop: the change may come inside one of
    // the tree widget's own signals.
    void schedule_rebuild() {
        if (rebuild_scheduled_) return;
        rebuild_scheduled_ = true;
        QTimer::singleShot(0, &token_, [this] {
            rebuild_scheduled_ = false;
            if (widget) rebuild();
        });
    }

    // The node an item shows; none while the tree waits to be built again.
    TTreeNode* node_of(QTreeWidgetItem* it) const {
        if (stale_) return nullptr;
        const auto f = nodes_.find(it);
        return f == nodes_.end() ? nullptr : f->second;
    }
    void add(QTreeWidgetItem* parent_item, TTreeNode* node) {
        auto* it = parent_item ? new QTreeWidgetItem(parent_item) : new QTreeWidgetItem(tree_);
        it->setText(0, qs(node->Text()));
        const QIcon ic = Renderer::icon(view()->Images, node->ImageIndex);
        if (!ic.isNull()) it->setIcon(0, ic);
        nodes_[it] = node;
        items_[node] = it;
        for (int i = 0; i < node->Count(); ++i) add(it, node->Item(i));
        it->setExpanded(node->Expanded());
    }
    void rebuild() {
        SyncGuard g(*this);
        tree_->clear();
        nodes_.clear();
        items_.clear();
        for (const auto& root : view()->Items().roots()) add(nullptr, root.get());
        tree_->setRootIsDecorated(view()->ShowRoot);
        stale_ = false;
        select();
    }
    void select() {
        TTreeNode* s = view()->Selected();
        const auto f = items_.find(s);
        tree_->setCurrentItem(f == items_.end() ? nullptr : f->second);
    }
};

// --- status bar, tool bar, tool buttons ------------------------------------------

class StatusBarBinding : public Binding {
public:
    StatusBarBinding(Renderer& r, TStatusBar* s, QWidget* parent) : Binding(r, s), bar_(new HookWidget(parent)) {
        bar_->on_paint = [this](QPainter& p) { paint(p); };
        attach(bar_);
    }
    TStatusBar* status() const { return static_cast<TStatusBar*>(control); }
    void sync_caption() override { bar_->update(); }
    void sync_state(Prop) override { bar_->update(); }

private:
    HookWidget* bar_;
    void paint(QPainter& p) {
        TStatusBar* s = status();
        p.setPen(bar_->palette().color(QPalette::WindowText));
        if (s->SimplePanel()) {
            p.drawText(bar_->rect().adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter, qs(s->SimpleText()));
            return;
        }
        for (int i = 0; i < s->PanelCount(); ++i) {
            const TRect tr = s->PanelRect(i);
            const QRect r(tr.Left, tr.Top + 1, tr.Width() - 2, tr.Height() - 2);
            qDrawShadePanel(&p, r, bar_->palette(), true, 1);
            TStatusPanel* panel = s->Panels(i);
            if (panel->Style == TStatusPanelStyle::psText) {
                Qt::Alignment a = Qt::AlignLeft;
                if (panel->Alignment == TAlignment::taRightJustify) a = Qt::AlignRight;
                else if (panel->Alignment == TAlignment::taCenter) a = Qt::AlignHCenter;
                p.drawText(r.adjusted(3, 0, -3, 0), static_cast<int>(a | Qt::AlignVCenter), qs(panel->Text()));
            }
        }
        // Owner-drawn panels paint through the canvas.
        paint_control(s, p, false);
    }
};

// A tool button's picture: the one it names, else its bar's image list
// entry; null when neither draws.
QIcon tool_icon(Renderer& r, const TToolButton* b) {
    const auto* bar = dynamic_cast<const TToolBar*>(b->Parent());
    return r.picture(b->ImageName(), bar ? bar->Images.get() : nullptr, b->ImageIndex);
}

// The text a tool button shows: its caption where the bar shows captions,
// else its caption or hint where it has no picture.
std::string tool_text(const TToolBar* bar, const TToolButton* b, bool has_icon) {
    if (!has_icon) return caption_or_hint(b);
    return bar && bar->ShowCaptions ? b->Caption() : std::string();
}

class ToolBarBinding : public Binding {
public:
    ToolBarBinding(Renderer& r, TToolBar* t, QWidget* parent) : Binding(r, t), bar_(new HookWidget(parent)) { attach(bar_); }
    TToolBar* bar() const { return static_cast<TToolBar*>(control); }
    void children_built() override { arrange(); }
    // Lays the buttons out from the left, in their order, as the tool bar did.
    void arrange() {
        TToolBar* t = bar();
        int x = 0;
        for (TControl* c : std::vector<TControl*>(t->children())) {
            if (!c->Visible()) continue;
            int w = c->Width(), h = c->Height();
            if (auto* b = dynamic_cast<TToolButton*>(c)) {
                const bool sep = b->Style == TToolButtonStyle::tbsSeparator || b->Style == TToolButtonStyle::tbsDivider;
                w = sep ? 8 : t->ButtonWidth;
                // A caption shows when asked for, or when there is no
                // picture; the button is as wide as the window system's
                // font writes it.
                const std::string text = sep ? std::string() : tool_text(t, b, !tool_icon(renderer, b).isNull());
                if (!text.empty()) {
                    const QWidget* shown = renderer.widget_for(b);
                    const QFontMetrics metrics(shown ? shown->font() : bar_->font());
                    w = std::max({w, text_width(t->Font(), text) + 16, metrics.horizontalAdvance(qs(text)) + 16});
                }
                if (b->Style == TToolButtonStyle::tbsDropDown) w += 12;
                h = t->ButtonHeight;
            }
            if (c->Left() != x || c->Top() != 0 || c->Width() != w || c->Height() != h) c->SetBounds(x, 0, w, h);
            x += w;
        }
    }

private:
    HookWidget* bar_;
};

class ToolButtonWidget : public QToolButton {
public:
    explicit ToolButtonWidget(QWidget* parent) : QToolButton(parent) {}
    std::function<void()> on_drop_down;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (on_drop_down && popupMode() == QToolButton::MenuButtonPopup && e->position().x() >= width() - 12) {
            on_drop_down();
            return;
        }
        QToolButton::mousePressEvent(e);
    }
};

class ToolButtonBinding : public Binding {
public:
    ToolButtonBinding(Renderer& r, TToolButton* b, QWidget* parent) : Binding(r, b) {
        const bool sep = b->Style == TToolButtonStyle::tbsSeparator || b->Style == TToolButtonStyle::tbsDivider;
        if (sep) {
            auto* line = new HookWidget(parent);
            line->on_paint = [line, b](QPainter& p) {
                if (b->Style != TToolButtonStyle::tbsDivider) return;
                qDrawShadeLine(&p, line->width() / 2, 2, line->width() / 2, line->height() - 2, line->palette(), true, 1, 0);
            };
            attach(line);
            return;
        }
        button_ = new ToolButtonWidget(parent);
        button_->setFocusPolicy(Qt::NoFocus);
        on(button_, &QToolButton::clicked, [this](bool) { user::click(control); });
        button_->on_drop_down = [this] {
            auto* tb = static_cast<TToolButton*>(control);
            TPopupMenu* menu = tb->DropdownMenu;
            if (!menu || !button_) return;
            const QPoint at = button_->mapToGlobal(QPoint(0, button_->height()));
            renderer.input([menu, tb, at] {
                menu->PopupComponent = tb;
                menu->Popup(at.x(), at.y());
            });
        };
        attach(button_);
    }
    TToolButton* tool() const { return static_cast<TToolButton*>(control); }
    TToolBar* bar() const { return dynamic_cast<TToolBar*>(tool()->Parent()); }
    void sync_caption() override {
        sync_state(Prop::Style);
        rearrange();
    }
    void sync_visible() override {
        Binding::sync_visible();
        rearrange();
    }
    void resync() override { sync_state(Prop::Down); }
    void sync_state(Prop) override {
        if (!button_) return;
        TToolButton* b = tool();
        TToolBar* t = bar();
        const QIcon ic = tool_icon(renderer, b);
        button_->setIcon(ic);
        button_->setIconSize(QSize(16, 16));
        const std::string text = tool_text(t, b, !ic.isNull());
        button_->setText(qs(ic.isNull() ? text : b->Caption()));
        button_->setToolButtonStyle(text.empty() ? Qt::ToolButtonIconOnly
                                    : ic.isNull() ? Qt::ToolButtonTextOnly
                                                  : Qt::ToolButtonTextUnderIcon);
        button_->setAutoRaise(!t || t->Flat);
        button_->setCheckable(b->Style == TToolButtonStyle::tbsCheck);
        button_->setChecked(b->Down());
        if (b->Style == TToolButtonStyle::tbsDropDown && b->DropdownMenu && button_->popupMode() != QToolButton::MenuButtonPopup) {
            button_->setPopupMode(QToolButton::MenuButtonPopup);
            button_->setMenu(new QMenu(button_));
        }
    }
    bool passive_mouse() const override { return !button_; }

private:
    ToolButtonWidget* button_ = nullptr;
    void rearrange() {
        if (auto* tb = dynamic_cast<ToolBarBinding*>(renderer.binding_of(tool()->Parent()))) tb->arrange();
    }
};

// --- custom-painted hosts ------------------------------------------------------------

class CanvasBinding : public Binding {
public:
    CanvasBinding(Renderer& r, TControl* c, QWidget* parent) : Binding(r, c), area_(new HookWidget(parent)) {
        if (dynamic_cast<TWinControl*>(c)) area_->setFocusPolicy(Qt::StrongFocus);
        area_->setMouseTracking(true);
        if (dynamic_cast<TPaintable*>(c)) area_->on_paint = [this](QPainter& p) { paint_control(control, p, false); };
        attach(area_);
    }
    void sync_caption() override { area_->update(); }
    void sync_state(Prop) override { area_->update(); }

private:
    HookWidget* area_;
};

}  // namespace

std::string caption_or_hint(const TControl* c) {
    if (!c->Caption().empty()) return c->Caption();
    const std::string& hint = c->Hint();
    return hint.substr(0, hint.find('|'));
}

Binding* make_common_binding(Renderer& r, TControl* c, QWidget* parent) {
    if (auto* x = dynamic_cast<TTrackBar*>(c)) return new TrackBarBinding(r, x, parent);
    if (auto* x = dynamic_cast<TProgressBar*>(c)) return new ProgressBinding(r, x, parent);
    if (auto* x = dynamic_cast<TPageControl*>(c)) return new PageControlBinding(r, x, parent);
    if (auto* x = dynamic_cast<TTabSheet*>(c)) return new TabSheetBinding(r, x, parent);
    if (auto* x = dynamic_cast<TTreeView*>(c)) return new TreeBinding(r, x, parent);
    if (auto* x = dynamic_cast<TStatusBar*>(c)) return new StatusBarBinding(r, x, parent);
    if (auto* x = dynamic_cast<TToolBar*>(c)) return new ToolBarBinding(r, x, parent);
    if (auto* x = dynamic_cast<TToolButton*>(c)) return new ToolButtonBinding(r, x, parent);
    if (Binding* b = make_grid_binding(r, c, parent)) return b;
    // The tab control, and any other control: a surface that paints itself
    // (when it can) and holds its children.
    return new CanvasBinding(r, c, parent);
}

}  // namespace gui
