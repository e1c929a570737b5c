// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/CarSetup.h"
#include "core/SliderTable.h"
#include "support/Table.h"
#include "window/TfrmMain.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>

class QMdiArea;

namespace vosk::test {

// A fresh empty folder that is the current folder while the object lives.
// Removed by its bytes: Qt would miss the names that are not UTF-8.
class ScratchWorkdir {
public:
    ScratchWorkdir() { QDir::setCurrent(dir.path()); }
    ~ScratchWorkdir() {
        QDir::setCurrent(previous);
        std::error_code ec;
        std::filesystem::remove_all(path(), ec);
    }
    std::string path() const { return dir.path().toStdString(); }

private:
    QString previous = QDir::currentPath();
    QTemporaryDir dir;
};

// Creates the parent folders of path as needed and writes bytes to it.
void WriteFile(const std::string &path, const std::string &bytes);
// The whole file, or an empty string when it cannot be read.
std::string ReadFile(const std::string &path);
inline void MakeDirs(const std::string &path) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
}
// The names in folder.
std::set<std::string> Entries(const std::string &folder);

// Runs body in a child process inside folder, with the umask 022, as the
// unprivileged user "nobody" when this process is root (folder is handed to
// that user first), else as this user. Returns what body returned, or why the
// child failed; nothing when root has no such user to become. body must not
// use EXPECT/ASSERT: it reports through its result.
std::optional<std::string> AsUser(const std::string &folder,
                                  const std::function<std::string()> &body);

inline const std::string kSetupDir = "cars/vosk/setup/";
inline const std::string kConf = "cars/vosk/setup/conf.ini";
// The active-setup file exactly as the window writes it.
std::string ConfFor(const std::string &name);
// The 196 bytes setup saves as.
std::string Bytes(const CarSetup &setup);
// A defaulted record told apart from others by its front springs.
CarSetup SetupWithSpring(int spring);

// The control called name inside window; a missing one fails the test.
template <typename T> T *Find(const QWidget *window, const char *name) {
    T *control = window->findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << "no control " << name;
    return control;
}

// A setup slider of the data core's table with its controls as
// data/window/controls.txt names them: slider, value box, and the slider of
// the other wheel and the "symmetric" box that keep the two level.
struct SliderControls {
    const vosk::Slider *table;
    std::string key, slider, box, partner, symmetric;
};
// Every setup slider, in the table's order.
std::vector<SliderControls> SetupSliders();

// Shows and activates the window of control and clicks the tab of the page
// holding it.
bool ShowPageOf(QWidget *control);
// Then gives control the focus; false when the user can never reach it.
bool FocusOn(QWidget *control);
// Moves a slider the way a user does, with page and arrow keys sent to it
// once it has the focus.
void Move(const QWidget *window, const char *slider, int position);
int Position(const QWidget *window, const char *slider);
// The text of a value box, static text or label.
std::string Text(const QWidget *window, const char *control);
// Presses a push button, then lets a released window go.
void Click(const QWidget *window, const char *button);
// Picks entry index of a drop-down list as the user does: opens it and
// clicks the entry.
void Pick(const QWidget *window, const char *list, int index);

// A stand-in for the host's main window: a frame with an MDI client area.
class Frame {
public:
    Frame();
    QMdiArea *area() const { return mdi; }
    // A new setup window shown in the frame as the active child.
    TfrmMain *Open(QObject *owner = nullptr);
    // Runs the posted events, deferred deletions included.
    static void Settle();

private:
    QMainWindow main;
    QMdiArea *mdi;
};

class WindowTest : public ::testing::Test {
protected:
    ScratchWorkdir workdir;
    Frame frame;
};

// Hands the next modal window of type T to answer from inside its modal
// loop, once it has the focus as a person would wait for; seen tells whether
// one came up within two seconds.
template <typename T> class OnModal {
public:
    explicit OnModal(std::function<void(T *)> handler) : answer(std::move(handler)) { Poll(400); }
    bool seen = false;

private:
    void Poll(int triesLeft) {
        QTimer::singleShot(5, &context, [this, triesLeft] {
            if (auto *modal = qobject_cast<T *>(QApplication::activeModalWidget());
                modal && (modal->isActiveWindow() || triesLeft == 0)) {
                seen = true;
                answer(modal);
            } else if (triesLeft > 0) {
                Poll(triesLeft - 1);
            }
        });
    }
    std::function<void(T *)> answer;
    QObject context;
};

} // namespace vosk::test
