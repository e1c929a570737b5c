// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// vosk-setup set: a value changed in place, as moving its slider and
// pressing "ok" stores it, and nothing else changed.
#include "Commands.h"
#include "Formats.h"
#include "SetupFile.h"
#include "WindowView.h"

#include "core/FileOps.h"
#include "core/SetupFields.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <sys/stat.h>

namespace vosk::cli {
namespace {

// A plain decimal in its shortest spelling, as the value boxes write it:
// "+0.30" and ".3" give "0.3", "-0" gives "0". Empty for anything else.
std::string Canonical(const std::string &text) {
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    i += i < text.size() && (text[i] == '-' || text[i] == '+');
    std::string whole, fraction;
    const auto digits = [&](std::string &into) {
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            into += text[i++];
        }
    };
    digits(whole);
    if (i < text.size() && text[i] == '.') {
        ++i;
        digits(fraction);
    }
    if (i != text.size() || (whole.empty() && fraction.empty())) {
        return {};
    }
    whole.erase(0, whole.find_first_not_of('0'));
    fraction.erase(fraction.find_last_not_of('0') + 1);
    const std::string value =
        (whole.empty() ? "0" : whole) + (fraction.empty() ? "" : ".") + fraction;
    return negative && value != "0" ? "-" + value : value;
}

// A canonical decimal as a double; one too large for a double is an
// infinity of its sign, one too small the smallest double of its sign, so
// that it still lies on the right side of 0.
double NumberOf(const std::string &text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        const bool tiny = text.rfind("0.", 0) == 0 || text.rfind("-0.", 0) == 0;
        const double size = tiny ? std::numeric_limits<double>::denorm_min() : HUGE_VAL;
        return text[0] == '-' ? -size : size;
    }
    return value;
}

// The box's text without the steering ratio's ":1".
std::string Bare(const std::string &shown) {
    return shown.size() > 2 && shown.compare(shown.size() - 2, 2, ":1") == 0
               ? shown.substr(0, shown.size() - 2)
               : shown;
}

struct Setting {
    const Slider *slider;
    int position;
};

// The slider and position that "KEY=VALUE" asks for; nullopt with the reason
// in why when no position of the slider shows exactly VALUE.
std::optional<Setting> ReadSetting(const std::string &arg, std::string &why) {
    const std::size_t equals = arg.find('=');
    const int word = equals == std::string::npos ? -1 : WordOfKey(arg.substr(0, equals));
    if (equals == std::string::npos) {
        why = "not KEY=VALUE";
        return std::nullopt;
    }
    if (word < 0) {
        why = "no such key; vosk-setup show FILE lists them";
        return std::nullopt;
    }
    const Slider *slider = SliderOfWord(static_cast<std::size_t>(word));
    if (!slider) {
        why = "the window neither shows nor changes this word";
        return std::nullopt;
    }
    // The steering ratio may be given with or without the ":1" of its box.
    const std::string given = arg.substr(equals + 1);
    const std::string wanted = Canonical(slider->rule == Rule::Steer ? Bare(given) : given);
    const std::string low = ShownText(slider->rule, slider->min);
    const std::string high = ShownText(slider->rule, slider->max);
    const std::string range =
        NumberOf(Bare(low)) < NumberOf(Bare(high)) ? low + ".." + high : high + ".." + low;
    if (wanted.empty()) {
        why = "not a number as the window shows it; the slider runs " + range;
        return std::nullopt;
    }
    // The slider's positions in turn: the one whose box shows the value,
    // else the nearest shown values on either side of it.
    const double value = NumberOf(wanted);
    std::optional<double> below, above;
    std::string belowText, aboveText;
    for (int p = slider->min; p <= slider->max; ++p) {
        const std::string shown = ShownText(slider->rule, p);
        if (Bare(shown) == wanted) {
            return Setting{slider, p};
        }
        const double v = NumberOf(Bare(shown));
        if (v < value && (!below || v > *below)) {
            below = v;
            belowText = shown;
        } else if (v > value && (!above || v < *above)) {
            above = v;
            aboveText = shown;
        }
    }
    why = below && above ? "no position of the slider shows it; the nearest are " + belowText +
                               " and " + aboveText
                         : "outside the slider's range " + range;
    return std::nullopt;
}

} // namespace

int Set(const Parsed &args) {
    const std::string &path = args.operands[0];
    const bool symmetric = args.Has("symmetric");
    std::vector<Setting> settings;
    for (std::size_t i = 1; i < args.operands.size(); ++i) {
        std::string why;
        const auto setting = ReadSetting(args.operands[i], why);
        if (!setting) {
            return Trouble(args.operands[i] + ": " + why);
        }
        settings.push_back(*setting);
    }
    // Only a whole setup file in a regular file is changed: the window
    // would cut a longer one to its 196 bytes, losing what follows them.
    struct stat st {};
    if (path == "-" || (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))) {
        return Trouble(path + ": " +
                       (path == "-"           ? "set changes a file in place, not standard input"
                        : S_ISDIR(st.st_mode) ? "is a folder"
                                              : "is not a regular file"));
    }
    SetupFile file;
    std::string error;
    if (!ReadSetupFile(path, file, error)) {
        return Trouble(path + ": " + error);
    }
    if (file.size != static_cast<long long>(CarSetup::kFileSize)) {
        return Trouble(path + ": " + SizeProblem(file.size) + "; set changes only whole setups");
    }
    // One after another, as the sliders would be moved: with --symmetric
    // each also moves its partner, so a pair follows the last of its two.
    std::uint32_t words[CarSetup::kWords];
    std::memcpy(words, file.words, sizeof words);
    for (const Setting &s : settings) {
        words[s.slider->word] = StoredWord(s.slider->rule, s.position);
        const Slider *partner = PartnerOf(s.slider->word);
        if (symmetric && partner) {
            words[partner->word] = StoredWord(partner->rule, s.position);
        }
    }
    // A pair left apart is pulled together the next time the window opens.
    bool noted[CarSetup::kWords] = {};
    for (const Setting &s : settings) {
        const Slider *partner = PartnerOf(s.slider->word);
        const std::size_t left = partner ? std::min(s.slider->word, partner->word) : 0;
        const WindowView view = ViewInWindow(words, left);
        if (partner && view.stored != words[left] && !noted[left]) {
            noted[left] = true;
            std::fprintf(stderr,
                         "vosk-setup: note: %s and %s differ; the window, which opens with "
                         "\"symmetric\" ticked, shows both at %s (--symmetric sets both)\n",
                         KeyOfWord(left).c_str(), KeyOfWord(left + 1).c_str(),
                         ShownText(s.slider->rule, view.position).c_str());
        }
    }
    if (args.Has("dry-run")) {
        Rows rows(Format::Text, {"key", "a", "b"});
        AddDifferences(file.words, words, rows);
        return 0;
    }
    if (!ReplaceFileIfChanged(path, words, sizeof words)) {
        return Trouble(path + ": cannot be written (" + std::strerror(errno) + ")");
    }
    return 0;
}

} // namespace vosk::cli
