#include "platform/component.h"

#include <algorithm>

#include "platform/sysutils.h"

static_assert(static_cast<unsigned>(Prop::Destroyed) < 32, "held changes are bits of an unsigned");

// ---------------------------------------------------------------------------

component_link::component_link(TComponent* holder) : holder_(holder) { holder_->links_.push_back(this); }

component_link::~component_link() {
    auto& v = holder_->links_;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
}

void component_link::link(TComponent* target, void* object) {
    TComponent* old = target_;
    target_ = target;
    object_ = object;
    if (target == old) return;
    if (target && target != holder_) holder_->FreeNotification(target);
    if (old && old != holder_ && !holder_->links_to(old)) holder_->RemoveFreeNotification(old);
}

// ---------------------------------------------------------------------------

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_) owner_->components_.push_back(this);
}

void TComponent::operator delete(TComponent* c, std::destroying_delete_t) {
    void* whole = dynamic_cast<void*>(c);
    c->BeforeDestruction();
    c->~TComponent();
    ::operator delete(whole);
}

TComponent::~TComponent() {
    // A component that was not deleted (one on the stack) goes through the
    // same steps here, as a plain component.
    BeforeDestruction();
    if (owner_) owner_->remove_component(this);
}

void TComponent::BeforeDestruction() {
    if (state_ & csDestroying) return;
    state_ |= csDestroying;
    // Owned components go first, newest first, while this one is whole.
    while (!components_.empty()) {
        TComponent* c = components_.back();
        components_.pop_back();
        c->owner_ = nullptr;
        delete c;
    }
    Destroying();
    while (!free_notifies_.empty()) {
        TComponent* c = free_notifies_.back();
        free_notifies_.pop_back();
        auto& theirs = c->free_notifies_;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        c->Notification(this, TOperation::opRemove);
    }
    notify(Prop::Destroyed);
    // Nobody hears about this component any more.
    for (Slot& s : observers_) s.id = 0;
    if (notifying_ == 0) observers_.clear();
}

void TComponent::remove_component(TComponent* c) {
    // Also while this component is being destroyed: a component may destroy
    // others it links to (a menu its items), which then leave this list.
    components_.erase(std::remove(components_.begin(), components_.end(), c), components_.end());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->name_, name)) return c;
    return nullptr;
}

bool TComponent::events_allowed() const {
    for (const TComponent* c = this; c; c = c->owner_)
        if (c->state_ & (csLoading | csDestroying)) return false;
    return true;
}

void TComponent::FreeNotification(TComponent* c) {
    if (!c || c == this) return;
    if (std::find(free_notifies_.begin(), free_notifies_.end(), c) != free_notifies_.end()) return;
    free_notifies_.push_back(c);
    c->free_notifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* c) {
    if (!c) return;
    free_notifies_.erase(std::remove(free_notifies_.begin(), free_notifies_.end(), c), free_notifies_.end());
    auto& theirs = c->free_notifies_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Notification(TComponent* c, TOperation op) {
    if (op != TOperation::opRemove) return;
    for (component_link* l : links_)
        if (l->target_ == c) {
            l->target_ = nullptr;
            l->object_ = nullptr;
        }
}

bool TComponent::links_to(const TComponent* c) const {
    return std::any_of(links_.begin(), links_.end(), [c](const component_link* l) { return l->target_ == c; });
}

int TComponent::observe(Observer observer) {
    const int id = next_observer_++;
    observers_.push_back({id, std::move(observer)});
    return id;
}

void TComponent::unobserve(int id) {
    if (id == 0) return;
    if (notifying_ > 0) {
        // The function may be running: it goes when the notification is over.
        for (Slot& s : observers_)
            if (s.id == id) s.id = 0;
        return;
    }
    observers_.erase(std::remove_if(observers_.begin(), observers_.end(), [id](const Slot& s) { return s.id == id; }),
                     observers_.end());
}

void TComponent::changed(Prop p) {
    if (state_ & csDestroying) return;
    if (held_level_ > 0) {
        held_ |= 1u << static_cast<unsigned>(p);
        return;
    }
    notify(p);
}

void TComponent::release_changes() {
    if (held_level_ == 0 || --held_level_ > 0) return;
    const unsigned held = std::exchange(held_, 0u);
    for (unsigned i = 0; i <= static_cast<unsigned>(Prop::Destroyed); ++i)
        if (held & (1u << i)) changed(static_cast<Prop>(i));
}

void TComponent::notify(Prop p) {
    if (observers_.empty()) return;
    struct Running {
        TComponent* c;
        explicit Running(TComponent* component) : c(component) { ++c->notifying_; }
        ~Running() {
            if (--c->notifying_ == 0)
                c->observers_.erase(std::remove_if(c->observers_.begin(), c->observers_.end(),
                                                   [](const Slot& s) { return s.id == 0; }),
                                    c->observers_.end());
        }
    } running(this);
    // Observers added meanwhile hear from the next notification on.
    const std::size_t n = observers_.size();
    for (std::size_t i = 0; i < n; ++i) {
        Slot& s = observers_[i];
        if (s.id != 0) s.fn(this, p);
    }
}
