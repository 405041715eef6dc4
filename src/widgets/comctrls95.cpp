#include "widgets/comctrls95.h"

#include <algorithm>

#include "platform/comctrls.h"
#include "platform/exceptions.h"
#include "platform/services.h"
#include "platform/sysutils.h"

namespace {

[[noreturn]] void access_error(const char* operation) {
    throw EListError(std::string("Tab control access error\r\nViolation occured in ") + operation);
}

}  // namespace

// --- the tab list ------------------------------------------------------------------

int TTabStrings::Count() const { return control_.TabCount(); }

std::string TTabStrings::Strings(int i) const {
    if (i < 0 || i >= Count()) access_error("TTabStrings.Get");
    return control_.Tab(i).Text.substr(0, 4096);
}

void TTabStrings::SetString(int i, std::string_view text) {
    if (i < 0 || i >= Count()) access_error("TTabStrings.Put");
    control_.SetTabText(i, text);
    control_.relayout();
}

intptr_t TTabStrings::Objects(int i) const {
    if (i < 0 || i >= Count()) access_error("TTabStrings.GetObject");
    return control_.Tab(i).Data;
}

void TTabStrings::SetObject(int i, intptr_t data) {
    if (i < 0 || i >= Count()) access_error("TTabStrings.PutObject");
    control_.SetTabData(i, data);
}

void TTabStrings::Insert(int i, std::string_view text) {
    if (i < 0 || i > Count()) access_error("TTabStrings.Insert");
    control_.InsertTab(i, text);
    control_.relayout();
}

int TTabStrings::Add(std::string_view text) {
    const int i = Count();
    Insert(i, text);
    return i;
}

void TTabStrings::Delete(int i) {
    if (i < 0 || i >= Count()) access_error("TTabStrings.Delete");
    control_.DeleteTab(i);
    control_.relayout();
}

void TTabStrings::Clear() {
    control_.ClearTabs();
    control_.relayout();
}

void TTabStrings::Move(int from, int to) {
    if (from == to) return;
    if (from < 0 || from >= Count()) access_error("TTabStrings.Get");
    if (to < 0 || to >= Count()) access_error("TTabStrings.Insert");
    control_.MoveTab(from, to);
    control_.relayout();
}

