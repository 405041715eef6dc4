// The viewport's kept picture: the last picture of the drawing with the view
// it shows. Asked for the picture of the current view, it paints only what
// changed: nothing for an expose or a rubber band, the strips a pan
// uncovers (each painted clipped to itself), the whole for a zoom, a new
// size or a changed drawing.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <vector>

#include "widgets/zoom_view.h"

class Zoom_panel;

namespace gui {

class ZoomPicture {
public:
    // The picture of the panel's current view at `size` pixels.
    const QImage& update(Zoom_panel& panel, QSize size);
    // The rectangles the last update painted (box pixels).
    const std::vector<QRect>& painted() const { return painted_; }
    const QImage& image() const { return image_; }
    // Forgets the picture: the next update paints it whole.
    void clear() { image_ = QImage(); }

private:
    QImage image_;
    zoom_view view_;  // the view the picture shows (a pan's whole pixels away from the current one)
    uint64_t generation_ = 0;
    std::vector<QRect> painted_;
    void paint(Zoom_panel& panel, const QRect& r);
};

}  // namespace gui
