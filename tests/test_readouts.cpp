// The two read-outs that a button fills: the projected road speed of each
// gear at 7000 rpm, and the tyre temperatures of the simulator's last run.
#include "support/TestSupport.h"

#include <cmath>
#include <cstdio>

using namespace vosk::test;

namespace {

// The ratio a slider position stands for, rounded to a float as stored.
long double Ratio(int position) {
    return static_cast<float>((4500 - position) * 0.001L);
}

// Worked out in extended precision and in another order than the window,
// rounding to float only where the car's figures are quoted in floats.
int ReferenceSpeed(int gearPosition, int finalPosition) {
    const long double distance =
        static_cast<float>(6.28f * static_cast<long double>(0.317f) * 7000.0L /
                           Ratio(gearPosition) / Ratio(finalPosition));
    return static_cast<int>(std::trunc(distance * 60.0L * static_cast<long double>(0.001)));
}

std::string Gear(int n) {
    return "trkGear" + std::to_string(n);
}
std::string Speed(int n) {
    return "lab" + std::to_string(n);
}

using Readouts = WindowTest;

} // namespace

// The six texts after a press, with every gear on the same position.
TEST_F(Readouts, EveryGearShowsTheSpeedOfItsSliders) {
    TfrmMain *w = frame.Open();
    const struct {
        int gear, final, speed;
    } rows[] = {{500, 500, 52},    {4000, 4000, 3344}, {1500, 500, 69},
                {2500, 1000, 119}, {3500, 3500, 836},  {500, 4000, 418},
                {4000, 500, 418},  {2145, 2915, 223}, // float ratios keep it below 224
                {2915, 3244, 420}};                   // a float distance reaches 420
    for (const auto &row : rows) {
        for (int n = 1; n <= 6; ++n) {
            Move(w, Gear(n).c_str(), row.gear);
        }
        Move(w, "trkGearFinal", row.final);
        Click(w, "butCalcSpeeds");
        for (int n = 1; n <= 6; ++n) {
            EXPECT_EQ(Text(w, Speed(n).c_str()), std::to_string(row.speed))
                << "gear " << row.gear << " final " << row.final;
        }
    }
}

// Each text shows its own gear.
TEST_F(Readouts, EachTextFollowsItsOwnGear) {
    TfrmMain *w = frame.Open();
    for (int n = 1; n <= 6; ++n) {
        Move(w, Gear(n).c_str(), 100 + 600 * n);
    }
    Move(w, "trkGearFinal", 3100);
    Click(w, "butCalcSpeeds");
    for (int n = 1; n <= 6; ++n) {
        EXPECT_EQ(Text(w, Speed(n).c_str()), std::to_string(ReferenceSpeed(100 + 600 * n, 3100)));
    }
}

// Every gear position against every fifth final-drive position, shifted
// with the gear so that each final position is met as well.
TEST_F(Readouts, SpeedAgreesWithTheReferenceAcrossTheSliders) {
    TfrmMain *w = frame.Open();
    int mismatches = 0;
    for (int gear = 500; gear <= 4000; ++gear) {
        for (int final = 500 + gear % 5; final <= 4000; final += 5) {
            const int speed = w->ProjectedSpeed(7000.0f, static_cast<float>(Ratio(gear)),
                                                static_cast<float>(Ratio(final)), 0.317f);
            if (speed != ReferenceSpeed(gear, final) && ++mismatches <= 5) {
                ADD_FAILURE() << "gear " << gear << " final " << final << ": " << speed;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

namespace {

// Reading i of the file is wheel i / 3 (LF, RF, LR, RR), column "IMO"[i % 3].
using Readings = std::array<std::string, 12>;

std::string Column(int i) {
    return std::string(1, "IMO"[i % 3]);
}

// A temperature file as the simulator writes it, the values in key order.
void WriteTemps(const Readings &values, const std::string &lineEnd = "\r\n") {
    std::string text = "[GENERAL]" + lineEnd + "LAPS=3" + lineEnd + "[TEMPS]" + lineEnd;
    for (int i = 0; i < 12; ++i) {
        text += "TEMP_TIRE" + std::to_string(i / 3) + "_" + Column(i) + "=" +
                values[static_cast<std::size_t>(i)] + lineEnd;
    }
    WriteFile("cfg/of", text + "[END]" + lineEnd);
}

// The twelve boxes in wheel order, each wheel's columns as they stand.
Readings Shown(const TfrmMain *w) {
    const char *const wheels[] = {"LF", "RF", "LR", "RR"};
    Readings shown;
    for (int i = 0; i < 12; ++i) {
        shown[static_cast<std::size_t>(i)] =
            Text(w, (std::string("txt") + wheels[i / 3] + "_" + Column(i)).c_str());
    }
    return shown;
}

Readings All(const std::string &value) {
    Readings all;
    all.fill(value);
    return all;
}

} // namespace

TEST_F(Readouts, EachReadingIsShownAsAWholeNumber) {
    TfrmMain *w = frame.Open();
    const std::pair<const char *, const char *> rows[] = {
        {"85.5", "86"}, {"84.4", "84"}, {"0", ""},
        {"85,5", "85"}, {"abc", ""},    {"-84.5", "-85"},
        {"-0.3", ""},   {"1e999", ""},  {"1e30", "1000000000000000019884624838656"}};
    for (const auto &[value, shown] : rows) {
        WriteTemps(All(value));
        Click(w, "Button1");
        EXPECT_EQ(Shown(w), All(shown)) << value;
    }
}

// The right wheels are seen from the other side: their outer columns swap.
TEST_F(Readouts, RightWheelsSwapTheirOuterColumnsWhateverTheLineEnds) {
    const Readings values = {"11", "12", "13", "21", "22", "23",
                             "31", "32", "33", "41", "42", "43"};
    const Readings shown = {"11", "12", "13", "23", "22", "21", "31", "32", "33", "43", "42", "41"};
    TfrmMain *w = frame.Open();
    for (const char *lineEnd : {"\r\n", "\n"}) {
        WriteTemps(All("0"));
        Click(w, "Button1");
        WriteTemps(values, lineEnd);
        Click(w, "Button1");
        EXPECT_EQ(Shown(w), shown) << (lineEnd[0] == '\r' ? "CR LF" : "LF only");
    }
}

// Keys that are missing show nothing; a missing file changes nothing.
TEST_F(Readouts, MissingKeysShowNothingAndAMissingFileChangesNothing) {
    TfrmMain *w = frame.Open();
    Click(w, "Button1");
    EXPECT_EQ(Shown(w), All("0"));
    WriteFile("cfg/of", "[TEMPS]\r\nTEMP_TIRE0_I=50\r\n[OTHER]\r\nTEMP_TIRE0_M=60\r\n");
    Click(w, "Button1");
    Readings shown = All("");
    shown[0] = "50";
    EXPECT_EQ(Shown(w), shown);
    ASSERT_EQ(std::remove("cfg/of"), 0);
    Click(w, "Button1");
    EXPECT_EQ(Shown(w), shown);
}
