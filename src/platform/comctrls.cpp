#include "platform/comctrls.h"

#include <algorithm>

#include "platform/forms.h"
#include "platform/menus.h"
#include "platform/services.h"
#include "platform/sysutils.h"

// ---------------------------------------------------------------------------

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
    TabStop = true;
    SetBounds(0, 0, 150, 45);
}

void TTrackBar::SetPosition(int p) {
    p = std::clamp(p, min_, std::max(min_, max_));
    if (p == position_) return;
    position_ = p;
    changed(Prop::Value);
    ::fire(this, OnChange, this);
}

void TTrackBar::SetMin(int v) { SetRange(v, std::max(v, max_)); }
void TTrackBar::SetMax(int v) { SetRange(std::min(min_, v), v); }

void TTrackBar::SetRange(int min, int max) {
    min_ = min;
    max_ = std::max(min, max);
    changed(Prop::Value);
    SetPosition(position_);
}

void TTrackBar::KeyDownDefault(Word& key, TShiftState) {
    switch (key) {
        case VK_LEFT: case VK_UP: SetPosition(position_ - 1); break;
        case VK_RIGHT: case VK_DOWN: SetPosition(position_ + 1); break;
        case VK_PRIOR: SetPosition(position_ - PageSize); break;
        case VK_NEXT: SetPosition(position_ + PageSize); break;
        case VK_HOME: SetPosition(min_); break;
        case VK_END: SetPosition(max_); break;
        default: break;
    }
}

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 150, 16); }

void TProgressBar::SetPosition(int p) {
    p = std::clamp(p, Min, std::max(Min, Max));
    if (p == position_) return;
    position_ = p;
    changed(Prop::Value);
}

// ---------------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {}

TTabSheet::~TTabSheet() { SetPageControl(nullptr); }

void TTabSheet::Destroying() {
    SetPageControl(nullptr);
    TWinControl::Destroying();
}

void TTabSheet::SetPageControl(TPageControl* pc) {
    if (pc == page_control_) return;
    if (page_control_) {
        auto& v = page_control_->pages_;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
        if (page_control_->active_ == this) page_control_->active_ = v.empty() ? nullptr : v.front();
        page_control_->changed(Prop::Items);
    }
    page_control_ = pc;
    SetParent(pc);
    if (pc) {
        pc->pages_.push_back(this);
        if (!pc->active_ && tab_visible_) pc->active_ = this;
        pc->changed(Prop::Items);
    }
}

int TTabSheet::PageIndex() const {
    if (!page_control_) return -1;
    const auto& v = page_control_->pages_;
    return static_cast<int>(std::find(v.begin(), v.end(), this) - v.begin());
}

void TTabSheet::SetTabVisible(bool v) {
    if (v == tab_visible_) return;
    tab_visible_ = v;
    changed(Prop::Visible);
    if (page_control_) page_control_->changed(Prop::Items);
}

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
    TabStop = true;
    SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() {
    for (TTabSheet* p : pages_) p->page_control_ = nullptr;
    pages_.clear();
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->page_control_ != this) return;
    if (page == active_) return;
    TTabSheet* old = active_;
    active_ = page;
    changed(Prop::ActivePage);
    if (old) ::fire(old, old->OnHide, old);
    if (page) ::fire(page, page->OnShow, page);
}

int TPageControl::ActivePageIndex() const { return active_ ? active_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int i) {
    SetActivePage(i >= 0 && i < PageCount() ? pages_[static_cast<std::size_t>(i)] : nullptr);
}

void TPageControl::user_select(int page_index) {
    if (page_index < 0 || page_index >= PageCount() || pages_[static_cast<std::size_t>(page_index)] == active_) return;
    bool allow = true;
    ::fire(this, OnChanging, this, allow);
    if (!allow) return;
    SetActivePageIndex(page_index);
    ::fire(this, OnChange, this);
}

void TPageControl::SelectNextPage(bool forward) {
    const int n = PageCount();
    if (n == 0) return;
    int i = ActivePageIndex();
    for (int k = 0; k < n; ++k) {
        i = (i + (forward ? 1 : -1) + n) % n;
        if (pages_[static_cast<std::size_t>(i)]->TabVisible()) {
            user_select(i);
            return;
        }
    }
}

