// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// The car's skins: the list of skin folders, the preview of the chosen skin
// and the skin choice file that remembers it.
#include "core/CarFiles.h"
#include "core/FileOps.h"
#include "core/FolderLister.h"
#include "core/IniReader.h"
#include "window/HandlerError.h"
#include "window/RawNameCombo.h"
#include "window/TfrmMain.h"

#include "ui_frmMain.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>

namespace {

// The most memory a decoded preview may take, in the megabytes Qt's image
// allocation limit counts. A bitmap may be as wide or as tall as it likes
// (only its top-left corner is shown), but one whose pixels would need more
// is damaged or hostile and is refused before it is decoded. Qt 6.4 keeps
// its own limit for the whole process, which belongs to the host, so the
// plug-in checks its budget itself and leaves Qt's limit alone.
constexpr qint64 kPreviewMegabytes = 64;

vosk::HandlerError PreviewError(const std::string &path, const QString &why) {
    return vosk::HandlerError("Cannot load the skin preview \"" + path +
                              "\": " + why.toStdString());
}

// Qt draws a bitmap whose pixel rows stop early with the missing rows left
// black. Such a file is damaged, and it is refused like any unreadable one.
// Run-length coded pictures have no fixed size and are left to the decoder.
bool PixelRowsComplete(int fd, off_t fileSize) {
    unsigned char h[34];
    if (::pread(fd, h, sizeof h, 0) != static_cast<ssize_t>(sizeof h)) {
        return true;
    }
    const auto u16 = [&h](int at) {
        return static_cast<std::uint32_t>(h[at]) | static_cast<std::uint32_t>(h[at + 1]) << 8;
    };
    const auto u32 = [&u16](int at) { return u16(at) | u16(at + 2) << 16; };
    const bool coreHeader = u32(14) == 12;
    const std::int64_t width = coreHeader ? u16(18) : static_cast<std::int32_t>(u32(18));
    const std::int64_t height = coreHeader ? u16(20) : static_cast<std::int32_t>(u32(22));
    const std::int64_t bits = coreHeader ? u16(24) : u16(28);
    const std::uint32_t compression = coreHeader ? 0 : u32(30);
    // 0: plain rows; 3: plain rows with colour masks.
    if (compression != 0 && compression != 3) {
        return true;
    }
    const std::int64_t rowBytes = (std::abs(width) * bits + 31) / 32 * 4;
    return static_cast<std::int64_t>(fileSize) >=
           static_cast<std::int64_t>(u32(10)) + rowBytes * std::abs(height);
}

// Reads the Windows bitmap at path. The file is opened by its raw bytes, so
// a skin folder whose name is not UTF-8 still works, and it is always read
// as a bitmap whatever its content looks like. Throws HandlerError naming
// the file when it is missing, not a regular file, not a readable bitmap or
// implausibly large.
QImage ReadPreview(const std::string &path) {
    // O_NONBLOCK: a fifo called ui->bmp must not hang the window.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        throw PreviewError(path, QStringLiteral("the file cannot be opened"));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw PreviewError(path, QStringLiteral("not a file"));
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw PreviewError(path, QStringLiteral("the file cannot be read"));
    }
    QImageReader reader(&file, "bmp");
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty()) {
        throw PreviewError(path, QStringLiteral("not a readable bitmap"));
    }
    // Decoded as 32-bit pixels whatever the file's depth.
    if (qint64(size.width()) * size.height() * 4 > (kPreviewMegabytes << 20)) {
        throw PreviewError(path, QStringLiteral("the picture is too large"));
    }
    if (!PixelRowsComplete(fd, st.st_size)) {
        throw PreviewError(path, QStringLiteral("the picture data is cut short"));
    }
    QImage image = reader.read();
    if (image.isNull()) {
        throw PreviewError(path, reader.errorString());
    }
    return image;
}

} // namespace

void TfrmMain::FillSkinList() {
    ui->cmbSkins->clear();
    FolderLister lister;
    lister.ListFolders(vosk::paths::kSkinsFolder);
    vosk::SetNames(ui->cmbSkins, std::move(lister.names));
    IniReader reader;
    reader.Load(vosk::paths::kSkinChoiceFile);
    if (!reader.loaded) {
        return;
    }
    const int index = vosk::FindName(
        ui->cmbSkins, reader.GetString(vosk::kSkinChoiceSection, vosk::kSkinChoiceKey));
    if (index < 0) {
        return;
    }
    // Selecting from code raises no pick, so the preview is loaded here.
    ui->cmbSkins->setCurrentIndex(index);
    cmbSkinsChange(nullptr);
}

void TfrmMain::cmbSkinsChange(QObject *) {
    const std::string name = vosk::SelectedName(ui->cmbSkins);
    const std::string previewPath =
        std::string(vosk::paths::kSkinsFolder) + "/" + name + "/" + vosk::paths::kSkinPreview;
    // The preview comes first: a skin whose picture cannot be shown never
    // becomes the remembered one, and the old preview stays on screen.
    const QImage preview = ReadPreview(previewPath);
    ui->imgSkin->setPixmap(QPixmap::fromImage(preview));
    // The choice is remembered under the folder's own spelling. A choice
    // file that cannot be written just means the pick is not remembered.
    // Every new window rewrites the choice it just read, so a file that
    // already says exactly this is left as it is.
    const std::string text = vosk::SkinChoiceText(name);
    (void)vosk::ReplaceFileIfChanged(vosk::paths::kSkinChoiceFile, text.data(), text.size());
}
