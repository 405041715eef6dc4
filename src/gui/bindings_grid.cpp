// Bindings of the string grid (the table component included) and of the tab
// strip: surfaces the core paints, with the grid's scroll bars, in-place
// line edit and cell hints, and the tab strip's cursors and hints.
#include <QEvent>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolTip>

#include "gui/bindings.h"
#include "gui/qt_text.h"
#include "platform/grids.h"
#include "platform/input.h"
#include "widgets/comctrls95.h"

namespace gui {

namespace {

Qt::CursorShape cursor_shape(TCursor c) {
    switch (c) {
        case TCursor::crHourGlass: return Qt::WaitCursor;
        case TCursor::crCross: return Qt::CrossCursor;
        case TCursor::crHandPoint: return Qt::PointingHandCursor;
        case TCursor::crSizeAll: return Qt::SizeAllCursor;
        case TCursor::crDrag: return Qt::DragMoveCursor;
        case TCursor::crIBeam: return Qt::IBeamCursor;
        case TCursor::crNo: return Qt::ForbiddenCursor;
        case TCursor::crDefault:
        case TCursor::crArrow: break;
    }
    return Qt::ArrowCursor;
}

Qt::Alignment editor_alignment(TAlignment a) {
    switch (a) {
        case TAlignment::taRightJustify: return Qt::AlignRight | Qt::AlignVCenter;
        case TAlignment::taCenter: return Qt::AlignHCenter | Qt::AlignVCenter;
        case TAlignment::taLeftJustify: break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// A surface that asks for its tooltips and hears the mouse leave.
class HintArea : public HookWidget {
public:
    explicit HintArea(QWidget* parent) : HookWidget(parent) {}
    // The hint at a point: false shows none.
    std::function<bool(QPoint at, QString& text, QPoint& global, QRect& keep)> on_hint;
    std::function<void()> on_leave;

protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::ToolTip && on_hint) {
            auto* he = static_cast<QHelpEvent*>(e);
            QString text;
            QPoint global;
            QRect keep;
            if (on_hint(he->pos(), text, global, keep)) QToolTip::showText(global, text, this, keep);
            else QToolTip::hideText();
            return true;
        }
        if (e->type() == QEvent::Leave && on_leave) on_leave();
        return HookWidget::event(e);
    }
};

// --- the grid ------------------------------------------------------------------------

class GridBinding : public Binding {
public:
    GridBinding(Renderer& r, TStringGrid* g, QWidget* parent)
        : Binding(r, g), area_(new HintArea(parent)), vbar_(new QScrollBar(Qt::Vertical, area_)),
          hbar_(new QScrollBar(Qt::Horizontal, area_)), editor_(new QLineEdit(area_)) {
        area_->setFocusPolicy(Qt::StrongFocus);
        area_->setMouseTracking(true);
        area_->on_paint = [this](QPainter& p) { paint(p); };
        area_->on_hint = [this](QPoint at, QString& text, QPoint& global, QRect& keep) {
            return hint_at(at, text, global, keep);
        };
        for (QScrollBar* bar : {vbar_, hbar_}) {
            bar->setFocusPolicy(Qt::NoFocus);
            bar->hide();
        }
        on(vbar_, &QScrollBar::valueChanged, [this](int v) { user::scroll(grid(), true, v); });
        on(hbar_, &QScrollBar::valueChanged, [this](int v) { user::scroll(grid(), false, v); });
        editor_->setFrame(false);
        editor_->hide();
        on(editor_, &QLineEdit::textEdited, [this](const QString& text) {
            if (acceptable(text)) grid()->SetEditorText(cp(text));
        });
        // The caret or selection the mouse put in the line edit.
        on(editor_, &QLineEdit::selectionChanged, [this] { take_selection(); });
        on(editor_, &QLineEdit::cursorPositionChanged, [this](int, int) { take_selection(); });
        attach(area_);
    }
    TStringGrid* grid() const { return static_cast<TStringGrid*>(control); }
    void resync() override {
        sync_bars();
        sync_editor();
    }
    void sync_caption() override { area_->update(); }
    void sync_state(Prop) override {
        area_->update();
        sync_bars();
        sync_editor();
    }
    void sync(Prop p) override {
        if (p == Prop::Hint) {
            // Hints come cell by cell (hint_at): a change hides the one showing.
            QToolTip::hideText();
            return;
        }
        Binding::sync(p);
        if (p == Prop::Focus || p == Prop::Font || p == Prop::Bounds) {
            sync_bars();
            sync_editor();
            area_->update();
        }
    }
    QWidget* focus_widget() const override { return editor_->isVisible() ? static_cast<QWidget*>(editor_) : area_; }
    TColor default_color() const override { return clWindow; }
    // Presses in the line edit place its caret; the scroll bars take theirs.
    bool mouse_event(QWidget* target, QMouseEvent* e, QPoint pos) override {
        if (target == editor_ || target == vbar_ || target == hbar_) return false;
        return Binding::mouse_event(target, e, pos);
    }

private:
    HintArea* area_;
    QScrollBar* vbar_;
    QScrollBar* hbar_;
    QLineEdit* editor_;

