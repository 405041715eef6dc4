// Common controls: track bar, progress bar, page control with tab sheets,
// tree view, status bar, tool bar with tool buttons, image list, timer.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/controls.h"

class TPopupMenu;
class TImageList;

enum class TTrackBarOrientation { trHorizontal, trVertical };

class TTrackBar : public TWinControl {
public:
    explicit TTrackBar(TComponent* owner);
    const char* ClassName() const override { return "TTrackBar"; }
    int Position() const { return position_; }
    // Clamped to Min..Max; OnChange runs when the position changes.
    void SetPosition(int p);
    int Min() const { return min_; }
    int Max() const { return max_; }
    // Changing the range clamps the position (with OnChange when it moves).
    void SetMin(int v);
    void SetMax(int v);
    void SetRange(int min, int max);
    int Frequency = 1;
    int PageSize = 2;
    TTrackBarOrientation Orientation = TTrackBarOrientation::trHorizontal;
    TNotifyEvent OnChange;

protected:
    void KeyDownDefault(Word& key, TShiftState shift) override;

private:
    int position_ = 0;
    int min_ = 0;
    int max_ = 10;
};

class TProgressBar : public TWinControl {
public:
    explicit TProgressBar(TComponent* owner);
    const char* ClassName() const override { return "TProgressBar"; }
    int Position() const { return position_; }
    void SetPosition(int p);
    int Min = 0;
    int Max = 100;
    int Step = 10;
    void StepIt() { SetPosition(position_ + Step); }
    bool CanFocus() const override { return false; }

private:
    int position_ = 0;
};

class TPageControl;

class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;
    const char* ClassName() const override { return "TTabSheet"; }
    TPageControl* PageControl() const { return page_control_; }
    // Puts the sheet into a page control (as its last page).
    void SetPageControl(TPageControl* pc);
    int PageIndex() const;
    bool TabVisible() const { return tab_visible_; }
    void SetTabVisible(bool v);
    int ImageIndex = -1;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    bool CanFocus() const override { return false; }

protected:
    void Destroying() override;

private:
    friend class TPageControl;
    TPageControl* page_control_ = nullptr;
    bool tab_visible_ = true;
};


class TPageControl : public TWinControl {
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;
    const char* ClassName() const override { return "TPageControl"; }
    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int i) const { return pages_.at(static_cast<std::size_t>(i)); }
    TTabSheet* ActivePage() const { return active_; }
    // From code: no OnChanging or OnChange; the sheets run OnHide and OnShow.
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int i);
    component_ref<TImageList> Images{this};
    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;
    // The user clicked a tab: OnChanging may refuse; then the page changes and OnChange runs.
    void user_select(int page_index);
    // Next or previous visible page (Ctrl+Tab).
    void SelectNextPage(bool forward);

private:
    std::vector<TTabSheet*> pages_;
    TTabSheet* active_ = nullptr;
    friend class TTabSheet;
};

class TTreeView;

class TTreeNode {
public:
    const std::string& Text() const { return text_; }
    void SetText(std::string_view t);
    intptr_t Data = 0;
    int ImageIndex = -1;
    int SelectedIndex = -1;
    int StateIndex = -1;
    TTreeNode* Parent() const { return parent_; }
    int Count() const { return static_cast<int>(children_.size()); }
    TTreeNode* Item(int i) const { return children_.at(static_cast<std::size_t>(i)).get(); }
    bool HasChildren() const { return !children_.empty(); }
    // Position among its siblings.
    int Index() const;
    // Position in the whole tree, counting every node before it in display order.
    int AbsoluteIndex() const;
    int Level() const;
    bool Expanded() const { return expanded_; }
    void SetExpanded(bool e);
    void Expand(bool recursive);
    void Collapse(bool recursive);
    bool Selected() const;
    TTreeNode* getFirstChild() const { return children_.empty() ? nullptr : children_.front().get(); }
    TTreeNode* getNextSibling() const;
    TTreeNode* getPrevSibling() const;
    // The next node in display order (children first), nullptr at the end.
    TTreeNode* GetNext() const;
    // Removes the node with its children.
    void Delete();
    void DeleteChildren();
    TTreeView* TreeView() const { return tree_; }

private:
    friend class TTreeNodes;
    friend class TTreeView;
    TTreeView* tree_ = nullptr;
    TTreeNode* parent_ = nullptr;
    std::string text_;
    bool expanded_ = false;
    std::vector<std::unique_ptr<TTreeNode>> children_;
};

class TTreeNodes {
public:
    explicit TTreeNodes(TTreeView* tree) : tree_(tree) {}
    // A node at the root (sibling is ignored beyond giving the level, as the
    // old toolkit's Add appended at the sibling's level: nullptr = root).
    TTreeNode* Add(TTreeNode* sibling, std::string_view text);
    TTreeNode* AddObject(TTreeNode* sibling, std::string_view text, intptr_t data);
    TTreeNode* AddChild(TTreeNode* parent, std::string_view text);
    TTreeNode* AddChildObject(TTreeNode* parent, std::string_view text, intptr_t data);
    // Inserted before `before` at its level.
    TTreeNode* Insert(TTreeNode* before, std::string_view text);
    void Clear();
    // Every node in display order.
    int Count() const;
    TTreeNode* Item(int absolute_index) const;
    TTreeNode* GetFirstNode() const;
    void BeginUpdate() { ++updating_; }
    void EndUpdate();
    const std::vector<std::unique_ptr<TTreeNode>>& roots() const { return roots_; }

private:
    friend class TTreeNode;
    TTreeView* tree_;
    std::vector<std::unique_ptr<TTreeNode>> roots_;
    int updating_ = 0;
    TTreeNode* add_at(TTreeNode* parent, std::size_t pos, std::string_view text, intptr_t data);
};

