// The module as the simulator's front-end meets it: loaded by file name, its
// entry points looked up by their exported names, its windows shown in the
// host's frame and owned by the host's owner object.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <dlfcn.h>
#include <link.h>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>

namespace {

const char kModule[] = VOSK_MODULE;
const std::set<std::string> kExports = {"_init", "_activate", "_deactivate", "_frmMain",
                                        "_FrmNewSetup"};

bool ModuleInMemory() {
    void *handle = dlopen(kModule, RTLD_NOW | RTLD_NOLOAD);
    if (handle) {
        dlclose(handle);
    }
    return handle != nullptr;
}

// Every setup window alive in the process, wherever it is shown.
int SetupWindows() {
    int count = 0;
    for (const QWidget *widget : QApplication::allWidgets()) {
        if (widget->objectName() == QLatin1String("frmMain") &&
            std::strcmp(widget->metaObject()->className(), "TfrmMain") == 0) {
            ++count;
        }
    }
    return count;
}

QWidget *NewestSetupWindow(const QMdiArea &area) {
    const auto windows = area.subWindowList(QMdiArea::CreationOrder);
    return windows.isEmpty() ? nullptr : windows.last()->widget();
}

void Settle() {
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

// The host's main window: a frame whose client area is an MDI area.
struct Frame {
    Frame() : area(new QMdiArea) {
        main.setCentralWidget(area);
        main.resize(900, 700);
        main.show();
        Settle();
    }
    QMainWindow main;
    QMdiArea *area;
};

class PluginModule : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(ModuleInMemory()) << "an earlier test left the module loaded";
        ASSERT_TRUE(workdir.isValid());
        // Windows read and write the car's files relative to the current folder.
        previous = QDir::currentPath();
        QDir::setCurrent(workdir.path());
        picturesBeforeLoad = QFile::exists(QStringLiteral(":/vosk/banner.bmp"));
        handle = dlopen(kModule, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle, nullptr) << dlerror();
        init = Function<void (*)(QObject *)>("_init");
        activate = Function<void (*)()>("_activate");
        deactivate = Function<void (*)()>("_deactivate");
        frmMain = static_cast<void **>(dlsym(handle, "_frmMain"));
        frmNewSetup = static_cast<void **>(dlsym(handle, "_FrmNewSetup"));
        ASSERT_TRUE(init && activate && deactivate && frmMain && frmNewSetup);
    }

    void TearDown() override {
        Unload();
        EXPECT_FALSE(ModuleInMemory()) << "dlclose left the module in memory";
        QDir::setCurrent(previous);
    }

    // Windows without an owner go with the frame, while their code is still there.
    void Unload() {
        frame.reset();
        Settle();
        if (handle) {
            dlclose(handle);
            handle = nullptr;
        }
    }

    template <typename F> F Function(const char *name) {
        void *symbol = dlsym(handle, name);
        F function = nullptr;
        std::memcpy(&function, &symbol, sizeof function);
        return function;
    }

    QTemporaryDir workdir;
    QString previous;
    std::unique_ptr<Frame> frame = std::make_unique<Frame>();
    bool picturesBeforeLoad = true;
    void *handle = nullptr;
    void (*init)(QObject *) = nullptr;
    void (*activate)() = nullptr;
    void (*deactivate)() = nullptr;
    void **frmMain = nullptr;
    void **frmNewSetup = nullptr;
};

TEST(PluginModuleFile, ExportsOnlyTheEntryPoints) {
    QProcess nm;
    nm.start(QStringLiteral("nm"), {QStringLiteral("-D"), QStringLiteral("--defined-only"),
                                    QString::fromLocal8Bit(kModule)});
    ASSERT_TRUE(nm.waitForFinished(30000));
    ASSERT_EQ(nm.exitCode(), 0) << nm.readAllStandardError().toStdString();
    std::set<std::string> defined;
    for (const QByteArray &line : nm.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() == 3) {
            defined.insert(fields[2].toStdString());
        }
    }
    EXPECT_EQ(defined, kExports);
}

// The C runtime would have the loader call _init at load time, with the
// program's arguments instead of an owner.
TEST_F(PluginModule, LoaderStartsSomethingOtherThanInit) {
    link_map *map = nullptr;
    ASSERT_EQ(dlinfo(handle, RTLD_DI_LINKMAP, &map), 0);
    const auto ours = reinterpret_cast<ElfW(Addr)>(init);
    for (const ElfW(Dyn) *entry = map->l_ld; entry->d_tag != DT_NULL; ++entry) {
        if (entry->d_tag == DT_INIT || entry->d_tag == DT_FINI) {
            EXPECT_NE(entry->d_un.d_ptr, ours - map->l_addr) << entry->d_tag;
            EXPECT_NE(entry->d_un.d_ptr, ours) << entry->d_tag;
        }
    }
}

TEST_F(PluginModule, WindowPicturesComeAndGoWithTheModule) {
    EXPECT_FALSE(picturesBeforeLoad);
    const struct {
        const char *path;
        QSize size;
    } pictures[] = {{":/vosk/banner.bmp", QSize(480, 40)}, {":/vosk/cover.bmp", QSize(150, 113)}};
    for (const auto &picture : pictures) {
        EXPECT_EQ(QImage(QString::fromLatin1(picture.path)).size(), picture.size) << picture.path;
    }
    Unload();
    EXPECT_FALSE(QFile::exists(QStringLiteral(":/vosk/banner.bmp")));
}

TEST_F(PluginModule, EveryActivationOpensAnotherWindowRecordedNowhere) {
    auto owner = std::make_unique<QObject>();
    init(owner.get());
    activate();
    activate();
    Settle();
    EXPECT_EQ(SetupWindows(), 2);
    EXPECT_EQ(frame->area->subWindowList().size(), 2);
    EXPECT_EQ(*frmMain, nullptr);
    EXPECT_EQ(*frmNewSetup, nullptr);
    deactivate(); // leaving the page closes nothing
    Settle();
    EXPECT_EQ(SetupWindows(), 2);
}

TEST_F(PluginModule, WindowsGoWithTheOwnerTheyWereOpenedUnder) {
    activate(); // before any owner: nothing ever takes this one away
    const QPointer<QWidget> ownerless = NewestSetupWindow(*frame->area);
    auto first = std::make_unique<QObject>();
    init(first.get());
    activate();
    const QPointer<QWidget> ofFirst = NewestSetupWindow(*frame->area);
    auto second = std::make_unique<QObject>();
    init(second.get());
    activate();
    const QPointer<QWidget> ofSecond = NewestSetupWindow(*frame->area);
    ASSERT_EQ(SetupWindows(), 3);

    second.reset();
    Settle();
    EXPECT_TRUE(ofSecond.isNull());
    EXPECT_FALSE(ofFirst.isNull());
    first.reset();
    Settle();
    EXPECT_TRUE(ofFirst.isNull());
    EXPECT_FALSE(ownerless.isNull());
    EXPECT_EQ(SetupWindows(), 1);

    // With its owner gone the page still opens, as a window nobody owns.
    activate();
    Settle();
    EXPECT_EQ(SetupWindows(), 2);
}

TEST_F(PluginModule, OpensOnlyInsideAMultipleDocumentFrame) {
    frame.reset();
    QMainWindow plain;
    plain.setCentralWidget(new QWidget);
    plain.show();
    EXPECT_THROW(activate(), std::runtime_error);
    EXPECT_EQ(SetupWindows(), 0);
}

} // namespace
