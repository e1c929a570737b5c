// The value box beside each slider and the "symmetric" link.
#include "support/TestSupport.h"
#include "window/TfrmMain.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QSlider>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

using namespace vosk::test;

namespace {

class ValueDisplay : public ::testing::Test {
protected:
    ScratchWorkdir workdir;
    std::unique_ptr<TfrmMain> window = std::make_unique<TfrmMain>();

    void Tick(const char *box, bool ticked) {
        Find<QCheckBox>(window.get(), box)->setChecked(ticked);
    }
};

// n / 10^places as the shortest plain decimal, built from integers only.
std::string Decimal(long n, int places) {
    long scale = 1;
    for (int i = 0; i < places; ++i) {
        scale *= 10;
    }
    std::string text = n < 0 ? "-" : "";
    const long magnitude = std::labs(n);
    text += std::to_string(magnitude / scale);
    std::string fraction = std::to_string(magnitude % scale);
    fraction.insert(0, static_cast<std::size_t>(places) - fraction.size(), '0');
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.pop_back();
    }
    return fraction.empty() ? text : text + "." + fraction;
}

enum class Unit { Plain, Bias, Pad, Camber, Ratio, Steer };

std::string Expected(Unit unit, int p) {
    switch (unit) {
    case Unit::Plain:
        return std::to_string(p);
    case Unit::Bias:
        return std::to_string(100 - p);
    case Unit::Pad:
        return Decimal(p * 5L, 3);
    case Unit::Camber:
        return Decimal(p, 1);
    case Unit::Ratio:
        return Decimal(4500L - p, 3);
    case Unit::Steer:
        return std::to_string(p) + ":1";
    }
    return {};
}

struct Row {
    const char *slider;
    const char *box;
    Unit unit;
};

const Row kRows[] = {
    {"trRear", "txtRear", Unit::Plain},
    {"trkBrakeBias", "txtBrakeBias", Unit::Bias},
    {"trkBrakePadLF", "txtBrakePadLF", Unit::Pad},
    {"trkBrakePadRF", "txtBrakePadRF", Unit::Pad},
    {"trkBrakePadLR", "txtBrakePadLR", Unit::Pad},
    {"trkBrakePadRR", "txtBrakePadRR", Unit::Pad},
    {"trkBrakeDiscLF", "txtBrakeDiscLF", Unit::Plain},
    {"trkBrakeDiscRF", "txtBrakeDiscRF", Unit::Plain},
    {"trkBrakeDiscLR", "txtBrakeDiscLR", Unit::Plain},
    {"trkBrakeDiscRR", "txtBrakeDiscRR", Unit::Plain},
    {"trkRollBarF", "txtRollBarF", Unit::Plain},
    {"trkRollBarR", "txtRollBarR", Unit::Plain},
    {"trkSpringLF", "txtSpringLF", Unit::Plain},
    {"trkSpringRF", "txtSpringRF", Unit::Plain},
    {"trkSpringLR", "txtSpringLR", Unit::Plain},
    {"trkSpringRR", "txtSpringRR", Unit::Plain},
    {"trkDampCompLF", "txtDampCompLF", Unit::Plain},
    {"trkDampCompRF", "txtDampCompRF", Unit::Plain},
    {"trkDampCompLR", "txtDampCompLR", Unit::Plain},
    {"trkDampCompRR", "txtDampCompRR", Unit::Plain},
    {"trkDampRebLF", "txtDampRebLF", Unit::Plain},
    {"trkDampRebRF", "txtDampRebRF", Unit::Plain},
    {"trkDampRebLR", "txtDampRebLR", Unit::Plain},
    {"trkDampRebRR", "txtDampRebRR", Unit::Plain},
    {"trkSteerRatio", "txtSteerRatio", Unit::Steer},
    {"trkCamberLF", "txtCamberLF", Unit::Camber},
    {"trkCamberRF", "txtCamberRF", Unit::Camber},
    {"trkCamberLR", "txtCamberLR", Unit::Camber},
    {"trkCamberRR", "txtCamberRR", Unit::Camber},
    {"trkGear1", "txtGear1", Unit::Ratio},
    {"trkGear2", "txtGear2", Unit::Ratio},
    {"trkGear3", "txtGear3", Unit::Ratio},
    {"trkGear4", "txtGear4", Unit::Ratio},
    {"trkGear5", "txtGear5", Unit::Ratio},
    {"trkGear6", "txtGear6", Unit::Ratio},
    {"trkGearFinal", "txtGearFinal", Unit::Ratio},
    {"trkFuel", "txtFuel", Unit::Plain},
};

} // namespace

