// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// The data layer against the disk: setup files, folder listings and the careful
// file writes beneath them, in the situations an ordinary user's folder holds.
#include "core/FileOps.h"
#include "core/FolderLister.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <pthread.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace vosk::test;
namespace fs = std::filesystem;

// Each file under tests/data/records is loaded into a defaulted record:
// exactly the first 196 bytes of a "whole-" file, bit for bit, or else the
// defaults, must arrive.
TEST(DataRecord, LoadTakesAWholeRecordOrNothing) {
    ScratchWorkdir work;
    std::vector<fs::path> paths(fs::directory_iterator(VOSK_TEST_DATA "/records"), {});
    paths.insert(paths.end(), {"missing.rvs", VOSK_TEST_DATA "/records", ""});
    for (const fs::path &path : paths) {
        CarSetup setup;
        setup.SetDefaults();
        const std::string defaults = Bytes(setup);
        setup.Load(path);
        const bool whole = path.filename().string().rfind("whole-", 0) == 0;
        EXPECT_EQ(Bytes(setup), whole ? ReadFile(path).substr(0, 196) : defaults) << path;
    }
}

namespace {

using vosk::CreateFileNoReplace, vosk::ReplaceFile, vosk::ReplaceFileIfChanged;

// The old bytes begin with the new ones, so a writer that compares or writes
// only a prefix is caught, and the NUL and CR LF catch one that reads text.
const std::string kNew("new\0bytes\r\n", 11), kOld = kNew + "and the old ones after them";

// A row of tests/data/saving/situations.txt, which tells its columns.
struct Situation {
    std::string name, steps, save, how;
    mode_t mode;
    std::string path, target, temps, who;
    friend void PrintTo(const Situation &row, std::ostream *os) { *os << row.name; }
};

std::vector<Situation> Situations() {
    std::vector<Situation> rows;
    for (const auto &f : Table(VOSK_TEST_DATA "/saving/situations.txt", 9)) {
        const auto mode = static_cast<mode_t>(std::stoi(f[4], nullptr, 8));
        rows.push_back({f[0], f[1], f[2], f[3], mode, f[5], f[6] == "-" ? "" : f[6], f[7], f[8]});
    }
    return rows;
}

// Makes what the steps of a situation name, in order.
void Prepare(const Situation &row) {
    std::istringstream steps(row.steps);
    for (std::string step; std::getline(steps, step, ';');) {
        std::string verb, a, b, bytes;
        std::istringstream(step) >> verb >> a >> b >> bytes;
        if (verb == "put") {
            WriteFile(a, bytes == "new" ? kNew : bytes.empty() ? kOld : kNew.substr(0, 10) + 'x');
        }
        if (verb == "put" || verb == "chmod") {
            ::chmod(a.c_str(), static_cast<mode_t>(std::stoi(b, nullptr, 8)));
        } else if (verb == "dir") {
            MakeDirs(a);
        } else if (verb == "fifo") {
            ::mkfifo(a.c_str(), 0644);
        } else if (verb == "link" || verb == "abslink") {
            fs::create_symlink(verb == "link" ? fs::path(a) : fs::absolute(a), b);
        } else if (verb == "hardlink") {
            fs::create_hard_link(a, b);
        } else if (verb == "nobody") { // the user and group of Debian
            (void)::chown(a.c_str(), 65534, 65534);
        } else if (verb == "bind" && ::mount(a.c_str(), b.c_str(), nullptr, MS_BIND, nullptr)) {
            throw std::runtime_error("cannot bind-mount a file here");
        } else if (verb == "fsize") {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit full{std::stoul(a), std::stoul(a)};
            ::setrlimit(RLIMIT_FSIZE, &full);
        } else if (verb != "bind" && !verb.empty()) {
            throw std::runtime_error("no step " + step);
        }
    }
}

bool Save(const Situation &row) {
    if (row.save == "copy") {
        return vosk::CopyFileNoReplace("t/from.rvs", row.path);
    }
    const auto write = row.save == "create"    ? CreateFileNoReplace
                       : row.save == "replace" ? ReplaceFile
                                               : ReplaceFileIfChanged;
    return write(row.path, kNew.data(), kNew.size());
}

std::string Describe(const std::string &how, const std::string &bytes, bool link, mode_t mode,
                     const std::string &temps, long leaked = 0) {
    std::ostringstream text;
    text << how << ", " << bytes << " bytes, " << (link ? "" : "no ") << "link, mode " << std::oct
         << mode << ", " << temps << " temporary files, " << std::dec << leaked
         << " descriptors left open";
    return text.str();
}

long OpenDescriptors() {
    return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
}

// Runs as the user in their folder: sets the situation up, saves, and
// describes what the disk then holds.
std::string Observe(const Situation &row) {
    MakeDirs("s");
    MakeDirs("t");
    if (row.who == "user") {
        Prepare(row);
    }
    const char *target = (row.target.empty() ? row.path : row.target).c_str();
    std::error_code unusual; // a link loop, or a file with no stat at all
    const auto read = [&] { return fs::is_regular_file(target, unusual) ? ReadFile(target) : ""; };
    struct stat before = {}, after = {}, link = {};
    const bool existed = ::stat(target, &before) == 0;
    const std::string old = read();
    // Saved as by a host started without standard input, so that the save's
    // own files may get descriptor 0, and with errno left over from an
    // earlier failure, which the save must neither act on nor report.
    const int input = ::fcntl(0, F_DUPFD_CLOEXEC, 3);
    ::close(0);
    const long open = OpenDescriptors();
    errno = EOPNOTSUPP;
    const bool saved = Save(row);
    const char *error = ::strerrorname_np(errno);
    const long leaked = OpenDescriptors() - open;
    if (input >= 0) {
        ::dup2(input, 0);
        ::close(input);
    }
    const bool exists = ::stat(target, &after) == 0;
    std::string how = !saved                          ? error ? error : "errno 0"
                      : !existed                      ? "created"
                      : after.st_ino == before.st_ino ? "same file"
                                                      : "replaced";
    how += existed && after.st_uid != before.st_uid ? " by a new owner" : "";
    std::string bytes = read();
    bytes = bytes == kNew ? "new" : bytes == old ? "old" : "other: " + bytes;
    int temps = 0;
    for (const auto &entry : fs::recursive_directory_iterator(".")) {
        temps += entry.path().filename().string().find(".tmp-") != std::string::npos;
    }
    ::chmod("s", 0755); // lets a user who is not root clean up
    return Describe(how, bytes, ::lstat(row.path.c_str(), &link) == 0 && S_ISLNK(link.st_mode),
                    exists ? after.st_mode & 07777 : 0, std::to_string(temps), leaked);
}

using DataSaving = ::testing::TestWithParam<Situation>;

// The names of folder's entries that are wanted or begin with "z", in the
// order the file system returns them.
std::vector<std::string> InFolderOrder(const std::string &folder, std::set<std::string> wanted) {
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename();
        if (wanted.erase(name) || name[0] == 'z') {
            names.push_back(name);
        }
    }
    EXPECT_TRUE(wanted.empty()) << *wanted.begin() << " was never made";
    return names;
}

} // namespace

