// The runtime helpers: settings, rounding, Format and the conversions of
// numbers to text and back, text helpers, dates.
//
// A real is written by first taking 18 significant decimal digits of its
// exact binary value, then rounding in decimal with halves away from zero, as
// the old runtime did: Format("%.2f", [0.125]) is "0.13", and the double
// nearest 2.675 (2.67499999999999982...) gives "2.67". Text never depends on
// the C library's locale; the separators come from decimal_separator and
// thousand_separator.
#include "platform/sysutils.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "platform/cp1250.h"

// ---------------------------------------------------------------------------
// Settings.

char decimal_separator = '.';
char thousand_separator = ' ';
std::string currency_string = "zł"_cp;
int currency_format = 3;
int currency_decimals = 2;
std::string short_date_format = "yyyy-mm-dd";
std::string long_time_format = "hh:nn:ss";
char date_separator = '-';
char time_separator = ':';
bool euro_rounding = true;

namespace {

const char* const kInvalidOperation = "Invalid floating point operation";

// Languages that write a decimal comma, for a locale the system does not
// have installed (so that the C library cannot tell).
constexpr std::string_view kCommaLanguages[] = {
    "af", "az", "be", "bg", "bs", "ca", "cs", "da", "de", "el", "es", "et", "eu", "fi", "fo",
    "fr", "gl", "hr", "hu", "hy", "id", "is", "it", "ka", "kk", "lt", "lv", "mk", "nb", "nl",
    "nn", "no", "pl", "pt", "ro", "ru", "sk", "sl", "sq", "sr", "sv", "tr", "uk", "uz", "vi",
};
// Countries of those languages that write a decimal point.
constexpr std::string_view kPointLocales[] = {
    "de_CH", "de_LI", "it_CH", "es_MX", "es_US", "es_PR", "es_GT", "es_HN", "es_NI", "es_PA", "es_SV", "es_DO",
};

// The separator the table gives for a locale name such as "pl_PL.UTF-8".
char table_decimal_separator(std::string_view name) {
    const size_t end = name.find_first_of(".@");
    const std::string_view language_country = name.substr(0, end);
    const std::string_view language = language_country.substr(0, language_country.find('_'));
    for (const auto point : kPointLocales)
        if (language_country == point) return '.';
    for (const auto comma : kCommaLanguages)
        if (language == comma) return ',';
    return '.';
}

bool single_ascii(const char* s) {
    return s != nullptr && s[0] != '\0' && s[1] == '\0' && static_cast<unsigned char>(s[0]) > ' ' &&
           static_cast<unsigned char>(s[0]) < 0x7F;
}

bool is_blank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view trimmed(std::string_view s) {
    size_t b = 0;
    size_t e = s.size();
    while (b < e && is_blank(s[b])) ++b;
    while (e > b && is_blank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool in_int64_range(double r) { return r >= -9223372036854775808.0 && r < 9223372036854775808.0; }

}  // namespace

void reset_runtime_settings() {
    decimal_separator = '.';
    thousand_separator = ' ';
    currency_string = "zł"_cp;
    currency_format = 3;
    currency_decimals = 2;
    short_date_format = "yyyy-mm-dd";
    long_time_format = "hh:nn:ss";
    date_separator = '-';
    time_separator = ':';
    euro_rounding = true;
}

void init_locale_settings() {
    const char* name = nullptr;
    for (const char* var : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* value = std::getenv(var);
        if (value != nullptr && value[0] != '\0') {
            name = value;
            break;
        }
    }
    char decimal = '.';
    char thousands = ' ';
    if (name != nullptr) {
        const std::string locale_name = name;
        const char* current = std::setlocale(LC_NUMERIC, nullptr);
        const std::string saved = current != nullptr ? current : "C";
        bool known = false;
        if (std::setlocale(LC_NUMERIC, locale_name.c_str()) != nullptr) {
            const std::lconv* conv = std::localeconv();
            if (single_ascii(conv->decimal_point)) {
                known = true;
                decimal = conv->decimal_point[0];
                if (single_ascii(conv->thousands_sep) && conv->thousands_sep[0] != decimal &&
                    !is_digit(conv->thousands_sep[0]))
                    thousands = conv->thousands_sep[0];
            }
            std::setlocale(LC_NUMERIC, saved.c_str());
        }
        if (!known) decimal = table_decimal_separator(locale_name);
    }
    if (decimal != '.' && decimal != ',') decimal = '.';
    // A decimal comma goes with blanks between the thousands.
    if (decimal == ',') thousands = ' ';
    decimal_separator = decimal;
    thousand_separator = thousands;
}

// ---------------------------------------------------------------------------
// Reals to whole numbers.

int64_t Round(double x) {
    if (!std::isfinite(x)) throw EMathError(kInvalidOperation);
    double r;
    if (euro_rounding) {
        const double lower = std::floor(x);
        const double fraction = x - lower;
        // The tolerance is for binary noise only (2.675 * 100 is 1e-14 below
        // 267.5): 1e-9, or 1e-12 of the value once that is more, but never
        // more than 1e-6, so that a value written with up to six decimals is
        // never taken for a half at any size (100000.49995 rounds down).
        const double tolerance = std::min(std::max(1e-9, 1e-12 * std::fabs(x)), 1e-6);
        if (std::fabs(fraction - 0.5) <= tolerance)
            r = x >= 0 ? lower + 1 : lower;
        else
            r = std::nearbyint(x);
    } else {
        r = std::nearbyint(x);  // the default mode: nearest, ties to even
    }
    if (!in_int64_range(r)) throw EMathError(kInvalidOperation);
    return static_cast<int64_t>(r);
}

int64_t Trunc(double x) {
    if (!std::isfinite(x)) throw EMathError(kInvalidOperation);
    const double r = std::trunc(x);
    if (!in_int64_range(r)) throw EMathError(kInvalidOperation);
    return static_cast<int64_t>(r);
}

double check_finite(double x) {
    if (!std::isfinite(x)) throw EMathError(kInvalidOperation);
    return x;
}

double divide(double a, double b) {
    if (b == 0) throw EMathError("Floating point division by zero");
    const double q = a / b;
    if (std::isinf(q) && std::isfinite(a) && std::isfinite(b)) throw EMathError("Floating point overflow");
    return q;
}

// ---------------------------------------------------------------------------
// Text to numbers.

bool TryStrToFloat(std::string_view s, double& out) {
    const std::string_view t = trimmed(s);
    size_t i = 0;
    const size_t n = t.size();
    bool negative = false;
    if (i < n && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    std::string integer;
    std::string fraction;
    while (i < n && is_digit(t[i])) integer += t[i++];
    if (i < n && t[i] == decimal_separator) {
        ++i;
        while (i < n && is_digit(t[i])) fraction += t[i++];
    }
    if (integer.empty() && fraction.empty()) return false;
    int64_t exponent = 0;
    if (i < n && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        bool exp_negative = false;
        if (i < n && (t[i] == '+' || t[i] == '-')) exp_negative = t[i++] == '-';
        if (i >= n || !is_digit(t[i])) return false;
        while (i < n && is_digit(t[i])) {
            if (exponent < 100000000) exponent = exponent * 10 + (t[i] - '0');
            ++i;
        }
        if (exp_negative) exponent = -exponent;
    }
    if (i != n) return false;

    std::string text = integer.empty() ? "0" : integer;
    if (!fraction.empty()) text += "." + fraction;
    text += "e" + std::to_string(exponent);
    double value = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        // Too large fails; too small is zero. The position of the first
        // significant digit tells which.
        const size_t first = integer.find_first_not_of('0');
        int64_t magnitude;
        if (first != std::string::npos) {
            magnitude = static_cast<int64_t>(integer.size() - first) + exponent;
        } else {
            const size_t f = fraction.find_first_not_of('0');
            magnitude = f == std::string::npos ? -1 : -static_cast<int64_t>(f) + exponent;
        }
        if (magnitude > 0) return false;
        value = 0;
    } else if (res.ec != std::errc() || res.ptr != text.data() + text.size()) {
        return false;
    }
    if (!std::isfinite(value)) return false;
    out = negative ? -value : value;
    return true;
}

double StrToFloat(std::string_view s) {
    double v = 0;
    if (!TryStrToFloat(s, v)) throw EConvertError("'" + std::string(s) + "' is not a valid floating point value");
    return v;
}

double StrToFloatDef(std::string_view s, double def) {
    double v = 0;
    return TryStrToFloat(s, v) ? v : def;
}

namespace {

// Decimal within the signed range of `bits`; hexadecimal ("$", "0x") up to
// the unsigned range, taken as two's complement ("$FFFFFFFF" is -1 for 32
// bits), as the old runtime read hexadecimal numbers.
bool parse_integer(std::string_view s, int bits, int64_t& out) {
    const std::string_view t = trimmed(s);
    size_t i = 0;
    const size_t n = t.size();
    bool negative = false;
    if (i < n && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    bool hex = false;
    if (i < n && t[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < n && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= n) return false;
    const uint64_t signed_max = (uint64_t(1) << (bits - 1)) - 1;
    const uint64_t limit = hex ? (bits == 64 ? ~uint64_t(0) : (uint64_t(1) << bits) - 1)
                               : (negative ? signed_max + 1 : signed_max);
    const unsigned base = hex ? 16 : 10;
    uint64_t magnitude = 0;
    for (; i < n; ++i) {
        const int d = hex ? hex_value(t[i]) : (is_digit(t[i]) ? t[i] - '0' : -1);
        if (d < 0) return false;
        if (magnitude > (limit - static_cast<uint64_t>(d)) / base) return false;
        magnitude = magnitude * base + static_cast<uint64_t>(d);
    }
    const uint64_t bits_value = negative ? 0 - magnitude : magnitude;
    out = bits == 32 ? static_cast<int32_t>(static_cast<uint32_t>(bits_value)) : static_cast<int64_t>(bits_value);
    return true;
}

[[noreturn]] void invalid_integer(std::string_view s) {
    throw EConvertError("'" + std::string(s) + "' is not a valid integer value");
}

}  // namespace

bool TryStrToInt(std::string_view s, int& out) {
    int64_t v = 0;
    if (!parse_integer(s, 32, v)) return false;
    out = static_cast<int>(v);
    return true;
}

int StrToInt(std::string_view s) {
    int v = 0;
    if (!TryStrToInt(s, v)) invalid_integer(s);
    return v;
}

int StrToIntDef(std::string_view s, int def) {
    int v = 0;
    return TryStrToInt(s, v) ? v : def;
}

bool TryStrToInt64(std::string_view s, int64_t& out) { return parse_integer(s, 64, out); }

int64_t StrToInt64(std::string_view s) {
    int64_t v = 0;
    if (!TryStrToInt64(s, v)) invalid_integer(s);
    return v;
}

int64_t StrToInt64Def(std::string_view s, int64_t def) {
    int64_t v = 0;
    return TryStrToInt64(s, v) ? v : def;
}

// ---------------------------------------------------------------------------
// Texts.

std::string Trim(std::string_view s) { return std::string(trimmed(s)); }

std::string TrimLeft(std::string_view s) {
    size_t b = 0;
    while (b < s.size() && is_blank(s[b])) ++b;
    return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s) {
    size_t e = s.size();
    while (e > 0 && is_blank(s[e - 1])) --e;
    return std::string(s.substr(0, e));
}

std::string Copy(std::string_view s, int index, int count) {
    if (count <= 0) return {};
    const int64_t start = index < 1 ? 0 : int64_t(index) - 1;
    if (start >= static_cast<int64_t>(s.size())) return {};
    return std::string(s.substr(static_cast<size_t>(start), static_cast<size_t>(count)));
}

int Pos(std::string_view sub, std::string_view s) { return PosEx(sub, s, 1); }

int PosEx(std::string_view sub, std::string_view s, int offset) {
    if (sub.empty() || offset < 1 || static_cast<size_t>(offset) > s.size()) return 0;
    const size_t p = s.find(sub, static_cast<size_t>(offset) - 1);
    return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
}

void Delete(std::string& s, int index, int count) {
    if (index < 1 || static_cast<size_t>(index) > s.size() || count <= 0) return;
    s.erase(static_cast<size_t>(index) - 1, static_cast<size_t>(count));
}

void Insert(std::string_view sub, std::string& s, int index) {
    const int64_t at = std::clamp<int64_t>(index, 1, static_cast<int64_t>(s.size()) + 1) - 1;
    s.insert(static_cast<size_t>(at), sub);
}

namespace {

char ascii_upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Upper and lower case of every Windows-1250 byte.
struct CaseTables {
    unsigned char upper[256];
    unsigned char lower[256];

    CaseTables() {
        for (int i = 0; i < 256; ++i) upper[i] = lower[i] = static_cast<unsigned char>(i);
        auto pair = [this](int small, int capital) {
            upper[small] = static_cast<unsigned char>(capital);
            lower[capital] = static_cast<unsigned char>(small);
        };
        for (int c = 'a'; c <= 'z'; ++c) pair(c, c - 'a' + 'A');
        // s caron, s acute, t caron, z caron, z acute, l stroke, a ogonek,
        // s cedilla, l caron, z dot.
        const int pairs[][2] = {{0x9A, 0x8A}, {0x9C, 0x8C}, {0x9D, 0x8D}, {0x9E, 0x8E}, {0x9F, 0x8F},
                                {0xB3, 0xA3}, {0xB9, 0xA5}, {0xBA, 0xAA}, {0xBE, 0xBC}, {0xBF, 0xAF}};
        for (const auto& p : pairs) pair(p[0], p[1]);
        // 0xE0..0xFE against 0xC0..0xDE, apart from the division sign 0xF7
        // (0xD7 opposite it is the multiplication sign).
        for (int c = 0xE0; c <= 0xFE; ++c)
            if (c != 0xF7) pair(c, c - 0x20);
    }
};

const CaseTables& case_tables() {
    static const CaseTables tables;
    return tables;
}

template <typename F>
std::string map_chars(std::string_view s, F f) {
    std::string out(s);
    for (char& c : out) c = f(c);
    return out;
}

int compare_mapped(std::string_view a, std::string_view b, char (*f)(char)) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int ca = static_cast<unsigned char>(f(a[i]));
        const int cb = static_cast<unsigned char>(f(b[i]));
        if (ca != cb) return ca - cb;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

// The letters in the order of the collation, each as {small, capital}
// (0: the letter has no capital).
constexpr unsigned char kLetters[][2] = {
    {'a', 'A'}, {0xB9, 0xA5}, {0xE1, 0xC1}, {0xE2, 0xC2}, {0xE3, 0xC3}, {0xE4, 0xC4},  // a ą á â ă ä
    {'b', 'B'},
    {'c', 'C'}, {0xE6, 0xC6}, {0xE7, 0xC7}, {0xE8, 0xC8},  // c ć ç č
    {'d', 'D'}, {0xEF, 0xCF}, {0xF0, 0xD0},                // d ď đ
    {'e', 'E'}, {0xEA, 0xCA}, {0xE9, 0xC9}, {0xEB, 0xCB}, {0xEC, 0xCC},  // e ę é ë ě
    {'f', 'F'}, {'g', 'G'}, {'h', 'H'},
    {'i', 'I'}, {0xED, 0xCD}, {0xEE, 0xCE},  // i í î
    {'j', 'J'}, {'k', 'K'},
    {'l', 'L'}, {0xB3, 0xA3}, {0xBE, 0xBC}, {0xE5, 0xC5},  // l ł ľ ĺ
    {'m', 'M'},
    {'n', 'N'}, {0xF1, 0xD1}, {0xF2, 0xD2},  // n ń ň
    {'o', 'O'}, {0xF3, 0xD3}, {0xF4, 0xD4}, {0xF5, 0xD5}, {0xF6, 0xD6},  // o ó ô ő ö
    {'p', 'P'}, {'q', 'Q'},
    {'r', 'R'}, {0xE0, 0xC0}, {0xF8, 0xD8},  // r ŕ ř
    {'s', 'S'}, {0x9C, 0x8C}, {0x9A, 0x8A}, {0xBA, 0xAA}, {0xDF, 0},  // s ś š ş ß
    {'t', 'T'}, {0x9D, 0x8D}, {0xFE, 0xDE},  // t ť ţ
    {'u', 'U'}, {0xF9, 0xD9}, {0xFA, 0xDA}, {0xFB, 0xDB}, {0xFC, 0xDC},  // u ů ú ű ü
    {'v', 'V'}, {'w', 'W'}, {'x', 'X'},
    {'y', 'Y'}, {0xFD, 0xDD},  // y ý
    {'z', 'Z'}, {0x9F, 0x8F}, {0xBF, 0xAF}, {0x9E, 0x8E},  // z ź ż ž
};

// The rank of every byte in the collation (a small letter and its capital
// share one) and whether it is a capital.
struct Collation {
    uint16_t rank[256]{};
    bool capital[256]{};

    constexpr Collation() {
        bool letter[256]{};
        for (const auto& l : kLetters) {
            letter[l[0]] = true;
            if (l[1] != 0) letter[l[1]] = true;
        }
        uint16_t next = 0;
        for (int b = 0; b < 256; ++b)
            if (!letter[b] && !(b >= '0' && b <= '9')) rank[b] = next++;
        for (int b = '0'; b <= '9'; ++b) rank[b] = next++;
        for (const auto& l : kLetters) {
            rank[l[0]] = next;
            if (l[1] != 0) {
                rank[l[1]] = next;
                capital[l[1]] = true;
            }
            ++next;
        }
    }
};

constexpr Collation kCollation;

int collate(std::string_view a, std::string_view b, bool with_case) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const auto ra = kCollation.rank[static_cast<unsigned char>(a[i])];
        const auto rb = kCollation.rank[static_cast<unsigned char>(b[i])];
        if (ra != rb) return ra < rb ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    if (with_case) {
        for (size_t i = 0; i < n; ++i) {
            const bool ca = kCollation.capital[static_cast<unsigned char>(a[i])];
            const bool cb = kCollation.capital[static_cast<unsigned char>(b[i])];
            if (ca != cb) return ca ? 1 : -1;
        }
    }
    return 0;
}

}  // namespace

std::string UpperCase(std::string_view s) { return map_chars(s, ascii_upper); }
std::string LowerCase(std::string_view s) { return map_chars(s, ascii_lower); }

char AnsiUpperChar(char c) { return static_cast<char>(case_tables().upper[static_cast<unsigned char>(c)]); }
char AnsiLowerChar(char c) { return static_cast<char>(case_tables().lower[static_cast<unsigned char>(c)]); }

std::string AnsiUpperCase(std::string_view s) { return map_chars(s, AnsiUpperChar); }
std::string AnsiLowerCase(std::string_view s) { return map_chars(s, AnsiLowerChar); }

int CompareText(std::string_view a, std::string_view b) { return compare_mapped(a, b, ascii_upper); }
bool SameText(std::string_view a, std::string_view b) { return a.size() == b.size() && CompareText(a, b) == 0; }
int AnsiCompareText(std::string_view a, std::string_view b) { return collate(a, b, false); }
bool AnsiSameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && AnsiCompareText(a, b) == 0;
}
int AnsiCompareStr(std::string_view a, std::string_view b) { return collate(a, b, true); }

std::string StringReplace(std::string_view s, std::string_view old_pattern, std::string_view new_pattern,
                          unsigned flags) {
    if (old_pattern.empty()) return std::string(s);
    const bool ignore_case = (flags & rfIgnoreCase) != 0;
    auto matches_at = [&](size_t i) {
        if (i + old_pattern.size() > s.size()) return false;
        for (size_t k = 0; k < old_pattern.size(); ++k) {
            const char a = s[i + k];
            const char b = old_pattern[k];
            if (ignore_case ? AnsiUpperChar(a) != AnsiUpperChar(b) : a != b) return false;
        }
        return true;
    };
    std::string out;
    size_t i = 0;
    while (i < s.size()) {
        if (matches_at(i)) {
            out += new_pattern;
            i += old_pattern.size();
            if ((flags & rfReplaceAll) == 0) {
                out += s.substr(i);
                return out;
            }
        } else {
            out += s[i++];
        }
    }
    return out;
}

std::string QuotedStr(std::string_view s) {
    std::string out = "'";
    for (const char c : s) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out + "'";
}

std::string StringOfChar(char c, int count) { return count > 0 ? std::string(static_cast<size_t>(count), c) : std::string(); }

// ---------------------------------------------------------------------------
// Dates and times.

namespace {

constexpr double kUnixDateDelta = 25569.0;  // 1970-01-01
constexpr int64_t kMsPerDay = 86400000;
// Dates beyond this many days from 1899-12-30 (about 27,000 years) are refused.
constexpr double kMaxDays = 1e7;

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
int64_t days_from_civil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civil_from_days(int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

bool is_leap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int days_in_month(int y, int m) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && is_leap(y) ? 29 : kDays[m - 1];
}

// The day (from 1899-12-30) and the milliseconds into it. As in the old
// runtime the whole part is the day and the fraction, without its sign, the
// time: -1.25 is 1899-12-29 06:00.
struct Stamp {
    int64_t day;
    int64_t ms;
};

Stamp to_stamp(TDateTime t) {
    if (!std::isfinite(t) || std::fabs(t) > kMaxDays) throw EMathError(kInvalidOperation);
    const double whole = std::trunc(t);
    Stamp s{static_cast<int64_t>(whole), std::llround(std::fabs(t - whole) * double(kMsPerDay))};
    if (s.ms >= kMsPerDay) {
        s.ms -= kMsPerDay;
        ++s.day;
    }
    return s;
}

std::mutex clock_mutex;
std::function<TDateTime()> clock_source;

TDateTime system_now() {
    const auto now = std::chrono::system_clock::now();
    const auto ms = std::chrono::floor<std::chrono::milliseconds>(now);
    const std::time_t seconds = std::chrono::system_clock::to_time_t(std::chrono::floor<std::chrono::seconds>(now));
    std::tm local{};
    localtime_r(&seconds, &local);
    const int millis = static_cast<int>(ms.time_since_epoch().count() % 1000);
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), millis < 0 ? millis + 1000 : millis);
}

std::string two_digits(int v) {
    std::string s = std::to_string(v);
    return s.size() < 2 ? "0" + s : s;
}

std::string padded(int v, size_t width) {
    std::string s = std::to_string(v);
    if (s.size() < width) s.insert(0, width - s.size(), '0');
    return s;
}

}  // namespace

