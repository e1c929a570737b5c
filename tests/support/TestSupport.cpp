// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "support/TestSupport.h"

#include "core/SetupFields.h"

#include "support/Settle.h"

#include "window/PageControl.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QMdiArea>
#include <QTest>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace vosk::test {

void WriteFile(const std::string &path, const std::string &bytes) {
    if (fs::path(path).has_parent_path()) {
        MakeDirs(fs::path(path).parent_path().string());
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << "cannot write " << path;
}

std::string ReadFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::set<std::string> Entries(const std::string &folder) {
    std::set<std::string> names;
    std::error_code ec;
    for (const auto &entry : fs::directory_iterator(folder, ec)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

std::optional<std::string> AsUser(const std::string &folder,
                                  const std::function<std::string()> &body) {
    uid_t uid = ::geteuid();
    gid_t gid = ::getegid();
    if (uid == 0) {
        const passwd *user = ::getpwnam("nobody");
        if (!user || user->pw_uid == 0) {
            return std::nullopt;
        }
        uid = user->pw_uid;
        gid = user->pw_gid;
        if (::chown(folder.c_str(), uid, gid) != 0) {
            return "cannot hand " + folder + " to nobody";
        }
    }
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        return "no pipe";
    }
    const pid_t child = ::fork();
    if (child == 0) {
        std::string result = "cannot become the user";
        const bool root = ::geteuid() == 0;
        if ((!root || (::setgroups(0, nullptr) == 0 && ::setgid(gid) == 0 && ::setuid(uid) == 0)) &&
            ::chdir(folder.c_str()) == 0) {
            ::umask(022);
            try {
                result = body();
            } catch (const std::exception &e) {
                result = std::string("threw ") + e.what();
            }
        }
        // Short enough for the pipe to take in one write.
        ::_exit(::write(fds[1], result.data(), result.size()) == static_cast<ssize_t>(result.size())
                    ? 0
                    : 1);
    }
    ::close(fds[1]);
    std::string result;
    char chunk[4096];
    for (ssize_t n; (n = ::read(fds[0], chunk, sizeof chunk)) > 0;) {
        result.append(chunk, static_cast<std::size_t>(n));
    }
    ::close(fds[0]);
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || status != 0) {
        return "the child failed: status " + std::to_string(status) + ", said " + result;
    }
    return result;
}

std::string ConfFor(const std::string &name) {
    return "[ACTIVESETUP]\r\nNAME=" + name + "\r\n\r\n\r\n";
}

std::string Bytes(const CarSetup &setup) {
    setup.Save("record.bin");
    return ReadFile("record.bin");
}

CarSetup SetupWithSpring(int spring) {
    CarSetup setup;
    setup.SetDefaults();
    setup.spring[0] = setup.spring[1] = spring;
    return setup;
}

std::vector<SliderControls> SetupSliders() {
    std::vector<SliderControls> sliders;
    const auto controls = Table(VOSK_TEST_DATA "/window/controls.txt", 6);
    for (const vosk::Slider &s : vosk::kSliders) {
        const std::string key = vosk::KeyOfWord(s.word);
        for (const auto &row : controls) {
            if (row[2] == key) {
                sliders.push_back({&s, key, row[0], row[3], row[4], row[5]});
            }
        }
    }
    EXPECT_EQ(sliders.size(), vosk::kSliders.size()) << "a slider with no controls, or two";
    return sliders;
}

bool ShowPageOf(QWidget *control) {
    QWidget *top = control->window();
    top->show();
    top->activateWindow();
    if (!QTest::qWaitForWindowActive(top)) {
        return false;
    }
    for (QWidget *w = control; w; w = w->parentWidget()) {
        auto *pages = qobject_cast<QTabWidget *>(
            w->parentWidget() ? w->parentWidget()->parentWidget() : nullptr);
        auto *bar = pages ? qobject_cast<MultiRowTabBar *>(pages->tabBar()) : nullptr;
        if (bar && pages->indexOf(w) >= 0) {
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->TabArea(pages->indexOf(w)).center());
        }
    }
    return true;
}

bool FocusOn(QWidget *control) {
    if (ShowPageOf(control)) {
        control->setFocus(Qt::TabFocusReason);
    }
    return QApplication::focusWidget() == control;
}

void Move(const QWidget *window, const char *name, int position) {
    auto *slider = Find<QSlider>(window, name);
    if (!slider) {
        return;
    }
    // The never-shown sliders take no focus; only keys sent to them move them.
    QWidget *target = FocusOn(slider) ? QApplication::focusWidget() : slider;
    position = std::clamp(position, slider->minimum(), slider->maximum());
    if (position == slider->minimum() || position == slider->maximum()) {
        QTest::keyClick(target, position == slider->minimum() ? Qt::Key_Home : Qt::Key_End);
    }
    for (int presses = 0; slider->value() != position; ++presses) {
        if (presses > slider->maximum() - slider->minimum()) {
            ADD_FAILURE() << name << " cannot reach " << position << " by keys";
            return;
        }
        const int gap = position - slider->value();
        const bool page = std::abs(gap) >= slider->pageStep();
        // Up and PageUp move towards the maximum unless the slider inverts
        // its keys.
        const bool up = (gap > 0) != slider->invertedControls();
        QTest::keyClick(target, page ? (up ? Qt::Key_PageUp : Qt::Key_PageDown)
                                     : (up ? Qt::Key_Up : Qt::Key_Down));
    }
}

int Position(const QWidget *window, const char *slider) {
    auto *s = Find<QSlider>(window, slider);
    return s ? s->value() : INT_MIN;
}

std::string Text(const QWidget *window, const char *control) {
    const QObject *c = window->findChild<QObject *>(QString::fromLatin1(control));
    if (auto *box = qobject_cast<const QLineEdit *>(c)) {
        return box->text().toStdString();
    }
    if (auto *label = qobject_cast<const QLabel *>(c)) {
        return label->text().toStdString();
    }
    ADD_FAILURE() << "no text control " << control;
    return {};
}

void Click(const QWidget *window, const char *button) {
    if (auto *b = Find<QPushButton>(window, button)) {
        b->click();
        Frame::Settle();
    }
}

void Pick(const QWidget *window, const char *list, int index) {
    auto *combo = Find<QComboBox>(window, list);
    if (!combo || !FocusOn(combo)) {
        return;
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
    QAbstractItemView *view = combo->view();
    const QModelIndex item = combo->model()->index(index, combo->modelColumn());
    view->scrollTo(item);
    const QRect row = view->visualRect(item).intersected(view->viewport()->rect());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, row.center());
}

Frame::Frame() : mdi(new QMdiArea) {
    main.setCentralWidget(mdi);
    main.resize(900, 700);
    main.show();
    main.activateWindow();
    Settle();
}

TfrmMain *Frame::Open(QObject *owner) {
    auto *form = new TfrmMain;
    form->ShowInFrame(mdi, owner);
    Settle();
    return form;
}

void Frame::Settle() {
    test::Settle();
}

} // namespace vosk::test
