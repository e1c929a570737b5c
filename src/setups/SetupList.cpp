// The list of stored setups and the remembered active setup.
#include "core/FileOps.h"
#include "core/FolderLister.h"
#include "core/IniReader.h"
#include "core/Paths.h"
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
    return reader.GetString("ACTIVESETUP", "NAME");
}

void TfrmMain::WriteActiveSetupName() {
    // CR LF written out: the reader ends the name at the CR, and this
    // platform's text mode would not add it.
    const std::string text =
        "[ACTIVESETUP]\r\nNAME=" + vosk::SelectedName(ui->cmbSetupList) + "\r\n\r\n\r\n";
    // A setup folder that is missing or read-only means the choice is not
    // remembered; the window goes away all the same. Mostly the choice has
    // not changed, and the file is then left as it is.
    (void)vosk::ReplaceFileIfChanged(vosk::paths::kActiveSetupFile, text.data(), text.size());
}
