// The general form of a real written straight into a character buffer: the
// one encoder behind the project file's and the drawing file's numbers.
#pragma once

#include <cstddef>

// Room enough for any text put_general_text writes.
inline constexpr std::size_t general_text_room = 32;

// Writes the finite `v` in the general form with at most `precision` (1 to
// 18) significant digits at `out` and returns the end: the value rounded
// half away from zero from its 18 correctly rounded significant digits,
// trailing zeros dropped, plain from 0.0001 up to `precision` integer
// digits ("-12.5", "0.00015", "1500"), else with an exponent ("1.5E-5",
// "2E20"); `separator` between the integer and the fraction. Writes at most
// general_text_room characters; nothing else is appended (no terminating 0).
char* put_general_text(char* out, double v, int precision, char separator);
