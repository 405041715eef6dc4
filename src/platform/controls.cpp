#include "platform/controls.h"

#include <algorithm>
#include <utility>

#include "platform/comctrls.h"
#include "platform/exceptions.h"
#include "platform/forms.h"
#include "platform/menus.h"

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() {
    if (action_) action_->remove_client(this);
    SetParent(nullptr);
}

void TControl::Destroying() {
    TComponent::Destroying();
    SetParent(nullptr);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    auto* self = dynamic_cast<TWinControl*>(this);
    if (parent_) {
        auto& v = parent_->controls_;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
        auto& t = parent_->tab_list_;
        t.erase(std::remove(t.begin(), t.end(), self), t.end());
        parent_->changed(Prop::Items);
    }
    TWinControl* old = parent_;
    parent_ = parent;
    if (old && align_ != TAlign::alNone) old->AlignControls();
    if (parent_) {
        parent_->controls_.push_back(this);
        if (self) {
            parent_->tab_list_.push_back(self);
            if (self->wanted_tab_order_ >= 0) self->SetTabOrder(std::exchange(self->wanted_tab_order_, -1));
        }
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
    if (resized) fire(this, OnResize, this);
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
    if (OnClick) fire(this, OnClick, this);
    else if (action_ && events_allowed()) action_->Execute();
}

void TControl::DblClick() { fire(this, OnDblClick, this); }

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    fire(this, OnMouseDown, this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    fire(this, OnMouseUp, this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) { fire(this, OnMouseMove, this, shift, x, y); }

bool TControl::MouseWheel(TShiftState shift, int delta, TPoint pos) {
    bool handled = false;
    fire(this, OnMouseWheel, this, shift, delta, pos, handled);
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

void TWinControl::EnableAlign() {
    if (align_level_ > 0 && --align_level_ == 0) AlignControls();
}

void TWinControl::AlignControls() {
    // Placing a child asks for alignment again: that request is dropped.
    if (align_level_ > 0 || (ComponentState() & csDestroying)) return;
    struct Placing {
        int& level;
        explicit Placing(int& l) : level(l) { ++level; }
        ~Placing() { --level; }
    } placing(align_level_);
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
    fire(this, OnKeyDown, this, key, shift);
    if (key != 0) KeyDownDefault(key, shift);
}

void TWinControl::KeyUp(Word& key, TShiftState shift) { fire(this, OnKeyUp, this, key, shift); }

void TWinControl::KeyPress(char& key) {
    fire(this, OnKeyPress, this, key);
    if (key != 0) KeyPressDefault(key);
}

void TWinControl::DoEnter() { fire(this, OnEnter, this); }

void TWinControl::DoExit() { fire(this, OnExit, this); }

// --- tab order ---------------------------------------------------------------

int TWinControl::TabOrder() const {
    if (!parent_) return -1;
    const auto& t = parent_->tab_list_;
    return static_cast<int>(std::find(t.begin(), t.end(), this) - t.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (!parent_) {
        wanted_tab_order_ = std::max(order, 0);
        return;
    }
    auto& t = parent_->tab_list_;
    const int current = TabOrder();
    order = std::clamp(order, 0, static_cast<int>(t.size()) - 1);
    if (order == current) return;
    t.erase(t.begin() + current);
    t.insert(t.begin() + order, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* c : tab_list_) {
        if (auto* sheet = dynamic_cast<TTabSheet*>(c); sheet && sheet->PageControl() && sheet->PageControl()->ActivePage() != sheet)
            continue;
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool check_tab_stop) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    const auto n = static_cast<std::ptrdiff_t>(list.size());
    std::ptrdiff_t start = std::find(list.begin(), list.end(), current) - list.begin();
    if (start == n) start = forward ? n - 1 : 0;
    std::ptrdiff_t i = start;
    do {
        i = forward ? (i + 1) % n : (i + n - 1) % n;
        TWinControl* c = list[static_cast<std::size_t>(i)];
        if (c->CanFocus() && (!check_tab_stop || c->TabStop)) return c;
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool check_tab_stop) {
    TWinControl* next = FindNextControl(current, forward, check_tab_stop);
    if (!next || next == current) return;
    next->SetFocus();
    if (next->Focused()) next->focused_from_keyboard();
}

bool IsAccel(Word key, std::string_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        const char c = caption[i + 1];
        const Word k = c >= 'a' && c <= 'z' ? static_cast<Word>(c - 32) : static_cast<Word>(static_cast<unsigned char>(c));
        return ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) && k == key;
    }
    return false;
}
