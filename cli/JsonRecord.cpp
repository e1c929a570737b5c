// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "JsonRecord.h"

#include "core/SetupFields.h"
#include "core/Words.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>
#include <QSet>
#include <QString>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace vosk::cli {
namespace {

constexpr char kFormat[] = "vosk-setup";
constexpr int kVersion = 1;
// What QJsonValue::toInteger answers for a number that is no integer.
constexpr qint64 kNoInteger = std::numeric_limits<qint64>::min();
// The least magnitude a double rounds up from to a float infinity: halfway
// between the largest float and the next power of two.
constexpr double kBeyondFloats = 340282356779733661637539395458142568448.0; // 2^128 - 2^103

std::uint32_t WordAt(const RecordBytes &record, std::size_t k) {
    std::uint32_t word = 0;
    std::memcpy(&word, record + 4 * k, 4);
    return word;
}

QString Hex(std::uint32_t word) {
    return QStringLiteral("0x%1").arg(word, 8, 16, QLatin1Char('0'));
}

// The float's decimal with the fewest significant digits that reads back to
// it, carried by the double it reads as: 0.35, and 32362970000 rather than
// every integer digit of 32362971136. A float that no double of that
// decimal brings back is written as hex.
QJsonValue FloatValue(std::uint32_t word) {
    const float value = FloatOf(word);
    if (!std::isfinite(value) || (value == 0 && std::signbit(value))) {
        return Hex(word);
    }
    char text[32];
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific).ptr;
    double number = 0;
    std::from_chars(text, end, number);
    const float back = static_cast<float>(number);
    if (std::memcmp(&back, &value, sizeof value) != 0) {
        return Hex(word);
    }
    return number;
}

QJsonValue WordValue(const Field &field, std::uint32_t word) {
    switch (field.type) {
    case WordType::Int:
        return static_cast<qint64>(static_cast<std::int32_t>(word));
    case WordType::Bits:
        return static_cast<qint64>(word);
    case WordType::Float:
        break;
    }
    return FloatValue(word);
}

QString Describe(const QJsonValue &value) {
    if (value.isString()) {
        return QLatin1Char('"') + value.toString() + QLatin1Char('"');
    }
    if (const qint64 integer = value.toInteger(kNoInteger); integer != kNoInteger) {
        return QString::number(integer);
    }
    if (value.isDouble()) {
        char text[32];
        const auto end = std::to_chars(text, text + sizeof text, value.toDouble()).ptr;
        return QString::fromLatin1(text, end - text);
    }
    return value.isArray()    ? QStringLiteral("an array")
           : value.isObject() ? QStringLiteral("an object")
           : value.isBool()   ? QStringLiteral("a boolean")
                              : QStringLiteral("null");
}

// A JSON integer with more digits than a double holds reads as a nearby
// double; that number is not the one the text says.
bool CarriedExactly(const QJsonValue &value) {
    const double number = value.toDouble();
    const qint64 integer = value.toInteger(kNoInteger);
    return integer == kNoInteger || !(std::fabs(number) < 9223372036854775808.0) ||
           static_cast<qint64>(number) == integer;
}

// The word a JSON value stands for in a word of the field's type, or an
// error that says what is wrong with it.
bool WordOf(const Field &field, const QJsonValue &value, std::uint32_t &word, QString &error) {
    const double number = value.toDouble();
    if (field.type != WordType::Float && value.isDouble() && !CarriedExactly(value)) {
        error = Describe(value) + QStringLiteral(" has more digits than a number here can hold");
        return false;
    }
    if (field.type != WordType::Float) {
        const bool isUnsigned = field.type == WordType::Bits;
        const double low = isUnsigned ? 0.0 : -2147483648.0;
        const double high = isUnsigned ? 4294967295.0 : 2147483647.0;
        if (!value.isDouble() || !(number >= low && number <= high) ||
            number != std::trunc(number)) {
            error = Describe(value) + (isUnsigned ? QStringLiteral(" is not a uint32")
                                                  : QStringLiteral(" is not an int32"));
            return false;
        }
        word = isUnsigned ? static_cast<std::uint32_t>(number)
                          : static_cast<std::uint32_t>(static_cast<std::int32_t>(number));
        return true;
    }
    if (value.isString()) {
        const QString text = value.toString();
        bool ok = text.size() == 10 && text.startsWith(QLatin1String("0x"));
        for (qsizetype i = 2; ok && i < text.size(); ++i) {
            const char16_t c = text[i].unicode();
            ok = (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
        }
        if (!ok) {
            error = Describe(value) + QStringLiteral(" is not \"0x\" and eight hex digits");
            return false;
        }
        word = text.mid(2).toUInt(nullptr, 16);
        // Bits are for the floats no number carries; any other float is a
        // number, so that a file has one spelling of each of its values.
        const QJsonValue written = FloatValue(word);
        if (!written.isString()) {
            error = Describe(value) + QStringLiteral(" is a float written as the number ") +
                    Describe(written);
            return false;
        }
        return true;
    }
    // Any decimal of the float reads back to it: 0.35, 0.3499999940395355 or
    // 3.5e-1. An integer is rounded to a float straight from its digits, a
    // fraction through the double it reads as.
    const qint64 integer = value.toInteger(kNoInteger);
    float single = 0;
    if (value.isDouble() && integer != kNoInteger) {
        single = static_cast<float>(integer);
    } else if (value.isDouble() && std::fabs(number) < kBeyondFloats) {
        single = static_cast<float>(number);
    } else {
        error = Describe(value) + QStringLiteral(" is not a float");
        return false;
    }
    word = BitsOf(single);
    return true;
}

// The names of the top-level object's members as the text spells them,
// repeats included: QJsonObject keeps only one of a repeated member. The
// text has already parsed, so only strings and brackets need telling apart;
// each name is decoded by the JSON parser itself.
QList<QString> MemberNames(const QByteArray &text) {
    QList<QString> names;
    int depth = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '{' || c == '[') {
            ++depth;
        } else if (c == '}' || c == ']') {
            --depth;
        } else if (c == '"') {
            const qsizetype start = i;
            for (++i; i < text.size() && text[i] != '"'; ++i) {
                i += text[i] == '\\' ? 1 : 0;
            }
            qsizetype next = i + 1;
            while (next < text.size() && QChar::isSpace(static_cast<uchar>(text[next]))) {
                ++next;
            }
            if (depth == 1 && next < text.size() && text[next] == ':') {
                const QByteArray quoted = '[' + text.mid(start, i + 1 - start) + ']';
                names.append(QJsonDocument::fromJson(quoted).array().at(0).toString());
            }
        }
    }
    return names;
}

