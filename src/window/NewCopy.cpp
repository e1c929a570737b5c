// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// Adding setups to the setup folder: "new" stores the defaults under a typed
// name, "copy" duplicates the selected setup's stored file.
#include "core/CarFiles.h"
#include "core/FileOps.h"
#include "window/RawNameCombo.h"
#include "window/TFrmNewSetup.h"
#include "window/TfrmMain.h"

#include "ui_frmMain.h"

#include <string>

namespace {

// Whether file names an entry of the setup folder itself. A "/" would lead
// into another folder or out of the setup folder ("../../x"), and a NUL would
// end the name early where the system reads it. With ".rvs" always added the
// name is never "." or "..".
bool IsEntryName(const std::string &file) {
    return file.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

} // namespace

// Shows a fresh name dialog and returns what the user typed, or an empty
// name when the dialog was cancelled or closed. The dialog has no parent
// window (it belongs to the application) and goes away before returning.
std::string TfrmMain::AskSetupName() {
    TFrmNewSetup dialog;
    ShowModal(dialog);
    return dialog.Filename;
}

// Both handlers stop right after the dialog when the window started going
// meanwhile: its owner is gone, and nothing more is written for it.
void TfrmMain::butNewClick(QObject *) {
    const std::string name = AskSetupName();
    if (going || name.empty()) {
        return;
    }
    const std::string file = name + vosk::paths::kSetupExtension;
    const std::string path = vosk::paths::kSetupFolder + file;
    // The gear ratios and the final drive are not part of the defaults, so
    // the new setup carries over whatever the record last held for them.
    setup.SetDefaults();
    // A name that is no entry of the folder is a save that fails: nothing is
    // written or read anywhere, and the window goes on as after any failed
    // save, with nothing selected and the defaults shown.
    const bool entry = IsEntryName(file);
    // Published only where nothing at all, not even a dangling link, stands
    // under the name at that moment: a setup that is there already, or that
    // appears while the dialog closes, is kept as it is.
    unsigned char bytes[CarSetup::kFileSize];
    setup.ToBytes(bytes);
    if (entry) {
        (void)vosk::CreateFileNoReplace(path, bytes, sizeof bytes);
    }
    FillSetupList();
    ui->cmbSetupList->setCurrentIndex(vosk::FindName(ui->cmbSetupList, file));
    // Loading back what is on the disk puts the user on the existing setup
    // when the name was already taken.
    if (entry) {
        setup.Load(path);
    }
    RecordToControls();
}

void TfrmMain::butCopyClick(QObject *) {
    const std::string name = AskSetupName();
    if (going || name.empty()) {
        return;
    }
    const std::string old = vosk::SelectedName(ui->cmbSetupList);
    // The copy is made from the stored file, never from the sliders. A taken
    // name, a missing source or a name that is no entry of the folder simply
    // leaves the folder as it was.
    const std::string file = name + vosk::paths::kSetupExtension;
    if (IsEntryName(file)) {
        (void)vosk::CopyFileNoReplace(vosk::paths::kSetupFolder + old,
                                      vosk::paths::kSetupFolder + file);
    }
    FillSetupList();
    ui->cmbSetupList->setCurrentIndex(vosk::FindName(ui->cmbSetupList, old));
}
