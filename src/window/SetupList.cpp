// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// The list of stored setups and the remembered active setup.
#include "core/CarFiles.h"
#include "core/FileOps.h"
#include "core/FolderLister.h"
#include "core/IniReader.h"
#include "window/RawNameCombo.h"
#include "window/TfrmMain.h"

#include "ui_frmMain.h"

#include <utility>

void TfrmMain::FillSetupList() {
    FolderLister lister;
    lister.ListFiles(vosk::paths::kSetupPattern);
    vosk::SetNames(ui->cmbSetupList, std::move(lister.names));
}

std::string TfrmMain::ReadActiveSetupName() {
    IniReader reader;
    reader.Load(vosk::paths::kActiveSetupFile);
    if (!reader.loaded) {
        return vosk::paths::kDefaultSetupName;
    }
    return reader.GetString(vosk::kActiveSetupSection, vosk::kActiveSetupKey);
}

void TfrmMain::WriteActiveSetupName() {
    const std::string text = vosk::ActiveSetupText(vosk::SelectedName(ui->cmbSetupList));
    // A setup folder that is missing or read-only means the choice is not
    // remembered; the window goes away all the same. Mostly the choice has
    // not changed, and the file is then left as it is.
    (void)vosk::ReplaceFileIfChanged(vosk::paths::kActiveSetupFile, text.data(), text.size());
}
