// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// The sliders that carry the setup: their value boxes, the "symmetric" link
// that keeps the left and right slider of an axle together, and the two
// transfers between the sliders (the working copy of the setup) and the
// window's setup record. The data core's slider table says what each slider
// means; the table here says which controls and handler belong to it, row
// for row.
#include "core/SetupFields.h"
#include "core/SliderTable.h"
#include "window/TfrmMain.h"
#include "window/UserNumbers.h"

#include "ui_frmMain.h"

#include <QFocusFrame>
#include <QPointer>

#include <iterator>

namespace {

using Form = Ui::frmMain;

struct SliderControls {
    QSlider *Form::*slider;
    QLineEdit *Form::*box;
    void (TfrmMain::*handler)(QObject *);
};

#define VOSK_ONE(name, box)                                                                        \
    { &Form::name, &Form::box, &TfrmMain::name##Change }

// clang-format off
const SliderControls kControls[] = {
    VOSK_ONE(trRear, txtRear),
    VOSK_ONE(trkBrakeBias, txtBrakeBias),
    VOSK_ONE(trkBrakePadLF, txtBrakePadLF),
    VOSK_ONE(trkBrakePadRF, txtBrakePadRF),
    VOSK_ONE(trkBrakePadLR, txtBrakePadLR),
    VOSK_ONE(trkBrakePadRR, txtBrakePadRR),
    VOSK_ONE(trkBrakeDiscLF, txtBrakeDiscLF),
    VOSK_ONE(trkBrakeDiscRF, txtBrakeDiscRF),
    VOSK_ONE(trkBrakeDiscLR, txtBrakeDiscLR),
    VOSK_ONE(trkBrakeDiscRR, txtBrakeDiscRR),
    VOSK_ONE(trkRollBarF, txtRollBarF),
    VOSK_ONE(trkRollBarR, txtRollBarR),
    VOSK_ONE(trkSpringLF, txtSpringLF),
    VOSK_ONE(trkSpringRF, txtSpringRF),
    VOSK_ONE(trkSpringLR, txtSpringLR),
    VOSK_ONE(trkSpringRR, txtSpringRR),
    VOSK_ONE(trkDampCompLF, txtDampCompLF),
    VOSK_ONE(trkDampCompRF, txtDampCompRF),
    VOSK_ONE(trkDampCompLR, txtDampCompLR),
    VOSK_ONE(trkDampCompRR, txtDampCompRR),
    VOSK_ONE(trkDampRebLF, txtDampRebLF),
    VOSK_ONE(trkDampRebRF, txtDampRebRF),
    VOSK_ONE(trkDampRebLR, txtDampRebLR),
    VOSK_ONE(trkDampRebRR, txtDampRebRR),
    VOSK_ONE(trkSteerRatio, txtSteerRatio),
    VOSK_ONE(trkCamberLF, txtCamberLF),
    VOSK_ONE(trkCamberRF, txtCamberRF),
    VOSK_ONE(trkCamberLR, txtCamberLR),
    VOSK_ONE(trkCamberRR, txtCamberRR),
    VOSK_ONE(trkGear1, txtGear1),
    VOSK_ONE(trkGear2, txtGear2),
    VOSK_ONE(trkGear3, txtGear3),
    VOSK_ONE(trkGear4, txtGear4),
    VOSK_ONE(trkGear5, txtGear5),
    VOSK_ONE(trkGear6, txtGear6),
    VOSK_ONE(trkGearFinal, txtGearFinal),
    VOSK_ONE(trkFuel, txtFuel),
};
// clang-format on
#undef VOSK_ONE

static_assert(std::size(kControls) == vosk::kSliders.size(),
              "every slider of the setup needs its controls");

// The "symmetric" box of each kind of link.
QCheckBox *Form::*SymmetricBox(vosk::Link link) {
    return link == vosk::Link::Brakes ? &Form::chkBrakeSym : &Form::chkSpringSym;
}

// The never-shown toeing and install-ratio sliders raise the camber handler
// of their corner; they carry no setup value.
const std::pair<QSlider * Form::*, void (TfrmMain::*)(QObject *)> kHiddenCamberSliders[] = {
    {&Form::TrackBar1, &TfrmMain::trkCamberLFChange},
    {&Form::TrackBar2, &TfrmMain::trkCamberRFChange},
    {&Form::TrackBar3, &TfrmMain::trkCamberLRChange},
    {&Form::TrackBar4, &TfrmMain::trkCamberRRChange},
    {&Form::TrackBar5, &TfrmMain::trkCamberLFChange},
    {&Form::TrackBar6, &TfrmMain::trkCamberRFChange},
    {&Form::TrackBar7, &TfrmMain::trkCamberLRChange},
    {&Form::TrackBar8, &TfrmMain::trkCamberRRChange},
};

// Rings the slider that has the focus with a frame, so that a keyboard user
// sees at once which value the arrow keys move.
class FocusRing : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::FocusIn) {
            if (!ring) {
                ring = new QFocusFrame(static_cast<QWidget *>(parent()));
            }
            ring->setWidget(static_cast<QWidget *>(watched));
        } else if (event->type() == QEvent::FocusOut && ring) {
            ring->setWidget(nullptr);
        }
        return false;
    }

