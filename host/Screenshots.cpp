// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "Screenshots.h"

#include "HostWindow.h"

#include <QAbstractEventDispatcher>
#include <QDir>
#include <QEventLoop>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>

#include <functional>

namespace {

// The longest the pictures wait for the window system, per step. Reached only
// when something never happens (a frame that is never activated, say).
constexpr int kPatienceMs = 5000;

// Runs the event loop until ready() holds once everything pending has been
// delivered, or until kPatienceMs have passed. The loop sleeps between
// events: the check runs each time it is about to wait for the next one.
void Settle(const std::function<bool()> &ready = [] { return true; }) {
    QEventLoop loop;
    QTimer patience;
    patience.setSingleShot(true);
    QObject::connect(&patience, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     &loop, [&loop, &ready] {
                         if (ready()) {
                             loop.quit();
                         }
                     });
    patience.start(kPatienceMs);
    loop.exec();
}

// "setup i/o" -> "setup-i-o": a tab caption as a file name part.
QString FilePart(const QString &caption) {
    QString part;
    for (const QChar c : caption.toLower()) {
        if (c.isLetterOrNumber() && c.unicode() < 128) {
            part += c;
        } else if (!part.endsWith(QLatin1Char('-'))) {
            part += QLatin1Char('-');
        }
    }
    while (part.endsWith(QLatin1Char('-'))) {
        part.chop(1);
    }
    return part;
}

bool Save(const QPixmap &picture, const QString &path, QString &error) {
    if (!picture.save(path, "PNG")) {
        error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    return true;
}

} // namespace

bool TakeScreenshots(HostWindow &frame, const QString &dir, QString &error) {
    if (!QDir().mkpath(dir)) {
        error = QStringLiteral("cannot create %1").arg(dir);
        return false;
    }
    // The setup window loads its setup when it becomes the active child,
    // which needs a frame that is on screen and active.
    frame.activateWindow();
    Settle([&frame] {
        return frame.windowHandle() && frame.windowHandle()->isExposed() && frame.isActiveWindow();
    });
    frame.OpenSetupPage();
    Settle([&frame] { return frame.area()->activeSubWindow() != nullptr; });

    QMdiSubWindow *child = frame.area()->activeSubWindow();
    auto *pages = child ? child->findChild<QTabWidget *>(QStringLiteral("PageControl1")) : nullptr;
    if (!pages) {
        error = QStringLiteral("no setup window opened");
        return false;
    }
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        Settle();
        const QString name = QStringLiteral("page-%1-%2.png")
                                 .arg(page + 1, 2, 10, QLatin1Char('0'))
                                 .arg(FilePart(pages->tabText(page)));
        if (!Save(child->grab(), QDir(dir).filePath(name), error)) {
            return false;
        }
    }
    pages->setCurrentIndex(0);
    Settle();
    return Save(frame.grab(), QDir(dir).filePath(QStringLiteral("frame.png")), error);
}