void TTabStrings::Assign(const TStringList& source) {
    BeginUpdate();
    try {
        Clear();
        for (int i = 0; i < source.Count(); ++i) {
            Add(source[i]);
            SetObject(i, source.Objects(i));
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TTabStrings::BeginUpdate() {
    if (control_.update_level_++ == 0) control_.hold_changes();
}

void TTabStrings::EndUpdate() {
    if (control_.update_level_ == 0) return;
    if (--control_.update_level_ == 0) {
        control_.release_changes();
        control_.relayout();
    }
}

// --- the image indexes -------------------------------------------------------------

int TImageIndexStrings::Count() const { return control_.TabCount(); }

std::string TImageIndexStrings::Strings(int i) const {
    if (i < 0 || i >= Count()) access_error("TImageIndexStrings.Get");
    return IntToStr(control_.Tab(i).ImageIndex);
}

void TImageIndexStrings::SetString(int i, std::string_view text) {
    if (i < 0) access_error("TImageIndexStrings.Put");
    if (i >= Count()) return;
    int64_t v = -1;
    if (!TryStrToInt64(text, v) || v < 0 || v > 0x7FFFFFFF) v = -1;
    control_.SetTabImage(i, static_cast<int>(v));
}

int TImageIndexStrings::Add(std::string_view text) {
    const int i = counter_++;
    SetString(i, text);
    return i;
}

void TImageIndexStrings::Assign(const TStringList& source) {
    for (int i = 0; i < source.Count() && i < Count(); ++i) SetString(i, source[i]);
}

void TImageIndexStrings::Assign(const TComponent& source) {
    throw Exception(std::string("Can't assign ") + source.ClassName() + " to " + ClassName() + ".");
}

// --- the strip ---------------------------------------------------------------------

TCustomTab95Control::TCustomTab95Control(TComponent* owner) : TTabControl(owner) {
    SetBounds(0, 0, 289, 193);
    TabStop = true;
}

void TCustomTab95Control::relayout() {
    if (update_level_ > 0) return;
    AlignControls();
    Invalidate();
}

void TCustomTab95Control::SetTabWidth(int w) {
    if (w < 0) throw Exception(Format("%s property out of range", {std::string(ClassName())}));
    TabWidth = w;
    relayout();
}

void TCustomTab95Control::SetTabHeight(int h) {
    if (h < 0) throw Exception(Format("%s property out of range", {std::string(ClassName())}));
    TabHeight = h;
    relayout();
}

void TCustomTab95Control::SetTabPosition(TTab95Position p) {
    if (button_style_ && p != tpTopLeft) throw Exception("Buttons are only supported when aligned along the top");
    tab_position_ = p;
    relayout();
}

void TCustomTab95Control::SetVerticalTabs(bool v) {
    if (button_style_ && v) throw Exception("Buttons are only supported when aligned along the top");
    vertical_tabs_ = v;
    relayout();
}

void TCustomTab95Control::SetMultiLine(bool on) {
    MultiLine = on;
    if (!on) scroll_opposite_ = false;
    relayout();
}

void TCustomTab95Control::SetScrollOpposite(bool on) {
    scroll_opposite_ = on;
    if (on) MultiLine = true;
    relayout();
}

void TCustomTab95Control::SetButtonStyle(bool on) {
    button_style_ = on;
    if (on) {
        vertical_tabs_ = false;
        tab_position_ = tpTopLeft;
    }
    relayout();
}

void TCustomTab95Control::SetTabInactiveFont(const TFont& f) {
    tab_inactive_font_ = f;
    repaint_tabs();
}

void TCustomTab95Control::repaint_tabs() { Invalidate(); }

TRect TCustomTab95Control::TabRect(int i) const {
    const TRect along = TTabControl::TabRect(i);  // x from 2 on, y from 2 on
    if (along.Width() <= 0) return along;
    const int thickness = along.Height();
    const bool far_side = tab_position_ == tpBottomRight;
    if (!vertical_tabs_) {
        const int top = far_side ? height_ - 2 - thickness : 2;
        return {along.Left, top, along.Right, top + thickness};
    }
    // Down the left or the right side: the lengths run down.
    const int left = far_side ? width_ - 2 - thickness : 2;
    return {left, along.Left, left + thickness, along.Right};
}

int TCustomTab95Control::tab_width(int i) const {
    if (TabWidth > 0) return TabWidth;
    const std::string text = Trim(Tab(i).Text);
    Services* s = installed_services();
    const auto width = [&](const TFont& f) { return s ? s->screen_text_width(f, text) : text_width(f, text); };
    const bool has_image = Images && Tab(i).ImageIndex != -1;
    return std::max(width(font_), width(tab_inactive_font_)) + 12 + (has_image ? Images->Width + 5 : 0);
}

TRect TCustomTab95Control::AlignRect() const {
    TRect r = ClientRect();
    const int thickness = tab_height() + 2;
    if (!vertical_tabs_) {
        if (tab_position_ == tpBottomRight) r.Bottom -= thickness;
        else r.Top += thickness;
    } else if (tab_position_ == tpBottomRight) {
        r.Right -= thickness;
    } else {
        r.Left += thickness;
    }
    r.Top += 2;
    return r;
}

void TCustomTab95Control::PaintTo(TCanvas& canvas) {
    set_canvas(&canvas);
    try {
        canvas.Brush = TBrush{clBtnFace, TBrushStyle::bsSolid};
        canvas.FillRect(ClientRect());
        for (int i = FirstVisibleTab(); i < TabCount(); ++i) {
            TRect r = TabRect(i);
            if (r.Width() <= 0 || r.Left >= width_ || r.Top >= height_) break;
            canvas.Font = font_;
            canvas.Brush = TBrush{clBtnFace, TBrushStyle::bsSolid};
            canvas.TextTransparent = false;
            // An unselected tab stands back from the selected one.
            if (i != TabIndex() && !button_style_) {
                const int shift_near = 1, shift_far = -2;
                const int d = tab_position_ == tpBottomRight ? shift_far : shift_near;
                if (!vertical_tabs_) {
                    r.Top += d;
                    r.Bottom += d;
                } else {
                    r.Left += d;
                    r.Right += d;
                }
            }
            draw_tab(Tab(i).Text, i, r);
            // The tab's outline, open toward the page.
            canvas.Pen = TPen{clGray, TPenStyle::psSolid, 1};
            const bool far_side = tab_position_ == tpBottomRight;
            if (!vertical_tabs_) {
                const int edge = far_side ? r.Bottom - 1 : r.Top;
                canvas.MoveTo(r.Left, far_side ? r.Top : r.Bottom);
                canvas.LineTo(r.Left, edge);
                canvas.LineTo(r.Right - 1, edge);
                canvas.LineTo(r.Right - 1, far_side ? r.Top - 1 : r.Bottom);
            } else {
                const int edge = far_side ? r.Right - 1 : r.Left;
                canvas.MoveTo(far_side ? r.Left : r.Right, r.Top);
                canvas.LineTo(edge, r.Top);
                canvas.LineTo(edge, r.Bottom - 1);
                canvas.LineTo(far_side ? r.Left - 1 : r.Right, r.Bottom - 1);
            }
        }
    } catch (...) {
        set_canvas(nullptr);
        throw;
    }
    set_canvas(nullptr);
}

void TCustomTab95Control::draw_tab(const std::string& caption, int index, const TRect& rect) {
    if (OnDrawTab) {
        fire(this, OnDrawTab, this, caption, index, rect);
        return;
    }
    TCanvas* canvas = Canvas();
    if (!canvas) return;
    const bool selected = index == TabIndex();
    canvas->Brush = TBrush{selected ? color_ : TabInactiveColor, TBrushStyle::bsSolid};
    canvas->Font = selected ? font_ : tab_inactive_font_;
    if (HotTrack && index == hot_tab_) canvas->Font.Color = clHighlight;
    canvas->FillRect(rect);
    const std::string text = Trim(caption);
    const int image = index >= 0 && index < TabCount() ? Tab(index).ImageIndex : -1;
    const bool has_image = Images && image != -1;
    const int image_w = has_image ? Images->Width : 0, image_h = has_image ? Images->Height : 0;
    const int inset = selected ? 6 : 5;
    // Where the text begins (across the tab for vertical tabs) and how far
    // the selected tab's contents stand up.
    int text_x = rect.Left + inset, text_y = rect.Top + 5, nudge = 0;
    if (has_image) {
        if (!vertical_tabs_) {
            nudge = selected ? -1 : 1;
            const int x = rect.Left + inset, y = rect.Top + (rect.Height() - image_h) / 2 + nudge;
            canvas->DrawImage(x, y, image_w, image_h, Images->ImageName(image));
            text_x = x + image_w + 5;
        } else {
            const int x = rect.Left + (rect.Width() - image_w) / 2 + (selected ? -1 : 1);
            const int y = rect.Top + inset;
            canvas->DrawImage(x, y, image_w, image_h, Images->ImageName(image));
            text_y = y + image_h + 5 + (selected ? 1 : 0);
        }
    }
    canvas->TextTransparent = true;
    if (TextRotation == trHorizontal) {
        TRect line = vertical_tabs_ ? TRect{rect.Left + 5, text_y, rect.Right, rect.Bottom}
                                    : TRect{text_x, rect.Top + nudge, rect.Right, rect.Bottom + nudge};
        canvas->DrawText(text, line, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    } else {
        // Turned a quarter: up at the top or left, down at the bottom or right.
        TFont turned = canvas->Font;
        const bool up = tab_position_ == tpTopLeft;
        turned.Orientation = up ? 900 : 2700;
        canvas->Font = turned;
        TRect visible{rect.Left, rect.Top, rect.Right, rect.Bottom};
        TRect measure{0, 0, 0, 0};
        int height = 0;
        layout_draw_text(turned, text, measure, DT_CALCRECT | DT_SINGLELINE, height);
        const int across = vertical_tabs_ ? rect.Width() : rect.Height();
        const int start = vertical_tabs_ ? text_y : text_x;
        canvas->SetClipRect(visible);
        canvas->SetTextAlign(TA_LEFT | TA_TOP);
        if (vertical_tabs_) {
            const int x = up ? rect.Left + (across - height) / 2 : rect.Right - (across - height) / 2;
            canvas->TextOut(x, up ? start + measure.Width() : start, text);
        } else {
            const int y = up ? rect.Bottom - (across - height) / 2 : rect.Top + (across - height) / 2;
            canvas->TextOut(up ? start : start + height, y, text);
        }
        canvas->ResetClip();
    }
    canvas->TextTransparent = false;
}

void TCustomTab95Control::MouseMove(TShiftState shift, int x, int y) {
    const int tab = tab_at_point(x, y);
    if (tab != hot_tab_) {
        fire(this, OnTabTrack, this, tab);
        show_tab_hint(tab);
        if (HotTrack) Invalidate();
        hot_tab_ = tab;
    }
    TTabControl::MouseMove(shift, x, y);
}

void TCustomTab95Control::MouseLeave() {
    // Without hot tracking the hot tab keeps the last tab found.
    if (!HotTrack) return;
    Invalidate();
    hot_tab_ = -1;
}

// --- TTab95Control -----------------------------------------------------------------

TTab95Control::TTab95Control(TComponent* owner) : TCustomTab95Control(owner) {}

void TTab95Control::show_tab_hint(int index) {
    changed(Prop::Hint);
    if (index >= 0 && index < TabHints.Count()) SetHint(Trim(TabHints[index]));
}

void TTab95Control::set_cursor(TCursor c) {
    if (Cursor == c) return;
    Cursor = c;
    changed(Prop::Style);
}

void TTab95Control::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const int tab = tab_at_point(x, y);
    if (button == TMouseButton::mbLeft && tab >= 0) {
        user_select(tab);
        // Only a tab that the press selected is dragged.
        dragged_tab_ = AllowTabShifting && TabIndex() == tab ? tab : -1;
    }
    TControl::MouseDown(button, shift, x, y);
}

void TTab95Control::MouseMove(TShiftState shift, int x, int y) {
    if (AllowTabShifting && dragged_tab_ >= 0 && (shift & ssLeft)) {
        const int tab = tab_at_point(x, y);
        set_cursor(tab < 0 ? TCursor::crNo : tab == dragged_tab_ ? TCursor::crDefault : TCursor::crDrag);
    } else {
        set_cursor(TCursor::crDefault);
    }
    TCustomTab95Control::MouseMove(shift, x, y);
}

void TTab95Control::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft) {
        const int from = dragged_tab_;
        dragged_tab_ = -1;
        set_cursor(TCursor::crDefault);
        const int to = tab_at_point(x, y);
        if (AllowTabShifting && from >= 0 && from < TabCount() && to >= 0 && to != from) {
            Tabs.Move(from, to);
            fire(this, OnTabShift, this);
        }
    }
    TCustomTab95Control::MouseUp(button, shift, x, y);
}

bool TTab95Control::DialogChar(Word key) {
    for (int i = 0; i < TabCount(); ++i) {
        if (!IsAccel(key, Tab(i).Text)) continue;
        if (Enabled() && CanFocus() && i != TabIndex()) {
            SetTabIndex(i);
            fire(this, OnChange, this);
        }
        return true;
    }
    return false;
}
