#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/cp1250.h"
#include "platform/sysutils.h"
#include "platform/sysutils_settings_guard.h"

// ---------------------------------------------------------------------------
// Positions, trimming, case

TEST(SysutilsText, CopyBoundaries) {
    const std::vector<std::tuple<int, int, std::string>> cases = {
        {2, 3, "bcd"}, {1, 6, "abcdef"}, {0, 2, "ab"}, {-5, 2, "ab"}, {5, 10, "ef"}, {6, 1, "f"},
        {7, 1, ""}, {1, 0, ""}, {1, -1, ""}, {1, INT_MAX, "abcdef"}, {INT_MAX, INT_MAX, ""}, {INT_MIN, 3, "abc"},
    };
    for (const auto& [index, count, expected] : cases)
        EXPECT_EQ(Copy("abcdef", index, count), expected) << index << "," << count;
    EXPECT_EQ(Copy("", 1, 1), "");
}

TEST(SysutilsText, PosAndPosEx) {
    EXPECT_EQ(Pos("cd", "abcdef"), 3);
    EXPECT_EQ(Pos("a", "abcdef"), 1);
    EXPECT_EQ(Pos("ef", "abcdef"), 5);
    EXPECT_EQ(Pos("x", "abcdef"), 0);
    EXPECT_EQ(Pos("", "abc"), 0);
    EXPECT_EQ(Pos("abc", "ab"), 0);
    EXPECT_EQ(Pos("a", ""), 0);
    EXPECT_EQ(PosEx("a", "banana", 3), 4);
    EXPECT_EQ(PosEx("a", "banana", 2), 2);
    EXPECT_EQ(PosEx("a", "banana", 6), 6);
    EXPECT_EQ(PosEx("a", "banana", 7), 0);
    EXPECT_EQ(PosEx("a", "banana", 0), 0);
    EXPECT_EQ(PosEx("na", "banana", 4), 5);
    EXPECT_EQ(PosEx("", "banana", 1), 0);
}

TEST(SysutilsText, DeleteAndInsert) {
    const std::vector<std::tuple<int, int, std::string>> deletes = {
        {2, 2, "adef"}, {1, 1, "bcdef"}, {6, 1, "abcde"}, {5, 100, "abcd"}, {1, INT_MAX, ""},
        {0, 2, "abcdef"}, {-1, 3, "abcdef"}, {7, 1, "abcdef"}, {2, 0, "abcdef"}, {2, -1, "abcdef"},
    };
    for (const auto& [index, count, expected] : deletes) {
        std::string s = "abcdef";
        Delete(s, index, count);
        EXPECT_EQ(s, expected) << index << "," << count;
    }
    const std::vector<std::pair<int, std::string>> inserts = {
        {1, "XYabc"}, {2, "aXYbc"}, {3, "abXYc"}, {4, "abcXY"}, {100, "abcXY"}, {0, "XYabc"}, {INT_MIN, "XYabc"},
    };
    for (const auto& [index, expected] : inserts) {
        std::string s = "abc";
        Insert("XY", s, index);
        EXPECT_EQ(s, expected) << index;
    }
}

TEST(SysutilsText, TrimRemovesBlanksAndControlsOnly) {
    EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
    EXPECT_EQ(Trim(std::string("\0x\x1f", 3)), "x");
    EXPECT_EQ(Trim("\xa0x\xa0"), "\xa0x\xa0");  // the no-break space is not a blank
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(TrimLeft("  a  "), "a  ");
    EXPECT_EQ(TrimRight("  a  "), "  a");
    EXPECT_EQ(TrimRight("\xb9 "), "\xb9");
}

TEST(SysutilsText, AsciiCaseLeavesPolishLetters) {
    EXPECT_EQ(UpperCase("abc xyz \xb9\xea 1"), "ABC XYZ \xb9\xea 1");
    EXPECT_EQ(LowerCase("ABC XYZ \xa5\xca 1"), "abc xyz \xa5\xca 1");
}

