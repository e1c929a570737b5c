// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/CarSetup.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

// The fields of the setup record in file order, each named once. Everything
// that walks the record (saving, loading, the command-line keys) goes
// through this list.
namespace vosk {

// What a 32-bit word holds.
enum class WordType {
    Int,   // signed 32-bit integer
    Float, // IEEE single precision
    Bits,  // reserved: no meaning of its own, kept bit for bit
};

// How the words of a field of several words are told apart in a key.
enum class Elements {
    Single,   // "rearWing"
    Wheels,   // "spring.LF", "spring.RF", "spring.LR", "spring.RR"
    FromOne,  // "gear.1" to "gear.6"
    FromZero, // "reservedA.0" to "reservedA.3"
};

// What the window's "ok" saves in a field: what the record holds (the
// sliders' values, or reserved words as they were loaded), or zero whatever
// the field held.
enum class AtOk { AsHeld, Zero };

struct Field {
    const char *name;
    std::size_t firstWord;
    std::size_t count;
    WordType type;
    Elements elements;
    std::size_t offset; // of the member inside CarSetup
    AtOk atOk;
};

// offsetof on a class with a virtual destructor is conditionally supported;
// g++ gives well-defined results for it and warns only because the standard
// does not promise them.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"

namespace detail {

template <typename T> constexpr WordType TypeOf() {
    return std::numeric_limits<T>::is_iec559   ? WordType::Float
           : std::numeric_limits<T>::is_signed ? WordType::Int
                                               : WordType::Bits;
}

template <typename T> struct Element {
    using type = T;
    static constexpr std::size_t count = 1;
};
template <typename T, std::size_t N> struct Element<T[N]> {
    using type = T;
    static constexpr std::size_t count = N;
};

template <typename Member>
constexpr Field MakeField(const char *name, Elements elements, std::size_t offset, AtOk atOk) {
    using Of = Element<Member>;
    return Field{name, 0, Of::count, TypeOf<typename Of::type>(), elements, offset, atOk};
}

constexpr std::array<Field, 18> Numbered(std::array<Field, 18> fields) {
    std::size_t word = 0;
    for (Field &field : fields) {
        field.firstWord = word;
        word += field.count;
    }
    return fields;
}

} // namespace detail

// The first word of each field follows from the fields before it, so the
// list below is the only place that says in which order they come.
#define VOSK_FIELD(member, elements, atOk)                                                         \
    detail::MakeField<decltype(CarSetup::member)>(#member, Elements::elements,                     \
                                                  offsetof(CarSetup, member), AtOk::atOk)

inline constexpr std::array<Field, 18> kFields = detail::Numbered({
    VOSK_FIELD(rearWing, Single, AsHeld),
    VOSK_FIELD(brakeBias, Single, AsHeld),
    VOSK_FIELD(brakePad, Wheels, AsHeld),
    VOSK_FIELD(brakeDisc, Wheels, AsHeld),
    VOSK_FIELD(rollBarFront, Single, AsHeld),
    VOSK_FIELD(rollBarRear, Single, AsHeld),
    VOSK_FIELD(spring, Wheels, AsHeld),
    VOSK_FIELD(dampComp, Wheels, AsHeld),
    VOSK_FIELD(dampReb, Wheels, AsHeld),
    VOSK_FIELD(reserved0, Single, Zero),
    VOSK_FIELD(gear, FromOne, AsHeld),
    VOSK_FIELD(gearFinal, Single, AsHeld),
    VOSK_FIELD(steerRatio, Single, AsHeld),
    VOSK_FIELD(camber, Wheels, AsHeld),
    VOSK_FIELD(reservedA, FromZero, AsHeld),
    VOSK_FIELD(reservedB, FromZero, AsHeld),
    VOSK_FIELD(fuel, Single, AsHeld),
    VOSK_FIELD(reservedTail, FromZero, Zero),
});
#undef VOSK_FIELD

#pragma GCC diagnostic pop

// The word of element k of the field called name, or CarSetup::kWords when no
// field has that name or the field has no element k. It works in constant
// expressions, so a table that names fields can be checked when compiled.
constexpr std::size_t WordOfField(std::string_view name, std::size_t k = 0) {
    for (const Field &field : kFields) {
        if (name == field.name) {
            return k < field.count ? field.firstWord + k : CarSetup::kWords;
        }
    }
    return CarSetup::kWords;
}

// The field holding word k (0 to 48), or nullptr.
const Field *FieldOfWord(std::size_t k);
// The key of word k: the field name, with ".LF", ".1", ".0" ... for a field
// of several words. Empty for a k outside the record.
std::string KeyOfWord(std::size_t k);
// The word a key names, or -1 when no word has that key.
int WordOfKey(std::string_view key);

} // namespace vosk
