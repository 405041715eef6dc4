#include "gui/qt_canvas.h"

#include <QFile>
#include <QFontMetrics>
#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "gui/qt_bitmap.h"
#include "gui/qt_text.h"

namespace gui {

namespace {

Qt::PenStyle pen_style(TPenStyle s) {
    switch (s) {
        case TPenStyle::psSolid: return Qt::SolidLine;
        case TPenStyle::psDash: return Qt::DashLine;
        case TPenStyle::psDot: return Qt::DotLine;
        case TPenStyle::psDashDot: return Qt::DashDotLine;
        case TPenStyle::psDashDotDot: return Qt::DashDotDotLine;
        case TPenStyle::psClear: return Qt::NoPen;
    }
    return Qt::SolidLine;
}

Qt::BrushStyle brush_style(TBrushStyle s) {
    switch (s) {
        case TBrushStyle::bsSolid: return Qt::SolidPattern;
        case TBrushStyle::bsClear: return Qt::NoBrush;
        case TBrushStyle::bsHorizontal: return Qt::HorPattern;
        case TBrushStyle::bsVertical: return Qt::VerPattern;
        case TBrushStyle::bsFDiagonal: return Qt::BDiagPattern;
        case TBrushStyle::bsBDiagonal: return Qt::FDiagPattern;
        case TBrushStyle::bsCross: return Qt::CrossPattern;
        case TBrushStyle::bsDiagCross: return Qt::DiagCrossPattern;
    }
    return Qt::SolidPattern;
}

QRect qrect(const TRect& rc) { return QRect(rc.Left, rc.Top, rc.Width(), rc.Height()); }

bool symbol_font(const TFont& f) { return QString::compare(qs(f.Name), QStringLiteral("Wingdings"), Qt::CaseInsensitive) == 0; }

// No "Wingdings" font exists here: its bytes of a ticked and an empty box
// become the ballot-box characters of an ordinary font.
QString canvas_text(const TFont& f, std::string_view raw) {
    if (!symbol_font(f)) return qs(raw);
    QString text;
    for (char c : raw) {
        if (c == '\xFE') text += QChar(0x2611);
        else if (c == '\xA8') text += QChar(0x2610);
        else text += qs(std::string_view(&c, 1));
    }
    return text;
}

}  // namespace

QtCanvas::QtCanvas(QPainter& painter, int dpi) : painter_(painter), dpi_(dpi) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    const QPaintDevice* device = painter_.device();
    if (device && device->devType() == QInternal::Image && device->devicePixelRatio() == 1)
        image_size_ = QSize(device->width(), device->height());
}

QtCanvas::~QtCanvas() {
    if (painter_.isActive()) flush();
}

void QtCanvas::flush() {
    if (!lines_.empty()) {
        apply_pen(lines_pen_);
        painter_.drawLines(lines_.data(), static_cast<int>(lines_.size()));
        lines_.clear();
    }
    if (!pixels_.empty()) {
        // An aliased pen of one pixel sets exactly the pixel of each point.
        QPen p(qcolor(pixels_colour_));
        p.setWidth(1);
        p.setCapStyle(Qt::SquareCap);
        painter_.setPen(p);
        painter_pen_known_ = false;
        painter_.drawPoints(pixels_.data(), static_cast<int>(pixels_.size()));
        pixels_.clear();
    }
}

void QtCanvas::apply_pen(const TPen& pen) {
    // The painter keeps the pen given last (texts restore it).
    if (painter_pen_known_ && pen == painter_pen_) return;
    painter_pen_ = pen;
    painter_pen_known_ = true;
    if (pen.Style == TPenStyle::psClear) {
        painter_.setPen(Qt::NoPen);
        return;
    }
    QPen p(qcolor(pen.Color));
    p.setStyle(pen_style(pen.Style));
    p.setWidth(std::max(1, pen.Width));
    p.setCapStyle(pen.Width > 1 ? Qt::RoundCap : Qt::FlatCap);
    p.setJoinStyle(Qt::RoundJoin);
    painter_.setPen(p);
}

void QtCanvas::apply_brush() {
    if (Brush.Style == TBrushStyle::bsClear) {
        painter_.setBrush(Qt::NoBrush);
        return;
    }
    painter_.setBrush(QBrush(qcolor(Brush.Color), brush_style(Brush.Style)));
}