    // The cells the core paints (lines included); the current cell of a
    // focused grid gets a focus frame.
    void paint(QPainter& p) {
        TStringGrid* g = grid();
        p.fillRect(area_->rect(), qcolor(g->Color()));
        paint_control(g, p, false);
        if (g->Focused() && !g->EditorMode() && !(g->Options & goRowSelect)) {
            const TRect r = g->CellRect(g->Col(), g->Row());
            if (r.Width() > 0) {
                QPen pen(qcolor(clBlack));
                pen.setStyle(Qt::DotLine);
                p.setPen(pen);
                p.setBrush(Qt::NoBrush);
                p.drawRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
            }
        }
    }
    void sync_bars() {
        TStringGrid* g = grid();
        const int size = TStringGrid::ScrollBarSize;
        const bool v = g->ScrollBarShown(true), h = g->ScrollBarShown(false);
        const QSignalBlocker bv(vbar_), bh(hbar_);
        vbar_->setVisible(v);
        hbar_->setVisible(h);
        if (v) {
            vbar_->setGeometry(g->Width() - size, 0, size, g->Height() - (h ? size : 0));
            vbar_->setRange(g->FixedRows(), g->MaxTopRow());
            vbar_->setPageStep(g->VisibleRowCount());
            vbar_->setValue(g->TopRow());
            vbar_->setTracking(g->TracksThumb());
        }
        if (h) {
            hbar_->setGeometry(0, g->Height() - size, g->Width() - (v ? size : 0), size);
            hbar_->setRange(g->FixedCols(), g->MaxLeftCol());
            hbar_->setPageStep(g->VisibleColCount());
            hbar_->setValue(g->LeftCol());
            hbar_->setTracking(g->TracksThumb());
        }
    }
    void sync_editor() {
        TStringGrid* g = grid();
        const QSignalBlocker block(editor_);
        if (!g->EditorMode()) {
            if (editor_->isVisible()) {
                const bool had_focus = editor_->hasFocus();
                editor_->hide();
                if (had_focus) area_->setFocus(Qt::OtherFocusReason);
            }
            return;
        }
        const TRect r = g->CellRect(g->Col(), g->Row());
        editor_->setGeometry(r.Left, r.Top, r.Width(), r.Height());
        const TEditorLook& look = g->EditorLook();
        editor_->setFont(qfont(look.Font));
        editor_->setAlignment(editor_alignment(look.Alignment));
        QPalette pal = editor_->palette();
        pal.setColor(QPalette::Base, qcolor(look.Color));
        pal.setColor(QPalette::Text, qcolor(look.Font.Color));
        editor_->setPalette(pal);
        const QString t = qs(g->EditorText());
        if (editor_->text() != t) editor_->setText(t);
        const int start = g->EditorSelStart(), length = g->EditorSelLength();
        if (length > 0) editor_->setSelection(start, length);
        else editor_->setCursorPosition(start);
        if (!editor_->isVisible()) editor_->show();
        if (g->Focused() && !editor_->hasFocus()) editor_->setFocus(Qt::OtherFocusReason);
    }
    void take_selection() {
        if (!grid()->EditorMode()) return;
        const int start = editor_->hasSelectedText() ? editor_->selectionStart() : editor_->cursorPosition();
        const int length = editor_->hasSelectedText() ? static_cast<int>(editor_->selectedText().size()) : 0;
        if (start != grid()->EditorSelStart() || length != grid()->EditorSelLength()) grid()->SetEditorSelection(start, length);
    }
    bool hint_at(QPoint at, QString& text, QPoint& global, QRect& keep) {
        std::string hint;
        THintInfo info;
        bool show = false;
        TStringGrid* g = grid();
        renderer.input([&] { show = g->HintAt(at.x(), at.y(), hint, info); });
        if (!show) return false;
        text = qs(hint);
        global = area_->mapToGlobal(QPoint(info.HintPos.x, info.HintPos.y));
        keep = QRect(info.CursorRect.Left, info.CursorRect.Top, info.CursorRect.Width(), info.CursorRect.Height());
        return true;
    }
};

// --- the tab strip -------------------------------------------------------------------

class TabStripBinding : public Binding {
public:
    TabStripBinding(Renderer& r, TCustomTab95Control* t, QWidget* parent) : Binding(r, t), area_(new HintArea(parent)) {
        area_->setFocusPolicy(Qt::StrongFocus);
        area_->setMouseTracking(true);
        area_->on_paint = [this](QPainter& p) { paint_control(control, p, false); };
        area_->on_leave = [this] {
            TControl* c = control;
            renderer.input([c] { user::mouse_leave(c); });
        };
        attach(area_);
    }
    void sync_caption() override { area_->update(); }
    void sync_state(Prop) override {
        area_->update();
        apply_cursor();
    }
    void sync(Prop p) override {
        // A tab's hint takes the place of the one showing.
        if (p == Prop::Hint) QToolTip::hideText();
        Binding::sync(p);
    }
    bool mouse_event(QWidget* target, QMouseEvent* e, QPoint pos) override {
        apply_cursor();
        return Binding::mouse_event(target, e, pos);
    }

private:
    HintArea* area_;
    void apply_cursor() {
        if (control->Cursor == TCursor::crDefault) area_->unsetCursor();
        else area_->setCursor(cursor_shape(control->Cursor));
    }
};

}  // namespace

Binding* make_grid_binding(Renderer& r, TControl* c, QWidget* parent) {
    if (auto* x = dynamic_cast<TStringGrid*>(c)) return new GridBinding(r, x, parent);
    if (auto* x = dynamic_cast<TCustomTab95Control*>(c)) return new TabStripBinding(r, x, parent);
    return nullptr;
}

}  // namespace gui
