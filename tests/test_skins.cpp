// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// The skin page: the list of skin folders, the remembered skin, its preview
// picture and the skin choice file.
#include "core/FolderLister.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QMessageBox>

using namespace vosk::test;

namespace {

const std::string kChoice = "cars/vosk/cfg.ini";
const QRgb kRed = qRgb(220, 0, 0);
// A skin folder whose name is not UTF-8 is found and remembered by its bytes.
const std::string kPicked = "\xe9t\xe9";

std::string ChoiceFor(const std::string &name) {
    return "[SKIN]\r\nCURRENT=" + name + "\r\n\r\n";
}
std::string PreviewOf(const std::string &skin) {
    return "cars/vosk/skins/" + skin + "/ui.bmp";
}
std::string Encoded(const QImage &image) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "BMP"));
    return buffer.data().toStdString();
}
std::string Red() {
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(kRed);
    return Encoded(image);
}

// The window under test and what its skin page shows; error holds the text
// of the error box that the last Act raised, answered as a person would.
class SkinPage : public WindowTest {
protected:
    void Act(const std::function<void()> &action) {
        error.clear();
        OnModal<QMessageBox> box([this](QMessageBox *b) {
            error = b->text().toStdString();
            b->buttons().first()->click();
        });
        action();
    }
    QComboBox *Skins() const { return Find<QComboBox>(w, "cmbSkins"); }
    QImage Shown() const { return Find<QLabel>(w, "imgSkin")->grab().toImage(); }
    // What the preview area shows near its top-left corner; 0 when empty.
    QRgb PreviewColour() const {
        return Find<QLabel>(w, "imgSkin")->pixmap().isNull() ? 0 : Shown().pixel(3, 3);
    }
    TfrmMain *w = nullptr;
    std::string error;
};

// A row of data/window/skin-start.txt, which tells the columns.
class Start : public SkinPage, public ::testing::WithParamInterface<std::vector<std::string>> {};

// The list holds the skin folders as listed; the remembered skin is selected
// and, once its preview shows, remembered as the folder spells it. A preview
// that fails is reported naming the file and leaves the choice file alone.
TEST_P(Start, ListsTheSkinsAndSelectsTheRememberedOne) {
    const std::string &choice = GetParam()[2], &selected = GetParam()[3];
    const bool preview = GetParam()[4] != "fails";
    std::istringstream folders(GetParam()[1]);
    for (std::string folder; folders >> folder;) {
        MakeDirs("cars/vosk/skins/" + folder);
    }
    for (int i = 0; i < std::atoi(GetParam()[5].c_str()); ++i) {
        MakeDirs("cars/vosk/skins/skin" + std::to_string(i));
    }
    if (!selected.empty() && preview) {
        WriteFile(PreviewOf(selected), Red());
    }
    WriteFile("cars/vosk/skins/readme", "not a skin");
    if (choice != "-") {
        WriteFile(kChoice, Unescaped(choice));
    }
    Act([this] { w = frame.Open(); });
    EXPECT_TRUE(preview ? error.empty() : error.find(PreviewOf(selected)) != error.npos) << error;
    FolderLister listed;
    listed.ListFolders("cars/vosk/skins");
    std::vector<std::string> items;
    for (int i = 0; i < Skins()->count(); ++i) {
        items.push_back(Skins()->itemText(i).toStdString());
    }
    EXPECT_EQ(items, listed.names);
    EXPECT_EQ(Skins()->currentText().toStdString(), selected);
    const bool shows = !selected.empty() && preview;
    EXPECT_EQ(PreviewColour(), shows ? kRed : 0);
    EXPECT_EQ(ReadFile(kChoice),
              shows ? ChoiceFor(selected) : Unescaped(choice == "-" ? "" : choice));
    EXPECT_EQ(std::filesystem::exists(kChoice), choice != "-");
}

INSTANTIATE_TEST_SUITE_P(SkinPage, Start,
                         ::testing::ValuesIn(Table(VOSK_TEST_DATA "/window/skin-start.txt", 6)),
                         [](const auto &row) { return row.param[0]; });

