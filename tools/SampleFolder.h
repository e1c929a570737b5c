// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace vosk::art {

// Writes a simulator working folder under root for trying the plug-in: three
// setups with one of them active, three skins with one chosen, and the tyre
// temperatures of a finished run. Returns false, with a message in error,
// when any file cannot be written whole.
bool WriteSampleFolder(const QString &root, QString &error);

} // namespace vosk::art
