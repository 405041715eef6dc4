// The drawing on the QPainter canvas: lines of one pen handed over at once
// paint as they did one by one, and a list drawn for a visible rectangle
// paints inside it exactly what the whole list paints there.
#include <gtest/gtest.h>

#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>

#include <cmath>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "drawing/containers.h"
#include "drawing/entities.h"
#include "gui/qt_canvas.h"
#include "gui/qt_text.h"
#include "platform/cp1250.h"
#include "platform/sysutils.h"

namespace {

// Counts what reaches the paint engine.
class CountingEngine : public QPaintEngine {
public:
    CountingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    int line_calls = 0;
    int lines = 0;
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawLines(const QLine* l, int count) override {
        (void)l;
        ++line_calls;
        lines += count;
    }
    void drawLines(const QLineF* l, int count) override {
        (void)l;
        ++line_calls;
        lines += count;
    }
    Type type() const override { return QPaintEngine::User; }
};

class CountingDevice : public QPaintDevice {
public:
    mutable CountingEngine engine;
    QPaintEngine* paintEngine() const override { return &engine; }

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
            case PdmWidth: return 400;
            case PdmHeight: return 300;
            case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return 96;
            case PdmDepth: return 32;
            case PdmDevicePixelRatio: return 1;
            case PdmDevicePixelRatioScaled: return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
            default: return 0;
        }
    }
};

// A run of canvas calls with lines of several pens between other drawing,
// a clip and changes of the font and brush; `one_by_one` hands every line
// over by itself.
void paint_run(gui::QtCanvas& c, bool one_by_one) {
    auto line_to = [&](int x, int y) {
        c.LineTo(x, y);
        if (one_by_one) c.flush();
    };
    c.Brush.Style = TBrushStyle::bsClear;
    c.Font.Name = "DejaVu Sans";
    c.Font.SetSize(10);
    c.Pen = TPen{clBlack, TPenStyle::psSolid, 1};
    c.MoveTo(10, 10);
    for (int i = 0; i < 20; ++i) line_to(10 + 17 * i % 300, 20 + 29 * i % 200);
    line_to(40, 40);  // a point
    // Dashes run on over joined lines.
    c.Pen = TPen{clRed, TPenStyle::psDash, 1};
    c.MoveTo(5, 150);
    for (int i = 0; i < 12; ++i) line_to(5 + 30 * (i + 1), i % 2 ? 150 : 170);
    c.Font.Color = clBlue;  // neither font nor brush touches a line
    c.Brush.Color = clYellow;
    line_to(380, 290);
    c.Pen = TPen{clBlue, TPenStyle::psSolid, 3};
    for (int i = 0; i < 10; ++i) {
        c.MoveTo(300, 10 * i);
        line_to(390 - 7 * i, 10 * i + 40);
    }
    c.TextOut(200, 100, "przekrój"_cp);
    line_to(200, 200);
    c.Pen = TPen{clGreen, TPenStyle::psDot, 1};
    c.MoveTo(0, 299);
    line_to(399, 0);
    c.Polyline({{0, 0}, {50, 80}, {90, 20}});
    line_to(150, 150);
    c.SetClipRect({100, 100, 250, 250});
    c.MoveTo(0, 0);
    line_to(399, 299);
    c.Pen = TPen{clFuchsia, TPenStyle::psDashDot, 2};
    line_to(0, 299);
    c.SetPixel(5, 5, clRed);
    line_to(200, 0);
    c.ResetClip();
    line_to(399, 150);
    c.Ellipse(300, 200, 380, 280);
    line_to(250, 290);
}

// Lines joined and loose in every direction, some leaving the picture.
void paint_random_lines(gui::QtCanvas& c, bool one_by_one, TPen pen, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> x(-20, 420);
    std::uniform_int_distribution<int> y(-20, 320);
    std::uniform_int_distribution<int> step(-6, 6);
    std::uniform_int_distribution<int> kind(0, 9);
    c.Pen = pen;
    c.MoveTo(200, 150);
    for (int i = 0; i < 600; ++i) {
        const int k = kind(random);
        if (k == 0) c.MoveTo(x(random), y(random));
        const TPoint at = c.PenPos();
        if (k < 5)
            c.LineTo(at.x + step(random), at.y + step(random));  // short, often axis-aligned
        else if (k < 9)
            c.LineTo(x(random), y(random));
        else
            c.LineTo(at.x, at.y);
        if (one_by_one) c.flush();
    }
}

QImage painted(const std::function<void(gui::QtCanvas&)>& run) {
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    {
        gui::QtCanvas canvas(painter);
        run(canvas);
    }
    painter.end();
    return image;
}

int ink_of(const QImage& image) {
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) ink += image.pixelColor(x, y) != QColor(Qt::white);
    return ink;
}

