// The window inside the host's frame: activation, picking, "ok", close
// requests and destruction, also over damaged and unusual setup files.
#include "support/TestSupport.h"

#include <QAbstractItemView>
#include <QDialog>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScrollBar>

#include <optional>

using namespace vosk::test;

namespace {

std::string Selected(const TfrmMain *w) {
    return Find<QComboBox>(w, "cmbSetupList")->currentText().toStdString();
}
int IndexOf(const TfrmMain *w, const char *name) {
    return Find<QComboBox>(w, "cmbSetupList")->findText(QString::fromUtf8(name));
}

using Lifecycle = WindowTest;

} // namespace

TEST_F(Lifecycle, FirstOpeningShowsTheDefaultsAndOnlyOkClosesIt) {
    MakeDirs(kSetupDir);
    QPointer<TfrmMain> w = frame.Open();
    const std::pair<const char *, int> defaults[] = {
        {"trkBrakeBias", 25}, {"trkBrakeDiscLF", 35}, {"trkGear3", 4000}, {"trkFuel", 30}};
    for (const auto &[slider, position] : defaults) {
        EXPECT_EQ(Position(w, slider), position) << slider;
    }
    EXPECT_EQ(Selected(w), "");
    // The disc and gear defaults lie beyond their sliders, which end at 35
    // and at a ratio of 0.5; a store keeps the slider ends.
    w->ControlsToRecord();
    EXPECT_EQ(std::pair(w->Record().brakeDisc[3], w->Record().gear[5]), std::pair(35.0f, 0.5f));
    // A close request from the frame only minimises the window.
    auto *sub = qobject_cast<QMdiSubWindow *>(w->parentWidget());
    sub->close();
    Frame::Settle();
    ASSERT_FALSE(w.isNull());
    EXPECT_TRUE(sub->isMinimized());
    EXPECT_TRUE(Entries(kSetupDir).empty());
    Click(w, "butOk");
    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(Entries(kSetupDir), std::set<std::string>{"conf.ini"});
    EXPECT_EQ(ReadFile(kConf), ConfFor(""));
}

// A pick drops unsaved edits and reaches the active-setup file only when the
// window goes; each activation reloads the remembered setup, and another
// window keeps its own values meanwhile.
TEST_F(Lifecycle, EachActivationReloadsTheRememberedSetup) {
    WriteFile(kSetupDir + "a.rvs", Bytes(SetupWithSpring(100)));
    WriteFile(kSetupDir + "b.rvs", Bytes(SetupWithSpring(155)));
    WriteFile(kConf, ConfFor("a.rvs"));
    TfrmMain *first = frame.Open();
    Move(first, "trRear", 1);
    Pick(first, "cmbSetupList", IndexOf(first, "b.rvs"));
    EXPECT_EQ(std::pair(Position(first, "trkSpringLF"), Position(first, "trRear")),
              std::pair(155, 16));

    TfrmMain *second = frame.Open();
    Move(second, "trkFuel", 59);
    frame.area()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(first->parentWidget()));
    Frame::Settle();
    EXPECT_EQ(Selected(first), "a.rvs");
    EXPECT_EQ(Position(first, "trkSpringLF"), 100);
    EXPECT_EQ(Position(second, "trkFuel"), 59);
    EXPECT_EQ(ReadFile(kConf), ConfFor("a.rvs"));
}

TEST_F(Lifecycle, DestroyingTheOwnerDestroysTheWindowWithoutSaving) {
    WriteFile(kSetupDir + "a.rvs", Bytes(SetupWithSpring(100)));
    WriteFile(kSetupDir + "b.rvs", Bytes(SetupWithSpring(155)));
    auto owner = std::make_unique<QObject>();
    QPointer<TfrmMain> owned = frame.Open(owner.get());
    QPointer<TfrmMain> free = frame.Open();
    Pick(owned, "cmbSetupList", IndexOf(owned, "b.rvs"));
    Move(owned, "trkSpringLF", 61);
    owner.reset();
    EXPECT_TRUE(owned.isNull());
    EXPECT_FALSE(free.isNull());
    EXPECT_EQ(ReadFile(kConf), ConfFor("b.rvs"));
    EXPECT_EQ(ReadFile(kSetupDir + "b.rvs"), Bytes(SetupWithSpring(155)));
}

