// The data layer on its own: setup files, key-value files, folder listings
// and the careful file writes beneath them, which one window case follows
// from the "ok" button to the disk.
#include "core/FileOps.h"
#include "core/FolderLister.h"
#include "core/IniReader.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <clocale>
#include <csignal>
#include <cstring>
#include <optional>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

using namespace vosk::test;
namespace fs = std::filesystem;

namespace {

std::uint32_t WordAt(const std::string &bytes, std::size_t word) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + 4 * word, 4);
    return value;
}

// No two words alike, and float words that a copy through float arithmetic
// would alter: a signalling NaN (gear 1st), negative zero (camber LF) and a
// denormal (fuel).
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

// Every test works in a fresh empty folder.
class Data : public ::testing::Test {
    ScratchWorkdir work;
};
using DataRecord = Data;
using DataFileOps = Data;
using DataIni = Data;
using DataListing = Data;

} // namespace

TEST_F(DataRecord, LoadAndSaveKeepEveryBitOfTheFirst196Bytes) {
    WriteFile("odd.rvs", OddRecord() + "bytes after the record");
    WriteFile("record.bin", std::string(1000, 'x')); // saved over below
    CarSetup setup;
    setup.Load("odd.rvs");
    EXPECT_EQ(Bytes(setup), OddRecord());
}

TEST_F(DataRecord, DefaultsHaveExactBitPatternsAndKeepGearingAndTail) {
    EXPECT_EQ(Bytes(CarSetup()), std::string(CarSetup::kFileSize, '\0'));
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
    const std::string freshBytes = Bytes(fresh), loadedBytes = Bytes(loaded);
    for (std::size_t w = 0; w < 49; ++w) {
        const bool isKept = defaults[w] == kept;
        EXPECT_EQ(WordAt(freshBytes, w), isKept ? 0u : defaults[w]) << "word " << w;
        EXPECT_EQ(WordAt(loadedBytes, w), isKept ? WordAt(OddRecord(), w) : defaults[w])
            << "word " << w;
    }
}

TEST_F(DataRecord, AFailedLoadLeavesTheRecordAsItWas) {
    WriteFile("short.rvs", OddRecord().substr(0, 195));
    MakeDirs("folder.rvs");
    CarSetup setup;
    setup.SetDefaults();
    const std::string before = Bytes(setup);
    for (const char *path : {"missing.rvs", "short.rvs", "folder.rvs", ""}) {
        setup.Load(path);
        EXPECT_EQ(Bytes(setup), before) << path;
    }
}

TEST_F(DataRecord, AFailedSaveLeavesWhatWasThereAndNoTemporaryFile) {
    MakeDirs("setup/taken.rvs");
    WriteFile("setup/old.rvs", "old bytes");
    const std::set<std::string> before = Entries("setup");
    CarSetup setup;
    for (const char *path : {"setup/taken.rvs", "setup/", "missing/new.rvs"}) {
        setup.Save(path);
        EXPECT_EQ(Entries("setup"), before) << path;
    }
    EXPECT_TRUE(fs::is_directory("setup/taken.rvs"));
    EXPECT_FALSE(Exists("missing"));
    // A disk that fills up half-way: the file size limit stops the write
    // after 100 bytes, even for a privileged user.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit small{100, saved.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    setup.Save("setup/old.rvs");
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(ReadFile("setup/old.rvs"), "old bytes");
    EXPECT_EQ(Entries("setup"), before);
}

TEST_F(DataFileOps, CopyFileNoReplaceCopiesEveryByteOrNothing) {
    const std::string bytes("a\0b\r\nc", 6);
    WriteFile("setup/a.rvs", bytes);
    WriteFile("setup/b.rvs", "keep");
    MakeDirs("setup/folder.rvs");
    fs::create_symlink("nowhere.rvs", "setup/dangling.rvs");
    EXPECT_TRUE(vosk::CopyFileNoReplace("setup/a.rvs", "setup/c.rvs"));
    EXPECT_EQ(ReadFile("setup/c.rvs"), bytes);
    const std::set<std::string> before = Entries("setup");
    for (const auto &[from, to] : {std::pair{"setup/a.rvs", "setup/b.rvs"},
                                   {"setup/a.rvs", "setup/dangling.rvs"},
                                   {"setup/folder.rvs", "setup/d.rvs"},
                                   {"setup/a.rvs", "gone/d.rvs"}}) {
        EXPECT_FALSE(vosk::CopyFileNoReplace(from, to)) << from << " to " << to;
    }
    EXPECT_EQ(ReadFile("setup/b.rvs"), "keep");
    EXPECT_EQ(Entries("setup"), before);
    EXPECT_FALSE(Exists("gone"));
}

