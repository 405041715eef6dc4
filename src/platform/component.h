// TObject and TComponent: ownership, names and change observation.
//
// A component is created with its owner, which keeps it in creation order
// and destroys it (in reverse order) when the owner goes. Every property
// setter of a control notifies the component's observers with the property
// that changed; the Qt front end subscribes, the core never knows who listens.
#pragma once

#include <functional>
#include <string>
#include <string_view>
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
    Destroyed,   // sent once from the destructor
};

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

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

    using Observer = std::function<void(TComponent*, Prop)>;
    int observe(Observer observer);
    void unobserve(int id);

    // Tells the observers that `p` changed.
    void changed(Prop p);

private:
    std::string name_;
    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    struct Slot {
        int id;
        Observer fn;
    };
    std::vector<Slot> observers_;
    int next_observer_ = 1;
    void remove_component(TComponent* c);
};

// A cast that checks the kind of a Sender: `if (auto* cb = as<TCheckBox>(Sender))`.
template <class T>
T* as(TObject* o) {
    return dynamic_cast<T*>(o);
}
