#include "platform/stdctrls.h"

#include <algorithm>
#include <optional>

#include "platform/forms.h"
#include "platform/menus.h"
#include "platform/services.h"
#include "platform/sysutils.h"

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) { color_ = clBtnFace; }

void TLabel::SetText(std::string_view v) {
    TControl::SetText(v);
    AdjustBounds();
}

void TLabel::SetBounds(int left, int top, int width, int height) {
    TControl::SetBounds(left, top, width, height);
    AdjustBounds();
}

void TLabel::SetFont(const TFont& f) {
    TControl::SetFont(f);
    AdjustBounds();
}

void TLabel::AdjustBounds() {
    if (!AutoSize || align_ != TAlign::alNone) return;
    // The caption as shown: "&&" is one "&", a single "&" marks the accelerator.
    std::string text;
    for (std::size_t i = 0; i < text_.size(); ++i) {
        if (text_[i] == '&' && i + 1 < text_.size()) ++i;
        text += text_[i];
    }
    // Screen fonts run up to a fifth wider than the built-in metrics.
    auto on_screen = [](int width) { return width * 6 / 5 + 8; };
    auto built_in = [](int width) { return std::max(1, (width - 8) * 5 / 6); };
    int left = left_, width = width_, height = height_;
    if (WordWrap) {
        const auto lines = static_cast<int>(std::max<std::size_t>(1, wrap_text(font_, text, built_in(width_)).size()));
        height = lines * text_height(font_) * 6 / 5;
    } else {
        width = on_screen(text_width(font_, text));
        if (Alignment == TAlignment::taRightJustify) left = left_ + width_ - width;
        else if (Alignment == TAlignment::taCenter) left = left_ + (width_ - width) / 2;
    }
    TControl::SetBounds(left, top_, width, height);
}

// ---------------------------------------------------------------------------

namespace {
// Space without Ctrl or Alt: the key that presses a focused button.
bool pressing_space(Word key, TShiftState shift) { return key == VK_SPACE && !(shift & (ssCtrl | ssAlt)); }
}  // namespace

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    TabStop = true;
    SetBounds(0, 0, 75, 25);
}

void TButton::Click() {
    if (TForm* f = ParentForm(); f && ModalResult != mrNone) f->SetModalResult(ModalResult);
    TWinControl::Click();
}

void TButton::KeyDownDefault(Word& key, TShiftState shift) {
    if (pressing_space(key, shift)) Click();
}

// ---------------------------------------------------------------------------

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 23, 22); }

void TSpeedButton::SetDown(bool d) {
    if (d == down_) return;
    if (!d && GroupIndex != 0 && !AllowAllUp) {
        // A grouped button cannot be raised by itself unless the group allows all up.
        bool other_down = false;
        if (parent_)
            for (TControl* c : parent_->children())
                if (auto* b = dynamic_cast<TSpeedButton*>(c); b && b != this && b->GroupIndex == GroupIndex && b->down_)
                    other_down = true;
        if (!other_down) return;
    }
    down_ = d;
    if (d && GroupIndex != 0 && parent_)
        for (TControl* c : parent_->children())
            if (auto* b = dynamic_cast<TSpeedButton*>(c); b && b != this && b->GroupIndex == GroupIndex && b->down_) {
                b->down_ = false;
                b->changed(Prop::Down);
            }
    changed(Prop::Down);
}

void TSpeedButton::action_changed() {
    TControl::action_changed();
    if (action_ && !action_->ImageName().empty()) SetImageName(action_->ImageName());
}

void TSpeedButton::action_image_changed() {
    if (action_ && !action_->ImageName().empty()) SetImageName(action_->ImageName());
}

void TSpeedButton::SetImageName(std::string_view name) {
    if (name == image_name_) return;
    image_name_ = std::string(name);
    changed(Prop::Style);
}