// A host may destroy the owner while a handler waits in a modal dialog (even
// one just answered with "ok"): the dialog closes, the handler stops without
// writing anything, and the window goes once the handler has returned,
// writing the active-setup file once.
TEST_F(Lifecycle, AnOwnerDestroyedDuringADialogTakesTheWindowAfterItsHandler) {
    WriteFile(kSetupDir + "a.rvs", Bytes(SetupWithSpring(100)));
    MakeDirs("cars/vosk/skins/red"); // a skin whose preview cannot be loaded
    for (const auto &[control, okFirst] :
         {std::pair("butNew", true), {"butCopy", false}, {"cmbSkins", false}}) {
        auto owner = std::make_unique<QObject>();
        QPointer<TfrmMain> w = frame.Open(owner.get());
        Pick(w, "cmbSetupList", 0);
        OnModal<QDialog> modal([&, okFirst = okFirst](QDialog *dialog) {
            if (okFirst) {
                Find<QPushButton>(dialog, "butOk")->click();
            }
            const QPointer<QDialog> open = dialog;
            owner.reset();
            EXPECT_TRUE(w && !Exists(kConf)) << "the window went under its handler";
            EXPECT_TRUE(open && open->isHidden()) << "the dialog outlived its window";
            if (open) {
                open->reject();
            }
        });
        *control == 'b' ? Click(w, control) : Pick(w, control, 0);
        Frame::Settle();
        EXPECT_TRUE(modal.seen && w.isNull()) << control;
        EXPECT_EQ(ReadFile(kConf), ConfFor("a.rvs")) << control;
        std::filesystem::remove(kConf);
        Frame::Settle();
        EXPECT_EQ(Entries(kSetupDir), std::set<std::string>{"a.rvs"}) << control;
    }
}

// Names that share a long beginning still look different in the closed
// list, which gives the whole name as its tooltip; a long list scrolls.
TEST_F(Lifecycle, LongNamesLookApartAndALongListScrolls) {
    const std::string stem(120, 'L');
    for (int i = 0; i < 40; ++i) {
        WriteFile(kSetupDir + stem + std::to_string(i) + ".rvs", Bytes(SetupWithSpring(100)));
    }
    TfrmMain *w = frame.Open();
    auto *list = Find<QComboBox>(w, "cmbSetupList");
    std::vector<QImage> looks;
    for (const std::string last : {"1", "2"}) {
        Pick(w, "cmbSetupList", IndexOf(w, (stem + last + ".rvs").c_str()));
        EXPECT_EQ(list->toolTip().toStdString(), stem + last + ".rvs");
        looks.push_back(list->grab().toImage());
    }
    EXPECT_NE(looks[0], looks[1]);
    list->showPopup();
    EXPECT_TRUE(list->view()->verticalScrollBar()->isVisible());
    list->hidePopup();
}

TEST_F(Lifecycle, OkStillClosesWhenTheSetupFolderIsGone) {
    WriteFile(kSetupDir + "x.rvs", Bytes(SetupWithSpring(100)));
    WriteFile(kConf, ConfFor("x.rvs"));
    QPointer<TfrmMain> w = frame.Open();
    std::filesystem::remove_all("cars");
    Click(w, "butOk");
    EXPECT_TRUE(w.isNull());
    EXPECT_FALSE(Exists("cars"));
}

namespace {

struct ActiveCase {
    const char *name;
    std::optional<std::string> conf; // no active-setup file when empty
    const char *selected;
    int spring; // where the left front spring slider ends
};
void PrintTo(const ActiveCase &row, std::ostream *os) {
    *os << row.name;
}

class ActiveSetup : public Lifecycle, public ::testing::WithParamInterface<ActiveCase> {};

} // namespace

