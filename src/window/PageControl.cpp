#include "window/PageControl.h"

#include <QHelpEvent>
#include <QHoverEvent>
#include <QMouseEvent>
#include <QStylePainter>
#include <QToolTip>
#include <QWhatsThis>

#include <algorithm>
#include <vector>

namespace {

// Tab indices per row, filled left to right in tab order: a tab goes to the
// next row when it would reach past width. A tab wider than the whole bar
// still gets a row of its own. With width 0 or less everything is one row.
std::vector<std::vector<int>> WrapIntoRows(const std::vector<int> &tabs,
                                           const std::vector<int> &widths, int width) {
    std::vector<std::vector<int>> rows;
    int used = 0;
    for (size_t k = 0; k < tabs.size(); ++k) {
        if (rows.empty() || (width > 0 && used + widths[k] > width)) {
            rows.emplace_back();
            used = 0;
        }
        rows.back().push_back(tabs[k]);
        used += widths[k];
    }
    return rows;
}

} // namespace

MultiRowTabBar::MultiRowTabBar(QWidget *parent) : QTabBar(parent) {
    // Every tab is always on show, so there is nothing to scroll to and no
    // reason to shorten a caption.
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
    setMovable(false);
    setAttribute(Qt::WA_Hover);
    // In a layout the bar grows a row whenever it is made too narrow.
    QSizePolicy policy = sizePolicy();
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    // The current tab's row moves next to the pages, so a new current tab
    // can rearrange every row.
    connect(this, &QTabBar::currentChanged, this, [this] { update(); });
}

bool MultiRowTabBar::Wraps() const {
    switch (shape()) {
    case RoundedNorth:
    case RoundedSouth:
    case TriangularNorth:
    case TriangularSouth:
        return true;
    default:
        return false;
    }
}

int MultiRowTabBar::WrapWidth() const {
    const auto *pages = qobject_cast<const QTabWidget *>(parentWidget());
    if (pages == nullptr) {
        return 0;
    }
    int width = pages->width();
    for (const Qt::Corner corner : {Qt::TopLeftCorner, Qt::TopRightCorner}) {
        const QWidget *widget = pages->cornerWidget(corner);
        if (widget != nullptr && widget->isVisibleTo(pages)) {
            width -= widget->sizeHint().width();
        }
    }
    return std::max(width, 1);
}

int MultiRowTabBar::RowHeight() const {
    int height = 0;
    for (int i = 0; i < count(); ++i) {
        if (isTabVisible(i)) {
            height = std::max(height, tabSizeHint(i).height());
        }
    }
    return height;
}

QVector<MultiRowTabBar::Place> MultiRowTabBar::Places(int width) const {
    QVector<Place> places(count());
    std::vector<int> tabs, widths;
    for (int i = 0; i < count(); ++i) {
        if (isTabVisible(i)) {
            tabs.push_back(i);
            widths.push_back(tabSizeHint(i).width());
        }
    }
    const std::vector<std::vector<int>> rows = WrapIntoRows(tabs, widths, width);
    const int rowCount = int(rows.size());
    int currentRow = 0;
    for (int r = 0; r < rowCount; ++r) {
        const auto &row = rows[size_t(r)];
        if (std::find(row.begin(), row.end(), currentIndex()) != row.end()) {
            currentRow = r;
        }
    }

    const int height = RowHeight();
    const bool south = shape() == RoundedSouth || shape() == TriangularSouth;
    int natural = 0;
    for (const int w : widths) {
        natural += w;
    }
    const QRect bar(0, 0, width > 0 ? width : natural, rowCount * height);
    size_t k = 0; // position in tabs and widths
    for (int r = 0; r < rowCount; ++r) {
        const std::vector<int> &row = rows[size_t(r)];
        const int slot = (r - currentRow + rowCount) % rowCount;
        const int y = (south ? slot : rowCount - 1 - slot) * height;
        const int n = int(row.size());
        // Rows of a wrapped bar are stretched to its edge, sharing the spare
        // width evenly, so the rows stack into a tidy block.
        int spare = 0;
        if (rowCount > 1) {
            spare = width;
            for (int j = 0; j < n; ++j) {
                spare -= widths[k + size_t(j)];
            }
            spare = std::max(spare, 0);
        }
        int x = 0;
        for (int j = 0; j < n; ++j, ++k) {
            int w = widths[k] + spare / n + (j < spare % n ? 1 : 0);
            if (width > 0) {
                w = std::min(w, width - x);
            }
            Place &place = places[row[size_t(j)]];
            place.rect = QStyle::visualRect(layoutDirection(), bar, QRect(x, y, w, height));
            place.slot = slot;
            place.position = n == 1       ? QStyleOptionTab::OnlyOneTab
                             : j == 0     ? QStyleOptionTab::Beginning
                             : j == n - 1 ? QStyleOptionTab::End
                                          : QStyleOptionTab::Middle;
            place.before = j > 0 ? row[size_t(j - 1)] : -1;
            place.after = j < n - 1 ? row[size_t(j + 1)] : -1;
            x += w;
        }
    }
    return places;
}

