// Amounts of money in Polish words ("sto dwadzieścia złotych pięćdziesiąt
// groszy"), as the document templates write a value with the modifier "#".
// The routines keep no state; every text is Windows-1250.
#pragma once

#include <cstdint>
#include <string>

// The digits and groups of a whole number.
struct digit_groups {
    int64_t units = 0;      // n mod 10
    int64_t tens = 0;       // (n div 10) mod 10
    int64_t hundreds = 0;   // (n div 100) mod 10
    int64_t thousands = 0;  // (n div 1000) mod 1000
    int64_t millions = 0;   // n div 1000000
};
digit_groups split_digits(int64_t n);

// The words of n mod 1000, each followed by one blank; empty for 0.
std::string hundreds_in_words(int64_t n);
// The words of n (0 to 999999999) with the thousand and million forms, each
// word followed by one blank; the millions are spelled from their last three
// digits.
std::string number_in_words(int64_t n);
// The form of "złoty" or "grosz" that follows a count (nothing for 0).
std::string zloty_form(int64_t n);
std::string grosz_form(int64_t n);

// The amount in words: the złoty part, a blank and the grosz part. The
// grosze are the fraction times 100 rounded by the process-wide conversion
// (100 grosze make one more złoty). A negative amount is "minus " and the
// words of its absolute value. False (and `out` untouched) when the amount
// reaches 1,000,000,000 złoty once rounded, which the words cannot spell.
bool amount_in_words(double x, std::string& out);
