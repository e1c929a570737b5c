#include "window/PageControl.h"

#include <QMouseEvent>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>

#include <algorithm>

MultiRowTabBar::MultiRowTabBar(QTabWidget *pages) : QTabBar(pages) {
    // Every tab is always on show, so there is nothing to scroll to and no
    // reason to shorten a caption.
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
}

// QTabBar lays out a tab's caption every time it is asked for the tab's size,
// and the rows ask some forty times per tab while a window is built and
// shown; a size measured once serves until the caption changes.
QSize MultiRowTabBar::tabSizeHint(int index) const {
    measured.resize(count());
    auto &[caption, size] = measured[index];
    if (!size.isValid() || caption != tabText(index)) {
        caption = tabText(index);
        size = QTabBar::tabSizeHint(index);
    }
    return size;
}

// A new type or style measures every tab anew, and so does a tab that comes
// or goes, since the sizes are kept by index.
void MultiRowTabBar::changeEvent(QEvent *event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        measured.clear();
    }
    QTabBar::changeEvent(event);
}

void MultiRowTabBar::tabInserted(int index) {
    measured.clear();
    QTabBar::tabInserted(index);
}

void MultiRowTabBar::tabRemoved(int index) {
    measured.clear();
    QTabBar::tabRemoved(index);
}

// Tab indices row by row: a tab starts the next row when it would reach past
// width, and a tab wider than that still gets a row of its own.
std::vector<std::vector<int>> MultiRowTabBar::Rows(int width) const {
    std::vector<std::vector<int>> rows;
    int used = 0;
    for (int i = 0; i < count(); ++i) {
        const int w = tabSizeHint(i).width();
        if (rows.empty() || used + w > width) {
            rows.emplace_back();
            used = 0;
        }
        rows.back().push_back(i);
        used += w;
    }
    return rows;
}

int MultiRowTabBar::RowHeight() const {
    int height = 0;
    for (int i = 0; i < count(); ++i) {
        height = std::max(height, tabSizeHint(i).height());
    }
    return height;
}

QVector<QRect> MultiRowTabBar::Places() const {
    const std::vector<std::vector<int>> rows = Rows(width());
    const int rowCount = int(rows.size());
    int currentRow = 0;
    for (int r = 0; r < rowCount; ++r) {
        if (std::count(rows[size_t(r)].begin(), rows[size_t(r)].end(), currentIndex()) > 0) {
            currentRow = r;
        }
    }
    QVector<QRect> places(count());
    for (int r = 0; r < rowCount; ++r) {
        const std::vector<int> &row = rows[size_t(r)];
        // The current row goes next to the pages, the rows after it below
        // it, and the rows before it round to the bottom.
        const int y = (r - currentRow + rowCount) % rowCount * RowHeight();
        // The row's tabs share out the spare width, so the rows stack into a
        // block; a single tab too wide for the bar shrinks to fit it instead.
        int spare = width();
        for (const int i : row) {
            spare -= tabSizeHint(i).width();
        }
        const int n = int(row.size());
        int x = 0;
        for (int j = 0; j < n; ++j) {
            const int i = row[size_t(j)];
            const int w = tabSizeHint(i).width() + spare / n + (j < spare % n ? 1 : 0);
            places[i] = QRect(x, y, w, RowHeight());
            x += w;
        }
    }
    return places;
}

QRect MultiRowTabBar::TabArea(int index) const {
    return Places().value(index);
}

QSize MultiRowTabBar::sizeHint() const {
    const int width = parentWidget()->width();
    return {width, int(Rows(width).size()) * RowHeight()};
}

void MultiRowTabBar::paintEvent(QPaintEvent *) {
    const QVector<QRect> places = Places();
    QStylePainter painter(this);
    // The current tab comes last: styles draw it a little larger, over the
    // edges of its neighbours.
    for (int k = 1; k <= count(); ++k) {
        const int index = (currentIndex() + k) % count();
        QStyleOptionTab option;
        initStyleOption(&option, index);
        // A style that tracks the pointer would have QTabBar mark the tab
        // that lies under it in QTabBar's own single row; better none.
        option.state &= ~QStyle::State_MouseOver;
        // Styles close a tab's outer edge only at the ends of its row.
        const bool first = places[index].left() == 0, last = places[index].right() == width() - 1;
        option.position = first && last ? QStyleOptionTab::OnlyOneTab
                          : first       ? QStyleOptionTab::Beginning
                          : last        ? QStyleOptionTab::End
                                        : QStyleOptionTab::Middle;
        // Some styles turn a bottom tab over within a band at the bar's top
        // edge, which would throw every row but the first off the bar; so
        // each tab is drawn as if its row were the first.
        option.rect = places[index].translated(0, -places[index].top());
        painter.save();
        painter.translate(0, places[index].top());
        painter.drawControl(QStyle::CE_TabBarTab, option);
        painter.restore();
    }
}

// QTabBar would look for the tab among places of its own, all in one row.
void MultiRowTabBar::mousePressEvent(QMouseEvent *event) {
    const QVector<QRect> places = Places();
    for (int i = 0; i < count(); ++i) {
        if (event->button() == Qt::LeftButton && places[i].contains(event->position().toPoint())) {
            setCurrentIndex(i);
        }
    }
}

PageControl::PageControl(QWidget *parent) : QTabWidget(parent) {
    // Must happen before the first page is added.
    setTabBar(new MultiRowTabBar(this));
}

// Styles that open the pages' frame towards the current tab are told where
// that tab really is.
void PageControl::initStyleOption(QStyleOptionTabWidgetFrame *option) const {
    QTabWidget::initStyleOption(option);
    const auto *bar = static_cast<const MultiRowTabBar *>(tabBar());
    option->selectedTabRect = bar->TabArea(bar->currentIndex()).translated(bar->pos());
}
