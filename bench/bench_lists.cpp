// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// The setup list and the skin list, against one bare pass over the folder.
#include "Bench.h"

#include "window/TfrmMain.h"

#include <QComboBox>
#include <QTabWidget>

#include <dirent.h>
#include <fnmatch.h>

#include <cstring>
#include <string>
#include <vector>

namespace vosk::bench {
namespace {

// The least any listing can do: one readdir pass, the name test, and a copy
// of every accepted name. Without a pattern it keeps the folders whose
// names hold no dot, as the skin list does.
std::vector<std::string> BareList(const char *folder, const char *pattern) {
    std::vector<std::string> names;
    DIR *dir = ::opendir(folder);
    if (!dir) {
        return names;
    }
    while (const dirent *e = ::readdir(dir)) {
        const bool accept = pattern ? e->d_type != DT_DIR && ::fnmatch(pattern, e->d_name, 0) == 0
                                    : e->d_type == DT_DIR && !std::strchr(e->d_name, '.');
        if (accept) {
            names.emplace_back(e->d_name);
        }
    }
    ::closedir(dir);
    return names;
}

// A window in the working folder, showing the page with the list, so that
// refilling it also repaints it as the user would see.
TfrmMain *WindowOnPage(const char *page) {
    TfrmMain *window = OpenWindow();
    window->findChild<QTabWidget *>(QStringLiteral("PageControl1"))
        ->setCurrentWidget(window->findChild<QWidget *>(QLatin1String(page)));
    Settle();
    return window;
}

void FillSetupList(benchmark::State &state) {
    const int files = static_cast<int>(state.range(0));
    const InFolder in(WorkdirPath({files, 0, false}));
    TfrmMain *window = WindowOnPage("TabSheet8");
    auto *list = window->findChild<QComboBox *>(QStringLiteral("cmbSetupList"));
    Paired(
        state,
        [&] {
            window->FillSetupList();
            list->repaint();
        },
        [] { benchmark::DoNotOptimize(BareList("cars/vosk/setup", "*.rvs")); },
        files >= 10000 ? 1.3 : 0);
    if (list->count() != files) {
        state.SkipWithError("the setup list does not hold every setup");
    }
    CloseInFrame(window);
}
BENCHMARK(FillSetupList)
    ->ArgName("files")
    ->Arg(100)
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// With a remembered skin the refill also reads the choice file, decodes the
// preview and writes the choice file again; the bare pass does none of that.
void FillSkinList(benchmark::State &state) {
    const int folders = static_cast<int>(state.range(0));
    const InFolder in(WorkdirPath({0, folders, state.range(1) != 0}));
    TfrmMain *window = WindowOnPage("TabSheet10");
    auto *list = window->findChild<QComboBox *>(QStringLiteral("cmbSkins"));
    Paired(
        state,
        [&] {
            window->FillSkinList();
            list->repaint();
        },
        [] { benchmark::DoNotOptimize(BareList("cars/vosk/skins", nullptr)); });
    if (list->count() != folders || (state.range(1) != 0) != (list->currentIndex() >= 0)) {
        state.SkipWithError("the skin list is not filled as the folder says");
    }
    CloseInFrame(window);
}
BENCHMARK(FillSkinList)
    ->ArgNames({"folders", "remembered"})
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace vosk::bench
