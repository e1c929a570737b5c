// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include "Options.h"

#include <string>

// The commands of vosk-setup. Each returns the exit status: 0 as expected, 1
// a difference (diff) or a problem found (check), 2 trouble. Trouble is told
// in one line on standard error and nothing is written.
namespace vosk::cli {

int Show(const Parsed &args);
int Diff(const Parsed &args);
int Export(const Parsed &args);
int Import(const Parsed &args);
int Check(const Parsed &args);
int Speeds(const Parsed &args);
int List(const Parsed &args);
int Temps(const Parsed &args);
int Set(const Parsed &args);
// temps, or with --advise the tyre advice.
int TempsOrAdvice(const Parsed &args);

// Band 0 to 4 of the heat scale of tyre readings, as "60 to 74 cyan", the
// colour's name in its colour when coloured. Empty past the last band.
std::string HeatBandText(std::size_t band, bool coloured);

// Why a file the window reads cannot be read, for a message.
std::string Unreadable(const char *path);

// "vosk-setup: " + message on standard error; returns 2.
int Trouble(const std::string &message);

} // namespace vosk::cli
