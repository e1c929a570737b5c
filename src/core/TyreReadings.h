#pragma once

#include <array>

// The twelve readings of the tyre temperature file ("cfg/of", section
// "TEMPS") in the order they are read, and where each is shown: wheel 0 to 3
// is LF, RF, LR, RR and column 0 to 2 is the "I", "M", "O" column under it.
namespace vosk {

struct TyreReading {
    const char *key;
    int wheel, column;
};

// The right-hand wheels are seen from the other side of the car, so their
// inner and outer readings change columns; the middle stays put.
inline constexpr std::array<TyreReading, 12> kTyreReadings = {{
    {"TEMP_TIRE0_I", 0, 0},
    {"TEMP_TIRE0_M", 0, 1},
    {"TEMP_TIRE0_O", 0, 2},
    {"TEMP_TIRE1_I", 1, 2},
    {"TEMP_TIRE1_M", 1, 1},
    {"TEMP_TIRE1_O", 1, 0},
    {"TEMP_TIRE2_I", 2, 0},
    {"TEMP_TIRE2_M", 2, 1},
    {"TEMP_TIRE2_O", 2, 2},
    {"TEMP_TIRE3_I", 3, 2},
    {"TEMP_TIRE3_M", 3, 1},
    {"TEMP_TIRE3_O", 3, 0},
}};

} // namespace vosk
