// Format and the number conversions on any input. Layout: a byte of
// settings (decimal separator, rounding mode), the text up to the first 0
// byte (a number text and a Format pattern at once), then the arguments,
// each a type byte and its value: 0 a whole number (8 bytes), 1 a real (8
// bytes), 2 a text (a length byte and the bytes). Bad patterns and numbers
// raise EConvertError, arithmetic beyond the range EMathError, by design.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "model/utils.h"
#include "platform/exceptions.h"
#include "platform/sysutils.h"

namespace {

void expect(bool condition) {
    if (!condition) std::abort();
}

template <typename F>
void guarded(F&& f) {
    try {
        f();
    } catch (const EConvertError&) {
    } catch (const EMathError&) {
    }
}

// Up to 8 bytes of the input as the bits of a T; fewer bytes leave zeros.
template <typename T>
T take(std::string_view& in) {
    unsigned char bytes[sizeof(T)] = {};
    const size_t n = std::min(in.size(), sizeof(T));
    std::memcpy(bytes, in.data(), n);
    in.remove_prefix(n);
    T v;
    std::memcpy(&v, bytes, sizeof(T));
    return v;
}

std::vector<FormatArg> arguments(std::string_view in) {
    std::vector<FormatArg> args;
    while (!in.empty() && args.size() < 16) {
        const auto type = static_cast<unsigned char>(in.front()) % 3;
        in.remove_prefix(1);
        if (type == 0) {
            args.emplace_back(static_cast<long long>(take<int64_t>(in)));
        } else if (type == 1) {
            args.emplace_back(take<double>(in));
        } else {
            const size_t n = in.empty() ? 0 : std::min<size_t>(static_cast<unsigned char>(in.front()), in.size() - 1);
            args.emplace_back(std::string(in.substr(in.empty() ? 0 : 1, n)));
            in.remove_prefix(in.empty() ? 0 : n + 1);
        }
    }
    return args;
}

void whole_number(int64_t v) {
    expect(StrToInt64(IntToStr(v)) == v);
    for (const int digits : {0, 8, 20}) IntToHex(v, digits);
    guarded([&] { Format("%d|%5.3d|%u|%x|%-8x|%*d|%.*d|%e|%f|%n", {v, v, v, v, v, v, v, v, v, v, v, v}); });
}

// Fixed-point text stands for the value within half a step (code n >= 0:
// steps of one unit of the n-th decimal; n <= -5: five units of the
// (-n-5)-th), give or take the last bit of the double. The digit that decides
// is taken from the value printed with two decimals more, itself rounded, so
// half a step less 0.005 of one already rounds away.
void fixed_point(int code, double x) {
    const std::string text = format_fixed(code, x);
    const int decimals = code >= 0 ? code : -code - 5;
    const size_t separator = text.find(decimal_separator);
    expect(decimals == 0 ? separator == std::string::npos : text.size() - separator - 1 == size_t(decimals));
    const double step = std::pow(10.0, -decimals) * (code >= 0 ? 1 : 5);
    const double error = std::fabs(StrToFloat(text) - x);
    expect(error <= step * 0.505 * (1 + 1e-9) + std::fabs(x) * 1e-15);
}

// A shown value stands for the value within half a step of its decimals
// (and the tolerance by which Round takes noise for a half), or, in the
// general form, to 15 significant digits.
void shown_value(int decimals, double x) {
    const std::string text = fixed_text(decimals, x);
    const double back = StrToFloat(text);
    const double step = std::pow(10.0, -std::clamp(decimals, 0, 18));
    const double error = std::fabs(back - x);
    expect(error <= step * (0.5 + 1e-6) + std::fabs(x) * 1e-15 || error <= std::fabs(x) * 5.1e-15);
}

void real_number(double x) {
    guarded([&] { FloatToStr(x); });
    for (const auto format : {TFloatFormat::ffGeneral, TFloatFormat::ffExponent, TFloatFormat::ffFixed,
                              TFloatFormat::ffNumber, TFloatFormat::ffCurrency})
        for (const int precision : {0, 7, 15, 18})
            for (const int digits : {0, 2, 4, 18}) guarded([&] { FloatToStrF(x, format, precision, digits); });
    for (const int code : {0, 1, 2, 3, 16, 17, 18, 19, 20, 40, 255, -5, -6, -7, -21, -22, -30, -260})
        guarded([&] { fixed_point(code, x); });
    for (const int decimals : {-1, 0, 1, 2, 3, 9, 15, 18, 40}) guarded([&] { shown_value(decimals, x); });
    for (const int8_t n : {int8_t(-1), int8_t(0), int8_t(2), int8_t(20), int8_t(127)}) guarded([&] { round_to(n, x); });
    guarded([&] { Round(x); });
    guarded([&] { Trunc(x); });
    guarded([&] { Format("%g|%e|%.3e|%f|%.0f|%10.4f|%n|%m|%.20g", {x, x, x, x, x, x, x, x, x}); });
    // A whole number within the range reads back from its text.
    if (x > -1e15 && x < 1e15 && x == static_cast<double>(static_cast<int64_t>(x)))
        expect(StrToFloat(FloatToStr(x)) == x);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view in = input_text(data, size);
    const unsigned char settings = in.empty() ? 0 : static_cast<unsigned char>(in.front());
    if (!in.empty()) in.remove_prefix(1);
    decimal_separator = settings & 1 ? ',' : '.';
    thousand_separator = settings & 1 ? ' ' : ',';
    euro_rounding = (settings & 2) != 0;

    const auto [text, rest] = split_input(in, '\0');
    const std::vector<FormatArg> args = arguments(rest);
    guarded([&] { Format(text, args); });

    guarded([&] { StrToFloat(text); });
    double x = 0;
    if (TryStrToFloat(text, x)) real_number(x);
    StrToFloatDef(text, 0);
    int i = 0;
    if (TryStrToInt(text, i)) expect(StrToInt(IntToStr(i)) == i);
    guarded([&] { StrToInt(text); });
    int64_t w = 0;
    if (TryStrToInt64(text, w)) whole_number(w);
    StrToInt64Def(text, 0);
    fix_decimal_separator(text);

    for (const FormatArg& arg : args) {
        if (const auto* v = std::get_if<int64_t>(&arg.value())) whole_number(*v);
        if (const auto* v = std::get_if<double>(&arg.value())) real_number(*v);
    }
    reset_runtime_settings();
    return 0;
}
