// The value box beside each slider, and the "symmetric" link that keeps the
// left and right slider of an axle together.
#include "window/NumberText.h"
#include "window/TfrmMain.h"
#include "window/Units.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSlider>

// The products are formed left to right in double precision, so that each
// text is the exact decimal.
using namespace vosk::units;

void TfrmMain::ShowValue(QSlider *slider, QLineEdit *box, Shown shown, QSlider *partner,
                         QCheckBox *symmetric) {
    const int p = slider->value();
    QString text;
    switch (shown) {
    case Shown::Plain:
        text = vosk::IntToStr(p);
        break;
    case Shown::Bias:
        // The bias slider has 0 at its top: the front share grows upwards.
        text = vosk::IntToStr(100LL - p);
        break;
    case Shown::Pad:
        text = vosk::FloatToStr(p * kHundredth * 0.5);
        break;
    case Shown::Camber:
        text = vosk::FloatToStr(p * kTenth);
        break;
    case Shown::Ratio:
        // Moving a ratio slider to the right lowers the ratio.
        text = vosk::FloatToStr((4500 - p) * kThousandth);
        break;
    case Shown::Steer:
        text = vosk::IntToStr(p) + QStringLiteral(":1");
        break;
    }
    box->setText(text);
    // Setting the partner runs its handler, which sets this slider back to
    // the position it already holds; that raises nothing, so the chain ends.
    if (partner && symmetric && symmetric->isChecked()) {
        partner->setValue(p);
    }
}

