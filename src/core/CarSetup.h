// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// One complete mechanical setup of the car: 49 little-endian 32-bit words,
// stored on disk as exactly those 196 bytes with nothing before or after.
// Four-wheel groups are always in the order LF, RF, LR, RR. The fields
// below are declared in file order; SetupFields.h lists them once more by
// name, and the compiler checks that the two agree.
class CarSetup {
public:
    static constexpr std::size_t kWords = 49;
    static constexpr std::size_t kFileSize = 4 * kWords;

    CarSetup();
    virtual ~CarSetup();

    // Writes the 196 bytes to path, replacing the file there as a careful
    // editor does (see FileOps.h). A save that cannot complete leaves the
    // file that was there before untouched and no temporary file behind.
    void Save(const std::string &path) const;
    // Reads the first 196 bytes of path into the words. A file that cannot be
    // opened or holds fewer than 196 bytes leaves the record unchanged.
    void Load(const std::string &path);
    // Stores the default values; the gear words, the final drive and the
    // three tail words keep what they held.
    void SetDefaults();

    // The record exactly as the setup file holds it, and back. Every bit
    // pattern passes unchanged, signalling NaNs included.
    void ToBytes(unsigned char (&bytes)[kFileSize]) const;
    void FromBytes(const unsigned char (&bytes)[kFileSize]);
    // Word k (0 to 48) as its raw bits; k outside the record gives 0 and is
    // ignored when set.
    std::uint32_t Word(std::size_t k) const;
    void SetWord(std::size_t k, std::uint32_t bits);

    std::int32_t rearWing;
    std::int32_t brakeBias;
    float brakePad[4];
    float brakeDisc[4];
    std::int32_t rollBarFront;
    std::int32_t rollBarRear;
    std::int32_t spring[4];
    std::int32_t dampComp[4];
    std::int32_t dampReb[4];
    std::int32_t reserved0;
    float gear[6];
    float gearFinal;
    std::int32_t steerRatio;
    float camber[4];
    std::uint32_t reservedA[4];
    float reservedB[4];
    float fuel;
    std::uint32_t reservedTail[3];
};