TEST(DrawingCanvas, LinesOfOnePenGoToThePainterAtOnceAndPaintAsOneByOne) {
    const QImage together = painted([](gui::QtCanvas& c) { paint_run(c, false); });
    const QImage apart = painted([](gui::QtCanvas& c) { paint_run(c, true); });
    EXPECT_GT(ink_of(together), 2000);
    EXPECT_TRUE(together == apart);

    const TPenStyle styles[] = {TPenStyle::psSolid, TPenStyle::psDash, TPenStyle::psDot, TPenStyle::psDashDotDot};
    unsigned seed = 1;
    for (const int width : {1, 2, 3})
        for (const TPenStyle style : styles) {
            const TPen pen{clBlack, style, width};
            ++seed;
            const QImage joined = painted([&](gui::QtCanvas& c) { paint_random_lines(c, false, pen, seed); });
            const QImage single = painted([&](gui::QtCanvas& c) { paint_random_lines(c, true, pen, seed); });
            EXPECT_GT(ink_of(joined), 5000);
            EXPECT_TRUE(joined == single) << "width " << width << ", style " << static_cast<int>(style);
        }

    CountingDevice device;
    {
        QPainter painter(&device);
        gui::QtCanvas canvas(painter);
        canvas.Pen = TPen{clBlack, TPenStyle::psSolid, 1};
        for (int i = 0; i < 50; ++i) {
            canvas.MoveTo(0, i);
            canvas.LineTo(100, i + 1);
        }
        canvas.Font.Color = clRed;
        canvas.Brush.Color = clRed;
        for (int i = 0; i < 50; ++i) {
            canvas.MoveTo(0, 100 + i);
            canvas.LineTo(100, 100 + i);
        }
        EXPECT_EQ(device.engine.line_calls, 0) << "held";
        canvas.Pen.Color = clRed;  // another pen: the first run goes
        canvas.MoveTo(0, 0);
        canvas.LineTo(10, 0);
        EXPECT_EQ(device.engine.line_calls, 1);
        EXPECT_EQ(device.engine.lines, 100);
        // Against the held line's direction: it goes first.
        canvas.MoveTo(50, 5);
        canvas.LineTo(40, 5);
        EXPECT_EQ(device.engine.line_calls, 2);
        EXPECT_EQ(device.engine.lines, 101);
        canvas.LineTo(40, 50);
        canvas.painter();  // handed out: drawn first
        EXPECT_EQ(device.engine.line_calls, 3);
        EXPECT_EQ(device.engine.lines, 103);
        canvas.LineTo(7, 7);
    }
    EXPECT_EQ(device.engine.line_calls, 4) << "the end of the canvas draws what it holds";
    EXPECT_EQ(device.engine.lines, 104);
}

// Loose lines of every direction and length, as a drawing's line list
// gives them: most inside the picture (edges included), some crossing
// its edge or wholly outside it, some points.
void paint_loose_lines(gui::QtCanvas& c, bool one_by_one, TPen pen, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> x(0, 399);
    std::uniform_int_distribution<int> y(0, 299);
    std::uniform_int_distribution<int> step(-4, 4);
    std::uniform_int_distribution<int> kind(0, 19);
    c.Pen = pen;
    for (int i = 0; i < 3000; ++i) {
        const int k = kind(random);
        TPoint a{x(random), y(random)};
        if (k == 0) a.x = i % 2 ? 0 : 399;
        if (k == 1) a.y = 299;
        TPoint b{a.x + step(random), a.y + step(random)};
        if (k == 2) b = a;
        if (k == 3) b = {a.x + 30 * step(random), a.y - 40 * step(random)};
        if (k == 4) {
            a.x -= 405;
            b.x -= 410;
        }
        c.MoveTo(a.x, a.y);
        c.LineTo(b.x, b.y);
        if (one_by_one) c.flush();
    }
}

TEST(DrawingCanvas, LooseLinesInThePictureGoTogetherAndPaintAsOneByOne) {
    const TPenStyle styles[] = {TPenStyle::psSolid, TPenStyle::psDot, TPenStyle::psDashDot};
    unsigned seed = 40;
    for (const int width : {1, 2})
        for (const TPenStyle style : styles)
            for (const QPoint shift : {QPoint(0, 0), QPoint(7, -5), QPoint(-390, 290)}) {
                const TPen pen{clBlack, style, width};
                ++seed;
                auto run = [&](bool one_by_one) {
                    return painted([&](gui::QtCanvas& c) {
                        c.painter().translate(shift);
                        paint_loose_lines(c, one_by_one, pen, seed);
                    });
                };
                const QImage together = run(false);
                const QImage apart = run(true);
                EXPECT_GT(ink_of(together), shift.x() < -100 ? 20 : 5000);
                EXPECT_TRUE(together == apart) << "width " << width << ", style " << static_cast<int>(style)
                                               << ", shift " << shift.x();
            }
}

