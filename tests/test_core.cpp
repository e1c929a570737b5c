// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// The data core without the disk: the slider table, the record's words and the
// key-value reader over the cases in tests/data/ini.
#include "core/IniReader.h"
#include "core/SetupFields.h"
#include "core/SliderTable.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <tuple>

using vosk::Rule;
using vosk::test::ReadFile;

namespace {

// A box shows (offset + factor x position) / scale as the shortest plain
// decimal, followed by a suffix.
const std::map<Rule, std::tuple<long, long, long, const char *>> kShown = {
    {Rule::Plain, {0, 1, 1, ""}},   {Rule::Whole, {0, 1, 1, ""}},
    {Rule::Bias, {100, -1, 1, ""}}, {Rule::Pad, {0, 5, 1000, ""}},
    {Rule::Camber, {0, 1, 10, ""}}, {Rule::Ratio, {4500, -1, 1000, ""}},
    {Rule::Steer, {0, 1, 1, ":1"}}};

std::string Expected(Rule rule, int p) {
    const auto &[offset, factor, scale, suffix] = kShown.at(rule);
    const long n = offset + factor * p;
    std::string fraction = std::to_string(scale + std::labs(n) % scale).substr(1);
    fraction.erase(fraction.find_last_not_of('0') + 1);
    return (n < 0 ? "-" : "") + std::to_string(std::labs(n) / scale) +
           (fraction.empty() ? "" : "." + fraction) + suffix;
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
    const std::tuple<std::uint32_t, Rule, int> rows[] = {
        {0x7F800000, Rule::Whole, INT_MAX}, {0xFF800000, Rule::Camber, INT_MIN},
        {0x7FC00001, Rule::Pad, 0},         {0x7149F2CA, Rule::Ratio, INT_MIN},
        {0x80000000, Rule::Bias, INT_MAX},  {0x7FFFFFFF, Rule::Bias, -2147483547},
        {0x00000000, Rule::Ratio, 4500},    {0x43960000, Rule::Whole, 300}};
    for (const auto &[word, rule, position] : rows) {
        EXPECT_EQ(vosk::PositionOf(rule, word), position) << std::hex << word;
    }
}

// tests/data/record-words.txt: every word in file order, its key and the bits
// SetDefaults stores there, "kept" where the word keeps what it held.
TEST(SetupFields, EveryWordHasItsKeyAndItsDefault) {
    const char *odd = VOSK_TEST_DATA "/records/whole-odd-words-and-more-bytes.rvs";
    CarSetup loaded, defaulted;
    loaded.Load(odd);
    defaulted.Load(odd);
    defaulted.SetDefaults();
    std::ifstream list(VOSK_TEST_DATA "/record-words.txt");
    std::size_t k = 0;
    for (std::string key, bits; list >> key >> bits; ++k) {
        EXPECT_EQ(vosk::KeyOfWord(k), key);
        EXPECT_EQ(vosk::WordOfKey(key), static_cast<int>(k)) << key;
        EXPECT_EQ(CarSetup().Word(k), 0u) << key;
        EXPECT_NE(loaded.Word(k), 0u) << key << ": the odd record did not load";
        EXPECT_EQ(defaulted.Word(k), bits == "kept" ? loaded.Word(k) : std::stoul(bits, nullptr, 0))
            << key;
    }
    EXPECT_EQ(k, 49u);
    // Written back, the record fills its own bytes and not one more.
    struct {
        unsigned char record[CarSetup::kFileSize];
        char after[8] = {'a', 'f', 't', 'e', 'r', '-', '-', '-'};
    } out{};
    loaded.ToBytes(out.record);
    EXPECT_EQ(std::string(out.record, out.record + sizeof out.record),
              ReadFile(odd).substr(0, 196));
    EXPECT_EQ(std::string(out.after, sizeof out.after), "after---");
    EXPECT_EQ(vosk::KeyOfWord(49), "");
    EXPECT_EQ(vosk::WordOfKey("spring"), -1);
}

// Each NAME.ini beside a NAME.expected: section, key, then the exact value,
// which a later load that fails (a folder, a missing file) keeps.
TEST(DataIni, GetStringFollowsTheFileByteForByte) {
    int cases = 0;
    for (const auto &entry : std::filesystem::directory_iterator(VOSK_TEST_DATA "/ini")) {
        const std::string ini = entry.path().string();
        if (entry.path().extension() != ".ini") {
            continue;
        }
        std::istringstream expected(ReadFile(ini.substr(0, ini.size() - 4) + ".expected"));
        std::string section, key, value;
        std::getline(std::getline(std::getline(expected, section), key), value, '\0');
        ASSERT_FALSE(key.empty()) << ini;
        IniReader reader;
        for (const std::string &path : {ini, entry.path().parent_path().string(), ini + "x"}) {
            reader.Load(path);
            EXPECT_EQ(reader.loaded, path == ini) << path;
            EXPECT_EQ(reader.GetString(section, key), value) << path;
        }
        ++cases;
    }
    EXPECT_GE(cases, 17);
}

// Temperatures are written with "." whatever the user's locale, which may use
// a decimal comma; tools/install-deps.sh makes one.
TEST(DataIni, GetFloatTakesTheLeadingNumberWithADotInAnyLocale) {
    IniReader reader;
    reader.text = "[TEMPS]\r\nA= 85.5 deg\r\nB=abc\r\nC=85,5\r\nD=-1.5e2x\r\n";
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    const bool comma = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    for (const auto &[key, number] :
         {std::pair{"A", 85.5L}, {"B", 0.0L}, {"C", 85.0L}, {"D", -150.0L}, {"ABSENT", 0.0L}}) {
        EXPECT_EQ(reader.GetFloat("TEMPS", key), number) << key;
    }
    std::setlocale(LC_NUMERIC, previous.c_str());
    if (!comma) {
        GTEST_SKIP() << "the decimal-comma half needs the locale de_DE.UTF-8";
    }
}

} // namespace
