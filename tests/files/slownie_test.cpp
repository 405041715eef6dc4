#include <gtest/gtest.h>

#include "files/slownie.h"
#include "platform/cp1250.h"
#include "platform/sysutils.h"

namespace {

struct amount_case {
    double amount;
    const char* words;  // nullptr: the amount cannot be spelled
};

class AmountInWords : public ::testing::Test {
protected:
    AmountInWords() {
        euro_rounding = true;
        decimal_separator = '.';
    }
    ~AmountInWords() override { reset_runtime_settings(); }
};

TEST_F(AmountInWords, SpellsZlotyAndGroszeWithTheirForms) {
    const amount_case cases[] = {
        {0, "zero złotych zero groszy"_cp},
        {1, "jeden złoty zero groszy"_cp},
        {3, "trzy złote zero groszy"_cp},
        {11, "jedenaście złotych zero groszy"_cp},
        {12, "dwanaście złotych zero groszy"_cp},
        {21, "dwadzieścia jeden złotych zero groszy"_cp},
        {112, "sto dwanaście złotych zero groszy"_cp},
        {122, "sto dwadzieścia dwa złote zero groszy"_cp},
        {1000, "jeden tysiąc złotych zero groszy"_cp},
        {1001, "jeden tysiąc jeden złotych zero groszy"_cp},
        {5000, "pięć tysięcy złotych zero groszy"_cp},
        {11000, "jedenaście tysięcy złotych zero groszy"_cp},
        {21000, "dwadzieścia jeden tysięcy złotych zero groszy"_cp},
        {122000, "sto dwadzieścia dwa tysiące złotych zero groszy"_cp},
        {1000000, "jeden milion złotych zero groszy"_cp},
        {2000000, "dwa miliony złotych zero groszy"_cp},
        {15000000, "piętnaście milionów złotych zero groszy"_cp},
        {999999999.99, "dziewięćset dziewięćdziesiąt dziewięć milionów dziewięćset dziewięćdziesiąt dziewięć tysięcy "_cp
                       "dziewięćset dziewięćdziesiąt dziewięć złotych dziewięćdziesiąt dziewięć groszy"_cp},
        {0.01, "zero złotych jeden grosz"_cp},
        {0.22, "zero złotych dwadzieścia dwa grosze"_cp},
        {0.25, "zero złotych dwadzieścia pięć groszy"_cp},
        {0.15, "zero złotych piętnaście groszy"_cp},
        {1.75, "jeden złoty siedemdziesiąt pięć groszy"_cp},
        {12.30, "dwanaście złotych trzydzieści groszy"_cp},
        {14.5, "czternaście złotych pięćdziesiąt groszy"_cp},
        {19.999, "dwadzieścia złotych zero groszy"_cp},
        {120.50, "sto dwadzieścia złotych pięćdziesiąt groszy"_cp},
        {-120.50, "minus sto dwadzieścia złotych pięćdziesiąt groszy"_cp},
        {-0.001, "zero złotych zero groszy"_cp},
        {1000000000, nullptr},
        {999999999.996, nullptr},
        {-1500000000, nullptr},
    };
    for (const amount_case& c : cases) {
        std::string out = "unchanged";
        const bool spelled = amount_in_words(c.amount, out);
        if (c.words) {
            EXPECT_TRUE(spelled) << c.amount;
            EXPECT_EQ(out, c.words) << c.amount << ": " << cp1250_to_utf8(out);
        } else {
            EXPECT_FALSE(spelled) << c.amount;
            EXPECT_EQ(out, "unchanged") << c.amount;
        }
    }
}

TEST_F(AmountInWords, GroszeFollowTheRoundingMode) {
    // 0.125 zł is 12.5 grosze: halves away from zero with euro rounding,
    // to even without it.
    std::string out;
    ASSERT_TRUE(amount_in_words(0.125, out));
    EXPECT_EQ(out, "zero złotych trzynaście groszy"_cp);
    euro_rounding = false;
    ASSERT_TRUE(amount_in_words(0.125, out));
    EXPECT_EQ(out, "zero złotych dwanaście groszy"_cp);
}

TEST_F(AmountInWords, WordRoutinesEndEveryWordWithABlank) {
    EXPECT_EQ(hundreds_in_words(0), "");
    EXPECT_EQ(hundreds_in_words(1215), "dwieście piętnaście "_cp);
    EXPECT_EQ(number_in_words(1001), "jeden tysiąc jeden "_cp);
    EXPECT_EQ(number_in_words(1'234'567'001), "dwieście trzydzieści cztery miliony pięćset sześćdziesiąt "_cp
                                                              "siedem tysięcy jeden "_cp);
    EXPECT_EQ(zloty_form(0), "");
    EXPECT_EQ(zloty_form(111), "złotych"_cp);
    EXPECT_EQ(zloty_form(22), "złote"_cp);
    EXPECT_EQ(grosz_form(1), "grosz");
    EXPECT_EQ(grosz_form(14), "groszy");
    EXPECT_EQ(grosz_form(24), "grosze");
    const digit_groups d = split_digits(987654321);
    EXPECT_EQ(d.units, 1);
    EXPECT_EQ(d.tens, 2);
    EXPECT_EQ(d.hundreds, 3);
    EXPECT_EQ(d.thousands, 654);
    EXPECT_EQ(d.millions, 987);
}

}  // namespace