TEST(SysutilsText, AnsiCaseCoversWindows1250Letters) {
    EXPECT_EQ(AnsiUpperCase("ąćęłńóśźż"_cp), "ĄĆĘŁŃÓŚŹŻ"_cp);
    EXPECT_EQ(AnsiLowerCase("ĄĆĘŁŃÓŚŹŻ"_cp), "ąćęłńóśźż"_cp);
    EXPECT_EQ(AnsiUpperCase("zażółć gęślą jaźń"_cp), "ZAŻÓŁĆ GĘŚLĄ JAŹŃ"_cp);
    // Czech, Slovak and Hungarian letters of the code page.
    EXPECT_EQ(AnsiUpperCase("šťžľŕčďňřůűőşţ"_cp), "ŠŤŽĽŔČĎŇŘŮŰŐŞŢ"_cp);
    EXPECT_EQ(AnsiLowerCase("ŠŤŽĽŔČĎŇŘŮŰŐŞŢ"_cp), "šťžľŕčďňřůűőşţ"_cp);

    // Bytes without a case partner stay as they are.
    for (const char* c : {"÷"_cp, "×"_cp, "ß"_cp, "˙"_cp, "µ"_cp, "‹"_cp, "›"_cp, "°"_cp, "€"_cp}) {
        EXPECT_EQ(AnsiUpperChar(c[0]), c[0]) << int(static_cast<unsigned char>(c[0]));
        EXPECT_EQ(AnsiLowerChar(c[0]), c[0]) << int(static_cast<unsigned char>(c[0]));
    }
    // Every byte: upper and lower are inverse on letters and agree with ASCII.
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const char up = AnsiUpperChar(c);
        const char low = AnsiLowerChar(c);
        if (up != c) {
            EXPECT_EQ(AnsiLowerChar(up), c) << b;
        }
        if (low != c) {
            EXPECT_EQ(AnsiUpperChar(low), c) << b;
        }
        if (b < 128) {
            EXPECT_EQ(up, UpperCase(std::string(1, c))[0]) << b;
            EXPECT_EQ(low, LowerCase(std::string(1, c))[0]) << b;
        }
    }
}

TEST(SysutilsText, Comparisons) {
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_EQ(CompareText("abc", "ABC"), 0);
    EXPECT_LT(CompareText("ab", "abc"), 0);
    EXPECT_GT(CompareText("b", "A"), 0);
    EXPECT_GT(CompareText("_", "a"), 0);  // compared as upper case
    EXPECT_TRUE(SameText("Abc", "aBC"));
    EXPECT_FALSE(SameText("abc", "abcd"));
    EXPECT_FALSE(SameText("Łódź"_cp, "łódź"_cp));
    EXPECT_TRUE(AnsiSameText("Łódź"_cp, "łÓDŹ"_cp));
    EXPECT_EQ(AnsiCompareText("ą"_cp, "Ą"_cp), 0);
    EXPECT_LT(AnsiCompareText("ab", "ABC"), 0);
    EXPECT_GT(AnsiCompareText("b", "A"), 0);
}