TEST(DrawingCanvas, PixelsHeldWithLinesPaintAsThePaintersOwn) {
    std::mt19937 random(5);
    std::uniform_int_distribution<int> x(-20, 420);
    std::uniform_int_distribution<int> y(-20, 320);
    std::uniform_int_distribution<int> step(-9, 9);
    std::uniform_int_distribution<int> count(1, 9);
    std::vector<std::vector<TPoint>> shapes;
    for (int i = 0; i < 300; ++i) {
        std::vector<TPoint> points{{x(random), y(random)}};
        const int n = count(random);
        for (int k = 1; k < n; ++k) {
            const TPoint& last = points.back();
            points.push_back(k % 4 == 3 ? last : TPoint{last.x + step(random), last.y + (i % 3 ? step(random) : 0)});
        }
        shapes.push_back(std::move(points));
    }
    const TColor colours[] = {clBlack, clRed, clBlue};
    // The canvas: the shapes, pixels and lines in three colours; the
    // painter: each by itself, pixels as 1 x 1 rectangles.
    const QImage held = painted([&](gui::QtCanvas& c) {
        c.Brush.Style = TBrushStyle::bsClear;
        for (std::size_t i = 0; i < shapes.size(); ++i) {
            c.Pen = TPen{colours[i / 7 % 3], TPenStyle::psSolid, 1};
            const auto& s = shapes[i];
            if (i % 5 == 0) c.SetPixel(s[0].x, s[0].y, colours[i % 3]);
            if (i % 2) c.Polygon(s);
            else c.Polyline(s);
            if (i % 3 == 0) c.LineTo(s[0].x + 7, s[0].y - 3);
        }
    });
    const QImage own = painted([&](gui::QtCanvas& c) {
        QPainter& p = c.painter();
        p.setBrush(Qt::NoBrush);
        TPoint pos;
        for (std::size_t i = 0; i < shapes.size(); ++i) {
            QPen pen(gui::qcolor(colours[i / 7 % 3]));
            pen.setWidth(1);
            pen.setCapStyle(Qt::FlatCap);
            pen.setJoinStyle(Qt::RoundJoin);
            const auto& s = shapes[i];
            if (i % 5 == 0) p.fillRect(QRect(s[0].x, s[0].y, 1, 1), gui::qcolor(colours[i % 3]));
            p.setPen(pen);
            QPolygon poly;
            for (const TPoint& q : s) poly << QPoint(q.x, q.y);
            if (i % 2) {
                p.drawPolygon(poly);
            } else {
                p.drawPolyline(poly);
                pos = s.back();
            }
            if (i % 3 == 0) {
                p.drawLine(pos.x, pos.y, s[0].x + 7, s[0].y - 3);
                pos = {s[0].x + 7, s[0].y - 3};
            }
        }
    });
    EXPECT_GT(ink_of(held), 3000);
    int differ = 0;
    for (int yy = 0; yy < 300; ++yy)
        for (int xx = 0; xx < 400; ++xx) differ += held.pixel(xx, yy) != own.pixel(xx, yy);
    EXPECT_EQ(differ, 0);
}

TEST(DrawingCanvas, APolylineDrawsInTheCanvasPenAfterPixelsAndAHandedOutPainter) {
    const QImage image = painted([](gui::QtCanvas& c) {
        c.Brush.Style = TBrushStyle::bsClear;
        c.Pen = TPen{clRed, TPenStyle::psSolid, 1};
        c.Polyline({{10, 10}, {100, 10}});
        c.SetPixel(5, 50, clBlue);
        c.Polyline({{10, 50}, {100, 50}});
        c.painter().setPen(QPen(Qt::green));
        c.Polygon({{10, 100}, {100, 100}, {100, 150}});
        c.Rectangle(200, 200, 250, 250);
    });
    EXPECT_EQ(image.pixelColor(5, 50), gui::qcolor(clBlue));
    for (const QPoint at : {QPoint(50, 10), QPoint(50, 50), QPoint(50, 100), QPoint(100, 120), QPoint(200, 220)})
        EXPECT_EQ(image.pixelColor(at), gui::qcolor(clRed)) << at.x() << ", " << at.y();
}

// World to pixels: 3 pixels a unit, the origin at (20, 280).
TPoint project(const void*, const point3& p, const matrix4* t) {
    const point3 q = point3_transform(t, p);
    return {static_cast<int>(std::lround(20 + 3 * q.x)), static_cast<int>(std::lround(280 - 3 * q.y))};
}

