// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// Arbitrary bytes as the JSON that vosk-setup import reads: whatever it
// accepts, export then import must give the same 196 bytes.
#include "JsonRecord.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

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
    const QByteArray exported = vosk::cli::RecordToJsonText(record);
    vosk::cli::RecordBytes again{};
    if (!vosk::cli::RecordFromJson(exported, again, error) ||
        std::memcmp(record, again, sizeof record) != 0) {
        std::abort();
    }
    return 0;
}