void TSpeedButton::Click() {
    if (GroupIndex != 0) {
        if (down_ && AllowAllUp) SetDown(false);
        else SetDown(true);
    }
    TControl::Click();
}

// ---------------------------------------------------------------------------

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
    TabStop = true;
    SetBounds(0, 0, 97, 17);
}

void TCheckBox::KeyDownDefault(Word& key, TShiftState shift) {
    if (pressing_space(key, shift)) Toggle();
}

void TCheckBox::SetChecked(bool c) {
    SetState(c ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked);
}

void TCheckBox::SetState(TCheckBoxState s) {
    if (s == state_) return;
    state_ = s;
    changed(Prop::Checked);
    Click();
}

void TCheckBox::Toggle() {
    switch (state_) {
        case TCheckBoxState::cbUnchecked: SetState(TCheckBoxState::cbChecked); break;
        case TCheckBoxState::cbChecked:
            SetState(AllowGrayed ? TCheckBoxState::cbGrayed : TCheckBoxState::cbUnchecked);
            break;
        case TCheckBoxState::cbGrayed: SetState(TCheckBoxState::cbUnchecked); break;
    }
}

void TCheckBox::Click() { TWinControl::Click(); }

// ---------------------------------------------------------------------------

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner) {
    TabStop = true;
    SetBounds(0, 0, 113, 17);
}

void TRadioButton::KeyDownDefault(Word& key, TShiftState shift) {
    if (pressing_space(key, shift)) SetChecked(true);
}

void TRadioButton::SetChecked(bool c) {
    if (c == checked_) return;
    checked_ = c;
    changed(Prop::Checked);
    if (!c) return;
    if (parent_)
        for (TControl* sib : parent_->children())
            if (auto* r = dynamic_cast<TRadioButton*>(sib); r && r != this && r->checked_) {
                r->checked_ = false;
                r->changed(Prop::Checked);
            }
    Click();
}

void TRadioButton::Click() { TWinControl::Click(); }

// ---------------------------------------------------------------------------

TRadioGroup::TRadioGroup(TComponent* owner) : TWinControl(owner) {
    TabStop = true;
    SetBounds(0, 0, 185, 105);
    items_.OnChange = [this] {
        if (item_index_ >= items_.Count()) item_index_ = items_.Count() - 1;
        changed(Prop::Items);
    };
}

void TRadioGroup::SetItemIndex(int i) {
    i = std::clamp(i, -1, items_.Count() - 1);
    if (i == item_index_) return;
    item_index_ = i;
    changed(Prop::ItemIndex);
    Click();
}

// ---------------------------------------------------------------------------

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    TabStop = true;
    SetBounds(0, 0, 121, 21);
    color_ = clWindow;
}

void TCustomEdit::SetText(std::string_view v) {
    std::string t(v);
    if (MaxLength > 0 && static_cast<int>(t.size()) > MaxLength) t.resize(static_cast<std::size_t>(MaxLength));
    if (CharCase == TEditCharCase::ecUpperCase) t = AnsiUpperCase(t);
    else if (CharCase == TEditCharCase::ecLowerCase) t = AnsiLowerCase(t);
    if (t == text_) return;
    text_ = t;
    sel_start_ = std::min(sel_start_, static_cast<int>(text_.size()));
    sel_length_ = std::min(sel_length_, static_cast<int>(text_.size()) - sel_start_);
    changed(Prop::Caption);
    Change();
}

void TCustomEdit::Change() {
    Modified = true;
    fire(this, OnChange, this);
}

void TCustomEdit::focused_from_keyboard() {
    if (AutoSelect) SelectAll();
}

void TCustomEdit::SetReadOnly(bool r) {
    if (r == read_only_) return;
    read_only_ = r;
    changed(Prop::Style);
}

void TCustomEdit::SetSelStart(int s) {
    sel_start_ = std::clamp(s, 0, static_cast<int>(text_.size()));
    sel_length_ = 0;
    changed(Prop::Selection);
}