void QtCanvas::no_brush() { painter_.setBrush(Qt::NoBrush); }

QFont QtCanvas::current_font() const {
    if (!symbol_font(Font)) return qfont(Font, dpi_);
    TFont plain = Font;
    plain.Name = "DejaVu Sans";
    return qfont(plain, dpi_);
}

namespace {

// The directions in which Qt's aliased one-pixel line drawing walks a line
// (zero for a point): it remembers the last one of a run of lines, and a
// line that runs against it gets half a pixel more where the two meet. A
// line drawn alone runs against nothing.
enum line_direction : unsigned { top_to_bottom = 1, bottom_to_top = 2, left_to_right = 4, right_to_left = 8 };

unsigned direction_of(int x1, int y1, int x2, int y2) {
    const int64_t dx = std::abs(int64_t{x2} - x1);
    const int64_t dy = std::abs(int64_t{y2} - y1);
    if (dx < dy) return y1 > y2 ? bottom_to_top : top_to_bottom;
    if (dx == 0) return 0;
    return x1 > x2 ? right_to_left : left_to_right;
}

// True when a line of direction `d` drawn after a line of one of the
// directions in `before` may be drawn otherwise than alone.
bool depends_on_lines_before(unsigned d, unsigned before) {
    switch (d) {
        case top_to_bottom: return (before & bottom_to_top) != 0;
        case bottom_to_top: return (before & top_to_bottom) != 0;
        case left_to_right: return (before & right_to_left) != 0;
        case right_to_left: return (before & left_to_right) != 0;
        default: return false;
    }
}

}  // namespace

bool QtCanvas::surely_walked(int x1, int y1, int x2, int y2) const {
    if (image_size_.isEmpty()) return false;
    const QTransform& t = painter_.deviceTransform();
    if (t.type() > QTransform::TxTranslate) return false;
    const double dx = t.dx(), dy = t.dy();
    auto inside = [&](int x, int y) {
        const double px = x + dx, py = y + dy;
        return px >= 0 && py >= 0 && px < image_size_.width() && py < image_size_.height();
    };
    return inside(x1, y1) && inside(x2, y2);
}

void QtCanvas::LineTo(int x, int y) {
    // A run of lines paints as the same lines one by one as long as no
    // line's start depends on the line walked last before it in the run.
    const unsigned d = direction_of(pen_pos_.x, pen_pos_.y, x, y);
    if ((!lines_.empty() &&
         (!(Pen == lines_pen_) || depends_on_lines_before(d, lines_directions_) ||
          painter_.worldTransform().type() > QTransform::TxTranslate)) ||
        (!pixels_.empty() && (Pen.Color != pixels_colour_ || Pen.Style == TPenStyle::psClear)))
        flush();
    if (lines_.empty()) {
        lines_pen_ = Pen;
        lines_directions_ = 0;
    }
    lines_.emplace_back(pen_pos_.x, pen_pos_.y, x, y);
    // A line of whole pixels inside the picture is walked whatever its
    // length (a point is not): the next line runs against it alone. One
    // that may be cut away leaves the direction before it possible too.
    if (d != 0 && surely_walked(pen_pos_.x, pen_pos_.y, x, y))
        lines_directions_ = d;
    else
        lines_directions_ |= d;
    pen_pos_ = {x, y};
}

void QtCanvas::Rectangle(int l, int t, int r, int b) {
    flush();
    if (r < l) std::swap(l, r);
    if (b < t) std::swap(t, b);
    if (r - l <= 0 || b - t <= 0) return;
    // The outline stays inside the box, right and bottom exclusive.
    if (Brush.Style != TBrushStyle::bsClear) {
        painter_.fillRect(QRect(l, t, r - l, b - t), QBrush(qcolor(Brush.Color), brush_style(Brush.Style)));
    }
    if (Pen.Style != TPenStyle::psClear) {
        apply_pen();
        no_brush();
        painter_.drawRect(QRect(l, t, r - l - 1, b - t - 1));
    }
}

void QtCanvas::FillRect(const TRect& rc) {
    flush();
    if (Brush.Style == TBrushStyle::bsClear) return;
    painter_.fillRect(qrect(rc), QBrush(qcolor(Brush.Color), brush_style(Brush.Style)));
}

