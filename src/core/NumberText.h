// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

// The number texts the window shows, with "." as the decimal point; the
// window swaps in the user's separator, the command line keeps ".".
namespace vosk {

// Decimal digits with a leading "-" when negative.
std::string IntegerText(long long value);

// The shortest plain decimal of value with at most 15 significant digits: no
// exponent, trailing zeros and a trailing point dropped. Every value a slider
// stands for is a short exact decimal, so the text never shows the rounding
// noise of a float. Infinities and NaN give "INF", "-INF" and "NAN".
std::string DecimalText(double value);

// value rounded to a whole number, halves away from zero, in plain digits
// with no limit on their number; empty when the rounded value is zero or
// value is not finite, so that a zero reading leaves its box blank.
std::string WholeNumberText(long double value);

// x as an int once it has been made whole. Values the window produces always
// fit; anything else comes from a damaged setup file and still has to give a
// defined number: NaN gives 0 and values beyond the int range give its ends.
int ClampToInt(double x);

} // namespace vosk
