// The window's tabs wrap into rows instead of scrolling: every tab stays on
// show, takes its own clicks, and the pages make room for every row.
#include "support/TestSupport.h"
#include "window/PageControl.h"
#include "window/TfrmMain.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace {

const char *const captions[] = {"cover",         "setup i/o",      "aero",         "brakes",
                                "suspensions I", "suspensions II", "transmission", "steering",
                                "fuel",          "skin",           "Tyres"};

// Every tab has a place inside the bar, and no two places overlap.
void ExpectTidy(const MultiRowTabBar &bar) {
    for (int i = 0; i < bar.count(); ++i) {
        const QRect place = bar.TabArea(i);
        EXPECT_FALSE(place.isEmpty()) << "tab " << i;
        EXPECT_TRUE(bar.rect().contains(place)) << "tab " << i;
        for (int j = 0; j < i; ++j) {
            EXPECT_FALSE(place.intersects(bar.TabArea(j))) << "tabs " << j << " and " << i;
        }
    }
}

class WindowTabs : public ::testing::Test {
protected:
    vosk::test::ScratchWorkdir workdir;
    std::unique_ptr<TfrmMain> window = std::make_unique<TfrmMain>();
    QTabWidget *pages = window->findChild<QTabWidget *>("PageControl1");
    MultiRowTabBar *bar = pages ? qobject_cast<MultiRowTabBar *>(pages->tabBar()) : nullptr;

    void SetUp() override {
        ASSERT_NE(bar, nullptr);
        window->show();
        QApplication::processEvents();
    }
};

TEST_F(WindowTabs, AllTabsShowInSeveralRowsAndThePagesMakeRoom) {
    EXPECT_EQ(pages->size(), QSize(481, 321));
    EXPECT_FALSE(bar->usesScrollButtons());
    ASSERT_EQ(bar->count(), 11);
    EXPECT_GT(bar->RowCount(bar->width()), 1);
    EXPECT_EQ(bar->width(), pages->width());
    ExpectTidy(*bar);
    // The bar holds all its rows and the pages end where it begins.
    EXPECT_EQ(bar->height(), bar->heightForWidth(bar->width()));
    EXPECT_EQ(bar->geometry().bottom(), pages->height() - 1);
    for (int i = 0; i < pages->count(); ++i) {
        QWidget *page = pages->widget(i);
        pages->setCurrentIndex(i);
        QApplication::processEvents();
        EXPECT_LE(page->mapTo(pages, page->rect().bottomLeft()).y(), bar->geometry().top());
        // Nothing on the page, nor inside its groups, is cut off by the tabs.
        EXPECT_TRUE(page->rect().contains(page->childrenRect())) << captions[i];
        for (const QWidget *inner : page->findChildren<QWidget *>()) {
            if (inner->isVisibleTo(page) && !inner->childrenRect().isEmpty()) {
                EXPECT_TRUE(inner->rect().contains(inner->childrenRect()))
                    << captions[i] << ": " << inner->objectName().toStdString();
            }
        }
    }
}

TEST_F(WindowTabs, AClickInATabOpensItsPageAndBringsItsRowNextToThePages) {
    // Back and forth, so every row in turn moves to the front.
    for (const int i : {10, 0, 7, 3, 6, 5, 9, 1, 8, 2, 4}) {
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->TabArea(i).center());
        EXPECT_EQ(pages->currentIndex(), i) << captions[i];
        EXPECT_EQ(bar->TabArea(i).top(), 0) << captions[i];
        ExpectTidy(*bar);
    }
    // Only the left button picks a tab.
    const int before = pages->currentIndex();
    QTest::mouseClick(bar, Qt::RightButton, {}, bar->TabArea(0).center());
    EXPECT_EQ(pages->currentIndex(), before);
}

// A page control of its own, away from the window's style sheet, which keeps
// a changed font from reaching the bar.
TEST(PageControlRows, FollowTheWidthAndTheFont) {
    PageControl pages;
    pages.setTabPosition(QTabWidget::South);
    for (const char *caption : captions) {
        pages.addTab(new QWidget, QString::fromLatin1(caption));
    }
    pages.resize(481, 321);
    pages.show();
    QApplication::processEvents();
    MultiRowTabBar *bar = pages.Tabs();
    ASSERT_NE(bar, nullptr);
    const auto expectRoomForAllRows = [&] {
        EXPECT_EQ(bar->geometry(), QRect(0, pages.height() - bar->heightForWidth(pages.width()),
                                         pages.width(), bar->heightForWidth(pages.width())));
        const QWidget *page = pages.currentWidget();
        EXPECT_LE(page->mapTo(&pages, page->rect().bottomLeft()).y(), bar->geometry().top());
        ExpectTidy(*bar);
    };
    const int twoRows = bar->height();
    EXPECT_EQ(bar->RowCount(bar->width()), 2);
    expectRoomForAllRows();

    pages.resize(3000, 321);
    QApplication::processEvents();
    EXPECT_EQ(bar->RowCount(bar->width()), 1);
    EXPECT_EQ(bar->height() * 2, twoRows);
    expectRoomForAllRows();
    for (int i = 1; i < bar->count(); ++i) {
        EXPECT_EQ(bar->TabArea(i).left(), bar->TabArea(i - 1).right() + 1) << "left to right";
    }

    pages.resize(481, 321);
    QFont larger = pages.font();
    larger.setPointSize(larger.pointSize() * 2);
    pages.setFont(larger);
    QApplication::processEvents();
    EXPECT_GT(bar->height(), twoRows);
    expectRoomForAllRows();
}

// A bar on its own, at widths around the points where its tabs must wrap.
struct Width {
    const char *name;
    int extra;   // pixels added to the one-row width of all tabs
    int rows;    // expected rows; 0 means one row per tab
    bool narrow; // the width is less than that of the narrowest tab
};

class BarWidth : public ::testing::TestWithParam<Width> {};

TEST_P(BarWidth, WrapsOnlyWhenTheTabsDoNotFit) {
    MultiRowTabBar bar;
    bar.setShape(QTabBar::RoundedSouth);
    for (const char *caption : captions) {
        bar.addTab(QString::fromLatin1(caption));
    }
    bar.resize(100000, 100);
    int natural = 0, narrowest = 100000;
    for (int i = 0; i < bar.count(); ++i) {
        natural += bar.TabArea(i).width();
        narrowest = std::min(narrowest, bar.TabArea(i).width());
    }
    const int width = GetParam().narrow ? narrowest - 5 : natural + GetParam().extra;
    const int rows = GetParam().rows > 0 ? GetParam().rows : bar.count();
    EXPECT_EQ(bar.RowCount(width), rows);
    bar.resize(width, bar.heightForWidth(width));
    EXPECT_EQ(bar.height(), rows * bar.TabArea(0).height());
    ExpectTidy(bar);
}

INSTANTIATE_TEST_SUITE_P(Bar, BarWidth,
                         ::testing::Values(Width{"Roomy", 200, 1, false},
                                           Width{"ExactFit", 0, 1, false},
                                           Width{"OnePixelShort", -1, 2, false},
                                           Width{"NarrowerThanAnyTab", 0, 0, true}),
                         [](const auto &row) { return std::string(row.param.name); });

} // namespace
