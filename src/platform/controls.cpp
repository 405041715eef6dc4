#include "platform/controls.h"

#include <algorithm>

#include "platform/exceptions.h"
#include "platform/forms.h"
#include "platform/menus.h"

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() {
    if (action_) action_->remove_client(this);
    if (TForm* f = ParentForm()) f->forget_control(this);
    SetParent(nullptr);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent_) {
        auto& v = parent_->controls_;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
        parent_->changed(Prop::Items);
    }
    TWinControl* old = parent_;
    parent_ = parent;
    if (old && align_ != TAlign::alNone) old->AlignControls();
    if (parent_) {
        parent_->controls_.push_back(this);
        parent_->changed(Prop::Items);
        if (align_ != TAlign::alNone) parent_->AlignControls();
    }
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    const bool resized = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    changed(Prop::Bounds);
    if (resized)
        if (auto* w = dynamic_cast<TWinControl*>(this)) w->AlignControls();
    if (parent_ && align_ != TAlign::alNone) parent_->AlignControls();
    if (resized && OnResize) OnResize(this);
}

void TControl::SetAlign(TAlign a) {
    if (a == align_) return;
    align_ = a;
    changed(Prop::Bounds);
    if (parent_) parent_->AlignControls();
}

void TControl::SetVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    changed(Prop::Visible);
    if (parent_ && align_ != TAlign::alNone) parent_->AlignControls();
}

bool TControl::Showing() const {
    if (!visible_) return false;
    for (const TControl* p = parent_; p; p = p->parent_) {
        if (dynamic_cast<const TForm*>(p)) return true;
        if (!p->visible_) return false;
    }
    return true;
}

void TControl::SetEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    changed(Prop::Enabled);
}

void TControl::SetText(std::string_view v) {
    if (v == text_) return;
    text_ = std::string(v);
    changed(Prop::Caption);
}

void TControl::set_text_silently(std::string_view v) {
    if (v == text_) return;
    text_ = std::string(v);
    changed(Prop::Caption);
}

void TControl::SetHint(std::string_view v) {
    if (v == hint_) return;
    hint_ = std::string(v);
    changed(Prop::Hint);
}

void TControl::SetColor(TColor c) {
    if (c == color_) return;
    color_ = c;
    changed(Prop::Color);
}

void TControl::SetFont(const TFont& f) {
    if (f == font_) return;
    font_ = f;
    ParentFont = false;
    changed(Prop::Font);
}

void TControl::SetAction(TAction* a) {
    if (a == action_) return;
    if (action_) action_->remove_client(this);
    action_ = a;
    if (action_) {
        action_->add_client(this);
        action_changed();
    }
}

void TControl::action_changed() {
    if (!action_) return;
    set_text_silently(action_->Caption());
    SetHint(action_->Hint());
    SetEnabled(action_->Enabled());
    SetVisible(action_->Visible());
}

void TControl::Click() {
    if (OnClick) OnClick(this);
    else if (action_) action_->Execute();
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

bool TControl::MouseWheel(TShiftState shift, int delta, TPoint pos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, shift, delta, pos, handled);
    return handled;
}

TForm* TControl::ParentForm() const {
    for (const TControl* c = this; c; c = c->parent_)
        if (auto* f = dynamic_cast<TForm*>(const_cast<TControl*>(c))) return f;
    for (TComponent* o = Owner(); o; o = o->Owner())
        if (auto* f = dynamic_cast<TForm*>(o)) return f;
    return nullptr;
}

bool TControl::Focused() const {
    const TForm* f = ParentForm();
    return f && f->ActiveControl() == this;
}

// ---------------------------------------------------------------------------

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    for (TControl* c : controls_) c->parent_ = nullptr;
    controls_.clear();
}

void TWinControl::AlignControls() {
    if (aligning_) return;
    aligning_ = true;
    TRect r = AlignRect();
    auto take = [this](TAlign a) {
        std::vector<TControl*> v;
        for (TControl* c : controls_)
            if (c->align_ == a && c->visible_) v.push_back(c);
        return v;
    };
    auto tops = take(TAlign::alTop);
    std::stable_sort(tops.begin(), tops.end(), [](TControl* a, TControl* b) { return a->top_ < b->top_; });
    for (TControl* c : tops) {
        c->SetBounds(r.Left, r.Top, std::max(0, r.Width()), c->height_);
        r.Top += c->height_;
    }
    auto bottoms = take(TAlign::alBottom);
    std::stable_sort(bottoms.begin(), bottoms.end(), [](TControl* a, TControl* b) { return a->top_ > b->top_; });
    for (TControl* c : bottoms) {
        r.Bottom -= c->height_;
        c->SetBounds(r.Left, r.Bottom, std::max(0, r.Width()), c->height_);
    }
    auto lefts = take(TAlign::alLeft);
    std::stable_sort(lefts.begin(), lefts.end(), [](TControl* a, TControl* b) { return a->left_ < b->left_; });
    for (TControl* c : lefts) {
        c->SetBounds(r.Left, r.Top, c->width_, std::max(0, r.Height()));
        r.Left += c->width_;
    }
    auto rights = take(TAlign::alRight);
    std::stable_sort(rights.begin(), rights.end(), [](TControl* a, TControl* b) { return a->left_ > b->left_; });
    for (TControl* c : rights) {
        r.Right -= c->width_;
        c->SetBounds(r.Right, r.Top, c->width_, std::max(0, r.Height()));
    }
    for (TControl* c : take(TAlign::alClient))
        c->SetBounds(r.Left, r.Top, std::max(0, r.Width()), std::max(0, r.Height()));
    aligning_ = false;
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent()) {
        if (dynamic_cast<const TForm*>(c)) return true;
        if (!c->Visible() || !c->Enabled()) return false;
    }
    return true;
}

void TWinControl::SetFocus() {
    if (!CanFocus()) throw Exception("Cannot focus a disabled or invisible window");
    if (TForm* f = ParentForm()) f->focus_control(this);
}

void TWinControl::KeyDown(Word& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
    if (key != 0) KeyDownDefault(key, shift);
}

void TWinControl::KeyUp(Word& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
    if (OnKeyPress) OnKeyPress(this, key);
    if (key != 0) KeyPressDefault(key);
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}
