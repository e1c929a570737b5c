// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// The setup window: opening it, moving its sliders, "ok", and the memory an
// open window holds, each beside the same work done with bare widgets.
#include "Bench.h"

#include "core/CarFiles.h"
#include "window/RawNameCombo.h"
#include "window/TfrmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>

#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace vosk::bench {
namespace {

// The folder of a user who keeps many setups and a few dozen skins.
const Workdir kCar{1000, 30, true};

bool Ready(const TfrmMain *window) {
    const auto *list = window->findChild<QComboBox *>(QStringLiteral("cmbSetupList"));
    return list->count() == kCar.setups && list->currentIndex() >= 0;
}

// Warms the caches that only the first window of a process fills (fonts,
// style, pictures), which the host pays once and not per window.
void WarmUp(BareType type = BareType::FrameDefault) {
    CloseInFrame(OpenWindow());
    CloseInFrame(OpenBareForm(type));
}

// Opening a window beside opening a bare form, in the frame's default font
// (what the host's own forms cost) or in the window's 8 point type, in a
// folder of many setups and skins; and beside the census form in an empty
// working folder, where the window's own work is all that is left.
void Activate(benchmark::State &state, BareType type) {
    const bool census = type == BareType::Census;
    const InFolder in(census ? EmptyWorkdirPath() : WorkdirPath(kCar));
    WarmUp(type);
    TfrmMain *window = nullptr;
    QWidget *bare = nullptr;
    bool ready = true;
    Paired(
        state, [&] { window = OpenWindow(); }, [&] { bare = OpenBareForm(type); },
        [&] {
            if (window) {
                ready = ready && (census || Ready(window));
                CloseInFrame(window);
                window = nullptr;
            }
            if (bare) {
                CloseInFrame(bare);
                bare = nullptr;
            }
        },
        1.5);
    if (!ready) {
        state.SkipWithError("the window was not active with its setup loaded");
    }
}
BENCHMARK_CAPTURE(Activate, bare_default_font, BareType::FrameDefault)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Activate, bare_window_type, BareType::WindowFont)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Activate, census_empty_folder, BareType::Census)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// Moves every slider from its minimum to its maximum one step at a time, as a
// user dragging it would. Returns the number of position changes made.
long Sweep(const std::vector<QSlider *> &sliders) {
    long changes = 0;
    for (QSlider *slider : sliders) {
        for (int p = slider->minimum(); p <= slider->maximum(); ++p) {
            changes += slider->value() != p;
            slider->setValue(p);
        }
    }
    return changes;
}

// A slider beside a value box for every slider of the window, with the same
// range; each change just prints the position into the box.
struct BareSliders {
    explicit BareSliders(const std::vector<QSlider *> &like) {
        for (const QSlider *s : like) {
            auto *slider = new QSlider(Qt::Horizontal, &form);
            auto *box = new QLineEdit(&form);
            slider->setRange(s->minimum(), s->maximum());
            QObject::connect(slider, &QSlider::valueChanged, box,
                             [box](int p) { box->setText(QString::number(p)); });
            sliders.push_back(slider);
        }
    }
    QWidget form;
    std::vector<QSlider *> sliders;
};

void SliderSweep(benchmark::State &state) {
    const InFolder in(WorkdirPath(kCar));
    TfrmMain *window = OpenWindow();
    for (const char *box : {"chkBrakeSym", "chkSpringSym"}) {
        window->findChild<QCheckBox *>(QLatin1String(box))->setChecked(true);
    }
    const QList<QSlider *> found = window->findChildren<QSlider *>();
    const std::vector<QSlider *> sliders(found.begin(), found.end());
    const BareSliders bare(sliders);
    long changes = 0;
    const double seconds = Paired(
        state, [&] { changes = Sweep(sliders); }, [&] { Sweep(bare.sliders); });
    state.counters["changes"] = static_cast<double>(changes);
    state.counters["us_per_change"] =
        changes > 0 ? seconds * 1e6 / static_cast<double>(changes) : 0;
    state.counters["target_us"] = 20;
    CloseInFrame(window);
}
BENCHMARK(SliderSweep)->UseManualTime()->Unit(benchmark::kMicrosecond);

// "ok" in a folder of state.range(0) setups. The bare save makes the same
// flushes as ours: the file before it takes its name, the folder after.
void Ok(benchmark::State &state) {
    const InFolder in(WorkdirPath({static_cast<int>(state.range(0)), 30, true}));
    TfrmMain *window = OpenWindow();
    const std::string setupPath =
        vosk::paths::kSetupFolder +
        vosk::SelectedName(window->findChild<QComboBox *>(QStringLiteral("cmbSetupList")));
    const std::string barePath = std::string(vosk::paths::kSetupFolder) + "bare-ok.rvs";
    const std::string bareTemp = barePath + ".tmp";
    // The record's 49 words lie in file order from its first word on.
    const void *record = &window->Record().rearWing;
    Paired(
        state,
        [&] {
            window->ControlsToRecord();
            window->Record().Save(setupPath);
        },
        [&] {
            const int fd = ::open(bareTemp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
            if (fd >= 0 && ::write(fd, record, CarSetup::kFileSize) == CarSetup::kFileSize &&
                ::fsync(fd) == 0 && ::close(fd) == 0 &&
                ::rename(bareTemp.c_str(), barePath.c_str()) == 0) {
                const int folder = ::open(vosk::paths::kSetupFolder, O_RDONLY | O_DIRECTORY);
                ::fsync(folder);
                ::close(folder);
            }
        },
        1.5);
    std::remove(barePath.c_str());
    CloseInFrame(window);
}
BENCHMARK(Ok)->ArgName("setups")->Arg(10)->Arg(100000)->MinTime(1)->UseManualTime()->Unit(
    benchmark::kMicrosecond);

// Memory that n open windows add, beside n bare forms.
template <typename Open> Memory Added(long n, Open open) {
    const Memory before = MemoryInUse();
    std::vector<QWidget *> opened;
    for (long i = 0; i < n; ++i) {
        opened.push_back(open());
    }
    const Memory after = MemoryInUse();
    for (QWidget *w : opened) {
        CloseInFrame(w);
    }
    return {after.residentKiB - before.residentKiB, after.heapKiB - before.heapKiB};
}

void WindowMemory(benchmark::State &state) {
    const InFolder in(WorkdirPath(kCar));
    WarmUp();
    const long n = state.range(0);
    for (auto _ : state) {
        const Memory windows = Added(n, [] { return OpenWindow(); });
        const Memory bare = Added(n, [] { return OpenBareForm(BareType::WindowFont); });
        state.counters["resident_KiB"] = windows.residentKiB;
        state.counters["heap_KiB"] = windows.heapKiB;
        state.counters["bare_resident_KiB"] = bare.residentKiB;
        state.counters["bare_heap_KiB"] = bare.heapKiB;
    }
}
BENCHMARK(WindowMemory)
    ->ArgName("windows")
    ->Arg(1)
    ->Arg(10)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vosk::bench
