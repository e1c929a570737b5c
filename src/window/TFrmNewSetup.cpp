// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "window/TFrmNewSetup.h"

#include "ui_FrmNewSetup.h"
#include "window/WindowFont.h"

#include <QKeyEvent>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr int kOkResult = 1;
constexpr int kCancelResult = 2;

} // namespace

TFrmNewSetup::TFrmNewSetup(QWidget *parent) : QDialog(parent), ui(new Ui::FrmNewSetup) {
    ui->setupUi(this);
    // A dialog is a window of its own and inherits nothing from the setup
    // window, so it takes the window's font itself.
    setFont(vosk::WindowFont());
    // A plain dialog frame: no help button, no resizing.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(357, 80);
    // The prompt sizes itself to its text, so a font wider than the one the
    // dialog was drawn with does not cut the sentence short.
    ui->Label1->resize(std::max(ui->Label1->width(), ui->Label1->sizeHint().width()),
                       ui->Label1->height());
    // The dialog always opens at the same place on the screen, not centred
    // on the window that asked for it.
    move(287, 366);
    // The name box, first in the form's tab order, takes the focus as the
    // dialog opens, with its whole text selected as a text box has it when
    // tabbed into: typing a name replaces "newSetup" rather than being added
    // to it.
    ui->txtFilename->selectAll();
    connect(ui->butOk, &QPushButton::clicked, this, [this] { butOkClick(ui->butOk); });
    connect(ui->butCancel, &QPushButton::clicked, this, [this] { butCancelClick(ui->butCancel); });
}

TFrmNewSetup::~TFrmNewSetup() {
    delete ui;
}

void TFrmNewSetup::butOkClick(QObject *) {
    Filename = ui->txtFilename->text().toStdString();
    done(kOkResult);
}

void TFrmNewSetup::butCancelClick(QObject *) {
    done(kCancelResult);
}

void TFrmNewSetup::keyPressEvent(QKeyEvent *event) {
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}
