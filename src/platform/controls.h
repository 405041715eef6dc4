// TControl and TWinControl: the base of every visible control.
//
// Habits of the old toolkit that the windows rely on (each tested once):
// - setting Checked of a check box or radio button, or ItemIndex of a radio
//   group, from code runs its click handler when the state changes;
// - setting Text of an edit runs OnChange when the text changes;
// - a spin edit or track bar runs OnChange when code sets or clamps its value;
// - setting ItemIndex of a combo box or list box from code runs nothing;
// - a handler is a plain std::function: detach it by saving and clearing
//   the member, put it back by assigning the saved value; every event runs
//   through fire() (component.h), so a handler may do so while it runs;
// - no event runs while the window is being built or destroyed;
// - an exception in OnExit keeps the focus on the control it was leaving.
// User input (the Qt front end, or a test playing the user) goes through the
// functions of platform/input.h, which also catch what a handler raises.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/component.h"
#include "platform/graphics.h"
#include "platform/types.h"

class TForm;
class TWinControl;
class TPopupMenu;
class TAction;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;
    const char* ClassName() const override { return "TControl"; }

    TWinControl* Parent() const { return parent_; }
    void SetParent(TWinControl* parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    TRect ClientRect() const { return {0, 0, width_, height_}; }
    int ClientWidth() const { return width_; }
    int ClientHeight() const { return height_; }
    TAlign Align() const { return align_; }
    void SetAlign(TAlign a);

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible with every parent up to the form (the form's own visibility aside).
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool v);

    // Caption and Text are one property, as in the old toolkit.
    const std::string& Caption() const { return text_; }
    void SetCaption(std::string_view v) { SetText(v); }
    const std::string& Text() const { return text_; }
    virtual void SetText(std::string_view v);

    const std::string& Hint() const { return hint_; }
    void SetHint(std::string_view v);
    bool ShowHint = true;
    TColor Color() const { return color_; }
    void SetColor(TColor c);
    const TFont& Font() const { return font_; }
    virtual void SetFont(const TFont& f);
    bool ParentFont = true;
    TCursor Cursor = TCursor::crDefault;
    component_ref<TPopupMenu> PopupMenu{this};

    // The action whose caption, hint, enabled, visible and checked state the
    // control follows, and which its click executes.
    TAction* Action() const { return action_; }
    virtual void SetAction(TAction* a);
    // Called by the linked action when one of its properties changed.
    virtual void action_changed();
    // Called by the linked action when it names another picture (the
    // controls that show one take it; nothing else of the action is
    // applied again).
    virtual void action_image_changed() {}

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TMouseWheelEvent OnMouseWheel;
    TNotifyEvent OnResize;

    // Runs the click behaviour (OnClick, or the action when linked and no
    // OnClick is set), as a user's click would. Exceptions propagate.
    virtual void Click();
    virtual void DblClick();
    // Default mouse handling of custom-painted controls; runs the events.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual bool MouseWheel(TShiftState shift, int delta, TPoint pos);
    // The mouse left the control.
    virtual void MouseLeave() {}
    // Alt and a letter that no caption of the window took before this
    // control: true when the control used it (a tab strip's tab captions).
    virtual bool DialogChar(Word /*key*/) { return false; }

    // The form this control stands on (through its parents; else its owner).
    TForm* ParentForm() const;
    // Asks the front end to paint the control again.
    void Invalidate() { changed(Prop::Repaint); }
    void Repaint() { Invalidate(); }
    void Refresh() { Invalidate(); }

    virtual bool CanFocus() const { return false; }
    bool Focused() const;

protected:
    TWinControl* parent_ = nullptr;
    TAction* action_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 100, height_ = 25;
    TAlign align_ = TAlign::alNone;
    bool visible_ = true;
    bool enabled_ = true;
    std::string text_;
    std::string hint_;
    TColor color_ = clBtnFace;
    TFont font_;
    // Sets the text without any event (the controls' own use).
    void set_text_silently(std::string_view v);
    void Destroying() override;
    friend class TAction;
    friend class TWinControl;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;
    const char* ClassName() const override { return "TWinControl"; }

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int i) const { return controls_.at(static_cast<std::size_t>(i)); }
    const std::vector<TControl*>& children() const { return controls_; }

    // The position among the windowed children of the parent that Tab
    // follows: a control joins at the end; setting it moves the control
    // there (clamped), the others keep their order. -1 without a parent.
    int TabOrder() const;
    void SetTabOrder(int order);
    // Whether Tab stops here (true for the kinds that take input).
    bool TabStop = false;

    // The windowed controls inside this one in tab order, each followed by
    // those inside it (the pages of a page control but the shown one left out).
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    // The control after (or before) `current` in that order that can take
    // the focus (and has TabStop, when `check_tab_stop`), going round;
    // nullptr when none.
    TWinControl* FindNextControl(TWinControl* current, bool forward, bool check_tab_stop) const;
    // Tab and Shift+Tab: focuses the next control from `current`.
    void SelectNext(TWinControl* current, bool forward, bool check_tab_stop);

    // Places the aligned children as the old toolkit did: top-aligned ones
    // stacked from the top (in the order of their Top), bottom-aligned from
    // the bottom, then left- and right-aligned ones at the sides, and the
    // client-aligned one in what is left. Hidden children take no room.
    // Runs by itself whenever a child's bounds, alignment or visibility or
    // this control's size change, unless alignment is disabled.
    void AlignControls();
    // Alignment waits while disabled (the calls nest); the last EnableAlign
    // places the children. A handler raising while the children are placed
    // leaves alignment as it was.
    void DisableAlign() { ++align_level_; }
    void EnableAlign();
    // The part of the client area that aligned children share.
    virtual TRect AlignRect() const { return ClientRect(); }

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    // Moves the keyboard focus here: the control that had it runs OnExit,
    // this one OnEnter. Raises Exception when the control cannot take the
    // focus (disabled or hidden).
    void SetFocus();
    bool CanFocus() const override;

    // Key handling once the message hook, the shortcuts and the form's key
    // preview have passed the key on: runs OnKeyDown, then the control's own
    // keyboard behaviour (KeyDownDefault) unless the handler set Key to 0.
    virtual void KeyDown(Word& key, TShiftState shift);
    virtual void KeyUp(Word& key, TShiftState shift);
    // A typed character: OnKeyPress, then KeyPressDefault unless Key became 0.
    virtual void KeyPress(char& key);
    virtual void DoEnter();
    virtual void DoExit();

    // Whether the control takes this key itself instead of the window's
    // keyboard navigation (Tab, Enter, Esc): a memo its returns, a grid
    // with goTabs its tabs.
    virtual bool wants_key(Word /*key*/) const { return false; }
    // The focus came here by the keyboard (Tab, an accelerator): an edit
    // selects its text.
    virtual void focused_from_keyboard() {}

protected:
    virtual void KeyDownDefault(Word& /*key*/, TShiftState /*shift*/) {}
    virtual void KeyPressDefault(char& /*key*/) {}

private:
    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tab_list_;  // the windowed children in tab order
    int align_level_ = 0;
    int wanted_tab_order_ = -1;  // a tab order set before the control had a parent
    friend class TControl;
};

// Whether a caption's accelerator ("&Plik": Alt+P) is the key: a letter or
// digit after a single "&"; "&&" is a plain "&".
bool IsAccel(Word key, std::string_view caption);

// A control without a window of its own (label, speed button, paint box):
// it never takes the focus.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner) : TControl(owner) {}
    const char* ClassName() const override { return "TGraphicControl"; }
};

// Controls that paint themselves (the paint box, the grid host, the tab
// host): the front end hands them a canvas and calls Paint.
class TPaintable {
public:
    virtual ~TPaintable() = default;
    // Paints onto `canvas`; Canvas() returns it while painting.
    virtual void PaintTo(TCanvas& canvas) = 0;
};
