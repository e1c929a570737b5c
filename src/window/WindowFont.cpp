// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "window/WindowFont.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QList>
#include <QPointer>

namespace {

// Belongs to the application, so the fonts never outlive Qt's font system.
class KeptFonts : public QObject {
public:
    using QObject::QObject;
    QList<QFont> fonts;
};

QPointer<KeptFonts> kept;

// A host may unload the library while its application goes on; the fonts
// go with the library then, while the code that owns them is still there.
struct ReleaseOnUnload {
    ~ReleaseOnUnload() { delete kept.data(); }
} releaseOnUnload;

} // namespace

namespace vosk {

QFont WindowFont() {
    QFont font;
    font.setPixelSize(11);
    return font;
}

void KeepLoaded(const QFont &font) {
    if (QCoreApplication::instance() == nullptr) {
        return;
    }
    if (kept.isNull()) {
        kept = new KeptFonts(QCoreApplication::instance());
    }
    if (kept->fonts.contains(font)) {
        return;
    }
    // A copy shares the font's engines; measuring loads them if nothing has
    // drawn with the font yet.
    kept->fonts.append(font);
    (void)QFontMetrics(font).height();
}

} // namespace vosk