private:
    QPointer<QFocusFrame> ring;
};

// What a screen reader calls a slider: its group and, where the group holds
// more than this slider, its label ("springs (N/mm), LF").
QString AccessibleName(const vosk::Slider &s) {
    QString name = QString::fromUtf8(s.group);
    if (*s.label != '\0') {
        name += QStringLiteral(", ") + QString::fromUtf8(s.label);
    }
    return name;
}

} // namespace

void TfrmMain::ConnectSliders() {
    const auto connectTo = [this](QSlider *slider, void (TfrmMain::*handler)(QObject *)) {
        connect(slider, &QSlider::valueChanged, this,
                [this, slider, handler] { (this->*handler)(slider); });
    };
    auto *ring = new FocusRing(this);
    for (std::size_t row = 0; row < std::size(kControls); ++row) {
        QSlider *slider = ui->*kControls[row].slider;
        connectTo(slider, kControls[row].handler);
        slider->setAccessibleName(AccessibleName(vosk::kSliders[row]));
        slider->installEventFilter(ring);
    }
    for (const auto &[slider, handler] : kHiddenCamberSliders) {
        connectTo(ui->*slider, handler);
    }
}

// A screen reader reads a slider's description as its value: the position
// alone would say 40 where the box shows a bias of 60, or 1346 for a ratio
// of 3.154.
void TfrmMain::ShowBox(std::size_t row) {
    const SliderControls &c = kControls[row];
    const QString shown = vosk::WithUserSeparator(
        vosk::ShownText(vosk::kSliders[row].rule, (ui->*c.slider)->value()));
    (ui->*c.box)->setText(shown);
    (ui->*c.slider)->setAccessibleDescription(shown);
}

// Setting the partner runs its handler, which sets this slider back to the
// position it already holds; that raises nothing, so the chain ends there.
void TfrmMain::SliderChanged(void (TfrmMain::*handler)(QObject *)) {
    for (std::size_t row = 0; row < std::size(kControls); ++row) {
        const SliderControls &c = kControls[row];
        if (c.handler != handler) {
            continue;
        }
        ShowBox(row);
        const vosk::Slider &s = vosk::kSliders[row];
        if (s.link != vosk::Link::None && (ui->*SymmetricBox(s.link))->isChecked()) {
            const int partner = vosk::SliderRowOfWord(s.partnerWord);
            (ui->*kControls[partner].slider)->setValue((ui->*c.slider)->value());
        }
        return;
    }
}

