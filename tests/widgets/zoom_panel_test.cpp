// The drawing viewport: the fit, the zooms, the rectangle dragged with the
// left button, the previous and last views, centring and panning, and the
// box's painting, mouse and wheel.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/forms.h"
#include "platform/input.h"
#include "platform/sysutils.h"
#include "support/toolkit_fixture.h"
#include "widgets/zoom_panel.h"

namespace {

class Viewport : public ToolkitTest {
protected:
    TForm* form = make_form();
    Zoom_panel* panel = [this] {
        auto* p = new Zoom_panel(form);
        p->SetName("Zoombox");
        p->SetColor(clBlack);
        p->SetBounds(0, 0, 800, 600);
        p->SetParent(form);
        return p;
    }();
    std::vector<std::string> log;

    Viewport() {
        euro_rounding = false;
        form->SetBounds(0, 0, 800, 600);
        panel->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int x, int y) {
            log.push_back("down " + std::to_string(x) + "," + std::to_string(y));
        };
        panel->OnMouseMove = [this](TObject*, TShiftState, int x, int y) {
            log.push_back("move " + std::to_string(x) + "," + std::to_string(y));
        };
        panel->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int x, int y) {
            log.push_back("up " + std::to_string(x) + "," + std::to_string(y));
        };
    }
    // A drawing 100 wide and 50 high about (50, 25): the width decides.
    void fit() { panel->fit_view(20, 20, {0, 100, 0, 50}); }
    TPoint pixel(double x, double y) const { return panel->world_to_screen(x, y); }
    void drag(TPoint from, TPoint to) {
        user::mouse_down(panel->box(), TMouseButton::mbLeft, ssLeft, from.x, from.y);
        user::mouse_move(panel->box(), ssLeft, to.x, to.y);
        user::mouse_up(panel->box(), TMouseButton::mbLeft, 0, to.x, to.y);
    }
};

TEST_F(Viewport, TheFitTakesTheSmallerScaleAndAVerticalDrawingTheScaleOne) {
    EXPECT_EQ(panel->box()->Width(), 800);
    EXPECT_EQ(panel->box()->Height(), 600);
    EXPECT_EQ(panel->box()->Cursor, TCursor::crCross);
    EXPECT_FALSE(panel->view_set());

    fit();
    const zoom_view& v = panel->current();
    EXPECT_TRUE(panel->view_set());
    EXPECT_DOUBLE_EQ(v.scale_x, 7.6);  // (800 - 40) / 100 beats (600 - 40) / 50
    EXPECT_DOUBLE_EQ(v.scale_y, 7.6);
    EXPECT_DOUBLE_EQ(v.centre_x, 50);
    EXPECT_DOUBLE_EQ(v.centre_y, 25);
    EXPECT_DOUBLE_EQ(v.left, 50 - 400 / 7.6);
    EXPECT_DOUBLE_EQ(v.top, 25 + 300 / 7.6);
    EXPECT_EQ(panel->fitted(), v);
    EXPECT_TRUE(panel->last().empty());  // a fit takes no last view

    // xmax = xmin: the x scale is 1 before the smaller is chosen.
    panel->fit_view(20, 20, {5, 5, 0, 100});
    EXPECT_DOUBLE_EQ(panel->scale(), 1.0);
    EXPECT_DOUBLE_EQ(panel->current().left, 5 - 400);
    EXPECT_DOUBLE_EQ(panel->current().right, 5 + 400);
    EXPECT_DOUBLE_EQ(panel->current().bottom, 50 - 300);
    EXPECT_DOUBLE_EQ(panel->current().top, 50 + 300);

    // A box no larger than its margins has no room: the view stays.
    panel->SetBounds(0, 0, 30, 30);
    const zoom_view before = panel->current();
    panel->fit_view(20, 20, {0, 100, 0, 50});
    EXPECT_EQ(panel->current(), before);
}

TEST_F(Viewport, TwoZoomsInMagnifyBy1_5625AboutTheSameMiddleAndZoomOutUndoesThem) {
    fit();
    const zoom_view f = panel->current();
    panel->zoom_by(1 / panel->ZoomFactor);
    EXPECT_EQ(panel->previous(), f);
    panel->zoom_by(1 / panel->ZoomFactor);
    const zoom_view& v = panel->current();
    EXPECT_DOUBLE_EQ(v.scale_x, f.scale_x * 1.5625);
    EXPECT_DOUBLE_EQ(v.scale_y, f.scale_y * 1.5625);
    EXPECT_NEAR(v.right - v.left, 0.64 * (f.right - f.left), 1e-9);
    EXPECT_NEAR(v.top - v.bottom, 0.64 * (f.top - f.bottom), 1e-9);
    EXPECT_NEAR((v.left + v.right) / 2, 50, 1e-9);
    EXPECT_NEAR((v.bottom + v.top) / 2, 25, 1e-9);
    EXPECT_EQ(panel->last(), v);

    panel->zoom_by(panel->ZoomFactor);
    panel->zoom_by(panel->ZoomFactor);
    EXPECT_NEAR(panel->scale(), f.scale_x, 1e-12);
    EXPECT_NEAR(panel->current().left, f.left, 1e-9);
}

