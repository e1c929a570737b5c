// Adding setups to the setup folder: "new" stores the defaults under a typed
// name, "copy" duplicates the selected setup's stored file.
#include "core/FileOps.h"
#include "core/Paths.h"
#include "setups/TFrmNewSetup.h"
#include "window/RawNameCombo.h"
#include "window/TfrmMain.h"

#include "ui_frmMain.h"

#include <string>

#include <sys/stat.h>

namespace {

constexpr char kSetupExtension[] = ".rvs";

// Anything at all at path, even a folder or a dangling link, keeps a new
// setup from being written there.
bool SomethingAt(const std::string &path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
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
    const std::string file = name + kSetupExtension;
    const std::string path = vosk::paths::kSetupFolder + file;
    // The gear ratios and the final drive are not part of the defaults, so
    // the new setup carries over whatever the record last held for them.
    setup.SetDefaults();
    if (!SomethingAt(path)) {
        setup.Save(path);
    }
    FillSetupList();
    ui->cmbSetupList->setCurrentIndex(vosk::FindName(ui->cmbSetupList, file));
    // Loading back what is on the disk puts the user on the existing setup
    // when the name was already taken.
    setup.Load(path);
    RecordToControls();
}

void TfrmMain::butCopyClick(QObject *) {
    const std::string name = AskSetupName();
    if (going || name.empty()) {
        return;
    }
    const std::string old = vosk::SelectedName(ui->cmbSetupList);
    // The copy is made from the stored file, never from the sliders. A taken
    // name or a missing source simply leaves the folder as it was.
    (void)vosk::CopyFileNoReplace(vosk::paths::kSetupFolder + old,
                                  vosk::paths::kSetupFolder + name + kSetupExtension);
    FillSetupList();
    ui->cmbSetupList->setCurrentIndex(vosk::FindName(ui->cmbSetupList, old));
}
