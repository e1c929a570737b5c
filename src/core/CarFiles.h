// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>

// The car's files in the simulator's working folder: where each lives, the
// sections and keys of the key-value files, and the few conventions the
// window, the command line, the sample folder and the benchmarks all share.
namespace vosk {

namespace paths {

inline constexpr char kSetupFolder[] = "cars/vosk/setup/";
inline constexpr char kSetupExtension[] = ".rvs";
inline constexpr char kSetupWildcard[] = "*.rvs";
inline constexpr char kSetupPattern[] = "cars/vosk/setup/*.rvs";
inline constexpr char kActiveSetupFile[] = "cars/vosk/setup/conf.ini";
inline constexpr char kSkinsFolder[] = "cars/vosk/skins";
// The preview picture inside each skin's folder.
inline constexpr char kSkinPreview[] = "ui.bmp";
inline constexpr char kSkinChoiceFile[] = "cars/vosk/cfg.ini";
inline constexpr char kTyreTemperatureFile[] = "cfg/of";

// The active-setup name that stands for the defaults instead of a file.
inline constexpr char kDefaultSetupName[] = "default";

} // namespace paths

// Sections and keys of the key-value files.
inline constexpr char kActiveSetupSection[] = "ACTIVESETUP";
inline constexpr char kActiveSetupKey[] = "NAME";
inline constexpr char kSkinChoiceSection[] = "SKIN";
inline constexpr char kSkinChoiceKey[] = "CURRENT";
inline constexpr char kTyreSection[] = "TEMPS";

// The text of the active-setup file and of the skin choice file naming name.
// Their lines end in CR LF, as the simulator's own files do; the reader
// ends a value at the CR.
std::string ActiveSetupText(const std::string &name);
std::string SkinChoiceText(const std::string &name);

// Wherever four values stand for the four wheels, they come in this order.
inline constexpr std::array<const char *, 4> kWheelLabels = {"LF", "RF", "LR", "RR"};

// The twelve readings of the tyre temperature file (section "TEMPS") in the
// order they are read, and where each is shown: wheel 0 to 3 as in
// kWheelLabels, column 0 to 2 the "I", "M", "O" column under it.
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

// The heat scale of tyre readings in °C: a whole-degree reading below the
// first step is cold (band 0), one at or above the last is hot (band 4).
inline constexpr std::array<int, 4> kHeatSteps = {60, 75, 90, 105};
int HeatBand(long long reading);

} // namespace vosk
