// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "Artwork.h"

#include <QFile>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtEndian>

#include <cstring>

namespace vosk::art {
namespace {

// Every car picture is drawn on this 4:3 canvas and scaled to the size asked
// for, so the cover and the skin previews show the same car.
constexpr double kCanvasW = 200.0;
constexpr double kCanvasH = 150.0;
constexpr double kGround = 118.0;
const QPointF kRearWheel(50, 112);
const QPointF kFrontWheel(158, 112);

QPainterPath BodyOutline() {
    QPainterPath body;
    body.moveTo(20, 112);
    body.lineTo(184, 112);
    body.cubicTo(190, 110, 190, 104, 184, 101);
    body.cubicTo(172, 97, 158, 95, 146, 93);
    body.cubicTo(136, 91, 128, 89, 122, 86);
    body.cubicTo(116, 76, 104, 72, 92, 73);
    body.cubicTo(84, 74, 79, 79, 76, 86);
    body.lineTo(44, 88);
    body.cubicTo(32, 89, 22, 91, 18, 96);
    body.lineTo(16, 108);
    body.closeSubpath();
    // Wheel arches, so the wheels sit in the body rather than on top of it.
    QPainterPath arches;
    arches.addEllipse(kRearWheel, 17, 17);
    arches.addEllipse(kFrontWheel, 17, 17);
    return body.subtracted(arches);
}

void DrawTrack(QPainter &p) {
    QLinearGradient sky(0, 0, 0, 80);
    sky.setColorAt(0.0, QColor(104, 150, 204));
    sky.setColorAt(1.0, QColor(214, 230, 242));
    p.fillRect(QRectF(0, 0, kCanvasW, 80), sky);

    // Grandstand roofline and grass verge far away.
    p.fillRect(QRectF(0, 64, kCanvasW, 16), QColor(88, 104, 96));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 84, 78));
    for (int x = 0; x < 200; x += 40) {
        p.drawRect(QRectF(x + 4, 58, 30, 8));
    }
    p.fillRect(QRectF(0, 80, kCanvasW, 10), QColor(86, 140, 70));

    QLinearGradient tarmac(0, 90, 0, kCanvasH);
    tarmac.setColorAt(0.0, QColor(92, 94, 98));
    tarmac.setColorAt(1.0, QColor(52, 54, 58));
    p.fillRect(QRectF(0, 90, kCanvasW, kCanvasH - 90), tarmac);

    // Red and white kerb along the near edge.
    for (int i = 0; i < 14; ++i) {
        p.setBrush(i % 2 ? QColor(236, 236, 236) : QColor(200, 32, 40));
        QPolygonF kerb;
        const double x = i * 16.0 - 8.0;
        kerb << QPointF(x, 136) << QPointF(x + 16, 136) << QPointF(x + 12, 144)
             << QPointF(x - 4, 144);
        p.drawPolygon(kerb);
    }
}

void DrawWheel(QPainter &p, QPointF centre) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(22, 22, 24));
    p.drawEllipse(centre, 15, 15);
    QRadialGradient rim(centre, 9);
    rim.setColorAt(0.0, QColor(236, 238, 240));
    rim.setColorAt(1.0, QColor(130, 134, 140));
    p.setBrush(rim);
    p.drawEllipse(centre, 9, 9);
    p.setPen(QPen(QColor(90, 94, 100), 1.2));
    for (int spoke = 0; spoke < 5; ++spoke) {
        QTransform turn;
        turn.translate(centre.x(), centre.y());
        turn.rotate(spoke * 72.0 + 10.0);
        p.drawLine(turn.map(QPointF(0, 0)), turn.map(QPointF(0, -8)));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 44));
    p.drawEllipse(centre, 2.2, 2.2);
}

void DrawCar(QPainter &p, const Livery &livery) {
    // Shadow first so the car sits on the track.
    QRadialGradient shade(QPointF(102, kGround + 10), 90);
    shade.setColorAt(0.0, QColor(0, 0, 0, 120));
    shade.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawEllipse(QPointF(102, kGround + 10), 92, 9);

    // Rear wing on its strut.
    p.setBrush(QColor(30, 30, 34));
    p.drawRect(QRectF(26, 76, 4, 14));
    p.setBrush(livery.accent);
    p.drawRoundedRect(QRectF(12, 70, 26, 6), 1.5, 1.5);

    const QPainterPath body = BodyOutline();
    QLinearGradient paint(0, 72, 0, 112);
    paint.setColorAt(0.0, livery.body.lighter(135));
    paint.setColorAt(0.5, livery.body);
    paint.setColorAt(1.0, livery.body.darker(150));
    p.setBrush(paint);
    p.setPen(QPen(livery.body.darker(220), 1.0));
    p.drawPath(body);

    // The stripe follows the body: paint it through the body's outline.
    p.save();
    p.setClipPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(livery.stripe);
    QPolygonF stripe;
    stripe << QPointF(10, 98) << QPointF(196, 94) << QPointF(196, 101) << QPointF(10, 105);
    p.drawPolygon(stripe);
    p.restore();

    // Canopy glass.
    QPainterPath glass;
    glass.moveTo(82, 86);
    glass.cubicTo(84, 79, 90, 76, 96, 76);
    glass.cubicTo(106, 76, 113, 80, 117, 86);
    glass.closeSubpath();
    QLinearGradient tint(0, 76, 0, 86);
    tint.setColorAt(0.0, QColor(170, 200, 225));
    tint.setColorAt(1.0, QColor(36, 52, 70));
    p.setPen(QPen(QColor(20, 20, 24), 0.8));
    p.setBrush(tint);
    p.drawPath(glass);

    // Race number on a white roundel.
    p.setPen(QPen(livery.accent, 1.2));
    p.setBrush(QColor(250, 250, 250));
    p.drawEllipse(QPointF(122, 99), 8, 8);
    QFont digits(QStringLiteral("DejaVu Sans"));
    digits.setBold(true);
    digits.setPixelSize(9);
    p.setFont(digits);
    p.setPen(QColor(20, 20, 24));
    p.drawText(QRectF(112, 91, 20, 16), Qt::AlignCenter, QString::number(livery.number));

    DrawWheel(p, kRearWheel);
    DrawWheel(p, kFrontWheel);
}

} // namespace

