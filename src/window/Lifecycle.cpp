// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// How the window lives inside the host's frame: activation reloads the
// active setup, "ok" stores the sliders and releases the window, and its
// destruction remembers the active setup.
#include "core/CarFiles.h"
#include "window/RawNameCombo.h"
#include "window/TfrmMain.h"
#include "window/WindowFont.h"

#include "ui_frmMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include <stdexcept>

namespace {

// The window has no way to be closed by the frame: a close request only
// minimises it, so unsaved slider values are never thrown away by accident.
class MinimiseOnClose : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Close) {
            event->ignore();
            static_cast<QWidget *>(watched)->showMinimized();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

std::string SetupPath(const std::string &name) {
    return vosk::paths::kSetupFolder + name;
}

// The host's multiple-document frame: the first top-level main window whose
// client area is an MDI area.
QMdiArea *FrameArea() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (auto *main = qobject_cast<QMainWindow *>(window)) {
            if (auto *area = qobject_cast<QMdiArea *>(main->centralWidget())) {
                return area;
            }
        }
    }
    return nullptr;
}

} // namespace

TfrmMain *TfrmMain::OpenInHostFrame(QObject *owner) {
    const auto noFrame = [] {
        return std::runtime_error("the car setup window needs a multiple-document main window");
    };
    QPointer<QMdiArea> area = FrameArea();
    if (!area) {
        throw noFrame();
    }
    const QPointer<QObject> guardedOwner = owner;
    auto *form = new TfrmMain;
    // Making the window may show an error box (a preview that cannot be
    // loaded), and the host may destroy its owner or its frame meanwhile.
    if (owner && !guardedOwner) {
        delete form;
        return nullptr;
    }
    if (!area && !(area = FrameArea())) {
        delete form;
        throw noFrame();
    }
    form->ShowInFrame(area, guardedOwner.data());
    return form;
}

QMdiSubWindow *TfrmMain::ShowInFrame(QMdiArea *area, QObject *owner) {
    // A fixed-size tool frame with minimise and maximise buttons only, made
    // inside the frame's area at once: moving a finished frame in would make
    // Qt resolve every control's type and palette once more. The frame lays
    // out its title bar, fitting the caption to it, at every step of its
    // set-up, so it gets the window's caption only once its size is fixed.
    const QString caption = windowTitle();
    setWindowTitle(QString());
    QMdiSubWindow *sub =
        area->addSubWindow(this, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                     Qt::WindowMinMaxButtonsHint);
    // Closing only minimises (below); nothing deletes the frame on a close.
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    sub->setOption(QMdiSubWindow::RubberBandResize, false);
    sub->installEventFilter(new MinimiseOnClose(sub));
    if (owner) {
        connect(owner, &QObject::destroyed, this, [this] { OwnerDestroyed(); });
    }
    // The host may delete its main window or the sub-window, and this window
    // with them. The sub-window says so before it deletes its children, so a
    // window with a handler on the stack steps out and goes after it.
    connect(sub, &QObject::destroyed, this, [this] {
        if (running > 0) {
            setParent(nullptr);
            GoAfterHandler();
        }
    });
    // Every time the window becomes the frame's active child it reloads the
    // active setup. The frame losing the focus to another program reports no
    // active child at all; coming back from there is not a new activation.
    connect(area, &QMdiArea::subWindowActivated, this, [this, sub](QMdiSubWindow *active) {
        if (active == sub && !isActiveChild) {
            isActiveChild = true;
            Guarded("Loading the active setup", [this] { FormActivate(this); });
        } else if (active && active != sub) {
            isActiveChild = false;
        }
    });
    // The frame adds a system menu (and with it a close button) of its own.
    sub->setSystemMenu(nullptr);
    sub->setWindowFlag(Qt::WindowSystemMenuHint, false);
    sub->setFixedSize(sub->sizeHint());
    sub->show();
    setWindowTitle(caption);
    area->setActiveSubWindow(sub);
    // The window's type, and the bold of the data sheet's headings, stay
    // ready for the next window.
    vosk::KeepLoaded(font());
    vosk::KeepLoaded(ui->Label8->font());
    return sub;
}

void TfrmMain::OwnerDestroyed() {
    if (running > 0) {
        GoAfterHandler();
    } else if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget())) {
        delete sub;
    } else {
        delete this;
    }
}

// A handler that waits in a modal loop (the name dialog, an error box) has
// the window on its stack, and Qt the control whose signal it serves: the
// dialog is closed, the handler sees the window going and stops, and the
// last handler to return releases the window. Even a deferred delete posted
// from here would belong to the modal loop, which may run it before the
// handler resumes.
void TfrmMain::GoAfterHandler() {
    going = true;
    if (openModal) {
        openModal->reject();
    }
}

void TfrmMain::Release() {
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget())) {
        sub->deleteLater();
    } else {
        deleteLater();
    }
}

// The skin list is filled once per window; the setups are loaded at every
// activation instead.
void TfrmMain::FormCreate(QObject *) {
    FillSkinList();
}

void TfrmMain::FormActivate(QObject *) {
    FillSetupList();
    const std::string name = ReadActiveSetupName();
    const int entry = vosk::FindName(ui->cmbSetupList, name);
    ui->cmbSetupList->setCurrentIndex(entry);
    if (name == vosk::paths::kDefaultSetupName) {
        setup.SetDefaults();
    } else if (entry >= 0) {
        // The remembered name may differ from the file's in letter case
        // only; this file system would not find it under that spelling.
        setup.Load(SetupPath(vosk::SelectedName(ui->cmbSetupList)));
    } else {
        setup.Load(SetupPath(name));
    }
    RecordToControls();
}

void TfrmMain::cmbSetupListClick(QObject *) {
    setup.Load(SetupPath(vosk::SelectedName(ui->cmbSetupList)));
    RecordToControls();
}

void TfrmMain::butOkClick(QObject *) {
    ControlsToRecord();
    // The list text is the setup's file name, ".rvs" included. With nothing
    // selected the path names the folder itself and the save does nothing.
    setup.Save(SetupPath(vosk::SelectedName(ui->cmbSetupList)));
    Release();
}

void TfrmMain::FormDestroy(QObject *) {
    WriteActiveSetupName();
}
