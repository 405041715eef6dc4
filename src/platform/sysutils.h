// Text and number helpers in the manner of the old runtime library, used by
// every part of the program. Texts are Windows-1250; positions are 1-based
// where the old runtime counted from 1 (Copy, Pos, Delete, Insert).
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/cp1250.h"
#include "platform/exceptions.h"

// ---------------------------------------------------------------------------
// Process-wide number and date settings.

// The decimal separator of every number written for a person or into the
// project file. Taken from the user's locale at start ("." in the C locale);
// tests set it.
extern char decimal_separator;
// Thousands separator of "%n" and "%m".
extern char thousand_separator;
// Currency of "%m": the text, its placement (0 "$1", 1 "1$", 2 "$ 1",
// 3 "1 $") and the decimals.
extern std::string currency_string;
extern int currency_format;
extern int currency_decimals;
// Date and time pictures of DateToStr, TimeToStr and DateTimeToStr.
extern std::string short_date_format;
extern std::string long_time_format;
extern char date_separator;
extern char time_separator;

// Reads the separators from the locale named by LC_ALL, else LC_NUMERIC,
// else LANG (empty variables do not count); the C or POSIX locale or none
// gives ".". A decimal comma goes with a blank as thousands separator. The
// C library is asked (the global locale is switched and put back, so call
// it at start, before other threads run); a locale the system does not have
// is looked up in a table of languages. The currency and date settings keep
// their defaults.
void init_locale_settings();
// Puts every process-wide setting of this unit (separators, currency, date
// pictures, euro_rounding) back to its built-in value. The Program calls it
// at its start and end, so no run sees what an earlier one left.
void reset_runtime_settings();

// ---------------------------------------------------------------------------
// Conversion of reals to whole numbers.
//
// Every conversion of a real to a whole number goes through Round. With
// euro_rounding off it rounds to nearest with ties to even. With it on it
// rounds to nearest with halves away from zero, where a value within
// max(1e-9, 1e-12 * |x|) of a half, and never more than 1e-6 from it,
// counts as the half (binary noise only): 2.675 * 100 gives 268, 1.10 * 100
// gives 110, 100000.49995 gives 100000. The processor's rounding mode is
// never changed.
extern bool euro_rounding;

// Raises EMathError for NaN, infinity or a value outside the 64-bit range.
int64_t Round(double x);
// Toward zero; raises EMathError like Round.
int64_t Trunc(double x);
// Raises EMathError("Invalid floating point operation") unless x is finite;
// returns x. Use where the old runtime would have raised.
double check_finite(double x);
// a / b, raising EMathError("Floating point division by zero") when b is 0
// and EMathError("Floating point overflow") when the quotient of finite
// numbers is too large.
double divide(double a, double b);

// ---------------------------------------------------------------------------
// Format.
//
// Patterns as the old runtime had them:
//   "%" ["index:"] ["-"] [width] ["." precision] type
// with type d (decimal; precision = minimum digits, zero padded), u
// (unsigned), x (hexadecimal, upper case), e (scientific, precision =
// significant digits, default 15, exponent "E+000"), f (fixed, default 2
// decimals), g (general: at most 15 significant digits, no trailing zeros,
// plain from 0.0001 up to the precision's integer digits, else the exponent
// form "1.5E-5", "1E15"),
// n (fixed with thousands separators), m (currency), s (text; precision =
// maximum length), p (pointer, 16 hexadecimal digits). "*" takes width or
// precision from the arguments; "index:" (from 0) picks the argument, and
// the following specifiers go on from there; "%%" is a percent sign. Reals
// use decimal_separator and are rounded in decimal with halves away from
// zero. u and x show a negative number as 32-bit two's complement when it
// fits 32 bits, as 64-bit otherwise. NaN and infinity raise EMathError.
// A pattern that does not fit its arguments (a missing argument, a real for
// %d, a text for %f...) raises EConvertError, never undefined behaviour.
// Whole numbers are accepted for the real types e, f, g, n and m.
class FormatArg {
public:
    FormatArg(int v) : value_(int64_t(v)) {}
    FormatArg(long v) : value_(int64_t(v)) {}
    FormatArg(long long v) : value_(int64_t(v)) {}
    FormatArg(unsigned v) : value_(int64_t(v)) {}
    FormatArg(unsigned long v) : value_(int64_t(v)) {}
    FormatArg(unsigned long long v) : value_(int64_t(v)) {}
    FormatArg(short v) : value_(int64_t(v)) {}
    FormatArg(unsigned short v) : value_(int64_t(v)) {}
    FormatArg(unsigned char v) : value_(int64_t(v)) {}
    FormatArg(double v) : value_(v) {}
    FormatArg(long double v) : value_(double(v)) {}
    FormatArg(float v) : value_(double(v)) {}
    FormatArg(char c) : value_(std::string(1, c)) {}
    FormatArg(const char* s) : value_(std::string(s ? s : "")) {}
    FormatArg(std::string s) : value_(std::move(s)) {}
    FormatArg(std::string_view s) : value_(std::string(s)) {}
    FormatArg(const void* p) : value_(p) {}
    FormatArg(bool) = delete;

    using Value = std::variant<int64_t, double, std::string, const void*>;
    const Value& value() const { return value_; }

private:
    Value value_;
};

std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args);
std::string Format(std::string_view pattern, std::span<const FormatArg> args);
inline std::string Format(std::string_view pattern, const std::vector<FormatArg>& args) {
    return Format(pattern, std::span<const FormatArg>(args.data(), args.size()));
}

// ---------------------------------------------------------------------------
// Numbers to text and back.