TDateTime Now() {
    std::function<TDateTime()> source;
    {
        std::lock_guard<std::mutex> lock(clock_mutex);
        source = clock_source;
    }
    return source ? source() : system_now();
}

TDateTime Date() { return std::trunc(Now()); }

void set_clock_source(std::function<TDateTime()> source) {
    std::lock_guard<std::mutex> lock(clock_mutex);
    clock_source = std::move(source);
}

TDateTime EncodeDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > days_in_month(year, month))
        throw EConvertError("Invalid argument to date encode");
    return static_cast<double>(days_from_civil(year, month, day)) + kUnixDateDelta;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
        millisecond > 999)
        throw EConvertError("Invalid argument to time encode");
    const int64_t ms = ((int64_t(hour) * 60 + minute) * 60 + second) * 1000 + millisecond;
    return static_cast<double>(ms) / double(kMsPerDay);
}

void DecodeDate(TDateTime t, int& year, int& month, int& day) {
    civil_from_days(to_stamp(t).day - static_cast<int64_t>(kUnixDateDelta), year, month, day);
}

void DecodeTime(TDateTime t, int& hour, int& minute, int& second, int& millisecond) {
    const int64_t ms = to_stamp(t).ms;
    hour = static_cast<int>(ms / 3600000);
    minute = static_cast<int>(ms / 60000 % 60);
    second = static_cast<int>(ms / 1000 % 60);
    millisecond = static_cast<int>(ms % 1000);
}

