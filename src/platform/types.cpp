#include "platform/types.h"

#include <cctype>

#include "platform/sysutils.h"

namespace {

struct NamedColor {
    TColor color;
    const char* name;
};

// Names in the order the old toolkit searched them (the first name of a
// value wins when writing).
constexpr NamedColor named_colors[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"}, {clCream, "clCream"}, {clMedGray, "clMedGray"},
    {0x80000000, "clScrollBar"}, {0x80000001, "clBackground"}, {0x80000002, "clActiveCaption"},
    {0x80000003, "clInactiveCaption"}, {0x80000004, "clMenu"}, {0x80000005, "clWindow"},
    {0x80000006, "clWindowFrame"}, {0x80000007, "clMenuText"}, {0x80000008, "clWindowText"},
    {0x80000009, "clCaptionText"}, {0x8000000A, "clActiveBorder"}, {0x8000000B, "clInactiveBorder"},
    {0x8000000C, "clAppWorkSpace"}, {0x8000000D, "clHighlight"}, {0x8000000E, "clHighlightText"},
    {0x8000000F, "clBtnFace"}, {0x80000010, "clBtnShadow"}, {0x80000011, "clGrayText"},
    {0x80000012, "clBtnText"}, {0x80000013, "clInactiveCaptionText"}, {0x80000014, "clBtnHighlight"},
    {0x80000015, "cl3DDkShadow"}, {0x80000016, "cl3DLight"}, {0x80000017, "clInfoText"},
    {0x80000018, "clInfoBk"}, {clNone, "clNone"}, {clDefault, "clDefault"},
    {clLtGray, "clLtGray"}, {clDkGray, "clDkGray"},
};

// Usual RGB values of the system colours 0..24.
constexpr TColor system_rgb[25] = {
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000, 0x000000,
    0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xFF9933, 0xFFFFFF, 0xF0F0F0, 0xA0A0A0, 0x6D6D6D,
    0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000, 0xE1FFFF,
};

struct KeyName {
    Word key;
    const char* name;
};
constexpr KeyName key_names[] = {
    {VK_BACK, "BkSp"}, {VK_TAB, "Tab"}, {VK_ESCAPE, "Esc"}, {VK_RETURN, "Enter"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"}, {VK_END, "End"}, {VK_HOME, "Home"}, {VK_LEFT, "Left"},
    {VK_UP, "Up"}, {VK_RIGHT, "Right"}, {VK_DOWN, "Down"}, {VK_INSERT, "Ins"}, {VK_DELETE, "Del"},
    {VK_ADD, "Num +"}, {VK_SUBTRACT, "Num -"}, {VK_MULTIPLY, "Num *"}, {VK_DIVIDE, "Num /"},
};

std::string key_text(Word key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F12) return "F" + IntToStr(key - VK_F1 + 1);
    for (const auto& k : key_names)
        if (k.key == key) return k.name;
    return {};
}

}  // namespace

TColor ColorToRGB(TColor c) {
    if ((c & 0xFF000000u) == 0x80000000u && (c & 0xFF) < 25) return system_rgb[c & 0xFF];
    return c & 0x00FFFFFFu;
}

std::string ColorToString(TColor c) {
    for (const auto& n : named_colors)
        if (n.color == c) return n.name;
    return Format("$%.8x", {static_cast<int64_t>(c)});
}

bool TryStringToColor(std::string_view text, TColor& out) {
    const std::string t = Trim(text);
    for (const auto& n : named_colors)
        if (SameText(t, n.name)) {
            out = n.color;
            return true;
        }
    int64_t v = 0;
    if (!TryStrToInt64(t, v) || v < -2147483648LL || v > 0xFFFFFFFFLL) return false;
    out = static_cast<TColor>(v);
    return true;
}

TColor StringToColor(std::string_view text) {
    TColor c = 0;
    if (!TryStringToColor(text, c)) throw EConvertError(Format("'%s' is not a valid integer value", {std::string(text)}));
    return c;
}

TShortCut ShortCut(Word key, TShiftState shift) {
    TShortCut sc = key & 0xFF;
    if (shift & ssShift) sc |= scShift;
    if (shift & ssCtrl) sc |= scCtrl;
    if (shift & ssAlt) sc |= scAlt;
    return sc;
}

void ShortCutToKey(TShortCut sc, Word& key, TShiftState& shift) {
    key = sc & 0xFF;
    shift = 0;
    if (sc & scShift) shift |= ssShift;
    if (sc & scCtrl) shift |= ssCtrl;
    if (sc & scAlt) shift |= ssAlt;
}

std::string ShortCutToText(TShortCut sc) {
    const std::string name = key_text(sc & 0xFF);
    if (name.empty()) return {};
    std::string s;
    if (sc & scShift) s += "Shift+";
    if (sc & scCtrl) s += "Ctrl+";
    if (sc & scAlt) s += "Alt+";
    return s + name;
}

TShortCut TextToShortCut(std::string_view text) {
    std::string rest(text);
    TShortCut flags = 0;
    for (;;) {
        if (SameText(Copy(rest, 1, 6), "Shift+")) { flags |= scShift; rest.erase(0, 6); }
        else if (SameText(Copy(rest, 1, 5), "Ctrl+")) { flags |= scCtrl; rest.erase(0, 5); }
        else if (SameText(Copy(rest, 1, 4), "Alt+")) { flags |= scAlt; rest.erase(0, 4); }
        else break;
    }
    for (int k = 1; k < 256; ++k) {
        const std::string n = key_text(static_cast<Word>(k));
        if (!n.empty() && SameText(n, rest)) return static_cast<TShortCut>(k | flags);
    }
    return 0;
}
