// Qt keys, modifiers and mouse buttons as the toolkit's virtual keys and
// shift states.
#pragma once

#include <Qt>

#include "platform/types.h"

class QKeyEvent;

namespace gui {

// The virtual key of a Qt key: letters and digits their upper-case ASCII
// code, VK_* for the named keys, the OEM codes for punctuation (';' 0xBA,
// '=' 0xBB, ',' 0xBC, '-' 0xBD, '.' 0xBE, '/' 0xBF, '`' 0xC0, '[' 0xDB,
// '\' 0xDC, ']' 0xDD, '\'' 0xDE; shifted symbols of a US layout map to the
// key they are typed with), numpad keys (with `keypad`) VK_NUMPAD0.. and the
// arithmetic VK_*; 0 for a key without a code (a letter typed with AltGr).
Word vk_from_qt(int qt_key, bool keypad);

// Shift, Ctrl and Alt of the modifiers.
TShiftState shift_from_qt(Qt::KeyboardModifiers mods);
// The same plus the mouse buttons held.
TShiftState shift_from_qt(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons);
TMouseButton button_from_qt(Qt::MouseButton b);

// The character a key event types, as a Windows-1250 byte: printable
// characters, Enter, Backspace and Esc; 0 for none (Ctrl or Alt held alone,
// Tab, Delete, function keys). Ctrl+Alt together (AltGr) still types. `representable` becomes false when the event types
// a character that Windows-1250 cannot hold (then 0 is returned).
char char_from_event(const QKeyEvent& e, bool& representable);

}  // namespace gui
