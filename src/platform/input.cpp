#include "platform/input.h"

#include "platform/comctrls.h"
#include "platform/forms.h"
#include "platform/grids.h"
#include "platform/menus.h"
#include "platform/stdctrls.h"

namespace {

void guarded(const std::function<void()>& fn) { Application()->run_guarded(fn); }

// Shortcuts: popup menus of the focused control and its parents, then the
// form's main menu, then the form's action lists in creation order.
bool dispatch_shortcut(TForm* form, TWinControl* focused, TShortCut sc) {
    for (TControl* c = focused; c; c = c->Parent())
        if (c->PopupMenu && c->PopupMenu->IsShortCut(sc)) return true;
    if (form->Menu && form->Menu->IsShortCut(sc)) return true;
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (auto* list = dynamic_cast<TActionList*>(form->Components(i)); list && list->IsShortCut(sc)) return true;
    return false;
}

void key_down(Word key, TShiftState shift, char ch, bool has_char) {
    TForm* form = Application()->ActiveForm();
    if (!form) return;
    TWinControl* focused = form->ActiveControl();
    bool handled = false;
    Word k = key;
    if (key != 0) {
        TMsg msg{TMsg::KeyDown, key, shift, focused};
        if (Application()->OnMessage) Application()->OnMessage(msg, handled);
        if (handled) return;
        if (dispatch_shortcut(form, focused, ShortCut(key, shift))) return;
        if (form->KeyPreview && form->OnKeyDown) form->OnKeyDown(form, k, shift);
        if (k == 0) return;
    }
    // A dialog's Enter and Esc go to its default and cancel buttons unless the
    // focused control is itself a button.
    if ((k == VK_RETURN || k == VK_ESCAPE) && !dynamic_cast<TButton*>(focused) && !dynamic_cast<TMemo*>(focused)) {
        for (int i = 0; i < form->ComponentCount(); ++i)
            if (auto* b = dynamic_cast<TButton*>(form->Components(i));
                b && b->Showing() && b->Enabled() && ((k == VK_RETURN && b->Default) || (k == VK_ESCAPE && b->Cancel))) {
                b->Click();
                return;
            }
    }
    if (focused && k != 0) focused->KeyDown(k, shift);
    if ((key != 0 && k == 0) || !has_char) return;
    TMsg cmsg{TMsg::Char, static_cast<Word>(static_cast<unsigned char>(ch)), shift, focused};
    handled = false;
    if (Application()->OnMessage) Application()->OnMessage(cmsg, handled);
    if (handled) return;
    char c = ch;
    if (form->KeyPreview && form->OnKeyPress) form->OnKeyPress(form, c);
    if (c != 0 && focused) focused->KeyPress(c);
}

}  // namespace

