#include "platform/menus.h"

#include <algorithm>

#include "platform/forms.h"
#include "platform/services.h"
#include "platform/sysutils.h"

TAction::TAction(TComponent* owner) : TComponent(owner) {}

TAction::~TAction() {
    for (TControl* c : clients_) c->action_ = nullptr;
    for (TMenuItem* m : menu_clients_) m->SetAction(nullptr);
    SetActionList(nullptr);
}

void TAction::SetActionList(TActionList* list) {
    if (list == list_) return;
    if (list_) {
        auto& v = list_->actions_;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
    list_ = list;
    if (list_) list_->actions_.push_back(this);
}

void TAction::notify_clients() {
    changed(Prop::Style);
    const auto clients = clients_;
    for (TControl* c : clients) c->action_changed();
    const auto menus = menu_clients_;
    for (TMenuItem* m : menus) m->action_changed();
}

void TAction::SetCaption(std::string_view c) {
    if (c == caption_) return;
    caption_ = std::string(c);
    notify_clients();
}

void TAction::SetImageName(std::string_view name) {
    if (name == image_name_) return;
    image_name_ = std::string(name);
    changed(Prop::Style);
    const auto clients = clients_;
    for (TControl* c : clients) c->action_image_changed();
    const auto menus = menu_clients_;
    for (TMenuItem* m : menus)
        if (!image_name_.empty()) m->SetImageName(image_name_);
}

void TAction::SetHint(std::string_view h) {
    if (h == hint_) return;
    hint_ = std::string(h);
    notify_clients();
}

void TAction::SetChecked(bool c) {
    if (c == checked_) return;
    checked_ = c;
    if (c && GroupIndex > 0 && list_)
        for (TAction* a : list_->actions_)
            if (a != this && a->GroupIndex == GroupIndex && a->checked_) {
                a->checked_ = false;
                a->notify_clients();
            }
    notify_clients();
}

void TAction::SetEnabled(bool e) {
    if (e == enabled_) return;
    enabled_ = e;
    notify_clients();
}

void TAction::SetVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    notify_clients();
}

void TAction::SetShortCut(TShortCut sc) {
    if (sc == shortcut_) return;
    shortcut_ = sc;
    notify_clients();
}

void TAction::Update() { fire(this, OnUpdate, this); }

bool TAction::Execute() {
    Update();
    if (!enabled_) return false;
    if (AutoCheck) SetChecked(!checked_);
    return fire(this, OnExecute, this);
}

void TAction::add_client(TControl* c) { clients_.push_back(c); }
void TAction::remove_client(TControl* c) { clients_.erase(std::remove(clients_.begin(), clients_.end(), c), clients_.end()); }
void TAction::add_menu_client(TMenuItem* m) { menu_clients_.push_back(m); }
void TAction::remove_menu_client(TMenuItem* m) {
    menu_clients_.erase(std::remove(menu_clients_.begin(), menu_clients_.end(), m), menu_clients_.end());
}

TActionList::~TActionList() {
    for (TAction* a : actions_) a->list_ = nullptr;
}

bool TActionList::IsShortCut(TShortCut sc) {
    if (sc == 0) return false;
    for (TAction* a : std::vector<TAction*>(actions_)) {
        const bool match = a->ShortCut() == sc ||
                           std::find(a->SecondaryShortCuts.begin(), a->SecondaryShortCuts.end(), sc) != a->SecondaryShortCuts.end();
        if (match) return a->Execute();
    }
    return false;
}

void TActionList::UpdateActions() {
    for (TAction* a : std::vector<TAction*>(actions_)) a->Update();
}

// ---------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
    while (!items_.empty()) {
        TMenuItem* c = items_.back();
        items_.pop_back();
        c->parent_ = nullptr;
        delete c;
    }
    if (action_) action_->remove_menu_client(this);
    if (parent_) parent_->Remove(this);
}

void TMenuItem::structure_changed() {
    if (TMenu* m = menu()) m->changed(Prop::Items);
    changed(Prop::Items);
}

void TMenuItem::SetCaption(std::string_view c) {
    if (c == caption_) return;
    caption_ = std::string(c);
    structure_changed();
}

