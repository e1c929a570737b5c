// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>

namespace vosk::test {

// Runs the posted events, deferred deletions included, as the event loop does
// between two things a person does. Header-only, so that a test that loads
// the module as a host does, and the benchmarks, share it without linking
// the window.
inline void Settle() {
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

} // namespace vosk::test
