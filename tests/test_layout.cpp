// The window's controls as the other code and the user rely on them: names,
// kinds, slider ranges, start values, initial texts and what stays hidden.
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QTabWidget>

#include <tuple>

namespace {

struct Control {
    std::string name;
    const char *cls;
    QString text;
    int min = 0, max = 0, start = 0, tick = 0, step = 1, page = 2;
    bool editable = false, shown = true;
};

Control Of(const char *cls, const std::string &name, const QString &text = {}) {
    return {name, cls, text};
}
Control Box(const std::string &name, const QString &text, bool editable = false) {
    return {name, "QLineEdit", text, 0, 0, 0, 0, 1, 2, editable};
}
Control Slider(const std::string &name, int min, int max, int start, int tick, int step = 1) {
    return {name, "QSlider", {}, min, max, start, tick, step, step == 1 ? 2 : step};
}
Control Hidden(Control c) {
    c.shown = false;
    return c;
}

using Controls = std::vector<Control>;
enum { kEditable = 1, kHidden = 2 };

// The value box and slider in each corner of a four-corner group, named by
// prefix and wheel, or numbered from first on (toeing, install ratio). A
// null text: each box starts out showing its own name.
void Corners(Controls &out, const std::string &box, const std::string &slider, const char *text,
             Control range, int flags = 0, int first = 0) {
    const char *const wheels[] = {"LF", "RF", "LR", "RR"};
    const int numbers[] = {3, 0, 1, 2}; // Edit4 is LF, Edit1 RF, ...
    for (int i = 0; i < 4; ++i) {
        const std::string suffix = first ? std::to_string(first + numbers[i]) : wheels[i];
        range.name = slider + (first ? std::to_string(first + i) : wheels[i]);
        range.start = first && i > 0 ? 1 : range.start;
        const Control edit = Box(box + suffix, text ? text : QString::fromStdString(box + suffix),
                                 flags & kEditable);
        out.push_back(flags & kHidden ? Hidden(edit) : edit);
        out.push_back(flags & kHidden ? Hidden(range) : range);
    }
}

std::vector<std::pair<const char *, Controls>> Pages() {
    Controls brakes = {Box("txtBrakeBias", "txtBrakeBias"), Slider("trkBrakeBias", 0, 100, 100, 10),
                       Of("QCheckBox", "chkBrakeSym", "symmetric")};
    Corners(brakes, "txtBrakePad", "trkBrakePad", nullptr, Slider("", 0, 100, 0, 10));
    Corners(brakes, "txtBrakeDisc", "trkBrakeDisc", "txtBrakePadLF", Slider("", 15, 35, 15, 5, 5),
            kHidden);
    Controls suspensions = {Box("txtRollBarF", "0"), Slider("trkRollBarF", 0, 115, 0, 10),
                            Box("txtRollBarR", "0"), Slider("trkRollBarR", 0, 115, 0, 10),
                            Of("QCheckBox", "chkSpringSym", "symmetric")};
    Corners(suspensions, "txtSpring", "trkSpring", "120", Slider("", 60, 160, 120, 10));
    Corners(suspensions, "txtDampComp", "trkDampComp", "1", Slider("", 1, 5, 1, 1), kEditable);
    Corners(suspensions, "txtDampReb", "trkDampReb", "1", Slider("", 1, 5, 1, 1), kEditable);
    Controls camber;
    Corners(camber, "txtCamber", "trkCamber", "0", Slider("", -40, 40, 0, 10), kEditable);
    Corners(camber, "Edit", "TrackBar", "txtDampCompLF", Slider("", -40, 40, 0, 10),
            kEditable | kHidden, 1);
    Corners(camber, "Edit", "TrackBar", "txtDampCompLF", Slider("", 0, 20, 0, 10),
            kEditable | kHidden, 5);
    Controls transmission = {Of("QPushButton", "butCalcSpeeds", "calculate"),
                             Box("txtGearFinal", "txtGear1"),
                             Slider("trkGearFinal", 500, 4000, 500, 500)};
    for (int g = 1; g <= 6; ++g) {
        const std::string n = std::to_string(g);
        transmission.insert(transmission.end(),
                            {Of("QLabel", "lab" + n, "na"),
                             Box("txtGear" + n, g == 4 ? "txtGear4" : "txtGear1"),
                             Slider("trkGear" + n, 500, 4000, 500, 500)});
    }
    Controls tyres = {Of("QPushButton", "Button1", "get temps")};
    for (const char *wheel : {"LF", "RF", "LR", "RR"}) {
        for (const char *column : {"_I", "_M", "_O"}) {
            tyres.push_back(Of("QLabel", std::string("txt") + wheel + column, "0"));
        }
    }
    brakes.push_back(Hidden(Of("QGroupBox", "GroupBox4")));
    camber.push_back(Hidden(Of("QGroupBox", "GroupBox14")));
    camber.push_back(Hidden(Of("QGroupBox", "GroupBox15")));
    return {{"SetupIo",
             {Of("QComboBox", "cmbSetupList"), Of("QPushButton", "butNew", "new"),
              Of("QPushButton", "butCopy", "copy"), Of("QPushButton", "butOk", "ok")}},
            {"Aero", {Box("txtRear", "0"), Slider("trRear", 0, 18, 0, 1)}},
            {"Brakes", brakes},
            {"SuspensionsI", suspensions},
            {"SuspensionsII", camber},
            {"Transmission", transmission},
            {"SteeringAndFuel",
             {Box("txtSteerRatio", "txtSteerRatio"), Slider("trkSteerRatio", 6, 20, 6, 1),
              Box("txtFuel", "txtFuel"), Slider("trkFuel", 1, 60, 1, 10)}},
            {"Skin", {Of("QComboBox", "cmbSkins"), Of("QLabel", "imgSkin")}},
            {"Tyres", tyres}};
}

// A fresh window in an empty working folder, so nothing on the disk feeds
// its lists.
class WindowLayout : public ::testing::Test {
protected:
    vosk::test::ScratchWorkdir workdir;
    std::unique_ptr<TfrmMain> window = std::make_unique<TfrmMain>();
    QTabWidget *pages = window->findChild<QTabWidget *>("PageControl1");

