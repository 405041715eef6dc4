// The viewport's box: its kept picture (a pan moves it and paints the
// strips uncovered, an expose or the rubber band copies it), the rubber
// band as a QRubberBand and the cross and hand cursors.
#include <QPaintEvent>
#include <QPainter>
#include <QRubberBand>
#include <QWidget>

#include "gui/bindings.h"
#include "gui/zoom_picture.h"
#include "widgets/zoom_panel.h"

namespace gui {

namespace {

class ZoomWidget : public QWidget {
public:
    explicit ZoomWidget(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
    }
    std::function<void(QPaintEvent*)> on_paint;

protected:
    void paintEvent(QPaintEvent* e) override {
        if (on_paint) on_paint(e);
    }
};

Qt::CursorShape zoom_cursor(TCursor c) {
    return c == TCursor::crHandPoint ? Qt::ClosedHandCursor : Qt::CrossCursor;
}

class ZoomBoxBinding : public Binding {
public:
    ZoomBoxBinding(Renderer& r, Zoom_paint_box* box, QWidget* parent)
        : Binding(r, box), box_(box), area_(new ZoomWidget(parent)), band_(new QRubberBand(QRubberBand::Rectangle, area_)) {
        band_->hide();
        area_->on_paint = [this](QPaintEvent* e) { paint(e); };
        attach(area_);
        area_->setCursor(zoom_cursor(box_->Cursor));
    }
    bool fills_background() const override { return false; }
    void sync_state(Prop p) override {
        if (p != Prop::Selection) return;
        Zoom_panel* panel = box_->panel();
        if (!panel->band_active()) {
            band_->hide();
            return;
        }
        const TPoint a = panel->band_start(), b = panel->band_corner();
        band_->setGeometry(QRect(QPoint(a.x, a.y), QPoint(b.x, b.y)).normalized());
        band_->show();
    }
    bool mouse_event(QWidget*, QMouseEvent*, QPoint) override {
        area_->setCursor(zoom_cursor(box_->Cursor));
        return true;
    }

private:
    Zoom_paint_box* box_;
    ZoomWidget* area_;
    QRubberBand* band_;
    ZoomPicture picture_;

    void paint(QPaintEvent* e) {
        const QImage& image = picture_.update(*box_->panel(), area_->size());
        QPainter p(area_);
        p.drawImage(e->rect(), image, e->rect());
    }
};

}  // namespace

Binding* make_zoom_binding(Renderer& r, TControl* c, QWidget* parent) {
    if (auto* box = dynamic_cast<Zoom_paint_box*>(c)) return new ZoomBoxBinding(r, box, parent);
    return nullptr;
}

}  // namespace gui
