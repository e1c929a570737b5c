// Projected road speeds at 7000 rpm on the transmission page.
#include "setup/CarSetup.h"
#include "support/TestSupport.h"
#include "window/TfrmMain.h"

#include <QPushButton>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

using namespace vosk::test;

namespace {

const char *const kGearSliders[] = {"trkGear1", "trkGear2", "trkGear3",
                                    "trkGear4", "trkGear5", "trkGear6"};
const char *const kSpeedTexts[] = {"lab1", "lab2", "lab3", "lab4", "lab5", "lab6"};

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

void Calculate(TfrmMain *window) {
    QTest::mouseClick(Find<QPushButton>(window, "butCalcSpeeds"), Qt::LeftButton);
}

class Speeds : public ::testing::Test {
protected:
    ScratchWorkdir workdir;
    Frame frame;
};

struct SpeedCase {
    const char *name;
    int gear;
    int final;
    int speed;
};
void PrintTo(const SpeedCase &row, std::ostream *out) {
    *out << row.name;
}

class SpeedTable : public Speeds, public ::testing::WithParamInterface<SpeedCase> {};

} // namespace

TEST_P(SpeedTable, EveryGearShowsTheSpeedOfItsSliders) {
    TfrmMain *window = frame.Open();
    for (const char *slider : kGearSliders) {
        Move(window, slider, GetParam().gear);
    }
    Move(window, "trkGearFinal", GetParam().final);
    Calculate(window);
    for (const char *text : kSpeedTexts) {
        EXPECT_EQ(Text(window, text), std::to_string(GetParam().speed)) << text;
    }
}

INSTANTIATE_TEST_SUITE_P(Speeds, SpeedTable,
                         ::testing::Values(SpeedCase{"Lowest", 500, 500, 52},
                                           SpeedCase{"Highest", 4000, 4000, 3344},
                                           SpeedCase{"Ratio3Final4", 1500, 500, 69},
                                           SpeedCase{"Ratio2Final3p5", 2500, 1000, 119},
                                           SpeedCase{"Ratio1Final1", 3500, 3500, 836},
                                           SpeedCase{"Ratio4FinalHalf", 500, 4000, 418},
                                           SpeedCase{"RatioHalfFinal4", 4000, 500, 418},
                                           SpeedCase{"FloatRatiosStayBelow224", 2145, 2915, 223},
                                           SpeedCase{"FloatDistanceReaches420", 2915, 3244, 420}),
                         [](const auto &row) { return std::string(row.param.name); });

TEST_F(Speeds, EachGearHasItsOwnTextAndOnlyAPressUpdatesThem) {
    CarSetup stored;
    stored.SetDefaults();
    stored.Save("cars/vosk/setup/slow.rvs");
    const std::string storedBytes = ReadFile("cars/vosk/setup/slow.rvs");
    WriteFile("cars/vosk/setup/conf.ini", "[ACTIVESETUP]\r\nNAME=slow.rvs\r\n\r\n\r\n");
    TfrmMain *window = frame.Open();
    for (const char *text : kSpeedTexts) {
        EXPECT_EQ(Text(window, text), "na");
    }
    const int positions[] = {700, 1500, 2200, 2900, 3400, 3900};
    for (int i = 0; i < 6; ++i) {
        Move(window, kGearSliders[i], positions[i]);
    }
    Move(window, "trkGearFinal", 3100);
    Calculate(window);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(Text(window, kSpeedTexts[i]), std::to_string(ReferenceSpeed(positions[i], 3100)))
            << kSpeedTexts[i];
    }
    Move(window, "trkGear1", 4000);
    EXPECT_EQ(Text(window, "lab1"), std::to_string(ReferenceSpeed(700, 3100)));
    Calculate(window);
    EXPECT_EQ(Text(window, "lab1"), std::to_string(ReferenceSpeed(4000, 3100)));
    EXPECT_EQ(ReadFile("cars/vosk/setup/slow.rvs"), storedBytes);
}

TEST_F(Speeds, AgreesWithTheReferenceAtEverySliderPosition) {
    TfrmMain *window = frame.Open();
    int mismatches = 0;
    for (int gear = 500; gear <= 4000; ++gear) {
        for (int final = 500; final <= 4000; ++final) {
            const int speed = window->ProjectedSpeed(7000.0f, static_cast<float>(Ratio(gear)),
                                                     static_cast<float>(Ratio(final)), 0.317f);
            if (speed != ReferenceSpeed(gear, final) && ++mismatches <= 5) {
                ADD_FAILURE() << "gear " << gear << " final " << final << ": " << speed
                              << " instead of " << ReferenceSpeed(gear, final);
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}