// ---------------------------------------------------------------------------

void TTreeNode::SetText(std::string_view t) {
    text_ = std::string(t);
    if (tree_) tree_->nodes_changed();
}

int TTreeNode::Index() const {
    const auto& sibs = parent_ ? parent_->children_ : tree_->Items().roots();
    for (std::size_t i = 0; i < sibs.size(); ++i)
        if (sibs[i].get() == this) return static_cast<int>(i);
    return -1;
}

int TTreeNode::AbsoluteIndex() const {
    int i = 0;
    for (TTreeNode* n = tree_->Items().GetFirstNode(); n; n = n->GetNext(), ++i)
        if (n == this) return i;
    return -1;
}

int TTreeNode::Level() const {
    int l = 0;
    for (TTreeNode* p = parent_; p; p = p->parent_) ++l;
    return l;
}

void TTreeNode::SetExpanded(bool e) {
    if (e == expanded_) return;
    bool allow = true;
    if (tree_) {
        ::fire(tree_, e ? tree_->OnExpanding : tree_->OnCollapsing, tree_, this, allow);
    }
    if (!allow) return;
    expanded_ = e;
    if (tree_) tree_->nodes_changed();
}

void TTreeNode::Expand(bool recursive) {
    SetExpanded(true);
    if (recursive)
        for (auto& c : children_) c->Expand(true);
}

void TTreeNode::Collapse(bool recursive) {
    SetExpanded(false);
    if (recursive)
        for (auto& c : children_) c->Collapse(true);
}

bool TTreeNode::Selected() const { return tree_ && tree_->Selected() == this; }

TTreeNode* TTreeNode::getNextSibling() const {
    const auto& sibs = parent_ ? parent_->children_ : tree_->Items().roots();
    const int i = Index();
    return i >= 0 && i + 1 < static_cast<int>(sibs.size()) ? sibs[static_cast<std::size_t>(i + 1)].get() : nullptr;
}

TTreeNode* TTreeNode::getPrevSibling() const {
    const auto& sibs = parent_ ? parent_->children_ : tree_->Items().roots();
    const int i = Index();
    return i > 0 ? sibs[static_cast<std::size_t>(i - 1)].get() : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
    if (!children_.empty()) return children_.front().get();
    for (const TTreeNode* n = this; n; n = n->parent_)
        if (TTreeNode* s = n->getNextSibling()) return s;
    return nullptr;
}

void TTreeNode::DeleteChildren() {
    while (!children_.empty()) children_.back()->Delete();
}

void TTreeNode::Delete() {
    DeleteChildren();
    TTreeView* tree = tree_;
    if (tree) tree->node_removed(this);
    auto& sibs = parent_ ? parent_->children_ : tree->Items().roots_;
    for (auto it = sibs.begin(); it != sibs.end(); ++it)
        if (it->get() == this) {
            sibs.erase(it);  // destroys this node
            break;
        }
    if (tree) tree->nodes_changed();
}

TTreeNode* TTreeNodes::add_at(TTreeNode* parent, std::size_t pos, std::string_view text, intptr_t data) {
    auto node = std::make_unique<TTreeNode>();
    node->tree_ = tree_;
    node->parent_ = parent;
    node->text_ = std::string(text);
    node->Data = data;
    TTreeNode* raw = node.get();
    auto& sibs = parent ? parent->children_ : roots_;
    sibs.insert(sibs.begin() + static_cast<std::ptrdiff_t>(std::min(pos, sibs.size())), std::move(node));
    if (updating_ == 0) tree_->nodes_changed();
    return raw;
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, std::string_view text) { return AddObject(sibling, text, 0); }

TTreeNode* TTreeNodes::AddObject(TTreeNode* sibling, std::string_view text, intptr_t data) {
    TTreeNode* parent = sibling ? sibling->Parent() : nullptr;
    return add_at(parent, static_cast<std::size_t>(-1), text, data);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, std::string_view text) { return AddChildObject(parent, text, 0); }

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* parent, std::string_view text, intptr_t data) {
    return add_at(parent, static_cast<std::size_t>(-1), text, data);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* before, std::string_view text) {
    if (!before) return Add(nullptr, text);
    return add_at(before->Parent(), static_cast<std::size_t>(before->Index()), text, 0);
}

