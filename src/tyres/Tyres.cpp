// Tyre temperatures from the simulator's last run.
#include "core/IniReader.h"
#include "core/Paths.h"
#include "window/NumberText.h"
#include "window/TfrmMain.h"

#include <QLabel>

void TfrmMain::Button1Click(QObject *) {
    IniReader reader;
    reader.Load(vosk::paths::kTyreTemperatureFile);
    if (!reader.loaded) {
        return;
    }
    // The right-hand wheels are seen from the other side of the car, so
    // their inner and outer readings change columns; the middle stays put.
    const struct {
        const char *key;
        QLabel *box;
    } readings[] = {
        {"TEMP_TIRE0_I", ui.txtLF_I}, {"TEMP_TIRE0_M", ui.txtLF_M}, {"TEMP_TIRE0_O", ui.txtLF_O},
        {"TEMP_TIRE1_I", ui.txtRF_O}, {"TEMP_TIRE1_M", ui.txtRF_M}, {"TEMP_TIRE1_O", ui.txtRF_I},
        {"TEMP_TIRE2_I", ui.txtLR_I}, {"TEMP_TIRE2_M", ui.txtLR_M}, {"TEMP_TIRE2_O", ui.txtLR_O},
        {"TEMP_TIRE3_I", ui.txtRR_O}, {"TEMP_TIRE3_M", ui.txtRR_M}, {"TEMP_TIRE3_O", ui.txtRR_I},
    };
    for (const auto &reading : readings) {
        reading.box->setText(
            vosk::FormatFloat(QStringLiteral("###"), reader.GetFloat("TEMPS", reading.key)));
    }
}
