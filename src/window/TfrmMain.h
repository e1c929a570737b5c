// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include <functional>
#include <string>

#include "core/CarSetup.h"

class QDialog;
class QMdiArea;
class QMdiSubWindow;
namespace Ui {
class frmMain;
}

// The "Marzan Setup" window. Every handler is named after the control and
// event it serves; the window's own events are FormCreate (end of the
// constructor), FormActivate (its sub-window becomes the active child of the
// frame) and FormDestroy (start of the destructor, all controls alive).
//
// The methods live in one file per page or feature of this folder:
//   TfrmMain.cpp        construction, connections, error boxes
//   Lifecycle.cpp       FormCreate, FormActivate, FormDestroy, the frame,
//                       picking a setup, "ok"
//   Sliders.cpp         value boxes, symmetric link, both transfers
//   ProjectedSpeeds.cpp "calculate"
//   SetupList.cpp       setup list and the remembered active setup
//   NewCopy.cpp         "new" and "copy", with the name dialog of
//                       TFrmNewSetup.cpp
//   Skins.cpp           skin list, preview, skin choice file
//   Tyres.cpp           "get temps"
// The widgets it makes itself are PageControl (the tabs), RawNameCombo (the
// lists) and the font of WindowFont.h.
class TfrmMain : public QWidget {
    Q_OBJECT

public:
    explicit TfrmMain(QWidget *parent = nullptr);
    ~TfrmMain() override;

    // Shows the window as an MDI child of area and makes it the active child.
    // When owner is not null the window is destroyed together with owner,
    // as it is with the frame or the sub-window the host deletes: at once
    // when no handler of the window runs, else once the handler has returned.
    QMdiSubWindow *ShowInFrame(QMdiArea *area, QObject *owner);
    // Makes a window owned by owner and shows it in the host's frame, the
    // first top-level QMainWindow whose central widget is a QMdiArea. Throws
    // std::runtime_error when there is no such frame; returns nullptr when
    // the owner went while the window was being made, which takes it too.
    static TfrmMain *OpenInHostFrame(QObject *owner);
    // Destroys the window once the running handler has returned.
    void Release();

    // The window's setup record; the sliders are the working copy.
    CarSetup &Record() { return setup; }
    const CarSetup &Record() const { return setup; }

    // Window events.
    void FormCreate(QObject *sender);
    void FormActivate(QObject *sender);
    void FormDestroy(QObject *sender);

    // Transfers between the record and the sliders.
    void ControlsToRecord();
    void RecordToControls();

    // Setup list and the remembered active setup.
    void FillSetupList();
    std::string ReadActiveSetupName();
    void WriteActiveSetupName();
    void cmbSetupListClick(QObject *sender);
    void butOkClick(QObject *sender);
    void butNewClick(QObject *sender);
    void butCopyClick(QObject *sender);

    // Projected speeds.
    void butCalcSpeedsClick(QObject *sender);
    int ProjectedSpeed(float engineRpm, float gearRatio, float finalRatio, float wheelRadius);

    // Skins.
    void FillSkinList();
    void cmbSkinsChange(QObject *sender);

    // Tyre temperatures.
    void Button1Click(QObject *sender);

    // Slider change handlers: each shows its slider's value in the box beside
    // it and, where a "symmetric" box governs the slider, moves its partner.
    void trRearChange(QObject *sender);
    void trkBrakeBiasChange(QObject *sender);
    void trkBrakePadLFChange(QObject *sender);
    void trkBrakePadRFChange(QObject *sender);
    void trkBrakePadLRChange(QObject *sender);
    void trkBrakePadRRChange(QObject *sender);
    void trkBrakeDiscLFChange(QObject *sender);
    void trkBrakeDiscRFChange(QObject *sender);
    void trkBrakeDiscLRChange(QObject *sender);
    void trkBrakeDiscRRChange(QObject *sender);
    void trkRollBarFChange(QObject *sender);
    void trkRollBarRChange(QObject *sender);
    void trkSpringLFChange(QObject *sender);
    void trkSpringRFChange(QObject *sender);
    void trkSpringLRChange(QObject *sender);
    void trkSpringRRChange(QObject *sender);
    void trkDampCompLFChange(QObject *sender);
    void trkDampCompRFChange(QObject *sender);
    void trkDampCompLRChange(QObject *sender);
    void trkDampCompRRChange(QObject *sender);
    void trkDampRebLFChange(QObject *sender);
    void trkDampRebRFChange(QObject *sender);
    void trkDampRebLRChange(QObject *sender);
    void trkDampRebRRChange(QObject *sender);
    void trkSteerRatioChange(QObject *sender);
    void trkCamberLFChange(QObject *sender);
    void trkCamberRFChange(QObject *sender);
    void trkCamberLRChange(QObject *sender);
    void trkCamberRRChange(QObject *sender);
    void trkGear1Change(QObject *sender);
    void trkGear2Change(QObject *sender);
    void trkGear3Change(QObject *sender);
    void trkGear4Change(QObject *sender);
    void trkGear5Change(QObject *sender);
    void trkGear6Change(QObject *sender);
    void trkGearFinalChange(QObject *sender);
    void trkFuelChange(QObject *sender);

private:
    void ConnectHandlers();
    // Wires each setup slider to its handler and gives it its name for
    // screen readers.
    void ConnectSliders();
    // Shows row's slider in its value box (row of the slider table).
    void ShowBox(std::size_t row);
    // What every slider change handler does for the slider it is named after.
    void SliderChanged(void (TfrmMain::*handler)(QObject *));
    void ShowAllValues();
    // Runs a handler of a user action or window event; a failure that
    // escapes it is shown in an error box naming action instead of reaching
    // the event loop. A window that is going runs no more handlers.
    void Guarded(const char *action, const std::function<void()> &handler);
    void ShowError(const QString &text);
    // Runs dialog's modal loop. When the window starts going meanwhile the
    // dialog is closed for it, and the caller must check going and stop.
    void ShowModal(QDialog &dialog);
    // The name typed into a fresh name dialog, or empty.
    std::string AskSetupName();
    // The owner is gone: the window goes too, but never under a running
    // handler.
    void OwnerDestroyed();
    // The host has let go of the window while a handler of it runs.
    void GoAfterHandler();

    Ui::frmMain *ui;
    CarSetup setup;
    // Handlers of this window now on the stack, nested ones included.
    int running = 0;
    // The owner is gone and the window waits for its handlers to return.
    bool going = false;
    // The modal dialog a handler of this window waits in, if any.
    QDialog *openModal = nullptr;
    // Whether the window is the frame's active child, so that only a real
    // change of the active child counts as an activation.
    bool isActiveChild = false;
};
