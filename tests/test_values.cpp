// The value box beside each slider, the "symmetric" link, and the transfers
// between the sliders and the setup record.
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QLocale>

#include <climits>
#include <cstdlib>
#include <limits>
#include <map>
#include <tuple>

using namespace vosk::test;

namespace {

// n / 10^places as the shortest plain decimal, built from integers only.
std::string Decimal(long n, int places) {
    const long scale = places == 1 ? 10 : 1000;
    std::string fraction = std::to_string(scale + std::labs(n) % scale).substr(1);
    fraction.erase(fraction.find_last_not_of('0') + 1);
    return (n < 0 ? "-" : "") + std::to_string(std::labs(n) / scale) +
           (fraction.empty() ? "" : "." + fraction);
}

// The text a box must show for slider position p.
using Shown = std::string (*)(int p);
const Shown kPlain = [](int p) { return std::to_string(p); };
const Shown kBias = [](int p) { return std::to_string(100 - p); };
const Shown kPad = [](int p) { return Decimal(p * 5L, 3); };
const Shown kCamber = [](int p) { return Decimal(p, 1); };
const Shown kRatio = [](int p) { return Decimal(4500L - p, 3); };
const Shown kSteer = [](int p) { return std::to_string(p) + ":1"; };

struct Row {
    std::string slider, box;
    Shown shown;
    std::string partner = {};   // the slider a "symmetric" box keeps level with it
    std::string symmetric = {}; // and that box
};

// Every slider that carries a setup value.
std::vector<Row> Rows() {
    std::vector<Row> rows = {{"trRear", "txtRear", kPlain},
                             {"trkBrakeBias", "txtBrakeBias", kBias},
                             {"trkRollBarF", "txtRollBarF", kPlain},
                             {"trkRollBarR", "txtRollBarR", kPlain},
                             {"trkSteerRatio", "txtSteerRatio", kSteer},
                             {"trkFuel", "txtFuel", kPlain}};
    for (const auto &[subject, shown, symmetric] : {std::tuple{"BrakePad", kPad, "chkBrakeSym"},
                                                    {"BrakeDisc", kPlain, "chkBrakeSym"},
                                                    {"Spring", kPlain, "chkSpringSym"},
                                                    {"DampComp", kPlain, "chkSpringSym"},
                                                    {"DampReb", kPlain, "chkSpringSym"},
                                                    {"Camber", kCamber, ""}}) {
        for (const std::string wheel : {"LF", "RF", "LR", "RR"}) {
            const std::string other = (wheel[0] == 'L' ? "R" : "L") + wheel.substr(1);
            rows.push_back({"trk" + (subject + wheel), "txt" + (subject + wheel), shown,
                            *symmetric ? "trk" + (subject + other) : "", symmetric});
        }
    }
    for (const std::string gear : {"1", "2", "3", "4", "5", "6", "Final"}) {
        rows.push_back({"trkGear" + gear, "txtGear" + gear, kRatio});
    }
    return rows;
}

class Values : public ::testing::Test {
protected:
    ScratchWorkdir workdir;
    std::unique_ptr<TfrmMain> owned = std::make_unique<TfrmMain>();
    TfrmMain *w = owned.get();
    CarSetup &record = w->Record();

    QSlider *Slider(const std::string &name) { return Find<QSlider>(w, name.c_str()); }
    std::string Box(const std::string &name) { return Text(w, name.c_str()); }
    // Clicks a "symmetric" box when it is not as wanted.
    void Tick(const char *box, bool ticked) {
        if (QCheckBox *check = Find<QCheckBox>(w, box); check->isChecked() != ticked) {
            check->click();
        }
    }
    void Link(bool ticked) {
        Tick("chkBrakeSym", ticked);
        Tick("chkSpringSym", ticked);
    }
};

} // namespace

// Every position of every slider: the box text against one built from
// integers, and the position itself after a store, a move and a load.
TEST_F(Values, EveryPositionIsShownAndSurvivesStoreAndLoad) {
    Link(false);
    for (const Row &row : Rows()) {
        QSlider *slider = Slider(row.slider);
        slider->setValue(slider->maximum());
        for (int p = slider->minimum(); p <= slider->maximum(); ++p) {
            slider->setValue(p);
            ASSERT_EQ(Box(row.box), row.shown(p)) << row.slider << " at " << p;
            w->ControlsToRecord();
            slider->setValue(p == slider->minimum() ? slider->maximum() : slider->minimum());
            w->RecordToControls();
            ASSERT_EQ(slider->value(), p) << row.slider << " after a store and a load";
        }
    }
}

// Also the boxes whose slider already stood at the stored position, so
// that no change was raised, show their slider's value after a load.
TEST_F(Values, LoadingBringsEveryBoxUpToDate) {
    record.brakeBias = 0;
    w->RecordToControls();
    for (const Row &row : Rows()) {
        EXPECT_EQ(Box(row.box), row.shown(Slider(row.slider)->value())) << row.box;
    }
}

// The boxes follow the user's number settings, here a decimal comma.
TEST_F(Values, BoxesShowTheUsersDecimalSeparator) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German));
    Slider("trkBrakePadLF")->setValue(0);
    Slider("trkBrakePadLF")->setValue(60);
    const std::string shown = Box("txtBrakePadLF");
    QLocale::setDefault(previous);
    EXPECT_EQ(shown, "0,3");
}

