// The standard controls: labels, buttons, check boxes, radio buttons and
// groups, edits, memos, combo, list and check-list boxes, spin edits,
// panels, group boxes, scroll boxes, splitters and paint boxes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/strings.h"

class TImageList;

// With AutoSize (the default) a label not aligned in its parent takes the
// width of its caption whenever its caption, font or bounds change, as the
// old toolkit's labels do: a left-aligned label grows or shrinks to the
// right, a right-aligned one to the left, a centred one on both sides; a
// word-wrapped one keeps its width and takes the height of its lines. The
// size allows for screen fonts, which run up to a fifth larger than the
// built-in metrics, so that what stands beside a label leaves its text room.
class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);
    const char* ClassName() const override { return "TLabel"; }
    TAlignment Alignment = TAlignment::taLeftJustify;
    bool WordWrap = false;
    bool AutoSize = true;
    bool Transparent = true;
    // The control its accelerator focuses.
    component_ref<TWinControl> FocusControl{this};

    void SetText(std::string_view v) override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetFont(const TFont& f) override;
    // Sizes the label to its caption (nothing without AutoSize or when the
    // label is aligned).
    void AdjustBounds();
};

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);
    const char* ClassName() const override { return "TButton"; }
    // Clicking sets the form's ModalResult to this value (when not mrNone).
    TModalResult ModalResult = mrNone;
    bool Default = false;  // Enter
    bool Cancel = false;   // Esc
    void Click() override;

protected:
    // Space presses the focused button.
    void KeyDownDefault(Word& key, TShiftState shift) override;
};

class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* owner);
    const char* ClassName() const override { return "TSpeedButton"; }
    // Buttons of one group (same parent, same non-zero index) are down one at a time.
    int GroupIndex = 0;
    bool AllowAllUp = false;
    bool Flat = false;
    int ImageIndex = -1;
    component_ref<TImageList> Images{this};
    // The name of its picture (see TAction::ImageName); its action's, when
    // the action names one.
    const std::string& ImageName() const { return image_name_; }
    void SetImageName(std::string_view name);
    void action_changed() override;
    void action_image_changed() override;
    bool Down() const { return down_; }
    // Setting Down runs no event; a button going down raises the others of its group.
    void SetDown(bool d);
    // A click of a grouped button puts it down (or up, with AllowAllUp), then runs OnClick.
    void Click() override;

private:
    bool down_ = false;
    std::string image_name_;
};

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* owner);
    const char* ClassName() const override { return "TCheckBox"; }
    bool Checked() const { return state_ == TCheckBoxState::cbChecked; }
    // Runs OnClick when the state changes, from code as from the user.
    void SetChecked(bool c);
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState s);
    bool AllowGrayed = false;
    TAlignment Alignment = TAlignment::taRightJustify;
    // A user's click: the next state (unchecked, checked, grayed when allowed).
    void Toggle();
    void Click() override;

protected:
    // Space toggles the focused check box.
    void KeyDownDefault(Word& key, TShiftState shift) override;

private:
    TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
};

class TRadioButton : public TWinControl {
public:
    explicit TRadioButton(TComponent* owner);
    const char* ClassName() const override { return "TRadioButton"; }
    bool Checked() const { return checked_; }
    // Checking unchecks the radio buttons of the same parent (they run no
    // event) and runs OnClick; unchecking runs nothing.
    void SetChecked(bool c);
    void Click() override;

protected:
    // Space checks the focused radio button.
    void KeyDownDefault(Word& key, TShiftState shift) override;

private:
    bool checked_ = false;
};

class TRadioGroup : public TWinControl {
public:
    explicit TRadioGroup(TComponent* owner);
    const char* ClassName() const override { return "TRadioGroup"; }
    TStringList& Items() { return items_; }
    const TStringList& Items() const { return items_; }
    int ItemIndex() const { return item_index_; }
    // Clamped to -1..Count-1; runs OnClick when the index changes.
    void SetItemIndex(int i);
    int Columns = 1;

private:
    TStringList items_;
    int item_index_ = -1;
};

enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* owner);
    const char* ClassName() const override { return "TCustomEdit"; }
    // Runs OnChange when the text changes.
    void SetText(std::string_view v) override;
    int MaxLength = 0;  // 0 = no limit
    bool ReadOnly() const { return read_only_; }
    void SetReadOnly(bool r);
    char PasswordChar = 0;
    bool AutoSelect = true;
    TEditCharCase CharCase = TEditCharCase::ecNormal;
    int SelStart() const { return sel_start_; }
    int SelLength() const { return sel_length_; }
    void SetSelStart(int s);
    void SetSelLength(int l);
    std::string SelText() const;
    // Replaces the selection (typing, paste).
    void SetSelText(std::string_view t);
    void SelectAll();
    void Clear() { SetText(""); }
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    bool Modified = false;
    TNotifyEvent OnChange;
    bool CanFocus() const override { return TWinControl::CanFocus(); }
    // Entered by the keyboard, an edit with AutoSelect selects its text.
    void focused_from_keyboard() override;