void QtCanvas::FrameRect(const TRect& rc) {
    flush();
    if (rc.Width() <= 0 || rc.Height() <= 0) return;
    const QColor c = qcolor(Brush.Color);
    painter_.fillRect(QRect(rc.Left, rc.Top, rc.Width(), 1), c);
    painter_.fillRect(QRect(rc.Left, rc.Bottom - 1, rc.Width(), 1), c);
    painter_.fillRect(QRect(rc.Left, rc.Top, 1, rc.Height()), c);
    painter_.fillRect(QRect(rc.Right - 1, rc.Top, 1, rc.Height()), c);
}

void QtCanvas::Ellipse(int l, int t, int r, int b) {
    flush();
    apply_pen();
    apply_brush();
    painter_.drawEllipse(QRect(l, t, r - l - 1, b - t - 1));
}

void QtCanvas::Arc(int l, int t, int r, int b, int x3, int y3, int x4, int y4) {
    flush();
    const double cx = (l + r) / 2.0, cy = (t + b) / 2.0;
    const double rx = (r - l) / 2.0, ry = (b - t) / 2.0;
    if (rx <= 0 || ry <= 0) return;
    // The rays' angles as parameters of the ellipse, counter-clockwise with
    // the y axis pointing up.
    auto param = [&](int x, int y) {
        const double dx = x - cx, dy = cy - y;
        return std::atan2(dy * rx, dx * ry) * 180.0 / M_PI;
    };
    const double a3 = param(x3, y3);
    double span = param(x4, y4) - a3;
    while (span <= 0) span += 360.0;
    apply_pen();
    no_brush();
    painter_.drawArc(QRectF(l, t, r - l - 1, b - t - 1), static_cast<int>(std::lround(a3 * 16)),
                     static_cast<int>(std::lround(span * 16)));
}

const QPoint* QtCanvas::qpoints(const std::vector<TPoint>& points) {
    points_.clear();
    for (const auto& p : points) points_.emplace_back(p.x, p.y);
    return points_.data();
}

void QtCanvas::Polygon(const std::vector<TPoint>& points) {
    flush();
    if (points.empty()) return;
    const QPoint* poly = qpoints(points);
    apply_pen();
    apply_brush();
    painter_.drawPolygon(poly, static_cast<int>(points.size()), Qt::OddEvenFill);
}

void QtCanvas::Polyline(const std::vector<TPoint>& points) {
    flush();
    if (points.empty()) return;
    const QPoint* poly = qpoints(points);
    apply_pen();
    painter_.drawPolyline(poly, static_cast<int>(points.size()));
    pen_pos_ = points.back();
}

void QtCanvas::SetPixel(int x, int y, TColor c) {
    if ((!pixels_.empty() && c != pixels_colour_) ||
        (!lines_.empty() && (c != lines_pen_.Color || lines_pen_.Style == TPenStyle::psClear)) ||
        painter_.worldTransform().type() > QTransform::TxTranslate)
        flush();
    if (painter_.worldTransform().type() > QTransform::TxTranslate) {
        painter_.fillRect(QRect(x, y, 1, 1), qcolor(c));
        return;
    }
    pixels_colour_ = c;
    pixels_.emplace_back(x, y);
}

void QtCanvas::DrawImage(int x, int y, int width, int height, std::string_view name) {
    flush();
    // The theme's icon of that name, or a picture file.
    const QString n = qs(name);
    QIcon icon = QIcon::fromTheme(n);
    if (icon.isNull() && QFile::exists(n)) icon = QIcon(n);
    if (!icon.isNull()) icon.paint(&painter_, QRect(x, y, width, height));
}

int QtCanvas::draw_aligned_text(int x, int y, const QString& text) {
    flush();
    const QFont f = current_font();
    const QFontMetrics fm(f, painter_.device());
    const int w = fm.horizontalAdvance(text);
    // Reference point to the text's left end and baseline.
    int dx = 0;
    if ((text_align_ & TA_CENTER) == TA_CENTER) dx = -w / 2;
    else if (text_align_ & TA_RIGHT) dx = -w;
    int baseline = fm.ascent();
    if ((text_align_ & TA_BASELINE) == TA_BASELINE) baseline = 0;
    else if (text_align_ & TA_BOTTOM) baseline = -fm.descent();
    painter_.save();
    painter_.translate(x, y);
    if (Font.Orientation != 0) painter_.rotate(-Font.Orientation / 10.0);
    if (Brush.Style != TBrushStyle::bsClear && !TextTransparent)
        painter_.fillRect(QRect(dx, baseline - fm.ascent(), w, fm.height()), qcolor(Brush.Color));
    painter_.setFont(f);
    painter_.setPen(qcolor(Font.Color));
    painter_.drawText(QPoint(dx, baseline), text);
    painter_.restore();
    return w;
}

