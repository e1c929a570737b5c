// The tyre temperature readout on the Tyres page.
#include "support/TestSupport.h"
#include "window/TfrmMain.h"

#include <QPushButton>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <ostream>
#include <string>

using namespace vosk::test;

namespace {

// Boxes in wheel order, each with its columns I, M, O as they stand on screen.
const char *const kBoxes[12] = {"txtLF_I", "txtLF_M", "txtLF_O", "txtRF_I", "txtRF_M", "txtRF_O",
                                "txtLR_I", "txtLR_M", "txtLR_O", "txtRR_I", "txtRR_M", "txtRR_O"};
const char *const kKeys[12] = {"TEMP_TIRE0_I", "TEMP_TIRE0_M", "TEMP_TIRE0_O", "TEMP_TIRE1_I",
                               "TEMP_TIRE1_M", "TEMP_TIRE1_O", "TEMP_TIRE2_I", "TEMP_TIRE2_M",
                               "TEMP_TIRE2_O", "TEMP_TIRE3_I", "TEMP_TIRE3_M", "TEMP_TIRE3_O"};

using Texts = std::array<std::string, 12>;

// A temperature file as the simulator writes it, the values in key order.
void WriteTemps(const Texts &values, const std::string &lineEnd = "\r\n") {
    std::string text = "[GENERAL]" + lineEnd + "LAPS=3" + lineEnd + "[TEMPS]" + lineEnd;
    for (int i = 0; i < 12; ++i) {
        text += std::string(kKeys[i]) + "=" + values[static_cast<std::size_t>(i)] + lineEnd;
    }
    WriteFile("cfg/of", text + "[END]" + lineEnd);
}

Texts Shown(const TfrmMain *window) {
    Texts shown;
    for (int i = 0; i < 12; ++i) {
        shown[static_cast<std::size_t>(i)] = Text(window, kBoxes[i]);
    }
    return shown;
}

void GetTemps(TfrmMain *window) {
    QTest::mouseClick(Find<QPushButton>(window, "Button1"), Qt::LeftButton);
}

class Tyres : public ::testing::Test {
protected:
    ScratchWorkdir workdir;
    Frame frame;
};

struct ReadingCase {
    const char *name;
    const char *value;
    const char *shown;
};
void PrintTo(const ReadingCase &row, std::ostream *out) {
    *out << row.name;
}

class Reading : public Tyres, public ::testing::WithParamInterface<ReadingCase> {};

} // namespace

TEST_P(Reading, IsShownAsAWholeNumberInEveryBox) {
    Texts values;
    values.fill(GetParam().value);
    WriteTemps(values);
    TfrmMain *window = frame.Open();
    GetTemps(window);
    Texts expected;
    expected.fill(GetParam().shown);
    EXPECT_EQ(Shown(window), expected);
}

INSTANTIATE_TEST_SUITE_P(Tyres, Reading,
                         ::testing::Values(ReadingCase{"HalfRoundsUp", "85.5", "86"},
                                           ReadingCase{"BelowHalfRoundsDown", "84.4", "84"},
                                           ReadingCase{"Hot", "101.7", "102"},
                                           ReadingCase{"Zero", "0", ""},
                                           ReadingCase{"CommaStopsTheNumber", "85,5", "85"},
                                           ReadingCase{"NotANumber", "abc", ""},
                                           ReadingCase{"Negative", "-3.6", "-4"},
                                           ReadingCase{"NegativeHalf", "-84.5", "-85"},
                                           ReadingCase{"NegativeNearZero", "-0.3", ""},
                                           ReadingCase{"NoDigitLimit", "1234567.4", "1234567"},
                                           ReadingCase{"Overflow", "1e999", ""}),
                         [](const auto &row) { return std::string(row.param.name); });

class Mirroring : public Tyres, public ::testing::WithParamInterface<const char *> {};

TEST_P(Mirroring, RightWheelsSwapTheirOuterColumns) {
    WriteTemps({"11", "12", "13", "21", "22", "23", "31", "32", "33", "41", "42", "43"},
               GetParam());
    TfrmMain *window = frame.Open();
    GetTemps(window);
    const Texts expected = {"11", "12", "13", "23", "22", "21", "31", "32", "33", "43", "42", "41"};
    EXPECT_EQ(Shown(window), expected);
}

INSTANTIATE_TEST_SUITE_P(Tyres, Mirroring, ::testing::Values("\r\n", "\n"), [](const auto &row) {
    return std::string(row.param[0] == '\r' ? "CrLf" : "LfOnly");
});

TEST_F(Tyres, AMissingFileLeavesTheBoxesAsTheyWere) {
    TfrmMain *window = frame.Open();
    GetTemps(window);
    Texts zeros;
    zeros.fill("0");
    EXPECT_EQ(Shown(window), zeros);

    Texts values;
    values.fill("90");
    WriteTemps(values);
    GetTemps(window);
    ASSERT_EQ(std::remove("cfg/of"), 0);
    GetTemps(window);
    EXPECT_EQ(Shown(window), values);
}
