// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// Tyre temperatures from the simulator's last run.
#include "core/CarFiles.h"
#include "core/IniReader.h"
#include "core/NumberText.h"
#include "window/TfrmMain.h"

#include "ui_frmMain.h"

#include <QFontMetrics>

namespace {

// A cell never shows a different number: a reading too wide for it is shown
// in smaller type, and one still too wide as its first digits and an
// ellipsis. Its tooltip, and what a screen reader says after the cell's name
// ("LF, inner"), is always the whole number.
void ShowReading(QLabel *cell, const QString &reading) {
    QFont font = cell->parentWidget()->font();
    const auto room = [cell](const QFontMetrics &metrics) {
        // A framed label keeps half an "x" clear of its frame.
        return cell->contentsRect().width() - metrics.horizontalAdvance(QLatin1Char('x')) / 2;
    };
    for (int pixels = font.pixelSize() - 1;
         pixels >= 7 && QFontMetrics(font).horizontalAdvance(reading) > room(QFontMetrics(font));
         --pixels) {
        font.setPixelSize(pixels);
    }
    cell->setFont(font);
    const QFontMetrics metrics(font);
    cell->setText(metrics.elidedText(reading, Qt::ElideRight, room(metrics)));
    cell->setToolTip(reading);
    cell->setAccessibleDescription(reading);
}

} // namespace

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
        ShowReading(boxes[reading.wheel][reading.column],
                    QString::fromStdString(
                        vosk::WholeNumberText(reader.GetFloat(vosk::kTyreSection, reading.key))));
    }
}
