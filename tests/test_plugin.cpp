// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// The module as the simulator's front-end meets it: loaded by file name, its
// entry points looked up by their exported names, its windows shown in the
// host's frame and owned by the host's owner object.
#include "support/Settle.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <dlfcn.h>
#include <link.h>
#include <memory>
#include <set>
#include <stdexcept>

using vosk::test::Settle;

namespace {

const char kModule[] = VOSK_MODULE;

bool ModuleInMemory() {
    void *handle = dlopen(kModule, RTLD_NOW | RTLD_NOLOAD);
    return handle && dlclose(handle) == 0;
}

// Every setup window alive in the process, wherever it is shown.
int SetupWindows() {
    const QWidgetList all = QApplication::allWidgets();
    return static_cast<int>(std::count_if(all.begin(), all.end(), [](const QWidget *widget) {
        return widget->inherits("TfrmMain") && widget->objectName() == QLatin1String("frmMain");
    }));
}

} // namespace

TEST(PluginModule, ExportsOnlyTheEntryPoints) {
    QProcess nm;
    nm.start(QStringLiteral("nm"),
             {QStringLiteral("-D"), QStringLiteral("--defined-only"),
              QStringLiteral("--format=just-symbols"), QString::fromLocal8Bit(kModule)});
    ASSERT_TRUE(nm.waitForFinished(30000));
    ASSERT_EQ(nm.exitCode(), 0) << nm.readAllStandardError().toStdString();
    const QList<QByteArray> defined = nm.readAllStandardOutput().trimmed().split('\n');
    EXPECT_EQ(
        std::set<QByteArray>(defined.begin(), defined.end()),
        (std::set<QByteArray>{"_init", "_activate", "_deactivate", "_frmMain", "_FrmNewSetup"}));
}

// One host session from loading the module to unloading it.
TEST(PluginModule, WindowsOpenInTheFrameAndGoWithTheirOwnerOnly) {
    QTemporaryDir workdir; // windows read and write the car's files in the current folder
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(workdir.isValid() && QDir::setCurrent(workdir.path()));
    ASSERT_FALSE(ModuleInMemory()) << "the test program must not link the window code";
    const QString banner = QStringLiteral(":/vosk/banner.bmp");
    EXPECT_FALSE(QFile::exists(banner));
    void *handle = dlopen(kModule, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    const auto init = reinterpret_cast<void (*)(QObject *)>(dlsym(handle, "_init"));
    const auto activate = reinterpret_cast<void (*)()>(dlsym(handle, "_activate"));
    const auto deactivate = reinterpret_cast<void (*)()>(dlsym(handle, "_deactivate"));
    void *const *frmMain = static_cast<void **>(dlsym(handle, "_frmMain"));
    void *const *frmNewSetup = static_cast<void **>(dlsym(handle, "_FrmNewSetup"));
    ASSERT_TRUE(init && activate && deactivate && frmMain && frmNewSetup);

    // Loading runs the static constructors, which register the window's
    // pictures, but not _init: the C runtime would have the loader call it
    // with the program's arguments instead of an owner.
    link_map *map = nullptr;
    ASSERT_EQ(dlinfo(handle, RTLD_DI_LINKMAP, &map), 0);
    const auto ours = reinterpret_cast<ElfW(Addr)>(init);
    for (const ElfW(Dyn) *entry = map->l_ld; entry->d_tag != DT_NULL; ++entry) {
        if (entry->d_tag == DT_INIT || entry->d_tag == DT_FINI) {
            EXPECT_TRUE(entry->d_un.d_ptr != ours - map->l_addr && entry->d_un.d_ptr != ours);
        }
    }
    EXPECT_EQ(QImage(banner).size(), QSize(480, 40));
    EXPECT_EQ(QImage(QStringLiteral(":/vosk/cover.bmp")).size(), QSize(150, 113));

    // Every activation opens another window, recorded nowhere in the module
    // and owned by the owner stored at that time.
    auto frame = std::make_unique<QMainWindow>();
    auto *area = new QMdiArea;
    frame->setCentralWidget(area);
    frame->show();
    const auto open = [&] {
        activate();
        return QPointer<QWidget>(area->subWindowList().last()->widget());
    };
    const QPointer<QWidget> ownerless = open(); // before any owner: nothing takes it away
    auto first = std::make_unique<QObject>(), second = std::make_unique<QObject>();
    init(first.get());
    const QPointer<QWidget> ofFirst = open();
    init(second.get());
    const QPointer<QWidget> ofSecond = open();
    deactivate(); // leaving the page closes nothing
    Settle();
    EXPECT_EQ(SetupWindows(), 3);
    EXPECT_EQ(area->subWindowList().size(), 3);
    EXPECT_EQ(*frmMain, nullptr);
    EXPECT_EQ(*frmNewSetup, nullptr);
    second.reset();
    Settle();
    EXPECT_TRUE(ofSecond.isNull());
    EXPECT_FALSE(ofFirst.isNull());
    first.reset();
    Settle();
    EXPECT_TRUE(ofFirst.isNull());
    EXPECT_FALSE(ownerless.isNull());
    open(); // with its owner gone the page still opens, as a window nobody owns
    Settle();
    EXPECT_EQ(SetupWindows(), 2);

    // The windows nobody owns go with the frame; a host without a
    // multiple-document frame then gets the failure back.
    frame.reset();
    QMainWindow plain;
    plain.setCentralWidget(new QWidget);
    plain.show();
    EXPECT_THROW(activate(), std::runtime_error);
    EXPECT_EQ(SetupWindows(), 0);

    // Unloaded with one window open and another released by "ok" but not yet
    // deleted, the module stays, pictures and all, while Qt may call into it.
    plain.setCentralWidget(area = new QMdiArea);
    auto third = std::make_unique<QObject>();
    init(third.get());
    open();
    open()->findChild<QPushButton *>(QStringLiteral("butOk"))->click();
    EXPECT_EQ(dlclose(handle), 0);
    Settle();
    third.reset();
    EXPECT_EQ(SetupWindows(), 0);
    EXPECT_TRUE(ModuleInMemory() && QFile::exists(banner));
    QDir::setCurrent(previous);
}