bool Fail(std::string &error, const QString &reason) {
    error = reason.toStdString();
    return false;
}

} // namespace

QByteArray RecordToJsonText(const RecordBytes &record) {
    // A QJsonObject keeps its members sorted by name; each member is written
    // by Qt on its own and the members are joined in file order.
    const QJsonObject object = RecordToJson(record);
    QList<QString> names = {QStringLiteral("format"), QStringLiteral("version")};
    for (const Field &field : kFields) {
        names.append(QLatin1String(field.name));
    }
    QByteArray text = "{\n";
    for (const QString &name : names) {
        QJsonObject one;
        one.insert(name, object.value(name));
        const QByteArray member = QJsonDocument(one).toJson(QJsonDocument::Indented);
        // "{\n" + the member + "\n}\n"
        text += member.mid(2, member.size() - 5);
        text += name == names.last() ? "\n}\n" : ",\n";
    }
    return text;
}

QJsonObject RecordToJson(const RecordBytes &record) {
    QJsonObject object;
    object.insert(QLatin1String("format"), QLatin1String(kFormat));
    object.insert(QLatin1String("version"), kVersion);
    for (const Field &field : kFields) {
        QJsonArray words;
        for (std::size_t i = 0; i < field.count; ++i) {
            words.append(WordValue(field, WordAt(record, field.firstWord + i)));
        }
        object.insert(QLatin1String(field.name),
                      field.count == 1 ? words.at(0) : QJsonValue(words));
    }
    return object;
}

bool RecordFromJson(const QByteArray &text, RecordBytes &record, std::string &error) {
    QJsonParseError parse{};
    const QJsonDocument document = QJsonDocument::fromJson(text, &parse);
    if (parse.error != QJsonParseError::NoError) {
        return Fail(
            error,
            QStringLiteral("not JSON: %1 at byte %2").arg(parse.errorString()).arg(parse.offset));
    }
    if (!document.isObject()) {
        return Fail(error, QStringLiteral("not a JSON object"));
    }
    const QJsonObject object = document.object();
    QSet<QString> seen;
    for (const QString &name : MemberNames(text)) {
        if (seen.contains(name)) {
            return Fail(error, QStringLiteral("member \"%1\" appears more than once").arg(name));
        }
        seen.insert(name);
    }
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QString name = it.key();
        const std::string key = name.toStdString();
        bool known = name == QLatin1String("format") || name == QLatin1String("version");
        for (const Field &field : kFields) {
            known = known || key == field.name;
        }
        if (!known) {
            return Fail(error, QStringLiteral("unknown member \"%1\"").arg(name));
        }
    }
    if (!object.contains(QLatin1String("format")) ||
        object.value(QLatin1String("format")) != QJsonValue(QLatin1String(kFormat))) {
        return Fail(error,
                    QStringLiteral("member \"format\" must be \"%1\"").arg(QLatin1String(kFormat)));
    }
    const QJsonValue version = object.value(QLatin1String("version"));
    if (version != QJsonValue(kVersion)) {
        return Fail(
            error, QStringLiteral("member \"version\" must be %1, not %2")
                       .arg(kVersion)
                       .arg(version.isUndefined() ? QStringLiteral("missing") : Describe(version)));
    }
    RecordBytes read{};
    for (const Field &field : kFields) {
        const QString name = QLatin1String(field.name);
        if (!object.contains(name)) {
            return Fail(error, QStringLiteral("member \"%1\" is missing").arg(name));
        }
        const QJsonValue value = object.value(name);
        if (field.count > 1 && !value.isArray()) {
            return Fail(error, QStringLiteral("member \"%1\" must be an array of %2 numbers")
                                   .arg(name)
                                   .arg(field.count));
        }
        if (field.count > 1 && value.toArray().size() != static_cast<qsizetype>(field.count)) {
            return Fail(error, QStringLiteral("member \"%1\" has %2 elements, not %3")
                                   .arg(name)
                                   .arg(value.toArray().size())
                                   .arg(field.count));
        }
        for (std::size_t i = 0; i < field.count; ++i) {
            const QJsonValue element =
                field.count == 1 ? value : value.toArray().at(static_cast<qsizetype>(i));
            std::uint32_t word = 0;
            QString reason;
            if (!WordOf(field, element, word, reason)) {
                const QString where =
                    field.count == 1 ? name : QStringLiteral("%1[%2]").arg(name).arg(i);
                return Fail(error, QStringLiteral("%1: %2").arg(where, reason));
            }
            std::memcpy(read + 4 * (field.firstWord + i), &word, 4);
        }
    }
    std::memcpy(record, read, sizeof read);
    return true;
}

} // namespace vosk::cli
