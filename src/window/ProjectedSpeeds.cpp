// Road speed of each gear at 7000 rpm, from the ratios on the sliders.
#include "window/NumberText.h"
#include "window/TfrmMain.h"
#include "window/WholeNumber.h"

#include <QLabel>

#include <cmath>

namespace {

constexpr float kEngineRpm = 7000.0f;
constexpr float kWheelRadius = 0.317f;

} // namespace

int TfrmMain::ProjectedSpeed(float engineRpm, float gearRatio, float finalRatio,
                             float wheelRadius) {
    // The car's figures are quoted with these exact single-precision
    // constants and with the distance per minute held as a float; a speed
    // computed any more exactly can land on the next whole km/h.
    const double circumference = static_cast<double>(6.28f) * static_cast<double>(wheelRadius);
    const double wheelRpm = static_cast<double>(engineRpm) / static_cast<double>(gearRatio) /
                            static_cast<double>(finalRatio);
    const float distancePerMinute = static_cast<float>(circumference * wheelRpm);
    const double speed =
        static_cast<double>(distancePerMinute) * static_cast<double>(60.0f) * 0.001;
    // The sliders keep every ratio between 0.5 and 4; a damaged record can
    // hold anything and still gets a defined number.
    return vosk::ClampToInt(std::trunc(speed));
}

void TfrmMain::butCalcSpeedsClick(QObject *) {
    ControlsToRecord();
    QLabel *const speeds[6] = {ui.lab1, ui.lab2, ui.lab3, ui.lab4, ui.lab5, ui.lab6};
    for (int i = 0; i < 6; ++i) {
        speeds[i]->setText(vosk::IntToStr(
            ProjectedSpeed(kEngineRpm, setup.gear[i], setup.gearFinal, kWheelRadius)));
    }
}