void TTreeNodes::Clear() {
    while (!roots_.empty()) roots_.back()->Delete();
}

int TTreeNodes::Count() const {
    int n = 0;
    for (TTreeNode* p = GetFirstNode(); p; p = p->GetNext()) ++n;
    return n;
}

TTreeNode* TTreeNodes::Item(int absolute_index) const {
    int i = 0;
    for (TTreeNode* p = GetFirstNode(); p; p = p->GetNext(), ++i)
        if (i == absolute_index) return p;
    throw Exception(Format("List index out of bounds (%d)", {absolute_index}));
}

TTreeNode* TTreeNodes::GetFirstNode() const { return roots_.empty() ? nullptr : roots_.front().get(); }

void TTreeNodes::EndUpdate() {
    if (--updating_ == 0) tree_->nodes_changed();
}

TTreeView::TTreeView(TComponent* owner) : TWinControl(owner), items_(this) {
    TabStop = true;
    SetBounds(0, 0, 121, 97);
    color_ = clWindow;
}

TTreeView::~TTreeView() {
    OnChange = nullptr;
    OnChanging = nullptr;
    OnCollapsing = nullptr;
    items_.Clear();
}

void TTreeView::SetSelected(TTreeNode* node) {
    if (node == selected_) return;
    bool allow = true;
    if (node) ::fire(this, OnChanging, this, node, allow);
    if (!allow) return;
    selected_ = node;
    changed(Prop::Selection);
    ::fire(this, OnChange, this, node);
}

TTreeNode* TTreeView::GetNodeAt(int, int y) const {
    // Rows of 16 pixels over the expanded nodes in display order.
    int row = y / 16;
    for (TTreeNode* n = items_.GetFirstNode(); n;) {
        if (row-- == 0) return n;
        if (n->Expanded() && n->HasChildren()) {
            n = n->getFirstChild();
            continue;
        }
        TTreeNode* next = nullptr;
        for (TTreeNode* p = n; p && !next; p = p->Parent()) next = p->getNextSibling();
        n = next;
    }
    return nullptr;
}

void TTreeView::FullExpand() {
    for (TTreeNode* n = items_.GetFirstNode(); n; n = n->GetNext()) n->SetExpanded(true);
}

void TTreeView::FullCollapse() {
    for (TTreeNode* n = items_.GetFirstNode(); n; n = n->GetNext()) n->SetExpanded(false);
}

void TTreeView::nodes_changed() { changed(Prop::Items); }

void TTreeView::node_removed(TTreeNode* node) {
    if (!selected_) return;
    for (TTreeNode* p = selected_; p; p = p->Parent())
        if (p == node) {
            selected_ = nullptr;
            changed(Prop::Selection);
            return;
        }
}

void TTreeView::KeyDownDefault(Word& key, TShiftState) {
    // Up and down over the nodes shown (expanded parents only).
    std::vector<TTreeNode*> shown;
    for (TTreeNode* n = items_.GetFirstNode(); n;) {
        shown.push_back(n);
        if (n->Expanded() && n->HasChildren()) {
            n = n->getFirstChild();
            continue;
        }
        TTreeNode* next = nullptr;
        for (TTreeNode* p = n; p && !next; p = p->Parent()) next = p->getNextSibling();
        n = next;
    }
    if (shown.empty()) return;
    const auto it = std::find(shown.begin(), shown.end(), selected_);
    const int i = it == shown.end() ? -1 : static_cast<int>(it - shown.begin());
    switch (key) {
        case VK_UP: if (i > 0) SetSelected(shown[static_cast<std::size_t>(i - 1)]); break;
        case VK_DOWN: if (i + 1 < static_cast<int>(shown.size())) SetSelected(shown[static_cast<std::size_t>(i + 1)]); break;
        case VK_RIGHT: if (selected_) selected_->SetExpanded(true); break;
        case VK_LEFT: if (selected_) selected_->SetExpanded(false); break;
        default: break;
    }
}

// ---------------------------------------------------------------------------

