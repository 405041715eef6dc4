// Basic types of the window toolkit: colours, geometry, keys, shortcuts,
// modal results and message-box codes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// ---------------------------------------------------------------------------
// Colours: 0x00BBGGRR, or a system colour (0x80000000 | index).
using TColor = uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clMoneyGreen = 0xC0DCC0;
inline constexpr TColor clSkyBlue = 0xF0CAA6;
inline constexpr TColor clCream = 0xF0FBFF;
inline constexpr TColor clMedGray = 0xA4A0A0;
inline constexpr TColor clLtGray = 0xC0C0C0;
inline constexpr TColor clDkGray = 0x808080;
inline constexpr TColor clActiveCaption = 0x80000002;
inline constexpr TColor clInfoBk = 0x80000018;
inline constexpr TColor clInfoText = 0x80000017;
inline constexpr TColor clBtnFace = 0x8000000F;
inline constexpr TColor clBtnText = 0x80000012;
inline constexpr TColor clWindow = 0x80000005;
inline constexpr TColor clWindowText = 0x80000008;
inline constexpr TColor clHighlight = 0x8000000D;
inline constexpr TColor clHighlightText = 0x8000000E;
inline constexpr TColor clGrayText = 0x80000011;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

// A system colour resolved to its usual RGB value; other colours unchanged.
TColor ColorToRGB(TColor c);
// "clRed" for a named colour, otherwise "$00BBGGRR" (eight hexadecimal digits).
std::string ColorToString(TColor c);
// Reads either form back; false when the text is neither.
bool TryStringToColor(std::string_view text, TColor& out);
// Raises EConvertError for a text that is neither form.
TColor StringToColor(std::string_view text);

// ---------------------------------------------------------------------------
// Geometry.
struct TPoint {
    int x = 0;
    int y = 0;
    bool operator==(const TPoint&) const = default;
};
struct TSize {
    int cx = 0;
    int cy = 0;
    bool operator==(const TSize&) const = default;
};
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    bool operator==(const TRect&) const = default;
};
inline TRect Rect(int l, int t, int r, int b) { return TRect{l, t, r, b}; }
inline TPoint Point(int x, int y) { return TPoint{x, y}; }

// ---------------------------------------------------------------------------
// Keys and shift states.
using Word = uint16_t;

enum TShiftFlag : unsigned {
    ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64
};
using TShiftState = unsigned;  // a set of TShiftFlag

enum : Word {
    VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10, VK_CONTROL = 0x11, VK_MENU = 0x12,
    VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23, VK_HOME = 0x24,
    VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28, VK_INSERT = 0x2D, VK_DELETE = 0x2E,
    VK_F1 = 0x70, VK_F2 = 0x71, VK_F3 = 0x72, VK_F4 = 0x73, VK_F5 = 0x74, VK_F6 = 0x75, VK_F7 = 0x76,
    VK_F8 = 0x77, VK_F9 = 0x78, VK_F10 = 0x79, VK_F11 = 0x7A, VK_F12 = 0x7B,
    VK_ADD = 0x6B, VK_SUBTRACT = 0x6D, VK_MULTIPLY = 0x6A, VK_DIVIDE = 0x6F, VK_DECIMAL = 0x6E,
    VK_NUMPAD0 = 0x60,
};
// Letters and digits use their upper-case ASCII code ('A', '0').

// A shortcut: the key in the low byte plus these flags.
using TShortCut = Word;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
inline constexpr TShortCut scNone = 0;

TShortCut ShortCut(Word key, TShiftState shift);
void ShortCutToKey(TShortCut sc, Word& key, TShiftState& shift);
// "Ctrl+S", "Shift+F5", "Del", "Ctrl+Ins"...
std::string ShortCutToText(TShortCut sc);
// The reverse; 0 for a text that is no shortcut.
TShortCut TextToShortCut(std::string_view text);

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// ---------------------------------------------------------------------------
// Modal results and message boxes.
using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrAll = 8;

// Buttons (low nibble), icons and default button of a message box.
inline constexpr unsigned MB_OK = 0x0;
inline constexpr unsigned MB_OKCANCEL = 0x1;
inline constexpr unsigned MB_YESNOCANCEL = 0x3;
inline constexpr unsigned MB_YESNO = 0x4;
// Our own button set: a single Yes button (answer IDYES).
inline constexpr unsigned MB_YESONLY = 0x8;
inline constexpr unsigned MB_ICONERROR = 0x10;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONWARNING = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;
inline constexpr unsigned MB_DEFBUTTON2 = 0x100;
inline constexpr unsigned MB_DEFBUTTON3 = 0x200;
inline constexpr unsigned MB_BUTTONS_MASK = 0xF;
inline constexpr unsigned MB_ICON_MASK = 0xF0;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Mouse cursors.
enum class TCursor { crDefault, crHourGlass, crArrow, crCross, crHandPoint, crSizeAll, crDrag, crIBeam, crNo };
