// Menus and actions.
//
// An action carries caption, hint, checked, enabled, visible state and a
// shortcut; the menu items, buttons and tool buttons linked to it follow
// its state and execute it when clicked. Shortcuts are dispatched before the
// focused control sees the key: the popup menus of the focused control and
// its parents, then the form's main menu, then the form's action lists in
// creation order, each in the order of its actions.
#pragma once

#include <string>
#include <vector>

#include "platform/controls.h"

class TImageList;
class TActionList;

class TAction : public TComponent {
public:
    explicit TAction(TComponent* owner);
    ~TAction() override;
    const char* ClassName() const override { return "TAction"; }

    TActionList* ActionList() const { return list_; }
    void SetActionList(TActionList* list);

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string_view c);
    const std::string& Hint() const { return hint_; }
    void SetHint(std::string_view h);
    bool Checked() const { return checked_; }
    // Checking an action of a group (GroupIndex > 0) unchecks the others of
    // its list's group.
    void SetChecked(bool c);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool e);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    TShortCut ShortCut() const { return shortcut_; }
    void SetShortCut(TShortCut sc);
    std::vector<TShortCut> SecondaryShortCuts;
    int ImageIndex = -1;
    // The name of the command's picture: an icon of the desktop's theme by
    // its standard name, else one of the program's own; "" for none. The
    // front end finds the picture; a client without one shows its caption.
    const std::string& ImageName() const { return image_name_; }
    void SetImageName(std::string_view name);
    int GroupIndex = 0;
    bool AutoCheck = false;
    std::string Category;

    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;

    // Runs OnUpdate, then, when enabled, toggles AutoCheck and runs
    // OnExecute; true when it executed.
    bool Execute();
    // Runs OnUpdate (the old toolkit did so when idle; here before showing a
    // menu and before executing).
    void Update();

    void add_client(TControl* c);
    void remove_client(TControl* c);
    void add_menu_client(class TMenuItem* m);
    void remove_menu_client(class TMenuItem* m);

private:
    friend class TActionList;
    TActionList* list_ = nullptr;
    std::string caption_, hint_, image_name_;
    bool checked_ = false, enabled_ = true, visible_ = true;
    TShortCut shortcut_ = 0;
    std::vector<TControl*> clients_;
    std::vector<class TMenuItem*> menu_clients_;
    void notify_clients();
};

class TActionList : public TComponent {
public:
    explicit TActionList(TComponent* owner) : TComponent(owner) {}
    ~TActionList() override;
    const char* ClassName() const override { return "TActionList"; }
    int ActionCount() const { return static_cast<int>(actions_.size()); }
    TAction* Actions(int i) const { return actions_.at(static_cast<std::size_t>(i)); }
    component_ref<TImageList> Images{this};
    // Executes the first action (in list order) with this shortcut; true when one did.
    bool IsShortCut(TShortCut sc);
    // Runs OnUpdate of every action.
    void UpdateActions();

private:
    friend class TAction;
    std::vector<TAction*> actions_;
};

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;
    const char* ClassName() const override { return "TMenuItem"; }

    // "-" is a separator; "&" marks the accelerator.
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string_view c);
    const std::string& Hint() const { return hint_; }
    void SetHint(std::string_view h);
    bool Checked() const { return checked_; }
    // A radio item of a group unchecks the others of its group.
    void SetChecked(bool c);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool e);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    TShortCut ShortCut() const { return shortcut_; }
    void SetShortCut(TShortCut sc);
    bool RadioItem = false;
    int GroupIndex = 0;
    bool AutoCheck = false;
    bool Default = false;
    int ImageIndex = -1;
    // The name of its picture (see TAction::ImageName); its action's, when
    // the action names one.
    const std::string& ImageName() const { return image_name_; }
    void SetImageName(std::string_view name);
    TAction* Action() const { return action_; }
    void SetAction(TAction* a);
    void action_changed();
    bool IsLine() const { return caption_ == "-"; }

    TMenuItem* Parent() const { return parent_; }
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int i) const { return items_.at(static_cast<std::size_t>(i)); }
    int MenuIndex() const;
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Takes the item out without destroying it.
    void Remove(TMenuItem* item);
    // Destroys item i.
    void Delete(int index);
    // Destroys every sub-item.
    void Clear();
    TMenuItem* Find(std::string_view caption) const;  // caption without "&", Windows-1250 case ignored

    TNotifyEvent OnClick;
    // OnClick, or the linked action; AutoCheck toggles first.
    void Click();

    // The menu this item belongs to (through its parents).
    class TMenu* menu() const;
    void set_menu(class TMenu* m) { menu_ = m; }

private:
    std::string caption_, hint_, image_name_;
    bool checked_ = false, enabled_ = true, visible_ = true;
    TShortCut shortcut_ = 0;
    TAction* action_ = nullptr;
    TMenuItem* parent_ = nullptr;
    class TMenu* menu_ = nullptr;
    std::vector<TMenuItem*> items_;
    void structure_changed();
};

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;
    const char* ClassName() const override { return "TMenu"; }
    TMenuItem* Items() const { return items_; }
    component_ref<TImageList> Images{this};
    // Clicks the first visible, enabled item (depth first) with this shortcut.
    bool IsShortCut(TShortCut sc);

private:
    TMenuItem* items_;
};

class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* owner) : TMenu(owner) {}
    const char* ClassName() const override { return "TMainMenu"; }
};

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* owner) : TMenu(owner) {}
    const char* ClassName() const override { return "TPopupMenu"; }
    TNotifyEvent OnPopup;
    // The control whose menu this is, while it shows.
    component_ref<TComponent> PopupComponent{this};
    bool AutoPopup = true;
    // Runs OnPopup and the linked actions' updates, then shows the menu.
    void Popup(int x, int y);
};
