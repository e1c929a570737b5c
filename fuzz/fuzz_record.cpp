// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// Arbitrary bytes as a setup file: loading it into a real window leaves every
// slider inside its range, and storing it back is defined.
#include "FuzzWindow.h"
#include "core/CarSetup.h"

#include <QSlider>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    TfrmMain &window = FuzzWindow();
    std::FILE *file = std::fopen("cars/vosk/setup/fuzz.rvs", "wb");
    if (!file) {
        std::abort();
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    window.Record() = CarSetup();
    window.Record().Load("cars/vosk/setup/fuzz.rvs");
    window.RecordToControls();
    for (const QSlider *slider : window.findChildren<QSlider *>()) {
        if (slider->value() < slider->minimum() || slider->value() > slider->maximum()) {
            std::abort();
        }
    }
    window.ControlsToRecord();
    window.butCalcSpeedsClick(nullptr);
    return 0;
}
