#include "platform/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

constexpr double powers_of_ten[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8, 1e9,
                                    1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18};

// The significant digits of a text "d.ddde-XX" of to_chars' scientific form
// into `digits`; returns their count and sets `exponent` so that the value
// is 0.d1d2... x 10^exponent.
int split_scientific(const char* text, const char* end, char* digits, int& exponent) {
    int count = 0;
    digits[count++] = text[0];
    const char* p = text + 1;
    if (p < end && *p == '.')
        for (++p; p < end && *p != 'e'; ++p) digits[count++] = *p;
    int e10 = 0;
    if (p < end && *p == 'e') {
        ++p;
        const bool negative = *p == '-';
        if (*p == '-' || *p == '+') ++p;
        for (; p < end; ++p) e10 = 10 * e10 + (*p - '0');
        if (negative) e10 = -e10;
    }
    exponent = e10 + 1;
    return count;
}

}  // namespace

char* put_general_text(char* out, double v, int precision, char separator) {
    if (precision < 1) precision = 1;
    if (precision > 18) precision = 18;
    if (v == 0) {
        *out++ = '0';
        return out;
    }
    const double magnitude = std::fabs(v);
    if (magnitude < powers_of_ten[precision] && v == std::trunc(v))
        return std::to_chars(out, out + general_text_room, static_cast<int64_t>(v)).ptr;

    char digits[24];
    int exponent = 0;
    int count = 19;
    if (precision <= 15 && magnitude >= std::numeric_limits<double>::min()) {
        // The shortest text that reads back as the value. When it has no
        // more digits than asked, it is also what rounding the value's 18
        // digits would give: the value lies within half a unit of its last
        // binary place of it, far less than half a unit of the precision's
        // last digit up to 15 digits (not so for the subnormal values,
        // whose binary places are fewer).
        char text[40];
        const auto r = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific);
        count = split_scientific(text, r.ptr, digits, exponent);
        while (count > 0 && digits[count - 1] == '0') --count;
    }
    if (count > precision) {
        // 18 digits correctly rounded, then rounded half away from zero.
        char text[40];
        const auto r = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, 17);
        count = split_scientific(text, r.ptr, digits, exponent);
        while (count > 0 && digits[count - 1] == '0') --count;
        if (count > precision) {
            const bool up = digits[precision] >= '5';
            count = precision;
            if (up) {
                int i = count - 1;
                while (i >= 0 && digits[i] == '9') digits[i--] = '0';
                if (i < 0) {
                    for (int k = count; k > 0; --k) digits[k] = digits[k - 1];
                    digits[0] = '1';
                    ++count;
                    ++exponent;
                } else {
                    ++digits[i];
                }
            }
            while (count > 0 && digits[count - 1] == '0') --count;
        }
    }
    if (v < 0) *out++ = '-';
    if (exponent > precision || exponent < -3) {
        *out++ = digits[0];
        if (count > 1) {
            *out++ = separator;
            std::memcpy(out, digits + 1, static_cast<std::size_t>(count - 1));
            out += count - 1;
        }
        const int shown = exponent - 1;
        *out++ = 'E';
        if (shown < 0) *out++ = '-';
        return std::to_chars(out, out + 8, shown < 0 ? -shown : shown).ptr;
    }
    if (exponent <= 0) {
        *out++ = '0';
        *out++ = separator;
        for (int i = 0; i < -exponent; ++i) *out++ = '0';
        std::memcpy(out, digits, static_cast<std::size_t>(count));
        return out + count;
    }
    for (int i = 0; i < exponent; ++i) *out++ = i < count ? digits[i] : '0';
    if (count > exponent) {
        *out++ = separator;
        std::memcpy(out, digits + exponent, static_cast<std::size_t>(count - exponent));
        out += count - exponent;
    }
    return out;
}