void TMenuItem::SetHint(std::string_view h) { hint_ = std::string(h); }

void TMenuItem::SetChecked(bool c) {
    if (c == checked_) return;
    checked_ = c;
    if (c && RadioItem && parent_)
        for (TMenuItem* s : parent_->items_)
            if (s != this && s->RadioItem && s->GroupIndex == GroupIndex && s->checked_) {
                s->checked_ = false;
                s->changed(Prop::Checked);
            }
    changed(Prop::Checked);
    if (TMenu* m = menu()) m->changed(Prop::Checked);
}

void TMenuItem::SetEnabled(bool e) {
    if (e == enabled_) return;
    enabled_ = e;
    structure_changed();
}

void TMenuItem::SetVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    structure_changed();
}

void TMenuItem::SetShortCut(TShortCut sc) {
    if (sc == shortcut_) return;
    shortcut_ = sc;
    structure_changed();
}

void TMenuItem::SetAction(TAction* a) {
    if (a == action_) return;
    if (action_) action_->remove_menu_client(this);
    action_ = a;
    if (action_) {
        action_->add_menu_client(this);
        action_changed();
    }
}

void TMenuItem::action_changed() {
    if (!action_) return;
    caption_ = action_->Caption();
    hint_ = action_->Hint();
    checked_ = action_->Checked();
    enabled_ = action_->Enabled();
    visible_ = action_->Visible();
    shortcut_ = action_->ShortCut();
    ImageIndex = action_->ImageIndex;
    if (!action_->ImageName().empty()) image_name_ = action_->ImageName();
    structure_changed();
}

void TMenuItem::SetImageName(std::string_view name) {
    if (name == image_name_) return;
    image_name_ = std::string(name);
    structure_changed();
}

int TMenuItem::MenuIndex() const {
    if (!parent_) return -1;
    const auto& v = parent_->items_;
    return static_cast<int>(std::find(v.begin(), v.end(), this) - v.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (item->parent_) throw Exception("Menu inserted twice");
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    structure_changed();
}

void TMenuItem::Remove(TMenuItem* item) {
    const auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    items_.erase(it);
    item->parent_ = nullptr;
    structure_changed();
}

void TMenuItem::Delete(int index) {
    if (index < 0 || index >= Count()) throw Exception(Format("List index out of bounds (%d)", {index}));
    delete items_[static_cast<std::size_t>(index)];
}

void TMenuItem::Clear() {
    while (!items_.empty()) delete items_.back();
}

TMenuItem* TMenuItem::Find(std::string_view caption) const {
    for (TMenuItem* m : items_)
        if (AnsiSameText(StringReplace(m->caption_, "&", "", rfReplaceAll), StringReplace(caption, "&", "", rfReplaceAll)))
            return m;
    return nullptr;
}

void TMenuItem::Click() {
    if (!enabled_) return;
    if (AutoCheck && !action_) SetChecked(!checked_);
    if (OnClick) fire(this, OnClick, this);
    else if (action_ && events_allowed()) action_->Execute();
}

TMenu* TMenuItem::menu() const {
    const TMenuItem* m = this;
    while (m->parent_) m = m->parent_;
    return m->menu_;
}

// ---------------------------------------------------------------------------

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(nullptr)) { items_->set_menu(this); }

TMenu::~TMenu() { delete items_; }

namespace {
bool find_shortcut(TMenuItem* parent, TShortCut sc) {
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* m = parent->Items(i);
        if (m->Action()) m->Action()->Update();
        if (!m->Visible() || !m->Enabled()) continue;
        if (m->ShortCut() == sc && m->Count() == 0) {
            m->Click();
            return true;
        }
        if (find_shortcut(m, sc)) return true;
    }
    return false;
}

void update_actions(TMenuItem* parent) {
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* m = parent->Items(i);
        if (m->Action()) m->Action()->Update();
        update_actions(m);
    }
}
}  // namespace

bool TMenu::IsShortCut(TShortCut sc) { return sc != 0 && find_shortcut(items_, sc); }

void TPopupMenu::Popup(int x, int y) {
    fire(this, OnPopup, this);
    update_actions(Items());
    services().popup_menu(*this, x, y);
}
