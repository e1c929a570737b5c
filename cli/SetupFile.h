// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/CarSetup.h"

#include <cstdint>
#include <string>

// Setup files as the command line reads them: like the window, but telling
// what is wrong with a file instead of going on silently.
namespace vosk::cli {

struct SetupFile {
    std::uint32_t words[CarSetup::kWords] = {};
    // Bytes in the file; 196 for a good one. A longer file still fills the
    // words from its first 196 bytes, as the window reads it.
    long long size = 0;
    bool Complete() const { return size >= static_cast<long long>(CarSetup::kFileSize); }
};

// Where a path came from. A file named on the command line is read as cat
// reads it: "-" is standard input, and a pipe, a process substitution or a
// named pipe is waited for and read to its end. An entry found in a folder
// is read only when it is a regular file; a named pipe there is refused at
// once rather than waited on.
enum class Named { ByUser, InFolder };

// Reads path into file. Returns false with a short reason in error ("No such
// file or directory", "is a folder") when the file cannot be read at all; a
// file that is merely short or long returns true with its size, and the
// caller decides.
bool ReadSetupFile(const std::string &path, SetupFile &file, std::string &error,
                   Named named = Named::ByUser);

// Reads every byte of the file named on the command line into bytes, with
// the same rules and reasons as ReadSetupFile.
bool ReadWholeFile(const std::string &path, std::string &bytes, std::string &error);

// The reason a short file is no setup, e.g. "195 bytes, a setup file has 196".
std::string SizeProblem(long long size);

} // namespace vosk::cli