protected:
    // Typed characters go into the text at the selection.
    void KeyPressDefault(char& key) override;
    void KeyDownDefault(Word& key, TShiftState shift) override;
    virtual void Change();

private:
    bool read_only_ = false;
    int sel_start_ = 0;
    int sel_length_ = 0;
};

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
    const char* ClassName() const override { return "TEdit"; }
};

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TCustomEdit {
public:
    explicit TMemo(TComponent* owner);
    const char* ClassName() const override { return "TMemo"; }
    // The lines; changing them changes Text and runs OnChange.
    TStringList& Lines() { return lines_; }
    const TStringList& Lines() const { return lines_; }
    // Text is the lines joined with CR LF (no line break after the last).
    void SetText(std::string_view v) override;
    TScrollStyle ScrollBars = TScrollStyle::ssNone;
    bool WordWrap = true;
    bool WantReturns = true;
    bool WantTabs = false;
    // Tab with WantTabs; Enter and Esc with WantReturns.
    bool wants_key(Word key) const override;
    // A memo keeps its selection when entered.
    void focused_from_keyboard() override {}

protected:
    void KeyPressDefault(char& key) override;

private:
    TStringList lines_;
    bool syncing_ = false;
};

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum TOwnerDrawFlag : unsigned { odSelected = 1, odFocused = 2, odDisabled = 4, odComboBoxEdit = 8 };
using TOwnerDrawState = unsigned;
using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;

// Item-list controls paint owner-drawn items onto this canvas.
class TItemCanvasHost {
public:
    virtual ~TItemCanvasHost() = default;
    TCanvas* Canvas() const { return canvas_; }
    void set_canvas(TCanvas* c) { canvas_ = c; }

private:
    TCanvas* canvas_ = nullptr;
};

class TComboBox : public TWinControl, public TItemCanvasHost {
public:
    explicit TComboBox(TComponent* owner);
    const char* ClassName() const override { return "TComboBox"; }
    TStringList& Items() { return items_; }
    const TStringList& Items() const { return items_; }
    int ItemIndex() const { return item_index_; }
    // Runs nothing; the text becomes the item's (or empty for -1).
    void SetItemIndex(int i);
    // Runs nothing; the item index becomes that of an equal item, or -1.
    void SetText(std::string_view v) override;
    TComboBoxStyle Style = TComboBoxStyle::csDropDown;
    int DropDownCount = 8;
    int ItemHeight = 16;
    int MaxLength = 0;
    bool Sorted() const { return items_.Sorted(); }
    void SetSorted(bool s) { items_.SetSorted(s); }
    bool DroppedDown = false;
    // An open list takes Enter and Esc.
    bool wants_key(Word key) const override { return DroppedDown && (key == VK_RETURN || key == VK_ESCAPE); }
    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TDrawItemEvent OnDrawItem;
    void Clear();
    // The user chose item i from the list: ItemIndex and Text change, then
    // OnClick, then OnSelect (or OnChange when OnSelect is not set).
    void user_select(int i);
    // The user typed into the edit part: Text changes, OnChange runs.
    void user_edit(std::string_view text);

protected:
    void KeyPressDefault(char& key) override;

private:
    TStringList items_;
    int item_index_ = -1;
};

enum class TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

class TListBox : public TWinControl, public TItemCanvasHost {
public:
    explicit TListBox(TComponent* owner);
    const char* ClassName() const override { return "TListBox"; }
    TStringList& Items() { return items_; }
    const TStringList& Items() const { return items_; }
    int ItemIndex() const { return item_index_; }
    // Runs nothing.
    void SetItemIndex(int i);
    bool MultiSelect = false;
    bool Selected(int i) const;
    void SetSelected(int i, bool s);
    int SelCount() const;
    void ClearSelection();
    bool Sorted() const { return items_.Sorted(); }
    void SetSorted(bool s) { items_.SetSorted(s); }
    TListBoxStyle Style = TListBoxStyle::lbStandard;
    int ItemHeight = 16;
    int TopIndex = 0;
    int Columns = 0;
    TDrawItemEvent OnDrawItem;
    void Clear();
    // Changes between these (they nest) reach the observers once, at the
    // last EndUpdate: a refresh of every item is one notification.
    void BeginUpdate();
    void EndUpdate();
    // The item at a client point, -1 when none.
    int ItemAtPos(int x, int y) const;
    TRect ItemRect(int i) const;
    // The user clicked item i: selection changes, then OnClick.
    void user_select(int i, TShiftState shift = 0);

protected:
    void KeyDownDefault(Word& key, TShiftState shift) override;
    std::vector<char> selected_;
    virtual void items_changed();

private:
    TStringList items_;
    int item_index_ = -1;
};

class TCheckListBox : public TListBox {
public:
    explicit TCheckListBox(TComponent* owner);
    const char* ClassName() const override { return "TCheckListBox"; }
    bool Checked(int i) const;
    // Runs nothing.
    void SetChecked(int i, bool c);
    bool ItemEnabled(int i) const;
    void SetItemEnabled(int i, bool e);
    TNotifyEvent OnClickCheck;
    // The user toggled the check mark of item i: the mark changes, then OnClickCheck.
    void user_toggle(int i);

protected:
    void items_changed() override;
    void KeyPressDefault(char& key) override;

private:
    std::vector<char> checked_;
    std::vector<char> disabled_;
};