void TCustomEdit::SetSelLength(int l) {
    sel_length_ = std::clamp(l, 0, static_cast<int>(text_.size()) - sel_start_);
    changed(Prop::Selection);
}

std::string TCustomEdit::SelText() const {
    return text_.substr(static_cast<std::size_t>(sel_start_), static_cast<std::size_t>(sel_length_));
}

void TCustomEdit::SetSelText(std::string_view t) {
    std::string s = text_;
    s.replace(static_cast<std::size_t>(sel_start_), static_cast<std::size_t>(sel_length_), t);
    const int caret = sel_start_ + static_cast<int>(t.size());
    SetText(s);
    sel_start_ = std::min(caret, static_cast<int>(text_.size()));
    sel_length_ = 0;
    changed(Prop::Selection);
}

void TCustomEdit::SelectAll() {
    sel_start_ = 0;
    sel_length_ = static_cast<int>(text_.size());
    changed(Prop::Selection);
}

void TCustomEdit::CopyToClipboard() {
    if (sel_length_ > 0) services().set_clipboard_text(SelText());
}

void TCustomEdit::CutToClipboard() {
    if (sel_length_ <= 0 || read_only_) return;
    CopyToClipboard();
    SetSelText("");
}

void TCustomEdit::PasteFromClipboard() {
    if (read_only_) return;
    const std::optional<std::string> text = services().clipboard_text();
    if (!text) {
        refuse_unrepresentable_text();
        return;
    }
    SetSelText(*text);
}

void TCustomEdit::KeyPressDefault(char& key) {
    if (read_only_) return;
    if (key == '\b') {
        if (sel_length_ == 0 && sel_start_ > 0) {
            --sel_start_;
            sel_length_ = 1;
        }
        SetSelText("");
        return;
    }
    if (static_cast<unsigned char>(key) < 32) return;
    if (MaxLength > 0 && static_cast<int>(text_.size()) - sel_length_ >= MaxLength) {
        services().beep();
        return;
    }
    SetSelText(std::string(1, key));
}

void TCustomEdit::KeyDownDefault(Word& key, TShiftState shift) {
    const int n = static_cast<int>(text_.size());
    switch (key) {
        case VK_LEFT: SetSelStart(sel_start_ - 1); break;
        case VK_RIGHT: SetSelStart(sel_start_ + sel_length_ + 1); break;
        case VK_HOME: SetSelStart(0); break;
        case VK_END: SetSelStart(n); break;
        case VK_DELETE:
            if (!read_only_ && shift == 0) {
                if (sel_length_ == 0 && sel_start_ < n) sel_length_ = 1;
                SetSelText("");
            }
            break;
        default:
            if (shift == ssCtrl && key == 'C') CopyToClipboard();
            else if (shift == ssCtrl && key == 'V') PasteFromClipboard();
            else if (shift == ssCtrl && key == 'X') CutToClipboard();
            else if (shift == ssCtrl && key == 'A') SelectAll();
            break;
    }
}

// ---------------------------------------------------------------------------

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner) {
    SetBounds(0, 0, 185, 89);
    lines_.OnChange = [this] {
        if (syncing_) return;
        std::string joined;
        for (int i = 0; i < lines_.Count(); ++i) {
            if (i) joined += "\r\n";
            joined += lines_[i];
        }
        syncing_ = true;
        try {
            TCustomEdit::SetText(joined);
        } catch (...) {
            syncing_ = false;
            throw;
        }
        syncing_ = false;
    };
}

void TMemo::SetText(std::string_view v) {
    if (!syncing_) {
        syncing_ = true;
        lines_.SetText(v);
        syncing_ = false;
    }
    TCustomEdit::SetText(v);
}

bool TMemo::wants_key(Word key) const {
    if (key == VK_TAB) return WantTabs;
    return (key == VK_RETURN || key == VK_ESCAPE) && WantReturns;
}

