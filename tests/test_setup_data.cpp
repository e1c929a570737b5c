// The data layer on its own: setup files, key-value files, folder listings
// and the careful file writes beneath them.
#include "core/FileOps.h"
#include "core/FolderLister.h"
#include "core/IniReader.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <clocale>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>

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
using SetupRecord = Data;
using FileOps = Data;
using IniReading = Data;
using FolderListing = Data;

} // namespace

TEST_F(SetupRecord, LoadAndSaveKeepEveryBitOfTheFirst196Bytes) {
    WriteFile("odd.rvs", OddRecord() + "bytes after the record");
    WriteFile("record.bin", std::string(1000, 'x')); // saved over below
    CarSetup setup;
    setup.Load("odd.rvs");
    EXPECT_EQ(Bytes(setup), OddRecord());
}

TEST_F(SetupRecord, DefaultsHaveExactBitPatternsAndKeepGearingAndTail) {
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

TEST_F(SetupRecord, AFailedLoadLeavesTheRecordAsItWas) {
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

TEST_F(SetupRecord, AFailedSaveLeavesWhatWasThereAndNoTemporaryFile) {
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

TEST_F(FileOps, CopyFileNoReplaceCopiesEveryByteOrNothing) {
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
TEST_F(FileOps, ReplaceFileIfChangedLeavesOnlyAnIdenticalFileAlone) {
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

TEST_F(IniReading, GetStringFollowsTheFileByteForByte) {
    const struct {
        const char *name;
        std::string file;
        const char *section, *key, *value;
    } rows[] = {
        {"AsTheWindowWritesIt", ConfFor("fast.rvs"), "ACTIVESETUP", "NAME", "fast.rvs"},
        {"LfOnlyRunsToSectionEnd", "[S]\nA=1\nB=2\n", "S", "A", "1\nB=2\n"},
        {"SpaceAfterEqualsKept", "[S]\r\nNAME = fast\r\n", "S", "NAME", " fast"},
        {"SpacesBeforeEqualsSkipped", "[S]\r\nNAME   =fast\r\n", "S", "NAME", "fast"},
        {"FirstSubstringMatchWins", "[S]\r\nNICKNAME=a\r\nNAME=b\r\n", "S", "NAME", "a"},
        {"BracketInValueEndsSection", "[S]\r\nNAME=a[1]\r\nNEXT=x\r\n", "S", "NAME", "a"},
        {"OnlyFirstHeaderSearched", "[S]\r\nA=1\r\n[T]\r\n[S]\r\nB=2\r\n", "S", "B", ""},
        {"HeaderAtVeryEnd", "A=1\r\n[S]", "S", "A", ""},
        {"HeaderMidLine", "x[S]A=1\r\n", "S", "A", "1"},
        {"NothingAfterNul", std::string("[S]\r\nA=1\0\r\nB=2\r\n", 16), "S", "B", ""},
        {"EmptyFile", "", "S", "A", ""},
        {"HeaderCaseSensitive", "[activesetup]\r\nNAME=x\r\n", "ACTIVESETUP", "NAME", ""},
        {"KeyUnderLaterHeader", "[S]\r\nA=1\r\n[T]\r\nNAME=x\r\n", "S", "NAME", ""},
        {"EqualsSearchCrossesLines", "[S]\r\nNAME\r\nX=1\r\n", "S", "NAME", "1"},
        {"NoEqualsInSection", "[S]\r\nNAME\r\n[T]\r\nX=1\r\n", "S", "NAME", ""},
        {"BracketInSectionName", "[a[b]\r\nK=1\r\n", "a[b", "K", ""},
    };
    for (const auto &row : rows) {
        WriteFile("file.ini", row.file);
        IniReader reader;
        reader.Load("file.ini");
        EXPECT_TRUE(reader.loaded) << row.name;
        EXPECT_EQ(reader.GetString(row.section, row.key), row.value) << row.name;
    }
}

TEST_F(IniReading, GetFloatTakesTheLeadingNumberWithADotWhateverTheLocale) {
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

TEST_F(IniReading, AFailedLoadKeepsTheEarlierText) {
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

TEST_F(FolderListing, ListsMatchingFilesAndDotlessFoldersInFileSystemOrder) {
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

TEST_F(FolderListing, EachCallReplacesTheListAndMissingFoldersGiveNothing) {
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
