#include "gui/key_map.h"

#include <QKeyEvent>

#include "gui/qt_text.h"

namespace gui {

namespace {

struct KeyPair {
    int qt;
    Word vk;
};

constexpr KeyPair named_keys[] = {
    {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Tab, VK_TAB}, {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN}, {Qt::Key_Enter, VK_RETURN}, {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU}, {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE}, {Qt::Key_PageUp, VK_PRIOR}, {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END}, {Qt::Key_Home, VK_HOME}, {Qt::Key_Left, VK_LEFT}, {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT}, {Qt::Key_Down, VK_DOWN}, {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE}, {Qt::Key_Pause, 0x13}, {Qt::Key_CapsLock, 0x14},
    {Qt::Key_Print, 0x2C}, {Qt::Key_Menu, 0x5D}, {Qt::Key_NumLock, 0x90}, {Qt::Key_ScrollLock, 0x91},
};

// Punctuation: the key's OEM code, shifted symbols of a US layout included.
constexpr KeyPair punctuation[] = {
    {Qt::Key_Semicolon, 0xBA}, {Qt::Key_Colon, 0xBA}, {Qt::Key_Equal, 0xBB}, {Qt::Key_Plus, 0xBB},
    {Qt::Key_Comma, 0xBC}, {Qt::Key_Less, 0xBC}, {Qt::Key_Minus, 0xBD}, {Qt::Key_Underscore, 0xBD},
    {Qt::Key_Period, 0xBE}, {Qt::Key_Greater, 0xBE}, {Qt::Key_Slash, 0xBF}, {Qt::Key_Question, 0xBF},
    {Qt::Key_QuoteLeft, 0xC0}, {Qt::Key_AsciiTilde, 0xC0}, {Qt::Key_BracketLeft, 0xDB},
    {Qt::Key_BraceLeft, 0xDB}, {Qt::Key_Backslash, 0xDC}, {Qt::Key_Bar, 0xDC},
    {Qt::Key_BracketRight, 0xDD}, {Qt::Key_BraceRight, 0xDD}, {Qt::Key_Apostrophe, 0xDE},
    {Qt::Key_QuoteDbl, 0xDE},
    // Shifted digits.
    {Qt::Key_Exclam, '1'}, {Qt::Key_At, '2'}, {Qt::Key_NumberSign, '3'}, {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'}, {Qt::Key_AsciiCircum, '6'}, {Qt::Key_Ampersand, '7'},
    {Qt::Key_Asterisk, '8'}, {Qt::Key_ParenLeft, '9'}, {Qt::Key_ParenRight, '0'},
};

constexpr KeyPair numpad_keys[] = {
    {Qt::Key_Plus, VK_ADD}, {Qt::Key_Minus, VK_SUBTRACT}, {Qt::Key_Asterisk, VK_MULTIPLY},
    {Qt::Key_Slash, VK_DIVIDE}, {Qt::Key_Period, VK_DECIMAL}, {Qt::Key_Comma, VK_DECIMAL},
    {Qt::Key_Enter, VK_RETURN},
};

}  // namespace

Word vk_from_qt(int k, bool keypad) {
    if (keypad) {
        if (k >= Qt::Key_0 && k <= Qt::Key_9) return static_cast<Word>(VK_NUMPAD0 + (k - Qt::Key_0));
        for (const auto& p : numpad_keys)
            if (p.qt == k) return p.vk;
    }
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return static_cast<Word>(k);
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return static_cast<Word>(k);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return static_cast<Word>(VK_F1 + (k - Qt::Key_F1));
    for (const auto& p : named_keys)
        if (p.qt == k) return p.vk;
    for (const auto& p : punctuation)
        if (p.qt == k) return p.vk;
    return 0;
}

TShiftState shift_from_qt(Qt::KeyboardModifiers mods) {
    TShiftState s = 0;
    if (mods & Qt::ShiftModifier) s |= ssShift;
    if (mods & Qt::ControlModifier) s |= ssCtrl;
    if (mods & Qt::AltModifier) s |= ssAlt;
    return s;
}

TShiftState shift_from_qt(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons) {
    TShiftState s = shift_from_qt(mods);
    if (buttons & Qt::LeftButton) s |= ssLeft;
    if (buttons & Qt::RightButton) s |= ssRight;
    if (buttons & Qt::MiddleButton) s |= ssMiddle;
    return s;
}

TMouseButton button_from_qt(Qt::MouseButton b) {
    switch (b) {
        case Qt::RightButton: return TMouseButton::mbRight;
        case Qt::MiddleButton: return TMouseButton::mbMiddle;
        default: return TMouseButton::mbLeft;
    }
}

char char_from_event(const QKeyEvent& e, bool& representable) {
    representable = true;
    const QString text = e.text();
    if (text.size() != 1) return 0;
    // Ctrl or Alt make a command, not a character; both together are AltGr
    // on some systems, which types the layout's extra letters.
    const Qt::KeyboardModifiers ca = e.modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (ca && ca != (Qt::ControlModifier | Qt::AltModifier)) return 0;
    const char16_t u = text.at(0).unicode();
    if (u == '\r' || u == '\b' || u == 0x1B) return static_cast<char>(u);
    if (u < 32 || u == 0x7F) return 0;
    bool lossy = false;
    const std::string c = cp(text, &lossy);
    if (lossy || c.size() != 1) {
        representable = false;
        return 0;
    }
    return c[0];
}

}  // namespace gui
