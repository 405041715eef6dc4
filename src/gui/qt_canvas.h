// The toolkit's canvas drawn with a QPainter: widgets of custom-painted
// controls, pictures, the printer and PDF files.
#pragma once

#include <QFont>
#include <QLine>
#include <QPoint>
#include <QSize>
#include <vector>

#include "platform/graphics.h"

class QPainter;

namespace gui {

// Consecutive lines of one pen go to the painter at once, and so do
// consecutive pixels of one colour (with the lines of a pen of that colour
// between them: the same colour painted over the same colour): they are
// held until another pen or colour draws, anything else is drawn, the clip changes, the
// painter is handed out, `flush` is called or the canvas ends. Whoever reads
// the painted device while the canvas lives calls `flush` first.
class QtCanvas : public TCanvas {
public:
    // `dpi`: the resolution fonts are sized for (96 on screen, the printer's
    // resolution on paper).
    explicit QtCanvas(QPainter& painter, int dpi = default_pixels_per_inch);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    void LineTo(int x, int y) override;
    void Rectangle(int l, int t, int r, int b) override;
    void FillRect(const TRect& rc) override;
    void FrameRect(const TRect& rc) override;
    void Ellipse(int l, int t, int r, int b) override;
    void Arc(int l, int t, int r, int b, int x3, int y3, int x4, int y4) override;
    void Polygon(const std::vector<TPoint>& points) override;
    void Polyline(const std::vector<TPoint>& points) override;
    void SetPixel(int x, int y, TColor c) override;
    void DrawImage(int x, int y, int width, int height, std::string_view name) override;
    void TextOut(int x, int y, std::string_view text) override;
    void TextRect(const TRect& rc, int x, int y, std::string_view text) override;
    int DrawText(std::string_view text, TRect& rc, unsigned flags) override;
    TSize TextExtent(std::string_view text) override;
    void SetClipRect(const TRect& rc) override;
    void ResetClip() override;
    // A QtBitmap's picture; other bitmaps draw nothing.
    void StretchDraw(const TRect& dest, const TBitmap& bitmap, const TRect& source) override;
    using TCanvas::StretchDraw;

    // The painter, with the held lines drawn.
    QPainter& painter() {
        flush();
        painter_pen_known_ = false;
        return painter_;
    }
    int dpi() const { return dpi_; }
    // Draws the held lines.
    void flush();

private:
    QPainter& painter_;
    int dpi_;
    std::vector<QLine> lines_;  // held, all of the pen lines_pen_
    std::vector<QPoint> pixels_;  // held, all of the colour pixels_colour_
    TColor pixels_colour_ = 0;
    TPen painter_pen_;  // the pen the painter has, when known
    bool painter_pen_known_ = false;
    std::vector<QPoint> points_;  // a polyline's points, reused
    const QPoint* qpoints(const std::vector<TPoint>& points);
    TPen lines_pen_;
    unsigned lines_directions_ = 0;  // see LineTo
    // The picture's size when the painter paints a picture of its own
    // pixels, else empty.
    QSize image_size_;
    // True when Qt's line walk surely draws a line between the two points
    // (both inside the picture), so that it walks no other before the next.
    bool surely_walked(int x1, int y1, int x2, int y2) const;
    void apply_pen() { apply_pen(Pen); }
    void apply_pen(const TPen& pen);
    void apply_brush();
    void no_brush();
    QFont current_font() const;
    // Text at a reference point with the current alignment, rotated by the
    // font's escapement; returns the advance width.
    int draw_aligned_text(int x, int y, const QString& text);
};

}  // namespace gui
