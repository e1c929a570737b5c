// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class HostWindow;

// Opens one setup window in frame and saves a picture of every page of it as
// DIR/page-NN-<tab caption>.png, then one of the whole frame as
// DIR/frame.png. Returns false, with the reason in error, when no setup
// window opened or a picture could not be saved.
bool TakeScreenshots(HostWindow &frame, const QString &dir, QString &error);
