// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QImage>
#include <QString>

class QPainter;

namespace vosk::art {

// The colours and race number a car is painted in.
struct Livery {
    QColor body;
    QColor stripe;
    QColor accent;
    int number;
};

// The strip across the top of the setup window, 480 x 40.
QImage Banner();
// The car seen from the side on a stretch of track, scaled to size.
QImage CarPicture(int width, int height, const Livery &livery);

// The program's icon, the car on a dark rounded badge, drawn into a square
// of the given side on any paint device (a picture or an SVG file).
void DrawIcon(QPainter &p, double side, const Livery &livery);

// Saves image as an uncompressed 24-bit Windows bitmap and reads the header
// back, because the window's loader only promises to read that one kind.
// Returns false, with a message in error, when the file cannot be written
// or does not come out as such a bitmap.
bool SaveBitmap24(const QImage &image, const QString &path, QString &error);

} // namespace vosk::art