TEST_F(Viewport, ARectangleZoomsOnlyWhenMoreThanTwoPixelsEachWay) {
    // Before the first fit the moves are not forwarded and nothing zooms.
    drag({100, 100}, {200, 200});
    EXPECT_EQ(log, (std::vector<std::string>{"down 100,100", "up 200,200"}));
    EXPECT_FALSE(panel->view_set());

    fit();
    const zoom_view f = panel->current();
    const struct {
        TPoint from, to;
        bool zooms;
    } cases[] = {{{100, 100}, {102, 150}, false}, {{100, 100}, {150, 102}, false}, {{100, 100}, {103, 103}, true},
                 {{300, 300}, {200, 250}, true}};
    for (const auto& c : cases) {
        panel->fit_view(20, 20, {0, 100, 0, 50});
        log.clear();
        user::mouse_down(panel->box(), TMouseButton::mbLeft, ssLeft, c.from.x, c.from.y);
        EXPECT_TRUE(panel->band_active());
        user::mouse_move(panel->box(), ssLeft, c.to.x, c.to.y);
        EXPECT_EQ(panel->band_start(), c.from);
        EXPECT_EQ(panel->band_corner(), c.to);
        user::mouse_up(panel->box(), TMouseButton::mbLeft, 0, c.to.x, c.to.y);
        EXPECT_FALSE(panel->band_active());
        EXPECT_EQ(log.size(), 3u);  // every event reaches the viewport's owner
        if (!c.zooms) {
            EXPECT_EQ(panel->current(), f) << c.to.x;
            continue;
        }
        // The rectangle's world extents fill the smaller side of the box.
        const double w = std::abs(c.to.x - c.from.x) / f.scale_x, h = std::abs(c.to.y - c.from.y) / f.scale_y;
        EXPECT_NEAR(panel->scale(), std::min(600 / w, 600 / h), 1e-9 * panel->scale());
        double x1, y1, x2, y2;
        view_point(f, c.from.x, c.from.y, x1, y1);
        view_point(f, c.to.x, c.to.y, x2, y2);
        EXPECT_NEAR(panel->current().centre_x, (x1 + x2) / 2, 1e-9);
        EXPECT_NEAR(panel->current().centre_y, (y1 + y2) / 2, 1e-9);
        EXPECT_EQ(panel->previous(), f);
    }

    // Shift keeps the band away; the owner still hears the button.
    log.clear();
    user::mouse_down(panel->box(), TMouseButton::mbLeft, ssLeft | ssShift, 10, 10);
    EXPECT_FALSE(panel->band_active());
    EXPECT_EQ(log, (std::vector<std::string>{"down 10,10"}));
}

TEST_F(Viewport, ThePreviousAndTheLastViews) {
    fit();
    const zoom_view f = panel->current();
    panel->previous_view();  // none yet
    EXPECT_EQ(panel->current(), f);
    EXPECT_FALSE(panel->restore_last_view());  // only fitted

    panel->zoom_by(0.8);
    const zoom_view zoomed = panel->current();
    panel->previous_view();
    EXPECT_EQ(panel->current(), f);
    EXPECT_EQ(panel->last(), f);

    panel->zoom_by(0.8);
    panel->fit_view(20, 20, {0, 10, 0, 10});  // a new drawing fitted
    EXPECT_TRUE(panel->restore_last_view());
    EXPECT_EQ(panel->current(), zoomed);
}

TEST_F(Viewport, ADragKeepsTheGrabbedPointUnderThePointerAtEveryScale) {
    for (const double zoom : {1.0, 0.8 * 0.8 * 0.8, 1.25 * 1.25, 0.001}) {
        fit();
        panel->zoom_by(zoom);
        double gx, gy;
        panel->screen_to_world(300, 200, gx, gy);
        panel->centre_on(300, 200, false);
        for (const TPoint p : {TPoint{300, 200}, TPoint{310, 190}, TPoint{420, 260}, TPoint{150, 480}}) {
            panel->pan_by(p.x, p.y, 1000);
            double x, y;
            panel->screen_to_world(p.x, p.y, x, y);
            EXPECT_NEAR(x, gx, 1e-9 * (1 + std::abs(gx))) << zoom << " " << p.x;
            EXPECT_NEAR(y, gy, 1e-9 * (1 + std::abs(gy))) << zoom << " " << p.x;
            EXPECT_DOUBLE_EQ(panel->current().centre_x, gx);  // the centre does not drift
            EXPECT_DOUBLE_EQ(panel->scale(), panel->previous().scale_x);
        }
    }
}

