#pragma once

#include <QStyleOptionTab>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>
#include <QTabWidget>
#include <QVector>

// A tab bar that never scrolls: tabs that do not fit beside each other wrap
// into further rows, so every page keeps a visible tab. Each row is filled
// left to right in tab order; when there is more than one row, every row is
// stretched to the full width, and the row holding the current tab sits next
// to the pages with the other rows stacked behind it.
//
// Only bars with tabs along the top or bottom edge wrap; a bar along the left
// or right edge behaves like a plain QTabBar.
class MultiRowTabBar : public QTabBar {
    Q_OBJECT

public:
    explicit MultiRowTabBar(QWidget *parent = nullptr);

    // Where the tab at index is drawn and takes clicks, in the bar's own
    // coordinates; an empty rectangle for an index out of range.
    QRect TabArea(int index) const;
    // The tab drawn at pos, or -1 when pos lies on no tab.
    int TabUnder(const QPoint &pos) const;
    // How many rows the tabs take in a bar width pixels wide; a width of 0 or
    // less puts every tab in one row.
    int RowCount(int width) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    int heightForWidth(int width) const override;
    QSize tabSizeHint(int index) const override;

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    struct Place {
        QRect rect;
        int slot = 0; // 0 is the row next to the pages
        QStyleOptionTab::TabPosition position = QStyleOptionTab::OnlyOneTab;
        int before = -1, after = -1; // neighbours in the same row
    };

    bool Wraps() const;
    // The width the bar is going to get: that of the page control around it,
    // less its corner widgets, or the bar's own width when it stands alone.
    int WrapWidth() const;
    int RowHeight() const;
    QVector<Place> Places(int width) const;
    void DrawTab(QPainter &painter, const QVector<Place> &places, int index) const;

    int hovered = -1;

    // A tab's size as QTabBar measures it, with everything it follows from
    // besides the bar's type and style (a change of either forgets them all).
    struct Measured {
        QString text;
        QSize icon; // empty without an icon
        QSize leftButton, rightButton;
        Shape shape = RoundedNorth;
        bool documentMode = false;
        QSize size; // invalid until measured

        bool SameTab(const Measured &other) const;
    };
    mutable QVector<Measured> measured; // by tab index
};

// The window's page control: a QTabWidget whose tabs wrap into rows instead
// of scrolling, with the pages shrinking to make room for every row.
class PageControl : public QTabWidget {
    Q_OBJECT

public:
    explicit PageControl(QWidget *parent = nullptr);

    MultiRowTabBar *Tabs() const;

protected:
    void initStyleOption(QStyleOptionTabWidgetFrame *option) const override;
};
