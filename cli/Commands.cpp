#include "Commands.h"

#include "Formats.h"
#include "ModuleApi.h"
#include "Modules.h"
#include "SetupFile.h"
#include "Spacing.h"
#include "Values.h"

#include "core/FileOps.h"
#include "core/FolderLister.h"
#include "core/Gearing.h"
#include "core/IniReader.h"
#include "core/NumberText.h"
#include "core/Paths.h"
#include "core/SetupFields.h"
#include "core/TyreReadings.h"

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
        Trouble(path + ": " + error);
        return false;
    }
    if (!file.Complete()) {
        Trouble(path + ": " + SizeProblem(file.size));
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
        Trouble(dir + ": " + std::strerror(errno));
        return false;
    }
    prefix = dir + (dir.empty() || dir.back() == '/' ? "" : "/");
    return true;
}

// The gear and final ratios as the window holds them after loading the file
// and pressing "calculate": each moved through its slider.
float RatioOf(const SetupFile &file, std::size_t k) {
    const WindowView view = ViewOf(*SliderOfWord(k), file.words[k]);
    float ratio = 0;
    std::memcpy(&ratio, &view.stored, sizeof ratio);
    return ratio;
}

bool ReadText(const std::string &path, std::string &text) {
    // A setup's JSON is about a kilobyte; anything far larger is not one.
    constexpr std::size_t kLimit = 1 << 20;
    const int fd = path == "-" ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return Trouble(path + ": " + std::strerror(errno)) == 0;
    }
    text.clear();
    char chunk[65536];
    ssize_t n = 0;
    while (text.size() <= kLimit && (n = ::read(fd, chunk, sizeof chunk)) != 0) {
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            const int error = errno;
            if (fd != STDIN_FILENO) {
                ::close(fd);
            }
            return Trouble(path + ": " +
                           (error == EISDIR ? "is a folder" : std::strerror(error))) == 0;
        }
        text.append(chunk, static_cast<std::size_t>(n));
    }
    if (fd != STDIN_FILENO) {
        ::close(fd);
    }
    if (text.size() > kLimit) {
        return Trouble(path + ": larger than 1 MiB, not a setup's JSON") == 0;
    }
    return true;
}

// A heat colour for a tyre reading: cold blue through green to hot red.
const char *HeatColour(long long reading) {
    return reading < 60    ? "\033[34m"
           : reading < 75  ? "\033[36m"
           : reading < 90  ? "\033[32m"
           : reading < 105 ? "\033[33m"
                           : "\033[31m";
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
        const char *term = std::getenv("TERM");
        colour = ::isatty(STDOUT_FILENO) && term && std::strcmp(term, "dumb") != 0;
    } else {
        Trouble("--color=" + when + ": WHEN is auto, always or never");
        return false;
    }
    return true;
}

} // namespace

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
    const auto importJson =
        ModuleFunctionAs<ImportJsonFunction>(kQtModule, "vosk_cli_import_json", error);
    if (!importJson) {
        return Trouble(error);
    }
    unsigned char bytes[CarSetup::kFileSize];
    char reason[512] = "";
    if (importJson(text.data(), text.size(), bytes, reason, sizeof reason) != 0) {
        return Trouble(json + ": " + reason);
    }
    const bool force = args.Has("force");
    if (force ? ReplaceFile(out, bytes, sizeof bytes)
              : CreateFileNoReplace(out, bytes, sizeof bytes)) {
        return 0;
    }
    const int writeError = errno;
    struct stat st {};
    if (::stat(out.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        return Trouble(out + (S_ISDIR(st.st_mode) ? ": is a folder" : ": is not a regular file"));
    }
    if (!force && ::lstat(out.c_str(), &st) == 0) {
        return Trouble(out + ": exists; --force replaces it");
    }
    return Trouble(out + ": cannot be written (" + std::strerror(writeError) + ")");
}

