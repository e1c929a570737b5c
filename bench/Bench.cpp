// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "Bench.h"

#include "core/CarFiles.h"
#include "core/CarSetup.h"
#include "window/TfrmMain.h"
#include "window/WindowFont.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>

#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>

namespace fs = std::filesystem;

namespace vosk::bench {
namespace {

// The temporary folder of this run; removed, fixtures and all, at exit.
class FixtureRoot {
public:
    FixtureRoot() {
        std::string tmpl = (fs::temp_directory_path() / "vosk-bench-XXXXXX").string();
        if (!::mkdtemp(tmpl.data())) {
            throw std::runtime_error("cannot make a temporary folder for the fixtures");
        }
        path = tmpl;
    }
    ~FixtureRoot() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    fs::path path;
};

const fs::path &Root() {
    static const FixtureRoot root;
    return root.path;
}

void Write(const fs::path &file, const std::string &bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write the fixture " + file.string());
    }
}

// Names as users give them, of the lengths they have, so the strings do not
// all fit the small-string buffer.
std::string SetupName(int i) {
    static const char *const tracks[] = {"monza",  "spa",        "imola",
                                         "suzuka", "interlagos", "silverstone"};
    static const char *const kinds[] = {"quali", "race", "wet-race"};
    return std::string(tracks[i % 6]) + '-' + kinds[i % 3] + '-' + std::to_string(i) + ".rvs";
}

std::string DefaultSetupBytes() {
    CarSetup setup;
    setup.SetDefaults();
    const fs::path file = Root() / "default.rvs";
    setup.Save(file.string());
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void MakeWorkdir(const fs::path &dir, const Workdir &content) {
    const fs::path setups = dir / paths::kSetupFolder;
    fs::create_directories(setups);
    const std::string record = DefaultSetupBytes();
    for (int i = 0; i < content.setups; ++i) {
        Write(setups / SetupName(i), record);
    }
    // Entries the setup list must skip.
    Write(setups / "notes.txt", "tyre pressures: 1.9 bar\n");
    fs::create_directories(setups / "archive");
    if (content.setups > 0) {
        Write(dir / paths::kActiveSetupFile, ActiveSetupText(SetupName(0)));
    }

    const fs::path skins = dir / paths::kSkinsFolder;
    fs::create_directories(skins);
    QImage preview(200, 150, QImage::Format_RGB888);
    preview.fill(QColor(180, 30, 40));
    for (int i = 0; i < content.skins; ++i) {
        const fs::path skin = skins / ("livery" + std::to_string(i));
        fs::create_directories(skin);
        const bool chosen = content.chosenSkin && i == content.skins / 2;
        if (chosen &&
            !preview.save(QString::fromStdString((skin / paths::kSkinPreview).string()), "BMP")) {
            throw std::runtime_error("cannot write a skin preview");
        }
    }
    // Entries the skin list must skip.
    fs::create_directories(skins / "race.old");
    Write(skins / "readme", "one folder per skin\n");
    if (content.chosenSkin && content.skins > 0) {
        Write(dir / paths::kSkinChoiceFile,
              SkinChoiceText("livery" + std::to_string(content.skins / 2)));
    }
}

// The simulator's output: a block per car and lap, then the tyre
// temperatures at the very end, where every look-up has to go furthest.
std::string TyreFile(std::size_t bytes) {
    std::string text;
    for (int block = 0; text.size() + 400 < bytes; ++block) {
        text += "[LAP" + std::to_string(block) + "]\r\n";
        text += "LAP_TIME=" + std::to_string(90 + block % 7) + ".314\r\n";
        text += "SPEED_MAX=" + std::to_string(250 + block % 40) + ".2\r\n";
        text += "RPM_MAX=8412\r\nFUEL_USED=2.71\r\nTEMP_OIL=104.5\r\nTEMP_WATER=92.25\r\n";
    }
    text += std::string("[") + kTyreSection + "]\r\n";
    for (const TyreReading &reading : kTyreReadings) {
        const std::string key = reading.key;
        text += key + '=' + std::to_string(80 + reading.wheel * 3 + key.back() % 5) + ".5\r\n";
    }
    return text;
}

QWidget *ShowInFrame(QWidget *form) {
    QMdiSubWindow *sub = Frame()->addSubWindow(form);
    sub->show();
    Frame()->setActiveSubWindow(sub);
    return form;
}

// The controls the window's form declares, by kind: what the bare form has
// to build as well. Widgets that Qt makes inside other widgets do not count.
std::map<std::string, int> CountControls() {
    // In an empty folder, so that the window's going away remembers nothing
    // in the folder being measured.
    const InFolder in(EmptyWorkdirPath());
    auto *window = new TfrmMain;
    std::map<std::string, int> counts;
    for (const QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_"))) {
            const char *kind = qobject_cast<const QSlider *>(w)       ? "slider"
                               : qobject_cast<const QLineEdit *>(w)   ? "box"
                               : qobject_cast<const QLabel *>(w)      ? "label"
                               : qobject_cast<const QCheckBox *>(w)   ? "check"
                               : qobject_cast<const QComboBox *>(w)   ? "list"
                               : qobject_cast<const QPushButton *>(w) ? "button"
                               : qobject_cast<const QGroupBox *>(w)   ? "group"
                                                                      : nullptr;
            if (kind) {
                ++counts[kind];
            }
        }
    }
    counts["page"] = window->findChild<QTabWidget *>()->count();
    delete window;
    return counts;
}

} // namespace

