// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// The JSON form of the rows that speeds, diff and check print with
// --format=json, written by Qt's JSON classes like export.
#include "ModuleApi.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

extern "C" __attribute__((visibility("default"))) void
vosk_cli_print_rows_json(const char *const *columns, std::size_t columnCount,
                         const char *const *texts, const unsigned char *kinds,
                         std::size_t rowCount) {
    QJsonArray rows;
    for (std::size_t r = 0; r < rowCount; ++r) {
        QJsonObject row;
        for (std::size_t c = 0; c < columnCount; ++c) {
            const std::size_t i = r * columnCount + c;
            const QString text = QString::fromUtf8(texts[i]);
            row.insert(QString::fromUtf8(columns[c]), kinds[i] == 1   ? QJsonValue(text.toDouble())
                                                      : kinds[i] == 2 ? QJsonValue()
                                                                      : QJsonValue(text));
        }
        rows.append(row);
    }
    const QByteArray json = QJsonDocument(rows).toJson();
    std::fwrite(json.data(), 1, static_cast<std::size_t>(json.size()), stdout);
}

// The function must have the type the program looks it up as.
[[maybe_unused]] static constexpr PrintRowsJsonFunction kPrintRows = vosk_cli_print_rows_json;