std::string IntToStr(int64_t v);
// Upper-case hexadecimal, at least `digits` digits. A negative value is
// written as 32-bit two's complement when it fits 32 bits ("FFFFFFFF" for
// -1), as 64-bit otherwise; "%u" and "%x" of Format do the same.
std::string IntToHex(int64_t v, int digits);
// General form, at most 15 significant digits, decimal_separator ("%g"):
// plain when 0.0001 <= |v| < 1E15 (after rounding to 15 digits), else the
// exponent form without "+" or leading zeros: 1E-5, -1.5E-7, 1E15.
std::string FloatToStr(double v);

enum class TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
std::string FloatToStrF(double v, TFloatFormat format, int precision, int digits);

// Leading and trailing blanks are allowed; the decimal separator is
// decimal_separator only; an exponent is allowed. A value too large for a
// double fails, one too small is 0. Raises EConvertError
// "'%s' is not a valid floating point value".
double StrToFloat(std::string_view s);
double StrToFloatDef(std::string_view s, double def);
bool TryStrToFloat(std::string_view s, double& out);

// Decimal, or hexadecimal after "$" or "0x"; blanks around are allowed.
// Decimal must fit the signed range; hexadecimal may use the whole unsigned
// range and is taken as two's complement ("$FFFFFFFF" is -1 for StrToInt).
// Raises EConvertError "'%s' is not a valid integer value".
int StrToInt(std::string_view s);
int StrToIntDef(std::string_view s, int def);
bool TryStrToInt(std::string_view s, int& out);
int64_t StrToInt64(std::string_view s);
int64_t StrToInt64Def(std::string_view s, int64_t def);
bool TryStrToInt64(std::string_view s, int64_t& out);

// ---------------------------------------------------------------------------
// Texts.

// Without leading and trailing characters up to and including the blank
// (control characters too), as the old runtime trimmed.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

// Count characters from 1-based position `index`; an index below 1 counts as
// 1, a range past the end is cut.
std::string Copy(std::string_view s, int index, int count);
// 1-based position of the first occurrence of sub in s, 0 when none (or when
// sub is empty).
int Pos(std::string_view sub, std::string_view s);
// As Pos, starting the search at 1-based position `offset`.
int PosEx(std::string_view sub, std::string_view s, int offset);
// Deletes count characters from 1-based position index (nothing when index
// is out of range).
void Delete(std::string& s, int index, int count);
// Inserts sub before 1-based position index (clamped to 1..length+1).
void Insert(std::string_view sub, std::string& s, int index);

// ASCII letters only.
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
// Windows-1250 letters too (ą -> Ą, ł -> Ł, ...).
std::string AnsiUpperCase(std::string_view s);
std::string AnsiLowerCase(std::string_view s);
char AnsiUpperChar(char c);
char AnsiLowerChar(char c);

// Comparison byte by byte without regard to ASCII case: <0, 0, >0 (names,
// keys and identifiers).
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);

// The collation of texts for people: the Polish alphabet, as the user's
// locale ordered texts for the old runtime. Bytes rank as
//   control characters, the blank, punctuation and other signs (each in byte
//   order), the digits 0-9, then the letters
//   a ą á â ă ä b c ć ç č d ď đ e ę é ë ě f g h i í î j k l ł ľ ĺ m n ń ň
//   o ó ô ő ö p q r ŕ ř s ś š ş ß t ť ţ u ů ú ű ü v w x y ý z ź ż ž
// (each Polish letter right after its base letter, the other letters of the
// code page after it), a capital with its small letter. Texts compare by
// the first byte that ranks differently; a text that is the beginning of
// another comes first. Every case-insensitive list, sort and look-up of the
// toolkit uses it.
//
// Without regard to Windows-1250 case: <0, 0, >0; 0 only for texts that
// differ in case alone.
int AnsiCompareText(std::string_view a, std::string_view b);
bool AnsiSameText(std::string_view a, std::string_view b);
// With case: the letters decide first; texts that differ in case alone are
// then ordered at their first difference, small letter before capital
// ("abc" < "Abc" < "abd"). 0 only for equal texts.
int AnsiCompareStr(std::string_view a, std::string_view b);

// rfIgnoreCase compares without regard to Windows-1250 case.
enum TReplaceFlags : unsigned { rfReplaceAll = 1, rfIgnoreCase = 2 };
std::string StringReplace(std::string_view s, std::string_view old_pattern,
                          std::string_view new_pattern, unsigned flags);

std::string QuotedStr(std::string_view s);
std::string StringOfChar(char c, int count);

// ---------------------------------------------------------------------------
// Dates and times: days since 1899-12-30 with the time as the fraction.

using TDateTime = double;

// The current date and time. Tests may replace the source.
TDateTime Now();
TDateTime Date();
void set_clock_source(std::function<TDateTime()> source);  // nullptr = system clock

TDateTime EncodeDate(int year, int month, int day);  // raises EConvertError when invalid
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);  // raises EConvertError when invalid
void DecodeDate(TDateTime t, int& year, int& month, int& day);
void DecodeTime(TDateTime t, int& hour, int& minute, int& second, int& millisecond);
// Pictures: yyyy, yy, mm, m, dd, d, hh, h, nn, n, ss, s, zzz; "/" gives
// date_separator and ":" time_separator; text in quotes is copied.
std::string FormatDateTime(std::string_view picture, TDateTime t);
std::string DateToStr(TDateTime t);
std::string TimeToStr(TDateTime t);
std::string DateTimeToStr(TDateTime t);
// Seconds since 1970-01-01 (UTC) and back, for file dates.
TDateTime UnixToDateTime(int64_t seconds);
int64_t DateTimeToUnix(TDateTime t);
