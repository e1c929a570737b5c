// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// Road speed of each gear at 7000 rpm, from the ratios on the sliders.
#include "core/Gearing.h"
#include "core/NumberText.h"
#include "window/TfrmMain.h"

#include "ui_frmMain.h"

int TfrmMain::ProjectedSpeed(float engineRpm, float gearRatio, float finalRatio,
                             float wheelRadius) {
    return vosk::ProjectedSpeed(engineRpm, gearRatio, finalRatio, wheelRadius);
}

void TfrmMain::butCalcSpeedsClick(QObject *) {
    ControlsToRecord();
    QLabel *const speeds[6] = {ui->lab1, ui->lab2, ui->lab3, ui->lab4, ui->lab5, ui->lab6};
    for (int i = 0; i < 6; ++i) {
        speeds[i]->setText(QString::fromStdString(vosk::IntegerText(
            ProjectedSpeed(vosk::kEngineRpm, setup.gear[i], setup.gearFinal, vosk::kWheelRadius))));
    }
}
