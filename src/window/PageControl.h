// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include <QTabBar>
#include <QTabWidget>
#include <QVector>

#include <vector>

// The tabs along the bottom of the window's pages. They never scroll: tabs
// that do not fit beside each other wrap into further rows, each filled left
// to right in tab order and stretched to the full width. As on a classic
// multi-line tab control, the row holding the current tab sits next to the
// pages and the other rows follow below it in turn.
class MultiRowTabBar : public QTabBar {
    Q_OBJECT

public:
    explicit MultiRowTabBar(QTabWidget *pages);

    // Where the tab at index is drawn and takes clicks, in the bar's own
    // coordinates; an empty rectangle for an index out of range.
    QRect TabArea(int index) const;

    // As wide as the page control, and as high as the rows that width needs.
    QSize sizeHint() const override;
    // QTabBar's size of the tab, kept until its caption, the type or the
    // style changes.
    QSize tabSizeHint(int index) const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void tabInserted(int index) override;
    void tabRemoved(int index) override;

private:
    std::vector<std::vector<int>> Rows(int width) const;
    int RowHeight() const;
    QVector<QRect> Places() const;

    // Caption and size of each tab as last measured, by index.
    mutable QVector<QPair<QString, QSize>> measured;
};

// The window's page control: a QTabWidget whose tabs wrap into rows instead
// of scrolling, with the pages shrinking to make room for every row.
class PageControl : public QTabWidget {
    Q_OBJECT

public:
    explicit PageControl(QWidget *parent = nullptr);

protected:
    void initStyleOption(QStyleOptionTabWidgetFrame *option) const override;
};

// A page of the window. It takes the window's type as it is made, so that it
// joins the window without sending a change of type to all its controls.
class WindowPage : public QWidget {
    Q_OBJECT

public:
    explicit WindowPage(QWidget *parent = nullptr);
};