void TMemo::KeyPressDefault(char& key) {
    if (key == '\r') {
        if (!WantReturns || ReadOnly()) return;
        SetSelText("\r\n");
        return;
    }
    // With WantTabs a TAB is text.
    if (key == '\t') {
        if (WantTabs && !ReadOnly()) SetSelText("\t");
        return;
    }
    TCustomEdit::KeyPressDefault(key);
}

// ---------------------------------------------------------------------------

namespace {

// The item a combo box's text stands for: the first equal to it without
// regard to case, by the program's collation, whatever the list's own
// CaseSensitive says (the old toolkit's exact-string search of the list).
int find_item(const TStringList& items, std::string_view text) {
    for (int i = 0; i < items.Count(); ++i)
        if (AnsiSameText(items[i], text)) return i;
    return -1;
}

}  // namespace

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
    TabStop = true;
    SetBounds(0, 0, 145, 21);
    color_ = clWindow;
    items_.OnChange = [this] {
        if (item_index_ >= items_.Count()) item_index_ = -1;
        changed(Prop::Items);
    };
}

void TComboBox::SetItemIndex(int i) {
    if (i < -1 || i >= items_.Count()) i = -1;
    item_index_ = i;
    TControl::SetText(i >= 0 ? items_[i] : std::string());
    changed(Prop::ItemIndex);
}

void TComboBox::SetText(std::string_view v) {
    TControl::SetText(v);
    const int i = find_item(items_, v);
    if (i != item_index_) {
        item_index_ = i;
        changed(Prop::ItemIndex);
    }
}

void TComboBox::Clear() {
    items_.Clear();
    item_index_ = -1;
    TControl::SetText("");
}

void TComboBox::user_select(int i) {
    if (i < 0 || i >= items_.Count()) return;
    item_index_ = i;
    TControl::SetText(items_[i]);
    changed(Prop::ItemIndex);
    Click();
    if (OnSelect) fire(this, OnSelect, this);
    else fire(this, OnChange, this);
}

void TComboBox::user_edit(std::string_view text) {
    if (Style == TComboBoxStyle::csDropDownList) return;
    std::string t(text);
    if (MaxLength > 0 && static_cast<int>(t.size()) > MaxLength) t.resize(static_cast<std::size_t>(MaxLength));
    if (t == text_) return;
    TControl::SetText(t);
    const int i = find_item(items_, t);
    if (i != item_index_) {
        item_index_ = i;
        changed(Prop::ItemIndex);
    }
    fire(this, OnChange, this);
}

void TComboBox::KeyPressDefault(char& key) {
    if (Style == TComboBoxStyle::csDropDownList) {
        // Typing picks the next item that starts with the letter.
        const int n = items_.Count();
        for (int k = 1; k <= n; ++k) {
            const int i = (item_index_ + k + n) % n;
            if (!items_[i].empty() && AnsiUpperChar(items_[i][0]) == AnsiUpperChar(key)) {
                user_select(i);
                break;
            }
        }
        return;
    }
    if (key == '\b') {
        if (!text_.empty()) user_edit(text_.substr(0, text_.size() - 1));
        return;
    }
    if (static_cast<unsigned char>(key) < 32) return;
    user_edit(text_ + key);
}

// ---------------------------------------------------------------------------

TListBox::TListBox(TComponent* owner) : TWinControl(owner) {
    TabStop = true;
    SetBounds(0, 0, 121, 97);
    color_ = clWindow;
    items_.OnChange = [this] { items_changed(); };
}

void TListBox::items_changed() {
    selected_.assign(static_cast<std::size_t>(items_.Count()), 0);
    if (item_index_ >= items_.Count()) item_index_ = -1;
    if (item_index_ >= 0) selected_[static_cast<std::size_t>(item_index_)] = 1;
    changed(Prop::Items);
}

