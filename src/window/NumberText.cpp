#include "window/NumberText.h"

#include <QLocale>

#include <cmath>
#include <cstdio>
#include <string>

namespace vosk {
namespace {

QString WithUserSeparator(std::string text) {
    const QString separator = QLocale().decimalPoint();
    QString out = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    out.replace(QLatin1Char('.'), separator);
    return out;
}

// Drops trailing zeros after the point, and the point itself when nothing
// is left after it.
void TrimFraction(std::string &digits) {
    const auto point = digits.find('.');
    if (point == std::string::npos) {
        return;
    }
    while (digits.back() == '0') {
        digits.pop_back();
    }
    if (digits.back() == '.') {
        digits.pop_back();
    }
}

} // namespace

QString IntToStr(long long value) {
    return QString::number(value);
}

QString FloatToStr(double value) {
    if (std::isnan(value)) {
        return QStringLiteral("NAN");
    }
    if (std::isinf(value)) {
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    }
    if (value == 0) {
        return QStringLiteral("0");
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
    return WithUserSeparator((negative ? "-" : "") + plain);
}

QString FormatFloat(const QString &pattern, long double value) {
    if (!std::isfinite(value)) {
        return {};
    }
    if (pattern == QLatin1String("0.###")) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.3Lf", value);
        std::string text(buf);
        TrimFraction(text);
        if (text == "-0") {
            text = "0";
        }
        return WithUserSeparator(text);
    }
    // "###": a whole number, halves away from zero; a zero result shows
    // nothing at all rather than "0".
    const long double rounded = std::round(value);
    if (rounded == 0) {
        return {};
    }
    const int length = std::snprintf(nullptr, 0, "%.0Lf", rounded);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), "%.0Lf", rounded);
    text.resize(static_cast<std::size_t>(length));
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace vosk