// Root ignores permission bits, so the user's part of a situation plays out
// as an ordinary user, in a child process.
TEST_P(DataSaving, EndsAsTheSituationRequires) {
    const Situation &row = GetParam();
    ScratchWorkdir work;
    try {
        if (row.who != "user") {
            ::geteuid() == 0 ? Prepare(row) : throw std::runtime_error("only root can make this");
        }
    } catch (const std::exception &e) {
        GTEST_SKIP() << e.what();
    }
    const auto observe = [&row] { return Observe(row); };
    const std::optional<std::string> seen =
        row.who == "root" ? observe() : AsUser(work.path(), observe);
    ::umount2("s/x.rvs", MNT_DETACH); // a bind mount, if the situation made one
    if (!seen) {
        GTEST_SKIP() << "running as root with no user \"nobody\" to drop to";
    }
    EXPECT_EQ(*seen, Describe(row.how, row.how[0] == 'E' ? "old" : "new", !row.target.empty(),
                              row.mode, row.temps));
}

INSTANTIATE_TEST_SUITE_P(Data, DataSaving, ::testing::ValuesIn(Situations()),
                         [](const auto &row) { return row.param.name; });

// A dozen more wanted entries make a sorted listing unlikely to pass. One
// lister serves every call, so a list that kept earlier names would show.
TEST(DataListing, ListsMatchingFilesAndDotlessFoldersInFileSystemOrder) {
    ScratchWorkdir work;
    // A name ending in "/" is a folder.
    for (const std::string name :
         {"s/a.rvs", "s/.rvs", "s/\xff\xfe.rvs", "s/notes.txt", "s/UPPER.RVS", "s/rvs",
          "s/a.rvs.tmp-x1Yz2Q", "s/old.rvs/", "skins/red/", "skins/blue/", "skins/race.old/",
          "skins/readme", "t/", "top.rvs"}) {
        name.back() == '/' ? MakeDirs(name) : WriteFile(name, "");
    }
    fs::create_directory_symlink("old.rvs", "s/linked.rvs");
    fs::create_directory_symlink("../t", "skins/linked");
    fs::create_symlink("nowhere", "skins/dangling");
    for (int i = 0; i < 12; ++i) {
        WriteFile("s/z" + std::to_string(i * 7 % 12) + ".rvs", "");
        MakeDirs("skins/z" + std::to_string(i * 7 % 12));
    }
    FolderLister lister;
    lister.ListFolders("skins");
    EXPECT_EQ(lister.names, InFolderOrder("skins", {"red", "blue", "linked"}));
    lister.ListFiles("s/*.rvs");
    EXPECT_EQ(lister.names, InFolderOrder("s", {"a.rvs", ".rvs", "\xff\xfe.rvs"}));
    lister.ListFolders("missing");
    EXPECT_TRUE(lister.names.empty());
    lister.ListFiles("*.rvs"); // no folder part: the current folder
    EXPECT_EQ(lister.names, std::vector<std::string>{"top.rvs"});
    lister.ListFiles("missing/*.rvs");
    EXPECT_TRUE(lister.names.empty());
}

