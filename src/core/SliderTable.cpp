// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "core/SliderTable.h"

#include "core/CarFiles.h"
#include "core/CarSetup.h"
#include "core/NumberText.h"
#include "core/SetupFields.h"
#include "core/Words.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace vosk {
namespace {

// The step multipliers, as the double nearest each decimal. The products are
// formed left to right in double precision, so a box shows the exact decimal
// and the word holds the float nearest to it.
constexpr double kHundredth = 0.01;
constexpr double kTenth = 0.1;
constexpr double kThousandth = 0.001;

// A stored word the window wrote comes back within a thousandth of a step of
// its position; anything else only has to give a position to clamp.
int Nearest(double x) {
    return ClampToInt(std::nearbyint(x));
}

// What position p means in the units of its value box. The stored word and
// the box's text both come from it, so the two cannot drift apart.
double ValueAt(Rule rule, int p) {
    switch (rule) {
    case Rule::Plain:
    case Rule::Whole:
    case Rule::Steer:
        break;
    case Rule::Bias:
        return 100.0 - p;
    case Rule::Pad:
        return p * kHundredth * 0.5;
    case Rule::Camber:
        return p * kTenth;
    case Rule::Ratio:
        return (4500 - p) * kThousandth;
    }
    return p;
}

// The rules whose word is an int; the others store a float.
bool IntWord(Rule rule) {
    return rule == Rule::Plain || rule == Rule::Bias || rule == Rule::Steer;
}

constexpr const char *kSuspensions = "suspensions I";

// The slider of wheel k (LF, RF, LR, RR) of a four-wheel field; with a link,
// its partner is the other wheel of its axle.
constexpr Slider Wheel(std::size_t k, std::string_view field, Rule rule, int min, int max,
                       const char *page, const char *group, Link link) {
    const std::size_t word = WordOfField(field, k), partner = WordOfField(field, k ^ 1);
    return Slider{word, rule, min, max, page, group, kWheelLabels[k], link, partner};
}
#define VOSK_WHEELS(...)                                                                           \
    Wheel(0, __VA_ARGS__), Wheel(1, __VA_ARGS__), Wheel(2, __VA_ARGS__), Wheel(3, __VA_ARGS__)

constexpr std::array<Slider, 37> kTable = {
    Slider{WordOfField("rearWing"), Rule::Plain, 0, 18, "aero", "wings", "rear"},
    Slider{WordOfField("brakeBias"), Rule::Bias, 0, 100, "brakes", "front bias (%)", ""},
    VOSK_WHEELS("brakePad", Rule::Pad, 0, 100, "brakes", "pads (u)", Link::Brakes),
    VOSK_WHEELS("brakeDisc", Rule::Whole, 15, 35, "brakes", "disc size (cm)", Link::Brakes),
    Slider{WordOfField("rollBarFront"), Rule::Plain, 0, 115, kSuspensions, "anti-roll bars (N/mm)",
           "front"},
    Slider{WordOfField("rollBarRear"), Rule::Plain, 0, 115, kSuspensions, "anti-roll bars (N/mm)",
           "rear"},
    VOSK_WHEELS("spring", Rule::Plain, 60, 160, kSuspensions, "springs (N/mm)", Link::Springs),
    VOSK_WHEELS("dampComp", Rule::Plain, 1, 5, kSuspensions, "dampers compression", Link::Springs),
    VOSK_WHEELS("dampReb", Rule::Plain, 1, 5, kSuspensions, "dampers rebound", Link::Springs),
    Slider{WordOfField("steerRatio"), Rule::Steer, 6, 20, "steering", "ratio (degrees)", ""},
    VOSK_WHEELS("camber", Rule::Camber, -40, 40, "suspensions II", "static camber", Link::None),
    Slider{WordOfField("gear", 0), Rule::Ratio, 500, 4000, "transmission", "gear ratios", "1st"},
    Slider{WordOfField("gear", 1), Rule::Ratio, 500, 4000, "transmission", "gear ratios", "2nd"},
    Slider{WordOfField("gear", 2), Rule::Ratio, 500, 4000, "transmission", "gear ratios", "3rd"},
    Slider{WordOfField("gear", 3), Rule::Ratio, 500, 4000, "transmission", "gear ratios", "4th"},
    Slider{WordOfField("gear", 4), Rule::Ratio, 500, 4000, "transmission", "gear ratios", "5th"},
    Slider{WordOfField("gear", 5), Rule::Ratio, 500, 4000, "transmission", "gear ratios", "6th"},
    Slider{WordOfField("gearFinal"), Rule::Ratio, 500, 4000, "transmission", "differential",
           "final ratio"},
    Slider{WordOfField("fuel"), Rule::Whole, 1, 60, "fuel", "fuel (lt)", ""},
};
#undef VOSK_WHEELS

// Each slider and each partner names a word of the record: a misspelt field
// or an element past a field's end gives CarSetup::kWords, which fails here.
constexpr bool EveryWordInRecord() {
    for (const Slider &slider : kTable) {
        if (slider.word >= CarSetup::kWords || slider.partnerWord >= CarSetup::kWords) {
            return false;
        }
    }
    return true;
}
static_assert(EveryWordInRecord(), "a slider names a field or element the record lacks");

} // namespace

const std::array<Slider, 37> kSliders = kTable;

int SliderRowOfWord(std::size_t word) {
    for (std::size_t row = 0; row < kSliders.size(); ++row) {
        if (kSliders[row].word == word) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

std::uint32_t StoredWord(Rule rule, int p) {
    const double value = ValueAt(rule, p);
    return IntWord(rule) ? BitsOf(static_cast<std::int32_t>(value))
                         : BitsOf(static_cast<float>(value));
}

int PositionOf(Rule rule, std::uint32_t word) {
    const double f = static_cast<double>(FloatOf(word));
    switch (rule) {
    case Rule::Plain:
    case Rule::Steer:
        return IntOf(word);
    case Rule::Bias:
        // 100 - v without overflowing on a damaged word.
        return ClampToInt(100.0 - IntOf(word));
    case Rule::Pad:
        return Nearest(f * 2.0 * 100.0);
    case Rule::Whole:
        return Nearest(f);
    case Rule::Camber:
        return Nearest(f * 10.0);
    case Rule::Ratio:
        return Nearest(4500.0 - f * 1000.0);
    }
    return 0;
}

int Clamped(const Slider &slider, int p) {
    return std::clamp(p, slider.min, slider.max);
}

std::string ShownText(Rule rule, int p) {
    const double value = ValueAt(rule, p);
    if (rule == Rule::Pad || rule == Rule::Camber || rule == Rule::Ratio) {
        return DecimalText(value);
    }
    return IntegerText(static_cast<long long>(value)) + (rule == Rule::Steer ? ":1" : "");
}

} // namespace vosk
