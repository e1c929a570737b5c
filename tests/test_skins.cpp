// The skin page: the list of skin folders, the remembered skin, its preview
// picture and the skin choice file.
#include "setup/FolderLister.h"
#include "support/TestSupport.h"
#include "window/TfrmMain.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

using namespace vosk::test;

namespace {

const std::string kChoice = "cars/vosk/cfg.ini";
const QRgb kRed = qRgb(220, 0, 0);
const QRgb kBlue = qRgb(0, 0, 220);

std::string ChoiceFor(const std::string &name) {
    return "[SKIN]\r\nCURRENT=" + name + "\r\n\r\n";
}
std::string PreviewOf(const std::string &skin) {
    return "cars/vosk/skins/" + skin + "/ui.bmp";
}

std::string Encoded(const QImage &image, const char *format = "BMP") {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format));
    return buffer.data().toStdString();
}
QImage Filled(QRgb colour, QImage::Format format = QImage::Format_RGB32) {
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(colour);
    return image.convertToFormat(format);
}
// Written by raw path, so skin names need not be UTF-8.
void Skin(const std::string &name, QRgb colour) {
    WriteFile(PreviewOf(name), Encoded(Filled(colour)));
}

QComboBox *Skins(const TfrmMain *w) {
    return Find<QComboBox>(w, "cmbSkins");
}
QLabel *Preview(const TfrmMain *w) {
    return Find<QLabel>(w, "imgSkin");
}
std::string Selected(const TfrmMain *w) {
    return Skins(w)->currentText().toStdString();
}
// What the preview area shows near its top-left corner; 0 when empty.
QRgb PreviewColour(const TfrmMain *w) {
    return Preview(w)->pixmap().isNull() ? 0 : Preview(w)->grab().toImage().pixel(3, 3);
}
void Pick(TfrmMain *w, const std::string &name) {
    const int index = Skins(w)->findText(QString::fromStdString(name));
    Skins(w)->setCurrentIndex(index);
    Q_EMIT Skins(w)->activated(index);
}

// Records and closes the next error box, from inside its modal loop.
class ErrorBox {
public:
    ErrorBox() { Poll(400); }
    bool seen = false;
    std::string text;

private:
    void Poll(int triesLeft) {
        QTimer::singleShot(5, &context, [this, triesLeft] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box && triesLeft > 0) {
                Poll(triesLeft - 1);
            } else if (box) {
                seen = true;
                text = box->text().toStdString();
                box->buttons().first()->click();
            }
        });
    }
    QObject context;
};

class SkinPage : public ::testing::Test {
protected:
    ScratchWorkdir workdir;
    Frame frame;
};

struct StartCase {
    const char *name;
    std::vector<std::string> folders;
    const char *choice;    // nullptr: no skin choice file
    const char *selected;  // "" when nothing is selected
    const char *rewritten; // nullptr: the file is left exactly as it was
};
void PrintTo(const StartCase &row, std::ostream *out) {
    *out << row.name;
}

class Start : public SkinPage, public ::testing::WithParamInterface<StartCase> {};

} // namespace

