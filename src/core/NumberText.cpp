// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "core/NumberText.h"

#include <climits>
#include <cmath>
#include <cstdio>

namespace vosk {

std::string IntegerText(long long value) {
    return std::to_string(value);
}

std::string DecimalText(double value) {
    if (std::isnan(value)) {
        return "NAN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-INF" : "INF";
    }
    if (value == 0) {
        return "0";
    }
    // 15 significant digits in scientific form give the mantissa digits and
    // the decimal exponent; the plain decimal is then laid out by hand so it
    // never falls back to exponent form.
    char sci[40];
    std::snprintf(sci, sizeof sci, "%.14e", value);
    const std::string s(sci);
    const bool negative = s[0] == '-';
    const std::size_t start = negative ? 1 : 0;
    const std::size_t e = s.find('e');
    std::string mantissa = s.substr(start, 1) + s.substr(start + 2, e - start - 2);
    const int exponent = std::stoi(s.substr(e + 1));
    while (mantissa.size() > 1 && mantissa.back() == '0') {
        mantissa.pop_back();
    }
    std::string plain;
    if (exponent < 0) {
        plain = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + mantissa;
    } else {
        const auto intDigits = static_cast<std::size_t>(exponent) + 1;
        if (mantissa.size() <= intDigits) {
            plain = mantissa + std::string(intDigits - mantissa.size(), '0');
        } else {
            plain = mantissa.substr(0, intDigits) + "." + mantissa.substr(intDigits);
        }
    }
    return (negative ? "-" : "") + plain;
}

std::string WholeNumberText(long double value) {
    if (!std::isfinite(value)) {
        return {};
    }
    const long double rounded = std::round(value);
    if (rounded == 0) {
        return {};
    }
    const int length = std::snprintf(nullptr, 0, "%.0Lf", rounded);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), "%.0Lf", rounded);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

int ClampToInt(double x) {
    if (std::isnan(x)) {
        return 0;
    }
    if (x >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (x <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(x);
}

} // namespace vosk
