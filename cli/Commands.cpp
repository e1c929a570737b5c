// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "Commands.h"

#include "Formats.h"
#include "ModuleApi.h"
#include "Modules.h"
#include "Quoting.h"
#include "SetupFile.h"
#include "Spacing.h"
#include "WindowView.h"

#include "core/CarFiles.h"
#include "core/FileOps.h"
#include "core/FolderLister.h"
#include "core/Gearing.h"
#include "core/IniReader.h"
#include "core/NumberText.h"
#include "core/SetupFields.h"
#include "core/Words.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vosk::cli {
namespace {

constexpr char kQtModule[] = "libvosk_cli_qt.so";
constexpr char kChartModule[] = "libvosk_cli_chart.so";

void Print(const std::string &text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

// A setup file that show, diff, export and speeds can work on: readable and
// at least 196 bytes. A longer file is read as the window reads it, by its
// first 196 bytes.
bool Load(const std::string &path, SetupFile &file) {
    std::string error;
    if (!ReadSetupFile(path, file, error)) {
        Trouble(Quoted(path) + ": " + error);
        return false;
    }
    if (!file.Complete()) {
        Trouble(Quoted(path) + ": " + SizeProblem(file.size));
        return false;
    }
    return true;
}

std::string ValueAt(const SetupFile &file, std::size_t k) {
    return ValueText(file.words, k);
}

// The working folder of the simulator becomes the current folder, as the
// host makes it before it loads the window. prefix is how the paths inside
// it are named in messages.
bool EnterWorkdir(const Parsed &args, std::string &prefix) {
    if (!args.Has("workdir")) {
        return true;
    }
    const std::string &dir = args.options.at("workdir");
    if (::chdir(dir.c_str()) != 0) {
        Trouble(Quoted(dir) + ": " + std::strerror(errno));
        return false;
    }
    prefix = dir + (dir.empty() || dir.back() == '/' ? "" : "/");
    return true;
}

// The gear and final ratios as the window holds them after loading the file
// and pressing "calculate": each moved through its slider.
float RatioOf(const SetupFile &file, std::size_t k) {
    const WindowView view = ViewOf(*SliderOfWord(k), file.words[k]);
    return FloatOf(view.stored);
}

bool ReadText(const std::string &path, std::string &text) {
    // A setup's JSON is about a kilobyte; anything far larger is not one.
    constexpr std::size_t kLimit = 1 << 20;
    const int fd = path == "-" ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return Trouble(Quoted(path) + ": " + std::strerror(errno)) == 0;
    }
    text.clear();
    char chunk[65536];
    std::size_t n = 0;
    int error = 0;
    while (text.size() <= kLimit && error == 0 &&
           (n = ReadUpTo(fd, chunk, sizeof chunk, error)) != 0) {
        text.append(chunk, n);
    }
    if (fd != STDIN_FILENO) {
        ::close(fd);
    }
    if (error != 0) {
        return Trouble(Quoted(path) + ": " +
                       (error == EISDIR ? "is a folder" : std::strerror(error))) == 0;
    }
    if (text.size() > kLimit) {
        return Trouble(Quoted(path) + ": larger than 1 MiB, not a setup's JSON") == 0;
    }
    return true;
}

// The heat colours of tyre readings, cold blue through green to hot red, one
// per band of the heat scale.
constexpr const char *kHeatColours[] = {"\033[34m", "\033[36m", "\033[32m", "\033[33m", "\033[31m"};
constexpr const char *kHeatNames[] = {"blue", "cyan", "green", "yellow", "red"};
static_assert(std::size(kHeatColours) == kHeatSteps.size() + 1);

// One line naming the colour of each band, each name in its colour.
std::string HeatLegend() {
    std::string legend = "°C: ";
    for (std::size_t band = 0; band < std::size(kHeatColours); ++band) {
        legend += (band ? ", " : "") + HeatBandText(band, true);
    }
    return legend + '\n';
}

std::string HexBytes(const std::string &bytes, std::size_t from) {
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(3 * (bytes.size() - from));
    for (std::size_t i = from; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text += ' ';
        text += kDigits[byte >> 4];
        text += kDigits[byte & 15];
    }
    return text;
}

// show as git's text conversion: git stops a whole log or diff at the first
// revision whose conversion fails, so every revision of a file gives text.
// Anything but a setup is one line with its size and its bytes in hex, and
// the bytes a longer file holds past its record are shown after the record,
// so that a change there shows in a diff.
int TextConversion(const std::string &path) {
    std::string bytes, error;
    if (!ReadWholeFile(path, bytes, error)) {
        return Trouble(Quoted(path) + ": " + error);
    }
    const auto size = static_cast<long long>(bytes.size());
    if (bytes.size() < CarSetup::kFileSize) {
        Print("not a setup: " + SizeProblem(size) + (bytes.empty() ? "" : ":") +
              HexBytes(bytes, 0) + '\n');
        return 0;
    }
    SetupFile file;
    file.size = size;
    std::memcpy(file.words, bytes.data(), CarSetup::kFileSize);
    std::string text;
    for (std::size_t k = 0; k < CarSetup::kWords; ++k) {
        text += KeyOfWord(k) + ' ' + ValueAt(file, k) + '\n';
    }
    if (bytes.size() > CarSetup::kFileSize) {
        const std::size_t extra = bytes.size() - CarSetup::kFileSize;
        text += "past the record: " + std::to_string(extra) + (extra == 1 ? " byte:" : " bytes:") +
                HexBytes(bytes, CarSetup::kFileSize) + '\n';
    }
    Print(text);
    return 0;
}

bool UseColour(const Parsed &args, bool &colour) {
    const auto option = args.options.find("color");
    const std::string when = option == args.options.end() ? "auto"
                             : option->second.empty()     ? "always"
                                                          : option->second;
    if (when == "always" || when == "yes" || when == "force") {
        colour = true;
    } else if (when == "never" || when == "no" || when == "none") {
        colour = false;
    } else if (when == "auto" || when == "tty" || when == "if-tty") {
        // NO_COLOR set and not empty is the user's standing "no colour", for
        // every program that reads it; an explicit --color still wins.
        const char *term = std::getenv("TERM");
        const char *noColour = std::getenv("NO_COLOR");
        colour = ::isatty(STDOUT_FILENO) && term && std::strcmp(term, "dumb") != 0 &&
                 !(noColour && *noColour);
    } else {
        Trouble("--color=" + when + ": WHEN is auto, always or never");
        return false;
    }
    return true;
}

} // namespace

