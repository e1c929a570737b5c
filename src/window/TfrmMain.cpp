#include "window/TfrmMain.h"

#include "ui_frmMain.h"

#include <QColor>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QSlider>

#include <exception>

TfrmMain::TfrmMain(QWidget *parent) : QWidget(parent), ui(new Ui::frmMain) {
    ui->setupUi(this);
    // Value boxes sit on a muted background. A palette rather than a style
    // sheet: a sheet makes Qt match rules for every control each time the
    // window is reparented into the frame, which triples the opening time.
    QPalette boxes = palette();
    boxes.setColor(QPalette::Base, QColor(0xd4, 0xd0, 0xc8));
    for (QLineEdit *box : findChildren<QLineEdit *>()) {
        box->setPalette(boxes);
    }
    ConnectHandlers();
    Guarded([this] { FormCreate(this); });
}

// Runs while every control still exists, so the active setup can still be
// read from the setup list.
TfrmMain::~TfrmMain() {
    FormDestroy(this);
    // The controls themselves go with the widget; this holds only pointers.
    delete ui;
}

void TfrmMain::Guarded(const std::function<void()> &handler) {
    try {
        handler();
    } catch (const std::exception &e) {
        QMessageBox::critical(this, windowTitle(), QString::fromLocal8Bit(e.what()));
    }
}

void TfrmMain::ConnectHandlers() {
    using Handler = void (TfrmMain::*)(QObject *);
    ConnectSliders();

    // User actions; a failure inside one ends it and is shown in an error box.
    const auto onUser = [this](QObject *sender, Handler handler) {
        return [this, sender, handler] { Guarded([=] { (this->*handler)(sender); }); };
    };
    // setup i/o
    connect(ui->cmbSetupList, &QComboBox::activated, this,
            onUser(ui->cmbSetupList, &TfrmMain::cmbSetupListClick));
    connect(ui->butNew, &QPushButton::clicked, this, onUser(ui->butNew, &TfrmMain::butNewClick));
    connect(ui->butCopy, &QPushButton::clicked, this, onUser(ui->butCopy, &TfrmMain::butCopyClick));
    // transmission
    connect(ui->butCalcSpeeds, &QPushButton::clicked, this,
            onUser(ui->butCalcSpeeds, &TfrmMain::butCalcSpeedsClick));
    // skin
    connect(ui->cmbSkins, &QComboBox::activated, this,
            onUser(ui->cmbSkins, &TfrmMain::cmbSkinsChange));
    // Tyres
    connect(ui->Button1, &QPushButton::clicked, this, onUser(ui->Button1, &TfrmMain::Button1Click));
    // the window
    connect(ui->butOk, &QPushButton::clicked, this, onUser(ui->butOk, &TfrmMain::butOkClick));
}
