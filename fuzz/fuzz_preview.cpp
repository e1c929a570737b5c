// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// Arbitrary bytes as a skin's preview picture: either the picture is shown or
// the pick ends with the error that names the file, never anything else.
#include "FuzzWindow.h"
#include "window/HandlerError.h"

#include <QComboBox>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    TfrmMain &window = FuzzWindow();
    auto *skins = window.findChild<QComboBox *>(QStringLiteral("cmbSkins"));
    if (skins->count() == 0) {
        window.FillSkinList();
        skins->setCurrentIndex(0);
    }
    std::FILE *file = std::fopen("cars/vosk/skins/s/ui.bmp", "wb");
    if (!file) {
        std::abort();
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    try {
        window.cmbSkinsChange(nullptr);
    } catch (const vosk::HandlerError &) {
        // The window reports this in an error box; nothing else may escape.
    }
    return 0;
}