using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVChangingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVExpandingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;

class TTreeView : public TWinControl {
public:
    explicit TTreeView(TComponent* owner);
    ~TTreeView() override;
    const char* ClassName() const override { return "TTreeView"; }
    TTreeNodes& Items() { return items_; }
    TTreeNode* Selected() const { return selected_; }
    // From code as from the user: OnChanging may refuse, then OnChange runs.
    void SetSelected(TTreeNode* node);
    bool ReadOnly = true;
    bool HideSelection = false;
    bool ShowRoot = true;
    component_ref<TImageList> Images{this};
    TTVChangedEvent OnChange;
    TTVChangingEvent OnChanging;
    TTVExpandingEvent OnExpanding;
    TTVExpandingEvent OnCollapsing;
    TTreeNode* GetNodeAt(int x, int y) const;
    void FullExpand();
    void FullCollapse();
    // Structure changed (front end refresh).
    void nodes_changed();
    void node_removed(TTreeNode* node);

protected:
    void KeyDownDefault(Word& key, TShiftState shift) override;

private:
    TTreeNodes items_;
    TTreeNode* selected_ = nullptr;
};

enum class TStatusPanelStyle { psText, psOwnerDraw };

class TStatusBar;
class TStatusPanel {
public:
    const std::string& Text() const { return text_; }
    void SetText(std::string_view t);
    int Width = 50;
    TAlignment Alignment = TAlignment::taLeftJustify;
    TStatusPanelStyle Style = TStatusPanelStyle::psText;

private:
    friend class TStatusBar;
    TStatusBar* bar_ = nullptr;
    std::string text_;
};

using TDrawPanelEvent = std::function<void(TStatusBar* StatusBar, TStatusPanel* Panel, const TRect& Rect)>;

class TStatusBar : public TWinControl, public TPaintable {
public:
    explicit TStatusBar(TComponent* owner);
    const char* ClassName() const override { return "TStatusBar"; }
    int PanelCount() const { return static_cast<int>(panels_.size()); }
    TStatusPanel* Panels(int i) const { return panels_.at(static_cast<std::size_t>(i)).get(); }
    TStatusPanel* AddPanel();
    void ClearPanels();
    bool SimplePanel() const { return simple_panel_; }
    void SetSimplePanel(bool s);
    const std::string& SimpleText() const { return simple_text_; }
    void SetSimpleText(std::string_view t);
    TDrawPanelEvent OnDrawPanel;
    // Valid while an owner-drawn panel paints.
    TCanvas* Canvas() const { return canvas_; }
    void PaintTo(TCanvas& canvas) override;
    TRect PanelRect(int i) const;
    bool CanFocus() const override { return false; }

private:
    std::vector<std::unique_ptr<TStatusPanel>> panels_;
    bool simple_panel_ = false;
    std::string simple_text_;
    TCanvas* canvas_ = nullptr;
};

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* owner) : TComponent(owner) {}
    const char* ClassName() const override { return "TImageList"; }
    int Width = 16;
    int Height = 16;
    // Images are named pictures the front end draws (icons of the program's
    // resources); the index is the position.
    int Add(std::string name);
    int Count() const { return static_cast<int>(names_.size()); }
    const std::string& ImageName(int i) const { return names_.at(static_cast<std::size_t>(i)); }
    void Clear();

private:
    std::vector<std::string> names_;
};

enum class TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };

class TToolBar;
class TToolButton : public TGraphicControl {
public:
    explicit TToolButton(TComponent* owner);
    const char* ClassName() const override { return "TToolButton"; }
    TToolButtonStyle Style = TToolButtonStyle::tbsButton;
    int ImageIndex = -1;
    // The name of its picture (see TAction::ImageName); its action's, when
    // the action names one.
    const std::string& ImageName() const { return image_name_; }
    void SetImageName(std::string_view name);
    void action_image_changed() override;
    bool Grouped = false;
    bool AllowAllUp = false;
    component_ref<TPopupMenu> DropdownMenu{this};
    bool Down() const { return down_; }
    // No event; a grouped check button going down raises the others of its group.
    void SetDown(bool d);
    // A check button toggles (or goes down, when grouped), then OnClick or the action.
    void Click() override;
    void action_changed() override;

private:
    bool down_ = false;
    std::string image_name_;
};

class TToolBar : public TWinControl {
public:
    explicit TToolBar(TComponent* owner);
    const char* ClassName() const override { return "TToolBar"; }
    component_ref<TImageList> Images{this};
    bool ShowCaptions = false;
    bool Flat = true;
    int ButtonWidth = 23;
    int ButtonHeight = 22;
    bool CanFocus() const override { return false; }
};

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    const char* ClassName() const override { return "TTimer"; }
    int Interval() const { return interval_; }
    void SetInterval(int ms);
    bool Enabled() const { return enabled_; }
    // Enabling (again) starts the interval anew.
    void SetEnabled(bool e);
    TNotifyEvent OnTimer;
    // The interval passed (the services call it, guarded).
    void fire();
    // Timers due at the same moment fire in the order of their creation.
    unsigned long long creation_order() const { return creation_order_; }

private:
    int interval_ = 1000;
    bool enabled_ = true;
    unsigned long long creation_order_;
};