// clang-format off
void TfrmMain::trRearChange(QObject *) { ShowValue(ui.trRear, ui.txtRear, Shown::Plain); }
void TfrmMain::trkBrakeBiasChange(QObject *) { ShowValue(ui.trkBrakeBias, ui.txtBrakeBias, Shown::Bias); }
void TfrmMain::trkBrakePadLFChange(QObject *) { ShowValue(ui.trkBrakePadLF, ui.txtBrakePadLF, Shown::Pad, ui.trkBrakePadRF, ui.chkBrakeSym); }
void TfrmMain::trkBrakePadRFChange(QObject *) { ShowValue(ui.trkBrakePadRF, ui.txtBrakePadRF, Shown::Pad, ui.trkBrakePadLF, ui.chkBrakeSym); }
void TfrmMain::trkBrakePadLRChange(QObject *) { ShowValue(ui.trkBrakePadLR, ui.txtBrakePadLR, Shown::Pad, ui.trkBrakePadRR, ui.chkBrakeSym); }
void TfrmMain::trkBrakePadRRChange(QObject *) { ShowValue(ui.trkBrakePadRR, ui.txtBrakePadRR, Shown::Pad, ui.trkBrakePadLR, ui.chkBrakeSym); }
void TfrmMain::trkBrakeDiscLFChange(QObject *) { ShowValue(ui.trkBrakeDiscLF, ui.txtBrakeDiscLF, Shown::Plain, ui.trkBrakeDiscRF, ui.chkBrakeSym); }
void TfrmMain::trkBrakeDiscRFChange(QObject *) { ShowValue(ui.trkBrakeDiscRF, ui.txtBrakeDiscRF, Shown::Plain, ui.trkBrakeDiscLF, ui.chkBrakeSym); }
void TfrmMain::trkBrakeDiscLRChange(QObject *) { ShowValue(ui.trkBrakeDiscLR, ui.txtBrakeDiscLR, Shown::Plain, ui.trkBrakeDiscRR, ui.chkBrakeSym); }
void TfrmMain::trkBrakeDiscRRChange(QObject *) { ShowValue(ui.trkBrakeDiscRR, ui.txtBrakeDiscRR, Shown::Plain, ui.trkBrakeDiscLR, ui.chkBrakeSym); }
void TfrmMain::trkRollBarFChange(QObject *) { ShowValue(ui.trkRollBarF, ui.txtRollBarF, Shown::Plain); }
void TfrmMain::trkRollBarRChange(QObject *) { ShowValue(ui.trkRollBarR, ui.txtRollBarR, Shown::Plain); }
void TfrmMain::trkSpringLFChange(QObject *) { ShowValue(ui.trkSpringLF, ui.txtSpringLF, Shown::Plain, ui.trkSpringRF, ui.chkSpringSym); }
void TfrmMain::trkSpringRFChange(QObject *) { ShowValue(ui.trkSpringRF, ui.txtSpringRF, Shown::Plain, ui.trkSpringLF, ui.chkSpringSym); }
void TfrmMain::trkSpringLRChange(QObject *) { ShowValue(ui.trkSpringLR, ui.txtSpringLR, Shown::Plain, ui.trkSpringRR, ui.chkSpringSym); }
void TfrmMain::trkSpringRRChange(QObject *) { ShowValue(ui.trkSpringRR, ui.txtSpringRR, Shown::Plain, ui.trkSpringLR, ui.chkSpringSym); }
void TfrmMain::trkDampCompLFChange(QObject *) { ShowValue(ui.trkDampCompLF, ui.txtDampCompLF, Shown::Plain, ui.trkDampCompRF, ui.chkSpringSym); }
void TfrmMain::trkDampCompRFChange(QObject *) { ShowValue(ui.trkDampCompRF, ui.txtDampCompRF, Shown::Plain, ui.trkDampCompLF, ui.chkSpringSym); }
void TfrmMain::trkDampCompLRChange(QObject *) { ShowValue(ui.trkDampCompLR, ui.txtDampCompLR, Shown::Plain, ui.trkDampCompRR, ui.chkSpringSym); }
void TfrmMain::trkDampCompRRChange(QObject *) { ShowValue(ui.trkDampCompRR, ui.txtDampCompRR, Shown::Plain, ui.trkDampCompLR, ui.chkSpringSym); }
void TfrmMain::trkDampRebLFChange(QObject *) { ShowValue(ui.trkDampRebLF, ui.txtDampRebLF, Shown::Plain, ui.trkDampRebRF, ui.chkSpringSym); }
void TfrmMain::trkDampRebRFChange(QObject *) { ShowValue(ui.trkDampRebRF, ui.txtDampRebRF, Shown::Plain, ui.trkDampRebLF, ui.chkSpringSym); }
void TfrmMain::trkDampRebLRChange(QObject *) { ShowValue(ui.trkDampRebLR, ui.txtDampRebLR, Shown::Plain, ui.trkDampRebRR, ui.chkSpringSym); }
void TfrmMain::trkDampRebRRChange(QObject *) { ShowValue(ui.trkDampRebRR, ui.txtDampRebRR, Shown::Plain, ui.trkDampRebLR, ui.chkSpringSym); }
void TfrmMain::trkSteerRatioChange(QObject *) { ShowValue(ui.trkSteerRatio, ui.txtSteerRatio, Shown::Steer); }
void TfrmMain::trkCamberLFChange(QObject *) { ShowValue(ui.trkCamberLF, ui.txtCamberLF, Shown::Camber); }
void TfrmMain::trkCamberRFChange(QObject *) { ShowValue(ui.trkCamberRF, ui.txtCamberRF, Shown::Camber); }
void TfrmMain::trkCamberLRChange(QObject *) { ShowValue(ui.trkCamberLR, ui.txtCamberLR, Shown::Camber); }
void TfrmMain::trkCamberRRChange(QObject *) { ShowValue(ui.trkCamberRR, ui.txtCamberRR, Shown::Camber); }
void TfrmMain::trkGear1Change(QObject *) { ShowValue(ui.trkGear1, ui.txtGear1, Shown::Ratio); }
void TfrmMain::trkGear2Change(QObject *) { ShowValue(ui.trkGear2, ui.txtGear2, Shown::Ratio); }
void TfrmMain::trkGear3Change(QObject *) { ShowValue(ui.trkGear3, ui.txtGear3, Shown::Ratio); }
void TfrmMain::trkGear4Change(QObject *) { ShowValue(ui.trkGear4, ui.txtGear4, Shown::Ratio); }
void TfrmMain::trkGear5Change(QObject *) { ShowValue(ui.trkGear5, ui.txtGear5, Shown::Ratio); }
void TfrmMain::trkGear6Change(QObject *) { ShowValue(ui.trkGear6, ui.txtGear6, Shown::Ratio); }
void TfrmMain::trkGearFinalChange(QObject *) { ShowValue(ui.trkGearFinal, ui.txtGearFinal, Shown::Ratio); }
void TfrmMain::trkFuelChange(QObject *) { ShowValue(ui.trkFuel, ui.txtFuel, Shown::Plain); }
// clang-format on

