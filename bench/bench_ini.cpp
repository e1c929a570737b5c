// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// Reading the twelve tyre temperatures, against one read of the file and a
// plain search for each key.
#include "Bench.h"

#include "core/CarFiles.h"
#include "core/IniReader.h"

#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace vosk::bench {
namespace {

const std::vector<std::string> &TyreKeys() {
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> k;
        for (const TyreReading &reading : kTyreReadings) {
            k.push_back(reading.key);
        }
        return k;
    }();
    return keys;
}

// The least the readout can do: read the file once, find each key with
// memmem and convert the number after its "=".
double BareTyreReadout(const char *path) {
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    struct stat st {};
    std::string text;
    if (::fstat(fd, &st) == 0) {
        text.resize(static_cast<std::size_t>(st.st_size));
        text.resize(
            static_cast<std::size_t>(std::max<ssize_t>(0, ::read(fd, text.data(), text.size()))));
    }
    ::close(fd);
    double sum = 0;
    for (const std::string &key : TyreKeys()) {
        const void *at = ::memmem(text.data(), text.size(), key.data(), key.size());
        if (at) {
            sum += std::strtod(static_cast<const char *>(at) + key.size() + 1, nullptr);
        }
    }
    return sum;
}

double TyreReadout(const char *path) {
    IniReader reader;
    reader.Load(path);
    double sum = 0;
    if (reader.loaded) {
        for (const std::string &key : TyreKeys()) {
            sum += static_cast<double>(reader.GetFloat(kTyreSection, key));
        }
    }
    return sum;
}

void IniReaderTyres(benchmark::State &state) {
    const auto bytes = static_cast<std::size_t>(state.range(0));
    const InFolder in(TyreWorkdirPath(bytes));
    if (TyreReadout(paths::kTyreTemperatureFile) != BareTyreReadout(paths::kTyreTemperatureFile) ||
        TyreReadout(paths::kTyreTemperatureFile) <= 0) {
        state.SkipWithError("the reader and the bare search disagree on the temperatures");
        return;
    }
    Paired(
        state, [] { benchmark::DoNotOptimize(TyreReadout(paths::kTyreTemperatureFile)); },
        [] { benchmark::DoNotOptimize(BareTyreReadout(paths::kTyreTemperatureFile)); },
        bytes >= (1 << 20) ? 2.0 : 0);
}
BENCHMARK(IniReaderTyres)
    ->ArgName("bytes")
    ->Arg(4 << 10)
    ->Arg(1 << 20)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace vosk::bench
