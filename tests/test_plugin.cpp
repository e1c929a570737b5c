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

#include <algorithm>
#include <cstring>
#include <dlfcn.h>
#include <link.h>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>

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

void Settle() {
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

template <typename T> T Symbol(void *handle, const char *name) {
    void *symbol = dlsym(handle, name);
    EXPECT_NE(symbol, nullptr) << name;
    T typed = nullptr;
    std::memcpy(&typed, &symbol, sizeof symbol);
    return typed;
}

} // namespace

TEST(PluginModule, ExportsOnlyTheEntryPoints) {
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
    EXPECT_EQ(defined, (std::set<std::string>{"_init", "_activate", "_deactivate", "_frmMain",
                                              "_FrmNewSetup"}));
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
    const auto init = Symbol<void (*)(QObject *)>(handle, "_init");
    const auto activate = Symbol<void (*)()>(handle, "_activate");
    const auto deactivate = Symbol<void (*)()>(handle, "_deactivate");
    void *const *frmMain = Symbol<void **>(handle, "_frmMain");
    void *const *frmNewSetup = Symbol<void **>(handle, "_FrmNewSetup");
    ASSERT_TRUE(init && activate && deactivate && frmMain && frmNewSetup);

    // Loading runs the static constructors, which register the window's
    // pictures, but not _init: the C runtime would have the loader call it
    // with the program's arguments instead of an owner.
    link_map *map = nullptr;
    ASSERT_EQ(dlinfo(handle, RTLD_DI_LINKMAP, &map), 0);
    const auto ours = reinterpret_cast<ElfW(Addr)>(init);
    for (const ElfW(Dyn) *entry = map->l_ld; entry->d_tag != DT_NULL; ++entry) {
        if (entry->d_tag == DT_INIT || entry->d_tag == DT_FINI) {
            EXPECT_NE(entry->d_un.d_ptr, ours - map->l_addr) << entry->d_tag;
            EXPECT_NE(entry->d_un.d_ptr, ours) << entry->d_tag;
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
    EXPECT_EQ(dlclose(handle), 0);
    EXPECT_FALSE(ModuleInMemory()) << "dlclose left the module in memory";
    EXPECT_FALSE(QFile::exists(banner));
    QDir::setCurrent(previous);
}
