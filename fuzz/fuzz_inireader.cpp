// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// Arbitrary key-value text, section and key: a look-up answers with bytes of
// the text itself and never reads outside it.
#include "core/IniReader.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    // The first two bytes give the lengths of the section and the key that
    // follow; the rest is the file's text.
    const std::size_t sectionLength = data[0] % 16;
    const std::size_t keyLength = data[1] % 16;
    if (size < 2 + sectionLength + keyLength) {
        return 0;
    }
    const char *bytes = reinterpret_cast<const char *>(data) + 2;
    const std::string section(bytes, sectionLength);
    const std::string key(bytes + sectionLength, keyLength);
    IniReader reader;
    const std::string raw(bytes + sectionLength + keyLength, size - 2 - sectionLength - keyLength);
    reader.text = raw.substr(0, raw.find('\0'));
    reader.loaded = true;
    const std::string value = reader.GetString(section, key);
    if (!value.empty() && reader.text.find(value) == std::string::npos) {
        std::abort();
    }
    (void)reader.GetFloat(section, key);
    return 0;
}