int Check(const Parsed &args) {
    Format format;
    if (!FormatOf(args, format)) {
        return 2;
    }
    Rows rows(format, {"file", "key", "problem"});
    bool problem = false, trouble = false;
    const auto checkFile = [&](const std::string &path) {
        SetupFile file;
        std::string error;
        if (!ReadSetupFile(path, file, error)) {
            Trouble(path + ": " + error);
            trouble = true;
            return;
        }
        if (file.size != static_cast<long long>(CarSetup::kFileSize)) {
            problem = true;
            const std::string why = SizeProblem(file.size) +
                                    (file.Complete() ? "; the window reads the first 196" : "");
            rows.Add(path + ": wrong size: " + why + '\n', {{path}, {"", Cell::Null}, {why}});
            if (!file.Complete()) {
                return;
            }
        }
        ForEachProblem(file.words, [&](const std::string &line) {
            problem = true;
            const std::size_t colon = line.find(": ");
            rows.Add(path + ": " + line + '\n',
                     {{path}, {line.substr(0, colon)}, {line.substr(colon + 2)}});
        });
    };
    for (const std::string &operand : args.operands) {
        struct stat st {};
        if (::stat(operand.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
            checkFile(operand);
            continue;
        }
        // A folder stands for its setups, in the order the window lists them.
        std::string folder = operand;
        while (folder.size() > 1 && folder.back() == '/') {
            folder.pop_back();
        }
        FolderLister lister;
        lister.ListFiles(folder + "/*.rvs");
        const std::string prefix = folder == "/" ? folder : folder + '/';
        for (const std::string &name : lister.names) {
            checkFile(prefix + name);
        }
    }
    return rows.Finish(trouble ? 2 : problem ? 1 : 0);
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
        if (error != std::errc() || end != text.data() + text.size() || !(value > 0) ||
            value > 1e6) {
            return Trouble("--rpm " + text +
                           ": not an engine speed (a number above 0, at most 1000000)");
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
            return Trouble(chart + ": the chart's name must end in .png or .svg");
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
    for (std::size_t g = 0; g < 6; ++g) {
        const std::size_t k = static_cast<std::size_t>(WordOfKey("gear." + std::to_string(g + 1)));
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
            return Trouble(chart + ": " + reason);
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
        return Trouble(prefix + folder + ": " + Unreadable(folder.c_str()));
    }
    FolderLister lister;
    lister.ListFiles(paths::kSetupPattern);
    IniReader conf;
    conf.Load(paths::kActiveSetupFile);
    const std::string name =
        conf.loaded ? conf.GetString("ACTIVESETUP", "NAME") : paths::kDefaultSetupName;
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
        text += (static_cast<int>(i) == marked ? "* " : "  ") + lister.names[i] + '\n';
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
        return Trouble(prefix + paths::kTyreTemperatureFile + ": " +
                       Unreadable(paths::kTyreTemperatureFile));
    }
    // The Tyres page's twelve boxes: wheels down, columns I, M, O across.
    std::string texts[4][3];
    long double readings[4][3] = {};
    for (const TyreReading &reading : kTyreReadings) {
        readings[reading.wheel][reading.column] = reader.GetFloat("TEMPS", reading.key);
        texts[reading.wheel][reading.column] =
            WholeNumberText(readings[reading.wheel][reading.column]);
    }
    static const char *const kWheels[] = {"LF", "RF", "LR", "RR"};
    std::string out = "         I       M       O\n";
    for (int wheel = 0; wheel < 4; ++wheel) {
        out += kWheels[wheel];
        for (int column = 0; column < 3; ++column) {
            const std::string &text = texts[wheel][column];
            out += std::string(text.size() < 8 ? 8 - text.size() : 0, ' ');
            if (colour && !text.empty()) {
                const long double shown = std::round(readings[wheel][column]);
                out += HeatColour(shown < -1e18L  ? -1000000000000000000LL
                                  : shown > 1e18L ? 1000000000000000000LL
                                                  : static_cast<long long>(shown));
                out += text + "\033[0m";
            } else {
                out += text;
            }
        }
        out += '\n';
    }
    Print(out);
    return 0;
}

} // namespace vosk::cli
