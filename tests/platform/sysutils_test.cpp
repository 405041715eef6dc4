#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "platform/cp1250.h"
#include "platform/sysutils.h"
#include "platform/sysutils_settings_guard.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

struct FormatCase {
    const char* pattern;
    std::vector<FormatArg> args;
    char separator;
    std::string expected;
};

void run_format_cases(const std::vector<FormatCase>& cases) {
    for (const auto& c : cases) {
        SysutilsSettingsGuard guard(c.separator);
        thousand_separator = ' ';
        currency_string = "zł"_cp;
        currency_format = 3;
        currency_decimals = 2;
        EXPECT_EQ(Format(c.pattern, c.args), c.expected) << "pattern " << c.pattern << " separator " << c.separator;
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// Format

TEST(SysutilsFormat, WholeNumbers) {
    run_format_cases({
        {"%d", {42}, '.', "42"},
        {"%d", {-5}, '.', "-5"},
        {"%.3d", {-5}, '.', "-005"},
        {"%.3d", {5}, '.', "005"},
        {"%.3d", {12345}, '.', "12345"},
        {"%5d|", {42}, '.', "   42|"},
        {"%-5d|", {42}, '.', "42   |"},
        {"%6.3d", {-7}, '.', "  -007"},
        {"%2d", {12345}, '.', "12345"},
        {"%d", {std::numeric_limits<int64_t>::min()}, '.', "-9223372036854775808"},
        {"%d", {static_cast<short>(-3)}, '.', "-3"},
        {"%D", {9}, '.', "9"},
        {"%u", {42u}, '.', "42"},
        {"%u", {-1}, '.', "4294967295"},
        {"%u", {int64_t(-5000000000)}, '.', "18446744068709551616"},
        {"%.4u", {7}, '.', "0007"},
        {"%x", {255}, '.', "FF"},
        {"%.4x", {255}, '.', "00FF"},
        {"%x", {-1}, '.', "FFFFFFFF"},
        {"%x", {-(int64_t(1) << 40)}, '.', "FFFFFF0000000000"},
        {"%6x|%-6X|", {0xABC, 0xABC}, '.', "   ABC|ABC   |"},
    });
}

TEST(SysutilsFormat, TextsPointersAndPercent) {
    const void* p = reinterpret_cast<const void*>(uintptr_t(0x12AB));
    run_format_cases({
        {"%s", {"abc"}, '.', "abc"},
        {"%.2s", {"abc"}, '.', "ab"},
        {"%.5s", {"abc"}, '.', "abc"},
        {"%5s|", {"abc"}, '.', "  abc|"},
        {"%-5s|", {"abc"}, '.', "abc  |"},
        {"%5.1s|", {"abc"}, '.', "    a|"},
        {"[%s]", {std::string()}, '.', "[]"},
        {"%s", {'c'}, '.', "c"},
        {"%s", {std::string("\xb9\xea")}, '.', "\xb9\xea"},
        {"%p", {p}, '.', "00000000000012AB"},
        {"100%%", {}, '.', "100%"},
        {"%%d %d", {1}, '.', "%d 1"},
        {"no specifiers", {1, 2}, '.', "no specifiers"},
    });
    EXPECT_EQ(Format("%d%%", {5}), "5%");
    EXPECT_EQ(Format("plain", {}), "plain");
}

TEST(SysutilsFormat, Reals) {
    run_format_cases({
        {"%f", {3.14159}, '.', "3.14"},
        {"%f", {3.14159}, ',', "3,14"},
        {"%.3f", {2.0}, '.', "2.000"},
        {"%.0f", {0.5}, '.', "1"},
        {"%.0f", {-0.5}, '.', "-1"},
        {"%.0f", {2.5}, '.', "3"},
        {"%.2f", {0.125}, '.', "0.13"},    // exact half: away from zero
        {"%.2f", {2.675}, '.', "2.67"},    // the double lies below the half
        {"%.1f", {-2.25}, '.', "-2.3"},
        {"%.2f", {-0.001}, '.', "0.00"},   // no negative zero
        {"%.2f", {0.006}, '.', "0.01"},
        {"%.2f", {9.999}, '.', "10.00"},
        {"%f", {7}, '.', "7.00"},          // whole numbers are accepted
        {"%8.2f|", {3.14159}, '.', "    3.14|"},
        {"%-8.2f|", {-3.14159}, ',', "-3,14   |"},
        {"%.2f", {1e20}, '.', "1E20"},     // more integer digits than 18
        {"%e", {1234.5}, '.', "1.23450000000000E+003"},
        {"%e", {1234.5}, ',', "1,23450000000000E+003"},
        {"%.3e", {0.000123456}, '.', "1.23E-004"},
        {"%.1e", {5.0}, '.', "5E+000"},
        {"%.2e", {-9.99}, '.', "-1.0E+001"},
        {"%e", {0.0}, '.', "0.00000000000000E+000"},
        {"%.4e", {1e-300}, '.', "1.000E-300"},
        {"%e", {3}, '.', "3.00000000000000E+000"},
        {"%g", {0.1}, '.', "0.1"},
        {"%g", {2.5}, ',', "2,5"},
        {"%g", {100.0}, '.', "100"},
        {"%g", {1e-6}, '.', "1E-6"},
        {"%g", {1e-5}, '.', "1E-5"},
        {"%g", {1.5e-5}, ',', "1,5E-5"},
        {"%g", {1e-4}, '.', "0.0001"},
        {"%g", {-1.25e-4}, ',', "-0,000125"},
        {"%g", {1e15}, '.', "1E15"},
        {"%g", {999999999999999.0}, '.', "999999999999999"},
        {"%g", {1.5e20}, '.', "1.5E20"},
        {"%g", {-0.0}, '.', "0"},
        {"%.3g", {3.14159}, '.', "3.14"},
        {"%.3g", {31415.9}, '.', "3.14E4"},
        {"%g", {3}, '.', "3"},
        {"%6g|", {1.5}, '.', "   1.5|"},
        {"%n", {1234567.891}, '.', "1 234 567.89"},
        {"%n", {1234567.891}, ',', "1 234 567,89"},
        {"%n", {-1234.5}, '.', "-1 234.50"},
        {"%.0n", {999.5}, '.', "1 000"},
        {"%.1n", {123.45}, '.', "123.5"},
        {"%n", {0}, ',', "0,00"},
        {"%m", {1234.56}, ',', "1 234,56 zł"_cp},
        {"%m", {-1234.56}, ',', "-1 234,56 zł"_cp},
        {"%.0m", {5}, ',', "5 zł"_cp},
        {"%m", {-0.001}, ',', "0,00 zł"_cp},
    });
}

TEST(SysutilsFormat, StarsAndIndexes) {
    run_format_cases({
        {"%*d|", {5, 42}, '.', "   42|"},
        {"%-*d|", {5, 42}, '.', "42   |"},
        {"%*d|", {-4, 7}, '.', "7   |"},
        {"%.*f", {1, 2.25}, '.', "2.3"},
        {"%*.*f|", {8, 3, 3.14159}, ',', "   3,142|"},
        {"%.*s", {2, "abcdef"}, '.', "ab"},
        {"%1:s %0:s", {"a", "b"}, '.', "b a"},
        {"%1:s %s", {"a", "b", "c"}, '.', "b c"},
        {"%0:s%0:s%0:s", {"x"}, '.', "xxx"},
        {"%2:d %0:d %d", {1, 2, 3}, '.', "3 1 2"},
        {"%1:5d|", {0, 9}, '.', "    9|"},
        {"%1:-5d|", {0, 9}, '.', "9    |"},
    });
}

TEST(SysutilsFormat, MismatchesRaiseConvertError) {
    const void* p = nullptr;
    const std::vector<std::pair<const char*, std::vector<FormatArg>>> cases = {
        {"%d", {}},                 // missing argument
        {"%s %s", {"a"}},
        {"%d", {1.5}},              // real for a whole number type
        {"%u", {2.5}},
        {"%x", {1.0}},
        {"%d", {"1"}},              // text for a number type
        {"%f", {"1.5"}},
        {"%g", {std::string("x")}},
        {"%e", {'c'}},
        {"%m", {p}},
        {"%s", {5}},                // number for a text
        {"%s", {2.5}},
        {"%p", {5}},
        {"%*d", {1.5, 3}},          // "*" needs a whole number
        {"%.*f", {"2", 1.5}},
        {"%y", {1}},                // no such type
        {"%5k", {1}},
        {"%", {}},                  // ends inside a specifier
        {"abc %5", {1}},
        {"%1:", {1}},
        {"%.2", {1.0}},
        {"%-", {1}},
        {"%3:d", {1, 2}},           // index past the arguments
        {"%99999999999d", {1}},     // absurd width
        {"%*d", {std::numeric_limits<int64_t>::min(), 1}},  // a "*" width with no opposite
        {"%-*d", {std::numeric_limits<int64_t>::min(), 1}},
        {"%*d", {int64_t(-2000000), 1}},
        {"%*d", {std::numeric_limits<int64_t>::max(), 1}},
    };
    for (const auto& [pattern, args] : cases) {
        EXPECT_THROW(Format(pattern, args), EConvertError) << pattern;
    }
    try {
        Format("Value %d", {"x"});
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Format 'Value %d' invalid or incompatible with argument");
    }
}

TEST(SysutilsFormat, NonFiniteRealsRaiseMathError) {
    for (const char* pattern : {"%f", "%e", "%g", "%n", "%m"}) {
        for (const double v : {kNaN, kInf, -kInf}) {
            EXPECT_THROW(Format(pattern, {v}), EMathError) << pattern << " " << v;
        }
    }
    EXPECT_THROW(FloatToStr(kNaN), EMathError);
    EXPECT_THROW(FloatToStrF(kInf, TFloatFormat::ffFixed, 15, 2), EMathError);
}

// ---------------------------------------------------------------------------
// Reals to text

TEST(SysutilsFloatToStr, GeneralForm) {
    SysutilsSettingsGuard guard('.');
    const std::vector<std::pair<double, std::string>> cases = {
        {0.0, "0"},
        {-0.0, "0"},
        {1.0, "1"},
        {-1.5, "-1.5"},
        {0.1, "0.1"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {123.456, "123.456"},
        {2.675, "2.675"},
        {0.000123, "0.000123"},
        {1e-4, "0.0001"},
        {-1e-4, "-0.0001"},
        {9.999999999999999e-5, "0.0001"},  // 0.0001 once rounded to 15 digits
        {9.99999999999999e-5, "9.99999999999999E-5"},
        {1e-5, "1E-5"},
        {1.5e-5, "1.5E-5"},
        {-2.5e-5, "-2.5E-5"},
        {1e-6, "1E-6"},
        {-1.25e-7, "-1.25E-7"},
        {1.5e20, "1.5E20"},
        {999999999999999.0, "999999999999999"},
        {1e15, "1E15"},
        {123456789012345678.0, "1.23456789012346E17"},
        {9999999999999999.0, "1E16"},
        {1e300, "1E300"},
        {5e-324, "4.94065645841247E-324"},
        {std::numeric_limits<double>::max(), "1.79769313486232E308"},
    };
    for (const auto& [v, expected] : cases) EXPECT_EQ(FloatToStr(v), expected) << v;
}

TEST(SysutilsFloatToStr, UsesDecimalSeparator) {
    SysutilsSettingsGuard guard(',');
    EXPECT_EQ(FloatToStr(1.5), "1,5");
    EXPECT_EQ(FloatToStr(-1.5e-7), "-1,5E-7");
    EXPECT_EQ(FloatToStr(12.0), "12");
}

TEST(SysutilsFloatToStr, FloatToStrFFormats) {
    SysutilsSettingsGuard guard('.');
    thousand_separator = ' ';
    currency_string = "zł"_cp;
    currency_format = 3;
    EXPECT_EQ(FloatToStrF(1234.5678, TFloatFormat::ffFixed, 15, 2), "1234.57");
    EXPECT_EQ(FloatToStrF(1.23456789, TFloatFormat::ffFixed, 4, 6), "1.235000");  // precision limits digits
    EXPECT_EQ(FloatToStrF(1e20, TFloatFormat::ffFixed, 15, 2), "1E20");
    EXPECT_EQ(FloatToStrF(1234567.891, TFloatFormat::ffNumber, 15, 2), "1 234 567.89");
    EXPECT_EQ(FloatToStrF(123.0, TFloatFormat::ffNumber, 15, 0), "123");
    EXPECT_EQ(FloatToStrF(1234.5, TFloatFormat::ffExponent, 4, 2), "1.235E+03");
    EXPECT_EQ(FloatToStrF(0.5, TFloatFormat::ffExponent, 3, 0), "5.00E-1");
    EXPECT_EQ(FloatToStrF(1234.5, TFloatFormat::ffGeneral, 3, 0), "1.23E3");
    EXPECT_EQ(FloatToStrF(1234.5, TFloatFormat::ffGeneral, 3, 2), "1.23E03");
    EXPECT_EQ(FloatToStrF(1234.5, TFloatFormat::ffGeneral, 5, 0), "1234.5");
    EXPECT_EQ(FloatToStrF(-1234.5, TFloatFormat::ffCurrency, 15, 2), "-1 234.50 zł"_cp);

    currency_string = "$";
    const std::vector<std::pair<int, std::string>> placements = {
        {0, "$1.00"}, {1, "1.00$"}, {2, "$ 1.00"}, {3, "1.00 $"}};
    for (const auto& [placement, expected] : placements) {
        currency_format = placement;
        EXPECT_EQ(FloatToStrF(1.0, TFloatFormat::ffCurrency, 15, 2), expected) << placement;
        EXPECT_EQ(FloatToStrF(-1.0, TFloatFormat::ffCurrency, 15, 2), "-" + expected) << placement;
    }
}

TEST(SysutilsIntToStr, DecimalAndHex) {
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(-123), "-123");
    EXPECT_EQ(IntToStr(std::numeric_limits<int64_t>::max()), "9223372036854775807");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(0x1234ABCD, 2), "1234ABCD");
    EXPECT_EQ(IntToHex(0, 0), "0");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
    EXPECT_EQ(IntToHex(-1, 10), "00FFFFFFFF");
    EXPECT_EQ(IntToHex(std::numeric_limits<int64_t>::min(), 1), "8000000000000000");
    EXPECT_EQ(IntToHex(0x100000000LL, 1), "100000000");
}

// ---------------------------------------------------------------------------
// Text to numbers

TEST(SysutilsStrToFloat, ValidTexts) {
    const std::vector<std::tuple<const char*, char, double>> cases = {
        {"1.5", '.', 1.5},
        {"  -2.25e3  ", '.', -2250.0},
        {"+.5", '.', 0.5},
        {"5.", '.', 5.0},
        {"1E-3", '.', 0.001},
        {"\t7\r\n", '.', 7.0},
        {"0", '.', 0.0},
        {"007", '.', 7.0},
        {"1e-400", '.', 0.0},           // underflow is zero
        {"0.1", '.', 0.1},
        {"1,5", ',', 1.5},
        {"-3,25E+2", ',', -325.0},
        {" ,25 ", ',', 0.25},
        {"1.7976931348623157e308", '.', std::numeric_limits<double>::max()},
    };
    for (const auto& [text, separator, expected] : cases) {
        SysutilsSettingsGuard guard(separator);
        EXPECT_EQ(StrToFloat(text), expected) << text;
        double out = -1;
        EXPECT_TRUE(TryStrToFloat(text, out)) << text;
        EXPECT_EQ(out, expected) << text;
    }
}

TEST(SysutilsStrToFloat, InvalidTextsRaise) {
    const std::vector<std::pair<const char*, char>> cases = {
        {"", '.'}, {"   ", '.'}, {"1,5", '.'}, {"abc", '.'}, {"1.5.2", '.'}, {"1e", '.'}, {"1e+", '.'},
        {"--1", '.'}, {"1 5", '.'}, {"inf", '.'}, {"nan", '.'}, {"NAN", '.'}, {"1e400", '.'}, {"-1e400", '.'},
        {".", '.'}, {"+", '.'}, {"0x10", '.'}, {"1.5x", '.'}, {"e5", '.'}, {"1.5", ','}, {"1,5,0", ','},
        {"1 000,5", ','}, {"1e5.5", '.'},
    };
    for (const auto& [text, separator] : cases) {
        SysutilsSettingsGuard guard(separator);
        EXPECT_THROW(StrToFloat(text), EConvertError) << "'" << text << "' with " << separator;
        double out = 0;
        EXPECT_FALSE(TryStrToFloat(text, out)) << text;
        EXPECT_EQ(StrToFloatDef(text, -7.5), -7.5) << text;
    }
    SysutilsSettingsGuard guard('.');
    try {
        StrToFloat(" 1,5 ");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "' 1,5 ' is not a valid floating point value");
    }
}