void TListBox::SetItemIndex(int i) {
    if (i < -1 || i >= items_.Count()) i = -1;
    item_index_ = i;
    if (!MultiSelect) std::fill(selected_.begin(), selected_.end(), 0);
    if (i >= 0) selected_[static_cast<std::size_t>(i)] = 1;
    changed(Prop::ItemIndex);
}

bool TListBox::Selected(int i) const {
    if (i < 0 || i >= static_cast<int>(selected_.size())) throw Exception(Format("List index out of bounds (%d)", {i}));
    return MultiSelect ? selected_[static_cast<std::size_t>(i)] != 0 : i == item_index_;
}

void TListBox::SetSelected(int i, bool s) {
    if (i < 0 || i >= static_cast<int>(selected_.size())) throw Exception(Format("List index out of bounds (%d)", {i}));
    if (!MultiSelect) {
        if (s) SetItemIndex(i);
        else if (i == item_index_) SetItemIndex(-1);
        return;
    }
    selected_[static_cast<std::size_t>(i)] = s ? 1 : 0;
    changed(Prop::Selection);
}

int TListBox::SelCount() const {
    if (!MultiSelect) return item_index_ >= 0 ? 1 : 0;
    return static_cast<int>(std::count(selected_.begin(), selected_.end(), 1));
}

void TListBox::ClearSelection() {
    std::fill(selected_.begin(), selected_.end(), 0);
    item_index_ = -1;
    changed(Prop::Selection);
}

void TListBox::Clear() {
    items_.Clear();
    item_index_ = -1;
}

void TListBox::BeginUpdate() { hold_changes(); }

void TListBox::EndUpdate() { release_changes(); }

int TListBox::ItemAtPos(int x, int y) const {
    if (x < 0 || x >= width_ || y < 0 || ItemHeight <= 0) return -1;
    const int i = TopIndex + y / ItemHeight;
    return i < items_.Count() ? i : -1;
}

TRect TListBox::ItemRect(int i) const {
    const int top = (i - TopIndex) * ItemHeight;
    return {0, top, width_, top + ItemHeight};
}

void TListBox::user_select(int i, TShiftState shift) {
    if (i < 0 || i >= items_.Count()) return;
    if (MultiSelect && (shift & ssCtrl)) {
        selected_[static_cast<std::size_t>(i)] ^= 1;
        item_index_ = i;
        changed(Prop::Selection);
    } else if (MultiSelect && (shift & ssShift) && item_index_ >= 0) {
        const int a = std::min(i, item_index_), b = std::max(i, item_index_);
        std::fill(selected_.begin(), selected_.end(), 0);
        for (int k = a; k <= b; ++k) selected_[static_cast<std::size_t>(k)] = 1;
        item_index_ = i;
        changed(Prop::Selection);
    } else {
        std::fill(selected_.begin(), selected_.end(), 0);
        SetItemIndex(i);
    }
    Click();
}

void TListBox::KeyDownDefault(Word& key, TShiftState shift) {
    const int n = items_.Count();
    if (n == 0) return;
    int i = item_index_;
    switch (key) {
        case VK_UP: i = std::max(0, i - 1); break;
        case VK_DOWN: i = std::min(n - 1, i + 1); break;
        case VK_HOME: i = 0; break;
        case VK_END: i = n - 1; break;
        default: return;
    }
    if (i != item_index_) user_select(i, shift & ssShift);
}

// ---------------------------------------------------------------------------

TCheckListBox::TCheckListBox(TComponent* owner) : TListBox(owner) {}

void TCheckListBox::items_changed() {
    checked_.resize(static_cast<std::size_t>(Items().Count()), 0);
    disabled_.resize(static_cast<std::size_t>(Items().Count()), 0);
    TListBox::items_changed();
}

bool TCheckListBox::Checked(int i) const {
    if (i < 0 || i >= static_cast<int>(checked_.size())) throw Exception(Format("List index out of bounds (%d)", {i}));
    return checked_[static_cast<std::size_t>(i)] != 0;
}

