// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include <map>
#include <string>
#include <vector>

// The command line of one command: its operands and its options, each option
// given as "--name value", "--name=value" or, for a flag, "--name".
namespace vosk::cli {

enum class Takes {
    Nothing,  // --force
    Value,    // --rpm N or --rpm=N
    MaybeOne, // --color or --color=WHEN, never a separate word
};

struct OptionDef {
    const char *name; // without the dashes
    Takes takes;
    char shortName; // 0 for none
};

struct Parsed {
    std::vector<std::string> operands;
    std::map<std::string, std::string> options; // a flag maps to ""
    bool Has(const std::string &name) const { return options.count(name) != 0; }
};

// Reads args (the words after the command) against the command's options;
// "--help" and "-h" are known to every command, and "--" ends the options.
// false with the reason in error for an unknown option or a missing value.
bool ParseOptions(const std::vector<std::string> &args, const std::vector<OptionDef> &defs,
                  Parsed &parsed, std::string &error);

} // namespace vosk::cli
