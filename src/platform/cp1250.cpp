#include "platform/cp1250.h"

namespace {

void append_utf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char encode(char32_t cp, char replacement, bool& lossy) {
    const int b = cp == 0xFFFFFFFF ? -1 : unicode_to_cp1250(cp);
    if (b < 0) {
        lossy = true;
        return replacement;
    }
    return static_cast<char>(b);
}

}  // namespace

std::string cp1250_to_utf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (const char c : text) append_utf8(out, cp1250_to_unicode(static_cast<unsigned char>(c)));
    return out;
}

std::u16string cp1250_to_utf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (const char c : text) out += static_cast<char16_t>(cp1250_to_unicode(static_cast<unsigned char>(c)));
    return out;
}

std::string utf8_to_cp1250(std::string_view text, char replacement, bool* lossy) {
    std::string out;
    out.reserve(text.size());
    bool lost = false;
    std::size_t i = 0;
    while (i < text.size()) {
        const char32_t cp = cp1250_detail::decode_utf8(text.data(), text.size(), i);
        out += encode(cp, replacement, lost);
    }
    if (lossy) *lossy = lost;
    return out;
}

std::string utf16_to_cp1250(std::u16string_view text, char replacement, bool* lossy) {
    std::string out;
    out.reserve(text.size());
    bool lost = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        out += encode(cp, replacement, lost);
    }
    if (lossy) *lossy = lost;
    return out;
}
