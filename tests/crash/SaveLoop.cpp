// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// Saves one setup over and over in the current folder, cycling through its
// versions, until it is killed.
#include "support/SaveVersions.h"

int main() {
    for (int k = 0;; k = (k + 1) % vosk::test::kVersions) {
        vosk::test::Version(k).Save(vosk::test::kSavedSetup);
    }
}