QRect MultiRowTabBar::TabArea(int index) const {
    if (index < 0 || index >= count()) {
        return {};
    }
    if (!Wraps()) {
        return tabRect(index);
    }
    return Places(width())[index].rect;
}

int MultiRowTabBar::TabUnder(const QPoint &pos) const {
    if (!Wraps()) {
        return tabAt(pos);
    }
    const QVector<Place> places = Places(width());
    for (int i = 0; i < count(); ++i) {
        if (places[i].rect.contains(pos)) {
            return i;
        }
    }
    return -1;
}

int MultiRowTabBar::RowCount(int width) const {
    if (!Wraps()) {
        return count() > 0 ? 1 : 0;
    }
    int rows = 0;
    for (const Place &place : Places(width)) {
        if (!place.rect.isEmpty()) {
            rows = std::max(rows, place.slot + 1);
        }
    }
    return rows;
}

int MultiRowTabBar::heightForWidth(int width) const {
    if (!Wraps()) {
        return QTabBar::heightForWidth(width);
    }
    return RowCount(width) * RowHeight();
}

QSize MultiRowTabBar::sizeHint() const {
    if (!Wraps()) {
        return QTabBar::sizeHint();
    }
    // Inside a page control the bar takes the control's whole width and as
    // many rows as that width needs; alone it asks for one row.
    const int width = WrapWidth();
    int natural = 0;
    for (int i = 0; i < count(); ++i) {
        if (isTabVisible(i)) {
            natural += tabSizeHint(i).width();
        }
    }
    return {width > 0 ? width : natural, heightForWidth(width)};
}

bool MultiRowTabBar::Measured::SameTab(const Measured &other) const {
    return text == other.text && icon == other.icon && leftButton == other.leftButton &&
           rightButton == other.rightButton && shape == other.shape &&
           documentMode == other.documentMode;
}

// QTabBar lays out a tab's caption again each time it is asked for the tab's
// size, and the rows ask for every tab's size many times while the window is
// built and shown; a size is measured again only when its tab changes.
QSize MultiRowTabBar::tabSizeHint(int index) const {
    if (index < 0 || index >= count()) {
        return QTabBar::tabSizeHint(index);
    }
    const auto buttonSize = [this, index](ButtonPosition side) {
        const QWidget *button = tabButton(index, side);
        return button != nullptr ? button->size() : QSize();
    };
    Measured tab;
    tab.text = tabText(index);
    tab.icon = tabIcon(index).isNull() ? QSize() : iconSize();
    tab.leftButton = buttonSize(LeftSide);
    tab.rightButton = buttonSize(RightSide);
    tab.shape = shape();
    tab.documentMode = documentMode();
    if (measured.size() < count()) {
        measured.resize(count());
    }
    Measured &known = measured[index];
    if (!known.size.isValid() || !known.SameTab(tab)) {
        tab.size = QTabBar::tabSizeHint(index);
        known = tab;
    }
    return known.size;
}

void MultiRowTabBar::changeEvent(QEvent *event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        measured.clear();
    }
    QTabBar::changeEvent(event);
}

QSize MultiRowTabBar::minimumSizeHint() const {
    if (!Wraps()) {
        return QTabBar::minimumSizeHint();
    }
    int widest = 0;
    for (int i = 0; i < count(); ++i) {
        if (isTabVisible(i)) {
            widest = std::max(widest, tabSizeHint(i).width());
        }
    }
    return {widest, heightForWidth(WrapWidth())};
}

void MultiRowTabBar::DrawTab(QPainter &painter, const QVector<Place> &places, int index) const {
    const Place &place = places[index];
    if (place.rect.isEmpty()) {
        return;
    }
    QStyleOptionTab option;
    initStyleOption(&option, index);
    option.rect = place.rect;
    option.row = place.slot;
    option.position = place.position;
    const int current = currentIndex();
    option.selectedPosition =
        current >= 0 && current == place.after    ? QStyleOptionTab::NextIsSelected
        : current >= 0 && current == place.before ? QStyleOptionTab::PreviousIsSelected
                                                  : QStyleOptionTab::NotAdjacent;
    option.state.setFlag(QStyle::State_MouseOver, index == hovered && isTabEnabled(index));
    // QTabBar would shorten the caption to fit a place of its own reckoning;
    // the caption is fitted to the place it really gets.
    option.text = tabText(index);
    if (elideMode() != Qt::ElideNone) {
        const QRect text = style()->subElementRect(QStyle::SE_TabBarTabText, &option, this);
        option.text =
            fontMetrics().elidedText(option.text, elideMode(), text.width(), Qt::TextShowMnemonic);
    }
    // Some styles flip a bottom tab within a band that starts at the bar's
    // top edge, which would throw every row but the first off the bar; so
    // each tab is drawn as if its row were the first.
    painter.save();
    painter.translate(0, option.rect.top());
    option.rect.moveTop(0);
    style()->drawControl(QStyle::CE_TabBarTab, &option, &painter, this);
    painter.restore();
}

