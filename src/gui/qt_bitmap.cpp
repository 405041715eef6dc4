#include "gui/qt_bitmap.h"

#include <QBuffer>
#include <QByteArray>

#include "platform/exceptions.h"
#include "platform/files.h"

namespace gui {

QtBitmap::QtBitmap(int width, int height, int dpi)
    : TBitmap(width, height), image_(std::max(1, width), std::max(1, height), QImage::Format_RGB32), dpi_(dpi) {
    image_.fill(Qt::white);
}

QtBitmap::~QtBitmap() { finish_painting(); }

void QtBitmap::finish_painting() const {
    canvas_.reset();
    if (painter_ && painter_->isActive()) painter_->end();
    painter_.reset();
}

TCanvas& QtBitmap::Canvas() {
    if (!canvas_) {
        painter_ = std::make_unique<QPainter>(&image_);
        canvas_ = std::make_unique<QtCanvas>(*painter_, dpi_);
    }
    return *canvas_;
}

const QImage& QtBitmap::image() const {
    finish_painting();
    return image_;
}

void QtBitmap::make_monochrome() {
    finish_painting();
    if (monochrome_) return;
    // Exactly white stays white; every other colour, however light, is black.
    QImage mono(image_.size(), QImage::Format_Mono);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    const QRgb white = qRgb(255, 255, 255);
    for (int y = 0; y < image_.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
        for (int x = 0; x < image_.width(); ++x) mono.setPixel(x, y, (line[x] | 0xFF000000u) == white ? 1 : 0);
    }
    image_ = mono;
    monochrome_ = true;
}

void QtBitmap::SaveToFile(const std::string& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QImage& picture = image();
    if (!picture.save(&buffer, "PNG")) throw EInOutError("Cannot write the picture \"" + path + "\".");
    write_file(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace gui
