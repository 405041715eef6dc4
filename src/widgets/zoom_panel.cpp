#include "widgets/zoom_panel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/forms.h"

// ---------------------------------------------------------------------------
// The box

Zoom_paint_box::Zoom_paint_box(Zoom_panel* panel) : TPaintBox(panel), panel_(panel) {
    SetName("box");
    Cursor = TCursor::crCross;
    SetAlign(TAlign::alClient);
    SetParent(panel);
}

void Zoom_paint_box::PaintTo(TCanvas& canvas) {
    // The panel's ground first, as the panel painted itself before its event.
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.Color = panel_->Color();
    canvas.FillRect(panel_->paint_rect());
    TPaintBox::PaintTo(canvas);
}

void Zoom_paint_box::SetBounds(int left, int top, int width, int height) {
    const bool resized = width != Width() || height != Height();
    TPaintBox::SetBounds(left, top, width, height);
    if (resized) panel_->box_resized();
}

void Zoom_paint_box::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    panel_->box_mouse_down(button, shift, x, y);
}

void Zoom_paint_box::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    panel_->box_mouse_up(button, shift, x, y);
}

void Zoom_paint_box::MouseMove(TShiftState shift, int x, int y) { panel_->box_mouse_move(shift, x, y); }

// The wheel goes to the viewport's event, then, when that leaves it, to the
// form the viewport stands on.
bool Zoom_paint_box::MouseWheel(TShiftState shift, int delta, TPoint pos) {
    bool handled = false;
    fire(panel_, panel_->OnMouseWheel, panel_, shift, delta, pos, handled);
    if (handled) return true;
    if (TForm* form = panel_->ParentForm()) fire(form, form->OnMouseWheel, form, shift, delta, pos, handled);
    return handled;
}

void Zoom_paint_box::DblClick() { panel_->box_double_click(); }

// ---------------------------------------------------------------------------
// The viewport

Zoom_panel::Zoom_panel(TComponent* owner) : TPanel(owner) {
    BevelOuter = TBevelCut::bvNone;
    box_ = new Zoom_paint_box(this);
    box_->OnPaint = [this](TObject*) { fire(this, OnPaint, this); };
}

TRect Zoom_panel::paint_rect() const {
    if (paint_rect_.Right > paint_rect_.Left && paint_rect_.Bottom > paint_rect_.Top) return paint_rect_;
    return box_->ClientRect();
}

void Zoom_panel::frame(double cx, double cy, double width_px, double height_px) {
    current_.centre_x = cx;
    current_.centre_y = cy;
    current_.left = cx - width_px / current_.scale_x / 2;
    current_.right = cx + width_px / current_.scale_x / 2;
    current_.bottom = cy - height_px / current_.scale_y / 2;
    current_.top = cy + height_px / current_.scale_y / 2;
}

void Zoom_panel::fit_view(int margin_x, int margin_y, const view_extents& e) {
    const double w = box_->Width() - 2.0 * margin_x;
    const double h = box_->Height() - 2.0 * margin_y;
    const double sx = e.xmax == e.xmin ? 1.0 : w / (e.xmax - e.xmin);
    const double sy = e.ymax == e.ymin ? 1.0 : h / (e.ymax - e.ymin);
    const double s = std::min(sx, sy);
    // Without room, or with extents that are no numbers, there is no view.
    if (!(s > 0) || !std::isfinite(s)) return;
    zoom_view v;
    v.scale_x = v.scale_y = s;
    current_ = v;
    frame((e.xmin + e.xmax) / 2, (e.ymin + e.ymax) / 2, box_->Width(), box_->Height());
    fitted_ = current_;
    view_set_ = true;
}

void Zoom_panel::zoom_by(double f) {
    if (!view_set_ || !(f > 0)) return;
    previous_ = current_;
    const double cx = (current_.left + current_.right) / 2, cy = (current_.bottom + current_.top) / 2;
    const double width_px = (current_.right - current_.left) * current_.scale_x;
    const double height_px = (current_.top - current_.bottom) * current_.scale_y;
    current_.scale_x /= f;
    current_.scale_y /= f;
    frame(cx, cy, width_px, height_px);
    take_last();
    box_->Invalidate();
}

