// "new" and "copy" on the setup i/o page, driven through the real name
// dialog: a timer answers the dialog from inside its modal loop.
#include "library/TFrmNewSetup.h"
#include "setup/CarSetup.h"
#include "support/TestSupport.h"
#include "window/TfrmMain.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

using namespace vosk::test;

namespace {

const std::string kSetupDir = "cars/vosk/setup/";

using Answer = std::function<void(TFrmNewSetup *)>;

void Click(const QWidget *parent, const char *button) {
    QTest::mouseClick(Find<QPushButton>(parent, button), Qt::LeftButton);
}

// Answers the next name dialog once it is the application's modal window.
// Destroying the object cancels an answer that never found its dialog.
class NameDialog {
public:
    explicit NameDialog(Answer answer) { Poll(std::move(answer), 200); }
    bool answered = false;

private:
    void Poll(Answer answer, int triesLeft) {
        QTimer::singleShot(5, &context, [this, answer, triesLeft] {
            if (auto *dialog = qobject_cast<TFrmNewSetup *>(QApplication::activeModalWidget())) {
                answered = true;
                answer(dialog);
            } else if (triesLeft > 0) {
                Poll(answer, triesLeft - 1);
            }
        });
    }
    QObject context;
};

Answer TypeAndOk(const std::string &name) {
    return [name](TFrmNewSetup *dialog) {
        auto *box = Find<QLineEdit>(dialog, "txtFilename");
        box->clear();
        // One key event with the whole text, as an input method sends it.
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                        QString::fromStdString(name));
        QApplication::sendEvent(box, &typed);
        Click(dialog, "butOk");
    };
}
const Answer kOkAsShown = [](TFrmNewSetup *dialog) { Click(dialog, "butOk"); };
const Answer kCancel = [](TFrmNewSetup *dialog) {
    QTest::keyClicks(Find<QLineEdit>(dialog, "txtFilename"), QStringLiteral("typed"));
    Click(dialog, "butCancel");
};
const Answer kCloseButton = [](TFrmNewSetup *dialog) { dialog->close(); };

class NewCopy : public ::testing::Test {
protected:
    void SetUp() override {
        CarSetup slow;
        slow.SetDefaults();
        slow.rearWing = 5;
        slow.spring[0] = slow.spring[1] = 90;
        slow.gear[3] = 2.0f;
        slow.gearFinal = 3.0f;
        slow.reservedA[1] = 0xCAFEF00D;
        MakeDirs(kSetupDir);
        slow.Save(kSetupDir + "slow.rvs");
        slowBytes = ReadFile(kSetupDir + "slow.rvs");
        WriteFile(kSetupDir + "conf.ini", "[ACTIVESETUP]\r\nNAME=slow.rvs\r\n\r\n\r\n");
        window = frame.Open();
        Move(window, "trRear", 11); // an edit not stored with "ok"
    }

    void Press(const char *button, Answer answer) {
        NameDialog dialog(std::move(answer));
        Click(window, button);
        EXPECT_TRUE(dialog.answered) << button << " opened no name dialog";
    }
    QComboBox *List() const { return Find<QComboBox>(window, "cmbSetupList"); }
    std::string Selected() const { return List()->currentText().toStdString(); }

    ScratchWorkdir workdir;
    Frame frame;
    TfrmMain *window = nullptr;
    std::string slowBytes;
};

} // namespace

TEST_F(NewCopy, NewWithTheOfferedNameStoresTheDefaultsAndSelectsThem) {
    Press("butNew", kOkAsShown);
    EXPECT_EQ(Selected(), "newSetup.rvs");
    EXPECT_EQ(List()->count(), 2);
    ASSERT_EQ(ReadFile(kSetupDir + "newSetup.rvs").size(), CarSetup::kFileSize);
    CarSetup stored;
    stored.Load(kSetupDir + "newSetup.rvs");
    EXPECT_EQ(stored.rearWing, 16);
    EXPECT_EQ(stored.spring[0], 140);
    EXPECT_EQ(stored.reservedA[1], 0u);
    // The ratios are no defaults: they come over from the loaded setup.
    EXPECT_EQ(stored.gear[3], 2.0f);
    EXPECT_EQ(stored.gearFinal, 3.0f);
    EXPECT_EQ(Position(window, "trRear"), 16);
    EXPECT_EQ(Position(window, "trkSpringLF"), 140);
}

TEST_F(NewCopy, NewOntoATakenNameKeepsThatFileAndLoadsIt) {
    Press("butNew", TypeAndOk("slow"));
    EXPECT_EQ(ReadFile(kSetupDir + "slow.rvs"), slowBytes);
    EXPECT_EQ(Selected(), "slow.rvs");
    EXPECT_EQ(Position(window, "trRear"), 5);
    EXPECT_EQ(Position(window, "trkSpringLF"), 90);
}

