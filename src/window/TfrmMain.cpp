#include "window/TfrmMain.h"

#include <QColor>
#include <QComboBox>
#include <QLineEdit>
#include <QPalette>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>

#include <exception>

TfrmMain::TfrmMain(QWidget *parent) : QWidget(parent) {
    ui.setupUi(this);
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
    const struct {
        QSlider *slider;
        Handler handler;
    } sliders[] = {
        // aero
        {ui.trRear, &TfrmMain::trRearChange},
        // brakes
        {ui.trkBrakeBias, &TfrmMain::trkBrakeBiasChange},
        {ui.trkBrakePadLF, &TfrmMain::trkBrakePadLFChange},
        {ui.trkBrakePadRF, &TfrmMain::trkBrakePadRFChange},
        {ui.trkBrakePadLR, &TfrmMain::trkBrakePadLRChange},
        {ui.trkBrakePadRR, &TfrmMain::trkBrakePadRRChange},
        {ui.trkBrakeDiscLF, &TfrmMain::trkBrakeDiscLFChange},
        {ui.trkBrakeDiscRF, &TfrmMain::trkBrakeDiscRFChange},
        {ui.trkBrakeDiscLR, &TfrmMain::trkBrakeDiscLRChange},
        {ui.trkBrakeDiscRR, &TfrmMain::trkBrakeDiscRRChange},
        // suspensions I
        {ui.trkRollBarF, &TfrmMain::trkRollBarFChange},
        {ui.trkRollBarR, &TfrmMain::trkRollBarRChange},
        {ui.trkSpringLF, &TfrmMain::trkSpringLFChange},
        {ui.trkSpringRF, &TfrmMain::trkSpringRFChange},
        {ui.trkSpringLR, &TfrmMain::trkSpringLRChange},
        {ui.trkSpringRR, &TfrmMain::trkSpringRRChange},
        {ui.trkDampCompLF, &TfrmMain::trkDampCompLFChange},
        {ui.trkDampCompRF, &TfrmMain::trkDampCompRFChange},
        {ui.trkDampCompLR, &TfrmMain::trkDampCompLRChange},
        {ui.trkDampCompRR, &TfrmMain::trkDampCompRRChange},
        {ui.trkDampRebLF, &TfrmMain::trkDampRebLFChange},
        {ui.trkDampRebRF, &TfrmMain::trkDampRebRFChange},
        {ui.trkDampRebLR, &TfrmMain::trkDampRebLRChange},
        {ui.trkDampRebRR, &TfrmMain::trkDampRebRRChange},
        // suspensions II: the never-shown toeing and install-ratio sliders
        // share the camber handler of their corner
        {ui.trkCamberLF, &TfrmMain::trkCamberLFChange},
        {ui.trkCamberRF, &TfrmMain::trkCamberRFChange},
        {ui.trkCamberLR, &TfrmMain::trkCamberLRChange},
        {ui.trkCamberRR, &TfrmMain::trkCamberRRChange},
        {ui.TrackBar1, &TfrmMain::trkCamberLFChange},
        {ui.TrackBar2, &TfrmMain::trkCamberRFChange},
        {ui.TrackBar3, &TfrmMain::trkCamberLRChange},
        {ui.TrackBar4, &TfrmMain::trkCamberRRChange},
        {ui.TrackBar5, &TfrmMain::trkCamberLFChange},
        {ui.TrackBar6, &TfrmMain::trkCamberRFChange},
        {ui.TrackBar7, &TfrmMain::trkCamberLRChange},
        {ui.TrackBar8, &TfrmMain::trkCamberRRChange},
        // transmission
        {ui.trkGear1, &TfrmMain::trkGear1Change},
        {ui.trkGear2, &TfrmMain::trkGear2Change},
        {ui.trkGear3, &TfrmMain::trkGear3Change},
        {ui.trkGear4, &TfrmMain::trkGear4Change},
        {ui.trkGear5, &TfrmMain::trkGear5Change},
        {ui.trkGear6, &TfrmMain::trkGear6Change},
        {ui.trkGearFinal, &TfrmMain::trkGearFinalChange},
        // steering and fuel
        {ui.trkSteerRatio, &TfrmMain::trkSteerRatioChange},
        {ui.trkFuel, &TfrmMain::trkFuelChange},
    };
    for (const auto &row : sliders) {
        QSlider *const slider = row.slider;
        const Handler handler = row.handler;
        connect(slider, &QSlider::valueChanged, this,
                [this, slider, handler] { (this->*handler)(slider); });
    }

    // User actions; a failure inside one ends it and is shown in an error box.
    const auto onUser = [this](QObject *sender, Handler handler) {
        return [this, sender, handler] { Guarded([=] { (this->*handler)(sender); }); };
    };
    // setup i/o
    connect(ui.cmbSetupList, &QComboBox::activated, this,
            onUser(ui.cmbSetupList, &TfrmMain::cmbSetupListClick));
    connect(ui.butNew, &QPushButton::clicked, this, onUser(ui.butNew, &TfrmMain::butNewClick));
    connect(ui.butCopy, &QPushButton::clicked, this, onUser(ui.butCopy, &TfrmMain::butCopyClick));
    // transmission
    connect(ui.butCalcSpeeds, &QPushButton::clicked, this,
            onUser(ui.butCalcSpeeds, &TfrmMain::butCalcSpeedsClick));
    // skin
    connect(ui.cmbSkins, &QComboBox::activated, this,
            onUser(ui.cmbSkins, &TfrmMain::cmbSkinsChange));
    // Tyres
    connect(ui.Button1, &QPushButton::clicked, this, onUser(ui.Button1, &TfrmMain::Button1Click));
    // the window
    connect(ui.butOk, &QPushButton::clicked, this, onUser(ui.butOk, &TfrmMain::butOkClick));
}
