#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
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

struct Field {
    const char *name;
    std::size_t firstWord;
    std::size_t count;
    WordType type;
    Elements elements;
    std::size_t offset; // of the member inside CarSetup
};

extern const std::array<Field, 18> kFields;

// The field holding word k (0 to 48), or nullptr.
const Field *FieldOfWord(std::size_t k);
// The key of word k: the field name, with ".LF", ".1", ".0" ... for a field
// of several words. Empty for a k outside the record.
std::string KeyOfWord(std::size_t k);
// The word a key names, or -1 when no word has that key.
int WordOfKey(std::string_view key);

} // namespace vosk