    // Whether w would be on screen once the user opens the page holding it.
    bool ShownOnItsPage(QWidget *w) {
        for (int i = 0; i < pages->count(); ++i) {
            if (pages->widget(i)->isAncestorOf(w)) {
                pages->setCurrentIndex(i);
            }
        }
        return w->isVisibleTo(window.get());
    }
};

class PageLayout : public WindowLayout,
                   public ::testing::WithParamInterface<std::pair<const char *, Controls>> {};

} // namespace

TEST_P(PageLayout, ControlsStartAsDesigned) {
    for (const Control &c : GetParam().second) {
        SCOPED_TRACE(c.name);
        const QString name = QString::fromStdString(c.name);
        ASSERT_EQ(window->findChildren<QWidget *>(name).size(), 1);
        QWidget *w = window->findChild<QWidget *>(name);
        EXPECT_STREQ(w->metaObject()->className(), c.cls);
        EXPECT_EQ(ShownOnItsPage(w), c.shown);
        if (auto *s = qobject_cast<QSlider *>(w)) {
            EXPECT_EQ(std::tuple(s->minimum(), s->maximum(), s->value(), s->tickInterval(),
                                 s->singleStep(), s->pageStep()),
                      std::tuple(c.min, c.max, c.start, c.tick, c.step, c.page));
            EXPECT_NE(s->tickPosition(), QSlider::NoTicks);
        } else if (auto *e = qobject_cast<QLineEdit *>(w)) {
            EXPECT_EQ(e->text(), c.text);
            EXPECT_EQ(e->isReadOnly(), !c.editable);
        } else if (auto *l = qobject_cast<QLabel *>(w)) {
            EXPECT_EQ(l->text(), c.text);
        } else if (auto *b = qobject_cast<QAbstractButton *>(w)) {
            EXPECT_EQ(b->text(), c.text);
            EXPECT_TRUE(!b->isCheckable() || b->isChecked());
        } else if (auto *d = qobject_cast<QComboBox *>(w)) {
            EXPECT_EQ(d->count(), 0);
            EXPECT_FALSE(d->isEditable());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Window, PageLayout, ::testing::ValuesIn(Pages()),
                         [](const auto &row) { return std::string(row.param.first); });

TEST_F(WindowLayout, OpensOnTheCoverWithElevenTabsAlongTheBottom) {
    const char *const captions[] = {"cover",         "setup i/o",      "aero",         "brakes",
                                    "suspensions I", "suspensions II", "transmission", "steering",
                                    "fuel",          "skin",           "Tyres"};
    const int sheets[] = {1, 8, 2, 3, 4, 9, 5, 6, 7, 10, 11};
    EXPECT_EQ(window->windowTitle(), "Marzan Setup");
    ASSERT_EQ(pages->count(), 11);
    EXPECT_EQ(pages->tabPosition(), QTabWidget::South);
    EXPECT_EQ(pages->currentIndex(), 0);
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(pages->widget(i)->objectName(), QStringLiteral("TabSheet%1").arg(sheets[i]));
        EXPECT_EQ(pages->tabText(i), captions[i]);
    }
}