// Only a file that already holds exactly the new bytes stays the same file;
// every other one ends up holding them.
TEST_F(DataFileOps, ReplaceFileIfChangedLeavesOnlyAnIdenticalFileAlone) {
    const auto inode = [] {
        struct stat st {};
        return ::stat("conf.ini", &st) == 0 ? st.st_ino : 0;
    };
    for (const char *before : {"NAME=a", "NAME=b", "NAME=ab", static_cast<const char *>(nullptr)}) {
        std::remove("conf.ini");
        if (before) {
            WriteFile("conf.ini", before);
        }
        const ino_t old = inode();
        EXPECT_TRUE(vosk::ReplaceFileIfChanged("conf.ini", "NAME=a", 6));
        EXPECT_EQ(ReadFile("conf.ini"), "NAME=a");
        const bool same = before && std::string(before) == "NAME=a";
        EXPECT_EQ(inode() == old, same) << (before ? before : "no file");
    }
}

namespace {

const std::string kOld = "old bytes, longer than the new ones\n", kNew = "new bytes";
using Writer = bool (*)(const std::string &, const void *, std::size_t);
enum class How { kFailed, kReplaced, kInPlace, kCreated };

// A situation a save meets on an ordinary user's disk, in a folder of theirs
// holding s/ (where the saved name is) and t/ (where links point), and how
// the save must end.
struct Situation {
    const char *name;
    std::function<void()> prepare;
    Writer write;
    const char *path;   // the name saved under; a link when target differs
    const char *target; // where the bytes belong
    How how;
    mode_t mode;   // the target's permission bits afterwards; 0: no file there
    int temps = 0; // temporary files left anywhere
};
void PrintTo(const Situation &row, std::ostream *os) {
    *os << row.name;
}

void Old(const char *path, mode_t mode) {
    WriteFile(path, kOld);
    ::chmod(path, mode);
}
void Link(const std::string &to, const char *path) {
    fs::create_symlink(to, path);
}
void Seal(const char *folder) {
    ::chmod(folder, 0555);
}
// A temporary file of s/x.rvs, named as process pid names its own.
void TempOf(pid_t pid) {
    WriteFile("s/x.rvs.tmp-" + std::to_string(pid) + "-a1B2c3", kOld);
}
pid_t EndedProcess() {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::_exit(0);
    }
    ::waitpid(pid, nullptr, 0);
    return pid;
}

std::string Describe(How how, const std::string &bytes, bool link, mode_t mode, int temps) {
    const char *hows[] = {"failed", "replaced", "written in place", "created"};
    std::ostringstream text;
    text << hows[static_cast<int>(how)] << ", " << bytes << " bytes, " << (link ? "" : "no ")
         << "link, mode " << std::oct << mode << ", " << temps << " temporary files";
    return text.str();
}

// Runs as the user in their folder: sets the situation up, saves, and
// describes what the disk then holds.
std::string Observe(const Situation &row) {
    MakeDirs("s");
    MakeDirs("t");
    row.prepare();
    struct stat before = {}, after = {}, link = {};
    const bool existed = ::stat(row.target, &before) == 0;
    const std::string old = ReadFile(row.target);
    const bool saved = row.write(row.path, kNew.data(), kNew.size());
    const bool exists = ::stat(row.target, &after) == 0;
    const How how = !saved                          ? How::kFailed
                    : !existed                      ? How::kCreated
                    : after.st_ino == before.st_ino ? How::kInPlace
                                                    : How::kReplaced;
    std::string bytes = ReadFile(row.target);
    bytes = bytes == kNew ? "new" : bytes == old ? "old" : "other: " + bytes;
    int temps = 0;
    for (const auto &entry : fs::recursive_directory_iterator(".")) {
        temps += entry.path().filename().string().find(".tmp-") != std::string::npos;
    }
    ::chmod("s", 0755); // lets a user who is not root clean up
    return Describe(how, bytes, ::lstat(row.path, &link) == 0 && S_ISLNK(link.st_mode),
                    exists ? after.st_mode & 07777 : 0, temps);
}

using DataSaving = ::testing::TestWithParam<Situation>;

