// Arbitrary bytes as the JSON that vosk-setup import reads: whatever it
// accepts must export back to the same JSON values, so that import never
// reads a value differently from how export writes it.
#include "JsonRecord.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// The same JSON value: QJsonArray and QJsonObject compare a number read as an
// integer and one read as a double as different even when they are equal.
bool Same(const QJsonValue &a, const QJsonValue &b) {
    if (a.isDouble() && b.isDouble()) {
        return a.toDouble() == b.toDouble() && a.toInteger() == b.toInteger();
    }
    if (a.isArray() && b.isArray()) {
        const QJsonArray x = a.toArray(), y = b.toArray();
        bool same = x.size() == y.size();
        for (qsizetype i = 0; same && i < x.size(); ++i) {
            same = Same(x.at(i), y.at(i));
        }
        return same;
    }
    if (a.isObject() && b.isObject()) {
        const QJsonObject x = a.toObject(), y = b.toObject();
        bool same = x.keys() == y.keys();
        for (auto it = x.begin(); same && it != x.end(); ++it) {
            same = Same(it.value(), y.value(it.key()));
        }
        return same;
    }
    return a == b;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray text(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    vosk::cli::RecordBytes record{};
    std::string error;
    if (!vosk::cli::RecordFromJson(text, record, error)) {
        if (error.empty()) {
            std::abort(); // a refusal always says why
        }
        return 0;
    }
    if (!Same(vosk::cli::RecordToJson(record), QJsonDocument::fromJson(text).object())) {
        std::abort();
    }
    return 0;
}
