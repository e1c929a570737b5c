// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/CarSetup.h"

namespace vosk::test {

// The setup that the save loop keeps writing, and how many different
// versions of it it cycles through.
inline constexpr char kSavedSetup[] = "cars/vosk/setup/x.rvs";
inline constexpr int kVersions = 40;

// Version k of that setup: every word differs from one version to the next,
// so a file mixed from two versions, or cut short, passes for none.
inline CarSetup Version(int k) {
    CarSetup setup;
    for (std::size_t word = 0; word < CarSetup::kWords; ++word) {
        setup.SetWord(word, static_cast<std::uint32_t>(k + 1));
    }
    return setup;
}

} // namespace vosk::test
