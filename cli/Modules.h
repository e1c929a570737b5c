// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

// Finds the modules that hold the commands needing Qt. They are loaded only
// when such a command runs, so the commands that git runs once per file and
// revision start without loading Qt at all.
namespace vosk::cli {

// The function called name in the module file (for example
// "libvosk_cli_qt.so"), looked for beside the program (a build folder) and
// in the installed module folder. nullptr, with the loader's reason in
// error, when neither has it.
void *ModuleFunction(const char *file, const char *name, std::string &error);

template <typename Function>
Function ModuleFunctionAs(const char *file, const char *name, std::string &error) {
    void *symbol = ModuleFunction(file, name, error);
    Function function = nullptr;
    static_assert(sizeof function == sizeof symbol, "function and data pointers differ in size");
    __builtin_memcpy(&function, &symbol, sizeof function);
    return function;
}

} // namespace vosk::cli