TEST(DrawingCanvas, AVisibleRectanglePaintsWhatTheWholeDrawingPaintsInIt) {
    decimal_separator = '.';
    drawing_pen_width_mode = 0;
    Entity_List blocks("Block_");
    auto symbol = std::make_unique<Block_>("S", point3_origin);
    symbol->add(std::make_unique<Circle_>(point3_unit_z, point3_origin, 2, 0));
    symbol->add(std::make_unique<Line_>(point3{-3, 0, 0}, point3{3, 0, 0}, 0));
    symbol->add(std::make_unique<Text_>(point3_unit_z, point3{2, 2, 0}, point3_origin, "Wg", 1.5, 1, 0, 0, 0));
    blocks.add(std::move(symbol));

    DXF_Layer layer("L");
    layer.colour_index = 7;
    std::mt19937 random(23);
    std::uniform_real_distribution<double> at(-10, 130);
    std::uniform_real_distribution<double> size(0.2, 8);
    std::uniform_int_distribution<int> colour(1, 9);
    const std::string words[] = {"a", "Ww", "studnia", "Rz. 102.50", "WWWWWWWW", "przekrój A-A"_cp};
    for (int i = 0; i < 400; ++i) {
        const point3 p{at(random), at(random) * 0.7, 0};
        switch (i % 7) {
            case 0: {
                auto l = std::make_unique<Line_>(p, point3{p.x + size(random) * 3, p.y - size(random), 0}, colour(random));
                l->line_type_name = i % 3 ? "DASH" : "CONTINUOUS";
                l->line_width = i % 4;
                layer.add_entity(std::move(l));
                break;
            }
            case 1: layer.add_entity(std::make_unique<Circle_>(point3_unit_z, p, size(random), colour(random))); break;
            case 2:
                layer.add_entity(std::make_unique<Arc_>(point3_unit_z, p, size(random), 30 * (i % 12), 200,
                                                        colour(random)));
                break;
            case 3:
            case 4:
                // Heights of one and a half to twenty-four pixels, turned
                // and aligned in every way.
                layer.add_entity(std::make_unique<Text_>(point3_unit_z, p, point3{p.x + 1, p.y, 0},
                                                         words[i % 6], 0.5 + size(random), 1, colour(random),
                                                         i % 3, 45 * (i % 8)));
                break;
            case 5: {
                auto ins = std::make_unique<Insert_>(point3_unit_z, p, point3{1, 1, 1}, 30 * (i % 5), colour(random),
                                                     std::vector<std::unique_ptr<Attrib_>>{}, "S");
                ins->bind_block_list(&blocks);
                layer.add_entity(std::move(ins));
                break;
            }
            default:
                layer.add_entity(std::make_unique<Polyline_>(
                    std::vector<point3>{p, {p.x + size(random), p.y, 0}, {p.x, p.y + size(random), 0}},
                    colour(random), i % 2 == 0));
        }
    }

    // Pixels 150..250 x 90..190: the world from (130 / 3, 90 / 3) to
    // (230 / 3, 190 / 3), grown by the 4 pixels a marker or a pen reaches.
    const TRect clip{150, 90, 250, 190};
    const world_box visible{(150 - 20 - 4) / 3.0, (280 - 190 - 4) / 3.0, (250 - 20 + 4) / 3.0,
                            (280 - 90 + 4) / 3.0};
    auto paint = [&](const world_box* v, int* drawn) {
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        {
            gui::QtCanvas canvas(painter);
            canvas.Brush.Style = TBrushStyle::bsClear;
            canvas.Font.Name = "DejaVu Sans";
            canvas.SetClipRect(clip);
            for (const auto& list : layer.entity_lists()) list->draw(canvas, nullptr, project, nullptr, v);
        }
        painter.end();
        if (drawn) {
            *drawn = 0;
            for (const auto& list : layer.entity_lists())
                for (int i = 0; i < list->count(); ++i) *drawn += !world_box_outside(list->box(i), visible);
        }
        return image;
    };
    int reaching = 0;
    const QImage whole = paint(nullptr, nullptr);
    const QImage part = paint(&visible, &reaching);
    int ink = 0;
    for (int y = clip.Top; y < clip.Bottom; ++y)
        for (int x = clip.Left; x < clip.Right; ++x) ink += whole.pixelColor(x, y) != QColor(Qt::black);
    EXPECT_GT(ink, 1000);
    EXPECT_LT(reaching, 200) << "most entities lie outside";
    EXPECT_TRUE(whole == part);
    if (whole != part) {
        int differ = 0;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x) differ += whole.pixel(x, y) != part.pixel(x, y);
        ADD_FAILURE() << differ << " pixels differ";
    }
}

}  // namespace
