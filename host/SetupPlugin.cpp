// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "SetupPlugin.h"

#include <cstring>
#include <dlfcn.h>

namespace {

// dlsym hands back an object pointer; copying its bits is the portable way
// to turn it into a function pointer.
template <typename Function> bool Resolve(void *handle, const char *name, Function &out) {
    void *symbol = dlsym(handle, name);
    if (!symbol) {
        return false;
    }
    static_assert(sizeof(out) == sizeof(symbol), "function and data pointers differ in size");
    std::memcpy(&out, &symbol, sizeof(out));
    return true;
}

} // namespace

SetupPlugin::~SetupPlugin() {
    if (handle) {
        dlclose(handle);
    }
}

bool SetupPlugin::Load(const std::string &path, std::string &error) {
    if (handle) {
        error = "a car setup library is already loaded";
        return false;
    }
    void *loaded = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!loaded) {
        const char *reason = dlerror();
        error = reason ? reason : "cannot load " + path;
        return false;
    }
    const char *missing = !Resolve(loaded, "_init", init)               ? "_init"
                          : !Resolve(loaded, "_activate", activate)     ? "_activate"
                          : !Resolve(loaded, "_deactivate", deactivate) ? "_deactivate"
                                                                        : nullptr;
    if (missing) {
        init = nullptr;
        activate = nullptr;
        deactivate = nullptr;
        dlclose(loaded);
        error = path + " is not a car setup library: it has no " + missing;
        return false;
    }
    handle = loaded;
    return true;
}

void SetupPlugin::Init(QObject *owner) const {
    if (init) {
        init(owner);
    }
}

void SetupPlugin::Activate() const {
    if (activate) {
        activate();
    }
}

void SetupPlugin::Deactivate() const {
    if (deactivate) {
        deactivate();
    }
}
