// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// Build-time helper: draws the pictures the setup window carries and the
// host's icon, and writes a sample working folder to try the plug-in in.
//
//   vosk-art pictures DIR   banner.bmp and cover.bmp in DIR
//   vosk-art sample DIR     a simulator working folder in DIR
//   vosk-art icons DIR      the host's icon as an icon theme lays it out:
//                           scalable/apps/vosk-host.svg, NxN/apps/vosk-host.png
#include "Artwork.h"
#include "SampleFolder.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

// The cover shows the car in its factory colours, the first sample skin.
const vosk::art::Livery kFactoryLivery{QColor(236, 236, 238), QColor(200, 32, 40),
                                       QColor(24, 24, 28), 7};

bool WritePictures(const QString &dir, QString &error) {
    if (!QDir().mkpath(dir)) {
        error = QStringLiteral("cannot create %1").arg(dir);
        return false;
    }
    return vosk::art::SaveBitmap24(vosk::art::Banner(), dir + QStringLiteral("/banner.bmp"),
                                   error) &&
           vosk::art::SaveBitmap24(vosk::art::CarPicture(150, 113, kFactoryLivery),
                                   dir + QStringLiteral("/cover.bmp"), error);
}

// The sizes desktops look for in the hicolor theme, besides the SVG.
constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

bool WriteIcons(const QString &dir, QString &error) {
    const QString name = QStringLiteral("vosk-host");
    const QString scalable = dir + QStringLiteral("/scalable/apps");
    if (!QDir().mkpath(scalable)) {
        error = QStringLiteral("cannot create %1").arg(scalable);
        return false;
    }
    {
        QSvgGenerator svg;
        svg.setFileName(scalable + QLatin1Char('/') + name + QStringLiteral(".svg"));
        svg.setSize(QSize(256, 256));
        svg.setViewBox(QRect(0, 0, 256, 256));
        svg.setTitle(name);
        QPainter p;
        if (!p.begin(&svg)) {
            error = QStringLiteral("cannot write %1.svg in %2").arg(name, scalable);
            return false;
        }
        vosk::art::DrawIcon(p, 256, kFactoryLivery);
    }
    for (const int side : kIconSizes) {
        QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            vosk::art::DrawIcon(p, side, kFactoryLivery);
        }
        const QString sized = QStringLiteral("%1/%2x%2/apps").arg(dir).arg(side);
        const QString path = sized + QLatin1Char('/') + name + QStringLiteral(".png");
        if (!QDir().mkpath(sized) || !image.save(path, "PNG")) {
            error = QStringLiteral("cannot write %1").arg(path);
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char **argv) {
    // Text is drawn into images only; no window is ever shown.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    const QString what = args.size() == 3 ? args[1] : QString();
    QString error;
    bool done = false;
    if (what == QLatin1String("pictures")) {
        done = WritePictures(args[2], error);
    } else if (what == QLatin1String("sample")) {
        done = vosk::art::WriteSampleFolder(args[2], error);
    } else if (what == QLatin1String("icons")) {
        done = WriteIcons(args[2], error);
    } else {
        std::fprintf(stderr, "usage: vosk-art pictures|sample|icons DIR\n");
        return 2;
    }
    if (!done) {
        std::fprintf(stderr, "vosk-art: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
