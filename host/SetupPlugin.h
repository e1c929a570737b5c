// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

class QObject;

// The car-setup library, loaded the way the simulator's front-end loads it:
// by file name, with its entry points looked up by their exported names.
class SetupPlugin {
public:
    SetupPlugin() = default;
    ~SetupPlugin();
    SetupPlugin(const SetupPlugin &) = delete;
    SetupPlugin &operator=(const SetupPlugin &) = delete;

    // Loads the library at path and finds _init, _activate and _deactivate.
    // Returns false with the loader's reason in error when the file cannot
    // be loaded, lacks one of them, or a library is loaded already; nothing
    // new stays loaded then.
    bool Load(const std::string &path, std::string &error);

    // Each does nothing while no library is loaded. Activate passes on
    // whatever the library throws.
    void Init(QObject *owner) const;
    void Activate() const;
    void Deactivate() const;

private:
    void *handle = nullptr;
    void (*init)(QObject *) = nullptr;
    void (*activate)() = nullptr;
    void (*deactivate)() = nullptr;
};
