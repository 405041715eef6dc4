// The drawing viewport: a panel filled by its paint box, holding the mapping
// between drawing coordinates and the box's pixels and the operations that
// change it (fit, zoom by a factor, zoom to a dragged rectangle, previous
// view, centring, panning), the dragged rectangle (the rubber band) and the
// events through which its owner paints the drawing and follows the mouse.
//
// Every view operation does nothing until the first fit. The box paints its
// ground in the panel's colour, then the panel's OnPaint draws the drawing
// on the box's canvas (Canvas(), valid while painting) within paint_rect():
// the whole box, or the part the front end repaints.
#pragma once

#include <cstdint>

#include "platform/stdctrls.h"
#include "widgets/zoom_view.h"

class Zoom_panel;

// A rectangle of the drawing, by its extents.
struct view_extents {
    double xmin = 0;
    double xmax = 0;
    double ymin = 0;
    double ymax = 0;
};

// The viewport's client area: the only part of it that the user sees. Its
// mouse goes to the viewport (the rubber band, then the viewport's events).
class Zoom_paint_box : public TPaintBox {
public:
    explicit Zoom_paint_box(Zoom_panel* panel);
    Zoom_panel* panel() const { return panel_; }
    void PaintTo(TCanvas& canvas) override;
    void SetBounds(int left, int top, int width, int height) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    bool MouseWheel(TShiftState shift, int delta, TPoint pos) override;
    void DblClick() override;
    // The rubber band moved, appeared or went: the front end shows it.
    void band_changed() { changed(Prop::Selection); }

private:
    Zoom_panel* panel_;
};

class Zoom_panel : public TPanel {
public:
    explicit Zoom_panel(TComponent* owner);
    const char* ClassName() const override { return "Zoom_panel"; }

    // Fired after the box painted the ground: the owner draws the drawing.
    TNotifyEvent OnPaint;
    // Zoom in divides the scale by 1 / ZoomFactor, zoom out by ZoomFactor.
    double ZoomFactor = 1.25;

    Zoom_paint_box* box() const { return box_; }
    // The box's canvas while it paints, else nullptr.
    TCanvas* Canvas() const { return box_->Canvas(); }
    // The part of the box being painted (box pixels); the whole box unless
    // the front end repaints a part of it.
    TRect paint_rect() const;
    void set_paint_rect(const TRect& r) { paint_rect_ = r; }
    void clear_paint_rect() { paint_rect_ = {}; }

    // --- views ---
    bool view_set() const { return view_set_; }
    const zoom_view& current() const { return current_; }
    const zoom_view& fitted() const { return fitted_; }
    const zoom_view& previous() const { return previous_; }
    const zoom_view& last() const { return last_; }
    // The view the box is painted in: the current one, unless the front
    // end paints a part of a kept picture in the view that picture shows.
    const zoom_view& paint_view() const { return paint_view_set_ ? paint_view_ : current_; }
    void set_paint_view(const zoom_view& v) {
        paint_view_ = v;
        paint_view_set_ = true;
    }
    void clear_paint_view() { paint_view_set_ = false; }
    // The painting view as the owner of the drawing's projection.
    const zoom_view* view() const { return &paint_view(); }
    // Pixels per drawing unit of the current view (0 before the first fit).
    double scale() const { return current_.scale_x; }

    // Fits the extents into the box less the margins (pixels) on each
    // side: sets the fitted and current views and the view-set flag; no
    // repaint, and the last view is not taken. Equal extents on an axis
    // give that axis the scale 1; the smaller scale serves both. A box no
    // larger than its margins is not fitted.
    void fit_view(int margin_x, int margin_y, const view_extents& e);
    // The scales divided by f about the window's middle (f = ZoomFactor
    // zooms out, 1 / ZoomFactor in); the box keeps its size in pixels.
    void zoom_by(double f);
    // Shows the rectangle whole; no repaint by itself.
    void zoom_to_window(const view_extents& e);
    // Back to the previous view when there is one.
    void previous_view();
    // The last view again when there is one (true), else false.
    bool restore_last_view();
    // The drawing point under the pixel becomes the centre, scale kept.
    void centre_on(int x, int y, bool repaint);
    // Moves the window so that the pixel shows the stored centre: the point
    // a drag grabbed (centre_on) stays under the pointer, and a key's step
    // moves the picture by that many pixels from where the centre stood.
    // The centre itself stays; `divisor` (the drawing unit's factor) is
    // taken for its callers and not used.
    void pan_by(int x, int y, int divisor);
    // The drawing point under a pixel of the box.
    void screen_to_world(double px, double py, double& x, double& y) const;
    // The pixel of a drawing point in the current view.
    TPoint world_to_screen(double x, double y) const { return view_pixel(current_, x, y); }

    // --- the rubber band (box pixels) ---
    bool band_active() const { return band_active_; }
    TPoint band_start() const { return band_start_; }
    TPoint band_corner() const { return band_corner_; }

    // The drawing changed: the box is painted afresh (a front end that keeps
    // the last picture throws it away). View changes repaint without this.
    void redraw();
    // Counts redraw() calls: a kept picture older than this is stale.
    uint64_t picture_generation() const { return generation_; }

    // The box's mouse, after the rubber band took what it needs.
    void box_mouse_down(TMouseButton button, TShiftState shift, int x, int y);
    void box_mouse_move(TShiftState shift, int x, int y);
    void box_mouse_up(TMouseButton button, TShiftState shift, int x, int y);
    void box_double_click();
    // The box took a new size: each view keeps its top-left corner and
    // scale and reaches as far as the box now shows.
    void box_resized();

private:
    Zoom_paint_box* box_;
    zoom_view fitted_, current_, previous_, last_;
    bool view_set_ = false;
    bool band_active_ = false;
    TPoint band_start_, band_corner_;
    TPoint down_pixel_;
    TRect paint_rect_{};
    zoom_view paint_view_;
    bool paint_view_set_ = false;
    uint64_t generation_ = 0;
    // The window of the current view rebuilt around (cx, cy) with the
    // scale and pixel size given.
    void frame(double cx, double cy, double width_px, double height_px);
    void take_last() { last_ = current_; }
};
