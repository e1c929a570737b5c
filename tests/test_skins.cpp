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
const QRgb kRed = qRgb(220, 0, 0), kBlue = qRgb(0, 0, 220);

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
QImage Filled(QRgb colour, QImage::Format format = QImage::Format_RGB32, QSize size = {40, 30}) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image.convertToFormat(format);
}
// Written by raw path, so skin names need not be UTF-8.
void Skin(const std::string &name, QRgb colour) {
    WriteFile(PreviewOf(name), Encoded(Filled(colour)));
}

// Records and closes the next error box.
struct ErrorBox : OnModal<QMessageBox> {
    ErrorBox()
        : OnModal([this](QMessageBox *box) {
              text = box->text().toStdString();
              box->buttons().first()->click();
          }) {}
    std::string text;
};

struct StartCase {
    const char *name;
    std::vector<std::string> folders;
    const char *choice;   // nullptr: no skin choice file
    const char *selected; // "" when nothing is selected
    bool rewritten;       // else the file is left exactly as it was
};
void PrintTo(const StartCase &row, std::ostream *os) {
    *os << row.name;
}

// The window under test, with what its skin page shows.
class SkinPage : public WindowTest {
protected:
    TfrmMain *w = nullptr;
    QComboBox *Skins() const { return Find<QComboBox>(w, "cmbSkins"); }
    QImage Shown() const { return Find<QLabel>(w, "imgSkin")->grab().toImage(); }
    // What the preview area shows near its top-left corner; 0 when empty.
    QRgb PreviewColour() const {
        return Find<QLabel>(w, "imgSkin")->pixmap().isNull() ? 0 : Shown().pixel(3, 3);
    }
    void PickSkin(const std::string &name) {
        Pick(w, "cmbSkins", Skins()->findText(QString::fromUtf8(name.c_str())));
    }
};

class Start : public SkinPage, public ::testing::WithParamInterface<StartCase> {};

} // namespace