TEST(SysutilsStrToInt, ValidAndInvalid) {
    const std::vector<std::pair<const char*, int>> valid = {
        {"0", 0}, {"42", 42}, {" -42 ", -42}, {"+7", 7}, {"$FF", 255}, {"$ff", 255}, {"0x1f", 31},
        {"0XFF", 255}, {"-$10", -16}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"$7FFFFFFF", 2147483647}, {"$FFFFFFFF", -1}, {"$80000000", -2147483647 - 1}, {"0010", 10},
    };
    for (const auto& [text, expected] : valid) {
        EXPECT_EQ(StrToInt(text), expected) << text;
        EXPECT_EQ(StrToIntDef(text, 99), expected) << text;
    }
    for (const char* text : {"", " ", "2147483648", "-2147483649", "$100000000", "1.0", "12a", "$", "0x",
                             "- 5", "1e3", "--1", "$G", "0x-1", "+", "99999999999999999999999"}) {
        EXPECT_THROW(StrToInt(text), EConvertError) << text;
        int out = 0;
        EXPECT_FALSE(TryStrToInt(text, out)) << text;
        EXPECT_EQ(StrToIntDef(text, 99), 99) << text;
    }
    try {
        StrToInt("12x");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'12x' is not a valid integer value");
    }
}

TEST(SysutilsStrToInt, Int64Range) {
    EXPECT_EQ(StrToInt64("9223372036854775807"), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(StrToInt64(" -9223372036854775808"), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(StrToInt64("$FFFFFFFF"), 4294967295LL);
    EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
    EXPECT_EQ(StrToInt64("5000000000"), 5000000000LL);
    EXPECT_EQ(StrToInt64Def("9223372036854775808", -3), -3);
    EXPECT_EQ(StrToInt64Def("-9223372036854775809", -3), -3);
    EXPECT_EQ(StrToInt64Def("$10000000000000000", -3), -3);
    int64_t out = 0;
    EXPECT_FALSE(TryStrToInt64("1.5", out));
    EXPECT_THROW(StrToInt64("x"), EConvertError);
}

// ---------------------------------------------------------------------------
// Rounding

// The rounding rule: with euro_rounding on, halves go away from zero and a
// value counts as the half only within max(1e-9, 1e-12 * |x|) of it (at
// most 1e-6), which absorbs binary noise and nothing else; with it off,
// ties go to even. Nothing rounds toward plus infinity.
TEST(SysutilsRound, EuroRoundingTakesNearHalvesAwayFromZero) {
    SysutilsSettingsGuard guard('.', true);
    const std::vector<std::pair<double, int64_t>> cases = {
        {2.675 * 100, 268},           // 267.49999999999997
        {100000.49995, 100000},       // 5e-5 below the half is no half
        {-100000.49995, -100000},
        {1024.215 * 100, 102422},     // 102421.49999999999
        {100000.499999, 100000},      // 1e-6 below: more than 1e-12 of the value
        {100000.5, 100001},
        {1e9 + 0.49995, 1000000000},  // the tolerance never passes 1e-6
        {1e9 + 0.49999, 1000000000},
        {1e9 + 0.5, 1000000001},
        {1.10 * 100, 110},
        {1.015 * 100, 102},           // 101.49999999999999
        {0.285 * 100, 29},            // 28.499999999999996
        {0.5, 1},
        {1.5, 2},
        {2.5, 3},
        {-2.5, -3},
        {-0.5, -1},
        {2.4999, 2},
        {2.5000000001, 3},
        {2.4999999999, 3},
        {-2.4999999999, -3},
        {2.4999999, 2},               // 1e-7 below the half is not a half
        {2.6, 3},
        {-2.6, -3},
        {0.0, 0},
        {1e15 + 0.5, 1000000000000001},
        {123456789012.4, 123456789012},
        {4e9, 4000000000},
        {1e9 + 0.3, 1000000000},
        {-1e12 - 0.7, -1000000000001},
        {9007199254740993.0, 9007199254740992},
        {-9223372036854775808.0, std::numeric_limits<int64_t>::min()},
    };
    for (const auto& [x, expected] : cases) EXPECT_EQ(Round(x), expected) << x;
    EXPECT_EQ(fegetround(), FE_TONEAREST);
}

TEST(SysutilsRound, WithoutEuroRoundingTiesGoToEven) {
    SysutilsSettingsGuard guard('.', false);
    const std::vector<std::pair<double, int64_t>> cases = {
        {100000.49995, 100000},
        {100000.5, 100000},
        {100001.5, 100002},
        {1024.215 * 100, 102421},
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {-0.5, 0},
        {2.675 * 100, 268},           // exactly 267.5
        {1.015 * 100, 101},
        {0.285 * 100, 28},
        {1.10 * 100, 110},
        {2.5000000001, 3},
        {2.4999999999, 2},
        {1e15 + 0.5, 1000000000000000},
        {123456789012.4, 123456789012},
    };
    for (const auto& [x, expected] : cases) EXPECT_EQ(Round(x), expected) << x;
    EXPECT_EQ(fegetround(), FE_TONEAREST);
}

TEST(SysutilsRound, InvalidValuesRaise) {
    for (const bool euro : {true, false}) {
        SysutilsSettingsGuard guard('.', euro);
        for (const double x : {kNaN, kInf, -kInf, 1e19, -1e19, 9223372036854775808.0, -9.3e18}) {
            EXPECT_THROW(Round(x), EMathError) << x;
            EXPECT_THROW(Trunc(x), EMathError) << x;
        }
    }
    try {
        Round(kNaN);
        FAIL() << "no exception";
    } catch (const EMathError& e) {
        EXPECT_STREQ(e.what(), "Invalid floating point operation");
    }
}

TEST(SysutilsRound, TruncCheckFiniteAndDivide) {
    EXPECT_EQ(Trunc(2.9), 2);
    EXPECT_EQ(Trunc(-2.9), -2);
    EXPECT_EQ(Trunc(-0.5), 0);
    EXPECT_EQ(check_finite(1.5), 1.5);
    EXPECT_THROW(check_finite(kNaN), EMathError);
    EXPECT_THROW(check_finite(-kInf), EMathError);
    EXPECT_EQ(divide(6.0, 3.0), 2.0);
    EXPECT_THROW(divide(0.0, 0.0), EMathError);
    EXPECT_THROW(divide(1e308, 1e-308), EMathError);
    try {
        divide(1.0, 0.0);
        FAIL() << "no exception";
    } catch (const EMathError& e) {
        EXPECT_STREQ(e.what(), "Floating point division by zero");
    }
}
