// The toolkit's bitmap as a QImage painted through a QtCanvas: the raster
// target of printing.
#pragma once

#include <QImage>
#include <QPainter>
#include <memory>

#include "gui/qt_canvas.h"
#include "platform/graphics.h"

namespace gui {

class QtBitmap : public TBitmap {
public:
    // A white picture of the size; `dpi` sizes its fonts.
    QtBitmap(int width, int height, int dpi = default_pixels_per_inch);
    ~QtBitmap() override;
    TCanvas& Canvas() override;
    void make_monochrome() override;
    void SaveToFile(const std::string& path) override;
    // The picture with everything drawn so far.
    const QImage& image() const;

private:
    mutable QImage image_;
    int dpi_;
    mutable std::unique_ptr<QPainter> painter_;
    mutable std::unique_ptr<QtCanvas> canvas_;
    void finish_painting() const;
};

}  // namespace gui
