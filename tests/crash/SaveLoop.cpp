// Saves one setup over and over from a real window until it is killed.
// Usage: vosk_save_loop <working folder>
#include "core/Paths.h"
#include "support/SaveVersions.h"
#include "window/TfrmMain.h"

#include <QApplication>

#include <cstdio>
#include <unistd.h>

int main(int argc, char **argv) {
    if (argc != 2 || chdir(argv[1]) != 0) {
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TfrmMain window;
    for (unsigned long long k = 0;; ++k) {
        vosk::test::ApplyVersion(&window, static_cast<int>(k % vosk::test::kVersions));
        window.ControlsToRecord();
        window.Record().Save(vosk::test::kSavedSetup);
        if (k == 0) {
            std::fclose(std::fopen("ready", "w"));
        }
    }
}