// The collation of texts for people: the Polish alphabet with each accented
// letter right after its base letter, case folded by the code page.
TEST(SysutilsText, PolishCollation) {
    struct Case {
        std::string a;
        std::string b;
        int text;  // sign of AnsiCompareText(a, b)
        int str;   // sign of AnsiCompareStr(a, b)
    };
    auto sign = [](int v) { return (v > 0) - (v < 0); };
    const std::vector<Case> cases = {
        {"ą"_cp, "b", -1, -1},
        {"ą"_cp, "z", -1, -1},
        {"a", "ą"_cp, -1, -1},
        {"Świetlik"_cp, "Zasuwa", -1, -1},
        {"Świetlik"_cp, "Sztolnia", 1, 1},
        {"Świetlik"_cp, "Tłoczek"_cp, -1, -1},
        {"żwir"_cp, "Żwir"_cp, 0, -1},
        {"Żwir"_cp, "zwir", 1, 1},
        {"źródło"_cp, "żwir"_cp, -1, -1},
        {"Łódź"_cp, "Lublin", 1, 1},
        {"łąka"_cp, "Mąka"_cp, -1, -1},
        {"ćma"_cp, "cza", 1, 1},
        {"ćma"_cp, "dno", -1, -1},
        {"gęś"_cp, "gęsty"_cp, 1, 1},
        {"ósmy"_cp, "osiem", 1, 1},
        {"ósmy"_cp, "pas", -1, -1},
        {"koń"_cp, "Konik", 1, 1},
        {"Kra", "kra", 0, 1},
        {"abc", "Abc", 0, -1},
        {"Abc", "abd", -1, -1},
        {"ZAŻÓŁĆ"_cp, "zażółć"_cp, 0, 1},
        {"rura", "rura 2", -1, -1},
        {"rura 2", "rura_2", -1, -1},  // the blank and signs in byte order
        {"rura_", "rura2", -1, -1},    // signs before digits
        {"rura2", "rurab", -1, -1},    // digits before letters
        {"rura~", "rurab", -1, -1},
        {"10", "9", -1, -1},          // no numeric order
        {"Škoda"_cp, "Świetlik"_cp, 1, 1},  // other letters of the code page after the Polish ones
        {"äb"_cp, "ąz"_cp, 1, 1},
        {"", "a", -1, -1},
        {"", "", 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sign(AnsiCompareText(c.a, c.b)), c.text) << c.a << " / " << c.b;
        EXPECT_EQ(sign(AnsiCompareText(c.b, c.a)), -c.text) << c.b << " / " << c.a;
        EXPECT_EQ(sign(AnsiCompareStr(c.a, c.b)), c.str) << c.a << " / " << c.b;
        EXPECT_EQ(sign(AnsiCompareStr(c.b, c.a)), -c.str) << c.b << " / " << c.a;
        EXPECT_EQ(AnsiSameText(c.a, c.b), c.text == 0) << c.a << " / " << c.b;
    }

    // The whole alphabet in order, small and capital letters alike.
    const std::string alphabet = "aąbcćdeęfghijklłmnńoópqrsśtuvwxyzźż"_cp;
    for (std::size_t i = 0; i + 1 < alphabet.size(); ++i) {
        const std::string x(1, alphabet[i]);
        const std::string y(1, alphabet[i + 1]);
        EXPECT_LT(AnsiCompareText(x, y), 0) << x << " / " << y;
        EXPECT_LT(AnsiCompareText(AnsiUpperCase(x), y), 0) << x << " / " << y;
        EXPECT_LT(AnsiCompareText(x, AnsiUpperCase(y)), 0) << x << " / " << y;
    }

    // Over every pair of bytes: equal without case exactly when the code
    // page's upper case is equal; equal with case only for the same byte.
    for (int x = 0; x < 256; ++x) {
        for (int y = 0; y < 256; ++y) {
            const std::string a(1, static_cast<char>(x));
            const std::string b(1, static_cast<char>(y));
            ASSERT_EQ(AnsiCompareText(a, b) == 0, AnsiUpperCase(a) == AnsiUpperCase(b)) << x << " " << y;
            ASSERT_EQ(AnsiCompareStr(a, b) == 0, x == y) << x << " " << y;
        }
    }
}

TEST(SysutilsText, StringReplaceQuotedStrStringOfChar) {
    EXPECT_EQ(StringReplace("a-b-c", "-", "+", 0), "a+b-c");
    EXPECT_EQ(StringReplace("a-b-c", "-", "+", rfReplaceAll), "a+b+c");
    EXPECT_EQ(StringReplace("aAa", "a", "x", rfReplaceAll), "xAx");
    EXPECT_EQ(StringReplace("aAa", "a", "x", rfReplaceAll | rfIgnoreCase), "xxx");
    EXPECT_EQ(StringReplace("Xab", "AB", "-", rfIgnoreCase), "X-");
    EXPECT_EQ(StringReplace("Żółw żółw"_cp, "ŻÓŁW"_cp, "kot", rfReplaceAll | rfIgnoreCase), "kot kot");
    EXPECT_EQ(StringReplace("aaa", "aa", "a", rfReplaceAll), "aa");  // one pass, no rescanning
    EXPECT_EQ(StringReplace("ab", "b", "bb", rfReplaceAll), "abb");
    EXPECT_EQ(StringReplace("abc", "", "x", rfReplaceAll), "abc");
    EXPECT_EQ(StringReplace("abc", "abc", "", rfReplaceAll), "");
    EXPECT_EQ(StringReplace("ab", "abc", "x", rfReplaceAll), "ab");

    EXPECT_EQ(QuotedStr("it's"), "'it''s'");
    EXPECT_EQ(QuotedStr(""), "''");
    EXPECT_EQ(QuotedStr("''"), "''''''");
    EXPECT_EQ(StringOfChar('-', 3), "---");
    EXPECT_EQ(StringOfChar('-', 0), "");
    EXPECT_EQ(StringOfChar('-', -2), "");
}

// ---------------------------------------------------------------------------
// Dates and times

TEST(SysutilsDate, KnownSerials) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(1900, 3, 1), 61.0);  // 1900 was not a leap year
    EXPECT_EQ(EncodeDate(1970, 1, 1), 25569.0);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
    EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465.0);
    EXPECT_EQ(EncodeDate(2024, 2, 29), EncodeDate(2024, 3, 1) - 1);
    EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);
}

