// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include <QLocale>
#include <QString>

#include <string>

namespace vosk {

// A number text of the data core shown with the user's decimal separator.
inline QString WithUserSeparator(const std::string &text) {
    QString shown = QString::fromStdString(text);
    shown.replace(QLatin1Char('.'), QLocale().decimalPoint());
    return shown;
}

} // namespace vosk