std::string FormatDateTime(std::string_view picture, TDateTime t) {
    int year, month, day, hour, minute, second, ms;
    DecodeDate(t, year, month, day);
    DecodeTime(t, hour, minute, second, ms);
    std::string out;
    char last = '\0';  // the previous date or time token, for "m" after "h"
    size_t i = 0;
    const size_t n = picture.size();
    while (i < n) {
        const char c = picture[i];
        if (c == '"' || c == '\'') {
            const size_t close = picture.find(c, i + 1);
            const size_t end = close == std::string_view::npos ? n : close;
            out.append(picture.substr(i + 1, end - i - 1));
            i = close == std::string_view::npos ? n : close + 1;
            continue;
        }
        if (c == '/') {
            out += date_separator;
            ++i;
            continue;
        }
        if (c == ':') {
            out += time_separator;
            ++i;
            continue;
        }
        const char token = ascii_lower(c);
        size_t run = 1;
        while (i + run < n && ascii_lower(picture[i + run]) == token) ++run;
        switch (token) {
            case 'y':
                out += run <= 2 ? two_digits(year % 100) : padded(year, 4);
                break;
            case 'm':
                run = std::min<size_t>(run, 2);
                if (last == 'h')
                    out += run == 2 ? two_digits(minute) : std::to_string(minute);
                else
                    out += run == 2 ? two_digits(month) : std::to_string(month);
                break;
            case 'd':
                run = std::min<size_t>(run, 2);
                out += run == 2 ? two_digits(day) : std::to_string(day);
                break;
            case 'h':
                run = std::min<size_t>(run, 2);
                out += run == 2 ? two_digits(hour) : std::to_string(hour);
                break;
            case 'n':
                run = std::min<size_t>(run, 2);
                out += run == 2 ? two_digits(minute) : std::to_string(minute);
                break;
            case 's':
                run = std::min<size_t>(run, 2);
                out += run == 2 ? two_digits(second) : std::to_string(second);
                break;
            case 'z':
                run = run >= 3 ? 3 : 1;
                out += run == 3 ? padded(ms, 3) : std::to_string(ms);
                break;
            default:
                out += c;
                ++i;
                continue;
        }
        last = token;
        i += run;
    }
    return out;
}