// Writes the picked skin's preview; returns the picture it must show, or a
// null one when it must be refused.
using PreviewCase = std::pair<const char *, QImage (*)()>;
template <int width, int height, QImage::Format format = QImage::Format_RGB888> QImage Picture() {
    // A gradient, so that a picture scaled or moved from the corner shows.
    QImage image(width, height, QImage::Format_RGB32);
    for (int i = 0; i < width * height; ++i) {
        image.setPixel(i % width, i / width, qRgb(i % 256, i / width % 256, i / 256 * 50 % 256));
    }
    image = image.convertToFormat(format);
    WriteFile(PreviewOf(kPicked), Encoded(image));
    return image;
}
// One of the damaged pictures under data/previews.
QImage Refused(const char *file) {
    const std::string bytes = ReadFile(std::string(VOSK_TEST_DATA "/previews/") + file);
    EXPECT_FALSE(bytes.empty()) << file;
    WriteFile(PreviewOf(kPicked), bytes);
    return {};
}

class PreviewFile : public SkinPage, public ::testing::WithParamInterface<PreviewCase> {};

// A pick shows its preview unscaled from the top-left corner and clipped, and
// remembers it where it can. A picture that cannot be shown is reported; the
// old preview and the remembered skin stay, and the pick stays selected.
TEST_P(PreviewFile, EitherShowsOrKeepsTheOldPreviewAndChoice) {
    WriteFile(PreviewOf("red"), Red());
    MakeDirs("cars/vosk/skins/" + kPicked);
    WriteFile(kChoice, ChoiceFor("red"));
    w = frame.Open();
    ASSERT_EQ(PreviewColour(), kRed);
    const QImage shows = GetParam().second();
    const bool remembers = !std::filesystem::is_directory(kChoice);
    const QString picked = QString::fromUtf8(kPicked.c_str());
    Act([this, &picked] { Pick(w, "cmbSkins", Skins()->findText(picked)); });
    EXPECT_EQ(error.empty(), !shows.isNull()) << error;
    EXPECT_EQ(Skins()->currentText(), picked);
    if (shows.isNull()) {
        EXPECT_EQ(PreviewColour(), kRed);
    } else {
        const QRect corner(0, 0, std::min(shows.width(), 200), std::min(shows.height(), 150));
        EXPECT_EQ(Shown().copy(corner).convertToFormat(QImage::Format_RGB32),
                  shows.copy(corner).convertToFormat(QImage::Format_RGB32));
    }
    EXPECT_EQ(std::filesystem::is_directory(kChoice), !remembers);
    if (remembers) {
        EXPECT_EQ(ReadFile(kChoice), ChoiceFor(shows.isNull() ? "red" : kPicked));
    }
}

const PreviewCase kPreviews[] = {
    {"OneBitSmall", Picture<40, 30, QImage::Format_Mono>},
    {"Wide", Picture<9000, 100>},
    {"Tall", Picture<100, 9000>},
    {"ChoiceCannotBeWritten",
     [] { return std::filesystem::remove(kChoice), MakeDirs(kChoice), Picture<40, 30>(); }},
    {"Missing", [] { return QImage(); }},
    {"AFolder", [] { return MakeDirs(PreviewOf(kPicked)), QImage(); }},
    {"Truncated", [] { return Refused("truncated.bmp"); }},
    {"CoreHeaderTruncated", [] { return Refused("core-header-truncated.bmp"); }},
    {"PngInside", [] { return Refused("png-inside.bmp"); }},
    {"AbsurdSize", [] { return Refused("absurd-size.bmp"); }},
    {"OverTheMemoryBudget", [] { return Refused("over-the-memory-budget.bmp"); }},
};
INSTANTIATE_TEST_SUITE_P(SkinPage, PreviewFile, ::testing::ValuesIn(kPreviews),
                         [](const auto &row) { return std::string(row.param.first); });

} // namespace
