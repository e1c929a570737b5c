#include "core/SetupFields.h"

#include "core/CarFiles.h"
#include "core/CarSetup.h"

#include <limits>

// offsetof on a class with a virtual destructor is conditionally supported;
// g++ gives well-defined results for it and warns only because the standard
// does not promise them.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"

namespace vosk {
namespace {

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
constexpr Field MakeField(const char *name, Elements elements, std::size_t offset) {
    using Of = Element<Member>;
    return Field{name, 0, Of::count, TypeOf<typename Of::type>(), elements, offset};
}

// The first word of each field follows from the fields before it, so the
// list below is the only place that says in which order they come.
#define VOSK_FIELD(member, elements)                                                               \
    MakeField<decltype(CarSetup::member)>(#member, Elements::elements, offsetof(CarSetup, member))

constexpr std::array<Field, 18> Numbered(std::array<Field, 18> fields) {
    std::size_t word = 0;
    for (Field &field : fields) {
        field.firstWord = word;
        word += field.count;
    }
    return fields;
}

constexpr std::array<Field, 18> kList = Numbered({
    VOSK_FIELD(rearWing, Single),
    VOSK_FIELD(brakeBias, Single),
    VOSK_FIELD(brakePad, Wheels),
    VOSK_FIELD(brakeDisc, Wheels),
    VOSK_FIELD(rollBarFront, Single),
    VOSK_FIELD(rollBarRear, Single),
    VOSK_FIELD(spring, Wheels),
    VOSK_FIELD(dampComp, Wheels),
    VOSK_FIELD(dampReb, Wheels),
    VOSK_FIELD(reserved0, Single),
    VOSK_FIELD(gear, FromOne),
    VOSK_FIELD(gearFinal, Single),
    VOSK_FIELD(steerRatio, Single),
    VOSK_FIELD(camber, Wheels),
    VOSK_FIELD(reservedA, FromZero),
    VOSK_FIELD(reservedB, FromZero),
    VOSK_FIELD(fuel, Single),
    VOSK_FIELD(reservedTail, FromZero),
});
#undef VOSK_FIELD

// The words are copied to and from the file byte for byte, so the record's
// memory must look exactly like the setup file: 32-bit little-endian words
// in the order of the list, with no gaps and nothing after the last.
constexpr bool LaidOutAsTheFile() {
    const std::size_t base = kList[0].offset;
    for (const Field &field : kList) {
        if (field.offset - base != 4 * field.firstWord) {
            return false;
        }
    }
    const Field &last = kList.back();
    return last.firstWord + last.count == CarSetup::kWords;
}

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "setup files are little-endian");
static_assert(sizeof(float) == 4 && std::numeric_limits<float>::is_iec559,
              "setup files hold IEEE single-precision floats");
static_assert(LaidOutAsTheFile(), "the fields of CarSetup must be in file order with no gaps");

} // namespace

const std::array<Field, 18> kFields = kList;

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

#pragma GCC diagnostic pop
