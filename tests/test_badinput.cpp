// Damaged and unusual files in the setup folder: the window opens, keeps
// every slider in range, and never loses or duplicates a setup.
#include "setup/CarSetup.h"
#include "support/TestSupport.h"
#include "window/TfrmMain.h"

#include <QComboBox>
#include <QPointer>
#include <QPushButton>
#include <QSlider>

#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <limits>
#include <set>
#include <sys/resource.h>

using namespace vosk::test;
namespace fs = std::filesystem;

namespace {

const std::string kSetupDir = "cars/vosk/setup/";
const std::string kConf = "cars/vosk/setup/conf.ini";

std::string ConfFor(const std::string &name) {
    return "[ACTIVESETUP]\r\nNAME=" + name + "\r\n\r\n\r\n";
}

std::string DefaultsBytes() {
    CarSetup s;
    s.SetDefaults();
    s.Save("defaults.bin");
    return ReadFile("defaults.bin");
}

std::set<std::string> SetupFolder() {
    std::set<std::string> names;
    for (const auto &entry : fs::directory_iterator(kSetupDir)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

void ExpectEverySliderInRange(const TfrmMain *w) {
    for (const QSlider *slider : w->findChildren<QSlider *>()) {
        EXPECT_GE(slider->value(), slider->minimum()) << slider->objectName().toStdString();
        EXPECT_LE(slider->value(), slider->maximum()) << slider->objectName().toStdString();
    }
}

void PressOk(TfrmMain *w) {
    Find<QPushButton>(w, "butOk")->click();
    Frame::Settle();
}

class BadInput : public ::testing::Test {
protected:
    ScratchWorkdir workdir;
    Frame frame;
};

struct SetupFileCase {
    const char *name;
    std::string bytes;
    bool loads; // whether the first 196 bytes reach the record
};

class DamagedSetupFile : public BadInput, public ::testing::WithParamInterface<SetupFileCase> {};

} // namespace

TEST_P(DamagedSetupFile, OpensInRangeAndOkWritesAWholeRecord) {
    const SetupFileCase &c = GetParam();
    WriteFile(kSetupDir + "x.rvs", c.bytes);
    WriteFile(kConf, ConfFor("x.rvs"));
    TfrmMain *w = frame.Open();
    ExpectEverySliderInRange(w);
    if (c.loads) {
        CarSetup expected;
        WriteFile("first.bin", c.bytes.substr(0, CarSetup::kFileSize));
        expected.Load("first.bin");
        EXPECT_EQ(w->Record().reservedA[1], expected.reservedA[1]);
        EXPECT_EQ(w->Record().spring[3], expected.spring[3]);
    } else {
        EXPECT_EQ(w->Record().spring[3], 0); // a fresh record stays as it was
    }
    PressOk(w);
    const std::string saved = ReadFile(kSetupDir + "x.rvs");
    ASSERT_EQ(saved.size(), CarSetup::kFileSize);
    EXPECT_EQ(SetupFolder(), (std::set<std::string>{"x.rvs", "conf.ini"}));
}

namespace {

std::string Words(std::initializer_list<std::pair<int, std::uint32_t>> words) {
    std::string bytes = DefaultsBytes();
    for (const auto &[word, bits] : words) {
        std::memcpy(&bytes[4 * static_cast<std::size_t>(word)], &bits, 4);
    }
    return bytes;
}

std::uint32_t FloatBits(float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, 4);
    return bits;
}

} // namespace

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedSetupFile,
    ::testing::Values(
        SetupFileCase{"Empty", "", false},
        SetupFileCase{"OneByteShort", std::string(195, '\x01'), false},
        SetupFileCase{"Longer", std::string(300, '\x7f'), true},
        SetupFileCase{"NaNs", Words({{2, 0x7FC00000}, {25, 0xFFFFFFFF}, {45, 0x7F800001}}), true},
        SetupFileCase{"Infinities",
                      Words({{6, FloatBits(std::numeric_limits<float>::infinity())},
                             {31, FloatBits(-std::numeric_limits<float>::infinity())},
                             {33, FloatBits(std::numeric_limits<float>::infinity())}}),
                      true},
        SetupFileCase{"Huge", Words({{3, FloatBits(1e30f)}, {26, FloatBits(-1e30f)}}), true},
        SetupFileCase{"DenormalsAndMinusZero", Words({{34, 1u}, {45, 0x80000000u}}), true},
        SetupFileCase{"IntegerExtremes",
                      Words({{0, 0x80000000u},
                             {1, 0x80000000u},
                             {12, 0x7FFFFFFFu},
                             {16, 0x80000000u},
                             {32, 0x7FFFFFFFu}}),
                      true}),
    [](const auto &row) { return std::string(row.param.name); });

TEST_F(BadInput, SetupThatIsAFolderIsNeitherListedNorOverwritten) {
    MakeDirs(kSetupDir + "x.rvs");
    WriteFile(kConf, ConfFor("x.rvs"));
    TfrmMain *w = frame.Open();
    EXPECT_EQ(Find<QComboBox>(w, "cmbSetupList")->count(), 0);
    PressOk(w);
    EXPECT_TRUE(fs::is_directory(kSetupDir + "x.rvs"));
    EXPECT_EQ(SetupFolder(), (std::set<std::string>{"x.rvs", "conf.ini"}));
}