QImage Banner() {
    QImage image(480, 40, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient night(0, 0, 480, 0);
    night.setColorAt(0.0, QColor(14, 20, 34));
    night.setColorAt(0.55, QColor(30, 44, 72));
    night.setColorAt(1.0, QColor(22, 28, 44));
    p.fillRect(image.rect(), night);

    // Three slanted racing stripes sweeping towards the chequered end.
    const QColor stripes[] = {QColor(200, 32, 40), QColor(240, 240, 240), QColor(200, 32, 40)};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        const double x = 300.0 + i * 16.0;
        QPolygonF band;
        band << QPointF(x + 14, 0) << QPointF(x + 24, 0) << QPointF(x + 10, 40) << QPointF(x, 40);
        p.setBrush(stripes[i]);
        p.drawPolygon(band);
    }

    // Chequered flag fading in from the left.
    const int cell = 8;
    for (int col = 0; col < 10; ++col) {
        for (int row = 0; row < 5; ++row) {
            if ((col + row) % 2 == 0) {
                continue;
            }
            const int alpha = 40 + col * 20;
            p.fillRect(QRect(400 + col * cell, row * cell, cell, cell),
                       QColor(235, 235, 235, alpha > 255 ? 255 : alpha));
        }
    }

    QFont caption(QStringLiteral("DejaVu Sans"));
    caption.setBold(true);
    caption.setItalic(true);
    caption.setPixelSize(22);
    p.setFont(caption);
    const QRectF text(16, 0, 280, 36);
    p.setPen(QColor(0, 0, 0, 160));
    p.drawText(text.translated(1.5, 1.5), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Marzan Setup"));
    p.setPen(QColor(248, 248, 248));
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Marzan Setup"));

    // Thin red line along the bottom edge, the way the window's pages begin.
    p.fillRect(QRect(0, 37, 480, 3), QColor(200, 32, 40));
    return image;
}

QImage CarPicture(int width, int height, const Livery &livery) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(width / kCanvasW, height / kCanvasH);
    DrawTrack(p);
    DrawCar(p, livery);
    return image;
}

void DrawIcon(QPainter &p, double side, const Livery &livery) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(side / kCanvasW, side / kCanvasW);
    // A badge with a little margin, as desktop themes draw their own icons.
    QLinearGradient night(0, 0, 0, kCanvasW);
    night.setColorAt(0.0, QColor(58, 62, 70));
    night.setColorAt(1.0, QColor(24, 26, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(night);
    p.drawRoundedRect(QRectF(6, 6, kCanvasW - 12, kCanvasW - 12), 28, 28);
    // The car fills the badge's width and sits on its middle; its wing top
    // is at 70 and its shadow ends near 127 on the picture canvas.
    p.translate(0, kCanvasW / 2 - 98);
    DrawCar(p, livery);
    p.restore();
}

bool SaveBitmap24(const QImage &image, const QString &path, QString &error) {
    // An image without alpha is written as three bytes a pixel, BI_RGB.
    if (!image.convertToFormat(QImage::Format_RGB32).save(path, "BMP")) {
        error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read back %1").arg(path);
        return false;
    }
    const QByteArray header = file.read(54);
    if (header.size() < 54 || !header.startsWith("BM")) {
        error = QStringLiteral("%1 is not a bitmap").arg(path);
        return false;
    }
    const auto *bytes = reinterpret_cast<const uchar *>(header.constData());
    const qint32 width = qFromLittleEndian<qint32>(bytes + 18);
    const qint32 height = qFromLittleEndian<qint32>(bytes + 22);
    const quint16 bitsPerPixel = qFromLittleEndian<quint16>(bytes + 28);
    const quint32 compression = qFromLittleEndian<quint32>(bytes + 30);
    if (width != image.width() || (height != image.height() && height != -image.height()) ||
        bitsPerPixel != 24 || compression != 0) {
        error = QStringLiteral("%1 came out as %2x%3, %4 bits, compression %5")
                    .arg(path)
                    .arg(width)
                    .arg(height)
                    .arg(bitsPerPixel)
                    .arg(compression);
        return false;
    }
    return true;
}

} // namespace vosk::art