std::string DateToStr(TDateTime t) { return FormatDateTime(short_date_format, t); }
std::string TimeToStr(TDateTime t) { return FormatDateTime(long_time_format, t); }
std::string DateTimeToStr(TDateTime t) { return DateToStr(t) + " " + TimeToStr(t); }

TDateTime UnixToDateTime(int64_t seconds) { return static_cast<double>(seconds) / 86400.0 + kUnixDateDelta; }

int64_t DateTimeToUnix(TDateTime t) {
    const double seconds = std::round((check_finite(t) - kUnixDateDelta) * 86400.0);
    if (!in_int64_range(seconds)) throw EMathError(kInvalidOperation);
    return static_cast<int64_t>(seconds);
}

// ---------------------------------------------------------------------------
// Numbers to text.

namespace {

// Significant digits carried before the decimal rounding.
constexpr int kMaxDigits = 18;
// Widths and precisions above this are refused by Format.
constexpr int kMaxFieldSize = 1000000;

// A finite real as decimal digits: |value| = 0.d1 d2 d3 ... * 10^exponent.
struct Decimal {
    bool negative = false;
    std::string digits;  // no leading or trailing zeros; empty for zero
    int exponent = 0;

    bool is_zero() const { return digits.empty(); }
    // The digit at 0-based position i, zero past the end.
    char digit(int i) const {
        return i >= 0 && i < static_cast<int>(digits.size()) ? digits[static_cast<size_t>(i)] : '0';
    }
};

void strip_trailing_zeros(Decimal& d) {
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    if (d.digits.empty()) {
        d.exponent = 0;
        d.negative = false;  // a value that became zero prints without a sign
    }
}

Decimal decompose(double v) {
    if (!std::isfinite(v)) throw EMathError(kInvalidOperation);
    Decimal d;
    d.negative = std::signbit(v);
    if (v == 0) {
        d.negative = false;
        return d;
    }
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific,
                                   kMaxDigits - 1);
    // "d.ddddddddddddddddde+XX"
    const std::string_view s(buf, static_cast<size_t>(res.ptr - buf));
    const size_t e = s.find('e');
    d.digits += s[0];
    if (e > 2) d.digits.append(s.substr(2, e - 2));
    size_t p = e + 1;
    const bool exp_negative = s[p] == '-';
    if (s[p] == '-' || s[p] == '+') ++p;
    int e10 = 0;
    std::from_chars(s.data() + p, s.data() + s.size(), e10);
    d.exponent = (exp_negative ? -e10 : e10) + 1;
    strip_trailing_zeros(d);
    return d;
}

