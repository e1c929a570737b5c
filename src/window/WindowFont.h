// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

class QFont;

namespace vosk {

// The font of the window and its dialogs: the application's family, 11
// pixels high. Its layout is drawn in pixels, so its font is held in pixels
// too: a larger font resolution alone (QT_FONT_DPI) leaves the window as it
// is, while scaling the whole screen (QT_SCALE_FACTOR) scales the window and
// its font alike. Every control inherits it; no form sets a size of its own.
QFont WindowFont();

// Keeps the glyph engine of font loaded for as long as this library and the
// application both live. Once Qt's font cache has grown past its limit it
// drops, about once a second, every engine that no widget uses; a setup
// window opened after that would load its font from the font files again,
// the dearest single step of opening it. The frame's own font is never
// dropped, since the frame always uses it. Does nothing without an
// application object.
void KeepLoaded(const QFont &font);

} // namespace vosk
