#pragma once

class QFont;

namespace vosk {

// Keeps the glyph engine of font loaded for as long as this library and the
// application both live. Once Qt's font cache has grown past its limit it
// drops, about once a second, every engine that no widget uses; a setup
// window opened after that would load its type from the font files again,
// the dearest single step of opening it. The frame's own type is never
// dropped, since the frame always uses it. Does nothing without an
// application object.
void KeepLoaded(const QFont &font);

} // namespace vosk
