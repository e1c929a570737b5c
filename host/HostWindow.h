// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include <QMainWindow>

class QMdiArea;
class SetupPlugin;

// The simulator's main window as far as the plug-in sees it: a frame whose
// client area holds the setup windows, and the two page actions that call
// the plug-in.
class HostWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit HostWindow(const SetupPlugin &plugin, QWidget *parent = nullptr);

    QMdiArea *area() const { return mdi; }

    // Opens the car's setup page: another setup window each time. A failure
    // of the plug-in is shown in an error box.
    void OpenSetupPage();
    void LeaveSetupPage();

private:
    const SetupPlugin &plugin;
    QMdiArea *mdi;
};
