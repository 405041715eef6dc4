#include "model/utils.h"

#include <charconv>
#include <cmath>

#include "platform/ini.h"
#include "platform/sysutils.h"

// ---------------------------------------------------------------------------
// Ini values.

void ini_string(std::string_view path, std::string_view section, std::string_view key, std::string_view value,
                char mode, std::string& out) {
    if (mode == 'r') out = ini_read(path, section, key, value);
    else if (mode == 'w') ini_write(path, section, key, value);
}

std::string ini_string(std::string_view path, std::string_view section, std::string_view key, std::string_view def) {
    return ini_read(path, section, key, def);
}

// ---------------------------------------------------------------------------
// Texts.

std::string replace_all(std::string_view pattern, std::string_view replacement, std::string_view text) {
    if (text.empty() || pattern.empty()) return std::string(text);
    if (replacement.size() >= pattern.size()) return string_replace_all(pattern, replacement, text);
    // Replacing the first occurrence and searching again from the start, in
    // one walk: the text is copied character by character and the copy never
    // holds the pattern, so the first occurrence is always the one ending at
    // the copy's last character. Its replacement is walked again (it may make
    // the pattern with what stands before it); each replacement shortens the
    // text, so the walk ends.
    std::string out;
    out.reserve(text.size());
    std::string again;  // characters to walk before the rest of the text
    std::size_t next = 0;
    std::string_view rest = text;
    while (next < again.size() || !rest.empty()) {
        if (next < again.size()) {
            out.push_back(again[next++]);
        } else {
            out.push_back(rest.front());
            rest.remove_prefix(1);
        }
        if (out.size() >= pattern.size() && std::string_view(out).substr(out.size() - pattern.size()) == pattern) {
            out.resize(out.size() - pattern.size());
            again = std::string(replacement) + again.substr(next);
            next = 0;
        }
    }
    return out;
}

std::string string_replace_all(std::string_view pattern, std::string_view replacement, std::string_view text) {
    if (pattern.empty()) return std::string(text);
    std::string out;
    std::size_t i = 0;
    for (;;) {
        const std::size_t p = text.find(pattern, i);
        if (p == std::string_view::npos) break;
        out.append(text.substr(i, p - i));
        out.append(replacement);
        i = p + pattern.size();
    }
    out.append(text.substr(i));
    return out;
}

std::string delete_substring(std::string_view text, std::string_view part, int count) {
    std::string s(text);
    if (part.empty()) return s;
    for (int done = 0; count == 0 || done < count; ++done) {
        const std::size_t p = s.find(part);
        if (p == std::string::npos) break;
        s.erase(p, part.size());
    }
    return s;
}

// ---------------------------------------------------------------------------
// Numbers.

std::string fix_decimal_separator(std::string_view text) {
    std::string s(text);
    for (char& c : s) {
        if (decimal_separator == '.') {
            if (c == ',') c = '.';
        } else if (c == '.') {
            c = decimal_separator;
        }
    }
    return s;
}

double round_to(int8_t n, double x) {
    if (n < 0) return x;
    double scale = 1;
    for (int i = 0; i < n; ++i) scale *= 10;
    return static_cast<double>(Round(x * scale)) / scale;
}

namespace {

// x with exactly `decimals` decimals and a point, the digits of the binary
// value in full at any precision, whatever the C library's locale.
std::string fixed_digits(double x, int decimals) {
    std::string buf(static_cast<std::size_t>(decimals) + 330, '\0');
    const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), x, std::chars_format::fixed, decimals);
    buf.resize(static_cast<std::size_t>(r.ptr - buf.data()));
    return buf;
}

}  // namespace

void format_fixed(int code, std::string& out, double x) {
    check_finite(x);
    if (code < 0 && code > -5) throw EConvertError(Format("Invalid fixed-point code %d", {code}));
    int n = code;
    if (std::fabs(x) >= 1e15) {
        // Beyond the digits a double holds there is nothing left to round.
        out = fixed_digits(x, code < 0 ? -code - 5 : code);
        if (const auto dot = out.find('.'); dot != std::string::npos) out[dot] = decimal_separator;
        return;
    }
    if (code <= -5) {
        // Steps of 5 units of the m-th decimal: round 2 * 10^(m-1) * x to a
        // whole number and scale back.
        n = -code - 5;
        const double steps = 2 * std::pow(10.0, n - 1);
        x = StrToFloat(format_fixed(0, steps * x)) / steps;
    }
    // The value with two further decimals, as digits; the two decide the
    // rounding: 50 and above round up (toward plus infinity), so a half of a
    // negative value goes toward zero.
    const std::string wide = fixed_digits(x, n + 2);
    const bool negative = !wide.empty() && wide[0] == '-';
    std::string digits;
    for (const char c : wide)
        if (c >= '0' && c <= '9') digits += c;
    const int beyond = (digits[digits.size() - 2] - '0') * 10 + (digits.back() - '0');
    digits.resize(digits.size() - 2);
    const bool up = negative ? beyond > 50 : beyond >= 50;  // away from zero
    if (up) {
        int i = static_cast<int>(digits.size()) - 1;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') digits[static_cast<std::size_t>(i--)] = '0';
        if (i < 0) digits.insert(digits.begin(), '1');
        else ++digits[static_cast<std::size_t>(i)];
    }
    while (static_cast<int>(digits.size()) < n + 1) digits.insert(digits.begin(), '0');
    std::string s = digits.substr(0, digits.size() - static_cast<std::size_t>(n));
    if (n > 0) s += decimal_separator + digits.substr(digits.size() - static_cast<std::size_t>(n));
    if (negative && digits.find_first_not_of('0') != std::string::npos) s.insert(s.begin(), '-');
    out = s;
}

std::string format_fixed(int code, double x) {
    std::string s;
    format_fixed(code, s, x);
    return s;
}

void fixed_text(std::string& out, int decimals, double x) {
    static constexpr double powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,
                                        1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18};
    static constexpr int64_t fixed_limit = 1000000000000000;  // 10^15: 16 digits
    check_finite(x);
    const int n = decimals < 0 ? 0 : decimals > 18 ? 18 : decimals;
    const double scaled = x * powers[n];
    const int64_t units = std::fabs(scaled) < static_cast<double>(fixed_limit) ? Round(scaled) : fixed_limit;
    if (units >= fixed_limit || units <= -fixed_limit) {
        out = FloatToStr(x);
        return;
    }
    char digits[24];
    const auto r = std::to_chars(digits, digits + sizeof digits, units < 0 ? -units : units);
    std::string_view whole(digits, static_cast<std::size_t>(r.ptr - digits));
    out.clear();
    if (units < 0) out += '-';
    const auto count = static_cast<std::size_t>(n);
    if (whole.size() <= count) {
        out += '0';
        if (n > 0) {
            out += decimal_separator;
            out.append(count - whole.size(), '0');
            out += whole;
        }
        return;
    }
    out.append(whole.substr(0, whole.size() - count));
    if (n > 0) {
        out += decimal_separator;
        out.append(whole.substr(whole.size() - count));
    }
}

std::string fixed_text(int decimals, double x) {
    std::string s;
    fixed_text(s, decimals, x);
    return s;
}

bool contains_text(std::string_view text, std::string_view word) {
    return !word.empty() && text.find(word) != std::string_view::npos;
}