// A pipe whose writer delivers late, read while signals keep interrupting the
// reader (a handler without automatic restart, as a program with its own
// handlers has): every byte arrives, and the pipe's end ends the read, whether
// the reader's end blocks or came non-blocking.
TEST(DataReading, ALatePipeArrivesWholeThroughSignals) {
    struct sigaction tick {};
    tick.sa_handler = [](int) {};
    struct sigaction before {};
    ASSERT_EQ(::sigaction(SIGUSR1, &tick, &before), 0);
    std::string sent;
    for (int i = 0; i < 3000; ++i) {
        sent += static_cast<char>(i * 7);
    }
    for (const int flags : {0, O_NONBLOCK}) {
        int fds[2];
        ASSERT_EQ(::pipe2(fds, flags), 0);
        const pthread_t reader = ::pthread_self();
        std::atomic<bool> done{false};
        std::thread interrupter([&] {
            while (!done) {
                ::pthread_kill(reader, SIGUSR1);
                std::this_thread::sleep_for(std::chrono::microseconds(300));
            }
        });
        std::thread writer([&] {
            for (std::size_t at = 0; at < sent.size(); at += 1000) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                (void)!::write(fds[1], sent.data() + at, 1000);
            }
            ::close(fds[1]);
        });
        std::string got(sent.size() + 1, '\0');
        int error = 0;
        const std::size_t n = vosk::ReadUpTo(fds[0], got.data(), got.size(), error);
        done = true;
        writer.join();
        interrupter.join();
        ::close(fds[0]);
        EXPECT_EQ(error, 0) << flags;
        EXPECT_TRUE(n == sent.size() && got.compare(0, n, sent) == 0) << n << " bytes, " << flags;
    }
    ::sigaction(SIGUSR1, &before, nullptr);
}