void MultiRowTabBar::paintEvent(QPaintEvent *event) {
    if (!Wraps()) {
        QTabBar::paintEvent(event);
        return;
    }
    const QVector<Place> places = Places(width());
    QStylePainter painter(this);
    const int current = currentIndex();
    if (drawBase()) {
        const bool south = shape() == RoundedSouth || shape() == TriangularSouth;
        const int overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
        QStyleOptionTabBarBase base;
        base.initFrom(this);
        base.shape = shape();
        base.documentMode = documentMode();
        base.rect =
            south ? QRect(0, 0, width(), overlap) : QRect(0, height() - overlap, width(), overlap);
        for (const Place &place : places) {
            base.tabBarRect |= place.rect;
        }
        if (current >= 0) {
            base.selectedTabRect = places[current].rect;
        }
        painter.drawPrimitive(QStyle::PE_FrameTabBarBase, base);
    }
    // The current tab last: styles draw it slightly larger, over its
    // neighbours' edges.
    for (int i = 0; i < count(); ++i) {
        if (i != current) {
            DrawTab(painter, places, i);
        }
    }
    if (current >= 0) {
        DrawTab(painter, places, current);
    }
}

bool MultiRowTabBar::event(QEvent *event) {
    if (!Wraps()) {
        return QTabBar::event(event);
    }
    // QTabBar would look these up among tab places of its own reckoning,
    // which are not where the tabs are drawn.
    switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverMove: {
        const int under = TabUnder(static_cast<QHoverEvent *>(event)->position().toPoint());
        if (under != hovered) {
            hovered = under;
            update();
        }
        return true;
    }
    case QEvent::HoverLeave:
        hovered = -1;
        update();
        return true;
    case QEvent::ToolTip:
    case QEvent::WhatsThis: {
        const auto *help = static_cast<QHelpEvent *>(event);
        const int under = TabUnder(help->pos());
        const bool tip = event->type() == QEvent::ToolTip;
        const QString text = under < 0 ? QString() : tip ? tabToolTip(under) : tabWhatsThis(under);
        if (text.isEmpty()) {
            // Leaves the help to the page control around the bar.
            event->ignore();
        } else if (tip) {
            QToolTip::showText(help->globalPos(), text, this);
        } else {
            QWhatsThis::showText(help->globalPos(), text, this);
        }
        return true;
    }
    default:
        return QTabBar::event(event);
    }
}

void MultiRowTabBar::mousePressEvent(QMouseEvent *event) {
    if (!Wraps()) {
        QTabBar::mousePressEvent(event);
        return;
    }
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const int index = TabUnder(event->position().toPoint());
    Q_EMIT tabBarClicked(index);
    if (index >= 0 && isTabEnabled(index)) {
        setCurrentIndex(index);
    }
    event->accept();
}

// Tabs are not dragged, so moves and releases mean nothing to the bar.
void MultiRowTabBar::mouseMoveEvent(QMouseEvent *event) {
    if (!Wraps()) {
        QTabBar::mouseMoveEvent(event);
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void MultiRowTabBar::mouseReleaseEvent(QMouseEvent *event) {
    if (!Wraps()) {
        QTabBar::mouseReleaseEvent(event);
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void MultiRowTabBar::mouseDoubleClickEvent(QMouseEvent *event) {
    if (!Wraps()) {
        QTabBar::mouseDoubleClickEvent(event);
        return;
    }
    if (event->button() == Qt::LeftButton) {
        Q_EMIT tabBarDoubleClicked(TabUnder(event->position().toPoint()));
    }
    mousePressEvent(event);
}

PageControl::PageControl(QWidget *parent) : QTabWidget(parent) {
    // Must happen before the first page is added.
    setTabBar(new MultiRowTabBar(this));
}

MultiRowTabBar *PageControl::Tabs() const {
    return qobject_cast<MultiRowTabBar *>(tabBar());
}

// Styles that open the pages' frame towards the current tab are told where
// that tab really is.
void PageControl::initStyleOption(QStyleOptionTabWidgetFrame *option) const {
    QTabWidget::initStyleOption(option);
    if (const MultiRowTabBar *bar = Tabs(); bar != nullptr && bar->currentIndex() >= 0) {
        option->selectedTabRect =
            bar->TabArea(bar->currentIndex()).translated(bar->geometry().topLeft());
    }
}