void Zoom_panel::zoom_to_window(const view_extents& e) {
    if (!view_set_) return;
    const double side = std::min(box_->Width(), box_->Height());
    const double sx = e.xmax == e.xmin ? 1.0 : side / std::fabs(e.xmax - e.xmin);
    const double sy = e.ymax == e.ymin ? 1.0 : side / std::fabs(e.ymax - e.ymin);
    const double s = std::min(sx, sy);
    if (!(s > 0) || !std::isfinite(s)) return;
    previous_ = current_;
    current_.scale_x = current_.scale_y = s;
    frame((e.xmin + e.xmax) / 2, (e.ymin + e.ymax) / 2, box_->Width(), box_->Height());
    take_last();
}

void Zoom_panel::previous_view() {
    if (!view_set_ || previous_.empty()) return;
    current_ = previous_;
    take_last();
    box_->Invalidate();
}

bool Zoom_panel::restore_last_view() {
    if (last_.empty()) return false;
    current_ = last_;
    box_->Invalidate();
    return true;
}

void Zoom_panel::centre_on(int x, int y, bool repaint) {
    if (!view_set_) return;
    previous_ = current_;
    double wx = 0, wy = 0;
    screen_to_world(x, y, wx, wy);
    frame(wx, wy, (current_.right - current_.left) * current_.scale_x, (current_.top - current_.bottom) * current_.scale_y);
    take_last();
    if (repaint) box_->Invalidate();
}

void Zoom_panel::pan_by(int x, int y, int /*divisor*/) {
    if (!view_set_) return;
    double wx = 0, wy = 0;
    screen_to_world(x, y, wx, wy);
    const double dx = current_.centre_x - wx, dy = current_.centre_y - wy;
    current_.left += dx;
    current_.right += dx;
    current_.bottom += dy;
    current_.top += dy;
    take_last();
    box_->Invalidate();
}

void Zoom_panel::screen_to_world(double px, double py, double& x, double& y) const { view_point(current_, px, py, x, y); }

void Zoom_panel::box_resized() {
    for (zoom_view* v : {&fitted_, &current_, &previous_, &last_}) {
        if (v->empty()) continue;
        v->right = v->left + box_->Width() / v->scale_x;
        v->bottom = v->top - box_->Height() / v->scale_y;
    }
}

void Zoom_panel::redraw() {
    ++generation_;
    box_->Invalidate();
}

// ---------------------------------------------------------------------------
// The box's mouse: the left button drags the rubber band.

void Zoom_panel::box_mouse_down(TMouseButton button, TShiftState shift, int x, int y) {
    down_pixel_ = {x, y};
    if (button == TMouseButton::mbLeft && !(shift & ssShift)) {
        band_active_ = true;
        band_start_ = band_corner_ = {x, y};
        box_->band_changed();
    }
    fire(this, OnMouseDown, this, button, shift, x, y);
}

void Zoom_panel::box_mouse_move(TShiftState shift, int x, int y) {
    if (!view_set_) return;
    if (band_active_) {
        band_corner_ = {x, y};
        box_->band_changed();
    }
    fire(this, OnMouseMove, this, shift, x, y);
}

void Zoom_panel::box_mouse_up(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft && band_active_) {
        band_active_ = false;
        box_->band_changed();
        const TPoint a = band_start_, b = band_corner_;
        if (std::abs(b.x - a.x) > 2 && std::abs(b.y - a.y) > 2) {
            double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
            screen_to_world(a.x, a.y, x1, y1);
            screen_to_world(b.x, b.y, x2, y2);
            zoom_to_window({std::min(x1, x2), std::max(x1, x2), std::min(y1, y2), std::max(y1, y2)});
            box_->Invalidate();
        }
    }
    fire(this, OnMouseUp, this, button, shift, x, y);
}

void Zoom_panel::box_double_click() {
    centre_on(down_pixel_.x, down_pixel_.y, true);
    fire(this, OnDblClick, this);
}
