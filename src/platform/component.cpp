#include "platform/component.h"

#include <algorithm>

#include "platform/sysutils.h"

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_) owner_->components_.push_back(this);
}

TComponent::~TComponent() {
    // Owned components go first, newest first.
    while (!components_.empty()) {
        TComponent* c = components_.back();
        components_.pop_back();
        c->owner_ = nullptr;
        delete c;
    }
    changed(Prop::Destroyed);
    if (owner_) owner_->remove_component(this);
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

int TComponent::observe(Observer observer) {
    const int id = next_observer_++;
    observers_.push_back({id, std::move(observer)});
    return id;
}

void TComponent::unobserve(int id) {
    observers_.erase(std::remove_if(observers_.begin(), observers_.end(), [id](const Slot& s) { return s.id == id; }),
                     observers_.end());
}

void TComponent::changed(Prop p) {
    if (observers_.empty()) return;
    // An observer may unsubscribe while it runs: call a copy.
    const auto copy = observers_;
    for (const auto& s : copy) s.fn(this, p);
}
