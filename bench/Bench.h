// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

// Shared pieces of the benchmarks: the working folders they run in, the
// stand-in frame that setup windows open in, a bare form to compare the
// window with, and the paired timing that puts every measurement beside the
// cheapest way of doing the same work.

#include "support/Settle.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

class QMdiArea;
class QWidget;
class TfrmMain;

namespace vosk::bench {

// A simulator working folder made once per process under the system's
// temporary folder (all of them are removed when the program ends). Setups
// are 196-byte files with realistic names beside conf.ini naming the first;
// skins are folders, and with chosenSkin cfg.ini names one of them, which
// has a 200 x 150 preview (the listing never looks inside the others).
struct Workdir {
    int setups = 0;
    int skins = 0;
    bool chosenSkin = false;
};
std::string WorkdirPath(const Workdir &content);
// A working folder with nothing in it.
std::string EmptyWorkdirPath();

// A tyre temperature file "cfg/of" of about bytes bytes in its own working
// folder: many sections of the simulator's output, TEMPS as the last one.
std::string TyreWorkdirPath(std::size_t bytes);

// Makes folder the current folder for the lifetime of the object.
class InFolder {
public:
    explicit InFolder(const std::string &folder);
    ~InFolder();
    InFolder(const InFolder &) = delete;
    InFolder &operator=(const InFolder &) = delete;

private:
    std::string previous;
};

// The frame every window opens in, as the host gives it: a shown main
// window whose central widget is an MDI area.
QMdiArea *Frame();
using test::Settle;
// What _activate does: a new window shown and activated in the frame, with
// the active setup loaded.
TfrmMain *OpenWindow();
// Takes a window or a bare form out of the frame and destroys it.
void CloseInFrame(QWidget *widget);

// The font a bare form is set in: the frame's default font, which the host
// keeps loaded all along, or the setup window's own font.
enum class BareType { FrameDefault, WindowFont, Census };

// A form holding as many sliders, value boxes, labels, check boxes, lists,
// buttons, groups and pages as the setup window, with no logic and no files,
// shown and activated in the frame the same way. The census form holds the
// same controls twenty to a page, on as many pages as that takes, with the
// tabs along the bottom, in the frame's default font.
QWidget *OpenBareForm(BareType type);

// Memory of the process in KiB: resident pages, read after returning freed
// heap to the system, and heap blocks in use. Resident growth can come out
// low when new blocks reuse pages that closed windows left behind; the heap
// in use counts every block whatever page it sits on.
struct Memory {
    double residentKiB;
    double heapKiB;
};
Memory MemoryInUse();

// Times subject and baseline one after the other in every iteration, the
// order flipping each time, so that whatever else the machine does slows
// both alike. tidy runs untimed after each of the two. The benchmark's time
// is the subject's; the counters give the baseline's time per iteration
// ("base_us") and the ratio of the totals, with the target ratio beside it
// when there is one. Returns the subject's mean time in seconds.
template <typename Subject, typename Baseline, typename Tidy>
double Paired(benchmark::State &state, Subject subject, Baseline baseline, Tidy tidy,
              double target = 0) {
    using Clock = std::chrono::steady_clock;
    const auto timed = [&tidy](auto &work) {
        const auto start = Clock::now();
        work();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        tidy();
        return seconds;
    };
    double subjectTotal = 0;
    double baselineTotal = 0;
    bool baselineFirst = true;
    for (auto _ : state) {
        double s = 0;
        double b = 0;
        if (baselineFirst) {
            b = timed(baseline);
            s = timed(subject);
        } else {
            s = timed(subject);
            b = timed(baseline);
        }
        baselineFirst = !baselineFirst;
        state.SetIterationTime(s);
        subjectTotal += s;
        baselineTotal += b;
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["base_us"] = baselineTotal / n * 1e6;
    state.counters["ratio"] = baselineTotal > 0 ? subjectTotal / baselineTotal : 0;
    if (target > 0) {
        state.counters["target"] = target;
    }
    return n > 0 ? subjectTotal / n : 0;
}

template <typename Subject, typename Baseline>
double Paired(benchmark::State &state, Subject subject, Baseline baseline, double target = 0) {
    return Paired(
        state, subject, baseline, [] {}, target);
}

} // namespace vosk::bench