std::string HeatBandText(std::size_t band, bool coloured) {
    if (band >= std::size(kHeatColours)) {
        return {};
    }
    const std::string range =
        band == 0 ? "below " + std::to_string(kHeatSteps[0])
        : band == kHeatSteps.size()
            ? std::to_string(kHeatSteps[band - 1]) + " and above"
            : std::to_string(kHeatSteps[band - 1]) + " to " + std::to_string(kHeatSteps[band] - 1);
    return range + ' ' + (coloured ? kHeatColours[band] : "") + kHeatNames[band] +
           (coloured ? "\033[0m" : "");
}

std::string Unreadable(const char *path) {
    struct stat st {};
    if (::stat(path, &st) != 0) {
        return std::strerror(errno);
    }
    return S_ISDIR(st.st_mode) ? "is a folder" : "cannot be read";
}

int Trouble(const std::string &message) {
    std::fprintf(stderr, "vosk-setup: %s\n", message.c_str());
    return 2;
}

int Show(const Parsed &args) {
    if (args.Has("textconv")) {
        return TextConversion(args.operands[0]);
    }
    SetupFile file;
    if (!Load(args.operands[0], file)) {
        return 2;
    }
    std::string text;
    for (std::size_t k = 0; k < CarSetup::kWords; ++k) {
        text += KeyOfWord(k) + ' ' + ValueAt(file, k) + '\n';
    }
    Print(text);
    return 0;
}

int Diff(const Parsed &args) {
    SetupFile a, b;
    Format format;
    if (!FormatOf(args, format) || !Load(args.operands[0], a) || !Load(args.operands[1], b)) {
        return 2;
    }
    Rows rows(format, {"key", "a", "b"});
    return rows.Finish(AddDifferences(a.words, b.words, rows) ? 1 : 0);
}

