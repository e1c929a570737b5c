// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
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
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>

using namespace vosk::test;

namespace {

std::string Selected(const TfrmMain *w) {
    return Find<QComboBox>(w, "cmbSetupList")->currentText().toStdString();
}
int IndexOf(const TfrmMain *w, const char *name) {
    return Find<QComboBox>(w, "cmbSetupList")->findText(QString::fromUtf8(name));
}

using Lifecycle = WindowTest;
using Row = std::vector<std::string>;

TEST_F(Lifecycle, FirstOpeningStoresAtTheSliderEndsAndOnlyOkClosesIt) {
    MakeDirs(kSetupDir);
    QPointer<TfrmMain> w = frame.Open();
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

// A row of data/window/host-teardown.txt, which tells the columns, with a
// frame and an owner of the host's own for it to destroy.
class HostTeardown : public ::testing::TestWithParam<Row> {
protected:
    ScratchWorkdir workdir;
    std::unique_ptr<Frame> host = std::make_unique<Frame>();
    std::unique_ptr<QObject> owner = std::make_unique<QObject>();
};

// The host may destroy the owner, the frame or the sub-window while a handler
// waits in a modal dialog (even one just answered with "ok") or while a
// window being made shows its error box: the dialog closes, the handler stops
// without writing anything, and the window goes once the handler has
// returned, writing the active-setup file once.
TEST_P(HostTeardown, DuringADialogLeavesTheWindowToItsHandler) {
    const std::string &control = GetParam()[1], &destroyed = GetParam()[3];
    const bool opening = control == "open";
    const auto goes = [&](const char *what) { return destroyed.find(what) != std::string::npos; };
    WriteFile(kSetupDir + "a.rvs", Bytes(SetupWithSpring(100)));
    MakeDirs("cars/vosk/skins/red"); // a skin whose preview cannot be loaded
    if (opening) {
        WriteFile("cars/vosk/cfg.ini", "[SKIN]\r\nCURRENT=red\r\n\r\n");
    }
    QPointer<TfrmMain> w;
    OnModal<QDialog> modal([&](QDialog *dialog) {
        if (GetParam()[2] == "ok") {
            Find<QPushButton>(dialog, "butOk")->click();
        }
        const QPointer<QDialog> open = dialog;
        if (goes("owner")) {
            owner.reset();
        }
        if (goes("frame")) {
            host.reset();
        }
        if (goes("sub-window")) {
            delete w->parentWidget();
        }
        if (!opening) {
            EXPECT_TRUE(w && !std::filesystem::exists(kConf))
                << "the window went under its handler";
            EXPECT_TRUE(!open || open->isHidden()) << "the dialog outlived its window";
        }
        if (open) {
            open->reject();
        }
    });
    if (opening && destroyed == "frame") {
        EXPECT_THROW(TfrmMain::OpenInHostFrame(owner.get()), std::runtime_error);
    } else if (opening) {
        EXPECT_EQ(TfrmMain::OpenInHostFrame(owner.get()), nullptr);
    } else {
        w = host->Open(owner.get());
        Pick(w, "cmbSetupList", 0);
        Move(w, "trkSpringLF", 61); // never stored when the window goes with the host
        if (control == "cmbSkins") {
            Pick(w, control.c_str(), 0);
        } else {
            Click(w, control.c_str());
        }
    }
    Frame::Settle();
    EXPECT_TRUE(modal.seen);
    const QWidgetList widgets = QApplication::allWidgets();
    EXPECT_TRUE(std::none_of(widgets.begin(), widgets.end(),
                             [](QWidget *widget) { return qobject_cast<TfrmMain *>(widget); }));
    EXPECT_EQ(Entries(kSetupDir), (std::set<std::string>{"a.rvs", "conf.ini"}));
    EXPECT_EQ(ReadFile(kSetupDir + "a.rvs"), Bytes(SetupWithSpring(100)));
    EXPECT_EQ(ReadFile(kConf), ConfFor(opening ? "" : "a.rvs"));
}

INSTANTIATE_TEST_SUITE_P(Host, HostTeardown,
                         ::testing::ValuesIn(Table(VOSK_TEST_DATA "/window/host-teardown.txt", 4)),
                         [](const auto &row) { return row.param[0]; });

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
    EXPECT_FALSE(std::filesystem::exists("cars"));
}

// The rows of data/window/active-setup.txt, which tells the columns.
std::vector<Row> ActiveCases() {
    std::vector<Row> rows = Table(VOSK_TEST_DATA "/window/active-setup.txt", 4);
    rows.push_back({"MegabyteLong", ConfFor(std::string(1 << 20, 'n')), "", "60"});
    return rows;
}

class ActiveSetup : public Lifecycle, public ::testing::WithParamInterface<Row> {};

// Whatever the active-setup file holds, the window opens on the setup it
// names or on nothing, and "ok" writes at most that setup, whole.
TEST_P(ActiveSetup, SelectsAndLoadsTheRememberedSetup) {
    const std::string &conf = GetParam()[1], &selected = GetParam()[2];
    WriteFile(kSetupDir + "a.rvs", Bytes(SetupWithSpring(100)));
    WriteFile(kSetupDir + "Ab.rvs", Bytes(SetupWithSpring(110)));
    WriteFile(kSetupDir + "AB.rvs", Bytes(SetupWithSpring(120)));
    WriteFile(kSetupDir + "short.rvs", std::string(195, '\x01'));
    MakeDirs(kSetupDir + "dir.rvs");
    std::set<std::string> files = Entries(kSetupDir);
    files.insert("conf.ini");
    if (conf != "-") {
        WriteFile(kConf, Unescaped(conf));
    }
    TfrmMain *w = frame.Open();
    EXPECT_EQ(Selected(w), selected);
    EXPECT_EQ(Position(w, "trkSpringLF"), std::stoi(GetParam()[3]));
    Click(w, "butOk");
    EXPECT_EQ(ReadFile(kConf), ConfFor(selected));
    EXPECT_EQ(Entries(kSetupDir), files);
    if (!selected.empty()) {
        EXPECT_EQ(ReadFile(kSetupDir + selected).size(), CarSetup::kFileSize);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, ActiveSetup, ::testing::ValuesIn(ActiveCases()),
                         [](const auto &row) { return row.param[0]; });

// A row of data/window/unusual-names.txt, which tells the columns.
class UnusualName : public Lifecycle, public ::testing::WithParamInterface<Row> {};

// Picked, saved, remembered and found again under exactly its own bytes.
TEST_P(UnusualName, KeepsItsBytesThroughPickOkAndReopen) {
    const std::string file = Unescaped(GetParam()[1]);
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
                         ::testing::ValuesIn(Table(VOSK_TEST_DATA "/window/unusual-names.txt", 2)),
                         [](const auto &row) { return row.param[0]; });

// A row of data/window/wheel.txt, which tells the columns.
class Wheel : public Lifecycle, public ::testing::WithParamInterface<Row> {};

// A notch over a closed list picks only when the list has the focus, and
// otherwise loses neither the unsaved edits nor the remembered skin.
TEST_P(Wheel, PicksOnlyInAListWithTheFocus) {
    const char *name = GetParam()[1].c_str();
    const bool focused = GetParam()[2] == "focused";
    WriteFile(kSetupDir + "a.rvs", Bytes(SetupWithSpring(100)));
    WriteFile(kSetupDir + "b.rvs", Bytes(SetupWithSpring(155)));
    WriteFile(kConf, ConfFor("a.rvs"));
    for (const char *skin : {"blue", "red"}) {
        MakeDirs(std::string("cars/vosk/skins/") + skin);
        QImage(4, 3, QImage::Format_RGB32)
            .save(QStringLiteral("cars/vosk/skins/%1/ui.bmp").arg(skin));
    }
    const std::string choice = "[SKIN]\r\nCURRENT=red\r\n\r\n";
    WriteFile("cars/vosk/cfg.ini", choice);
    TfrmMain *w = frame.Open();
    Move(w, "trkFuel", 44);
    auto *list = Find<QComboBox>(w, name);
    // A person gives a list the focus by clicking it, which opens it.
    ShowPageOf(list);
    if (focused) {
        QTest::mouseClick(list, Qt::LeftButton);
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    }
    ASSERT_EQ(list->hasFocus(), focused);
    // Sent as QTest sends a click, spontaneous: Qt then gives the focus by
    // the wheel, and passes an ignored notch on, as for a real mouse.
    const int before = list->currentIndex();
    const QPointF at = QRectF(list->rect()).center();
    QWheelEvent wheel(at, list->mapToGlobal(at), QPoint(), QPoint(0, before == 0 ? -120 : 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    QApplication::instance()->notify(list, &wheel);
    Frame::Settle();
    const bool setups = list->objectName() == "cmbSetupList";
    EXPECT_EQ(list->currentIndex() != before, focused);
    EXPECT_EQ(Position(w, "trkFuel"), focused && setups ? 30 : 44);
    EXPECT_EQ(ReadFile("cars/vosk/cfg.ini") != choice, focused && !setups);
}

INSTANTIATE_TEST_SUITE_P(Lists, Wheel,
                         ::testing::ValuesIn(Table(VOSK_TEST_DATA "/window/wheel.txt", 3)),
                         [](const auto &row) { return row.param[0]; });

} // namespace