// Keeps `keep` significant digits, rounding the rest half away from zero.
// keep may be zero or negative (the value rounds to zero or to one unit of
// the digit above the first).
void round_digits(Decimal& d, int keep) {
    if (d.is_zero() || keep >= static_cast<int>(d.digits.size())) return;
    if (keep < 0) {
        d.digits.clear();
        strip_trailing_zeros(d);
        return;
    }
    const bool up = d.digits[static_cast<size_t>(keep)] >= '5';
    d.digits.resize(static_cast<size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[static_cast<size_t>(i)] == '9') {
            d.digits[static_cast<size_t>(i)] = '0';
            --i;
        }
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        } else {
            ++d.digits[static_cast<size_t>(i)];
        }
    }
    strip_trailing_zeros(d);
}

// The exponent of d.ddd form: "E" then the sign (always, or only when
// negative) and at least min_digits digits.
std::string exponent_text(int e10, int min_digits, bool always_sign) {
    std::string out = "E";
    if (e10 < 0)
        out += '-';
    else if (always_sign)
        out += '+';
    std::string digits = std::to_string(e10 < 0 ? -e10 : e10);
    if (static_cast<int>(digits.size()) < min_digits)
        digits.insert(0, static_cast<size_t>(min_digits) - digits.size(), '0');
    return out + digits;
}

