#pragma once

#include <QString>

// Number texts shown in the window.
namespace vosk {

// Decimal digits with a leading "-" when negative.
QString IntToStr(long long value);

// The shortest plain decimal of value with at most 15 significant digits:
// no exponent, trailing zeros and a trailing separator dropped, the user's
// decimal separator. Infinities and NaN give "INF", "-INF" and "NAN".
QString FloatToStr(double value);

// Formats value with a picture pattern. Supported patterns: "###" (whole
// number, halves away from zero, no digit limit, empty text when the rounded
// value is zero) and "0.###" (at most three decimals, at least one integer
// digit). Non-finite values give an empty text.
QString FormatFloat(const QString &pattern, long double value);

} // namespace vosk
