// Build-time helper: draws the pictures the setup window carries, and writes
// a sample working folder to try the plug-in in.
//
//   vosk-art pictures DIR   banner.bmp and cover.bmp in DIR
//   vosk-art sample DIR     a simulator working folder in DIR
#include "Artwork.h"
#include "SampleFolder.h"

#include <QDir>
#include <QGuiApplication>

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

} // namespace

int main(int argc, char **argv) {
    // Text is drawn into images only; no window is ever shown.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 3 ||
        (args[1] != QLatin1String("pictures") && args[1] != QLatin1String("sample"))) {
        std::fprintf(stderr, "usage: vosk-art pictures|sample DIR\n");
        return 2;
    }
    QString error;
    const bool done = args[1] == QLatin1String("pictures")
                          ? WritePictures(args[2], error)
                          : vosk::art::WriteSampleFolder(args[2], error);
    if (!done) {
        std::fprintf(stderr, "vosk-art: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