void TStatusPanel::SetText(std::string_view t) {
    if (t == text_) return;
    text_ = std::string(t);
    if (bar_) bar_->changed(Prop::Caption);
}

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 200, 19);
    SetAlign(TAlign::alBottom);
}

TStatusPanel* TStatusBar::AddPanel() {
    panels_.push_back(std::make_unique<TStatusPanel>());
    panels_.back()->bar_ = this;
    changed(Prop::Items);
    return panels_.back().get();
}

void TStatusBar::ClearPanels() {
    panels_.clear();
    changed(Prop::Items);
}

void TStatusBar::SetSimplePanel(bool s) {
    if (s == simple_panel_) return;
    simple_panel_ = s;
    changed(Prop::Items);
}

void TStatusBar::SetSimpleText(std::string_view t) {
    simple_text_ = std::string(t);
    changed(Prop::Caption);
}

TRect TStatusBar::PanelRect(int i) const {
    int x = 0;
    for (int k = 0; k < i; ++k) x += panels_[static_cast<std::size_t>(k)]->Width;
    const bool last = i == PanelCount() - 1;
    return {x, 0, last ? std::max(width_, x + panels_[static_cast<std::size_t>(i)]->Width) : x + panels_[static_cast<std::size_t>(i)]->Width, height_};
}

void TStatusBar::PaintTo(TCanvas& canvas) {
    canvas_ = &canvas;
    try {
        for (int i = 0; i < PanelCount(); ++i)
            if (panels_[static_cast<std::size_t>(i)]->Style == TStatusPanelStyle::psOwnerDraw)
                ::fire(this, OnDrawPanel, this, panels_[static_cast<std::size_t>(i)].get(), PanelRect(i));
    } catch (...) {
        canvas_ = nullptr;
        throw;
    }
    canvas_ = nullptr;
}

// ---------------------------------------------------------------------------

int TImageList::Add(std::string name) {
    names_.push_back(std::move(name));
    changed(Prop::Items);
    return Count() - 1;
}

void TImageList::Clear() {
    names_.clear();
    changed(Prop::Items);
}

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 23, 22); }

void TToolButton::SetDown(bool d) {
    if (d == down_) return;
    down_ = d;
    if (d && Grouped && parent_)
        for (TControl* c : parent_->children())
            if (auto* b = dynamic_cast<TToolButton*>(c); b && b != this && b->Grouped && b->down_ &&
                                                         b->Style == TToolButtonStyle::tbsCheck) {
                b->down_ = false;
                b->changed(Prop::Down);
            }
    changed(Prop::Down);
}

void TToolButton::Click() {
    if (Style == TToolButtonStyle::tbsCheck && !(action_ && action_->AutoCheck)) {
        if (Grouped && down_ && !AllowAllUp) {
            // A grouped button stays down when clicked again.
        } else {
            SetDown(!down_);
        }
    }
    TControl::Click();
}

void TToolButton::action_changed() {
    TControl::action_changed();
    if (action_ && !action_->ImageName().empty()) SetImageName(action_->ImageName());
    if (action_ && Style == TToolButtonStyle::tbsCheck) SetDown(action_->Checked());
}

void TToolButton::action_image_changed() {
    if (action_ && !action_->ImageName().empty()) SetImageName(action_->ImageName());
}

void TToolButton::SetImageName(std::string_view name) {
    if (name == image_name_) return;
    image_name_ = std::string(name);
    changed(Prop::Style);
}

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 200, 29);
    SetAlign(TAlign::alTop);
}

// ---------------------------------------------------------------------------

namespace {
unsigned long long g_timers_created = 0;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner), creation_order_(++g_timers_created) {
    services().timer_changed(*this);
}

TTimer::~TTimer() {
    // Nothing to tell when the services went first.
    if (Services* s = installed_services()) s->timer_destroyed(*this);
}

void TTimer::SetInterval(int ms) {
    if (ms == interval_) return;
    interval_ = ms;
    services().timer_changed(*this);
}

void TTimer::SetEnabled(bool e) {
    enabled_ = e;
    services().timer_changed(*this);
}

void TTimer::fire() {
    if (enabled_ && interval_ > 0) ::fire(this, OnTimer, this);
}
