#include "model/utils.h"

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
    if (replacement.find(pattern) != std::string_view::npos) return string_replace_all(pattern, replacement, text);
    std::string s(text);
    // Searching again from the start finds nothing before the last
    // replacement that was not there already, so the search resumes just
    // before it.
    std::size_t pos = s.find(pattern);
    while (pos != std::string::npos) {
        s.replace(pos, pattern.size(), replacement);
        const std::size_t back = pattern.size() - 1;
        pos = s.find(pattern, pos > back ? pos - back : 0);
    }
    return s;
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

void format_fixed(int code, std::string& out, double x) {
    check_finite(x);
    if (code < 0 && code > -5) throw EConvertError(Format("Invalid fixed-point code %d", {code}));
    int n = code;
    if (std::fabs(x) >= 1e15) {
        // Beyond the digits a double holds there is nothing left to round.
        out = Format("%.*f", {code < 0 ? -code - 5 : code, x});
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
    const std::string wide = Format("%.*f", {n + 2, x});
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