int Export(const Parsed &args) {
    SetupFile file;
    if (!Load(args.operands[0], file)) {
        return 2;
    }
    std::string error;
    const auto exportJson =
        ModuleFunctionAs<ExportJsonFunction>(kQtModule, "vosk_cli_export_json", error);
    if (!exportJson) {
        return Trouble(error);
    }
    unsigned char bytes[CarSetup::kFileSize];
    std::memcpy(bytes, file.words, sizeof bytes);
    std::fflush(stdout);
    exportJson(bytes);
    return 0;
}

int Import(const Parsed &args) {
    const std::string &json = args.operands[0], &out = args.operands[1];
    std::string text, error;
    if (!ReadText(json, text)) {
        return 2;
    }
    // --force replaces OUT, but never with the JSON it was made from.
    struct stat in {};
    struct stat existing {};
    if (json != "-" && ::stat(json.c_str(), &in) == 0 && ::stat(out.c_str(), &existing) == 0 &&
        in.st_dev == existing.st_dev && in.st_ino == existing.st_ino) {
        return Trouble(Quoted(out) + ": is the JSON being read; name another file to write");
    }
    const auto importJson =
        ModuleFunctionAs<ImportJsonFunction>(kQtModule, "vosk_cli_import_json", error);
    if (!importJson) {
        return Trouble(error);
    }
    unsigned char bytes[CarSetup::kFileSize];
    char reason[512] = "";
    if (importJson(text.data(), text.size(), bytes, reason, sizeof reason) != 0) {
        return Trouble(Quoted(json) + ": " + reason);
    }
    const bool force = args.Has("force");
    if (force ? ReplaceFile(out, bytes, sizeof bytes)
              : CreateFileNoReplace(out, bytes, sizeof bytes)) {
        return 0;
    }
    const int writeError = errno;
    struct stat st {};
    if (::stat(out.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        return Trouble(Quoted(out) +
                       (S_ISDIR(st.st_mode) ? ": is a folder" : ": is not a regular file"));
    }
    if (!force && ::lstat(out.c_str(), &st) == 0) {
        return Trouble(Quoted(out) + ": exists; --force replaces it");
    }
    return Trouble(Quoted(out) + ": cannot be written (" + std::strerror(writeError) + ")");
}

int Check(const Parsed &args) {
    Format format;
    if (!FormatOf(args, format)) {
        return 2;
    }
    const bool namesOnly = args.Has("names-only");
    Rows rows(format, namesOnly ? std::vector<const char *>{"file"}
                                : std::vector<const char *>{"file", "key", "problem"});
    long long files = 0, withProblems = 0, unreadable = 0;
    const auto checkFile = [&](const std::string &path, Named named) {
        ++files;
        SetupFile file;
        std::string error;
        if (!ReadSetupFile(path, file, error, named)) {
            Trouble(Quoted(path) + ": " + error);
            ++unreadable;
            return;
        }
        // A file's problems, each as the line for a person after the file's
        // name and as the cells of a row; most files have none.
        std::vector<std::pair<std::string, std::vector<Cell>>> found;
        if (file.size != static_cast<long long>(CarSetup::kFileSize)) {
            const std::string why = SizeProblem(file.size) +
                                    (file.Complete() ? "; the window reads the first 196" : "");
            found.push_back({"wrong size: " + why, {{path}, {"", Cell::Null}, {why}}});
        }
        if (file.Complete()) {
            ForEachProblem(file.words, [&](const std::string &line) {
                const std::size_t colon = line.find(": ");
                found.push_back(
                    {line, {{path}, {line.substr(0, colon)}, {line.substr(colon + 2)}}});
            });
        }
        if (found.empty()) {
            return;
        }
        ++withProblems;
        const std::string shown = Quoted(path);
        if (namesOnly) {
            rows.Add(shown + '\n', {{path}});
            return;
        }
        for (auto &[line, cells] : found) {
            rows.Add(shown + ": " + line + '\n', std::move(cells));
        }
    };
    for (const std::string &operand : args.operands) {
        struct stat st {};
        if (operand == "-" || ::stat(operand.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
            checkFile(operand, Named::ByUser);
            continue;
        }
        // A folder stands for its setups, in name order so that two runs, or
        // two copies of a folder, read alike.
        std::string folder = operand;
        while (folder.size() > 1 && folder.back() == '/') {
            folder.pop_back();
        }
        FolderLister lister;
        lister.ListFiles(folder + "/" + paths::kSetupWildcard);
        if (lister.error != 0) {
            Trouble(Quoted(operand) + ": cannot be listed (" + std::strerror(lister.error) + ")");
            ++unreadable;
        }
        std::sort(lister.names.begin(), lister.names.end());
        const std::string prefix = folder == "/" ? folder : folder + '/';
        for (const std::string &name : lister.names) {
            checkFile(prefix + name, Named::InFolder);
        }
    }
    const int status = rows.Finish(unreadable ? 2 : withProblems ? 1 : 0);
    std::fflush(stdout);
    std::fprintf(stderr, "%lld %s, %lld with problems%s\n", files, files == 1 ? "file" : "files",
                 withProblems,
                 unreadable ? (", " + std::to_string(unreadable) + " unreadable").c_str() : "");
    return status;
}

int Speeds(const Parsed &args) {
    Format format;
    if (!FormatOf(args, format)) {
        return 2;
    }
    float rpm = kEngineRpm;
    if (args.Has("rpm")) {
        const std::string &text = args.options.at("rpm");
        double value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size() || !(value >= 1) ||
            value > 1e6) {
            return Trouble("--rpm " + text + ": not an engine speed (a number from 1 to 1000000)");
        }
        rpm = static_cast<float>(value);
    }
    std::string chart;
    if (args.Has("chart")) {
        chart = args.options.at("chart");
        const std::size_t dot = chart.rfind('.');
        std::string extension = dot == std::string::npos ? "" : chart.substr(dot + 1);
        for (char &c : extension) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        if (extension != "png" && extension != "svg") {
            return Trouble(Quoted(chart) + ": the chart's name must end in .png or .svg");
        }
    }
    const std::string &path = args.operands[0];
    SetupFile file;
    if (!Load(path, file)) {
        return 2;
    }
    const std::size_t finalWord = static_cast<std::size_t>(WordOfKey("gearFinal"));
    const float finalRatio = RatioOf(file, finalWord);
    Gearbox box{};
    box.rpm = rpm;
    // A ratio the window would not keep (not a number, outside the slider,
    // between its steps) is worked with as the window works with it, but
    // the speeds are then not those of the file's numbers.
    const auto warnOf = [&](std::size_t k) {
        const WindowView view = ViewOf(*SliderOfWord(k), file.words[k]);
        if (view.stored != file.words[k]) {
            std::fprintf(stderr,
                         "vosk-setup: %s: %s holds %s; the speeds use %s, as the window does\n",
                         Quoted(path).c_str(), KeyOfWord(k).c_str(),
                         StoredText(k, file.words[k]).c_str(), StoredText(k, view.stored).c_str());
        }
    };
    warnOf(finalWord);
    for (std::size_t g = 0; g < 6; ++g) {
        const std::size_t k = static_cast<std::size_t>(WordOfKey("gear." + std::to_string(g + 1)));
        warnOf(k);
        box.ratios[g] = RatioOf(file, k);
        box.speeds[g] = ProjectedSpeed(rpm, box.ratios[g], finalRatio, kWheelRadius);
        const Slider &slider = *SliderOfWord(k);
        box.texts[g] = ShownText(slider.rule, ViewOf(slider, file.words[k]).position);
    }
    const Slider &finalSlider = *SliderOfWord(finalWord);
    box.finalText =
        ShownText(finalSlider.rule, ViewOf(finalSlider, file.words[finalWord]).position);
    if (!chart.empty()) {
        std::string error;
        const auto draw =
            ModuleFunctionAs<DrawChartFunction>(kChartModule, "vosk_cli_draw_chart", error);
        if (!draw) {
            return Trouble(error);
        }
        GearingChart data{};
        data.rpm = rpm;
        for (std::size_t g = 0; g < 6; ++g) {
            data.speeds[g] = box.speeds[g];
            data.ratios[g] = box.texts[g].c_str();
        }
        data.finalRatio = box.finalText.c_str();
        const std::string title = path.substr(path.rfind('/') + 1);
        data.title = title.c_str();
        char reason[512] = "";
        if (draw(chart.c_str(), &data, reason, sizeof reason) != 0) {
            return Trouble(Quoted(chart) + ": " + reason);
        }
    }
    Rows rows(format, SpeedColumns());
    AddSpeedRows(box, rows);
    return rows.Finish(0);
}

int List(const Parsed &args) {
    std::string prefix;
    if (!EnterWorkdir(args, prefix)) {
        return 2;
    }
    // Without a setup folder this is no working folder of the simulator.
    const std::string folder(paths::kSetupFolder, std::strlen(paths::kSetupFolder) - 1);
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        return Trouble(Quoted(prefix + folder) + ": " + Unreadable(folder.c_str()));
    }
    FolderLister lister;
    lister.ListFiles(paths::kSetupPattern);
    if (lister.error != 0) {
        return Trouble(Quoted(prefix + folder) + ": cannot be listed (" +
                       std::strerror(lister.error) + ")");
    }
    IniReader conf;
    conf.Load(paths::kActiveSetupFile);
    const std::string name = conf.loaded ? conf.GetString(kActiveSetupSection, kActiveSetupKey)
                                         : paths::kDefaultSetupName;
    int marked = -1;
    for (std::size_t i = 0; i < lister.names.size() && marked < 0; ++i) {
        marked = lister.names[i] == name ? static_cast<int>(i) : -1;
    }
    // Only a name that no entry spells exactly needs the window's matching
    // that ignores letter case, and with it Qt.
    if (marked < 0 && !lister.names.empty() && name != paths::kDefaultSetupName) {
        std::string error;
        const auto find =
            ModuleFunctionAs<FindNameFunction>(kQtModule, "vosk_cli_find_name", error);
        if (!find) {
            return Trouble(error);
        }
        std::vector<const char *> names;
        for (const std::string &entry : lister.names) {
            names.push_back(entry.c_str());
        }
        marked = find(names.data(), names.size(), name.c_str());
    }
    std::string text;
    for (std::size_t i = 0; i < lister.names.size(); ++i) {
        text += (static_cast<int>(i) == marked ? "* " : "  ") + Quoted(lister.names[i]) + '\n';
    }
    Print(text);
    return 0;
}