class TSpinEdit : public TCustomEdit {
public:
    explicit TSpinEdit(TComponent* owner);
    const char* ClassName() const override { return "TSpinEdit"; }
    // The text as a whole number, MinValue when it is none; clamped when the
    // limits differ.
    int Value() const;
    // Clamps to MinValue..MaxValue (when they differ) and writes the text;
    // OnChange runs when the text changes.
    void SetValue(int v);
    int MinValue = 0;
    int MaxValue = 100;
    int Increment = 1;
    // The arrow buttons.
    void StepUp() { SetValue(Value() + Increment); }
    void StepDown() { SetValue(Value() - Increment); }

protected:
    void KeyDownDefault(Word& key, TShiftState shift) override;
    void KeyPressDefault(char& key) override;

private:
    int clamp(int v) const;
};

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TPanel : public TWinControl {
public:
    explicit TPanel(TComponent* owner);
    const char* ClassName() const override { return "TPanel"; }
    TBevelCut BevelOuter = TBevelCut::bvRaised;
    TBevelCut BevelInner = TBevelCut::bvNone;
    TAlignment Alignment = TAlignment::taCenter;
    bool CanFocus() const override { return false; }
};

class TGroupBox : public TWinControl {
public:
    explicit TGroupBox(TComponent* owner);
    const char* ClassName() const override { return "TGroupBox"; }
    bool CanFocus() const override { return false; }
    // Below the caption, inside the frame.
    TRect AlignRect() const override { return {2, 16, width_ - 2, height_ - 2}; }
};

class TScrollBox;

// One scroll bar of a scroll box: how far the box's surface reaches in its
// direction (Range) and how far it is scrolled (Position).
class TControlScrollBar {
public:
    // With the box's AutoScroll, the farthest right (or bottom) edge of the
    // box's visible children that are not aligned; else the range set.
    int Range() const;
    void SetRange(int r);
    // 0 up to the range less the box's client size; setting it clamps.
    int Position() const { return position_; }
    void SetPosition(int p);
    int Increment = 8;

private:
    friend class TScrollBox;
    TControlScrollBar(TScrollBox* box, bool horizontal) : box_(box), horizontal_(horizontal) {}
    TScrollBox* box_;
    bool horizontal_;
    int range_ = 0;
    int position_ = 0;
};

// A scrolled area: its children stand at their bounds on a surface as large
// as their range, and the box shows the part of it at the scroll position;
// scrolling moves the surface with all its children and leaves their
// bounds as they are.
class TScrollBox : public TWinControl {
public:
    explicit TScrollBox(TComponent* owner);
    const char* ClassName() const override { return "TScrollBox"; }
    TControlScrollBar& HorzScrollBar() { return horz_; }
    const TControlScrollBar& HorzScrollBar() const { return horz_; }
    TControlScrollBar& VertScrollBar() { return vert_; }
    const TControlScrollBar& VertScrollBar() const { return vert_; }
    // The ranges follow the children.
    bool AutoScroll = true;
    bool CanFocus() const override { return false; }
    // Scrolls the least that shows the child whole (its top-left corner
    // when it is larger than the box).
    void ScrollInView(const TControl* c);

private:
    TControlScrollBar horz_{this, true};
    TControlScrollBar vert_{this, false};
};

class TSplitter : public TGraphicControl {
public:
    explicit TSplitter(TComponent* owner);
    const char* ClassName() const override { return "TSplitter"; }
    int MinSize = 30;
    bool Beveled = false;
    TNotifyEvent OnMoved;
    // The user dragged the splitter by `delta` pixels: the control it sizes
    // (the neighbour on its aligned side) grows or shrinks, then OnMoved.
    void user_move(int delta);
};

class TPaintBox : public TGraphicControl, public TPaintable {
public:
    explicit TPaintBox(TComponent* owner);
    const char* ClassName() const override { return "TPaintBox"; }
    // Valid while painting.
    TCanvas* Canvas() const { return canvas_; }
    TNotifyEvent OnPaint;
    void PaintTo(TCanvas& canvas) override;

private:
    TCanvas* canvas_ = nullptr;
};

// A picture area with a drawing surface of its own that keeps what was drawn
// (the side panel's sketches): the operations are recorded and replayed when
// the front end paints.
class TImage : public TGraphicControl, public TPaintable {
public:
    explicit TImage(TComponent* owner);
    const char* ClassName() const override { return "TImage"; }
    // Draw here; the front end shows it.
    RecordingCanvas& Canvas() { return picture_; }
    // Forgets the picture.
    void Clear();
    bool Stretch = false;
    void PaintTo(TCanvas& canvas) override;

private:
    RecordingCanvas picture_;
};

// Replays recorded operations onto another canvas.
void replay(const RecordingCanvas& from, TCanvas& to);
