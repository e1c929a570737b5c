// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "core/CarSetup.h"

#include "core/FileOps.h"
#include "core/SetupFields.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace {

// Where field's words lie inside the record object. Copying through these
// bytes with memcpy keeps every bit pattern as it is: a float that passed
// through a float register could have a signalling NaN quietened.
template <typename Record> auto *WordsOf(Record &record, const vosk::Field &field) {
    using Byte = std::conditional_t<std::is_const_v<Record>, const unsigned char, unsigned char>;
    return reinterpret_cast<Byte *>(&record) + field.offset;
}

template <std::size_t N> void Fill(float (&words)[N], float value) {
    std::fill(std::begin(words), std::end(words), value);
}

} // namespace

CarSetup::CarSetup()
    : rearWing(0), brakeBias(0), brakePad{}, brakeDisc{}, rollBarFront(0),
      rollBarRear(0), spring{}, dampComp{}, dampReb{}, reserved0(0), gear{}, gearFinal(0),
      steerRatio(0), camber{}, reservedA{}, reservedB{}, fuel(0), reservedTail{} {}

CarSetup::~CarSetup() = default;

void CarSetup::ToBytes(unsigned char (&bytes)[kFileSize]) const {
    for (const vosk::Field &field : vosk::kFields) {
        std::memcpy(bytes + 4 * field.firstWord, WordsOf(*this, field), 4 * field.count);
    }
}

void CarSetup::FromBytes(const unsigned char (&bytes)[kFileSize]) {
    for (const vosk::Field &field : vosk::kFields) {
        std::memcpy(WordsOf(*this, field), bytes + 4 * field.firstWord, 4 * field.count);
    }
}

std::uint32_t CarSetup::Word(std::size_t k) const {
    std::uint32_t bits = 0;
    if (const vosk::Field *field = vosk::FieldOfWord(k)) {
        std::memcpy(&bits, WordsOf(*this, *field) + 4 * (k - field->firstWord), 4);
    }
    return bits;
}

void CarSetup::SetWord(std::size_t k, std::uint32_t bits) {
    if (const vosk::Field *field = vosk::FieldOfWord(k)) {
        std::memcpy(WordsOf(*this, *field) + 4 * (k - field->firstWord), &bits, 4);
    }
}

// A save that cannot complete is dropped silently: the window goes on either
// way, and the setup file that was there before stays as it was.
void CarSetup::Save(const std::string &path) const {
    unsigned char bytes[kFileSize];
    ToBytes(bytes);
    (void)vosk::ReplaceFile(path, bytes, sizeof bytes);
}

// A missing, unreadable or short file, or a folder, leaves every word as it
// was: the bytes land in a scratch buffer and are copied in only when all 196
// arrived. Bytes after the 196th are never read.
void CarSetup::Load(const std::string &path) {
    unsigned char bytes[kFileSize];
    if (vosk::ReadFilePrefix(path, bytes, sizeof bytes)) {
        FromBytes(bytes);
    }
}

void CarSetup::SetDefaults() {
    rearWing = 16;
    brakeBias = 75;
    Fill(brakePad, 0.3f);
    Fill(brakeDisc, 300.0f);
    rollBarFront = 10;
    rollBarRear = 8;
    spring[0] = spring[1] = 140;
    spring[2] = spring[3] = 130;
    std::fill(std::begin(dampComp), std::end(dampComp), 3);
    std::fill(std::begin(dampReb), std::end(dampReb), 2);
    std::fill(std::begin(reservedA), std::end(reservedA), 0u);
    reserved0 = 0;
    steerRatio = 10;
    Fill(camber, 0.0f);
    Fill(reservedB, 10.0f);
    fuel = 30.0f;
    // The gear ratios, the final drive and the tail words are not part of
    // the defaults: a defaulted record keeps the gearing it had.
}