// A slider carries its partner along, and nothing else, while the box that
// governs the pair is ticked: both, as after creation, and each alone.
TEST_F(Values, EachSliderCarriesOnlyItsPartnerWhileItsBoxIsTicked) {
    const std::vector<Row> rows = Rows();
    for (const auto &[brake, spring] : {std::pair{true, true}, {true, false}, {false, true}}) {
        Tick("chkBrakeSym", brake);
        Tick("chkSpringSym", spring);
        for (const Row &moved : rows) {
            std::map<std::string, int> before;
            for (const Row &row : rows) {
                before[row.slider] = Slider(row.slider)->value();
            }
            QSlider *slider = Slider(moved.slider);
            const int p =
                slider->value() == slider->maximum() ? slider->minimum() : slider->maximum();
            slider->setValue(p);
            const bool linked = moved.symmetric == "chkBrakeSym" ? brake : spring;
            for (const Row &row : rows) {
                const bool follows =
                    row.slider == moved.slider || (linked && row.slider == moved.partner);
                EXPECT_EQ(Slider(row.slider)->value(), follows ? p : before[row.slider])
                    << row.slider << " after moving " << moved.slider << " with brakes " << brake
                    << ", springs " << spring;
            }
            if (linked && !moved.partner.empty()) {
                EXPECT_EQ(Box("txt" + moved.partner.substr(3)), moved.shown(p));
            }
        }
    }
}

// A record whose values the sliders can show, loaded and stored again, comes
// back bit for bit: each value is the nearest float of its product, and the
// reserved words are kept, except reserved0 and the tail, which are cleared.
TEST_F(Values, StoringWhatWasLoadedGivesTheSameRecord) {
    const auto F = [](float value) { return BitsOf(value); };
    // clang-format off
    const std::uint32_t words[49] = {
        3, 75, F(0.145f), F(0.3f), F(0.005f), F(0.5f), F(15), F(22), F(35), F(30), // to discs
        7, 115, 60, 61, 159, 160, 1, 2, 4, 5, 5, 4, 2, 1, 0,        // bars, springs, dampers
        F(3.999f), F(3), F(3.266f), F(0.501f), F(0.5f), F(4), F(1.585f), 14, // gears, steering
        F(-0.7f), F(0.3f), F(-4), F(4), 0x7FC00001, ~0u, 0, 5,      // camber, reservedA
        1, F(-0.0f), F(1e30f), F(10), F(42), 0, 0, 0};              // reservedB, fuel, tail
    // clang-format on
    const std::string bytes(reinterpret_cast<const char *>(words), sizeof words);
    WriteFile("in.rvs", bytes);
    record.Load("in.rvs");
    record.reserved0 = 77;
    record.reservedTail[2] = ~0u;
    Link(false);
    w->RecordToControls();
    w->ControlsToRecord();
    EXPECT_EQ(Bytes(record), bytes);
}

// Ticked, the left slider of a pair is set first and the link copies it
// across, so the pair ends at its right wheel's value; a pair already at
// exactly its two stored positions stays as it is.
TEST_F(Values, LoadingLinkedPairsEndsAtTheRightWheel) {
    record.SetDefaults();
    record.spring[0] = 100, record.spring[1] = 150, record.spring[2] = 70, record.spring[3] = 90;
    record.brakePad[0] = 0.1f, record.brakePad[1] = 0.2f;
    const auto positions = [this] {
        return std::vector{Position(w, "trkSpringLF"), Position(w, "trkSpringRF"),
                           Position(w, "trkSpringLR"), Position(w, "trkSpringRR"),
                           Position(w, "trkBrakePadLF")};
    };
    w->RecordToControls();
    EXPECT_EQ(positions(), (std::vector{150, 150, 90, 90, 40}));
    Link(false);
    w->RecordToControls();
    EXPECT_EQ(positions(), (std::vector{100, 150, 70, 90, 20}));
    Link(true);
    w->RecordToControls();
    EXPECT_EQ(positions(), (std::vector{100, 150, 70, 90, 20}));
}

// A damaged file can hold values far beyond a slider's range, or beyond any
// position at all: each slider then ends at the nearer end of its range.
TEST_F(Values, DamagedValuesEndAtTheNearerEndOfTheRange) {
    const float inf = std::numeric_limits<float>::infinity();
    const std::pair<float, std::int32_t> damaged[] = {
        {inf, INT_MAX}, {1e30f, INT_MAX}, {-inf, INT_MIN}, {-1e30f, INT_MIN}};
    for (const auto &[f, i] : damaged) {
        record.camber[3] = record.gear[2] = record.fuel = f;
        record.brakeBias = record.spring[3] = i;
        w->RecordToControls();
        EXPECT_EQ(std::vector({Position(w, "trkFuel"), Position(w, "trkCamberRR"),
                               Position(w, "trkGear3"), Position(w, "trkSpringRR"),
                               Position(w, "trkBrakeBias")}),
                  f > 0 ? std::vector({60, 40, 500, 160, 0}) : std::vector({1, -40, 4000, 60, 100}))
            << f;
    }
}
