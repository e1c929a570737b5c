// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "window/PageControl.h"

#include "window/WindowFont.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QMouseEvent>
#include <QPointer>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>

#include <algorithm>

namespace {

// One tab as a screen reader sees it: where the bar really draws it, not
// where a bar of one row would have put it.
class AccessibleTab : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    AccessibleTab(MultiRowTabBar *tabBar, int tabIndex) : bar(tabBar), index(tabIndex) {}

    bool isValid() const override { return bar && index < bar->count(); }
    QObject *object() const override { return nullptr; }
    QAccessibleInterface *parent() const override {
        return QAccessible::queryAccessibleInterface(bar.data());
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        return isValid() && t == QAccessible::Name ? bar->tabText(index) : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.selectable = true;
        state.selected = isValid() && index == bar->currentIndex();
        state.invisible = !isValid() || !bar->isVisible();
        return state;
    }
    QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        const QRect area = bar->TabArea(index);
        return {bar->mapToGlobal(area.topLeft()), area.size()};
    }
    void *interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface
                   ? static_cast<QAccessibleActionInterface *>(this)
                   : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &action) override {
        if (isValid() && action == pressAction()) {
            bar->setCurrentIndex(index);
        }
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QPointer<MultiRowTabBar> bar;
    int index;
};

// The bar lists its tabs, and nothing else, as its children.
class AccessibleTabBar : public QAccessibleWidget {
public:
    explicit AccessibleTabBar(MultiRowTabBar *bar)
        : QAccessibleWidget(bar, QAccessible::PageTabList) {}
    ~AccessibleTabBar() override {
        for (const QAccessible::Id id : std::as_const(tabs)) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }

    int childCount() const override { return Bar()->count(); }
    QAccessibleInterface *child(int index) const override {
        if (index < 0 || index >= childCount()) {
            return nullptr;
        }
        if (!tabs.contains(index)) {
            tabs.insert(index,
                        QAccessible::registerAccessibleInterface(new AccessibleTab(Bar(), index)));
        }
        return QAccessible::accessibleInterface(tabs.value(index));
    }
    int indexOfChild(const QAccessibleInterface *child) const override {
        for (auto tab = tabs.cbegin(); tab != tabs.cend(); ++tab) {
            if (QAccessible::accessibleInterface(tab.value()) == child) {
                return tab.key();
            }
        }
        return -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i) {
            if (child(i)->rect().contains(x, y)) {
                return child(i);
            }
        }
        return nullptr;
    }

private:
    MultiRowTabBar *Bar() const { return static_cast<MultiRowTabBar *>(widget()); }
    mutable QHash<int, QAccessible::Id> tabs;
};

QAccessibleInterface *AccessibleFor(const QString &, QObject *object) {
    if (auto *bar = qobject_cast<MultiRowTabBar *>(object)) {
        return new AccessibleTabBar(bar);
    }
    return nullptr;
}

} // namespace

MultiRowTabBar::MultiRowTabBar(QTabWidget *pages) : QTabBar(pages) {
    // Made after Qt's list of factories, so gone before it; and gone when
    // the library is unloaded while the application goes on.
    static const struct Factory {
        Factory() { QAccessible::installFactory(&AccessibleFor); }
        ~Factory() { QAccessible::removeFactory(&AccessibleFor); }
    } factory;
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
        // The style widens its padding round the caption with the font
        // resolution; the window holds its type in pixels, and its tabs'
        // padding too, so that the rows of tabs stay as they were drawn.
        const QSize text = fontMetrics().size(Qt::TextShowMnemonic, caption);
        const double scale = 96.0 / fontMetrics().fontDpi();
        const QSize padding = (QTabBar::tabSizeHint(index) - text) * scale;
        size = text + padding;
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
        // The caption goes in the middle of the tab in the window's type:
        // the style would keep to a padding that grows with the font
        // resolution and cut the caption short.
        painter.drawControl(QStyle::CE_TabBarTabShape, option);
        painter.drawItemText(option.rect, Qt::AlignCenter | Qt::TextShowMnemonic, option.palette,
                             isEnabled(), option.text, QPalette::WindowText);
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            focus.rect = option.fontMetrics.boundingRect(option.rect, Qt::AlignCenter, option.text)
                             .adjusted(-3, -1, 3, 1);
            painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
        }
        painter.restore();
    }
}

// QTabBar would look for the tab among places of its own, all in one row.
void MultiRowTabBar::mousePressEvent(QMouseEvent *event) {
    const QVector<QRect> places = Places();
    for (int i = 0; i < count(); ++i) {
        if (event->button() == Qt::LeftButton && places[i].contains(event->position().toPoint())) {
            // The bar takes the focus, so that the arrow keys turn the pages
            // next, and the focus never drops into a control of the new page
            // that the user did not pick.
            setFocus(Qt::MouseFocusReason);
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

WindowPage::WindowPage(QWidget *parent) : QWidget(parent) {
    setFont(vosk::WindowFont());
}