// Every position of every slider, against a rendering made from integers.
TEST_F(ValueDisplay, EveryPositionShowsItsValueInItsUnit) {
    Tick("chkBrakeSym", false);
    Tick("chkSpringSym", false);
    for (const Row &row : kRows) {
        auto *slider = Find<QSlider>(window.get(), row.slider);
        slider->setValue(slider->maximum());
        for (int p = slider->minimum(); p <= slider->maximum(); ++p) {
            slider->setValue(p);
            ASSERT_EQ(Text(window.get(), row.box), Expected(row.unit, p))
                << row.slider << " at " << p;
        }
    }
}

TEST_F(ValueDisplay, DecimalSeparatorFollowsTheUserLocale) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Move(window.get(), "trkBrakePadLF", 33);
    Move(window.get(), "trkCamberRR", -5);
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(Text(window.get(), "txtBrakePadLF"), "0,165");
    EXPECT_EQ(Text(window.get(), "txtCamberRR"), "-0,5");
}

struct Pair {
    const char *left, *right, *leftBox, *rightBox, *symmetric;
    const char *untouched[2]; // sliders of the same page that must not follow
};

class SymmetricLink : public ValueDisplay, public ::testing::WithParamInterface<Pair> {};

TEST_P(SymmetricLink, EitherSliderCarriesItsPartnerWhenTicked) {
    const Pair &pair = GetParam();
    const int before[2] = {Position(window.get(), pair.untouched[0]),
                           Position(window.get(), pair.untouched[1])};
    auto *left = Find<QSlider>(window.get(), pair.left);
    const int a = left->minimum() + 1;
    const int b = left->maximum() - 1;

    Move(window.get(), pair.left, a);
    EXPECT_EQ(Position(window.get(), pair.right), a);
    EXPECT_EQ(Text(window.get(), pair.rightBox), Text(window.get(), pair.leftBox));
    Move(window.get(), pair.right, b);
    EXPECT_EQ(Position(window.get(), pair.left), b);
    EXPECT_EQ(Text(window.get(), pair.leftBox), Text(window.get(), pair.rightBox));
    EXPECT_EQ(Position(window.get(), pair.untouched[0]), before[0]);
    EXPECT_EQ(Position(window.get(), pair.untouched[1]), before[1]);
}

TEST_P(SymmetricLink, UntickedSlidersMoveAloneAndTickingMovesNothing) {
    const Pair &pair = GetParam();
    Tick(pair.symmetric, false);
    auto *left = Find<QSlider>(window.get(), pair.left);
    const int a = left->minimum() + 1;
    const int b = left->maximum() - 1;
    Move(window.get(), pair.left, a);
    Move(window.get(), pair.right, b);
    const std::string leftText = Text(window.get(), pair.leftBox);
    EXPECT_EQ(Position(window.get(), pair.left), a);

    Tick(pair.symmetric, true);
    EXPECT_EQ(Position(window.get(), pair.left), a);
    EXPECT_EQ(Position(window.get(), pair.right), b);
    EXPECT_EQ(Text(window.get(), pair.leftBox), leftText);

    Move(window.get(), pair.right, b - 1);
    EXPECT_EQ(Position(window.get(), pair.left), b - 1);
}