TEST(SysutilsDate, InvalidDatesAndTimesRaise) {
    const std::vector<std::tuple<int, int, int>> dates = {
        {2023, 2, 29}, {1900, 2, 29}, {2024, 13, 1}, {2024, 0, 1}, {0, 1, 1},
        {2024, 4, 31}, {10000, 1, 1}, {2024, 1, 0}, {2024, 1, 32},
    };
    for (const auto& [y, m, d] : dates) EXPECT_THROW(EncodeDate(y, m, d), EConvertError) << y << "-" << m << "-" << d;
    for (const auto& [h, n, s, ms] : std::vector<std::tuple<int, int, int, int>>{
             {24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}, {-1, 0, 0, 0}}) {
        EXPECT_THROW(EncodeTime(h, n, s, ms), EConvertError) << h << ":" << n << ":" << s << "." << ms;
    }
}

TEST(SysutilsDate, DecodeRoundTripsEveryFewDays) {
    const double first = EncodeDate(1, 1, 1);
    const double last = EncodeDate(9999, 12, 31);
    for (double t = first; t <= last; t += 97) {
        int y, m, d;
        DecodeDate(t, y, m, d);
        ASSERT_EQ(EncodeDate(y, m, d), t) << y << "-" << m << "-" << d;
    }
    int y, m, d;
    DecodeDate(EncodeDate(2024, 2, 29), y, m, d);
    EXPECT_EQ(std::make_tuple(y, m, d), std::make_tuple(2024, 2, 29));
}

TEST(SysutilsDate, DecodeTimeAndFractions) {
    int y, mo, d, h, n, s, ms;
    const TDateTime t = EncodeDate(2024, 3, 5) + EncodeTime(23, 59, 59, 999);
    DecodeDate(t, y, mo, d);
    DecodeTime(t, h, n, s, ms);
    EXPECT_EQ(std::make_tuple(y, mo, d, h, n, s, ms), std::make_tuple(2024, 3, 5, 23, 59, 59, 999));

    // A fraction that rounds to a whole day belongs to the next day.
    DecodeDate(1.0 - 1e-12, y, mo, d);
    DecodeTime(1.0 - 1e-12, h, n, s, ms);
    EXPECT_EQ(std::make_tuple(y, mo, d, h, n, s, ms), std::make_tuple(1899, 12, 31, 0, 0, 0, 0));

    // Before 1899-12-30 the fraction still counts forward from the day.
    DecodeDate(-1.25, y, mo, d);
    DecodeTime(-1.25, h, n, s, ms);
    EXPECT_EQ(std::make_tuple(y, mo, d, h, n, s, ms), std::make_tuple(1899, 12, 29, 6, 0, 0, 0));

    EXPECT_THROW(DecodeDate(std::nan(""), y, mo, d), EMathError);
    EXPECT_THROW(DecodeTime(HUGE_VAL, h, n, s, ms), EMathError);
}

TEST(SysutilsDate, FormatDateTimePictures) {
    SysutilsSettingsGuard guard;
    date_separator = '-';
    time_separator = ':';
    const TDateTime t = EncodeDate(2024, 3, 5) + EncodeTime(7, 8, 9, 45);
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"yyyy-mm-dd hh:nn:ss.zzz", "2024-03-05 07:08:09.045"},
        {"d/m/yy", "5-3-24"},
        {"h:n:s", "7:8:9"},
        {"z", "45"},
        {"hh:mm", "07:08"},                  // "mm" after "hh" is the minute
        {"h 'at' m", "7 at 8"},
        {"hh:mm dd/mm", "07:08 05-03"},
        {"mm", "03"},
        {"dd.mm.yyyy", "05.03.2024"},
        {"YYYY-MM-DD", "2024-03-05"},
        {"'yyyy' yyyy", "yyyy 2024"},
        {"\"d/m\"d", "d/m5"},
        {"'open", "open"},
        {"[yy]", "[24]"},
    };
    for (const auto& [picture, expected] : cases) EXPECT_EQ(FormatDateTime(picture, t), expected) << picture;

    date_separator = '.';
    time_separator = '.';
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn", t), "05.03.2024 07.08");
    EXPECT_EQ(FormatDateTime("yyyy", EncodeDate(33, 1, 1)), "0033");
}

TEST(SysutilsDate, DateTimeToStrUsesThePictures) {
    SysutilsSettingsGuard guard;
    short_date_format = "yyyy-mm-dd";
    long_time_format = "hh:nn:ss";
    date_separator = '-';
    time_separator = ':';
    const TDateTime t = EncodeDate(2024, 3, 5) + EncodeTime(7, 8, 9, 0);
    EXPECT_EQ(DateToStr(t), "2024-03-05");
    EXPECT_EQ(TimeToStr(t), "07:08:09");
    EXPECT_EQ(DateTimeToStr(t), "2024-03-05 07:08:09");
    short_date_format = "dd/mm/yyyy";
    date_separator = '.';
    EXPECT_EQ(DateTimeToStr(EncodeDate(2001, 12, 31)), "31.12.2001 00:00:00");
}