std::string sign_of(const Decimal& d) { return d.negative ? "-" : ""; }

// Scientific form of the general format: trailing zeros gone, no "+".
std::string general_scientific(const Decimal& d, int exp_digits) {
    std::string out = sign_of(d);
    out += d.digits[0];
    if (d.digits.size() > 1) {
        out += decimal_separator;
        out.append(d.digits, 1, std::string::npos);
    }
    return out + exponent_text(d.exponent - 1, exp_digits, false);
}

std::string format_general(Decimal d, int precision, int exp_digits) {
    round_digits(d, precision);
    if (d.is_zero()) return "0";
    // Fixed notation from 0.0001 up to `precision` integer digits, as the old
    // runtime wrote it: 1E-5, 0.0001, 999999999999999, 1E15.
    if (d.exponent > precision || d.exponent < -3) return general_scientific(d, exp_digits);
    std::string out = sign_of(d);
    const int n = static_cast<int>(d.digits.size());
    if (d.exponent <= 0) {
        out += '0';
        out += decimal_separator;
        out.append(static_cast<size_t>(-d.exponent), '0');
        out += d.digits;
        return out;
    }
    for (int i = 0; i < d.exponent; ++i) out += d.digit(i);
    if (n > d.exponent) {
        out += decimal_separator;
        out.append(d.digits, static_cast<size_t>(d.exponent), std::string::npos);
    }
    return out;
}

