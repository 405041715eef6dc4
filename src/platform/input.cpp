#include "platform/input.h"

#include <functional>
#include <string>
#include <vector>

#include "platform/comctrls.h"
#include "platform/forms.h"
#include "platform/grids.h"
#include "platform/menus.h"
#include "platform/stdctrls.h"
#include "platform/sysutils.h"

namespace {

// Runs a user's action guarded. When the outermost action ends (of the
// program's loop, or of a modal form's), the calls it posted run (and those
// that they post), as after every input in the window.
void guarded(const std::function<void()>& fn) {
    TApplication* app = Application();
    app->begin_input();
    try {
        app->run_guarded(fn);
    } catch (...) {
        app->end_input();
        throw;
    }
    if (app->end_input()) app->process_pending();
}

// Whether a user can reach the control: it and its parents up to the form
// are visible and enabled, and so is the form (a test may drive a form it
// did not show).
bool reachable(const TControl* c) {
    for (const TControl* p = c; p; p = p->Parent()) {
        if (dynamic_cast<const TForm*>(p)) return p->Enabled();
        if (!p->Visible() || !p->Enabled()) return false;
    }
    return true;
}

// False, after telling the services, when no user can reach the control.
bool reach(const TControl* c, const char* action) {
    if (reachable(c)) return true;
    const std::string name = c->Name().empty() ? std::string(c->ClassName()) : c->Name();
    services().unreachable_input(std::string(action) + " " + name);
    return false;
}

// A menu item a user can choose: it and the items above it are visible
// and enabled.
bool reach(const TMenuItem* m) {
    for (const TMenuItem* p = m; p; p = p->Parent())
        if (!p->Visible() || !p->Enabled()) {
            services().unreachable_input("the menu item " + StringReplace(m->Caption(), "&", "", rfReplaceAll));
            return false;
        }
    return true;
}

// A click: a control that takes the focus takes it first (its exit
// handler may refuse), then the control's click behaviour.
void press(TControl* c) {
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->CanFocus() && !dynamic_cast<TForm*>(c)) {
        w->SetFocus();
        if (!w->Focused()) return;
    }
    if (auto* cb = dynamic_cast<TCheckBox*>(c)) cb->Toggle();
    else if (auto* rb = dynamic_cast<TRadioButton*>(c)) rb->SetChecked(true);
    else c->Click();
}

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

// The windowed and graphic controls inside `parent`, depth first in child
// order; the contents of the pages of a page control but the shown one are
// left out.
void shown_controls(TWinControl* parent, std::vector<TControl*>& out) {
    for (TControl* c : parent->children()) {
        out.push_back(c);
        auto* w = dynamic_cast<TWinControl*>(c);
        if (!w) continue;
        if (auto* sheet = dynamic_cast<TTabSheet*>(w); sheet && sheet->PageControl() && sheet->PageControl()->ActivePage() != sheet)
            continue;
        shown_controls(w, out);
    }
}

// Alt and a letter: the first control (in child order) whose caption has
// that accelerator acts. A label focuses its FocusControl; a tab sheet is
// chosen; a button, check box, radio button or speed button is clicked.
// A title of the main menu with that letter is the window system's (it
// opens the menu): the controls are then left alone.
bool accelerator(TForm* form, Word key) {
    if (form->Menu)
        for (int i = 0; i < form->Menu->Items()->Count(); ++i) {
            const TMenuItem* m = form->Menu->Items()->Items(i);
            if (m->Visible() && m->Enabled() && IsAccel(key, m->Caption())) return false;
        }
    std::vector<TControl*> all;
    shown_controls(form, all);
    for (TControl* c : all) {
        if (!reachable(c)) continue;
        if (c->DialogChar(key)) return true;
        if (!IsAccel(key, c->Caption())) continue;
        if (auto* label = dynamic_cast<TLabel*>(c)) {
            TWinControl* target = label->FocusControl;
            if (!target || !target->CanFocus()) continue;
            target->SetFocus();
            if (target->Focused()) target->focused_from_keyboard();
            return true;
        }
        if (auto* sheet = dynamic_cast<TTabSheet*>(c); sheet && sheet->PageControl()) {
            sheet->PageControl()->user_select(sheet->PageIndex());
            return true;
        }
        if (dynamic_cast<TButton*>(c) || dynamic_cast<TCheckBox*>(c) || dynamic_cast<TRadioButton*>(c) ||
            dynamic_cast<TSpeedButton*>(c)) {
            press(c);
            return true;
        }
    }
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
        fire(Application(), Application()->OnMessage, msg, handled);
        if (handled) return;
        if (dispatch_shortcut(form, focused, ShortCut(key, shift))) return;
        // A shortcut that a window of its own (not modal) does not take is
        // the main window's, as the old toolkit passed it on.
        if (TForm* main = Application()->MainForm(); main && main != form && !form->Modal() &&
                                                     dispatch_shortcut(main, nullptr, ShortCut(key, shift)))
            return;
        if (form->KeyPreview) fire(form, form->OnKeyDown, form, k, shift);
        if (k == 0) return;
        // Tab, Enter and Esc, unless the focused control wants them.
        if (form->DialogKey(k, shift)) return;
    }
    if (focused && k != 0) focused->KeyDown(k, shift);
    if (k != 0 && (shift & ssAlt) && !(shift & ssCtrl) && accelerator(form, k)) return;
    if ((key != 0 && k == 0) || !has_char) return;
    TMsg cmsg{TMsg::Char, static_cast<Word>(static_cast<unsigned char>(ch)), shift, focused};
    handled = false;
    fire(Application(), Application()->OnMessage, cmsg, handled);
    if (handled) return;
    char c = ch;
    if (form->KeyPreview) fire(form, form->OnKeyPress, form, c);
    if (c != 0 && focused) focused->KeyPress(c);
}

}  // namespace

