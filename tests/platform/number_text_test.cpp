// The one general-form encoder of the project file and the drawing file,
// against the text format's "%.<precision>g" over values that test each
// of its paths: the shortest text, the 18 digits rounded half away from
// zero, ties and near ties, subnormal values and the plain and exponent forms.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "platform/number_text.h"
#include "platform/sysutils.h"
#include "sysutils_settings_guard.h"

namespace {

std::string encoded(double v, int precision, char separator) {
    char text[general_text_room + 8];
    std::fill(std::begin(text), std::end(text), '#');
    char* end = put_general_text(text, v, precision, separator);
    EXPECT_LE(static_cast<std::size_t>(end - text), general_text_room) << v;
    return std::string(text, end);
}

std::vector<double> sample_values() {
    std::vector<double> values = {1.0, -1.0, 0.1, 0.3, 1e-4, 9.99999e-5, 1e15, 1e16, 123456789012345678.0, 2.5, -2.5,
                                  // Ties that are exact in binary: half away from zero, not to even.
                                  12345678.125, 0.125, 3.0517578125e-5, 1.0000000005, 99999999995.0, 0.5,
                                  // Subnormal and extreme values.
                                  5e-324, -4.9406564584124654e-324, 2.2250738585072009e-308,
                                  std::numeric_limits<double>::min(), std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::lowest(), 0.30000000000000004, 1.0 / 3};
    std::mt19937_64 rng(20261211);
    // Any finite bit pattern.
    while (values.size() < 6000) {
        const double v = std::bit_cast<double>(rng());
        if (std::isfinite(v)) values.push_back(v);
    }
    // Drawing coordinates: sums and products of a few decimals.
    std::uniform_int_distribution<int> whole(-200000, 200000);
    for (int i = 0; i < 4000; ++i) values.push_back(whole(rng) * 0.01 * 1.3 + whole(rng) * 0.001);
    // Decimal near ties: a digit 5 right after 1 to 17 digits, read as the
    // nearest double, which lies a little above or below the tie.
    std::uniform_int_distribution<int> digit(0, 9);
    for (int i = 0; i < 4000; ++i) {
        const int digits = 1 + i % 17;
        std::string text = std::to_string(1 + digit(rng));
        for (int k = 1; k < digits; ++k) text += static_cast<char>('0' + digit(rng));
        text += "5e";
        text += std::to_string(i % 40 - 20);
        values.push_back(std::strtod(text.c_str(), nullptr));
    }
    return values;
}

TEST(NumberText, TheGeneralFormIsTheTextFormatsForEveryPrecision) {
    const std::vector<double> values = sample_values();
    for (const char separator : {'.', ','}) {
        SysutilsSettingsGuard guard(separator, true);
        for (const int precision : {1, 2, 6, 10, 15, 17, 18}) {
            const std::string pattern = "%." + std::to_string(precision) + "g";
            for (const double v : values)
                ASSERT_EQ(encoded(v, precision, separator), Format(pattern, {v}))
                    << std::hexfloat << v << " " << pattern << " " << separator;
        }
    }
}

TEST(NumberText, ZeroIntegersAndTheTwoForms) {
    struct number_case {
        double v;
        int precision;
        const char* text;
    };
    const std::vector<number_case> cases = {
        {0.0, 15, "0"},          {-0.0, 15, "0"},           {65535.0, 15, "65535"},      {-1e14, 15, "-100000000000000"},
        {1e15, 15, "1E15"},      {0.0001, 15, "0.0001"},    {0.00001234, 15, "1.234E-5"}, {12345678.125, 10, "12345678.13"},
        {-2.5, 1, "-3"},         {0.15, 1, "0.1"},           {9.9999999999, 10, "10"},     {99999999995.0, 10, "1E11"},
        {1.5e300, 15, "1.5E300"}, {5e-324, 15, "4.94065645841247E-324"},
    };
    for (const number_case& c : cases) EXPECT_EQ(encoded(c.v, c.precision, '.'), c.text) << c.v;
}

}  // namespace
