#pragma once

#include <cstdint>
#include <string>

// One complete mechanical setup of the car: 49 little-endian 32-bit words,
// stored on disk as exactly those 196 bytes with nothing before or after.
// Four-wheel groups are always in the order LF, RF, LR, RR.
class CarSetup {
public:
    static constexpr std::size_t kFileSize = 196;

    CarSetup();
    virtual ~CarSetup();

    // Writes the 196 bytes to path. The bytes go to a temporary file beside
    // path which is then renamed over it, so a save that cannot complete
    // (folder missing, path is a folder, disk full) leaves whatever file was
    // there before untouched and leaves no temporary file behind.
    void Save(const std::string &path) const;
    // Reads the first 196 bytes of path into the words. A file that cannot be
    // opened or holds fewer than 196 bytes leaves the record unchanged.
    void Load(const std::string &path);
    // Stores the default values; the gear words, the final drive and the
    // three tail words keep what they held.
    void SetDefaults();

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
