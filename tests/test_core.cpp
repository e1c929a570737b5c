// The data core on its own: the slider table, for every position of every
// slider held against texts built from integers alone; the record's keys;
// and the key-value reader over the cases in tests/data/ini.
#include "core/IniReader.h"
#include "core/SetupFields.h"
#include "core/SliderTable.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace {

// n / 10^places as the shortest plain decimal, built from integers only.
std::string Decimal(long n, int places) {
    const long scale = places == 1 ? 10 : 1000;
    std::string fraction = std::to_string(scale + std::labs(n) % scale).substr(1);
    fraction.erase(fraction.find_last_not_of('0') + 1);
    return (n < 0 ? "-" : "") + std::to_string(std::labs(n) / scale) +
           (fraction.empty() ? "" : "." + fraction);
}

std::string Expected(vosk::Rule rule, int p) {
    switch (rule) {
    case vosk::Rule::Plain:
    case vosk::Rule::Whole:
        return std::to_string(p);
    case vosk::Rule::Bias:
        return std::to_string(100 - p);
    case vosk::Rule::Pad:
        return Decimal(p * 5L, 3);
    case vosk::Rule::Camber:
        return Decimal(p, 1);
    case vosk::Rule::Ratio:
        return Decimal(4500L - p, 3);
    case vosk::Rule::Steer:
        return std::to_string(p) + ":1";
    }
    return {};
}

TEST(SliderTable, EveryPositionIsShownExactlyAndComesBackFromItsWord) {
    std::set<std::size_t> words;
    for (const vosk::Slider &s : vosk::kSliders) {
        const std::string key = vosk::KeyOfWord(s.word);
        EXPECT_TRUE(words.insert(s.word).second) << key << " has two sliders";
        for (int p = s.min; p <= s.max; ++p) {
            ASSERT_EQ(vosk::ShownText(s.rule, p), Expected(s.rule, p)) << key << " at " << p;
            ASSERT_EQ(vosk::PositionOf(s.rule, vosk::StoredWord(s.rule, p)), p) << key;
        }
    }
    // Every word the window edits has a slider; the others are reserved.
    for (std::size_t k = 0; k < 49; ++k) {
        EXPECT_EQ(words.count(k) == 1, vosk::KeyOfWord(k).rfind("reserved", 0) != 0)
            << vosk::KeyOfWord(k);
    }
}

// Damaged words still ask for a defined position, which the slider clamps.
TEST(SliderTable, DamagedWordsGiveTheNearerEndOfTheRange) {
    const struct {
        std::uint32_t word;
        vosk::Rule rule;
        int position;
    } rows[] = {
        {0x7F800000, vosk::Rule::Whole, INT_MAX}, {0xFF800000, vosk::Rule::Camber, INT_MIN},
        {0x7FC00001, vosk::Rule::Pad, 0},         {0x7149F2CA, vosk::Rule::Ratio, INT_MIN},
        {0x80000000, vosk::Rule::Bias, INT_MAX},  {0x7FFFFFFF, vosk::Rule::Bias, -2147483547},
        {0x00000000, vosk::Rule::Ratio, 4500},    {0x43960000, vosk::Rule::Whole, 300},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(vosk::PositionOf(row.rule, row.word), row.position) << std::hex << row.word;
    }
}

TEST(SetupFields, KeysNameEveryWordOnceInFileOrder) {
    const std::pair<std::size_t, const char *> keys[] = {
        {0, "rearWing"},     {2, "brakePad.LF"},  {15, "spring.RR"},  {24, "reserved0"},
        {25, "gear.1"},      {31, "gearFinal"},   {32, "steerRatio"}, {35, "camber.LR"},
        {37, "reservedA.0"}, {44, "reservedB.3"}, {45, "fuel"},       {48, "reservedTail.2"}};
    for (const auto &[word, key] : keys) {
        EXPECT_EQ(vosk::KeyOfWord(word), key);
    }
    std::set<std::string> all;
    for (std::size_t k = 0; k < 49; ++k) {
        all.insert(vosk::KeyOfWord(k));
        EXPECT_EQ(vosk::WordOfKey(vosk::KeyOfWord(k)), static_cast<int>(k));
    }
    EXPECT_EQ(all.size(), 49u);
    EXPECT_EQ(vosk::KeyOfWord(49), "");
    EXPECT_EQ(vosk::WordOfKey("spring"), -1);
}

std::string Slurp(const std::filesystem::path &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Each NAME.ini beside a NAME.expected: section, key, then the exact value.
TEST(DataIni, GetStringFollowsTheFileByteForByte) {
    int cases = 0;
    for (const auto &entry : std::filesystem::directory_iterator(VOSK_TEST_DATA "/ini")) {
        if (entry.path().extension() != ".ini") {
            continue;
        }
        std::filesystem::path expectedPath = entry.path();
        const std::string expected = Slurp(expectedPath.replace_extension(".expected"));
        const std::size_t sectionEnd = expected.find('\n');
        const std::size_t keyEnd = expected.find('\n', sectionEnd + 1);
        ASSERT_NE(keyEnd, std::string::npos) << expectedPath;
        IniReader reader;
        reader.Load(entry.path().string());
        EXPECT_TRUE(reader.loaded) << entry.path();
        EXPECT_EQ(reader.GetString(expected.substr(0, sectionEnd),
                                   expected.substr(sectionEnd + 1, keyEnd - sectionEnd - 1)),
                  expected.substr(keyEnd + 1))
            << entry.path().filename();
        ++cases;
    }
    EXPECT_GE(cases, 17);
}

} // namespace
