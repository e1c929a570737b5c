// Tyre temperatures from the simulator's last run.
#include "core/IniReader.h"
#include "core/NumberText.h"
#include "core/Paths.h"
#include "core/TyreReadings.h"
#include "window/TfrmMain.h"

#include "ui_frmMain.h"

void TfrmMain::Button1Click(QObject *) {
    IniReader reader;
    reader.Load(vosk::paths::kTyreTemperatureFile);
    if (!reader.loaded) {
        return;
    }
    QLabel *const boxes[4][3] = {{ui->txtLF_I, ui->txtLF_M, ui->txtLF_O},
                                 {ui->txtRF_I, ui->txtRF_M, ui->txtRF_O},
                                 {ui->txtLR_I, ui->txtLR_M, ui->txtLR_O},
                                 {ui->txtRR_I, ui->txtRR_M, ui->txtRR_O}};
    for (const vosk::TyreReading &reading : vosk::kTyreReadings) {
        QLabel *box = boxes[reading.wheel][reading.column];
        box->setText(
            QString::fromStdString(vosk::WholeNumberText(reader.GetFloat("TEMPS", reading.key))));
        // A screen reader hears the cell's name ("LF, inner") and this.
        box->setAccessibleDescription(box->text());
    }
}
