// Store-and-load between the sliders and the setup record.
#include "support/TestSupport.h"
#include "window/TfrmMain.h"

#include <QCheckBox>
#include <QSlider>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

using namespace vosk::test;

namespace {

const char *const kTransferSliders[] = {
    "trRear",        "trkBrakeBias",   "trkBrakePadLF",  "trkBrakePadRF",  "trkBrakePadLR",
    "trkBrakePadRR", "trkBrakeDiscLF", "trkBrakeDiscRF", "trkBrakeDiscLR", "trkBrakeDiscRR",
    "trkRollBarF",   "trkRollBarR",    "trkSpringLF",    "trkSpringRF",    "trkSpringLR",
    "trkSpringRR",   "trkDampCompLF",  "trkDampCompRF",  "trkDampCompLR",  "trkDampCompRR",
    "trkDampRebLF",  "trkDampRebRF",   "trkDampRebLR",   "trkDampRebRR",   "trkSteerRatio",
    "trkCamberLF",   "trkCamberRF",    "trkCamberLR",    "trkCamberRR",    "trkGear1",
    "trkGear2",      "trkGear3",       "trkGear4",       "trkGear5",       "trkGear6",
    "trkGearFinal",  "trkFuel"};

std::uint32_t Bits(float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

float FromBits(std::uint32_t bits) {
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

class Transfers : public ::testing::Test {
protected:
    ScratchWorkdir workdir;
    std::unique_ptr<TfrmMain> window = std::make_unique<TfrmMain>();
    CarSetup &record = window->Record();

    void Unlink() {
        Find<QCheckBox>(window.get(), "chkBrakeSym")->setChecked(false);
        Find<QCheckBox>(window.get(), "chkSpringSym")->setChecked(false);
    }
};

} // namespace

// Every position of every slider comes back unchanged after a store, a move
// elsewhere and a load.
TEST_F(Transfers, EveryPositionSurvivesStoreAndLoad) {
    Unlink();
    for (const char *name : kTransferSliders) {
        auto *slider = Find<QSlider>(window.get(), name);
        for (int p = slider->minimum(); p <= slider->maximum(); ++p) {
            slider->setValue(p);
            window->ControlsToRecord();
            slider->setValue(p == slider->minimum() ? slider->maximum() : slider->minimum());
            window->RecordToControls();
            ASSERT_EQ(slider->value(), p) << name;
        }
    }
}

TEST_F(Transfers, StoredValuesAreTheNearestSinglePrecisionProducts) {
    Unlink();
    Move(window.get(), "trkBrakePadLF", 29);
    Move(window.get(), "trkCamberRR", -7);
    Move(window.get(), "trkGear1", 501);
    Move(window.get(), "trkGearFinal", 1500);
    Move(window.get(), "trkBrakeBias", 25);
    Move(window.get(), "trkBrakeDiscLR", 22);
    Move(window.get(), "trkFuel", 42);
    window->ControlsToRecord();
    EXPECT_EQ(Bits(record.brakePad[0]), Bits(static_cast<float>(0.145)));
    EXPECT_LT(record.brakePad[0], 0.145);
    EXPECT_EQ(Bits(record.camber[3]), Bits(static_cast<float>(-0.7)));
    EXPECT_EQ(Bits(record.gear[0]), Bits(static_cast<float>(3.999)));
    EXPECT_EQ(Bits(record.gearFinal), Bits(3.0f));
    EXPECT_EQ(record.brakeBias, 75);
    EXPECT_EQ(record.brakeDisc[2], 22.0f);
    EXPECT_EQ(record.fuel, 42.0f);
}

TEST_F(Transfers, ReservedWordsAreKeptOrCleared) {
    record.reserved0 = 77;
    record.reservedTail[0] = record.reservedTail[1] = record.reservedTail[2] = 0xDEADBEEF;
    record.reservedA[0] = 0x7FC00001; // a NaN pattern must not be touched by arithmetic
    record.reservedA[3] = 0xFFFFFFFF;
    record.reservedB[1] = FromBits(0x00000001u);
    for (int round = 0; round < 3; ++round) {
        window->RecordToControls();
        window->ControlsToRecord();
    }
    EXPECT_EQ(record.reserved0, 0);
    EXPECT_EQ(record.reservedTail[0] | record.reservedTail[1] | record.reservedTail[2], 0u);
    EXPECT_EQ(record.reservedA[0], 0x7FC00001u);
    EXPECT_EQ(record.reservedA[3], 0xFFFFFFFFu);
    EXPECT_EQ(Bits(record.reservedB[1]), 1u);
}

// With the boxes ticked, the left slider is set first and the link copies
// it across, so each pair ends at the value stored for its right wheel.
TEST_F(Transfers, LinkedPairsEndAtTheRightHandValue) {
    record.SetDefaults();
    record.spring[0] = 100;
    record.spring[1] = 150;
    record.spring[2] = 70;
    record.spring[3] = 90;
    record.brakePad[0] = 0.1f;
    record.brakePad[1] = 0.2f;
    window->RecordToControls();
    EXPECT_EQ(Position(window.get(), "trkSpringLF"), 150);
    EXPECT_EQ(Position(window.get(), "trkSpringRF"), 150);
    EXPECT_EQ(Position(window.get(), "trkSpringLR"), 90);
    EXPECT_EQ(Position(window.get(), "trkSpringRR"), 90);
    EXPECT_EQ(Position(window.get(), "trkBrakePadLF"), 40);
    EXPECT_EQ(Text(window.get(), "txtSpringLF"), "150");

    Unlink();
    window->RecordToControls();
    EXPECT_EQ(Position(window.get(), "trkSpringLF"), 100);
    EXPECT_EQ(Position(window.get(), "trkSpringLR"), 70);
    EXPECT_EQ(Position(window.get(), "trkBrakePadLF"), 20);
}

// A pair already at exactly its two stored positions does not move.
TEST_F(Transfers, PairAlreadyAtItsStoredPositionsStaysApart) {
    Unlink();
    Move(window.get(), "trkDampRebLF", 2);
    Move(window.get(), "trkDampRebRF", 4);
    window->ControlsToRecord();
    Find<QCheckBox>(window.get(), "chkSpringSym")->setChecked(true);
    window->RecordToControls();
    EXPECT_EQ(Position(window.get(), "trkDampRebLF"), 2);
    EXPECT_EQ(Position(window.get(), "trkDampRebRF"), 4);
}

TEST_F(Transfers, BoxesShowTheirSliderEvenWhenNoSliderMoved) {
    record.brakeBias = 0; // the bias slider already stands at 100
    window->RecordToControls();
    EXPECT_EQ(Position(window.get(), "trkBrakeBias"), 100);
    EXPECT_EQ(Text(window.get(), "txtBrakeBias"), "0");
    EXPECT_EQ(Text(window.get(), "txtGear4"), "0.5");
}

struct Damaged {
    const char *name;
    float floatValue;
    std::int32_t intValue;
};

class DamagedValues : public Transfers, public ::testing::WithParamInterface<Damaged> {};

// Whatever a damaged setup file holds, every slider ends inside its range.
TEST_P(DamagedValues, EverySliderStaysInItsRange) {
    const Damaged &d = GetParam();
    float *floats[] = {&record.brakePad[0], &record.brakePad[1], &record.brakeDisc[2],
                       &record.camber[0],   &record.camber[3],   &record.gear[0],
                       &record.gear[5],     &record.gearFinal,   &record.fuel};
    for (float *f : floats) {
        *f = d.floatValue;
    }
    std::int32_t *ints[] = {&record.rearWing,  &record.brakeBias,   &record.rollBarFront,
                            &record.spring[1], &record.dampComp[2], &record.dampReb[3],
                            &record.steerRatio};
    for (std::int32_t *i : ints) {
        *i = d.intValue;
    }
    window->RecordToControls();
    for (const char *name : kTransferSliders) {
        auto *slider = Find<QSlider>(window.get(), name);
        EXPECT_GE(slider->value(), slider->minimum()) << name;
        EXPECT_LE(slider->value(), slider->maximum()) << name;
    }
    window->ControlsToRecord();
    EXPECT_TRUE(std::isfinite(record.gearFinal));
    EXPECT_GE(record.brakeBias, 0);
    EXPECT_LE(record.brakeBias, 100);
}

INSTANTIATE_TEST_SUITE_P(
    Values, DamagedValues,
    ::testing::Values(Damaged{"NaN", std::numeric_limits<float>::quiet_NaN(), INT_MIN},
                      Damaged{"PlusInfinity", std::numeric_limits<float>::infinity(), INT_MAX},
                      Damaged{"MinusInfinity", -std::numeric_limits<float>::infinity(), INT_MIN},
                      Damaged{"Huge", 1e30f, INT_MAX}, Damaged{"MinusHuge", -1e30f, -1},
                      Damaged{"Denormal", std::numeric_limits<float>::denorm_min(), 0},
                      Damaged{"MinusZero", -0.0f, 1000}),
    [](const auto &row) { return std::string(row.param.name); });
