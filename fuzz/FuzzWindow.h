// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include "window/TfrmMain.h"

#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

// One offscreen application and one setup window for the whole fuzzing run,
// living in a scratch working folder of its own.
inline TfrmMain &FuzzWindow() {
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    // Never destroyed: the fuzzer ends the process with exit(), and the
    // application must not be torn down under a window it still owns.
    static QApplication *app = nullptr;
    static TfrmMain *window = nullptr;
    if (!app) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        std::string dir = (std::filesystem::temp_directory_path() / "vosk-fuzz-XXXXXX").string();
        if (!mkdtemp(dir.data()) || chdir(dir.c_str()) != 0) {
            std::abort();
        }
        std::filesystem::create_directories("cars/vosk/setup");
        std::filesystem::create_directories("cars/vosk/skins/s");
        app = new QApplication(argc, argv);
        window = new TfrmMain;
    }
    return *window;
}
