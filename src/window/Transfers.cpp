// The two transfers between the sliders (the working copy of the setup) and
// the window's setup record.
#include "window/TfrmMain.h"
#include "window/Units.h"
#include "window/WholeNumber.h"

#include <QSlider>

#include <cmath>

namespace {

using namespace vosk::units;

// A position computed from a stored value. Values the window wrote come back
// within a thousandth of a step of their position; anything else only has to
// give a position the slider can clamp.
int Nearest(double x) {
    return vosk::ClampToInt(std::nearbyint(x));
}

// 100 - v for the brake bias, without overflowing on a damaged word.
int Reversed(std::int32_t v) {
    return vosk::ClampToInt(100.0 - v);
}

float RatioFrom(int p) {
    return static_cast<float>((4500 - p) * kThousandth);
}
int RatioPosition(float v) {
    return Nearest(4500.0 - static_cast<double>(v) * 1000.0);
}

// The sliders of the rows with one slider per wheel (LF, RF, LR, RR) and of
// the six gears.
struct RowSliders {
    QSlider *pads[4];
    QSlider *discs[4];
    QSlider *springs[4];
    QSlider *comps[4];
    QSlider *rebs[4];
    QSlider *cambers[4];
    QSlider *gears[6];
};

RowSliders SlidersOf(const Ui::frmMain &ui) {
    return {{ui.trkBrakePadLF, ui.trkBrakePadRF, ui.trkBrakePadLR, ui.trkBrakePadRR},
            {ui.trkBrakeDiscLF, ui.trkBrakeDiscRF, ui.trkBrakeDiscLR, ui.trkBrakeDiscRR},
            {ui.trkSpringLF, ui.trkSpringRF, ui.trkSpringLR, ui.trkSpringRR},
            {ui.trkDampCompLF, ui.trkDampCompRF, ui.trkDampCompLR, ui.trkDampCompRR},
            {ui.trkDampRebLF, ui.trkDampRebRF, ui.trkDampRebLR, ui.trkDampRebRR},
            {ui.trkCamberLF, ui.trkCamberRF, ui.trkCamberLR, ui.trkCamberRR},
            {ui.trkGear1, ui.trkGear2, ui.trkGear3, ui.trkGear4, ui.trkGear5, ui.trkGear6}};
}

} // namespace

void TfrmMain::ControlsToRecord() {
    const RowSliders rows = SlidersOf(ui);
    setup.rearWing = ui.trRear->value();
    setup.brakeBias = 100 - ui.trkBrakeBias->value();
    for (int w = 0; w < 4; ++w) {
        setup.brakePad[w] = static_cast<float>(rows.pads[w]->value() * kHundredth * 0.5);
        setup.brakeDisc[w] = static_cast<float>(rows.discs[w]->value());
        setup.spring[w] = rows.springs[w]->value();
        setup.dampComp[w] = rows.comps[w]->value();
        setup.dampReb[w] = rows.rebs[w]->value();
        setup.camber[w] = static_cast<float>(rows.cambers[w]->value() * kTenth);
    }
    setup.rollBarFront = ui.trkRollBarF->value();
    setup.rollBarRear = ui.trkRollBarR->value();
    setup.steerRatio = ui.trkSteerRatio->value();
    for (int g = 0; g < 6; ++g) {
        setup.gear[g] = RatioFrom(rows.gears[g]->value());
    }
    setup.gearFinal = RatioFrom(ui.trkGearFinal->value());
    setup.fuel = static_cast<float>(ui.trkFuel->value());
    setup.reserved0 = 0;
    for (auto &word : setup.reservedTail) {
        word = 0;
    }
}

void TfrmMain::RecordToControls() {
    // The order matters: each left-hand slider is set before its right-hand
    // partner, so with a "symmetric" box ticked a pair ends at the value
    // stored for its right-hand wheel.
    const RowSliders rows = SlidersOf(ui);
    ui.trRear->setValue(setup.rearWing);
    ui.trkBrakeBias->setValue(Reversed(setup.brakeBias));
    for (int w = 0; w < 4; ++w) {
        rows.pads[w]->setValue(Nearest(static_cast<double>(setup.brakePad[w]) * 2.0 * 100.0));
    }
    for (int w = 0; w < 4; ++w) {
        rows.discs[w]->setValue(Nearest(static_cast<double>(setup.brakeDisc[w])));
    }
    ui.trkRollBarF->setValue(setup.rollBarFront);
    ui.trkRollBarR->setValue(setup.rollBarRear);
    for (int w = 0; w < 4; ++w) {
        rows.springs[w]->setValue(setup.spring[w]);
    }
    for (int w = 0; w < 4; ++w) {
        rows.comps[w]->setValue(setup.dampComp[w]);
    }
    for (int w = 0; w < 4; ++w) {
        rows.rebs[w]->setValue(setup.dampReb[w]);
    }
    ui.trkSteerRatio->setValue(setup.steerRatio);
    for (int w = 0; w < 4; ++w) {
        rows.cambers[w]->setValue(Nearest(static_cast<double>(setup.camber[w]) * 10.0));
    }
    for (int g = 0; g < 6; ++g) {
        rows.gears[g]->setValue(RatioPosition(setup.gear[g]));
    }
    ui.trkGearFinal->setValue(RatioPosition(setup.gearFinal));
    ui.trkFuel->setValue(Nearest(static_cast<double>(setup.fuel)));

    // Boxes whose slider already stood at the stored position raised no
    // change, so every box is brought up to date here.
    ShowAllValues();
}
