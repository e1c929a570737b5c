// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

// Finding a remembered setup name among the names read from the disk. The
// window's setup list and the command line's list both pick the remembered
// setup this way, so they always agree on which one it is.
namespace vosk {

// Index of the entry of names that equals name, or -1. An entry spelled
// exactly like name wins; otherwise the first that differs from it only in
// letter case. Letter case is folded as Unicode text when both names are
// valid UTF-8, and for ASCII letters only when either is not.
int FindName(const std::vector<std::string> &names, const std::string &name);

} // namespace vosk
