// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include <QComboBox>

#include <string>
#include <vector>

// A drop-down list of names, however long: the closed list shortens the
// selected name in the middle, where names that share a beginning differ,
// and gives it whole as its tooltip; the open list does the same for each
// entry and scrolls.
class NameList : public QComboBox {
    Q_OBJECT

public:
    explicit NameList(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// Drop-down lists of names read from the disk. An entry keeps the name's raw
// bytes beside its display text, so a name that is not valid UTF-8 is still
// loaded, saved and remembered under exactly the bytes it has on disk.
namespace vosk {

// Replaces the entries with names, in the given order; nothing is selected.
void SetNames(QComboBox *combo, std::vector<std::string> names);
// The raw name of the selected entry; empty when nothing is selected.
std::string SelectedName(const QComboBox *combo);
// Index of the entry whose name equals name ignoring letter case, or -1; an
// entry spelled exactly like name wins over an earlier one that differs in
// letter case only.
int FindName(const QComboBox *combo, const std::string &name);
// Lets the wheel pick in combo only while the list has the focus (a click or
// Tab gives it): a notch turned as the pointer crosses the closed list goes
// on to what lies beneath, and picks nothing.
void WheelOnlyWithFocus(QComboBox *combo);

} // namespace vosk