// clang-format off
const Situation kSituations[] = {
    {"SetupLinkLeavingASealedFolder",
     [] { Old("t/x.rvs", 0640); Link("../t/x.rvs", "s/x.rvs"); Seal("s"); },
     vosk::ReplaceFile, "s/x.rvs", "t/x.rvs", How::kReplaced, 0640},
    {"ConfIniLinkChain",
     [] { Old("t/conf.ini", 0644); Link("../t/hop.ini", "s/conf.ini"); Link("conf.ini", "t/hop.ini"); },
     vosk::ReplaceFileIfChanged, "s/conf.ini", "t/conf.ini", How::kReplaced, 0644},
    {"CfgIniAbsoluteLink",
     [] { Old("t/cfg.ini", 0600); Link(fs::absolute("t/cfg.ini"), "cfg.ini"); },
     vosk::ReplaceFileIfChanged, "cfg.ini", "t/cfg.ini", How::kReplaced, 0600},
    {"DanglingLinkGetsItsTarget", [] { Link("../t/x.rvs", "s/x.rvs"); },
     vosk::ReplaceFile, "s/x.rvs", "t/x.rvs", How::kCreated, 0644},
    {"LinkLoop", [] { Link("b.rvs", "s/a.rvs"); Link("a.rvs", "s/b.rvs"); },
     vosk::ReplaceFile, "s/a.rvs", "s/b.rvs", How::kFailed, 0},
    {"ReadOnlyFile", [] { Old("s/x.rvs", 0444); },
     vosk::ReplaceFile, "s/x.rvs", "s/x.rvs", How::kFailed, 0444},
    {"WritableFileInASealedFolder", [] { Old("s/x.rvs", 0664); Seal("s"); },
     vosk::ReplaceFile, "s/x.rvs", "s/x.rvs", How::kInPlace, 0664},
    {"PermissionBitsKept", [] { Old("s/x.rvs", 0660); },
     vosk::ReplaceFile, "s/x.rvs", "s/x.rvs", How::kReplaced, 0660},
    {"OnlyTemporariesOfEndedProcessesRemoved",
     [] { Old("s/x.rvs", 0644); TempOf(EndedProcess()); TempOf(::getpid()); },
     vosk::ReplaceFile, "s/x.rvs", "s/x.rvs", How::kReplaced, 0644, 1},
    {"NewOntoAFile", [] { Old("s/x.rvs", 0640); },
     vosk::CreateFileNoReplace, "s/x.rvs", "s/x.rvs", How::kFailed, 0640},
    {"NewOntoADanglingLink", [] { Link("../t/x.rvs", "s/x.rvs"); },
     vosk::CreateFileNoReplace, "s/x.rvs", "t/x.rvs", How::kFailed, 0},
    {"NewFile", [] {},
     vosk::CreateFileNoReplace, "s/x.rvs", "s/x.rvs", How::kCreated, 0644},
};
// clang-format on

} // namespace

// Root ignores permission bits, so each situation plays out as an ordinary
// user, in a child process.
TEST_P(DataSaving, EndsAsTheSituationRequires) {
    const Situation &row = GetParam();
    ScratchWorkdir work;
    const std::optional<std::string> seen = AsUser(work.path(), [&row] { return Observe(row); });
    if (!seen) {
        GTEST_SKIP() << "running as root with no user \"nobody\" to drop to";
    }
    EXPECT_EQ(*seen, Describe(row.how, row.how == How::kFailed ? "old" : "new",
                              std::string(row.path) != row.target, row.mode, row.temps));
}

INSTANTIATE_TEST_SUITE_P(Data, DataSaving, ::testing::ValuesIn(kSituations),
                         [](const auto &row) { return std::string(row.param.name); });

// The whole road from the window: "ok" saves the setup, and closing writes
// the active-setup file, each through the link that stands in its place.
using DataWindow = WindowTest;
TEST_F(DataWindow, OkSavesThroughLinkedFiles) {
    WriteFile("shared/fast.rvs", Bytes(SetupWithSpring(100)));
    WriteFile("shared/conf.ini", "[ACTIVESETUP]\r\nNAME=fast.rvs\r\n");
    MakeDirs(kSetupDir);
    fs::create_symlink("../../../shared/fast.rvs", kSetupDir + "fast.rvs");
    fs::create_symlink("../../../shared/conf.ini", kConf);
    TfrmMain *window = frame.Open();
    Move(window, "trkSpringRF", 150);
    Click(window, "butOk");
    CarSetup saved;
    saved.Load("shared/fast.rvs");
    EXPECT_EQ(saved.spring[1], 150);
    EXPECT_EQ(ReadFile("shared/conf.ini"), ConfFor("fast.rvs"));
    EXPECT_TRUE(fs::is_symlink(kSetupDir + "fast.rvs") && fs::is_symlink(kConf));
}

