#include "files/slownie.h"

#include <cmath>

#include "platform/sysutils.h"

namespace {

const char* const units_and_teens[20] = {
    "",
    "jeden",
    "dwa",
    "trzy",
    "cztery",
    "pięć"_cp,
    "sześć"_cp,
    "siedem",
    "osiem",
    "dziewięć"_cp,
    "dziesięć"_cp,
    "jedenaście"_cp,
    "dwanaście"_cp,
    "trzynaście"_cp,
    "czternaście"_cp,
    "piętnaście"_cp,
    "szesnaście"_cp,
    "siedemnaście"_cp,
    "osiemnaście"_cp,
    "dziewiętnaście"_cp,
};

const char* const tens_words[10] = {
    "",
    "dziesięć"_cp,
    "dwadzieścia"_cp,
    "trzydzieści"_cp,
    "czterdzieści"_cp,
    "pięćdziesiąt"_cp,
    "sześćdziesiąt"_cp,
    "siedemdziesiąt"_cp,
    "osiemdziesiąt"_cp,
    "dziewięćdziesiąt"_cp,
};

const char* const hundreds_words[10] = {
    "", "sto", "dwieście"_cp, "trzysta", "czterysta", "pięćset"_cp, "sześćset"_cp, "siedemset", "osiemset",
    "dziewięćset"_cp,
};

// The forms chosen by the last digit of a count.
struct noun_forms {
    const char* thousand;
    const char* million;
    const char* zloty;
    const char* grosz;
};
const noun_forms many = {"tysięcy"_cp, "milionów"_cp, "złotych"_cp, "groszy"};
const noun_forms few = {"tysiące"_cp, "miliony", "złote"_cp, "grosze"};
const noun_forms by_last_digit[10] = {
    many, {"tysiąc"_cp, "milion", "złotych"_cp, "groszy"}, few, few, few, many, many, many, many, many,
};

// A group of three digits with its noun ("tysiąc", "miliony", ...).
std::string group_in_words(int64_t group, const char* noun_forms::*form) {
    std::string out = hundreds_in_words(group);
    if (group % 100 >= 10 && group % 100 <= 19) {
        out += many.*form;
        out += ' ';
    } else if (group > 0) {
        out += (group % 10 != 1 || group == 1) ? by_last_digit[group % 10].*form : many.*form;
        out += ' ';
    }
    return out;
}

std::string count_form(int64_t n, const char* noun_forms::*form, const char* one) {
    if (n == 0) return {};
    if (n == 1) return one;
    if (n % 100 >= 10 && n % 100 <= 19) return many.*form;
    return by_last_digit[n % 10].*form;
}

}  // namespace

digit_groups split_digits(int64_t n) {
    return {n % 10, (n / 10) % 10, (n / 100) % 10, (n / 1000) % 1000, n / 1000000};
}

std::string hundreds_in_words(int64_t n) {
    const digit_groups d = split_digits(n % 1000);
    std::string out;
    if (d.hundreds > 0) out.append(hundreds_words[d.hundreds]).push_back(' ');
    if (d.tens > 1) out.append(tens_words[d.tens]).push_back(' ');
    const int64_t r = 10 * d.tens + d.units;
    if (r >= 20 && d.units > 0) out.append(units_and_teens[d.units]).push_back(' ');
    else if (r >= 1 && r <= 19) out.append(units_and_teens[r]).push_back(' ');
    return out;
}

std::string number_in_words(int64_t n) {
    const digit_groups d = split_digits(n);
    const std::string thousands = group_in_words(d.thousands, &noun_forms::thousand) + hundreds_in_words(n % 1000);
    return group_in_words(d.millions % 1000, &noun_forms::million) + thousands;
}

std::string zloty_form(int64_t n) { return count_form(n, &noun_forms::zloty, "złoty"_cp); }

std::string grosz_form(int64_t n) { return count_form(n, &noun_forms::grosz, "grosz"); }

bool amount_in_words(double x, std::string& out) {
    if (!std::isfinite(x) || std::fabs(x) >= 2e9) return false;
    const double a = std::fabs(x);
    int64_t zloty = Trunc(a);
    int64_t grosze = Round((a - static_cast<double>(zloty)) * 100);
    if (grosze == 100) {
        grosze = 0;
        ++zloty;
    }
    if (zloty >= 1000000000) return false;
    std::string words = x < 0 && (zloty > 0 || grosze > 0) ? "minus " : "";
    words += zloty > 0 ? number_in_words(zloty) + zloty_form(zloty) : "zero złotych"_cp;
    words += ' ';
    words += grosze > 0 ? number_in_words(grosze) + grosz_form(grosze) : "zero groszy";
    out = std::move(words);
    return true;
}
