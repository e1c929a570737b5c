// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "window/TfrmMain.h"
#include "window/RawNameCombo.h"

#include "window/WindowFont.h"

#include "ui_frmMain.h"

#include <QColor>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>

#include <exception>
#include <utility>

TfrmMain::TfrmMain(QWidget *parent) : QWidget(parent), ui(new Ui::frmMain) {
    // Before the controls exist, so that each is made in the window's type.
    setFont(vosk::WindowFont());
    ui->setupUi(this);
    // Value boxes sit on a muted background. A palette rather than a style
    // sheet: a sheet makes Qt match rules for every control each time the
    // window is reparented into the frame, which triples the opening time.
    QPalette boxes = palette();
    boxes.setColor(QPalette::Base, QColor(0xd4, 0xd0, 0xc8));
    for (QLineEdit *box : findChildren<QLineEdit *>()) {
        box->setPalette(boxes);
        // Tab goes from control to control, past boxes that only show a
        // slider's value; a click still selects their text.
        if (box->isReadOnly()) {
            box->setFocusPolicy(Qt::ClickFocus);
        }
    }
    // Ctrl+Tab belongs to the frame, which switches windows with it.
    const auto turnPages = [this](int by) {
        const int count = ui->PageControl1->count();
        ui->PageControl1->setCurrentIndex((ui->PageControl1->currentIndex() + by + count) % count);
    };
    new QShortcut(
        QKeySequence(Qt::CTRL | Qt::Key_PageDown), this, this, [turnPages] { turnPages(1); },
        Qt::WidgetWithChildrenShortcut);
    new QShortcut(
        QKeySequence(Qt::CTRL | Qt::Key_PageUp), this, this, [turnPages] { turnPages(-1); },
        Qt::WidgetWithChildrenShortcut);
    ConnectHandlers();
    // A pick loads a setup or rewrites the skin choice file; a stray notch of
    // the wheel must do neither.
    for (QComboBox *list : {ui->cmbSetupList, ui->cmbSkins}) {
        vosk::WheelOnlyWithFocus(list);
    }
    Guarded("Opening the window", [this] { FormCreate(this); });
}

// Runs while every control still exists, so the active setup can still be
// read from the setup list.
TfrmMain::~TfrmMain() {
    FormDestroy(this);
    // The controls themselves go with the widget; this holds only pointers.
    delete ui;
}

void TfrmMain::Guarded(const char *action, const std::function<void()> &handler) {
    if (going) {
        return;
    }
    ++running;
    try {
        handler();
    } catch (const std::exception &e) {
        ShowError(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        // Whatever else a handler lets out must not unwind through Qt.
        ShowError(QStringLiteral("%1 failed unexpectedly.").arg(QString::fromLatin1(action)));
    }
    --running;
    // The owner went while the handler ran: the window goes now that the
    // outermost handler is done, after the event being handled.
    if (going && running == 0) {
        Release();
    }
}

void TfrmMain::ShowError(const QString &text) {
    QMessageBox box(QMessageBox::Critical, windowTitle(), text, QMessageBox::Ok, this);
    ShowModal(box);
}

void TfrmMain::ShowModal(QDialog &dialog) {
    QDialog *outer = std::exchange(openModal, &dialog);
    dialog.exec();
    openModal = outer;
}

void TfrmMain::ConnectHandlers() {
    using Handler = void (TfrmMain::*)(QObject *);
    ConnectSliders();

    // User actions; a failure inside one ends it and is shown in an error box.
    const auto onUser = [this](QObject *sender, Handler handler, const char *action) {
        return
            [this, sender, handler, action] { Guarded(action, [=] { (this->*handler)(sender); }); };
    };
    // setup i/o
    connect(ui->cmbSetupList, &QComboBox::activated, this,
            onUser(ui->cmbSetupList, &TfrmMain::cmbSetupListClick, "Loading the picked setup"));
    connect(ui->butNew, &QPushButton::clicked, this,
            onUser(ui->butNew, &TfrmMain::butNewClick, "Creating a new setup"));
    connect(ui->butCopy, &QPushButton::clicked, this,
            onUser(ui->butCopy, &TfrmMain::butCopyClick, "Copying the setup"));
    // transmission
    connect(ui->butCalcSpeeds, &QPushButton::clicked, this,
            onUser(ui->butCalcSpeeds, &TfrmMain::butCalcSpeedsClick, "Calculating the speeds"));
    // skin
    connect(ui->cmbSkins, &QComboBox::activated, this,
            onUser(ui->cmbSkins, &TfrmMain::cmbSkinsChange, "Showing the picked skin"));
    // Tyres
    connect(ui->Button1, &QPushButton::clicked, this,
            onUser(ui->Button1, &TfrmMain::Button1Click, "Reading the tyre temperatures"));
    // the window
    connect(ui->butOk, &QPushButton::clicked, this,
            onUser(ui->butOk, &TfrmMain::butOkClick, "Saving the setup"));
}
