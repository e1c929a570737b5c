// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "Modules.h"

#include <climits>
#include <dlfcn.h>
#include <unistd.h>

namespace vosk::cli {
namespace {

std::string ProgramFolder() {
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) {
        return ".";
    }
    const std::string exe(path, static_cast<std::size_t>(n));
    return exe.substr(0, exe.rfind('/'));
}

} // namespace

void *ModuleFunction(const char *file, const char *name, std::string &error) {
    const std::string here = ProgramFolder();
    // A module of the build folder sits beside the program; installed, the
    // modules live in their own folder under lib/.
    for (const std::string &folder : {here, here + "/" VOSK_CLI_MODULE_DIR}) {
        const std::string path = folder + "/" + file;
        if (::access(path.c_str(), F_OK) != 0) {
            continue;
        }
        // Kept loaded until the process ends: Qt does not expect to be
        // unloaded while its objects may still be around.
        void *module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            const char *reason = ::dlerror();
            error = reason ? reason : "cannot load " + path;
            return nullptr;
        }
        if (void *symbol = ::dlsym(module, name)) {
            return symbol;
        }
        error = path + " has no " + name;
        return nullptr;
    }
    error = std::string("cannot find ") + file + " beside " + here + " or in " + here +
            "/" VOSK_CLI_MODULE_DIR;
    return nullptr;
}

} // namespace vosk::cli