std::string WorkdirPath(const Workdir &content) {
    static std::map<std::string, bool> made;
    const std::string name = "car-" + std::to_string(content.setups) + "-" +
                             std::to_string(content.skins) + (content.chosenSkin ? "-chosen" : "");
    const fs::path dir = Root() / name;
    if (!made[name]) {
        MakeWorkdir(dir, content);
        made[name] = true;
    }
    return dir.string();
}

std::string EmptyWorkdirPath() {
    fs::create_directories(Root() / "empty");
    return (Root() / "empty").string();
}

std::string TyreWorkdirPath(std::size_t bytes) {
    const fs::path dir = Root() / ("tyres-" + std::to_string(bytes));
    if (!fs::exists(dir / paths::kTyreTemperatureFile)) {
        Write(dir / paths::kTyreTemperatureFile, TyreFile(bytes));
    }
    return dir.string();
}

InFolder::InFolder(const std::string &folder) : previous(fs::current_path().string()) {
    fs::current_path(folder);
}

InFolder::~InFolder() {
    std::error_code ec;
    fs::current_path(previous, ec);
}

QMdiArea *Frame() {
    // Lives as long as the process, like the host's main window.
    static QMdiArea *area = [] {
        auto *main = new QMainWindow;
        auto *mdi = new QMdiArea;
        main->setCentralWidget(mdi);
        main->resize(1000, 800);
        main->show();
        main->activateWindow();
        // The frame has to be the active window before a setup window can
        // become its active child.
        Settle();
        return mdi;
    }();
    return area;
}

TfrmMain *OpenWindow() {
    auto *window = new TfrmMain;
    window->ShowInFrame(Frame(), nullptr);
    Settle();
    return window;
}

void CloseInFrame(QWidget *widget) {
    QWidget *sub = widget->parentWidget();
    delete (sub ? sub : widget);
    Settle();
}

QWidget *OpenBareForm(BareType type) {
    static const std::map<std::string, int> counts = CountControls();
    auto *form = new QWidget;
    form->setFixedSize(482, 389);
    if (type == BareType::WindowFont) {
        form->setFont(vosk::WindowFont());
    }
    auto *tabs = new QTabWidget(form);
    tabs->setGeometry(0, 41, 481, 321);
    std::vector<QWidget *> pages;
    int controls = 0;
    for (const auto &[kind, n] : counts) {
        controls += kind == "page" ? 0 : n;
    }
    const bool census = type == BareType::Census;
    if (census) {
        tabs->setTabPosition(QTabWidget::South);
    }
    const int pageCount = census ? (controls + 19) / 20 : counts.at("page");
    for (int i = 0; i < pageCount; ++i) {
        pages.push_back(new QWidget);
        tabs->addTab(pages.back(), QStringLiteral("page"));
    }
    int placed = 0;
    // Spread the controls over the pages on a plain grid: in turn, or twenty
    // to a page.
    const auto place = [&](QWidget *w) {
        const int n = static_cast<int>(pages.size());
        const int page = census ? placed / 20 : placed % n;
        const int slot = census ? placed % 20 : placed / n;
        w->setParent(pages[static_cast<std::size_t>(page)]);
        w->setGeometry(8 + slot % 4 * 116, 8 + slot / 4 * 24, 110, 20);
        ++placed;
    };
    const auto count = [&](const char *kind) {
        const auto it = counts.find(kind);
        return it == counts.end() ? 0 : it->second;
    };
    for (int i = 0; i < count("slider"); ++i) {
        auto *slider = new QSlider(Qt::Horizontal);
        slider->setRange(0, 100);
        place(slider);
    }
    for (int i = 0; i < count("box"); ++i) {
        place(new QLineEdit(QStringLiteral("0")));
    }
    for (int i = 0; i < count("label"); ++i) {
        place(new QLabel(QStringLiteral("label")));
    }
    for (int i = 0; i < count("check"); ++i) {
        place(new QCheckBox(QStringLiteral("symmetric")));
    }
    for (int i = 0; i < count("list"); ++i) {
        place(new QComboBox);
    }
    for (int i = 0; i < count("button"); ++i) {
        place(new QPushButton(QStringLiteral("ok")));
    }
    for (int i = 0; i < count("group"); ++i) {
        place(new QGroupBox(QStringLiteral("group")));
    }
    ShowInFrame(form);
    Settle();
    return form;
}

Memory MemoryInUse() {
    ::malloc_trim(0);
    long pages = 0;
    long resident = 0;
    if (std::FILE *statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(statm);
    }
    const struct mallinfo2 heap = ::mallinfo2();
    return {static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / 1024.0,
            static_cast<double>(heap.uordblks + heap.hblkhd) / 1024.0};
}

} // namespace vosk::bench
