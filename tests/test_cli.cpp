// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// vosk-setup run as people run it: each case of tests/data/cli/cases.txt is
// a shell command in a fresh folder, and what it prints and its exit status
// must equal the expected files beside the table.
#include "support/Table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const fs::path kData = fs::path(VOSK_TEST_DATA) / "cli";

std::string Read(const fs::path &path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

// Output names files by the data folder's path; the expected files say $DATA.
// A coverage build's program run as another user complains that it cannot
// write its counts; those lines are the build's, not the program's.
std::string Portable(std::string text) {
    for (std::size_t at; (at = text.find("profiling:")) != std::string::npos;) {
        text.erase(at, text.find('\n', at) + 1 - at);
    }
    const std::string data = kData.string();
    for (auto at = text.find(data); at != std::string::npos; at = text.find(data, at)) {
        text.replace(at, data.size(), "$DATA");
    }
    return text;
}

// A row of cases.txt: name, exit status, command.
class Cli : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(Cli, PrintsAndExitsAsExpected) {
    const std::string &name = GetParam()[0], &command = GetParam()[2];
    const fs::path scratch =
        fs::temp_directory_path() / ("vosk-cli-test-" + std::to_string(getpid()) + "-" + name);
    const fs::path work = scratch / "work";
    fs::remove_all(scratch);
    fs::create_directories(work);
    const int raw = std::system(
        ("cd '" + work.string() + "' && (" + command + ") >../stdout.txt 2>../stderr.txt").c_str());
    ASSERT_TRUE(WIFEXITED(raw)) << command;
    EXPECT_EQ(WEXITSTATUS(raw), std::stoi(GetParam()[1])) << command;
    for (const char *stream : {"out", "err"}) {
        const std::string got = Portable(Read(scratch / ("std" + std::string(stream) + ".txt")));
        const fs::path expected = kData / "expected" / (name + "." + stream);
        if (std::getenv("VOSK_BLESS") && !got.empty()) {
            std::ofstream(expected, std::ios::binary) << got; // writes new expected files
        }
        EXPECT_EQ(got, Read(expected)) << command;
    }
    fs::remove_all(scratch);
}

INSTANTIATE_TEST_SUITE_P(Cases, Cli, ::testing::ValuesIn(vosk::test::Table(kData / "cases.txt", 3)),
                         [](const auto &row) {
                             std::string name = row.param[0];
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

} // namespace

int main(int argc, char **argv) {
    const std::string program = VOSK_CLI;
    const std::string path = program.substr(0, program.rfind('/')) + ":" + std::getenv("PATH");
    // The cases see the program under test first, and nothing of the user's.
    setenv("PATH", path.c_str(), 1);
    setenv("DATA", kData.c_str(), 1);
    setenv("HOME", fs::temp_directory_path().c_str(), 1);
    setenv("GIT_CONFIG_NOSYSTEM", "1", 1);
    setenv("LC_ALL", "C.UTF-8", 1);
    unsetenv("TERM");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
