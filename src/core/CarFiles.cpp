// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "core/CarFiles.h"

namespace vosk {

std::string ActiveSetupText(const std::string &name) {
    return std::string("[") + kActiveSetupSection + "]\r\n" + kActiveSetupKey + "=" + name +
           "\r\n\r\n\r\n";
}

std::string SkinChoiceText(const std::string &name) {
    return std::string("[") + kSkinChoiceSection + "]\r\n" + kSkinChoiceKey + "=" + name +
           "\r\n\r\n";
}

int HeatBand(long long reading) {
    int band = 0;
    for (const int step : kHeatSteps) {
        band += reading >= step ? 1 : 0;
    }
    return band;
}

} // namespace vosk