TEST_F(BadInput, SaveThatCannotCompleteKeepsThePreviousFile) {
    WriteFile(kSetupDir + "x.rvs", DefaultsBytes());
    WriteFile(kConf, ConfFor("x.rvs"));
    TfrmMain *w = frame.Open();
    Move(w, "trkSpringLF", 77);

    // The file system refuses to grow files past 100 bytes: a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &small);
    PressOk(w);
    setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_EQ(ReadFile(kSetupDir + "x.rvs"), DefaultsBytes());
    EXPECT_EQ(ReadFile(kConf), ConfFor("x.rvs"));
    EXPECT_EQ(SetupFolder(), (std::set<std::string>{"x.rvs", "conf.ini"}));
}

TEST_F(BadInput, SetupFolderRemovedWhileTheWindowIsOpen) {
    WriteFile(kSetupDir + "x.rvs", DefaultsBytes());
    WriteFile(kConf, ConfFor("x.rvs"));
    QPointer<TfrmMain> w = frame.Open();
    fs::remove_all("cars");
    PressOk(w);
    EXPECT_TRUE(w.isNull());
    EXPECT_FALSE(Exists("cars"));
}

struct ConfCase {
    const char *name;
    std::string bytes;
    const char *selected; // expected text of the setup list
};

class DamagedConf : public BadInput, public ::testing::WithParamInterface<ConfCase> {};

TEST_P(DamagedConf, OpensWithTheExpectedSelection) {
    WriteFile(kSetupDir + "a.rvs", DefaultsBytes());
    WriteFile(kConf, GetParam().bytes);
    TfrmMain *w = frame.Open();
    EXPECT_EQ(Find<QComboBox>(w, "cmbSetupList")->currentText().toStdString(), GetParam().selected);
    ExpectEverySliderInRange(w);
    PressOk(w);
    EXPECT_EQ(ReadFile(kConf), ConfFor(GetParam().selected));
    // Whatever the name held, only the selected setup's file may be written.
    EXPECT_EQ(SetupFolder(), (std::set<std::string>{"a.rvs", "conf.ini"}));
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedConf,
    ::testing::Values(ConfCase{"Empty", "", ""},
                      ConfCase{"BinaryGarbage", std::string("\x01\xff[\x00\x80]=\r\n\xfe", 11), ""},
                      ConfCase{"MegabyteLong", ConfFor(std::string(1 << 20, 'n')), ""},
                      ConfCase{"PathInTheName", ConfFor("../../../a.rvs"), ""},
                      ConfCase{"NoCarriageReturn", "[ACTIVESETUP]\nNAME=a.rvs\n", ""},
                      ConfCase{"NulInsideTheName",
                               std::string("[ACTIVESETUP]\r\nNAME=a\0.rvs\r\n", 27), ""},
                      ConfCase{"NoCarriageReturnAtTheEnd", "[ACTIVESETUP]\r\nNAME=a.rvs", "a.rvs"}),
    [](const auto &row) { return std::string(row.param.name); });

struct NameCase {
    const char *name;
    std::string file;
};

class UnusualName : public BadInput, public ::testing::WithParamInterface<NameCase> {};

// Picked, saved, remembered and found again under exactly its own bytes.
TEST_P(UnusualName, KeepsItsBytesThroughPickOkAndReopen) {
    const std::string file = GetParam().file;
    WriteFile(kSetupDir + "other.rvs", DefaultsBytes());
    WriteFile(kSetupDir + file, DefaultsBytes());
    TfrmMain *w = frame.Open();
    auto *list = Find<QComboBox>(w, "cmbSetupList");
    int index = -1;
    for (int i = 0; i < list->count(); ++i) {
        if (list->itemText(i) != QStringLiteral("other.rvs")) {
            index = i;
        }
    }
    ASSERT_GE(index, 0);
    list->setCurrentIndex(index);
    Q_EMIT list->activated(index);
    Move(w, "trkFuel", 44);
    PressOk(w);
    EXPECT_EQ(ReadFile(kConf), ConfFor(file));
    EXPECT_EQ(SetupFolder(), (std::set<std::string>{"other.rvs", file, "conf.ini"}));

    TfrmMain *again = frame.Open();
    EXPECT_EQ(Position(again, "trkFuel"), 44);
}

INSTANTIATE_TEST_SUITE_P(Names, UnusualName,
                         ::testing::Values(NameCase{"NotUtf8", "caf\xe9 \xff.rvs"},
                                           NameCase{"Spaces", " my setup .rvs"},
                                           NameCase{"LongestName", std::string(251, 'L') + ".rvs"},
                                           NameCase{"DiffersFromAnotherInCaseOnly", "OTHER.rvs"}),
                         [](const auto &row) { return std::string(row.param.name); });
