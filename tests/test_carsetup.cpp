#include "setup/CarSetup.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <sys/resource.h>

using namespace vosk::test;

namespace {

template <typename T> std::uint32_t Bits(const T &word) {
    std::uint32_t value = 0;
    std::memcpy(&value, &word, 4);
    return value;
}

std::uint32_t WordAt(const std::string &bytes, int word) {
    return Bits(bytes[4 * word]); // the four bytes from there on
}

// No two words alike, and float words that a copy through float arithmetic
// could alter: a signalling NaN with payload (gear 1st), negative zero
// (camber LF) and a denormal (fuel).
std::string OddRecord() {
    std::string bytes(CarSetup::kFileSize, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(i * 37 + 11);
    }
    for (auto [word, value] : {std::pair{25, 0x7FA00001u}, {33, 0x80000000u}, {45, 1u}}) {
        std::memcpy(&bytes[4 * static_cast<std::size_t>(word)], &value, 4);
    }
    return bytes;
}

std::string Saved(const CarSetup &setup) {
    setup.Save("saved.rvs");
    return ReadFile("saved.rvs");
}

long EntryCount(const std::string &folder) {
    return std::distance(std::filesystem::directory_iterator(folder), {});
}

} // namespace

TEST(CarSetup, RoundTripKeepsEveryBitOfTheFirst196Bytes) {
    ScratchWorkdir work;
    WriteFile("odd.rvs", OddRecord() + "bytes after the record");
    WriteFile("saved.rvs", std::string(1000, 'x'));
    CarSetup setup;
    setup.Load("odd.rvs");
    EXPECT_EQ(Bits(setup.steerRatio), WordAt(OddRecord(), 32));
    EXPECT_EQ(Bits(setup.gear[0]), 0x7FA00001u);
    EXPECT_EQ(Bits(setup.camber[0]), 0x80000000u);
    EXPECT_EQ(Bits(setup.fuel), 1u);
    EXPECT_EQ(Saved(setup), OddRecord());
}

TEST(CarSetup, DefaultsHaveExactBitPatternsAndKeepGearingAndTail) {
    ScratchWorkdir work;
    EXPECT_EQ(Saved(CarSetup()), std::string(CarSetup::kFileSize, '\0'));
    const std::uint32_t pad = 0x3E99999A, disc = 0x43960000, ten = 0x41200000, kept = ~0u;
    // clang-format off
    const std::uint32_t defaults[49] = {
        16, 75, pad, pad, pad, pad, disc, disc, disc, disc, 10, 8,  // wing, bias, pads, discs, bars
        140, 140, 130, 130, 3, 3, 3, 3, 2, 2, 2, 2, 0,              // springs, dampers, reserved0
        kept, kept, kept, kept, kept, kept, kept, 10,               // gears, final drive, steering
        0, 0, 0, 0, 0, 0, 0, 0, ten, ten, ten, ten, 0x41F00000,     // camber, reserved, fuel
        kept, kept, kept};
    // clang-format on
    WriteFile("odd.rvs", OddRecord());
    CarSetup fresh, loaded;
    fresh.SetDefaults();
    loaded.Load("odd.rvs");
    loaded.SetDefaults();
    const std::string freshBytes = Saved(fresh), loadedBytes = Saved(loaded);
    for (int w = 0; w < 49; ++w) {
        const bool isKept = defaults[w] == kept;
        EXPECT_EQ(WordAt(freshBytes, w), isKept ? 0u : defaults[w]) << "word " << w;
        EXPECT_EQ(WordAt(loadedBytes, w), isKept ? WordAt(OddRecord(), w) : defaults[w])
            << "word " << w;
    }
}

TEST(CarSetup, FailedLoadLeavesTheRecordUnchanged) {
    ScratchWorkdir work;
    WriteFile("short.rvs", OddRecord().substr(0, 195));
    MakeDirs("folder.rvs");
    CarSetup setup;
    setup.SetDefaults();
    const std::string before = Saved(setup);
    for (const char *path : {"missing.rvs", "short.rvs", "folder.rvs", ""}) {
        setup.Load(path);
        EXPECT_EQ(Saved(setup), before) << path;
    }
}

TEST(CarSetup, FailedSaveLeavesWhatWasThereAndNoTemporaryFile) {
    ScratchWorkdir work;
    MakeDirs("setup/taken.rvs");
    WriteFile("setup/old.rvs", "old bytes");
    CarSetup setup;
    for (const char *path : {"setup/taken.rvs", "setup/", "missing/new.rvs"}) {
        setup.Save(path);
        EXPECT_EQ(EntryCount("setup"), 2) << path;
        EXPECT_TRUE(std::filesystem::is_directory("setup/taken.rvs")) << path;
    }
    EXPECT_FALSE(Exists("missing"));

    // A disk that fills up half-way: the file size limit stops the write
    // after 100 bytes, even for a privileged user.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small{100, saved.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    setup.Save("setup/old.rvs");
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(ReadFile("setup/old.rvs"), "old bytes");
    EXPECT_EQ(EntryCount("setup"), 2);
}
