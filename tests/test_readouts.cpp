// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// The two read-outs that a button fills: the projected road speed of each
// gear at 7000 rpm, and the tyre temperatures of the simulator's last run.
#include "core/Gearing.h"
#include "support/TestSupport.h"

#include <QLabel>

#include <cmath>

using namespace vosk::test;

namespace {

// The ratio a slider position stands for, rounded to a float as stored.
float Ratio(int position) {
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

// The twelve tyre boxes in wheel order, as the files under data/tyres list them.
std::string ShownTemps(const TfrmMain *w) {
    std::string shown;
    for (const char *wheel : {"LF", "RF", "LR", "RR"}) {
        for (const char *column : {"I", "M", "O"}) {
            const std::string box = std::string("txt") + wheel + "_" + column;
            auto *cell = Find<QLabel>(w, box.c_str());
            const QString reading = cell->accessibleDescription(), text = cell->text();
            // Drawn whole inside the cell: the number, or its first digits.
            EXPECT_LE(cell->fontMetrics().horizontalAdvance(text), cell->contentsRect().width());
            EXPECT_TRUE(text == reading ||
                        (text.endsWith(QChar(0x2026)) && reading.startsWith(text.chopped(1))))
                << box << " shows " << text.toStdString();
            // Cut only once the type is at its smallest.
            EXPECT_TRUE(text == reading || QFontInfo(cell->font()).pixelSize() == 7) << box;
            shown += box + "=" + reading.toStdString() + "\n";
        }
    }
    return shown;
}

using Readouts = WindowTest;

} // namespace

// The car's worked figures (data/speeds.txt), then every gear position
// against every fifth final-drive position (shifted with the gear so that
// each final position is met as well) against the reference.
TEST(ReadoutsSpeed, FollowsTheWorkedFiguresAndTheReferenceAcrossTheSliders) {
    for (const auto &row : Table(VOSK_TEST_DATA "/speeds.txt", 3)) {
        const int gear = std::stoi(row[0]), final = std::stoi(row[1]);
        EXPECT_EQ(vosk::ProjectedSpeed(7000.0f, Ratio(gear), Ratio(final), 0.317f),
                  std::stoi(row[2]))
            << "gear " << gear << " final " << final;
    }
    int mismatches = 0;
    for (int gear = 500; gear <= 4000; ++gear) {
        for (int final = 500 + gear % 5; final <= 4000; final += 5) {
            const int speed = vosk::ProjectedSpeed(7000.0f, Ratio(gear), Ratio(final), 0.317f);
            if (speed != ReferenceSpeed(gear, final) && ++mismatches <= 5) {
                ADD_FAILURE() << "gear " << gear << " final " << final << ": " << speed;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// "calculate" shows in each text the speed of its own gear's slider.
TEST_F(Readouts, CalculateShowsEachGearFromItsOwnSlider) {
    TfrmMain *w = frame.Open();
    const int final = 2915, gears[6] = {2145, 700, 1300, 1900, 2500, 3800};
    for (int n = 1; n <= 6; ++n) {
        Move(w, ("trkGear" + std::to_string(n)).c_str(), gears[n - 1]);
    }
    Move(w, "trkGearFinal", final);
    Click(w, "butCalcSpeeds");
    for (int n = 1; n <= 6; ++n) {
        EXPECT_EQ(Text(w, ("lab" + std::to_string(n)).c_str()),
                  std::to_string(ReferenceSpeed(gears[n - 1], final)))
            << "gear " << n;
    }
}

// "get temps" with the files of data/tyres in turn; without a file, before
// the first one and after the last, a press changes nothing.
TEST_F(Readouts, GetTempsShowsEachFileAndKeepsTheTextsWithoutOne) {
    TfrmMain *w = frame.Open();
    const auto pressWithoutFile = [w] {
        const std::string before = ShownTemps(w);
        Click(w, "Button1");
        EXPECT_EQ(ShownTemps(w), before);
    };
    pressWithoutFile();
    for (const std::string name : {"lf-only", "missing-keys", "numbers"}) {
        const std::string file = VOSK_TEST_DATA "/tyres/" + name;
        WriteFile("cfg/of", ReadFile(file + ".of"));
        Click(w, "Button1");
        EXPECT_EQ(ShownTemps(w), ReadFile(file + ".expected")) << name;
    }
    std::filesystem::remove("cfg/of");
    pressWithoutFile();
}