TEST_P(Start, SelectsTheRememberedSkin) {
    const StartCase &c = GetParam();
    for (const std::string &folder : c.folders) {
        Skin(folder, folder == "red" ? kRed : kBlue);
    }
    WriteFile("cars/vosk/skins/readme", "not a skin");
    if (c.choice) {
        WriteFile(kChoice, c.choice);
    }
    ErrorBox error;
    TfrmMain *window = frame.Open();
    EXPECT_FALSE(error.seen) << error.text;
    FolderLister listed;
    listed.ListFolders("cars/vosk/skins");
    std::vector<std::string> items;
    for (int i = 0; i < Skins(window)->count(); ++i) {
        items.push_back(Skins(window)->itemText(i).toStdString());
    }
    EXPECT_EQ(items, listed.names);
    EXPECT_EQ(Selected(window), c.selected);
    EXPECT_EQ(PreviewColour(window), *c.selected ? kRed : 0);
    EXPECT_EQ(ReadFile(kChoice), c.rewritten ? c.rewritten : c.choice ? c.choice : "");
    EXPECT_EQ(Exists(kChoice), c.choice != nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    SkinPage, Start,
    ::testing::Values(
        StartCase{"Remembered",
                  {"blue", "red"},
                  "[SKIN]\r\nCURRENT=red\r\n\r\n",
                  "red",
                  "[SKIN]\r\nCURRENT=red\r\n\r\n"},
        StartCase{"LetterCaseDiffers",
                  {"blue", "red"},
                  "[SKIN]\r\nCURRENT=RED\r\n",
                  "red",
                  "[SKIN]\r\nCURRENT=red\r\n\r\n"},
        StartCase{"OtherSectionsAreDropped",
                  {"red"},
                  "[OTHER]\r\nA=1\r\n[SKIN]\r\nCURRENT=red\r\n\r\n[MORE]\r\nB=2\r\n",
                  "red",
                  "[SKIN]\r\nCURRENT=red\r\n\r\n"},
        StartCase{"LfOnlyLines", {"blue", "red"}, "[SKIN]\nCURRENT=red\n\n", "", nullptr},
        StartCase{"ExtraSpace", {"blue", "red"}, "[SKIN]\r\nCURRENT=red \r\n", "", nullptr},
        StartCase{"DottedFolderIsNoSkin",
                  {"blue", "race.old"},
                  "[SKIN]\r\nCURRENT=race.old\r\n",
                  "",
                  nullptr},
        StartCase{"NoChoiceFile", {"blue", "red"}, nullptr, "", nullptr},
        StartCase{"NoSkinsFolder", {}, "[SKIN]\r\nCURRENT=red\r\n", "", nullptr}),
    [](const auto &row) { return std::string(row.param.name); });

TEST_F(SkinPage, APickShowsThePreviewAndRemembersTheFolderBytes) {
    const std::string latin1 = "\xe9t\xe9";
    Skin(latin1, kBlue);
    Skin("red", kRed);
    WriteFile(kChoice, ChoiceFor("red"));
    TfrmMain *window = frame.Open();
    ErrorBox error;
    Pick(window, QString::fromUtf8(latin1.c_str()).toStdString());
    EXPECT_FALSE(error.seen) << error.text;
    EXPECT_EQ(PreviewColour(window), kBlue);
    EXPECT_EQ(ReadFile(kChoice), ChoiceFor(latin1));
}

TEST_F(SkinPage, APreviewThatFailsAtCreationLeavesTheSkinSelectedWithoutPicture) {
    MakeDirs("cars/vosk/skins/red");
    WriteFile(kChoice, ChoiceFor("RED"));
    ErrorBox error;
    TfrmMain *window = frame.Open();
    EXPECT_NE(error.text.find(PreviewOf("red")), std::string::npos) << error.text;
    EXPECT_EQ(Selected(window), "red");
    EXPECT_EQ(PreviewColour(window), 0u);
    EXPECT_EQ(ReadFile(kChoice), ChoiceFor("RED"));
}

TEST_F(SkinPage, AChoiceThatCannotBeWrittenStillShowsThePreview) {
    Skin("red", kRed);
    TfrmMain *window = frame.Open();
    MakeDirs(kChoice);
    ErrorBox error;
    Pick(window, "red");
    EXPECT_FALSE(error.seen) << error.text;
    EXPECT_EQ(PreviewColour(window), kRed);
    EXPECT_TRUE(std::filesystem::is_directory(kChoice));
}

TEST_F(SkinPage, ThePreviewIsDrawnUnscaledFromTheTopLeftAndClipped) {
    QImage large(300, 200, QImage::Format_RGB32);
    for (int y = 0; y < large.height(); ++y) {
        for (int x = 0; x < large.width(); ++x) {
            large.setPixel(x, y, qRgb(x % 256, y, x / 256 * 200));
        }
    }
    WriteFile(PreviewOf("large"), Encoded(large));
    Skin("small", kBlue); // 40 x 30
    WriteFile(kChoice, ChoiceFor("large"));
    TfrmMain *window = frame.Open();
    EXPECT_EQ(Preview(window)->grab().toImage().convertToFormat(QImage::Format_RGB32),
              large.copy(0, 0, 200, 150));
    Pick(window, "small");
    const QImage shown = Preview(window)->grab().toImage();
    EXPECT_EQ(shown.size(), QSize(200, 150));
    EXPECT_EQ(shown.pixel(39, 29), kBlue);
    EXPECT_NE(shown.pixel(40, 10), kBlue);
    EXPECT_NE(shown.pixel(10, 30), kBlue);
}

namespace {

struct PreviewCase {
    const char *name;
    // Writes blue/ui.bmp; returns the colour it shows, 0 when it must fail.
    QRgb (*write)();
};
void PrintTo(const PreviewCase &row, std::ostream *out) {
    *out << row.name;
}

template <QImage::Format format> QRgb Bitmap() {
    const QImage image = Filled(qRgb(0, 255, 0), format);
    WriteFile(PreviewOf("blue"), Encoded(image));
    return image.pixel(3, 3);
}
QRgb Bytes(const std::string &bytes) {
    WriteFile(PreviewOf("blue"), bytes);
    return 0;
}

class PreviewFile : public SkinPage, public ::testing::WithParamInterface<PreviewCase> {};

} // namespace

TEST_P(PreviewFile, EitherShowsOrKeepsTheOldPreviewAndChoice) {
    Skin("red", kRed);
    MakeDirs("cars/vosk/skins/blue");
    const QRgb shows = GetParam().write();
    WriteFile(kChoice, ChoiceFor("red"));
    TfrmMain *window = frame.Open();
    ASSERT_EQ(PreviewColour(window), kRed);
    ErrorBox error;
    Pick(window, "blue");
    EXPECT_EQ(Selected(window), "blue");
    EXPECT_EQ(error.seen, shows == 0) << error.text;
    EXPECT_EQ(PreviewColour(window), shows ? shows : kRed);
    EXPECT_EQ(ReadFile(kChoice), ChoiceFor(shows ? "blue" : "red"));
    if (!shows) {
        EXPECT_NE(error.text.find(PreviewOf("blue")), std::string::npos) << error.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    SkinPage, PreviewFile,
    ::testing::Values(PreviewCase{"OneBit", Bitmap<QImage::Format_Mono>},
                      PreviewCase{"EightBit", Bitmap<QImage::Format_Indexed8>},
                      PreviewCase{"ThirtyTwoBit", Bitmap<QImage::Format_ARGB32>},
                      PreviewCase{"Missing", [] { return QRgb(0); }},
                      PreviewCase{"AFolder", [] { return MakeDirs(PreviewOf("blue")), QRgb(0); }},
                      PreviewCase{"Empty", [] { return Bytes(""); }},
                      PreviewCase{"Truncated",
                                  [] { return Bytes(Encoded(Filled(kBlue)).substr(0, 60)); }},
                      PreviewCase{"PngInside", [] { return Bytes(Encoded(Filled(kBlue), "PNG")); }},
                      PreviewCase{"AbsurdSize",
                                  [] {
                                      std::string bytes = Encoded(Filled(kBlue));
                                      bytes.replace(18, 8, "\xa0\x86\x01\0\xa0\x86\x01\0",
                                                    8); // 100000 x 100000
                                      return Bytes(bytes);
                                  }}),
    [](const auto &row) { return std::string(row.param.name); });
