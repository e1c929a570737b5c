// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "core/Gearing.h"

#include "core/NumberText.h"

#include <cmath>

namespace vosk {

int ProjectedSpeed(float engineRpm, float gearRatio, float finalRatio, float wheelRadius) {
    // The car's figures are quoted with these exact single-precision
    // constants and with the distance per minute held as a float; a speed
    // computed any more exactly can land on the next whole km/h.
    const double circumference = static_cast<double>(6.28f) * static_cast<double>(wheelRadius);
    const double wheelRpm = static_cast<double>(engineRpm) / static_cast<double>(gearRatio) /
                            static_cast<double>(finalRatio);
    const float distancePerMinute = static_cast<float>(circumference * wheelRpm);
    const double speed =
        static_cast<double>(distancePerMinute) * static_cast<double>(60.0f) * 0.001;
    return ClampToInt(std::trunc(speed));
}

} // namespace vosk
