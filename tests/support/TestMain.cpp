// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

// One QApplication for the whole test program, on the offscreen platform
// unless the caller chose another (a real display under xvfb-run, say).
int main(int argc, char **argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Value boxes use the user's decimal separator; tests expect ".".
    QLocale::setDefault(QLocale::c());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