TEST_F(DataIni, GetFloatTakesTheLeadingNumberWithADotWhateverTheLocale) {
    WriteFile("of", "[TEMPS]\r\nA= 85.5 deg\r\nB=abc\r\nC=85,5\r\nD=-1.5e2x\r\n");
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    // The user's locale may use a decimal comma; tools/install-deps.sh makes one.
    for (const char *locale : {"C", "de_DE.UTF-8"}) {
        if (!std::setlocale(LC_NUMERIC, locale)) {
            std::setlocale(LC_NUMERIC, previous.c_str());
            GTEST_SKIP() << "the decimal-comma half needs the locale " << locale;
        }
        IniReader reader;
        reader.Load("of");
        const std::pair<const char *, long double> numbers[] = {
            {"A", 85.5L}, {"B", 0.0L}, {"C", 85.0L}, {"D", -150.0L}, {"ABSENT", 0.0L}};
        for (const auto &[key, expected] : numbers) {
            EXPECT_EQ(reader.GetFloat("TEMPS", key), expected) << key << " in " << locale;
        }
    }
    std::setlocale(LC_NUMERIC, previous.c_str());
}

TEST_F(DataIni, AFailedLoadKeepsTheEarlierText) {
    WriteFile("good.ini", "[S]\r\nA=1\r\n");
    MakeDirs("folder.ini");
    IniReader reader;
    reader.Load("good.ini");
    for (const char *bad : {"missing.ini", "folder.ini"}) {
        reader.Load(bad);
        EXPECT_FALSE(reader.loaded) << bad;
        EXPECT_EQ(reader.GetString("S", "A"), "1") << bad;
    }
}

namespace {

// Lists folder and holds the result against a raw read of it: exactly the
// wanted names, in the file system's order. A dozen more wanted entries make
// a sorted listing unlikely to pass.
void ExpectListing(const std::string &folder, bool folders, std::set<std::string> wanted) {
    for (int i = 0; i < 12; ++i) {
        const std::string name = "z" + std::to_string(i * 7 % 12) + (folders ? "" : ".rvs");
        folders ? MakeDirs(folder + "/" + name) : WriteFile(folder + "/" + name, "");
        wanted.insert(name);
    }
    std::vector<std::string> raw;
    for (const auto &entry : fs::directory_iterator(folder)) {
        if (wanted.count(entry.path().filename())) {
            raw.push_back(entry.path().filename());
        }
    }
    FolderLister lister;
    folders ? lister.ListFolders(folder) : lister.ListFiles(folder + "/*.rvs");
    EXPECT_EQ(lister.names, raw);
    EXPECT_EQ(lister.names.size(), wanted.size());
}

} // namespace

TEST_F(DataListing, ListsMatchingFilesAndDotlessFoldersInFileSystemOrder) {
    for (const char *file :
         {"a.rvs", ".rvs", "\xff\xfe.rvs", "notes.txt", "UPPER.RVS", "rvs", "a.rvs.tmp-x1Yz2Q"}) {
        WriteFile(kSetupDir + file, "");
    }
    MakeDirs(kSetupDir + "old.rvs");
    fs::create_directory_symlink("old.rvs", kSetupDir + "linked.rvs");
    ExpectListing("cars/vosk/setup", false, {"a.rvs", ".rvs", "\xff\xfe.rvs"});

    const std::string skins = "cars/vosk/skins/";
    for (const char *folder : {"red", "blue", "race.old", "elsewhere"}) {
        MakeDirs(skins + folder);
    }
    WriteFile(skins + "readme", "");
    fs::create_directory_symlink("elsewhere", skins + "linked");
    fs::create_symlink("nowhere", skins + "dangling");
    ExpectListing("cars/vosk/skins", true, {"red", "blue", "elsewhere", "linked"});
}

TEST_F(DataListing, EachCallReplacesTheListAndMissingFoldersGiveNothing) {
    MakeDirs("skins/red");
    WriteFile("a.rvs", "");
    FolderLister lister;
    lister.ListFolders("skins");
    lister.ListFiles("*.rvs"); // no folder part: the current folder
    EXPECT_EQ(lister.names, std::vector<std::string>{"a.rvs"});
    lister.ListFolders("missing");
    EXPECT_TRUE(lister.names.empty());
    lister.ListFolders("skins");
    lister.ListFiles("missing/*.rvs");
    EXPECT_TRUE(lister.names.empty());
}
