// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include "Formats.h"

#include <string>

// What speeds prints for each gear: its top speed at the engine speed given,
// and for gears 1 to 5 what shifting up into the next gear there does.
namespace vosk::cli {

struct Gearbox {
    float rpm;
    int speeds[6];         // km/h at rpm, as "calculate" shows them
    float ratios[6];       // as the window holds them, through their sliders
    std::string texts[6];  // the ratios as their value boxes show them
    std::string finalText; // likewise for the final drive
};

// Rows with the columns gear, kmh, rpm, ratio, final, upshiftRpm, dropRpm
// and stepPercent; the last three are null for gear 6.
void AddSpeedRows(const Gearbox &box, Rows &rows);
inline std::vector<const char *> SpeedColumns() {
    return {"gear", "kmh", "rpm", "ratio", "final", "upshiftRpm", "dropRpm", "stepPercent"};
}

} // namespace vosk::cli