void TCheckListBox::SetChecked(int i, bool c) {
    if (i < 0 || i >= static_cast<int>(checked_.size())) throw Exception(Format("List index out of bounds (%d)", {i}));
    if ((checked_[static_cast<std::size_t>(i)] != 0) == c) return;
    checked_[static_cast<std::size_t>(i)] = c ? 1 : 0;
    changed(Prop::Checked);
}

bool TCheckListBox::ItemEnabled(int i) const {
    return i >= 0 && i < static_cast<int>(disabled_.size()) && disabled_[static_cast<std::size_t>(i)] == 0;
}

void TCheckListBox::SetItemEnabled(int i, bool e) {
    if (i < 0 || i >= static_cast<int>(disabled_.size())) return;
    disabled_[static_cast<std::size_t>(i)] = e ? 0 : 1;
    changed(Prop::Style);
}

void TCheckListBox::user_toggle(int i) {
    if (!ItemEnabled(i)) return;
    SetChecked(i, !Checked(i));
    fire(this, OnClickCheck, this);
}

void TCheckListBox::KeyPressDefault(char& key) {
    if (key == ' ' && ItemIndex() >= 0) user_toggle(ItemIndex());
}

// ---------------------------------------------------------------------------

TSpinEdit::TSpinEdit(TComponent* owner) : TCustomEdit(owner) { set_text_silently("0"); }

int TSpinEdit::clamp(int v) const {
    if (MaxValue != MinValue) v = std::clamp(v, std::min(MinValue, MaxValue), std::max(MinValue, MaxValue));
    return v;
}

int TSpinEdit::Value() const {
    int v = 0;
    if (!TryStrToInt(text_, v)) return MinValue;
    return clamp(v);
}

void TSpinEdit::SetValue(int v) { SetText(IntToStr(clamp(v))); }

void TSpinEdit::KeyDownDefault(Word& key, TShiftState shift) {
    if (key == VK_UP) StepUp();
    else if (key == VK_DOWN) StepDown();
    else TCustomEdit::KeyDownDefault(key, shift);
}

void TSpinEdit::KeyPressDefault(char& key) {
    // Only digits and the minus sign go into the number.
    if (static_cast<unsigned char>(key) >= 32 && !(key >= '0' && key <= '9') && key != '-') {
        services().beep();
        key = 0;
        return;
    }
    TCustomEdit::KeyPressDefault(key);
}

// ---------------------------------------------------------------------------

TPanel::TPanel(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 185, 41); }

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 185, 105); }

// ---------------------------------------------------------------------------
// Scroll box

int TControlScrollBar::Range() const {
    if (!box_->AutoScroll) return range_;
    int range = 0;
    for (const TControl* c : box_->children()) {
        if (!c->Visible() || c->Align() != TAlign::alNone) continue;
        range = std::max(range, horizontal_ ? c->Left() + c->Width() : c->Top() + c->Height());
    }
    return range;
}

void TControlScrollBar::SetRange(int r) {
    range_ = std::max(0, r);
    SetPosition(position_);
}

void TControlScrollBar::SetPosition(int p) {
    const int client = horizontal_ ? box_->ClientWidth() : box_->ClientHeight();
    p = std::clamp(p, 0, std::max(0, Range() - client));
    if (p == position_) return;
    position_ = p;
    box_->changed(Prop::Selection);
}

TScrollBox::TScrollBox(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 185, 41); }

void TScrollBox::ScrollInView(const TControl* c) {
    if (!c || c->Parent() != this) return;
    auto shown = [](TControlScrollBar& bar, int start, int size, int client) {
        const int pos = bar.Position();
        if (start < pos) bar.SetPosition(start);
        else if (start + size > pos + client) bar.SetPosition(std::min(start, start + size - client));
    };
    shown(horz_, c->Left(), c->Width(), ClientWidth());
    shown(vert_, c->Top(), c->Height(), ClientHeight());
}

TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 3, 100);
    SetAlign(TAlign::alLeft);
}

void TSplitter::user_move(int delta) {
    if (!parent_ || delta == 0) return;
    // The control sized is the nearest sibling aligned to the same side,
    // standing just before the splitter.
    TControl* target = nullptr;
    for (TControl* c : parent_->children()) {
        if (c == this || c->Align() != align_ || !c->Visible()) continue;
        switch (align_) {
            case TAlign::alLeft: if (c->Left() + c->Width() <= left_ + 1) target = c; break;
            case TAlign::alRight: if (c->Left() >= left_ + width_ - 1 && !target) target = c; break;
            case TAlign::alTop: if (c->Top() + c->Height() <= top_ + 1) target = c; break;
            case TAlign::alBottom: if (c->Top() >= top_ + height_ - 1 && !target) target = c; break;
            default: break;
        }
    }
    if (!target) return;
    switch (align_) {
        case TAlign::alLeft: target->SetWidth(std::max(MinSize, target->Width() + delta)); break;
        case TAlign::alRight: target->SetWidth(std::max(MinSize, target->Width() - delta)); break;
        case TAlign::alTop: target->SetHeight(std::max(MinSize, target->Height() + delta)); break;
        case TAlign::alBottom: target->SetHeight(std::max(MinSize, target->Height() - delta)); break;
        default: return;
    }
    fire(this, OnMoved, this);
}

// ---------------------------------------------------------------------------

TPaintBox::TPaintBox(TComponent* owner) : TGraphicControl(owner) {}

void TPaintBox::PaintTo(TCanvas& canvas) {
    canvas_ = &canvas;
    try {
        fire(this, OnPaint, this);
    } catch (...) {
        canvas_ = nullptr;
        throw;
    }
    canvas_ = nullptr;
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {}

void TImage::Clear() {
    picture_.ops.clear();
    Invalidate();
}

void TImage::PaintTo(TCanvas& canvas) { replay(picture_, canvas); }

void replay(const RecordingCanvas& from, TCanvas& to) {
    for (const auto& op : from.ops) {
        to.Pen = op.pen;
        to.Brush = op.brush;
        to.Font = op.font;
        const auto& a = op.args;
        auto points = [&a] {
            std::vector<TPoint> p;
            for (std::size_t i = 0; i + 1 < a.size(); i += 2) p.push_back({a[i], a[i + 1]});
            return p;
        };
        if (op.kind == "line") {
            to.MoveTo(a[0], a[1]);
            to.LineTo(a[2], a[3]);
        } else if (op.kind == "rect") to.Rectangle(a[0], a[1], a[2], a[3]);
        else if (op.kind == "fill") to.FillRect({a[0], a[1], a[2], a[3]});
        else if (op.kind == "frame") to.FrameRect({a[0], a[1], a[2], a[3]});
        else if (op.kind == "ellipse") to.Ellipse(a[0], a[1], a[2], a[3]);
        else if (op.kind == "arc") to.Arc(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]);
        else if (op.kind == "polygon") to.Polygon(points());
        else if (op.kind == "polyline") to.Polyline(points());
        else if (op.kind == "pixel") to.SetPixel(a[0], a[1], op.pen.Color);
        else if (op.kind == "text") {
            to.SetTextAlign(op.flags);
            to.TextOut(a[0], a[1], op.text);
        } else if (op.kind == "textrect") to.TextRect({a[0], a[1], a[2], a[3]}, a[4], a[5], op.text);
        else if (op.kind == "drawtext") {
            to.SetTextAlign(TA_LEFT | TA_TOP);
            to.TextOut(a[0], a[1], op.text);
        } else if (op.kind == "clip") to.SetClipRect({a[0], a[1], a[2], a[3]});
        else if (op.kind == "noclip") to.ResetClip();
    }
}
