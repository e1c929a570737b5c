// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// vosk-setup temps --advise: the tyre readings of the last run read the way
// a pyrometer's are, with the usual rules of thumb. The car has camber but
// no tyre pressure setting, so only camber advice becomes a change.
#include "Commands.h"
#include "Quoting.h"
#include "SetupFile.h"
#include "WindowView.h"

#include "core/CarFiles.h"
#include "core/IniReader.h"
#include "core/NumberText.h"
#include "core/SetupFields.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

namespace vosk::cli {
namespace {

struct Thresholds {
    double targetSpread = 7; // inner minus outer that a good camber gives, °C
    double tolerance = 3;    // how far spread and middle may stray, °C
    double axleGap = 10;     // how much hotter one axle may run on average, °C
    double heatPerStep = 2;  // spread moved by one 0.1° step of camber, °C
};

// One advice option; false after telling the trouble. A value must be a
// finite number of at least min (above min when strictly is set).
bool ReadThreshold(const Parsed &args, const char *name, double min, bool strictly, double &value) {
    const auto option = args.options.find(name);
    if (option == args.options.end()) {
        return true;
    }
    const std::string &text = option->second;
    double parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(parsed) ||
        parsed < min || (strictly && parsed == min)) {
        Trouble("--" + std::string(name) + " " + text + ": not a temperature difference" +
                (strictly   ? " above 0"
                 : min == 0 ? " of at least 0"
                            : ""));
        return false;
    }
    value = parsed;
    return true;
}

// A difference in °C to a tenth, as a person reads a pyrometer.
std::string Degrees(double value) {
    return DecimalText(std::round(value * 10) / 10);
}

// The inner, middle and outer reading of each wheel, by the file's letters:
// "I" is the inside edge on every wheel, although the Tyres page shows the
// right-hand wheels mirrored. nullopt for a wheel with a reading the page
// leaves blank (missing, zero or not a number) or too large for arithmetic:
// no advice stands on it.
std::optional<double> Readings(const IniReader &reader, int wheel, double (&edges)[3]) {
    int found = 0;
    for (const TyreReading &reading : kTyreReadings) {
        if (reading.wheel != wheel) {
            continue;
        }
        const long double value = reader.GetFloat(kTyreSection, reading.key);
        if (WholeNumberText(value).empty() || !std::isfinite(static_cast<double>(value))) {
            return std::nullopt;
        }
        const char letter = reading.key[std::char_traits<char>::length(reading.key) - 1];
        edges[letter == 'I' ? 0 : letter == 'M' ? 1 : 2] = static_cast<double>(value);
        ++found;
    }
    return found == 3 ? std::optional<double>((edges[0] + edges[1] + edges[2]) / 3) : std::nullopt;
}

// The camber change the spread asks for, in slider steps of 0.1°: positive
// makes the camber less negative.
int CamberSteps(double spread, const Thresholds &t) {
    const double off = spread - t.targetSpread;
    if (std::fabs(off) <= t.tolerance) {
        return 0;
    }
    // Never more steps than the slider has, whatever the readings.
    const double steps = std::min(std::fabs(off) / t.heatPerStep, 80.0);
    return static_cast<int>(std::max(1.0, std::round(steps))) * (off > 0 ? 1 : -1);
}

std::string CamberAdvice(int wheel, double spread, int steps, const SetupFile *setup) {
    std::string why = spread > 0 ? "the inside edge runs much hotter than the outside"
                                 : "the outside edge runs hotter than the inside";
    if (steps < 0 && spread >= 0) {
        why = "the inside edge runs barely hotter than the outside";
    }
    why += steps > 0 ? ": too much negative camber" : ": too little negative camber";
    const std::string key = std::string("camber.") + kWheelLabels[wheel];
    const std::size_t k = static_cast<std::size_t>(WordOfKey(key));
    const Slider &slider = *SliderOfWord(k);
    if (!setup) {
        return why + "; try " + Degrees(std::abs(steps) * 0.1) + "° " +
               (steps > 0 ? "less" : "more") + " negative camber (" + IntegerText(std::abs(steps)) +
               " steps of 0.1°)";
    }
    const int now = ViewInWindow(setup->words, k).position;
    const int next = Clamped(slider, now + steps);
    if (next == now) {
        return why + "; " + key + " is already " + ShownText(slider.rule, now) +
               ", the end of its range";
    }
    return why + "; try " + key + " " + ShownText(slider.rule, now) + " -> " +
           ShownText(slider.rule, next) + (next != now + steps ? ", the end of its range" : "");
}

int Advise(const Parsed &args) {
    Thresholds t;
    if (!ReadThreshold(args, "target-spread", -1e9, false, t.targetSpread) ||
        !ReadThreshold(args, "tolerance", 0, false, t.tolerance) ||
        !ReadThreshold(args, "axle-gap", 0, false, t.axleGap) ||
        !ReadThreshold(args, "heat-per-step", 0, true, t.heatPerStep)) {
        return 2;
    }
    SetupFile setup;
    if (args.Has("setup")) {
        const std::string &path = args.options.at("setup");
        std::string error;
        if (!ReadSetupFile(path, setup, error) || !setup.Complete()) {
            return Trouble(path + ": " + (error.empty() ? SizeProblem(setup.size) : error));
        }
    }
    std::string path = paths::kTyreTemperatureFile;
    if (args.Has("workdir")) {
        const std::string &dir = args.options.at("workdir");
        path = dir + (dir.empty() || dir.back() == '/' ? "" : "/") + path;
    }
    IniReader reader;
    reader.Load(path);
    if (!reader.loaded) {
        return Trouble(Quoted(path) + ": " + Unreadable(path.c_str()));
    }
    std::string out;
    double sums[2] = {}, counts[2] = {}; // of the front and rear wheels read
    for (int wheel = 0; wheel < 4; ++wheel) {
        const std::string name = kWheelLabels[wheel];
        double edges[3] = {};
        const std::optional<double> mean = Readings(reader, wheel, edges);
        if (!mean) {
            out += name + ": a reading is missing, zero or unusable; no advice\n";
            continue;
        }
        sums[wheel / 2] += *mean;
        ++counts[wheel / 2];
        const double spread = edges[0] - edges[2];
        const double middle = edges[1] - (edges[0] + edges[2]) / 2;
        out += name + ": inner " + Degrees(edges[0]) + ", middle " + Degrees(edges[1]) +
               ", outer " + Degrees(edges[2]) + " °C; spread " + Degrees(spread) +
               " °C (inner minus outer, target " + Degrees(t.targetSpread) + " ± " +
               Degrees(t.tolerance) + "), middle " + Degrees(std::fabs(middle)) + " °C " +
               (middle < 0 ? "below" : "above") + " the mean of the edges\n";
        const int steps = CamberSteps(spread, t);
        out += name + ": rule of thumb: " +
               (steps == 0
                    ? "the spread is on target: camber looks right"
                    : CamberAdvice(wheel, spread, steps, args.Has("setup") ? &setup : nullptr)) +
               '\n';
        if (std::fabs(middle) > t.tolerance) {
            out += name + ": rule of thumb: " +
                   (middle > 0 ? "the middle runs hotter than the edges: too much pressure"
                               : "the middle runs cooler than the edges: too little pressure") +
                   "; the car has no pressure setting, so there is nothing to change for it\n";
        }
    }
    if (counts[0] > 0 && counts[1] > 0) {
        const double gap = sums[0] / counts[0] - sums[1] / counts[1];
        if (std::fabs(gap) > t.axleGap) {
            out += std::string(gap > 0 ? "fronts" : "rears") + ": rule of thumb: the " +
                   (gap > 0 ? "front" : "rear") + " tyres run " + Degrees(std::fabs(gap)) +
                   " °C hotter than the " + (gap > 0 ? "rears" : "fronts") +
                   " on average: a hint of " + (gap > 0 ? "understeer" : "oversteer") + '\n';
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

} // namespace

int TempsOrAdvice(const Parsed &args) {
    if (args.Has("advise")) {
        return Advise(args);
    }
    for (const char *option :
         {"setup", "target-spread", "tolerance", "axle-gap", "heat-per-step"}) {
        if (args.Has(option)) {
            return Trouble("temps: --" + std::string(option) + " goes with --advise");
        }
    }
    return Temps(args);
}

} // namespace vosk::cli