TEST_F(NewCopy, CopyDuplicatesTheStoredFileAndKeepsTheSourceActive) {
    Press("butCopy", TypeAndOk("fast"));
    EXPECT_EQ(ReadFile(kSetupDir + "fast.rvs"), slowBytes);
    EXPECT_EQ(Selected(), "slow.rvs");
    EXPECT_EQ(List()->count(), 2);
    EXPECT_EQ(Position(window, "trRear"), 11);
}

TEST_F(NewCopy, CopyOntoATakenNameOrWithNothingSelectedCopiesNothing) {
    WriteFile(kSetupDir + "fast.rvs", "not a setup");
    Press("butCopy", TypeAndOk("fast"));
    EXPECT_EQ(ReadFile(kSetupDir + "fast.rvs"), "not a setup");
    EXPECT_EQ(Selected(), "slow.rvs");

    List()->setCurrentIndex(-1);
    Press("butCopy", TypeAndOk("other"));
    EXPECT_FALSE(Exists(kSetupDir + "other.rvs"));
    EXPECT_EQ(Selected(), "");
    EXPECT_EQ(List()->count(), 2);
}

TEST_F(NewCopy, TheDialogIsFreshParentlessAndIgnoresEnterAndEscape) {
    Press("butNew", [](TFrmNewSetup *dialog) {
        EXPECT_EQ(dialog->objectName(), "FrmNewSetup");
        EXPECT_EQ(dialog->windowTitle(), "setup name");
        EXPECT_EQ(dialog->parentWidget(), nullptr);
        EXPECT_EQ(QRect(dialog->pos(), dialog->size()), QRect(287, 366, 357, 80));
        EXPECT_EQ(Find<QLineEdit>(dialog, "txtFilename")->text(), "newSetup");
        for (const char *next : {"butOk", "butCancel"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(QApplication::focusWidget(), Find<QPushButton>(dialog, next));
        }
        for (const char *control : {"txtFilename", "butOk", "butCancel"}) {
            for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
                QTest::keyClick(Find<QWidget>(dialog, control), key);
                EXPECT_TRUE(dialog->isVisible()) << control << " key " << key;
            }
        }
        kCancel(dialog);
    });
    int dialogsLeft = 0;
    for (QWidget *w : QApplication::allWidgets()) {
        dialogsLeft += qobject_cast<TFrmNewSetup *>(w) != nullptr;
    }
    EXPECT_EQ(dialogsLeft, 0);
    Press("butCopy", [](TFrmNewSetup *dialog) {
        EXPECT_EQ(Find<QLineEdit>(dialog, "txtFilename")->text(), "newSetup");
        kCloseButton(dialog);
    });
}

namespace {

struct NameCase {
    const char *name;
    const char *button;
    Answer answer;
    const char *file; // nullptr: nothing may change
};
void PrintTo(const NameCase &row, std::ostream *out) {
    *out << row.name;
}

class TypedName : public NewCopy, public ::testing::WithParamInterface<NameCase> {};

} // namespace

TEST_P(TypedName, IsUsedAsTypedWithTheExtensionAdded) {
    const NameCase &c = GetParam();
    Press(c.button, c.answer);
    const bool isNew = std::string(c.button) == "butNew";
    EXPECT_EQ(List()->count(), c.file ? 2 : 1);
    EXPECT_EQ(Selected(), c.file && isNew ? c.file : "slow.rvs");
    EXPECT_EQ(ReadFile(kSetupDir + "slow.rvs"), slowBytes);
    if (c.file) {
        EXPECT_TRUE(Exists(kSetupDir + c.file));
    } else {
        EXPECT_EQ(Position(window, "trRear"), 11);
    }
}

INSTANTIATE_TEST_SUITE_P(
    NewCopy, TypedName,
    ::testing::Values(
        NameCase{"NewTrailingSpace", "butNew", TypeAndOk("fast "), "fast .rvs"},
        NameCase{"NewExtensionTyped", "butNew", TypeAndOk("fast.rvs"), "fast.rvs.rvs"},
        NameCase{"NewNonAscii", "butNew", TypeAndOk("r\xc3\xa9glage"), "r\xc3\xa9glage.rvs"},
        NameCase{"CopyTrailingSpace", "butCopy", TypeAndOk("fast "), "fast .rvs"},
        NameCase{"CopyExtensionTyped", "butCopy", TypeAndOk("fast.rvs"), "fast.rvs.rvs"},
        NameCase{"NewCancelled", "butNew", kCancel, nullptr},
        NameCase{"NewClosed", "butNew", kCloseButton, nullptr},
        NameCase{"NewEmptyName", "butNew", TypeAndOk(""), nullptr},
        NameCase{"CopyCancelled", "butCopy", kCancel, nullptr},
        NameCase{"CopyClosed", "butCopy", kCloseButton, nullptr},
        NameCase{"CopyEmptyName", "butCopy", TypeAndOk(""), nullptr}),
    [](const auto &row) { return std::string(row.param.name); });
