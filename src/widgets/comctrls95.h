// The tab strip: a tab control that draws its own tabs (the selected one in
// the control's colour and font, the others in their own), at the top or
// the bottom, along or across; TTab95Control adds a hint and an image index
// per tab, tabs dragged to a new place, and the tabs' accelerators.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/grids.h"
#include "platform/strings.h"

enum TTab95Position : unsigned char { tpTopLeft = 0, tpBottomRight = 1 };
enum TTextRotation : unsigned char { trHorizontal = 0, trVertical = 1 };

class TCustomTab95Control;

using TDrawTab95Event =
    std::function<void(TCustomTab95Control* Control, const std::string& Caption, int Index, const TRect& Rect)>;
using TTab95TabTrackEvent = std::function<void(TObject* Sender, int TabIndex)>;

// The tab list of a tab strip: the texts and data values of its tabs. Every
// change but a data value lays the strip out again. An operation the strip
// refuses (an index beyond its tabs) raises EListError "Tab control access
// error", a line break, "Violation occured in " and the operation.
class TTabStrings {
public:
    explicit TTabStrings(TCustomTab95Control& control) : control_(control) {}
    TTabStrings(const TTabStrings&) = delete;
    TTabStrings& operator=(const TTabStrings&) = delete;

    int Count() const;
    // At most 4096 characters of a tab's text.
    std::string Strings(int i) const;
    void SetString(int i, std::string_view text);
    intptr_t Objects(int i) const;
    void SetObject(int i, intptr_t data);
    void Insert(int i, std::string_view text);
    int Add(std::string_view text);
    void Delete(int i);
    void Clear();
    // The tab (text, data, image index) to another place; the selection
    // stays on it.
    void Move(int from, int to);
    void Assign(const TStringList& source);
    // The strip is laid out once, when the outermost update ends.
    void BeginUpdate();
    void EndUpdate();

private:
    TCustomTab95Control& control_;
};

// The image index of each tab as text: Count is the number of tabs; Put
// stores a number (-1 for a negative number or a text that is none) and
// ignores an index beyond the tabs; Add puts at its own counter and
// advances it (Clear sets it back); Delete, Insert and data values do
// nothing.
class TImageIndexStrings {
public:
    explicit TImageIndexStrings(TCustomTab95Control& control) : control_(control) {}
    TImageIndexStrings(const TImageIndexStrings&) = delete;
    TImageIndexStrings& operator=(const TImageIndexStrings&) = delete;
    const char* ClassName() const { return "TImageIndexStrings"; }

    int Count() const;
    std::string Strings(int i) const;
    void SetString(int i, std::string_view text);
    int Add(std::string_view text);
    void Clear() { counter_ = 0; }
    void Delete(int) {}
    void Insert(int, std::string_view) {}
    void SetObject(int, intptr_t) {}
    // Puts the source's entries one by one while both lists have entries.
    void Assign(const TStringList& source);
    // From anything else: "Can't assign <class> to TImageIndexStrings.".
    void Assign(const TComponent& source);

private:
    TCustomTab95Control& control_;
    int counter_ = 0;
};

class TCustomTab95Control : public TTabControl {
public:
    explicit TCustomTab95Control(TComponent* owner);
    const char* ClassName() const override { return "TCustomTab95Control"; }

    TTabStrings Tabs{*this};

    // Negative sizes raise "<class> property out of range"; 0 sizes a tab
    // by its text (width) or font (height).
    void SetTabWidth(int w);
    void SetTabHeight(int h);
    TTab95Position TabPosition() const { return tab_position_; }
    // With ButtonStyle only the top is allowed: "Buttons are only
    // supported when aligned along the top".
    void SetTabPosition(TTab95Position p);
    bool VerticalTabs() const { return vertical_tabs_; }
    void SetVerticalTabs(bool v);
    // Turning MultiLine off turns ScrollOpposite off; turning
    // ScrollOpposite on turns MultiLine on.
    void SetMultiLine(bool on);
    bool ScrollOpposite() const { return scroll_opposite_; }
    void SetScrollOpposite(bool on);
    bool ButtonStyle() const { return button_style_; }
    // Puts VerticalTabs and TabPosition back to their defaults.
    void SetButtonStyle(bool on);
    bool FlatButtons = false;
    bool FlatSeperators = true;
    bool FocusButtons = false;
    bool MultiSelect = false;
    bool UseMSDrawing = false;
    bool HotTrack = false;
    TTextRotation TextRotation = trHorizontal;
    bool AllowTabShifting = false;
    TColor TabInactiveColor = clMedGray;
    const TFont& TabInactiveFont() const { return tab_inactive_font_; }
    void SetTabInactiveFont(const TFont& f);

    TDrawTab95Event OnDrawTab;
    TTab95TabTrackEvent OnTabTrack;

    // The tab under the client point, -1 when none.
    int tab_at_point(int x, int y) const { return IndexOfTabAt(x, y); }
    // The tab the mouse was last found over, -1 when none.
    int hot_tab() const { return hot_tab_; }
    virtual void repaint_tabs();
    virtual void show_tab_hint(int index) = 0;
    // One tab in its colours and font, the caption trimmed (the owner's
    // OnDrawTab instead, when set).
    void draw_tab(const std::string& caption, int index, const TRect& rect);

    TRect TabRect(int i) const override;
    TRect AlignRect() const override;
    // As long as the wider of the two fonts writes the trimmed caption on
    // the screen, with its inset on either side (and the image).
    int tab_width(int i) const override;
    void PaintTo(TCanvas& canvas) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseLeave() override;

    // The strip laid out again (its children aligned, its tabs repainted),
    // unless an update of the tab list runs.
    void relayout();

private:
    friend class TTabStrings;
    TTab95Position tab_position_ = tpTopLeft;
    bool vertical_tabs_ = false;
    bool scroll_opposite_ = false;
    bool button_style_ = false;
    TFont tab_inactive_font_;
    int hot_tab_ = -1;
    int update_level_ = 0;
};

class TTab95Control : public TCustomTab95Control {
public:
    explicit TTab95Control(TComponent* owner);
    const char* ClassName() const override { return "TTab95Control"; }

    TStringList TabHints;
    TImageIndexStrings ImageIndexes{*this};
    TNotifyEvent OnTabShift;

    // The selected tab, -1 when none.
    int tab_index() const { return TabIndex(); }
    // Selects a tab; neither OnChanging nor OnChange runs.
    void set_tab_index(int index) { SetTabIndex(index); }
    // The tab being dragged, -1 when none.
    int dragged_tab() const { return dragged_tab_; }

    // The hint that shows goes; the tab's entry of TabHints, blanks
    // trimmed, becomes the control's hint (a tab without an entry leaves
    // the hint as it was).
    void show_tab_hint(int index) override;

    // With AllowTabShifting, the pressed tab (once the press selected it)
    // is dragged; a release over another tab moves it there with its data
    // and image index, the selection with it, and runs OnTabShift.
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    // A tab whose caption has the accelerator is selected (with OnChange).
    bool DialogChar(Word key) override;

private:
    int dragged_tab_ = -1;
    void set_cursor(TCursor c);
};