// Whatever the active-setup file holds, the window opens on the setup it
// names or on nothing, and "ok" writes at most that setup, whole.
TEST_P(ActiveSetup, SelectsAndLoadsTheRememberedSetup) {
    const ActiveCase &c = GetParam();
    WriteFile(kSetupDir + "a.rvs", Bytes(SetupWithSpring(100)));
    WriteFile(kSetupDir + "Ab.rvs", Bytes(SetupWithSpring(110)));
    WriteFile(kSetupDir + "AB.rvs", Bytes(SetupWithSpring(120)));
    WriteFile(kSetupDir + "short.rvs", std::string(195, '\x01'));
    MakeDirs(kSetupDir + "dir.rvs");
    std::set<std::string> files = Entries(kSetupDir);
    files.insert("conf.ini");
    if (c.conf) {
        WriteFile(kConf, *c.conf);
    }
    TfrmMain *w = frame.Open();
    EXPECT_EQ(Selected(w), c.selected);
    EXPECT_EQ(Position(w, "trkSpringLF"), c.spring);
    Click(w, "butOk");
    EXPECT_EQ(ReadFile(kConf), ConfFor(c.selected));
    EXPECT_EQ(Entries(kSetupDir), files);
    if (*c.selected) {
        EXPECT_EQ(ReadFile(kSetupDir + c.selected).size(), CarSetup::kFileSize);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ActiveSetup,
    ::testing::Values(
        ActiveCase{"MatchedIgnoringCase", ConfFor("A.RVS"), "a.rvs", 100},
        ActiveCase{"ExactSpellingFirst", ConfFor("Ab.rvs"), "Ab.rvs", 110},
        ActiveCase{"OtherExactSpellingFirst", ConfFor("AB.rvs"), "AB.rvs", 120},
        ActiveCase{"Default", ConfFor("default"), "", 140},
        ActiveCase{"NoFile", std::nullopt, "", 140},
        ActiveCase{"NamedFileGone", ConfFor("gone.rvs"), "", 60},
        ActiveCase{"ShortSetupFile", ConfFor("short.rvs"), "short.rvs", 60},
        ActiveCase{"SetupIsAFolder", ConfFor("dir.rvs"), "", 60},
        ActiveCase{"NoCarriageReturn", "[ACTIVESETUP]\nNAME=a.rvs\n", "", 60},
        ActiveCase{"BinaryGarbage", std::string("\x01\xff[\0\x80]=\r\n\xfe", 11), "", 60},
        ActiveCase{"PathInTheName", ConfFor("../../../a.rvs"), "", 60},
        ActiveCase{"EmptyFile", "", "", 60},
        ActiveCase{"MegabyteLong", ConfFor(std::string(1 << 20, 'n')), "", 60},
        ActiveCase{"NulInTheName", std::string("[ACTIVESETUP]\r\nNAME=a\0.rvs\r\n", 27), "", 60},
        ActiveCase{"NoCarriageReturnAtTheEnd", "[ACTIVESETUP]\r\nNAME=a.rvs", "a.rvs", 100}),
    [](const auto &row) { return std::string(row.param.name); });

namespace {

class UnusualName : public Lifecycle,
                    public ::testing::WithParamInterface<std::pair<const char *, std::string>> {};

} // namespace

// Picked, saved, remembered and found again under exactly its own bytes.
TEST_P(UnusualName, KeepsItsBytesThroughPickOkAndReopen) {
    const std::string file = GetParam().second;
    WriteFile(kSetupDir + "other.rvs", Bytes(SetupWithSpring(100)));
    WriteFile(kSetupDir + file, Bytes(SetupWithSpring(100)));
    TfrmMain *w = frame.Open();
    Pick(w, "cmbSetupList", IndexOf(w, "other.rvs") == 0 ? 1 : 0);
    Move(w, "trkFuel", 44);
    Click(w, "butOk");
    EXPECT_EQ(ReadFile(kConf), ConfFor(file));
    EXPECT_EQ(Entries(kSetupDir), (std::set<std::string>{"other.rvs", file, "conf.ini"}));
    EXPECT_EQ(Position(frame.Open(), "trkFuel"), 44);
}

INSTANTIATE_TEST_SUITE_P(Names, UnusualName,
                         ::testing::Values(std::pair("NotUtf8", std::string("caf\xe9 \xff.rvs")),
                                           std::pair("Spaces", std::string(" my setup .rvs")),
                                           std::pair("LongestName",
                                                     std::string(251, 'L') + ".rvs")),
                         [](const auto &row) { return std::string(row.param.first); });