namespace user {

void click(TControl* c) {
    guarded([c] {
        if (reach(c, "click")) press(c);
    });
}

void double_click(TControl* c) {
    guarded([c] {
        if (reach(c, "double-click")) c->DblClick();
    });
}

void choose(TRadioGroup* g, int index) {
    guarded([g, index] {
        if (reach(g, "choose in")) g->SetItemIndex(index);
    });
}

void choose(TComboBox* c, int index) {
    guarded([c, index] {
        if (reach(c, "choose in")) c->user_select(index);
    });
}

void choose(TListBox* l, int index, TShiftState shift) {
    guarded([l, index, shift] {
        if (reach(l, "choose in")) l->user_select(index, shift);
    });
}

void toggle_check(TCheckListBox* l, int index) {
    guarded([l, index] {
        if (reach(l, "tick in")) l->user_toggle(index);
    });
}

void type(TWinControl* c, std::string_view text) {
    guarded([c, text] {
        if (!reach(c, "type into")) return;
        if (c->CanFocus()) c->SetFocus();
        for (const char ch : text) {
            // The virtual key of the character: letters and digits are their
            // own codes; punctuation gets the keyboard's codes; other
            // characters (letters typed with AltGr) come as characters only.
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
    });
}

void set_text(TCustomEdit* e, std::string_view text) {
    guarded([e, text] {
        if (reach(e, "paste into") && !e->ReadOnly()) e->SetText(text);
    });
}

void set_text(TComboBox* c, std::string_view text) {
    guarded([c, text] {
        if (reach(c, "paste into")) c->user_edit(text);
    });
}

void set_value(TSpinEdit* s, int value) {
    guarded([s, value] {
        if (reach(s, "set")) s->SetValue(value);
    });
}

void set_position(TTrackBar* t, int position) {
    guarded([t, position] {
        if (reach(t, "move")) t->SetPosition(position);
    });
}

void choose_page(TPageControl* p, int index) {
    guarded([p, index] {
        if (reach(p, "choose a page of")) p->user_select(index);
    });
}

void choose_tab(TTabControl* t, int index) {
    guarded([t, index] {
        if (reach(t, "choose a tab of")) t->user_select(index);
    });
}

void choose_node(TTreeView* t, TTreeNode* n) {
    guarded([t, n] {
        if (reach(t, "choose in")) t->SetSelected(n);
    });
}

void choose_menu(TMenuItem* m) {
    guarded([m] {
        if (m->Action()) m->Action()->Update();
        if (reach(m)) m->Click();
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
    guarded([c] {
        if (reach(c, "focus")) c->SetFocus();
    });
}

void close(TForm* f) {
    guarded([f] { f->Close(); });
}

void mouse_down(TControl* c, TMouseButton b, TShiftState shift, int x, int y) {
    guarded([=] {
        if (!reach(c, "press the mouse on")) return;
        if (auto* w = dynamic_cast<TWinControl*>(c); w && w->CanFocus() && !w->Focused() && !dynamic_cast<TForm*>(c)) {
            w->SetFocus();
            if (!w->Focused()) return;
        }
        c->MouseDown(b, shift, x, y);
    });
}

void mouse_move(TControl* c, TShiftState shift, int x, int y) {
    guarded([=] {
        if (reach(c, "move the mouse over")) c->MouseMove(shift, x, y);
    });
}

void mouse_up(TControl* c, TMouseButton b, TShiftState shift, int x, int y) {
    guarded([=] {
        if (reach(c, "release the mouse on")) c->MouseUp(b, shift, x, y);
    });
}

void mouse_wheel(TControl* c, TShiftState shift, int delta, int x, int y) {
    guarded([=] {
        if (reach(c, "turn the wheel over")) c->MouseWheel(shift, delta, TPoint{x, y});
    });
}

void mouse_leave(TControl* c) {
    guarded([=] {
        if (reach(c, "leave")) c->MouseLeave();
    });
}

void drag_splitter(TSplitter* s, int delta) {
    guarded([=] {
        if (reach(s, "drag")) s->user_move(delta);
    });
}

void click_cell(TStringGrid* g, int col, int row, TShiftState shift) {
    guarded([=] {
        const TRect r = g->CellRect(col, row);
        mouse_down(g, TMouseButton::mbLeft, shift | ssLeft, r.Left + 1, r.Top + 1);
        // The release clicks a cell (not a fixed one).
        mouse_up(g, TMouseButton::mbLeft, shift, r.Left + 1, r.Top + 1);
    });
}

void scroll(TStringGrid* g, bool vertical, int position) {
    guarded([=] {
        if (!reach(g, "scroll")) return;
        if (vertical) g->SetTopRow(position);
        else g->SetLeftCol(position);
    });
}

void timer(TTimer* t) {
    guarded([t] { t->fire(); });
}

}  // namespace user
