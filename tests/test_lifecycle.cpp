// The window inside the host's frame: activation, picking, "ok", close
// requests and destruction.
#include "setup/CarSetup.h"
#include "support/TestSupport.h"
#include "window/TfrmMain.h"

#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QSlider>

#include <gtest/gtest.h>

#include <memory>

using namespace vosk::test;

namespace {

const std::string kSetupDir = "cars/vosk/setup/";
const std::string kConf = "cars/vosk/setup/conf.ini";

std::string ConfFor(const std::string &name) {
    return "[ACTIVESETUP]\r\nNAME=" + name + "\r\n\r\n\r\n";
}

std::string Bytes(const CarSetup &setup) {
    setup.Save("scratch.bin");
    return ReadFile("scratch.bin");
}

// A stored setup whose sliders differ from the defaults everywhere.
CarSetup Sample(std::int32_t spring) {
    CarSetup s;
    s.SetDefaults();
    s.rearWing = 5;
    s.spring[0] = s.spring[1] = spring;
    s.gear[0] = 3.0f;
    s.fuel = 12.0f;
    s.reservedA[2] = 0xCAFEF00D;
    return s;
}

void Store(const std::string &name, const CarSetup &setup) {
    MakeDirs(kSetupDir);
    setup.Save(kSetupDir + name);
}

QComboBox *List(TfrmMain *w) {
    return Find<QComboBox>(w, "cmbSetupList");
}

void Pick(TfrmMain *w, int index) {
    List(w)->setCurrentIndex(index);
    Q_EMIT List(w)->activated(index);
}

class Lifecycle : public ::testing::Test {
protected:
    ScratchWorkdir workdir;
    Frame frame;
};

} // namespace

TEST_F(Lifecycle, FirstOpeningShowsTheDefaultsAndRemembersNoName) {
    MakeDirs(kSetupDir);
    QPointer<TfrmMain> w = frame.Open();
    const struct {
        const char *slider;
        int position;
        const char *box;
        const char *text;
    } expected[] = {
        {"trRear", 16, "txtRear", "16"},
        {"trkBrakeBias", 25, "txtBrakeBias", "75"},
        {"trkBrakePadLF", 60, "txtBrakePadLF", "0.3"},
        {"trkBrakePadRR", 60, "txtBrakePadRR", "0.3"},
        {"trkBrakeDiscLF", 35, "txtBrakeDiscLF", "35"},
        {"trkBrakeDiscRR", 35, "txtBrakeDiscRR", "35"},
        {"trkRollBarF", 10, "txtRollBarF", "10"},
        {"trkRollBarR", 8, "txtRollBarR", "8"},
        {"trkSpringLF", 140, "txtSpringLF", "140"},
        {"trkSpringRF", 140, "txtSpringRF", "140"},
        {"trkSpringLR", 130, "txtSpringLR", "130"},
        {"trkSpringRR", 130, "txtSpringRR", "130"},
        {"trkDampCompLR", 3, "txtDampCompLR", "3"},
        {"trkDampRebRF", 2, "txtDampRebRF", "2"},
        {"trkSteerRatio", 10, "txtSteerRatio", "10:1"},
        {"trkCamberLF", 0, "txtCamberLF", "0"},
        {"trkGear1", 4000, "txtGear1", "0.5"},
        {"trkGear4", 4000, "txtGear4", "0.5"},
        {"trkGearFinal", 4000, "txtGearFinal", "0.5"},
        {"trkFuel", 30, "txtFuel", "30"},
    };
    for (const auto &e : expected) {
        EXPECT_EQ(Position(w, e.slider), e.position) << e.slider;
        EXPECT_EQ(Text(w, e.box), e.text) << e.box;
    }
    EXPECT_EQ(List(w)->currentIndex(), -1);
    EXPECT_EQ(Text(w, "lab1"), "na");

    // "ok" with nothing selected names the folder itself: nothing is saved,
    // the window goes and remembers an empty name.
    Find<QPushButton>(w, "butOk")->click();
    Frame::Settle();
    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(ReadFile(kConf), ConfFor(""));
}

TEST_F(Lifecycle, OkStoresTheSlidersUnderTheSelectedNameAndReleasesTheWindow) {
    Store("a.rvs", Sample(100));
    const CarSetup stored = Sample(120);
    Store("b.rvs", stored);
    WriteFile(kConf, ConfFor("b.rvs"));

    QPointer<TfrmMain> w = frame.Open();
    ASSERT_EQ(List(w)->currentText().toStdString(), "b.rvs");
    EXPECT_EQ(Position(w, "trkSpringLF"), 120);
    Move(w, "trkSpringRF", 150); // the symmetric box carries the left spring along
    Find<QPushButton>(w, "butOk")->click();
    Frame::Settle();

    EXPECT_TRUE(w.isNull());
    CarSetup expected = stored;
    expected.spring[0] = expected.spring[1] = 150;
    expected.brakeDisc[0] = expected.brakeDisc[1] = expected.brakeDisc[2] = expected.brakeDisc[3] =
        35.0f;
    for (float &g : expected.gear) {
        if (g == 0.0f) {
            g = 0.5f;
        }
    }
    expected.gearFinal = 0.5f;
    EXPECT_EQ(ReadFile(kSetupDir + "b.rvs"), Bytes(expected));
    EXPECT_EQ(ReadFile(kConf), ConfFor("b.rvs"));
}

