// The window's tabs wrap into rows instead of scrolling: every tab stays on
// show and takes its own clicks, and a wide enough bar keeps one row.
#include "support/TestSupport.h"
#include "window/PageControl.h"

#include <QTest>

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

} // namespace
