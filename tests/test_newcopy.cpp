// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// "new" and "copy" on the setup i/o page, answered through the real name
// dialog from inside its modal loop.
#include "support/TestSupport.h"
#include "window/TFrmNewSetup.h"

#include <QTest>

#include <algorithm>

using namespace vosk::test;

namespace {

using Answer = std::function<void(TFrmNewSetup *)>;

// Types name into whatever has the focus, as a person does, and presses
// "ok"; an empty name is typed by erasing the box's selected text.
Answer TypeAndOk(const std::string &name) {
    return [name](TFrmNewSetup *dialog) {
        QWidget *focus = QApplication::focusWidget();
        EXPECT_EQ(focus, Find<QLineEdit>(dialog, "txtFilename"));
        if (focus) {
            QTest::keyClicks(focus, QString::fromStdString(name));
            if (name.empty()) {
                QTest::keyClick(focus, Qt::Key_Backspace);
            }
        }
        Find<QPushButton>(dialog, "butOk")->click();
    };
}
const Answer kCancel = [](TFrmNewSetup *dialog) {
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("typed"));
    Find<QPushButton>(dialog, "butCancel")->click();
};
const Answer kCloseButton = [](TFrmNewSetup *dialog) { dialog->close(); };

// The stored setup slow.rvs is active, and the sliders hold an edit that
// "ok" never stored.
class NewCopy : public WindowTest {
protected:
    void SetUp() override {
        slowBytes = ReadFile(VOSK_TEST_DATA "/cli/sample.rvs");
        WriteFile(kSetupDir + "slow.rvs", slowBytes);
        WriteFile(kConf, ConfFor("slow.rvs"));
        // What "new" stores: the defaults, with the loaded gearing.
        CarSetup made;
        made.Load(kSetupDir + "slow.rvs");
        made.SetDefaults();
        newBytes = Bytes(made);
        window = frame.Open();
        Move(window, "trRear", 11);
    }
    void Press(const char *button, Answer answer) {
        OnModal<TFrmNewSetup> dialog(std::move(answer));
        Click(window, button);
        EXPECT_TRUE(dialog.seen) << button << " opened no name dialog";
    }
    QComboBox *List() const { return Find<QComboBox>(window, "cmbSetupList"); }
    std::string Selected() const { return List()->currentText().toStdString(); }

    TfrmMain *window = nullptr;
    std::string slowBytes, newBytes;
};

TEST_F(NewCopy, CopyNeitherOverwritesNorCopiesNothing) {
    WriteFile(kSetupDir + "taken.rvs", "not a setup");
    Press("butCopy", TypeAndOk("taken"));
    EXPECT_EQ(ReadFile(kSetupDir + "taken.rvs"), "not a setup");
    EXPECT_EQ(Selected(), "slow.rvs");

    List()->setCurrentIndex(-1);
    Press("butCopy", TypeAndOk("other"));
    EXPECT_FALSE(std::filesystem::exists(kSetupDir + "other.rvs"));
    EXPECT_EQ(Selected(), "");
}

// Each press brings a fresh dialog that belongs to no window, wears the
// window's type whatever the font resolution, and is ended by its buttons
// only: Enter and Escape do nothing.
TEST_F(NewCopy, TheDialogIsFreshAndIgnoresEnterAndEscape) {
    Press("butNew", [this](TFrmNewSetup *dialog) {
        EXPECT_EQ(dialog->parentWidget(), nullptr);
        EXPECT_EQ(dialog->font(), window->font());
        for (const char *control : {"txtFilename", "butOk", "butCancel"}) {
            for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
                QTest::keyClick(Find<QWidget>(dialog, control), key);
                EXPECT_TRUE(dialog->isVisible()) << control << " key " << key;
            }
        }
        kCancel(dialog);
    });
    const QWidgetList widgets = QApplication::allWidgets();
    EXPECT_TRUE(std::none_of(widgets.begin(), widgets.end(),
                             [](QWidget *w) { return qobject_cast<TFrmNewSetup *>(w); }));
    Press("butCopy", [](TFrmNewSetup *dialog) {
        EXPECT_EQ(Find<QLineEdit>(dialog, "txtFilename")->text(), "newSetup");
        dialog->close();
    });
}

// A row of data/window/setup-names.txt, which tells the columns.
class TypedName : public NewCopy, public ::testing::WithParamInterface<std::vector<std::string>> {};

// Every file under the scratch folder, by its path from there.
std::set<std::string> Tree() {
    std::set<std::string> files;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(".")) {
        files.insert(std::filesystem::relative(entry.path(), ".").string());
    }
    return files;
}

TEST_P(TypedName, IsUsedAsTypedWithTheExtensionAdded) {
    const std::vector<std::string> &c = GetParam();
    const std::string &button = c[1], &then = c[3], &file = c[4];
    std::set<std::string> files = Tree();
    Press(button.c_str(), then == "ok"       ? TypeAndOk(Unescaped(c[2]))
                          : then == "cancel" ? kCancel
                                             : kCloseButton);
    if (file != "-") {
        files.insert(kSetupDir + file);
        // "copy" duplicates the stored file, not the unsaved edit.
        EXPECT_EQ(ReadFile(kSetupDir + file), button == "butNew" ? newBytes : slowBytes);
    }
    EXPECT_EQ(Tree(), files);
    EXPECT_EQ(List()->count(), file != "-" ? 2 : 1);
    EXPECT_EQ(Selected(), c[5]);
    EXPECT_EQ(ReadFile(kSetupDir + "slow.rvs"), slowBytes);
    EXPECT_EQ(Position(window, "trRear"), std::stoi(c[6]));
}

INSTANTIATE_TEST_SUITE_P(NewCopy, TypedName,
                         ::testing::ValuesIn(Table(VOSK_TEST_DATA "/window/setup-names.txt", 7)),
                         [](const auto &row) { return row.param[0]; });

} // namespace