TEST_F(Lifecycle, SavingWithoutMovingLeavesTheFileUnchanged) {
    CarSetup s = Sample(110);
    for (float &g : s.gear) {
        g = 2.0f;
    }
    s.gearFinal = 3.5f;
    s.brakeDisc[0] = s.brakeDisc[1] = s.brakeDisc[2] = s.brakeDisc[3] = 25.0f;
    Store("keep.rvs", s);
    WriteFile(kConf, ConfFor("keep.rvs"));
    const std::string before = ReadFile(kSetupDir + "keep.rvs");
    for (int i = 0; i < 3; ++i) {
        QPointer<TfrmMain> w = frame.Open();
        Find<QPushButton>(w, "butOk")->click();
        Frame::Settle();
        ASSERT_TRUE(w.isNull());
    }
    EXPECT_EQ(ReadFile(kSetupDir + "keep.rvs"), before);
}

TEST_F(Lifecycle, PickingASetupReplacesUnsavedEdits) {
    Store("a.rvs", Sample(100));
    Store("b.rvs", Sample(155));
    WriteFile(kConf, ConfFor("a.rvs"));
    TfrmMain *w = frame.Open();
    Move(w, "trRear", 1);
    const int b = List(w)->findText("b.rvs");
    Pick(w, b);
    EXPECT_EQ(Position(w, "trkSpringLF"), 155);
    EXPECT_EQ(Position(w, "trRear"), 5);
    // The pick is remembered only when the window goes away.
    EXPECT_EQ(ReadFile(kConf), ConfFor("a.rvs"));
}

TEST_F(Lifecycle, EachActivationReloadsTheRememberedSetup) {
    Store("a.rvs", Sample(100));
    Store("b.rvs", Sample(155));
    WriteFile(kConf, ConfFor("a.rvs"));
    TfrmMain *first = frame.Open();
    TfrmMain *second = frame.Open();
    Pick(first, List(first)->findText("b.rvs"));
    Move(second, "trkFuel", 59);

    frame.area()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(first->parentWidget()));
    Frame::Settle();
    EXPECT_EQ(List(first)->currentText().toStdString(), "a.rvs");
    EXPECT_EQ(Position(first, "trkSpringLF"), 100);
    // The other window keeps its own unsaved values until it is activated.
    EXPECT_EQ(Position(second, "trkFuel"), 59);
    EXPECT_NE(&first->Record(), &second->Record());
}

TEST_F(Lifecycle, RememberedNameIsMatchedIgnoringLetterCase) {
    Store("Fast.rvs", Sample(133));
    WriteFile(kConf, ConfFor("FAST.RVS"));
    TfrmMain *w = frame.Open();
    EXPECT_EQ(List(w)->currentText().toStdString(), "Fast.rvs");
    EXPECT_EQ(Position(w, "trkSpringLF"), 133);
}

TEST_F(Lifecycle, DefaultOrMissingNameSelectsNothing) {
    Store("a.rvs", Sample(100));
    for (const std::string name : {"default", "gone.rvs", ""}) {
        WriteFile(kConf, ConfFor(name));
        TfrmMain *w = frame.Open();
        EXPECT_EQ(List(w)->currentIndex(), -1) << name;
        EXPECT_EQ(List(w)->count(), 1);
        EXPECT_GE(Position(w, "trkSpringLF"), 60) << name;
        delete w->parentWidget();
    }
}

TEST_F(Lifecycle, CloseRequestOnlyMinimises) {
    QPointer<TfrmMain> w = frame.Open();
    auto *sub = qobject_cast<QMdiSubWindow *>(w->parentWidget());
    ASSERT_NE(sub, nullptr);
    sub->close();
    Frame::Settle();
    ASSERT_FALSE(w.isNull());
    EXPECT_TRUE(sub->isMinimized());
}

TEST_F(Lifecycle, DestroyingTheOwnerDestroysTheWindowAndRemembersTheSetup) {
    Store("a.rvs", Sample(100));
    Store("b.rvs", Sample(155));
    auto owner = std::make_unique<QObject>();
    QPointer<TfrmMain> owned = frame.Open(owner.get());
    QPointer<TfrmMain> free = frame.Open();
    Pick(owned, List(owned)->findText("b.rvs"));
    Move(owned, "trkSpringLF", 61);
    const std::string before = ReadFile(kSetupDir + "b.rvs");

    owner.reset();
    EXPECT_TRUE(owned.isNull());
    EXPECT_FALSE(free.isNull());
    EXPECT_EQ(ReadFile(kConf), ConfFor("b.rvs"));
    EXPECT_EQ(ReadFile(kSetupDir + "b.rvs"), before); // no save without "ok"
}
