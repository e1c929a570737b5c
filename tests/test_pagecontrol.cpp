// The window's tabs wrap into rows instead of scrolling: every tab stays on
// show and takes its own clicks, and a wide enough bar keeps one row.
#include "support/TestSupport.h"
#include "window/PageControl.h"

#include <QStyleFactory>
#include <QTest>

#include <functional>
#include <memory>

namespace {

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

TEST(WindowTabs, WrapIntoRowsTakeTheirClicksAndKeepOneRowWhenWide) {
    vosk::test::ScratchWorkdir workdir;
    TfrmMain window;
    auto *pages = window.findChild<QTabWidget *>("PageControl1");
    ASSERT_NE(pages, nullptr);
    auto *bar = qobject_cast<MultiRowTabBar *>(pages->tabBar());
    ASSERT_NE(bar, nullptr);
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(pages->width(), 481);
    ASSERT_EQ(bar->count(), 11);
    EXPECT_GT(bar->RowCount(bar->width()), 1);
    EXPECT_EQ(bar->height(), bar->heightForWidth(bar->width()));
    ExpectTidy(*bar);
    // Back and forth, so every row in turn moves next to the pages.
    for (const int i : {10, 0, 7, 3, 6, 5, 9, 1, 8, 2, 4}) {
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->TabArea(i).center());
        EXPECT_EQ(pages->currentIndex(), i);
        EXPECT_EQ(bar->TabArea(i).top(), 0) << i;
        ExpectTidy(*bar);
    }
    const int severalRows = bar->height();
    pages->resize(3000, pages->height());
    QApplication::processEvents();
    EXPECT_EQ(bar->RowCount(bar->width()), 1);
    EXPECT_LT(bar->height(), severalRows);
    ExpectTidy(*bar);
}

struct PlainBar : QTabBar {
    using QTabBar::tabSizeHint;
};

// The bar keeps its tabs' sizes between measurements; after each change that
// alters a tab's size it measures what a plain QTabBar with the same tabs does.
TEST(WindowTabs, MeasureATabAgainWhenWhatItsSizeFollowsFromChanges) {
    const std::unique_ptr<QStyle> windows(QStyleFactory::create(QStringLiteral("Windows")));
    QPixmap red(16, 16);
    red.fill(Qt::red);
    const std::pair<const char *, std::function<void(QTabBar &)>> changes[] = {
        {"caption", [](QTabBar &b) { b.setTabText(1, QStringLiteral("suspensions II")); }},
        {"type", [](QTabBar &b) { b.setFont(QFont(b.font().family(), 20)); }},
        {"icon", [&](QTabBar &b) { b.setTabIcon(1, QIcon(red)); }},
        {"icon size", [](QTabBar &b) { b.setIconSize(QSize(40, 40)); }},
        {"button", [](QTabBar &b) { b.setTabButton(1, QTabBar::RightSide, new QLabel(&b)); }},
        {"shape", [](QTabBar &b) { b.setShape(QTabBar::RoundedWest); }},
        {"style", [&](QTabBar &b) { b.setStyle(windows.get()); }},
    };
    MultiRowTabBar bar;
    PlainBar plain;
    for (QTabBar *b : std::initializer_list<QTabBar *>{&bar, &plain}) {
        b->addTab(QStringLiteral("cover"));
        b->addTab(QStringLiteral("setup i/o"));
    }
    for (const auto &[what, change] : changes) {
        const QSize before = bar.tabSizeHint(1);
        change(bar);
        change(plain);
        EXPECT_NE(plain.tabSizeHint(1), before) << what << " changes nothing";
        EXPECT_EQ(bar.tabSizeHint(1), plain.tabSizeHint(1)) << what;
    }
}

} // namespace
