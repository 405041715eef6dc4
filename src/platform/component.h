// TObject and TComponent: ownership, names, change observation, the
// component's state and the links between components.
//
// A component is created with its owner, which keeps it in creation order
// and destroys it (in reverse order) when the owner goes. Every property
// setter of a control notifies the component's observers with the property
// that changed; the Qt front end subscribes, the core never knows who listens.
//
// `delete` on a component first marks it (and so everything it owns) as
// being destroyed, destroys what it owns, lets go of the links other
// components hold to it and tells its observers `Destroyed`, all while the
// object is still whole; only then do the destructors run. No event of a
// component runs while it or one of its owners is being built (a window's
// constructor) or destroyed.
#pragma once

#include <deque>
#include <functional>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TObject {
public:
    virtual ~TObject() = default;
};

// What changed, for observers.
enum class Prop {
    Caption,     // Caption or Text
    Checked,
    ItemIndex,
    Items,       // item list, menu items, tree nodes, tabs, panels, pages
    Bounds,      // Left, Top, Width, Height, Align
    Visible,
    Enabled,
    Hint,
    Color,
    Font,
    Value,       // spin edit value, track or progress position, grid cells and sizes
    Down,        // speed and tool button state
    Selection,   // list, grid, tree or tab selection, edit selection, scroll position
    Focus,
    ActivePage,
    Repaint,     // a custom-painted control asks to be painted again
    Style,       // any other property that changes the look (read-only, border...)
    Destroyed,   // sent once, before the destructors run
};

// The component's state, as the old toolkit kept it.
enum TComponentStateFlag : unsigned {
    csLoading = 1u << 0,     // its window is being built
    csDestroying = 1u << 1,  // it is being destroyed
};

enum class TOperation { opInsert, opRemove };

class TComponent;

// The common part of component_ref: a pointer held by one component (the
// holder) to another, emptied when the other is destroyed.
class component_link {
public:
    explicit component_link(TComponent* holder);
    ~component_link();
    component_link(const component_link&) = delete;
    component_link& operator=(const component_link&) = delete;
    TComponent* target() const { return target_; }

protected:
    void link(TComponent* target, void* object);
    void* object_ = nullptr;  // the target as the holder's type of it

private:
    friend class TComponent;
    TComponent* holder_;
    TComponent* target_ = nullptr;
};

// A member pointer to another component that becomes nullptr when that
// component is destroyed: `component_ref<TPopupMenu> PopupMenu{this};` reads
// and assigns like a plain pointer.
template <class T>
class component_ref : public component_link {
public:
    explicit component_ref(TComponent* holder) : component_link(holder) {}
    component_ref& operator=(T* target) {
        link(target, target);
        return *this;
    }
    component_ref& operator=(std::nullptr_t) {
        link(nullptr, nullptr);
        return *this;
    }
    T* get() const { return static_cast<T*>(object_); }
    operator T*() const { return get(); }
    T* operator->() const { return get(); }
};

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    // `delete` of a component: BeforeDestruction, then the destructors.
    void operator delete(TComponent* c, std::destroying_delete_t);

    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    TComponent* Owner() const { return owner_; }

    int Tag = 0;

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int i) const { return components_.at(static_cast<std::size_t>(i)); }
    // The owned component of that name (ASCII case ignored), nullptr when none.
    TComponent* FindComponent(std::string_view name) const;
    // The class name as the old toolkit reported it ("TCheckBox").
    virtual const char* ClassName() const { return "TComponent"; }

    unsigned ComponentState() const { return state_; }
    // Whether the component's events run: not while it or one of its owners
    // is being built or destroyed.
    bool events_allowed() const;

    // Destroys the component once the event that runs now is over (through
    // the application's posted calls): a handler may release its own
    // control, or the menu item it was chosen from.
    void Release();

    // `c` is told (Notification with opRemove) when this component is
    // destroyed, and this one when `c` is; until RemoveFreeNotification.
    void FreeNotification(TComponent* c);
    void RemoveFreeNotification(TComponent* c);

    using Observer = std::function<void(TComponent*, Prop)>;
    int observe(Observer observer);
    // An observer removed while a notification runs is not called again,
    // not even later in that notification.
    void unobserve(int id);

    // Tells the observers that `p` changed (held while changes are held;
    // nothing once the component is being destroyed).
    void changed(Prop p);

protected:
    // Another component linked to this one goes (opRemove): the links of
    // this component to it are emptied here. Overrides call this one too.
    virtual void Notification(TComponent* c, TOperation op);
    // Destruction begins (the component and what it owns are marked, what it
    // owns is gone), the object still whole: a control leaves its parent
    // here. Overrides call this one too.
    virtual void Destroying() {}
    // Marks the component as being built; Loaded ends it.
    void begin_loading() { state_ |= csLoading; }
    virtual void Loaded() { state_ &= ~csLoading; }
    // Holds the observers' notifications until the matching release, which
    // sends each property that changed meanwhile once, in the order of Prop.
    void hold_changes() { ++held_level_; }
    void release_changes();

private:
    friend class component_link;
    std::string name_;
    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    unsigned state_ = 0;
    std::vector<TComponent*> free_notifies_;
    std::vector<component_link*> links_;  // this component's own component_ref members
    struct Slot {
        int id;  // 0 once removed
        Observer fn;
    };
    std::deque<Slot> observers_;  // a deque: a slot stays put while observers are added
    int next_observer_ = 1;
    int notifying_ = 0;
    int held_level_ = 0;
    unsigned held_ = 0;  // bits of Prop
    void remove_component(TComponent* c);
    // Destruction while the object is still whole; runs once.
    void BeforeDestruction();
    void notify(Prop p);
    bool links_to(const TComponent* c) const;
};

// Runs an event handler of component `c` through a copy of it, so that a
// handler that clears or replaces itself while it runs (or destroys its
// control) does not free the function that is running. Nothing runs while
// no handler is set, or while `c` or an owner of it is being built or
// destroyed. True when a handler ran.
template <class... P, class... A>
bool fire(const TComponent* c, const std::function<void(P...)>& event, A&&... args) {
    if (!event || (c && !c->events_allowed())) return false;
    const std::function<void(P...)> handler = event;
    handler(std::forward<A>(args)...);
    return true;
}

// A cast that checks the kind of a Sender: `if (auto* cb = as<TCheckBox>(Sender))`.
template <class T>
T* as(TObject* o) {
    return dynamic_cast<T*>(o);
}
