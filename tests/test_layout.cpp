// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// The window as the user first meets it: every setup slider with the range of
// the slider table on its page, names for a screen reader, and pages that
// keys turn and tabs never cover.
#include "support/TestSupport.h"

#include <QAccessible>
#include <QFocusFrame>
#include <QGroupBox>
#include <QTabWidget>
#include <QTest>

namespace {

using namespace vosk::test;

class WindowLayout : public ::testing::Test {
protected:
    ScratchWorkdir workdir;
    std::unique_ptr<TfrmMain> window = std::make_unique<TfrmMain>();
    QTabWidget *pages = Find<QTabWidget>(window.get(), "PageControl1");
};

// Each slider of the table sits on the page its captions name, inside its
// group, with the table's range; only damper and camber boxes take typing,
// and every box is drawn on a muted grey.
// Arrow and page keys move a slider by its steps, 5 for the discs and 1 and
// 2 elsewhere, towards the far end as seen: right, or down on the bias
// slider, whose minimum is at the top.
TEST_F(WindowLayout, EverySetupSliderHasItsRangeAndStepsOnItsPage) {
    for (const SliderControls &c : SetupSliders()) {
        const vosk::Slider &s = *c.table;
        const std::string &key = c.key;
        SCOPED_TRACE(key);
        auto *slider = Find<QSlider>(window.get(), c.slider.c_str());
        auto *box = Find<QLineEdit>(window.get(), c.box.c_str());
        ASSERT_TRUE(slider && box);
        EXPECT_EQ(std::pair(slider->minimum(), slider->maximum()), std::pair(s.min, s.max));
        auto *group = qobject_cast<QGroupBox *>(slider->parentWidget());
        ASSERT_NE(group, nullptr);
        EXPECT_EQ(group->title().toStdString(), s.group);
        EXPECT_EQ(pages->tabText(pages->indexOf(group->parentWidget())).toStdString(), s.page);
        EXPECT_EQ(ShowPageOf(slider) && slider->isVisible(), group->title() != "disc size (cm)");
        const bool typed = key.rfind("damp", 0) == 0 || key.rfind("camber", 0) == 0;
        EXPECT_EQ(box->isReadOnly(), !typed);
        EXPECT_EQ(box->grab().toImage().pixelColor(box->width() - 4, box->height() / 2),
                  QColor(0xd4, 0xd0, 0xc8)); // the muted grey of the value boxes
        // The discs never show; only keys sent to them reach them.
        QWidget *keys = FocusOn(slider) ? QApplication::focusWidget() : slider;
        const bool disc = key.rfind("brakeDisc", 0) == 0;
        const bool vertical = slider->orientation() == Qt::Vertical;
        QTest::keyClick(keys, Qt::Key_Home);
        QTest::keyClick(keys, vertical ? Qt::Key_Down : Qt::Key_Right);
        EXPECT_EQ(slider->value() - s.min, disc ? 5 : 1);
        QTest::keyClick(keys, vertical ? Qt::Key_PageDown : Qt::Key_PageUp);
        EXPECT_EQ(slider->value() - s.min, disc ? 10 : 3);
    }
}

// A screen reader tells every slider, list and tyre cell apart by its name.
TEST_F(WindowLayout, ScreenReadersHearEachControlsOwnName) {
    const auto names = Table(VOSK_TEST_DATA "/window/controls.txt", 6);
    for (const auto &row : names) {
        auto *widget = Find<QWidget>(window.get(), row[0].c_str());
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name),
                  QString::fromStdString(row[1]));
    }
    EXPECT_EQ(names.size(), vosk::kSliders.size() + 2 + 12);
}

// Whatever the font resolution (the suite also runs at QT_FONT_DPI=144),
// the rows of tabs leave every control of every page in sight.
TEST_F(WindowLayout, TabsCoverNoControlOfAnyPage) {
    window->show();
    EXPECT_EQ(pages->currentIndex(), 0); // it opens on the cover
    const int tabsTop = pages->tabBar()->mapTo(window.get(), QPoint()).y();
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        for (QWidget *control : pages->widget(i)->findChildren<QWidget *>()) {
            const QRect place(control->mapTo(window.get(), QPoint()), control->size());
            EXPECT_TRUE(!control->isVisibleTo(window.get()) || place.bottom() < tabsTop)
                << control->objectName().toStdString();
        }
    }
}

} // namespace

// From a slider, Ctrl+PageDown and Ctrl+PageUp turn the pages round (Ctrl+Tab
// is the frame's); Tab walks a page without stopping in boxes that only
// show a value; the focused slider wears a ring.
TEST_F(WindowLayout, KeysTurnThePagesAndTabSkipsReadOnlyBoxes) {
    ASSERT_TRUE(FocusOn(Find<QSlider>(window.get(), "trkRollBarF")));
    auto *ring = window->findChild<QFocusFrame *>();
    ASSERT_NE(ring, nullptr);
    EXPECT_TRUE(ring->isVisible() && ring->widget() == QApplication::focusWidget());
    for (int press = 0; press < 30 && pages->currentIndex() == 4; ++press) {
        QWidget *focus = QApplication::focusWidget();
        auto *box = qobject_cast<QLineEdit *>(focus);
        EXPECT_FALSE(box && box->isReadOnly()) << focus->objectName().toStdString();
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    for (const int expected : {5, 6, 7, 8, 9, 10, 0, 1, 2, 3, 4}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
        EXPECT_EQ(pages->currentIndex(), expected);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(pages->currentIndex(), 3);
}