// clang-format off
void TfrmMain::trRearChange(QObject *) { SliderChanged(&TfrmMain::trRearChange); }
void TfrmMain::trkBrakeBiasChange(QObject *) { SliderChanged(&TfrmMain::trkBrakeBiasChange); }
void TfrmMain::trkBrakePadLFChange(QObject *) { SliderChanged(&TfrmMain::trkBrakePadLFChange); }
void TfrmMain::trkBrakePadRFChange(QObject *) { SliderChanged(&TfrmMain::trkBrakePadRFChange); }
void TfrmMain::trkBrakePadLRChange(QObject *) { SliderChanged(&TfrmMain::trkBrakePadLRChange); }
void TfrmMain::trkBrakePadRRChange(QObject *) { SliderChanged(&TfrmMain::trkBrakePadRRChange); }
void TfrmMain::trkBrakeDiscLFChange(QObject *) { SliderChanged(&TfrmMain::trkBrakeDiscLFChange); }
void TfrmMain::trkBrakeDiscRFChange(QObject *) { SliderChanged(&TfrmMain::trkBrakeDiscRFChange); }
void TfrmMain::trkBrakeDiscLRChange(QObject *) { SliderChanged(&TfrmMain::trkBrakeDiscLRChange); }
void TfrmMain::trkBrakeDiscRRChange(QObject *) { SliderChanged(&TfrmMain::trkBrakeDiscRRChange); }
void TfrmMain::trkRollBarFChange(QObject *) { SliderChanged(&TfrmMain::trkRollBarFChange); }
void TfrmMain::trkRollBarRChange(QObject *) { SliderChanged(&TfrmMain::trkRollBarRChange); }
void TfrmMain::trkSpringLFChange(QObject *) { SliderChanged(&TfrmMain::trkSpringLFChange); }
void TfrmMain::trkSpringRFChange(QObject *) { SliderChanged(&TfrmMain::trkSpringRFChange); }
void TfrmMain::trkSpringLRChange(QObject *) { SliderChanged(&TfrmMain::trkSpringLRChange); }
void TfrmMain::trkSpringRRChange(QObject *) { SliderChanged(&TfrmMain::trkSpringRRChange); }
void TfrmMain::trkDampCompLFChange(QObject *) { SliderChanged(&TfrmMain::trkDampCompLFChange); }
void TfrmMain::trkDampCompRFChange(QObject *) { SliderChanged(&TfrmMain::trkDampCompRFChange); }
void TfrmMain::trkDampCompLRChange(QObject *) { SliderChanged(&TfrmMain::trkDampCompLRChange); }
void TfrmMain::trkDampCompRRChange(QObject *) { SliderChanged(&TfrmMain::trkDampCompRRChange); }
void TfrmMain::trkDampRebLFChange(QObject *) { SliderChanged(&TfrmMain::trkDampRebLFChange); }
void TfrmMain::trkDampRebRFChange(QObject *) { SliderChanged(&TfrmMain::trkDampRebRFChange); }
void TfrmMain::trkDampRebLRChange(QObject *) { SliderChanged(&TfrmMain::trkDampRebLRChange); }
void TfrmMain::trkDampRebRRChange(QObject *) { SliderChanged(&TfrmMain::trkDampRebRRChange); }
void TfrmMain::trkSteerRatioChange(QObject *) { SliderChanged(&TfrmMain::trkSteerRatioChange); }
void TfrmMain::trkCamberLFChange(QObject *) { SliderChanged(&TfrmMain::trkCamberLFChange); }
void TfrmMain::trkCamberRFChange(QObject *) { SliderChanged(&TfrmMain::trkCamberRFChange); }
void TfrmMain::trkCamberLRChange(QObject *) { SliderChanged(&TfrmMain::trkCamberLRChange); }
void TfrmMain::trkCamberRRChange(QObject *) { SliderChanged(&TfrmMain::trkCamberRRChange); }
void TfrmMain::trkGear1Change(QObject *) { SliderChanged(&TfrmMain::trkGear1Change); }
void TfrmMain::trkGear2Change(QObject *) { SliderChanged(&TfrmMain::trkGear2Change); }
void TfrmMain::trkGear3Change(QObject *) { SliderChanged(&TfrmMain::trkGear3Change); }
void TfrmMain::trkGear4Change(QObject *) { SliderChanged(&TfrmMain::trkGear4Change); }
void TfrmMain::trkGear5Change(QObject *) { SliderChanged(&TfrmMain::trkGear5Change); }
void TfrmMain::trkGear6Change(QObject *) { SliderChanged(&TfrmMain::trkGear6Change); }
void TfrmMain::trkGearFinalChange(QObject *) { SliderChanged(&TfrmMain::trkGearFinalChange); }
void TfrmMain::trkFuelChange(QObject *) { SliderChanged(&TfrmMain::trkFuelChange); }
// clang-format on

// Only the boxes: a refresh must not move any slider, so the link is left
// out here.
void TfrmMain::ShowAllValues() {
    for (std::size_t row = 0; row < std::size(kControls); ++row) {
        ShowBox(row);
    }
}

void TfrmMain::ControlsToRecord() {
    for (std::size_t row = 0; row < std::size(kControls); ++row) {
        const vosk::Slider &s = vosk::kSliders[row];
        setup.SetWord(s.word, vosk::StoredWord(s.rule, (ui->*kControls[row].slider)->value()));
    }
    for (const vosk::Field &field : vosk::kFields) {
        for (std::size_t i = 0; field.atOk == vosk::AtOk::Zero && i < field.count; ++i) {
            setup.SetWord(field.firstWord + i, 0);
        }
    }
}

// The rows go in table order, each left-hand slider before its right-hand
// partner, so with a "symmetric" box ticked a pair ends at the value stored
// for its right-hand wheel. Each slider clamps the position it is given.
void TfrmMain::RecordToControls() {
    for (std::size_t row = 0; row < std::size(kControls); ++row) {
        const vosk::Slider &s = vosk::kSliders[row];
        (ui->*kControls[row].slider)->setValue(vosk::PositionOf(s.rule, setup.Word(s.word)));
    }
    // Boxes whose slider already stood at the stored position raised no
    // change, so every box is brought up to date here.
    ShowAllValues();
}
