#include "gui/zoom_picture.h"

#include <QPainter>

#include <cmath>
#include <cstdlib>

#include "gui/bindings.h"
#include "gui/qt_canvas.h"
#include "gui/qt_text.h"
#include "widgets/zoom_panel.h"

namespace gui {

void ZoomPicture::paint(Zoom_panel& panel, const QRect& r) {
    if (r.isEmpty()) return;
    painted_.push_back(r);
    QPainter painter(&image_);
    painter.setClipRect(r);
    QtCanvas canvas(painter);
    canvas.Font = panel.box()->Font();
    canvas.Brush.Color = panel.Color();
    panel.set_paint_rect({r.left(), r.top(), r.right() + 1, r.bottom() + 1});
    panel.set_paint_view(view_);
    run_deferred_errors([&] { panel.box()->PaintTo(canvas); });
    panel.clear_paint_view();
    panel.clear_paint_rect();
}

const QImage& ZoomPicture::update(Zoom_panel& panel, QSize size) {
    painted_.clear();
    const zoom_view& v = panel.current();
    const bool fresh = image_.isNull() || image_.size() != size || generation_ != panel.picture_generation();
    if (!fresh && view_ == v) return image_;
    if (!fresh && !v.empty() && v.scale_x == view_.scale_x && v.scale_y == view_.scale_y) {
        // A pan: the picture moves by whole pixels, and the view it shows
        // with it, so that the strips painted now join it exactly.
        const double fx = (view_.left - v.left) * v.scale_x, fy = (v.top - view_.top) * v.scale_y;
        if (std::isfinite(fx) && std::isfinite(fy) && std::fabs(fx) < size.width() && std::fabs(fy) < size.height()) {
            const int dx = static_cast<int>(std::lround(fx)), dy = static_cast<int>(std::lround(fy));
            zoom_view moved = v;
            moved.left = view_.left - dx / v.scale_x;
            moved.right = view_.right - dx / v.scale_x;
            moved.top = view_.top + dy / v.scale_y;
            moved.bottom = view_.bottom + dy / v.scale_y;
            view_ = moved;
            if (dx == 0 && dy == 0) return image_;
            QImage next(size, QImage::Format_RGB32);
            next.fill(qcolor(panel.Color()));
            {
                QPainter p(&next);
                p.drawImage(dx, dy, image_);
            }
            image_ = std::move(next);
            const int w = size.width(), h = size.height();
            // The columns uncovered, then the rows uncovered beside them.
            const QRect columns = dx > 0 ? QRect(0, 0, dx, h) : QRect(w + dx, 0, -dx, h);
            if (dx != 0) paint(panel, columns);
            const int x0 = dx > 0 ? dx : 0, x1 = dx < 0 ? w + dx : w;
            if (dy > 0) paint(panel, QRect(x0, 0, x1 - x0, dy));
            if (dy < 0) paint(panel, QRect(x0, h + dy, x1 - x0, -dy));
            return image_;
        }
    }
    image_ = QImage(size, QImage::Format_RGB32);
    image_.fill(qcolor(panel.Color()));
    view_ = v;
    generation_ = panel.picture_generation();
    if (!size.isEmpty()) paint(panel, QRect(QPoint(0, 0), size));
    return image_;
}

}  // namespace gui
