// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// The entry points the simulator's front-end calls. It hands over its owner
// object once and asks for a new setup window each time the user opens the
// car's setup page.
#include "window/TfrmMain.h"

#include <QPointer>

class TFrmNewSetup;

#define VOSK_EXPORT __attribute__((visibility("default")))

namespace {

// The owner of every window opened from now on. Guarded, so that a host that
// destroys its owner and then opens the page again gets a window with no
// owner rather than one tied to a dead object.
QPointer<QObject> storedOwner;

} // namespace

extern "C" {

// The loader's start-up call lands here. Without it the linker would point
// the loader at _init, which the host calls itself, with its owner, later.
void vosk_module_loaded() {}

// Read by the host, never written: the windows are not tracked here.
VOSK_EXPORT TfrmMain *_frmMain = nullptr;
VOSK_EXPORT TFrmNewSetup *_FrmNewSetup = nullptr;

VOSK_EXPORT void _init(QObject *owner) {
    storedOwner = owner;
}

// A host with no frame to show the window in gets the failure back.
VOSK_EXPORT void _activate() {
    TfrmMain::OpenInHostFrame(storedOwner.data());
}

// Leaving the setup page keeps every open window as it is, unsaved values
// included; a window goes only through "ok" or with its owner.
VOSK_EXPORT void _deactivate() {}

} // extern "C"