TEST_P(Start, ListsTheSkinsAndSelectsTheRememberedOne) {
    const StartCase &c = GetParam();
    for (const std::string &folder : c.folders) {
        Skin(folder, folder == "red" ? kRed : kBlue);
    }
    WriteFile("cars/vosk/skins/readme", "not a skin");
    if (c.choice) {
        WriteFile(kChoice, c.choice);
    }
    ErrorBox error;
    w = frame.Open();
    EXPECT_FALSE(error.seen) << error.text;
    FolderLister listed;
    listed.ListFolders("cars/vosk/skins");
    ASSERT_EQ(Skins()->count(), static_cast<int>(listed.names.size()));
    for (int i = 0; i < Skins()->count(); ++i) {
        EXPECT_EQ(Skins()->itemText(i).toStdString(), listed.names[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(Skins()->currentText().toStdString(), c.selected);
    EXPECT_EQ(PreviewColour(), *c.selected ? kRed : 0);
    EXPECT_EQ(ReadFile(kChoice), c.rewritten ? ChoiceFor(c.selected) : c.choice ? c.choice : "");
    EXPECT_EQ(Exists(kChoice), c.choice != nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    SkinPage, Start,
    ::testing::Values(
        StartCase{"Remembered", {"blue", "red"}, "[SKIN]\r\nCURRENT=red\r\n\r\n", "red", true},
        StartCase{"LetterCaseDiffers", {"blue", "red"}, "[SKIN]\r\nCURRENT=RED\r\n", "red", true},
        StartCase{"OtherSectionsAreDropped",
                  {"red"},
                  "[OTHER]\r\nA=1\r\n[SKIN]\r\nCURRENT=red\r\n\r\n[MORE]\r\nB=2\r\n",
                  "red",
                  true},
        StartCase{"LfOnlyLines", {"blue", "red"}, "[SKIN]\nCURRENT=red\n\n", "", false},
        StartCase{
            "DottedFolderIsNoSkin", {"race.old"}, "[SKIN]\r\nCURRENT=race.old\r\n", "", false},
        StartCase{"NoChoiceFile", {"blue", "red"}, nullptr, "", false},
        StartCase{"BinaryGarbage", {"blue", "red"}, "\x01\xff[\x80]=\r\n\xfe", "", false},
        StartCase{
            "PathInTheName", {"blue", "red"}, "[SKIN]\r\nCURRENT=../skins/red\r\n", "", false},
        StartCase{"NoSkins", {}, "[SKIN]\r\nCURRENT=red\r\n", "", false}),
    [](const auto &row) { return std::string(row.param.name); });

TEST_F(SkinPage, AThousandSkinsAreAllListedAndTheRememberedOneFound) {
    for (int i = 0; i < 1000; ++i) {
        MakeDirs("cars/vosk/skins/skin" + std::to_string(i));
    }
    Skin("skin999", kRed);
    WriteFile(kChoice, ChoiceFor("SKIN999"));
    w = frame.Open();
    EXPECT_EQ(Skins()->count(), 1000);
    EXPECT_EQ(Skins()->currentText().toStdString(), "skin999");
    EXPECT_EQ(PreviewColour(), kRed);
    EXPECT_EQ(ReadFile(kChoice), ChoiceFor("skin999"));
}

TEST_F(SkinPage, APickShowsThePreviewAndRemembersTheFolderBytes) {
    const std::string latin1 = "\xe9t\xe9";
    Skin(latin1, kBlue);
    Skin("red", kRed);
    w = frame.Open();
    ErrorBox error;
    PickSkin(QString::fromUtf8(latin1.c_str()).toStdString());
    EXPECT_FALSE(error.seen) << error.text;
    EXPECT_EQ(PreviewColour(), kBlue);
    EXPECT_EQ(ReadFile(kChoice), ChoiceFor(latin1));
}

// The window opens all the same, the remembered skin selected, but with no
// preview and the choice file untouched.
TEST_F(SkinPage, APreviewThatFailsAtCreationIsReportedInAnErrorBox) {
    MakeDirs("cars/vosk/skins/red");
    WriteFile(kChoice, ChoiceFor("RED"));
    ErrorBox error;
    w = frame.Open();
    EXPECT_NE(error.text.find(PreviewOf("red")), std::string::npos) << error.text;
    EXPECT_EQ(Skins()->currentText(), "red");
    EXPECT_EQ(PreviewColour(), 0u);
    EXPECT_EQ(ReadFile(kChoice), ChoiceFor("RED"));
}

TEST_F(SkinPage, AChoiceThatCannotBeWrittenStillShowsThePreview) {
    Skin("red", kRed);
    w = frame.Open();
    MakeDirs(kChoice);
    ErrorBox error;
    PickSkin("red");
    EXPECT_FALSE(error.seen) << error.text;
    EXPECT_EQ(PreviewColour(), kRed);
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
    w = frame.Open();
    EXPECT_EQ(Shown().convertToFormat(QImage::Format_RGB32), large.copy(0, 0, 200, 150));
    PickSkin("small");
    EXPECT_EQ(Shown().size(), QSize(200, 150));
    EXPECT_EQ(Shown().pixel(39, 29), kBlue);
    EXPECT_NE(Shown().pixel(40, 10), kBlue);
    EXPECT_NE(Shown().pixel(10, 30), kBlue);
}

namespace {

// Writes blue/ui.bmp and returns the colour it shows, or 0 when it must fail.
using PreviewCase = std::pair<const char *, QRgb (*)()>;

template <QImage::Format format, int width = 40, int height = 30> QRgb Bitmap() {
    const QImage image = Filled(qRgb(0, 255, 0), format, {width, height});
    WriteFile(PreviewOf("blue"), Encoded(image));
    return image.pixel(3, 3);
}
QRgb Raw(const std::string &bytes) {
    WriteFile(PreviewOf("blue"), bytes);
    return 0;
}

class PreviewFile : public SkinPage, public ::testing::WithParamInterface<PreviewCase> {};

} // namespace

// A picture that cannot be shown is reported, and the old preview and the
// remembered skin stay; the pick itself stays selected.
TEST_P(PreviewFile, EitherShowsOrKeepsTheOldPreviewAndChoice) {
    Skin("red", kRed);
    MakeDirs("cars/vosk/skins/blue");
    const QRgb shows = GetParam().second();
    WriteFile(kChoice, ChoiceFor("red"));
    w = frame.Open();
    ASSERT_EQ(PreviewColour(), kRed);
    ErrorBox error;
    PickSkin("blue");
    EXPECT_EQ(Skins()->currentText(), "blue");
    EXPECT_EQ(PreviewColour(), shows ? shows : kRed);
    EXPECT_EQ(ReadFile(kChoice), ChoiceFor(shows ? "blue" : "red"));
    EXPECT_EQ(error.text.find(PreviewOf("blue")) != std::string::npos, shows == 0) << error.text;
}

INSTANTIATE_TEST_SUITE_P(
    SkinPage, PreviewFile,
    ::testing::Values(PreviewCase{"OneBit", Bitmap<QImage::Format_Mono>},
                      PreviewCase{"Wide", Bitmap<QImage::Format_RGB888, 9000, 100>},
                      PreviewCase{"Tall", Bitmap<QImage::Format_RGB888, 100, 9000>},
                      PreviewCase{"Missing", [] { return QRgb(0); }},
                      PreviewCase{"AFolder", [] { return MakeDirs(PreviewOf("blue")), QRgb(0); }},
                      PreviewCase{"Truncated",
                                  [] { return Raw(Encoded(Filled(kBlue)).substr(0, 60)); }},
                      PreviewCase{"PngInside", [] { return Raw(Encoded(Filled(kBlue), "PNG")); }},
                      PreviewCase{"AbsurdSize",
                                  [] {
                                      std::string bytes = Encoded(Filled(kBlue));
                                      // 100000 x 100000 pixels
                                      bytes.replace(18, 8, "\xa0\x86\x01\0\xa0\x86\x01\0", 8);
                                      return Raw(bytes);
                                  }}),
    [](const auto &row) { return std::string(row.param.first); });
