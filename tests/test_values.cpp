// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// The value box beside each slider, the "symmetric" link, and the transfers
// between the sliders and the setup record.
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QLocale>

#include <map>

using namespace vosk::test;

namespace {

using Row = SliderControls;

class Values : public ::testing::Test {
protected:
    ScratchWorkdir workdir;
    std::unique_ptr<TfrmMain> owned = std::make_unique<TfrmMain>();
    TfrmMain *w = owned.get();
    CarSetup &record = w->Record();

    QSlider *Slider(const std::string &name) { return Find<QSlider>(w, name.c_str()); }
    std::string Box(const std::string &name) { return Text(w, name.c_str()); }
    // Clicks the "symmetric" boxes that are not as wanted.
    void Tick(bool brake, bool spring) {
        for (const auto &[box, ticked] :
             {std::pair{"chkBrakeSym", brake}, {"chkSpringSym", spring}}) {
            if (QCheckBox *check = Find<QCheckBox>(w, box); check->isChecked() != ticked) {
                check->click();
            }
        }
    }
};

} // namespace

// Each slider takes its own word of a loaded record and shows it in its own
// box, also where it did not move; "ok" then stores the same words, keeps
// the reserved ones and clears reserved0 and the tail. Every slider gets a
// different position, so a slider or box wired to another row shows up.
TEST_F(Values, EachSliderShowsAndStoresItsOwnWord) {
    Tick(false, false);
    CarSetup stored;
    for (std::size_t k = 0; k < CarSetup::kWords; ++k) {
        stored.SetWord(k, 0x5EED0000u + static_cast<std::uint32_t>(k));
    }
    std::map<std::string, int> positions;
    int i = 0;
    for (const Row &row : SetupSliders()) {
        const vosk::Slider &s = *row.table;
        // The first slider stays at its start, where loading raises nothing.
        const int p = row.key == "brakeBias" ? 100 : s.min + (i++ * 7) % (s.max - s.min + 1);
        positions[row.slider] = p;
        stored.SetWord(s.word, vosk::StoredWord(s.rule, p));
    }
    record = stored;
    w->RecordToControls();
    for (const Row &row : SetupSliders()) {
        EXPECT_EQ(Position(w, row.slider.c_str()), positions[row.slider]) << row.key;
        EXPECT_EQ(Box(row.box), vosk::ShownText(row.table->rule, positions[row.slider])) << row.key;
    }
    w->ControlsToRecord();
    stored.reserved0 = 0;
    std::fill(std::begin(stored.reservedTail), std::end(stored.reservedTail), 0u);
    EXPECT_EQ(Bytes(record), Bytes(stored));
}

// The boxes follow the user's number settings, here a decimal comma.
TEST_F(Values, BoxesShowTheUsersDecimalSeparator) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German));
    Move(w, "trkBrakePadLF", 60);
    const std::string shown = Box("txtBrakePadLF");
    QLocale::setDefault(previous);
    EXPECT_EQ(shown, "0,3");
}

// A slider carries its partner along, and nothing else, while the box that
// governs the pair is ticked: both, as after creation, and each alone.
TEST_F(Values, EachSliderCarriesOnlyItsPartnerWhileItsBoxIsTicked) {
    const std::vector<Row> rows = SetupSliders();
    for (const auto &[brake, spring] : {std::pair{true, true}, {true, false}, {false, true}}) {
        Tick(brake, spring);
        for (const Row &moved : rows) {
            std::map<std::string, int> before;
            for (const Row &row : rows) {
                before[row.slider] = Slider(row.slider)->value();
            }
            QSlider *slider = Slider(moved.slider);
            const int p =
                slider->value() == slider->maximum() ? slider->minimum() : slider->maximum();
            Move(w, moved.slider.c_str(), p);
            const bool linked = moved.symmetric == "chkBrakeSym" ? brake : spring;
            for (const Row &row : rows) {
                const bool follows =
                    row.slider == moved.slider || (linked && row.slider == moved.partner);
                EXPECT_EQ(Slider(row.slider)->value(), follows ? p : before[row.slider])
                    << row.slider << " after moving " << moved.slider << " with brakes " << brake
                    << ", springs " << spring;
            }
            if (linked && !moved.partner.empty()) {
                EXPECT_EQ(Box("txt" + moved.partner.substr(3)), Box(moved.box));
            }
        }
    }
}
