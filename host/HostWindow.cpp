// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "HostWindow.h"

#include "SetupPlugin.h"

#include <QAction>
#include <QDir>
#include <QKeySequence>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

#include <exception>

HostWindow::HostWindow(const SetupPlugin &setupPlugin, QWidget *parent)
    : QMainWindow(parent), plugin(setupPlugin), mdi(new QMdiArea) {
    setWindowTitle(tr("Simulator"));
    mdi->setBackground(QColor(46, 52, 64));
    // A setup window keeps its size; in a smaller frame the area scrolls to
    // its tabs and its "ok".
    mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi);

    auto *open = new QAction(tr("Car &setup"), this);
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    open->setStatusTip(tr("Open another setup window for the car"));
    connect(open, &QAction::triggered, this, &HostWindow::OpenSetupPage);

    auto *leave = new QAction(tr("&Leave setup page"), this);
    leave->setStatusTip(tr("Leave the setup page; open setup windows stay as they are"));
    connect(leave, &QAction::triggered, this, &HostWindow::LeaveSetupPage);

    auto *quit = new QAction(tr("&Quit"), this);
    quit->setShortcut(QKeySequence::Quit);
    connect(quit, &QAction::triggered, this, &QWidget::close);

    QMenu *car = menuBar()->addMenu(tr("&Car"));
    car->addAction(open);
    car->addAction(leave);
    car->addSeparator();
    car->addAction(quit);

    QToolBar *tools = addToolBar(tr("Car"));
    tools->setMovable(false);
    tools->addAction(open);
    tools->addAction(leave);

    QString workdir = QDir::currentPath();
    const QString home = QDir::homePath();
    if (workdir.startsWith(home + QLatin1Char('/'))) {
        workdir.replace(0, home.size(), QStringLiteral("~"));
    }
    statusBar()->showMessage(tr("Working folder: %1").arg(workdir));
    // No larger than the screen leaves room for, in its own pixels: a scaled
    // screen (QT_SCALE_FACTOR=2) has fewer of them.
    const QSize room = screen()->availableGeometry().size() * 9 / 10;
    resize(QSize(820, 640).boundedTo(room));
}

void HostWindow::OpenSetupPage() {
    QString failure;
    try {
        plugin.Activate();
        return;
    } catch (const std::exception &e) {
        failure = QString::fromLocal8Bit(e.what());
    } catch (...) {
        failure = tr("unknown failure");
    }
    QMessageBox::critical(this, tr("Car setup"),
                          tr("The car setup page could not be opened:\n%1").arg(failure));
}

void HostWindow::LeaveSetupPage() {
    plugin.Deactivate();
}
