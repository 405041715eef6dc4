#include <gtest/gtest.h>

#include <string>

#include "platform/cp1250.h"

TEST(Cp1250, LiteralConvertsAtCompileTime) {
    const std::string s = "Zażółć gęślą jaźń ¤ °"_cp;
    EXPECT_EQ(s, "Za\xbf\xf3\xb3\xe6 g\xea\x9c\x6c\xb9 ja\x9f\xf1 \xa4 \xb0");
    static_assert("ą"_cp[0] == '\xb9');
}

TEST(Cp1250, EveryByteSurvivesUtf8AndUtf16RoundTrips) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    bool lossy = true;
    EXPECT_EQ(utf8_to_cp1250(cp1250_to_utf8(all), '?', &lossy), all);
    EXPECT_FALSE(lossy);
    EXPECT_EQ(utf16_to_cp1250(cp1250_to_utf16(all), '?', &lossy), all);
    EXPECT_FALSE(lossy);
}

TEST(Cp1250, KnownCodePoints) {
    EXPECT_EQ(cp1250_to_unicode(0xA4), U'\u00A4');
    EXPECT_EQ(cp1250_to_unicode(0x8B), U'\u2039');
    EXPECT_EQ(cp1250_to_unicode(0x9B), U'\u203A');
    EXPECT_EQ(cp1250_to_unicode(0x80), U'\u20AC');
    EXPECT_EQ(cp1250_to_utf8("\xa3\xf3\x64\x9f"), "\xc5\x81\xc3\xb3" "d\xc5\xba");
}

TEST(Cp1250, UnrepresentableCharactersAreReplacedAndReported) {
    bool lossy = false;
    EXPECT_EQ(utf8_to_cp1250("a\xe2\x82\xac\xe4\xb8\xad" "b", '?', &lossy), "a\x80?b");  // euro sign, CJK
    EXPECT_TRUE(lossy);
    EXPECT_EQ(utf16_to_cp1250(u"x\U0001F600y", '?', &lossy), "x?y");
    EXPECT_TRUE(lossy);
    EXPECT_EQ(utf8_to_cp1250("\xff", '?', &lossy), "?");  // malformed UTF-8
}