int Temps(const Parsed &args) {
    bool colour = false;
    std::string prefix;
    if (!UseColour(args, colour) || !EnterWorkdir(args, prefix)) {
        return 2;
    }
    IniReader reader;
    reader.Load(paths::kTyreTemperatureFile);
    if (!reader.loaded) {
        return Trouble(Quoted(prefix + paths::kTyreTemperatureFile) + ": " +
                       Unreadable(paths::kTyreTemperatureFile));
    }
    // The Tyres page's twelve boxes: wheels down, three columns across. The
    // right-hand wheels are seen from the other side of the car, so their
    // outer reading comes first; each reading says which it is.
    std::string texts[4][3];
    long double readings[4][3] = {};
    char sides[4][3] = {};
    for (const TyreReading &reading : kTyreReadings) {
        readings[reading.wheel][reading.column] = reader.GetFloat(kTyreSection, reading.key);
        texts[reading.wheel][reading.column] =
            WholeNumberText(readings[reading.wheel][reading.column]);
        sides[reading.wheel][reading.column] = reading.key[std::strlen(reading.key) - 1];
    }
    std::string out = "tyre temperatures in °C: I inner edge, M middle, O outer edge\n";
    for (int wheel = 0; wheel < 4; ++wheel) {
        out += kWheelLabels[static_cast<std::size_t>(wheel)];
        for (int column = 0; column < 3; ++column) {
            const std::string &text = texts[wheel][column];
            out += std::string("   ") + sides[wheel][column] +
                   std::string(text.size() < 5 ? 6 - text.size() : 1, ' ');
            if (colour && !text.empty()) {
                const long double shown = std::round(readings[wheel][column]);
                out += kHeatColours[HeatBand(shown < -1e18L  ? -1000000000000000000LL
                                             : shown > 1e18L ? 1000000000000000000LL
                                                             : static_cast<long long>(shown))];
                out += text + "\033[0m";
            } else {
                out += text;
            }
        }
        out += '\n';
    }
    if (colour) {
        out += HeatLegend();
    }
    Print(out);
    return 0;
}

} // namespace vosk::cli