std::string format_exponent(Decimal d, int precision, int exp_digits) {
    round_digits(d, precision);
    const int e10 = d.is_zero() ? 0 : d.exponent - 1;
    std::string out = sign_of(d);
    out += d.digit(0);
    if (precision > 1) {
        out += decimal_separator;
        for (int i = 1; i < precision; ++i) out += d.digit(i);
    }
    return out + exponent_text(e10, exp_digits, true);
}

// Fixed notation; with thousands, the integer digits are grouped by
// thousand_separator. A value with more integer digits than `precision`
// falls back to the general format.
std::string format_fixed(Decimal d, int precision, int decimals, bool thousands) {
    round_digits(d, std::min(precision, d.exponent + decimals));
    if (d.exponent > precision) return format_general(d, precision, 0);
    std::string integer;
    if (d.exponent <= 0) {
        integer = "0";
    } else {
        for (int i = 0; i < d.exponent; ++i) {
            if (thousands && thousand_separator != '\0' && i > 0 && (d.exponent - i) % 3 == 0)
                integer += thousand_separator;
            integer += d.digit(i);
        }
    }
    std::string out = sign_of(d) + integer;
    if (decimals > 0) {
        out += decimal_separator;
        for (int i = 0; i < decimals; ++i) out += d.digit(d.exponent + i);
    }
    return out;
}

std::string format_currency(Decimal d, int precision, int decimals) {
    const bool negative = d.negative;
    d.negative = false;
    const std::string number = format_fixed(d, precision, decimals, true);
    std::string out;
    switch (currency_format) {
        case 0: out = currency_string + number; break;
        case 2: out = currency_string + " " + number; break;
        case 3: out = number + " " + currency_string; break;
        default: out = number + currency_string; break;
    }
    // A negative amount that rounded to zero is shown without the sign.
    const bool shown_zero = number.find_first_of("123456789") == std::string::npos;
    return negative && !shown_zero ? "-" + out : out;
}

std::string float_to_text(double v, TFloatFormat format, int precision, int digits) {
    const Decimal d = decompose(v);
    precision = std::clamp(precision, 1, kMaxDigits);
    switch (format) {
        case TFloatFormat::ffGeneral: return format_general(d, precision, std::clamp(digits, 0, 4));
        case TFloatFormat::ffExponent: return format_exponent(d, precision, std::clamp(digits, 0, 4));
        case TFloatFormat::ffFixed: return format_fixed(d, precision, std::clamp(digits, 0, kMaxDigits), false);
        case TFloatFormat::ffNumber: return format_fixed(d, precision, std::clamp(digits, 0, kMaxDigits), true);
        case TFloatFormat::ffCurrency: return format_currency(d, precision, std::clamp(digits, 0, kMaxDigits));
    }
    return format_general(d, precision, 0);
}

// Negative numbers as unsigned: 32-bit two's complement when the value fits
// a 32-bit integer, 64-bit otherwise (so -1 is FFFFFFFF, as the old runtime
// showed an Integer).
uint64_t as_unsigned(int64_t v) {
    if (v >= 0) return static_cast<uint64_t>(v);
    if (v >= INT32_MIN) return static_cast<uint32_t>(static_cast<int32_t>(v));
    return static_cast<uint64_t>(v);
}

std::string hex_digits(uint64_t u) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string out;
    do {
        out.insert(out.begin(), kHex[u & 0xF]);
        u >>= 4;
    } while (u != 0);
    return out;
}

void pad_left(std::string& s, int size, char c) {
    if (static_cast<int>(s.size()) < size) s.insert(0, static_cast<size_t>(size) - s.size(), c);
}

// --- Format -------------------------------------------------------------

class Formatter {
public:
    Formatter(std::string_view pattern, std::span<const FormatArg> args) : pattern_(pattern), args_(args) {}

    std::string run() {
        while (pos_ < pattern_.size()) {
            const char c = pattern_[pos_++];
            if (c != '%') {
                out_ += c;
                continue;
            }
            if (peek() == '%') {
                ++pos_;
                out_ += '%';
                continue;
            }
            specifier();
        }
        return out_;
    }

private:
    [[noreturn]] void fail() const {
        throw EConvertError("Format '" + std::string(pattern_) + "' invalid or incompatible with argument");
    }

    // The next pattern character, or '\0' at the end.
    char peek() const { return pos_ < pattern_.size() ? pattern_[pos_] : '\0'; }

    const FormatArg::Value& next_arg() {
        if (arg_ >= args_.size()) fail();
        return args_[arg_++].value();
    }

