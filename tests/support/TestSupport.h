#pragma once

#include <QMainWindow>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>

class QMdiArea;
class QSlider;
class TfrmMain;

namespace vosk::test {

// A fresh empty folder that becomes the process's current folder for the
// lifetime of the object; the previous folder is restored and the scratch
// folder removed afterwards.
class ScratchWorkdir {
public:
    ScratchWorkdir();
    ~ScratchWorkdir();
    ScratchWorkdir(const ScratchWorkdir &) = delete;
    ScratchWorkdir &operator=(const ScratchWorkdir &) = delete;

    const std::string &path() const { return dir; }

private:
    std::string dir;
    std::string previous;
};

// Creates the parent folders of path as needed and writes bytes to it.
void WriteFile(const std::string &path, const std::string &bytes);
// The whole file, or an empty string when it cannot be read.
std::string ReadFile(const std::string &path);
bool Exists(const std::string &path);
void MakeDirs(const std::string &path);

// The control called name inside window; a missing one fails the test.
template <typename T> T *Find(const QWidget *window, const char *name) {
    T *control = window->findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << "no control " << name;
    return control;
}

// Moves a slider the way a user does: its change handler runs when the
// position really changes.
void Move(const QWidget *window, const char *slider, int position);
int Position(const QWidget *window, const char *slider);
// The text of a value box, static text or label.
std::string Text(const QWidget *window, const char *control);

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

} // namespace vosk::test