INSTANTIATE_TEST_SUITE_P(Pairs, SymmetricLink,
                         ::testing::Values(Pair{"trkBrakePadLF",
                                                "trkBrakePadRF",
                                                "txtBrakePadLF",
                                                "txtBrakePadRF",
                                                "chkBrakeSym",
                                                {"trkBrakePadLR", "trkBrakePadRR"}},
                                           Pair{"trkBrakePadLR",
                                                "trkBrakePadRR",
                                                "txtBrakePadLR",
                                                "txtBrakePadRR",
                                                "chkBrakeSym",
                                                {"trkBrakePadLF", "trkBrakeDiscLR"}},
                                           Pair{"trkBrakeDiscLF",
                                                "trkBrakeDiscRF",
                                                "txtBrakeDiscLF",
                                                "txtBrakeDiscRF",
                                                "chkBrakeSym",
                                                {"trkBrakeDiscLR", "trkBrakePadLF"}},
                                           Pair{"trkBrakeDiscLR",
                                                "trkBrakeDiscRR",
                                                "txtBrakeDiscLR",
                                                "txtBrakeDiscRR",
                                                "chkBrakeSym",
                                                {"trkBrakeDiscLF", "trkBrakePadRR"}},
                                           Pair{"trkSpringLF",
                                                "trkSpringRF",
                                                "txtSpringLF",
                                                "txtSpringRF",
                                                "chkSpringSym",
                                                {"trkSpringLR", "trkDampCompLF"}},
                                           Pair{"trkSpringLR",
                                                "trkSpringRR",
                                                "txtSpringLR",
                                                "txtSpringRR",
                                                "chkSpringSym",
                                                {"trkSpringRF", "trkDampRebRR"}},
                                           Pair{"trkDampCompLF",
                                                "trkDampCompRF",
                                                "txtDampCompLF",
                                                "txtDampCompRF",
                                                "chkSpringSym",
                                                {"trkDampCompLR", "trkDampRebLF"}},
                                           Pair{"trkDampCompLR",
                                                "trkDampCompRR",
                                                "txtDampCompLR",
                                                "txtDampCompRR",
                                                "chkSpringSym",
                                                {"trkDampCompRF", "trkSpringLR"}},
                                           Pair{"trkDampRebLF",
                                                "trkDampRebRF",
                                                "txtDampRebLF",
                                                "txtDampRebRF",
                                                "chkSpringSym",
                                                {"trkDampRebLR", "trkSpringRF"}},
                                           Pair{"trkDampRebLR",
                                                "trkDampRebRR",
                                                "txtDampRebLR",
                                                "txtDampRebRR",
                                                "chkSpringSym",
                                                {"trkDampRebLF", "trkDampCompRR"}}),
                         [](const auto &row) {
                             return std::string(row.param.left) + "_" + row.param.right;
                         });

TEST_F(ValueDisplay, RollBarsAndCamberHaveNoPartner) {
    const char *sliders[] = {"trkRollBarF", "trkRollBarR", "trkCamberLF",
                             "trkCamberRF", "trkCamberLR", "trkCamberRR"};
    for (const char *moved : sliders) {
        int before[6];
        for (int i = 0; i < 6; ++i) {
            before[i] = Position(window.get(), sliders[i]);
        }
        Move(window.get(), moved, Position(window.get(), moved) + 7);
        for (int i = 0; i < 6; ++i) {
            if (sliders[i] != moved) {
                EXPECT_EQ(Position(window.get(), sliders[i]), before[i]) << moved;
            }
        }
    }
}

// The hidden toeing and install-ratio sliders share the camber handlers:
// moving one rewrites the camber box of its corner from the camber slider.
TEST_F(ValueDisplay, HiddenSlidersRefreshTheCamberBoxOfTheirCorner) {
    Move(window.get(), "trkCamberLR", 12);
    Find<QLineEdit>(window.get(), "txtCamberLR")->setText("typed");
    Move(window.get(), "TrackBar7", 5);
    EXPECT_EQ(Text(window.get(), "txtCamberLR"), "1.2");
    EXPECT_EQ(Position(window.get(), "trkCamberLR"), 12);
}

TEST_F(ValueDisplay, TypingIntoAnEditableBoxMovesNothingUntilTheSliderMoves) {
    Move(window.get(), "trkDampCompLF", 3);
    Find<QLineEdit>(window.get(), "txtDampCompLF")->setText("9");
    EXPECT_EQ(Position(window.get(), "trkDampCompLF"), 3);
    Move(window.get(), "trkDampCompLF", 2);
    EXPECT_EQ(Text(window.get(), "txtDampCompLF"), "2");
}

TEST_F(ValueDisplay, SlidersClampToTheirRange) {
    Move(window.get(), "trkSpringLF", 200);
    EXPECT_EQ(Position(window.get(), "trkSpringLF"), 160);
    EXPECT_EQ(Text(window.get(), "txtSpringLF"), "160");
}
