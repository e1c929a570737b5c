#include "setup/IniReader.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

using namespace vosk::test;

namespace {

struct LookUp {
    const char *name;
    std::string file;
    const char *section;
    const char *key;
    std::string value;
};

// Rows print as their names, not as raw bytes, when a case fails.
void PrintTo(const LookUp &row, std::ostream *os) {
    *os << row.name;
}

class IniLookUp : public ::testing::TestWithParam<LookUp> {};

const LookUp kLookUps[] = {
    {"WrittenActiveSetup", "[ACTIVESETUP]\r\nNAME=fast.rvs\r\n\r\n\r\n", "ACTIVESETUP", "NAME",
     "fast.rvs"},
    {"LfOnlyRunsToSectionEnd", "[S]\nA=1\nB=2\n", "S", "A", "1\nB=2\n"},
    {"SpaceAfterEqualsKept", "[S]\r\nNAME = fast\r\n", "S", "NAME", " fast"},
    {"SpacesBeforeEqualsSkipped", "[S]\r\nNAME   =fast\r\n", "S", "NAME", "fast"},
    {"FirstSubstringMatchWins", "[S]\r\nNICKNAME=a\r\nNAME=b\r\n", "S", "NAME", "a"},
    {"BracketInValueEndsValue", "[S]\r\nNAME=a[1]\r\nNEXT=x\r\n", "S", "NAME", "a"},
    {"BracketInValueEndsSection", "[S]\r\nNAME=a[1]\r\nNEXT=x\r\n", "S", "NEXT", ""},
    {"OnlyFirstHeaderSearched", "[S]\r\nA=1\r\n[T]\r\n[S]\r\nB=2\r\n", "S", "B", ""},
    {"HeaderAtVeryEnd", "A=1\r\n[S]", "S", "A", ""},
    {"HeaderMidLine", "x[S]A=1\r\n", "S", "A", "1"},
    {"NothingAfterNulSearched", std::string("[S]\r\nA=1\0\r\nB=2\r\n", 16), "S", "B", ""},
    {"EmptyFile", "", "S", "A", ""},
    {"HeaderCaseSensitive", "[activesetup]\r\nNAME=x\r\n", "ACTIVESETUP", "NAME", ""},
    {"HeaderSpacesMatter", "[ ACTIVESETUP ]\r\nNAME=x\r\n", "ACTIVESETUP", "NAME", ""},
    {"KeyBeforeHeader", "NAME=x\r\n[S]\r\nA=1\r\n", "S", "NAME", ""},
    {"KeyUnderLaterHeader", "[S]\r\nA=1\r\n[T]\r\nNAME=x\r\n", "S", "NAME", ""},
    {"MissingSection", "[S]\r\nA=1\r\n", "T", "A", ""},
    {"EqualsSearchCrossesLines", "[S]\r\nNAME\r\nX=1\r\n", "S", "NAME", "1"},
    {"NoEqualsInSection", "[S]\r\nNAME\r\n[T]\r\nX=1\r\n", "S", "NAME", ""},
    {"BracketInSectionName", "[a[b]\r\nK=1\r\n", "a[b", "K", ""},
};

INSTANTIATE_TEST_SUITE_P(Rows, IniLookUp, ::testing::ValuesIn(kLookUps),
                         [](const auto &row) { return std::string(row.param.name); });

TEST_P(IniLookUp, GetStringFollowsTheFileByteForByte) {
    ScratchWorkdir work;
    WriteFile("file.ini", GetParam().file);
    IniReader reader;
    reader.Load("file.ini");
    ASSERT_TRUE(reader.loaded);
    EXPECT_EQ(reader.GetString(GetParam().section, GetParam().key), GetParam().value);
}

} // namespace

TEST(IniReader, GetFloatTakesTheLeadingNumberWithADotWhateverTheLocale) {
    ScratchWorkdir work;
    WriteFile("of", "[TEMPS]\r\nA= 85.5 deg\r\nB=abc\r\nC=85,5\r\nD=-1.5e2x\r\nE=\r\n");
    // The user's locale may use a decimal comma; run under one when installed.
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    const bool comma = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    IniReader reader;
    reader.Load("of");
    const std::pair<const char *, long double> numbers[] = {
        {"A", 85.5L}, {"B", 0.0L}, {"C", 85.0L}, {"D", -150.0L}, {"E", 0.0L}, {"ABSENT", 0.0L}};
    for (const auto &[key, expected] : numbers) {
        EXPECT_EQ(reader.GetFloat("TEMPS", key), expected) << key << (comma ? " (de_DE)" : "");
    }
    std::setlocale(LC_NUMERIC, previous.c_str());
}

TEST(IniReader, FailedLoadKeepsEarlierText) {
    ScratchWorkdir work;
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