TEST_F(Viewport, StepsFromTheMiddleMoveTheCentreByThem) {
    fit();
    const TPoint middle = pixel(50, 25);
    ASSERT_EQ(middle, (TPoint{400, 300}));
    for (int n = 1; n <= 3; ++n) panel->pan_by(400 + 10 * n, 300, 1);
    EXPECT_EQ(pixel(50, 25), (TPoint{430, 300}));  // three steps of 10, not 10 + 20 + 30
    // A second run measures from the centre the first left.
    panel->pan_by(430, 300 - 100, 1);
    EXPECT_EQ(pixel(50, 25), (TPoint{430, 200}));
}

TEST_F(Viewport, ANewSizeKeepsTheCornerAndTheScaleAndZoomsAboutWhatTheBoxShows) {
    fit();
    const zoom_view f = panel->current();
    panel->SetBounds(0, 0, 400, 200);  // as in a smaller window
    EXPECT_EQ(panel->box()->Width(), 400);
    const zoom_view& v = panel->current();
    EXPECT_DOUBLE_EQ(v.scale_x, f.scale_x);
    EXPECT_DOUBLE_EQ(v.left, f.left);
    EXPECT_DOUBLE_EQ(v.top, f.top);
    EXPECT_DOUBLE_EQ(v.right, f.left + 400 / f.scale_x);
    EXPECT_DOUBLE_EQ(v.bottom, f.top - 200 / f.scale_y);
    double x, y;
    panel->screen_to_world(200, 100, x, y);
    panel->zoom_by(0.8);
    EXPECT_EQ(pixel(x, y), (TPoint{200, 100}));  // the box's middle stays
}

TEST_F(Viewport, ADoubleClickCentresOnThePixelPressed) {
    fit();
    std::vector<std::string> clicks;
    panel->OnDblClick = [&clicks](TObject*) { clicks.push_back("double"); };
    double x, y;
    panel->screen_to_world(200, 100, x, y);
    user::mouse_down(panel->box(), TMouseButton::mbLeft, ssLeft | ssDouble, 200, 100);
    user::double_click(panel->box());
    user::mouse_up(panel->box(), TMouseButton::mbLeft, 0, 200, 100);
    EXPECT_EQ(clicks, (std::vector<std::string>{"double"}));
    EXPECT_DOUBLE_EQ(panel->current().centre_x, x);
    EXPECT_EQ(pixel(x, y), (TPoint{400, 300}));
    EXPECT_DOUBLE_EQ(panel->scale(), panel->fitted().scale_x);
}

TEST_F(Viewport, TheBoxPaintsTheGroundThenTheOwnerDrawsWithinThePartPainted) {
    fit();
    std::vector<TRect> parts;
    panel->OnPaint = [&](TObject* sender) {
        EXPECT_EQ(sender, panel);
        ASSERT_NE(panel->Canvas(), nullptr);
        parts.push_back(panel->paint_rect());
        panel->Canvas()->MoveTo(0, 0);
        panel->Canvas()->LineTo(5, 5);
    };
    RecordingCanvas canvas;
    panel->box()->PaintTo(canvas);
    panel->set_paint_rect({10, 20, 30, 40});
    panel->box()->PaintTo(canvas);
    panel->clear_paint_rect();
    EXPECT_EQ(panel->Canvas(), nullptr);
    ASSERT_EQ(canvas.ops.size(), 4u);
    EXPECT_EQ(canvas.ops[0].kind, "fill");
    EXPECT_EQ(canvas.ops[0].args, (std::vector<int>{0, 0, 800, 600}));
    EXPECT_EQ(canvas.ops[0].brush.Color, clBlack);
    EXPECT_EQ(canvas.ops[1].kind, "line");
    EXPECT_EQ(canvas.ops[2].args, (std::vector<int>{10, 20, 30, 40}));
    EXPECT_EQ(parts, (std::vector<TRect>{{0, 0, 800, 600}, {10, 20, 30, 40}}));

    // A kept picture's view serves the painting while it is set.
    zoom_view other = panel->current();
    other.left += 7;
    panel->set_paint_view(other);
    EXPECT_EQ(*panel->view(), other);
    panel->clear_paint_view();
    EXPECT_EQ(*panel->view(), panel->current());

    // Every repaint of the drawing counts.
    const auto generation = panel->picture_generation();
    panel->redraw();
    EXPECT_EQ(panel->picture_generation(), generation + 1);
}

TEST_F(Viewport, TheWheelGoesToTheViewportThenToItsForm) {
    std::vector<std::string> wheel;
    form->OnMouseWheel = [&wheel](TObject* s, TShiftState, int delta, TPoint, bool& handled) {
        wheel.push_back(std::string(static_cast<TComponent*>(s)->Name()) + " " + std::to_string(delta));
        handled = true;
    };
    user::mouse_wheel(panel->box(), 0, -120, 5, 5);
    panel->OnMouseWheel = [&wheel](TObject*, TShiftState, int, TPoint, bool& handled) {
        wheel.push_back("panel");
        handled = true;
    };
    user::mouse_wheel(panel->box(), 0, 120, 5, 5);
    EXPECT_EQ(wheel, (std::vector<std::string>{"TestForm -120", "panel"}));
}

}  // namespace
