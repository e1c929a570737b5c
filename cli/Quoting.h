// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace vosk::cli {

// A file name as it is safe to print: unchanged unless it holds a control
// character or a byte that is no part of UTF-8 text, which could drive the
// terminal or split a line. Such a name is quoted as ls quotes it, a shell
// word that names the same file: 'a'$'\n''b'.
std::string Quoted(const std::string &name);

} // namespace vosk::cli
