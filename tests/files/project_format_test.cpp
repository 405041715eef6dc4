// The project file's encodings: the general number form, the reading of
// reals and the cleaning of texts that would break a line or a cell.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "files/project_format.h"
#include "model/utils.h"
#include "platform/cp1250.h"
#include "platform/sysutils.h"
#include "platform/sysutils_settings_guard.h"
#include "support/xorshift.h"

namespace {

std::string general(double v, int precision) {
    std::string out;
    put_general(out, v, precision);
    return out;
}

TEST(ProjectFormat, TheGeneralFormIsTheTextFormatGives) {
    std::vector<double> values = {0.0,     -0.0,     1.0,        -1.0,       0.1,       1e-5,      0.0001,
                                  0.00012345678901234, 123456789012345.0, 1e15, 1e10, 9999999999.0,
                                  9999999999.5,        99999999995.0,     2.675, 1.0 / 3,   -123.456, 1e300,
                                  5e-324,              0.30000000000000004, 99999.99999, 0.5, 1.5e-4, 65535.0};
    std::mt19937_64 rng(20240611);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-8, 18);
    for (int i = 0; i < 3000; ++i) values.push_back(mantissa(rng) * std::pow(10.0, exponent(rng)));
    for (int i = 0; i < 500; ++i) values.push_back(std::round(mantissa(rng) * 1e6) / 100.0);  // cents
    for (const char separator : {'.', ','}) {
        SysutilsSettingsGuard guard(separator, true);
        for (const double v : values)
            for (const int precision : {10, 15}) {
                const std::string pattern = "%." + std::to_string(precision) + "g";
                ASSERT_EQ(general(v, precision), Format(pattern, {v})) << v << " " << pattern << " " << separator;
            }
    }
    SysutilsSettingsGuard guard('.', true);
    EXPECT_THROW(general(std::numeric_limits<double>::quiet_NaN(), 10), EMathError);
    std::string pair;
    put_pair(pair, value_pair(120.5));
    EXPECT_EQ(pair, "120.5/120.5");  // both sides, also when equal
}

TEST(ProjectFormat, ARealReadsAsTheNormalisedConversionDecides) {
    const char* const texts[] = {"1.5",  "1,5",   " -2.25 ", "+3",      ".5",  "5.",     "-.5",   "1e3",
                                 "1,2e-3", "1.2.3", "1,2.3",  "",        "-",   "+",      "abc",   "1,5/2",
                                 "1e999", "1e-999", "12345678901234567890123", "0x10", "\t7\t", "1 000",
                                 "00012.50", "-0"};
    for (const char separator : {'.', ','})
        for (const bool euro : {true, false}) {
            SysutilsSettingsGuard guard(separator, euro);
            for (const char* t : texts) {
                double fast = -7, slow = -7;
                const bool fast_ok = read_real(t, fast);
                const bool slow_ok = TryStrToFloat(fix_decimal_separator(t), slow);
                ASSERT_EQ(fast_ok, slow_ok) << t << " " << separator;
                if (fast_ok) {
                    EXPECT_EQ(fast, slow) << t;
                    EXPECT_EQ(std::signbit(fast), std::signbit(slow)) << t;
                }
            }
        }
    // Digit strings around the limits of an exact mantissa and power of ten:
    // up to 20 digits with the point anywhere, from a fixed seed.
    SysutilsSettingsGuard guard('.', true);
    xorshift64 next{88172645463325252ull};
    for (int k = 0; k < 20000; ++k) {
        const int length = 1 + static_cast<int>(next() % 20);
        std::string t = next() % 3 == 0 ? "-" : "";
        const int point = static_cast<int>(next() % (length + 1));
        for (int d = 0; d < length; ++d) {
            if (d == point) t += '.';
            t += static_cast<char>('0' + next() % 10);
        }
        double fast = -7, slow = -7;
        ASSERT_TRUE(read_real(t, fast)) << t;
        ASSERT_TRUE(TryStrToFloat(t, slow)) << t;
        ASSERT_EQ(fast, slow) << t;
    }
}

TEST(ProjectFormat, TextsLoseWhatWouldBreakALineOrACell) {
    struct Case {
        std::string text;
        bool list;
        std::string cell;  // as a node cell or record item
        std::string line;  // as a whole line's value
    };
    const std::string ra = "\xA4";
    const Case cases[] = {
        {"a" + ra + "b", false, "a b", "a" + ra + "b"},
        {"a\r\nb\rc\nd", false, "a b c d", "a b c d"},
        {"x\x1Ey", false, "x y", "x\x1Ey"},
        {"x\x1Ey\x1E" + ra, true, "x\x1Ey\x1E ", "x\x1Ey\x1E" + ra},
        {"\r\n\r\n", false, "  ", "  "},
        {"Łódź ul. 3"_cp, false, "Łódź ul. 3"_cp, "Łódź ul. 3"_cp},
    };
    for (const Case& c : cases) {
        std::string cell, line;
        put_cell_text(cell, c.text, c.list);
        put_line_text(line, c.text);
        EXPECT_EQ(cell, c.cell) << cp1250_to_utf8(c.text);
        EXPECT_EQ(line, c.line) << cp1250_to_utf8(c.text);
    }
}

TEST(ProjectFormat, RecordItemsEndWithoutAnEmptyItemAfterALastSeparator) {
    const std::string ra = "\xA4";
    EXPECT_EQ(line_items("a" + ra + "b" + ra, 10), (std::vector<std::string_view>{"a", "b"}));
    EXPECT_EQ(line_items("a" + ra + ra, 10), (std::vector<std::string_view>{"a", ""}));
    EXPECT_EQ(line_items(ra + "b", 10), (std::vector<std::string_view>{"", "b"}));
    EXPECT_EQ(line_items("a" + ra + "b" + ra + "c", 2), (std::vector<std::string_view>{"a", "b"}));
    EXPECT_TRUE(line_items("", 10).empty());
    EXPECT_EQ(list_lines("g\x1Ep\x1E"), (std::vector<std::string>{"g", "p"}));
}

}  // namespace
