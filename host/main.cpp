// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// vosk-host: a stand-in for the simulator's front-end. It changes into the
// simulator's working folder, loads the car-setup library, hands it an owner
// and opens the car's setup page on request.
#include "HostWindow.h"
#include "Screenshots.h"
#include "SetupPlugin.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

struct Options {
    QString workdir;
    QString library;
    QString screenshots;
};

// Paths given on the command line mean what they meant in the folder the
// host was started from, before it changes into the working folder.
Options ReadOptions(const QApplication &app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Stand-in simulator front-end for the car setup plug-in."));
    parser.addHelpOption();
    const QCommandLineOption workdir(QStringLiteral("workdir"),
                                     QStringLiteral("Simulator working folder (default: here)."),
                                     QStringLiteral("DIR"), QDir::currentPath());
    const QCommandLineOption library(
        QStringLiteral("library"),
        QStringLiteral("Car setup library (default: libvosk_setup.so beside vosk-host)."),
        QStringLiteral("PATH"));
    const QCommandLineOption screenshots(
        QStringLiteral("screenshot"),
        QStringLiteral("Open one setup window, save a picture of each page into DIR, quit."),
        QStringLiteral("DIR"));
    parser.addOptions({workdir, library, screenshots});
    parser.process(app);

    Options options;
    options.workdir = QFileInfo(parser.value(workdir)).absoluteFilePath();
    if (parser.isSet(library)) {
        options.library = QFileInfo(parser.value(library)).absoluteFilePath();
    } else {
        const QDir here(QCoreApplication::applicationDirPath());
        options.library = here.filePath(QStringLiteral("libvosk_setup.so"));
        // Installed, the library lives in its own folder under lib/.
        const QString installed =
            here.filePath(QStringLiteral(VOSK_INSTALLED_MODULE_DIR "/libvosk_setup.so"));
        if (!QFileInfo::exists(options.library) && QFileInfo::exists(installed)) {
            options.library = QDir::cleanPath(installed);
        }
    }
    if (parser.isSet(screenshots)) {
        options.screenshots = QFileInfo(parser.value(screenshots)).absoluteFilePath();
    }
    return options;
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vosk-host"));
    const Options options = ReadOptions(app);

    // The plug-in finds every file relative to the simulator's working folder.
    if (!QDir::setCurrent(options.workdir)) {
        std::fprintf(stderr, "vosk-host: cannot change to the working folder %s\n",
                     qPrintable(options.workdir));
        return 1;
    }
    SetupPlugin plugin;
    std::string error;
    if (!plugin.Load(options.library.toStdString(), error)) {
        std::fprintf(stderr, "vosk-host: %s\n", error.c_str());
        return 1;
    }

    int status = 0;
    {
        auto owner = std::make_unique<QObject>();
        plugin.Init(owner.get());
        HostWindow frame(plugin);
        frame.show();
        if (!options.screenshots.isEmpty()) {
            QTimer::singleShot(0, &frame, [&frame, &options] {
                QString failure;
                if (TakeScreenshots(frame, options.screenshots, failure)) {
                    std::printf("vosk-host: pictures saved in %s\n",
                                qPrintable(options.screenshots));
                    QApplication::exit(0);
                } else {
                    std::fprintf(stderr, "vosk-host: %s\n", qPrintable(failure));
                    QApplication::exit(1);
                }
            });
        }
        status = QApplication::exec();
        // Every setup window goes with the owner and remembers its active
        // setup on the way, while the frame and the library are still there.
        owner.reset();
    }
    return status;
}