    // A decimal number or "*" (the next argument, which must be whole).
    bool read_number(int64_t& value) {
        if (peek() == '*') {
            ++pos_;
            const auto& a = next_arg();
            if (!std::holds_alternative<int64_t>(a)) fail();
            value = std::get<int64_t>(a);
            return true;
        }
        if (peek() < '0' || peek() > '9') return false;
        value = 0;
        while (peek() >= '0' && peek() <= '9') {
            value = value * 10 + (peek() - '0');
            if (value > kMaxFieldSize) fail();
            ++pos_;
        }
        return true;
    }

    void specifier() {
        int64_t number = 0;
        bool have = read_number(number);
        if (have && peek() == ':') {
            ++pos_;
            if (number < 0) fail();
            arg_ = static_cast<size_t>(number);
            have = false;
        }
        bool left = false;
        if (!have) {
            if (peek() == '-') {
                ++pos_;
                left = true;
            }
            have = read_number(number);
        }
        int width = -1;
        if (have) {
            // Checked before the sign is dropped: INT64_MIN has no opposite.
            if (number > kMaxFieldSize || number < -kMaxFieldSize) fail();
            if (number < 0) {  // from "*": a negative width justifies left
                left = true;
                number = -number;
            }
            width = static_cast<int>(number);
        }
        int precision = -1;
        if (peek() == '.') {
            ++pos_;
            int64_t p = 0;
            if (!read_number(p)) p = 0;
            if (p > kMaxFieldSize) fail();
            precision = p < 0 ? -1 : static_cast<int>(p);  // a negative "*" precision is none
        }
        if (pos_ >= pattern_.size()) fail();
        char type = pattern_[pos_++];
        if (type >= 'A' && type <= 'Z') type = static_cast<char>(type - 'A' + 'a');
        std::string text = convert(type, precision);
        if (width > static_cast<int>(text.size())) {
            const std::string blanks(static_cast<size_t>(width) - text.size(), ' ');
            text = left ? text + blanks : blanks + text;
        }
        out_ += text;
    }

    int64_t whole_arg() {
        const auto& a = next_arg();
        if (!std::holds_alternative<int64_t>(a)) fail();
        return std::get<int64_t>(a);
    }

    double real_arg() {
        const auto& a = next_arg();
        if (std::holds_alternative<double>(a)) return std::get<double>(a);
        if (std::holds_alternative<int64_t>(a)) return static_cast<double>(std::get<int64_t>(a));
        fail();
    }

    std::string convert(char type, int precision) {
        switch (type) {
            case 'd': {
                const int64_t v = whole_arg();
                std::string s = std::to_string(v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v));
                pad_left(s, precision, '0');
                return v < 0 ? "-" + s : s;
            }
            case 'u': {
                std::string s = std::to_string(as_unsigned(whole_arg()));
                pad_left(s, precision, '0');
                return s;
            }
            case 'x': {
                std::string s = hex_digits(as_unsigned(whole_arg()));
                pad_left(s, precision, '0');
                return s;
            }
            case 'e': {
                const double v = real_arg();
                return float_to_text(v, TFloatFormat::ffExponent, precision < 0 ? 15 : precision, 3);
            }
            case 'f': {
                const double v = real_arg();
                return float_to_text(v, TFloatFormat::ffFixed, kMaxDigits, precision < 0 ? 2 : precision);
            }
            case 'g': {
                const double v = real_arg();
                return float_to_text(v, TFloatFormat::ffGeneral, precision < 0 ? 15 : precision, 0);
            }
            case 'n': {
                const double v = real_arg();
                return float_to_text(v, TFloatFormat::ffNumber, kMaxDigits, precision < 0 ? 2 : precision);
            }
            case 'm': {
                const double v = real_arg();
                return float_to_text(v, TFloatFormat::ffCurrency, kMaxDigits,
                                     precision < 0 ? currency_decimals : precision);
            }
            case 's': {
                const auto& a = next_arg();
                if (!std::holds_alternative<std::string>(a)) fail();
                const std::string& s = std::get<std::string>(a);
                if (precision >= 0 && static_cast<size_t>(precision) < s.size()) return s.substr(0, static_cast<size_t>(precision));
                return s;
            }
            case 'p': {
                const auto& a = next_arg();
                if (!std::holds_alternative<const void*>(a)) fail();
                std::string s = hex_digits(reinterpret_cast<uintptr_t>(std::get<const void*>(a)));
                pad_left(s, static_cast<int>(2 * sizeof(void*)), '0');
                return s;
            }
            default:
                fail();
        }
    }

    std::string_view pattern_;
    std::span<const FormatArg> args_;
    size_t pos_ = 0;
    size_t arg_ = 0;
    std::string out_;
};

}  // namespace

std::string Format(std::string_view pattern, std::span<const FormatArg> args) {
    return Formatter(pattern, args).run();
}

std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args) {
    return Formatter(pattern, std::span<const FormatArg>(args.begin(), args.size())).run();
}

std::string IntToStr(int64_t v) { return std::to_string(v); }

std::string IntToHex(int64_t v, int digits) {
    std::string s = hex_digits(as_unsigned(v));
    pad_left(s, digits, '0');
    return s;
}

std::string FloatToStr(double v) { return float_to_text(v, TFloatFormat::ffGeneral, 15, 0); }

std::string FloatToStrF(double v, TFloatFormat format, int precision, int digits) {
    return float_to_text(v, format, precision, digits);
}
