// User input: what the front end does when the user acts, and what a test
// does to play the user. Each call runs guarded: an exception that a handler
// raises is shown in the standard error box and the program goes on. When
// the outermost call ends, the calls posted meanwhile run. A call aimed at a
// control no user can reach (hidden or disabled, itself or a parent up to
// the form) or at a menu item that cannot be chosen does nothing; headless
// it raises ScriptError.
#pragma once

#include <string>
#include <string_view>

#include "platform/types.h"

class TControl;
class TWinControl;
class TForm;
class TCheckBox;
class TRadioButton;
class TRadioGroup;
class TCustomEdit;
class TComboBox;
class TListBox;
class TCheckListBox;
class TSpinEdit;
class TTrackBar;
class TPageControl;
class TTreeView;
class TTreeNode;
class TMenuItem;
class TStringGrid;
class TTabControl;
class TTimer;
class TSplitter;

namespace user {

// A click on a button, check box, radio button, speed or tool button, label...
void click(TControl* c);
void double_click(TControl* c);
// Chooses an item of a radio group.
void choose(TRadioGroup* g, int index);
// Chooses an item of a combo box's list.
void choose(TComboBox* c, int index);
// Clicks an item of a list box.
void choose(TListBox* l, int index, TShiftState shift = 0);
void toggle_check(TCheckListBox* l, int index);
// Types the text into the focused edit, character by character, through the
// key events (OnKeyPress filters may refuse or change characters). The
// control takes the focus first.
void type(TWinControl* c, std::string_view text);
// Replaces the whole text of an edit as a paste would (one OnChange).
void set_text(TCustomEdit* e, std::string_view text);
void set_text(TComboBox* c, std::string_view text);
void set_value(TSpinEdit* s, int value);
void set_position(TTrackBar* t, int position);
void choose_page(TPageControl* p, int index);
void choose_tab(TTabControl* t, int index);
void choose_node(TTreeView* t, TTreeNode* n);
void choose_menu(TMenuItem* m);
// A key going down on the active form: the message hook, the shortcuts, the
// form's key preview, the focused control; then, for a character key, the
// key press.
void key(Word key, TShiftState shift = 0);
// A key with its character (the front end knows both).
void key(Word key, TShiftState shift, char ch);
void focus(TWinControl* c);
// The user closes a form (its title bar's close button).
void close(TForm* f);
void mouse_down(TControl* c, TMouseButton b, TShiftState shift, int x, int y);
void mouse_move(TControl* c, TShiftState shift, int x, int y);
void mouse_up(TControl* c, TMouseButton b, TShiftState shift, int x, int y);
void mouse_wheel(TControl* c, TShiftState shift, int delta, int x, int y);
// The mouse leaves the control.
void mouse_leave(TControl* c);
void drag_splitter(TSplitter* s, int delta);
// A grid's cell click: the press and the release, which runs OnClick
// unless the cell is a fixed one or its editor is open.
void click_cell(TStringGrid* g, int col, int row, TShiftState shift = 0);
// A grid's scroll bar moved: the first row (vertical bar) or column shown.
void scroll(TStringGrid* g, bool vertical, int position);
// Timer interval passed.
void timer(TTimer* t);

}  // namespace user
