#include "Screenshots.h"

#include "HostWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QTabWidget>

namespace {

// Lets the window system deliver activation and paint events; the setup
// window loads its setup when it becomes the active child.
void Settle() {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 300) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
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
    frame.activateWindow();
    Settle();
    frame.OpenSetupPage();
    Settle();

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