TEST(SysutilsDate, UnixSeconds) {
    EXPECT_EQ(UnixToDateTime(0), 25569.0);
    EXPECT_EQ(DateTimeToUnix(25569.0), 0);
    EXPECT_EQ(DateTimeToUnix(EncodeDate(2024, 3, 5) + EncodeTime(7, 8, 9, 0)), 1709622489);
    EXPECT_EQ(UnixToDateTime(86400 * 2 + 43200), 25571.5);
    for (const int64_t s : {int64_t(0), int64_t(1), int64_t(-1), int64_t(1709622489), int64_t(-2208988800),
                            int64_t(253402300799)}) {
        EXPECT_EQ(DateTimeToUnix(UnixToDateTime(s)), s) << s;
    }
    EXPECT_THROW(DateTimeToUnix(std::nan("")), EMathError);
}

TEST(SysutilsDate, ClockSourceCanBeReplaced) {
    set_clock_source([] { return 45000.75; });
    EXPECT_EQ(Now(), 45000.75);
    EXPECT_EQ(Date(), 45000.0);
    set_clock_source(nullptr);

    // Back on the system clock: the local time, as the C library gives it.
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const TDateTime expected = EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
                               EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), 0);
    EXPECT_NEAR(Now(), expected, 5.0 / 86400);
}

// ---------------------------------------------------------------------------
// Locale

namespace {

// Sets the locale variables for one test and puts the old ones back.
class LocaleEnvironment {
public:
    LocaleEnvironment() {
        for (const char* name : kNames) {
            const char* v = std::getenv(name);
            saved_.push_back(v ? std::optional<std::string>(v) : std::nullopt);
        }
    }
    ~LocaleEnvironment() {
        for (size_t i = 0; i < saved_.size(); ++i) set(kNames[i], saved_[i] ? saved_[i]->c_str() : nullptr);
    }
    void use(const char* lc_all, const char* lc_numeric, const char* lang) {
        set("LC_ALL", lc_all);
        set("LC_NUMERIC", lc_numeric);
        set("LANG", lang);
    }

private:
    static void set(const char* name, const char* value) {
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    static constexpr const char* kNames[] = {"LC_ALL", "LC_NUMERIC", "LANG"};
    std::vector<std::optional<std::string>> saved_;
};

}  // namespace

TEST(SysutilsLocale, SeparatorsFromTheEnvironment) {
    SysutilsSettingsGuard guard;
    LocaleEnvironment env;
    const std::string global_before = std::setlocale(LC_NUMERIC, nullptr);
    struct Case {
        const char* lc_all;
        const char* lc_numeric;
        const char* lang;
        char decimal;
    };
    const std::vector<Case> cases = {
        {nullptr, nullptr, nullptr, '.'},
        {"C", nullptr, nullptr, '.'},
        {"POSIX", nullptr, "pl_PL.UTF-8", '.'},       // LC_ALL comes first
        {"pl_PL.UTF-8", nullptr, nullptr, ','},
        {"", nullptr, "pl_PL", ','},                  // an empty variable does not count
        {nullptr, "de_DE.UTF-8", "C", ','},
        {nullptr, "C", "pl_PL.UTF-8", '.'},
        {nullptr, nullptr, "pl_PL.ISO-8859-2@euro", ','},
        {nullptr, nullptr, "en_US.UTF-8", '.'},
        {nullptr, nullptr, "de_CH.UTF-8", '.'},
        {nullptr, nullptr, "C.UTF-8", '.'},
    };
    for (const auto& c : cases) {
        env.use(c.lc_all, c.lc_numeric, c.lang);
        decimal_separator = '?';
        thousand_separator = '?';
        init_locale_settings();
        EXPECT_EQ(decimal_separator, c.decimal) << (c.lc_all ? c.lc_all : "-") << " "
                                                << (c.lc_numeric ? c.lc_numeric : "-") << " "
                                                << (c.lang ? c.lang : "-");
        if (c.decimal == ',') {
            EXPECT_EQ(thousand_separator, ' ');
        }
        EXPECT_NE(thousand_separator, '?');
        EXPECT_NE(thousand_separator, decimal_separator);
    }
    EXPECT_EQ(std::setlocale(LC_NUMERIC, nullptr), global_before);
}
