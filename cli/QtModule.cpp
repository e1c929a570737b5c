// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// The commands' work that needs Qt Core: JSON through Qt's JSON classes and
// the window's way of matching a remembered setup name. Loaded by the
// program only for export, import and list.
#include "JsonRecord.h"
#include "ModuleApi.h"
#include "names/NameMatch.h"

#include <cstdio>
#include <string>
#include <vector>

#define VOSK_EXPORT extern "C" __attribute__((visibility("default")))

VOSK_EXPORT void vosk_cli_export_json(const unsigned char *record) {
    vosk::cli::RecordBytes bytes;
    std::copy(record, record + sizeof bytes, bytes);
    const QByteArray text = vosk::cli::RecordToJsonText(bytes);
    std::fwrite(text.data(), 1, static_cast<std::size_t>(text.size()), stdout);
}

VOSK_EXPORT int vosk_cli_import_json(const char *text, std::size_t size, unsigned char *record,
                                     char *error, std::size_t errorSize) {
    vosk::cli::RecordBytes bytes;
    std::string reason;
    if (!vosk::cli::RecordFromJson(QByteArray(text, static_cast<qsizetype>(size)), bytes, reason)) {
        std::snprintf(error, errorSize, "%s", reason.c_str());
        return 1;
    }
    std::copy(bytes, bytes + sizeof bytes, record);
    return 0;
}

VOSK_EXPORT int vosk_cli_find_name(const char *const *names, std::size_t count, const char *name) {
    return vosk::FindName(std::vector<std::string>(names, names + count), name);
}

// The functions must have the types the program looks them up as.
[[maybe_unused]] static constexpr ExportJsonFunction kExport = vosk_cli_export_json;
[[maybe_unused]] static constexpr ImportJsonFunction kImport = vosk_cli_import_json;
[[maybe_unused]] static constexpr FindNameFunction kFind = vosk_cli_find_name;
