// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

// Road speed from the gearing, as the transmission page works it out.
namespace vosk {

inline constexpr float kEngineRpm = 7000.0f;
inline constexpr float kWheelRadius = 0.317f;

// Whole km/h reached at engineRpm with the two ratios and the wheel radius
// (metres). A damaged ratio (0, NaN, huge) still gives a defined number.
int ProjectedSpeed(float engineRpm, float gearRatio, float finalRatio, float wheelRadius);

} // namespace vosk
