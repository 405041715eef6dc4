// Windows-1250 text.
//
// Every text inside the program is a std::string holding Windows-1250 bytes,
// exactly as the program's files hold them. Conversion to Unicode happens only
// at the edges: the Qt front end and the clipboard (UTF-16) and file names
// handed to the operating system (UTF-8).
//
// A source literal that holds a non-ASCII character is written in UTF-8 with
// the suffix _cp, which converts it to Windows-1250 at compile time:
//     std::string s = "Nie można"_cp;
// A character that Windows-1250 cannot hold is a compile error.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace cp1250_detail {

// Unicode code points of the bytes 0x80..0xFF. The five bytes that the code
// page leaves undefined (0x81, 0x83, 0x88, 0x90, 0x98) map to the C1 control
// with the same number, so every byte survives a round trip.
inline constexpr char32_t high_half[128] = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// The byte for a code point, or -1 when Windows-1250 has none.
constexpr int byte_of(char32_t cp) {
    if (cp < 0x80) return static_cast<int>(cp);
    for (int i = 0; i < 128; ++i)
        if (high_half[i] == cp) return 0x80 + i;
    return -1;
}

// Decodes one UTF-8 sequence starting at s[i]; advances i. Returns
// 0xFFFFFFFF for a malformed sequence (one byte is consumed).
constexpr char32_t decode_utf8(const char* s, std::size_t n, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) { ++i; return b0; }
    int extra = 0;
    char32_t cp = 0;
    if ((b0 & 0xE0) == 0xC0) { extra = 1; cp = b0 & 0x1F; }
    else if ((b0 & 0xF0) == 0xE0) { extra = 2; cp = b0 & 0x0F; }
    else if ((b0 & 0xF8) == 0xF0) { extra = 3; cp = b0 & 0x07; }
    else { ++i; return 0xFFFFFFFF; }
    for (int k = 1; k <= extra; ++k) {
        if (i + k >= n) { ++i; return 0xFFFFFFFF; }
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) { ++i; return 0xFFFFFFFF; }
        cp = (cp << 6) | (b & 0x3F);
    }
    i += extra + 1;
    return cp;
}

template <std::size_t N>
struct Utf8Literal {
    char data[N]{};
    constexpr Utf8Literal(const char (&s)[N]) {
        for (std::size_t i = 0; i < N; ++i) data[i] = s[i];
    }
};

template <std::size_t N>
constexpr std::array<char, N> to_cp1250(const Utf8Literal<N>& lit) {
    std::array<char, N> out{};
    std::size_t o = 0;
    std::size_t i = 0;
    const std::size_t n = N - 1;  // without the terminating zero
    while (i < n) {
        const char32_t cp = decode_utf8(lit.data, n, i);
        const int b = byte_of(cp);
        if (cp == 0xFFFFFFFF || b < 0)
            throw "character not representable in Windows-1250";  // compile error
        out[o++] = static_cast<char>(b);
    }
    out[o] = '\0';
    return out;
}

template <Utf8Literal L>
struct Converted {
    static constexpr std::array<char, sizeof(L.data)> value = to_cp1250(L);
};

}  // namespace cp1250_detail

// "Zażółć"_cp: the Windows-1250 bytes of a UTF-8 source literal.
template <cp1250_detail::Utf8Literal L>
constexpr const char* operator""_cp() {
    return cp1250_detail::Converted<L>::value.data();
}

// Code point of one Windows-1250 byte.
constexpr char32_t cp1250_to_unicode(unsigned char b) {
    return b < 0x80 ? char32_t(b) : cp1250_detail::high_half[b - 0x80];
}

// Byte of a code point, or -1 when Windows-1250 has none.
constexpr int unicode_to_cp1250(char32_t cp) { return cp1250_detail::byte_of(cp); }

std::string cp1250_to_utf8(std::string_view text);
std::u16string cp1250_to_utf16(std::string_view text);

// Conversions into Windows-1250. A character the code page cannot hold
// becomes the replacement character; *lossy (when given) tells whether any did.
std::string utf8_to_cp1250(std::string_view text, char replacement = '?', bool* lossy = nullptr);
std::string utf16_to_cp1250(std::u16string_view text, char replacement = '?', bool* lossy = nullptr);