void QtCanvas::TextOut(int x, int y, std::string_view text) {
    const int w = draw_aligned_text(x, y, canvas_text(Font, text));
    pen_pos_ = {x + w, y};
}

void QtCanvas::TextRect(const TRect& rc, int x, int y, std::string_view text) {
    flush();
    painter_.save();
    painter_.setClipRect(qrect(rc), painter_.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    if (Brush.Style != TBrushStyle::bsClear && !TextTransparent) painter_.fillRect(qrect(rc), qcolor(Brush.Color));
    const TBrushStyle saved = Brush.Style;
    Brush.Style = TBrushStyle::bsClear;
    draw_aligned_text(x, y, canvas_text(Font, text));
    Brush.Style = saved;
    painter_.restore();
}

int QtCanvas::DrawText(std::string_view raw, TRect& rc, unsigned flags) {
    flush();
    const QFont f = current_font();
    const QFontMetrics fm(f, painter_.device());
    QString text = canvas_text(Font, raw);
    if (!(flags & DT_NOPREFIX)) text = strip_accelerator(text);
    QStringList lines;
    if (flags & DT_SINGLELINE) {
        text.remove(u'\r');
        text.remove(u'\n');
        lines << text;
    } else {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(u'\r', u'\n');
        const QStringList paragraphs = text.split(u'\n');
        for (const QString& para : paragraphs) {
            if (!(flags & DT_WORDBREAK)) {
                lines << para;
                continue;
            }
            QString line;
            const QStringList words = para.split(u' ');
            for (const QString& word : words) {
                const QString candidate = line.isEmpty() ? word : line + u' ' + word;
                if (!line.isEmpty() && fm.horizontalAdvance(candidate) > rc.Width()) {
                    lines << line;
                    line = word;
                } else {
                    line = candidate;
                }
            }
            lines << line;
        }
    }
    if (flags & DT_END_ELLIPSIS)
        for (QString& l : lines) l = fm.elidedText(l, Qt::ElideRight, rc.Width());
    const int lh = fm.height();
    const int height = lh * static_cast<int>(lines.size());
    if (flags & DT_CALCRECT) {
        int w = 0;
        for (const QString& l : lines) w = std::max(w, fm.horizontalAdvance(l));
        rc.Right = rc.Left + w;
        rc.Bottom = rc.Top + height;
        return height;
    }
    int y = rc.Top;
    if (flags & DT_SINGLELINE) {
        if (flags & DT_VCENTER) y = rc.Top + (rc.Height() - lh) / 2;
        else if (flags & DT_BOTTOM) y = rc.Bottom - lh;
    }
    painter_.save();
    painter_.setFont(f);
    painter_.setPen(qcolor(Font.Color));
    for (const QString& l : lines) {
        const int w = fm.horizontalAdvance(l);
        int x = rc.Left;
        if (flags & DT_CENTER) x = rc.Left + (rc.Width() - w) / 2;
        else if (flags & DT_RIGHT) x = rc.Right - w;
        if (Brush.Style != TBrushStyle::bsClear && !TextTransparent) painter_.fillRect(QRect(x, y, w, lh), qcolor(Brush.Color));
        painter_.drawText(QPoint(x, y + fm.ascent()), l);
        y += lh;
    }
    painter_.restore();
    return height;
}

TSize QtCanvas::TextExtent(std::string_view text) {
    const QFontMetrics fm(current_font(), painter_.device());
    return {fm.horizontalAdvance(canvas_text(Font, text)), fm.height()};
}

void QtCanvas::SetClipRect(const TRect& rc) {
    flush();
    painter_.setClipRect(qrect(rc));
}

void QtCanvas::ResetClip() {
    flush();
    painter_.setClipping(false);
}

void QtCanvas::StretchDraw(const TRect& dest, const TBitmap& bitmap, const TRect& source) {
    const auto* picture = dynamic_cast<const QtBitmap*>(&bitmap);
    if (!picture) return;
    flush();
    painter_.drawImage(qrect(dest), picture->image(), qrect(source));
}

}  // namespace gui