namespace user {

void click(TControl* c) {
    guarded([c] {
        if (!c->Enabled() || !c->Visible()) return;
        if (auto* w = dynamic_cast<TWinControl*>(c); w && w->CanFocus() && !dynamic_cast<TForm*>(c)) w->SetFocus();
        if (auto* cb = dynamic_cast<TCheckBox*>(c)) cb->Toggle();
        else if (auto* rb = dynamic_cast<TRadioButton*>(c)) rb->SetChecked(true);
        else c->Click();
    });
}

void double_click(TControl* c) {
    guarded([c] {
        if (c->Enabled()) c->DblClick();
    });
}

void choose(TRadioGroup* g, int index) {
    guarded([g, index] {
        if (g->Enabled()) g->SetItemIndex(index);
    });
}

void choose(TComboBox* c, int index) {
    guarded([c, index] {
        if (c->Enabled()) c->user_select(index);
    });
}

void choose(TListBox* l, int index, TShiftState shift) {
    guarded([l, index, shift] {
        if (l->Enabled()) l->user_select(index, shift);
    });
}

void toggle_check(TCheckListBox* l, int index) {
    guarded([l, index] {
        if (l->Enabled()) l->user_toggle(index);
    });
}

void type(TWinControl* c, std::string_view text) {
    guarded([c] {
        if (c->CanFocus()) c->SetFocus();
    });
    for (const char ch : text) {
        // The virtual key of the character: letters and digits are their own
        // codes; punctuation gets the keyboard's codes; other characters
        // (letters typed with AltGr) come as characters only.
        Word vk = 0;
        TShiftState shift = 0;
        if (ch >= 'a' && ch <= 'z') vk = static_cast<Word>(ch - 32);
        else if (ch >= 'A' && ch <= 'Z') { vk = static_cast<Word>(ch); shift = ssShift; }
        else if ((ch >= '0' && ch <= '9') || ch == ' ') vk = static_cast<Word>(ch);
        else if (ch == '\r') vk = VK_RETURN;
        else if (ch == '\b') vk = VK_BACK;
        else if (ch == '.') vk = 0xBE;
        else if (ch == ',') vk = 0xBC;
        else if (ch == '-') vk = 0xBD;
        else if (ch == '/') vk = 0xBF;
        key(vk, shift, ch);
    }
}

void set_text(TCustomEdit* e, std::string_view text) {
    guarded([e, text] {
        if (e->Enabled() && !e->ReadOnly()) e->SetText(text);
    });
}

void set_text(TComboBox* c, std::string_view text) {
    guarded([c, text] {
        if (c->Enabled()) c->user_edit(text);
    });
}

void set_value(TSpinEdit* s, int value) {
    guarded([s, value] {
        if (s->Enabled()) s->SetValue(value);
    });
}

void set_position(TTrackBar* t, int position) {
    guarded([t, position] {
        if (t->Enabled()) t->SetPosition(position);
    });
}

void choose_page(TPageControl* p, int index) {
    guarded([p, index] {
        if (p->Enabled()) p->user_select(index);
    });
}

void choose_tab(TTabControl* t, int index) {
    guarded([t, index] {
        if (t->Enabled()) t->user_select(index);
    });
}

void choose_node(TTreeView* t, TTreeNode* n) {
    guarded([t, n] {
        if (t->Enabled()) t->SetSelected(n);
    });
}

void choose_menu(TMenuItem* m) {
    guarded([m] {
        if (m->Action()) m->Action()->Update();
        if (m->Enabled() && m->Visible()) m->Click();
    });
}

void key(Word k, TShiftState shift) {
    // Keys that type a character: letters, digits, blank, Enter, Backspace.
    char ch = 0;
    bool has_char = false;
    if (!(shift & (ssCtrl | ssAlt))) {
        if (k >= 'A' && k <= 'Z') {
            ch = static_cast<char>((shift & ssShift) ? k : k + 32);
            has_char = true;
        } else if ((k >= '0' && k <= '9' && !(shift & ssShift)) || k == VK_SPACE) {
            ch = static_cast<char>(k);
            has_char = true;
        } else if (k == VK_RETURN || k == VK_BACK || k == VK_ESCAPE || k == VK_TAB) {
            ch = static_cast<char>(k);
            has_char = k != VK_TAB;
        }
    }
    guarded([k, shift, ch, has_char] { key_down(k, shift, ch, has_char); });
}

void key(Word k, TShiftState shift, char ch) {
    guarded([k, shift, ch] { key_down(k, shift, ch, ch != 0); });
}

void focus(TWinControl* c) {
    guarded([c] { c->SetFocus(); });
}

void close(TForm* f) {
    guarded([f] { f->Close(); });
}

void mouse_down(TControl* c, TMouseButton b, TShiftState shift, int x, int y) {
    guarded([=] {
        if (!c->Enabled()) return;
        if (auto* w = dynamic_cast<TWinControl*>(c); w && w->CanFocus() && !w->Focused()) w->SetFocus();
        c->MouseDown(b, shift, x, y);
    });
}

void mouse_move(TControl* c, TShiftState shift, int x, int y) {
    guarded([=] { c->MouseMove(shift, x, y); });
}

void mouse_up(TControl* c, TMouseButton b, TShiftState shift, int x, int y) {
    guarded([=] {
        if (c->Enabled()) c->MouseUp(b, shift, x, y);
    });
}

void mouse_wheel(TControl* c, TShiftState shift, int delta, int x, int y) {
    guarded([=] {
        if (c->Enabled()) c->MouseWheel(shift, delta, TPoint{x, y});
    });
}

void drag_splitter(TSplitter* s, int delta) {
    guarded([=] { s->user_move(delta); });
}

void click_cell(TStringGrid* g, int col, int row, TShiftState shift) {
    const TRect r = g->CellRect(col, row);
    mouse_down(g, TMouseButton::mbLeft, shift | ssLeft, r.Left + 1, r.Top + 1);
    mouse_up(g, TMouseButton::mbLeft, shift, r.Left + 1, r.Top + 1);
    guarded([g] { g->Click(); });
}

void timer(TTimer* t) {
    guarded([t] { t->fire(); });
}

}  // namespace user
