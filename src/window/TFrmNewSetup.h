// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

#include <string>

class QKeyEvent;
namespace Ui {
class FrmNewSetup;
}

// Asks for the name of a new setup. The caller shows it modally and then
// reads Filename only: an empty Filename means the user gave no name.
class TFrmNewSetup : public QDialog {
    Q_OBJECT

public:
    explicit TFrmNewSetup(QWidget *parent = nullptr);
    ~TFrmNewSetup() override;

    // The typed name exactly as entered (UTF-8, untrimmed, no extension);
    // empty until "ok" is pressed.
    std::string Filename;

    void butOkClick(QObject *sender);
    void butCancelClick(QObject *sender);

protected:
    // Enter and Escape press neither button, so a stray key never creates
    // or abandons a setup; only the buttons and the caption's close button
    // end the dialog.
    void keyPressEvent(QKeyEvent *event) override;

private:
    Ui::FrmNewSetup *ui;
};
