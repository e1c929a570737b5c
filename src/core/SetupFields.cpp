// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "core/SetupFields.h"

#include "core/CarFiles.h"
#include "core/CarSetup.h"

#include <limits>

namespace vosk {
namespace {

// The words are copied to and from the file byte for byte, so the record's
// memory must look exactly like the setup file: 32-bit little-endian words
// in the order of the list, with no gaps and nothing after the last.
constexpr bool LaidOutAsTheFile() {
    const std::size_t base = kFields[0].offset;
    for (const Field &field : kFields) {
        if (field.offset - base != 4 * field.firstWord) {
            return false;
        }
    }
    const Field &last = kFields.back();
    return last.firstWord + last.count == CarSetup::kWords;
}

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "setup files are little-endian");
static_assert(sizeof(float) == 4 && std::numeric_limits<float>::is_iec559,
              "setup files hold IEEE single-precision floats");
static_assert(LaidOutAsTheFile(), "the fields of CarSetup must be in file order with no gaps");

} // namespace

const Field *FieldOfWord(std::size_t k) {
    for (const Field &field : kFields) {
        if (k >= field.firstWord && k < field.firstWord + field.count) {
            return &field;
        }
    }
    return nullptr;
}

std::string KeyOfWord(std::size_t k) {
    const Field *field = FieldOfWord(k);
    if (!field) {
        return {};
    }
    const std::size_t i = k - field->firstWord;
    switch (field->elements) {
    case Elements::Single:
        return field->name;
    case Elements::Wheels:
        return std::string(field->name) + '.' + kWheelLabels[i];
    case Elements::FromOne:
        return std::string(field->name) + '.' + std::to_string(i + 1);
    case Elements::FromZero:
        break;
    }
    return std::string(field->name) + '.' + std::to_string(i);
}

int WordOfKey(std::string_view key) {
    for (std::size_t k = 0; k < CarSetup::kWords; ++k) {
        if (KeyOfWord(k) == key) {
            return static_cast<int>(k);
        }
    }
    return -1;
}

} // namespace vosk
