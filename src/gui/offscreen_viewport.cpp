#include "gui/offscreen_viewport.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "gui/zoom_picture.h"

namespace gui {

void start_offscreen_application() {
    if (QCoreApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "halvoren";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

struct OffscreenViewport::state {
    QImage surface;
    ZoomPicture picture;
};

OffscreenViewport::OffscreenViewport(int width, int height) : d_(std::make_unique<state>()) {
    d_->surface = QImage(width, height, QImage::Format_RGB32);
}

OffscreenViewport::~OffscreenViewport() = default;

int OffscreenViewport::show(Zoom_panel& panel) {
    const QImage& image = d_->picture.update(panel, d_->surface.size());
    QPainter p(&d_->surface);
    p.drawImage(0, 0, image);
    return static_cast<int>(d_->picture.painted().size());
}

}  // namespace gui