void TfrmMain::ShowAllValues() {
    // Only the boxes: a refresh must not move any slider, so the link is
    // left out here.
    const struct {
        QSlider *slider;
        QLineEdit *box;
        Shown shown;
    } boxes[] = {
        {ui.trRear, ui.txtRear, Shown::Plain},
        {ui.trkBrakeBias, ui.txtBrakeBias, Shown::Bias},
        {ui.trkBrakePadLF, ui.txtBrakePadLF, Shown::Pad},
        {ui.trkBrakePadRF, ui.txtBrakePadRF, Shown::Pad},
        {ui.trkBrakePadLR, ui.txtBrakePadLR, Shown::Pad},
        {ui.trkBrakePadRR, ui.txtBrakePadRR, Shown::Pad},
        {ui.trkBrakeDiscLF, ui.txtBrakeDiscLF, Shown::Plain},
        {ui.trkBrakeDiscRF, ui.txtBrakeDiscRF, Shown::Plain},
        {ui.trkBrakeDiscLR, ui.txtBrakeDiscLR, Shown::Plain},
        {ui.trkBrakeDiscRR, ui.txtBrakeDiscRR, Shown::Plain},
        {ui.trkRollBarF, ui.txtRollBarF, Shown::Plain},
        {ui.trkRollBarR, ui.txtRollBarR, Shown::Plain},
        {ui.trkSpringLF, ui.txtSpringLF, Shown::Plain},
        {ui.trkSpringRF, ui.txtSpringRF, Shown::Plain},
        {ui.trkSpringLR, ui.txtSpringLR, Shown::Plain},
        {ui.trkSpringRR, ui.txtSpringRR, Shown::Plain},
        {ui.trkDampCompLF, ui.txtDampCompLF, Shown::Plain},
        {ui.trkDampCompRF, ui.txtDampCompRF, Shown::Plain},
        {ui.trkDampCompLR, ui.txtDampCompLR, Shown::Plain},
        {ui.trkDampCompRR, ui.txtDampCompRR, Shown::Plain},
        {ui.trkDampRebLF, ui.txtDampRebLF, Shown::Plain},
        {ui.trkDampRebRF, ui.txtDampRebRF, Shown::Plain},
        {ui.trkDampRebLR, ui.txtDampRebLR, Shown::Plain},
        {ui.trkDampRebRR, ui.txtDampRebRR, Shown::Plain},
        {ui.trkSteerRatio, ui.txtSteerRatio, Shown::Steer},
        {ui.trkCamberLF, ui.txtCamberLF, Shown::Camber},
        {ui.trkCamberRF, ui.txtCamberRF, Shown::Camber},
        {ui.trkCamberLR, ui.txtCamberLR, Shown::Camber},
        {ui.trkCamberRR, ui.txtCamberRR, Shown::Camber},
        {ui.trkGear1, ui.txtGear1, Shown::Ratio},
        {ui.trkGear2, ui.txtGear2, Shown::Ratio},
        {ui.trkGear3, ui.txtGear3, Shown::Ratio},
        {ui.trkGear4, ui.txtGear4, Shown::Ratio},
        {ui.trkGear5, ui.txtGear5, Shown::Ratio},
        {ui.trkGear6, ui.txtGear6, Shown::Ratio},
        {ui.trkGearFinal, ui.txtGearFinal, Shown::Ratio},
        {ui.trkFuel, ui.txtFuel, Shown::Plain},
    };
    for (const auto &b : boxes) {
        ShowValue(b.slider, b.box, b.shown);
    }
}
