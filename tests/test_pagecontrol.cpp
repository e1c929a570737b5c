// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// The window's tabs wrap into rows instead of scrolling: every tab stays on
// show and takes its own clicks, and a wide enough bar keeps one row.
#include "support/TestSupport.h"
#include "window/PageControl.h"

#include <QAccessible>
#include <QTest>

#include <functional>
#include <set>

namespace {

// The tabs tile the bar row by row in tab order, left to right, with the
// current tab's row next to the pages, and a screen reader finds each where
// it is drawn, on show, and under the pointer there. Returns the number of
// rows.
int ExpectTidy(MultiRowTabBar &bar) {
    std::set<int> tops;
    int area = 0;
    QAccessibleInterface *tabs = QAccessible::queryAccessibleInterface(&bar);
    EXPECT_EQ(tabs->childCount(), bar.count());
    for (int i = 0; i < bar.count(); ++i) {
        const QRect place = bar.TabArea(i);
        const QRect seen = tabs->child(i)->rect();
        EXPECT_EQ(seen, QRect(bar.mapToGlobal(place.topLeft()), place.size()));
        EXPECT_EQ(tabs->childAt(seen.center().x(), seen.center().y()), tabs->child(i));
        EXPECT_EQ(tabs->child(i)->state().invisible, !bar.isVisible());
        EXPECT_EQ(tabs->child(i)->text(QAccessible::Name), bar.tabText(i));
        EXPECT_TRUE(bar.rect().contains(place)) << "tab " << i;
        for (int j = 0; j < i; ++j) {
            EXPECT_FALSE(place.intersects(bar.TabArea(j))) << "tabs " << j << " and " << i;
        }
        // Each tab follows the one before it in its row or starts a row.
        const QRect before = bar.TabArea(i - 1);
        EXPECT_EQ(place.left(), i > 0 && before.top() == place.top() ? before.right() + 1 : 0)
            << "tab " << i;
        area += place.width() * place.height();
        tops.insert(place.top());
    }
    EXPECT_EQ(area, bar.width() * bar.height());
    EXPECT_EQ(bar.TabArea(bar.currentIndex()).top(), 0);
    return int(tops.size());
}

TEST(WindowTabs, WrapIntoRowsTakeTheirClicksAndKeepOneRowWhenWide) {
    vosk::test::ScratchWorkdir workdir;
    TfrmMain window;
    auto *pages = window.findChild<QTabWidget *>("PageControl1");
    ASSERT_NE(pages, nullptr);
    auto *bar = qobject_cast<MultiRowTabBar *>(pages->tabBar());
    ASSERT_NE(bar, nullptr);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_EQ(bar->count(), 11);
    EXPECT_GT(ExpectTidy(*bar), 1);
    // Back and forth, so every row in turn moves next to the pages.
    for (const int i : {10, 0, 7, 3, 6, 5, 9, 1, 8, 2, 4}) {
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->TabArea(i).center());
        EXPECT_EQ(pages->currentIndex(), i);
        ExpectTidy(*bar);
    }
    // Just as wide as the tabs side by side is wide enough.
    int tabsWidth = 0;
    for (int i = 0; i < bar->count(); ++i) {
        tabsWidth += bar->tabSizeHint(i).width();
    }
    pages->resize(pages->width() - bar->width() + tabsWidth, pages->height());
    QApplication::processEvents();
    ASSERT_EQ(bar->width(), tabsWidth);
    EXPECT_EQ(ExpectTidy(*bar), 1);
}

// Kept sizes follow what they are measured from: a caption, a tab that
// comes before, the type; a tab's accessible face follows the tab.
struct PlainBar : QTabBar {
    using QTabBar::tabSizeHint;
};

TEST(WindowTabs, KeptSizesFollowCaptionsTabsAndType) {
    QTabWidget pages;
    MultiRowTabBar bar(&pages);
    PlainBar plain;
    const std::function<void(QTabBar &)> changes[] = {
        [](QTabBar &b) { b.setTabText(1, QStringLiteral("a much longer caption")); },
        [](QTabBar &b) { b.insertTab(0, QStringLiteral("w")); },
        [](QTabBar &b) { b.setFont(QFont(b.font().family(), 20)); },
    };
    for (QTabBar *b : std::initializer_list<QTabBar *>{&bar, &plain}) {
        b->addTab(QStringLiteral("cover"));
        b->addTab(QStringLiteral("setup i/o"));
    }
    for (const auto &change : changes) {
        (void)bar.tabSizeHint(1);
        change(bar);
        change(plain);
        EXPECT_EQ(bar.tabSizeHint(1), plain.tabSizeHint(1));
    }
    // A screen reader holding a tab that then goes finds it gone.
    QAccessibleInterface *last = QAccessible::queryAccessibleInterface(&bar)->child(2);
    ASSERT_TRUE(last && last->isValid());
    bar.removeTab(2);
    EXPECT_FALSE(last->isValid());
}

} // namespace
