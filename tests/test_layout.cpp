// The window's controls as other code and the user meet them: names, kinds,
// captions, slider ranges, start values and what stays hidden.
#include "support/TestSupport.h"
#include "window/TfrmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

enum class Kind { Slider, ValueBox, StaticText, Label, Picture, CheckBox, DropDown, Button, Group };

struct Control {
    std::string name;
    Kind kind = Kind::Label;
    QString text; // caption, title or initial text
    bool shown = true;
    bool editable = false;
    int min = 0, max = 0, start = 0, tick = 0, step = 1, page = 2;
    Qt::Orientation orientation = Qt::Horizontal;
    QSize size;             // checked only where the window's design fixes it
    bool stretched = false; // pictures only
};

Control Make(const std::string &name, Kind kind, const QString &text = {}) {
    Control c;
    c.name = name, c.kind = kind, c.text = text;
    return c;
}
Control Slider(const std::string &name, int min, int max, int start, int tick, int step = 1,
               int page = 2) {
    Control c = Make(name, Kind::Slider);
    c.min = min, c.max = max, c.start = start, c.tick = tick, c.step = step, c.page = page;
    return c;
}
Control Box(const std::string &name, const QString &text, bool editable = false) {
    Control c = Make(name, Kind::ValueBox, text);
    c.editable = editable;
    return c;
}
Control Sized(Control c, int width, int height) {
    c.size = QSize(width, height);
    return c;
}
Control Stretched(Control c) {
    c.stretched = true;
    return c;
}
Control Hidden(Control c) {
    c.shown = false;
    return c;
}

void PrintTo(const Control &c, std::ostream *os) {
    *os << c.name;
}

using Four = std::array<const char *, 4>;
const Four kWheels = {"LF", "RF", "LR", "RR"};

// A four-corner group: label, value box and slider per wheel. An empty box
// text means each box starts out showing its own name.
void AddCorners(std::vector<Control> &t, Control group, Four labels, Four boxes, const char *text,
                Four sliders, const Control &range, std::array<int, 4> starts, bool editable) {
    t.push_back(group);
    for (size_t i = 0; i < 4; ++i) {
        Control s = range;
        s.name = sliders[i];
        s.start = starts[i];
        for (Control c : {Make(labels[i], Kind::Label, kWheels[i]),
                          Box(boxes[i], *text ? text : boxes[i], editable), s}) {
            c.shown = group.shown;
            t.push_back(c);
        }
    }
}

std::vector<Control> Controls() {
    using K = Kind;
    std::vector<Control> t = {
        Sized(Make("Image2", K::Picture), 481, 41),
        Sized(Make("butOk", K::Button, "ok"), 73, 17),
        Stretched(Sized(Make("Image1", K::Picture), 150, 113)),
        Make("Label8", K::Label, "MODEL"),
        Make("Label1", K::Label),
        Make("Label9", K::Label, "ENGINE"),
        Make("Label2", K::Label),
        Make("Label10", K::Label, "POWER"),
        Make("Label3", K::Label, "270hp@8500rpm"),
        Make("Label11", K::Label, "GEARBOX"),
        Make("Label4", K::Label, "6 gears sequential"),
        Make("Label12", K::Label, "WEIGHT"),
        Make("Label5", K::Label, "1150Kg"),
        Make("Label13", K::Label, "ORIGINAL GAME"),
        Make("Label6", K::Label),
        Make("Label14", K::Label, "AUTHOR"),
        Make("Label7", K::Label),
        Make("Label15", K::Label, "CONVERSION"),
        Make("Label59", K::Label),
        Make("Label65", K::Label, "VERSION"),
        Make("Label66", K::Label, "1.0.2"),
        Make("GroupBox6", K::Group, "setup list"),
        Make("cmbSetupList", K::DropDown),
        Make("butNew", K::Button, "new"),
        Make("GroupBox12", K::Group, "current setup"),
        Make("butCopy", K::Button, "copy"),
        Make("GroupBox1", K::Group, "wings"),
        Make("Label17", K::Label, "rear"),
        Box("txtRear", "0"),
        Slider("trRear", 0, 18, 0, 1),
        Make("GroupBox2", K::Group, "front bias (%)"),
        Box("txtBrakeBias", "txtBrakeBias"),
        Make("chkBrakeSym", K::CheckBox, "symmetric"),
        Make("GroupBox10", K::Group, "anti-roll bars (N/mm)"),
        Make("Label32", K::Label, "front"),
        Box("txtRollBarF", "0"),
        Slider("trkRollBarF", 0, 115, 0, 10),
        Make("Label33", K::Label, "rear"),
        Box("txtRollBarR", "0"),
        Slider("trkRollBarR", 0, 115, 0, 10),
        Make("chkSpringSym", K::CheckBox, "symmetric"),
        Make("GroupBox5", K::Group, "projected speeds @ 7000rpm (Km/h)"),
        Make("butCalcSpeeds", K::Button, "calculate"),
        Make("GroupBox17", K::Group, "differential"),
        Make("Label57", K::Label, "final ratio"),
        Box("txtGearFinal", "txtGear1"),
        Slider("trkGearFinal", 500, 4000, 500, 500),
        Make("GroupBox16", K::Group, "gear ratios"),
        Make("GroupBox11", K::Group, "ratio (degrees)"),
        Box("txtSteerRatio", "txtSteerRatio"),
        Slider("trkSteerRatio", 6, 20, 6, 1),
        Make("GroupBox18", K::Group, "fuel (lt)"),
        Box("txtFuel", "txtFuel"),
        Slider("trkFuel", 1, 60, 1, 10),
        Make("GroupBox19", K::Group, "current skin"),
        Make("cmbSkins", K::DropDown),
        Make("GroupBox20", K::Group, "preview"),
        Sized(Make("imgSkin", K::Picture), 200, 150),
        Make("GroupBox21", K::Group, "Temps"),
        Make("Button1", K::Button, "get temps"),
    };
    Control bias = Slider("trkBrakeBias", 0, 100, 100, 10);
    bias.orientation = Qt::Vertical;
    t.push_back(bias);

    AddCorners(t, Make("GroupBox3", K::Group, "pads (u)"),
               {"Label18", "Label19", "Label20", "Label21"},
               {"txtBrakePadLF", "txtBrakePadRF", "txtBrakePadLR", "txtBrakePadRR"}, "",
               {"trkBrakePadLF", "trkBrakePadRF", "trkBrakePadLR", "trkBrakePadRR"},
               Slider("", 0, 100, 0, 10), {0, 0, 0, 0}, false);
    AddCorners(t, Hidden(Make("GroupBox4", K::Group, "disc size (cm)")),
               {"Label22", "Label23", "Label24", "Label25"},
               {"txtBrakeDiscLF", "txtBrakeDiscRF", "txtBrakeDiscLR", "txtBrakeDiscRR"},
               "txtBrakePadLF",
               {"trkBrakeDiscLF", "trkBrakeDiscRF", "trkBrakeDiscLR", "trkBrakeDiscRR"},
               Slider("", 15, 35, 15, 5, 5, 5), {15, 15, 15, 15}, false);
    AddCorners(t, Make("GroupBox7", K::Group, "springs (N/mm)"),
               {"Label26", "Label27", "Label28", "Label29"},
               {"txtSpringLF", "txtSpringRF", "txtSpringLR", "txtSpringRR"}, "120",
               {"trkSpringLF", "trkSpringRF", "trkSpringLR", "trkSpringRR"},
               Slider("", 60, 160, 120, 10), {120, 120, 120, 120}, false);
    AddCorners(t, Make("GroupBox8", K::Group, "dampers compression"),
               {"Label30", "Label31", "Label35", "Label34"},
               {"txtDampCompLF", "txtDampCompRF", "txtDampCompLR", "txtDampCompRR"}, "1",
               {"trkDampCompLF", "trkDampCompRF", "trkDampCompLR", "trkDampCompRR"},
               Slider("", 1, 5, 1, 1), {1, 1, 1, 1}, true);
    AddCorners(t, Make("GroupBox9", K::Group, "dampers rebound"),
               {"Label36", "Label37", "Label39", "Label38"},
               {"txtDampRebLF", "txtDampRebRF", "txtDampRebLR", "txtDampRebRR"}, "1",
               {"trkDampRebLF", "trkDampRebRF", "trkDampRebLR", "trkDampRebRR"},
               Slider("", 1, 5, 1, 1), {1, 1, 1, 1}, true);
    AddCorners(t, Make("GroupBox13", K::Group, "static camber"),
               {"Label43", "Label40", "Label42", "Label41"},
               {"txtCamberLF", "txtCamberRF", "txtCamberLR", "txtCamberRR"}, "0",
               {"trkCamberLF", "trkCamberRF", "trkCamberLR", "trkCamberRR"},
               Slider("", -40, 40, 0, 10), {0, 0, 0, 0}, true);
    AddCorners(t, Hidden(Make("GroupBox14", K::Group, "toeing")),
               {"Label47", "Label44", "Label46", "Label45"}, {"Edit4", "Edit1", "Edit2", "Edit3"},
               "txtDampCompLF", {"TrackBar1", "TrackBar2", "TrackBar3", "TrackBar4"},
               Slider("", -40, 40, 0, 10), {0, 1, 1, 1}, true);
    AddCorners(t, Hidden(Make("GroupBox15", K::Group, "install ratio")),
               {"Label51", "Label48", "Label50", "Label49"}, {"Edit8", "Edit5", "Edit6", "Edit7"},
               "txtDampCompLF", {"TrackBar5", "TrackBar6", "TrackBar7", "TrackBar8"},
               Slider("", 0, 20, 0, 10), {0, 1, 1, 1}, true);

    const std::array<Four, 6> gears = {{{"Label56", "lab1", "Label55", "1st"},
                                        {"Label60", "lab2", "Label52", "2nd"},
                                        {"Label61", "lab3", "Label53", "3rd"},
                                        {"Label62", "lab4", "Label16", "4th"},
                                        {"Label63", "lab5", "Label54", "5th"},
                                        {"Label64", "lab6", "Label58", "6th"}}};
    for (int g = 1; g <= 6; ++g) {
        const Four &row = gears[size_t(g - 1)];
        const std::string n = std::to_string(g);
        t.push_back(Make(row[0], K::Label, QString::fromStdString(n)));
        t.push_back(Make(row[1], K::StaticText, "na"));
        t.push_back(Make(row[2], K::Label, row[3]));
        t.push_back(Box("txtGear" + n, g == 4 ? "txtGear4" : "txtGear1"));
        t.push_back(Slider("trkGear" + n, 500, 4000, 500, 500));
    }

    const std::array<std::array<const char *, 5>, 4> tyres = {
        {{"LF", "Label79", "Label67", "Label68", "Label69"},
         {"RF", "Label80", "Label70", "Label71", "Label72"},
         {"LR", "Label81", "Label75", "Label73", "Label74"},
         {"RR", "Label82", "Label78", "Label76", "Label77"}}};
    const Four headings = {"LEFT FRONT", "RIGHT FRONT", "LEFT REAR", "RIGHT REAR"};
    for (size_t w = 0; w < 4; ++w) {
        t.push_back(Make(tyres[w][1], K::Label, headings[w]));
        for (size_t c = 0; c < 3; ++c) {
            const std::string reading(1, "IMO"[c]);
            t.push_back(Make(tyres[w][2 + c], K::Label, QString::fromStdString(reading)));
            t.push_back(
                Sized(Make(std::string("txt") + tyres[w][0] + "_" + reading, K::StaticText, "0"),
                      25, 17));
        }
    }
    return t;
}

const char *ClassOf(Kind kind) {
    switch (kind) {
    case Kind::Slider:
        return "QSlider";
    case Kind::ValueBox:
        return "QLineEdit";
    case Kind::CheckBox:
        return "QCheckBox";
    case Kind::DropDown:
        return "QComboBox";
    case Kind::Button:
        return "QPushButton";
    case Kind::Group:
        return "QGroupBox";
    default:
        return "QLabel";
    }
}

// A fresh window per test, made in an empty working folder so that nothing
// on the disk feeds its lists.
class WindowTest : public ::testing::Test {
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

class ControlTest : public WindowTest, public ::testing::WithParamInterface<Control> {};

TEST_P(ControlTest, StartsAsDesigned) {
    const Control &c = GetParam();
    const QString name = QString::fromStdString(c.name);
    ASSERT_EQ(window->findChildren<QWidget *>(name).size(), 1) << "one control named " << c.name;
    QWidget *w = window->findChild<QWidget *>(name);
    EXPECT_STREQ(w->metaObject()->className(), ClassOf(c.kind));
    EXPECT_EQ(ShownOnItsPage(w), c.shown);
    if (c.size.isValid()) {
        EXPECT_EQ(w->size(), c.size);
    }
    if (auto *s = qobject_cast<QSlider *>(w)) {
        EXPECT_EQ(s->minimum(), c.min);
        EXPECT_EQ(s->maximum(), c.max);
        EXPECT_EQ(s->value(), c.start);
        EXPECT_EQ(s->tickInterval(), c.tick);
        EXPECT_EQ(s->singleStep(), c.step);
        EXPECT_EQ(s->pageStep(), c.page);
        EXPECT_EQ(s->orientation(), c.orientation);
        EXPECT_NE(s->tickPosition(), QSlider::NoTicks);
    } else if (auto *e = qobject_cast<QLineEdit *>(w)) {
        EXPECT_EQ(e->text(), c.text);
        EXPECT_EQ(e->isReadOnly(), !c.editable);
    } else if (auto *pic = qobject_cast<QLabel *>(w); pic && c.kind == Kind::Picture) {
        EXPECT_EQ(pic->hasScaledContents(), c.stretched);
        EXPECT_EQ(pic->frameShape(), QFrame::NoFrame);
    } else if (auto *l = qobject_cast<QLabel *>(w)) {
        // The car's data sheet leaves some texts free, but none may be blank.
        if (c.text.isNull()) {
            EXPECT_FALSE(l->text().trimmed().isEmpty());
        } else {
            EXPECT_EQ(l->text(), c.text);
        }
        const bool sunken = l->frameShape() == QFrame::Panel && l->frameShadow() == QFrame::Sunken;
        EXPECT_EQ(sunken, c.kind == Kind::StaticText);
        if (c.kind == Kind::StaticText) {
            EXPECT_TRUE(l->alignment() & Qt::AlignRight);
        }
    } else if (auto *b = qobject_cast<QCheckBox *>(w)) {
        EXPECT_EQ(b->text(), c.text);
        EXPECT_TRUE(b->isChecked());
        EXPECT_EQ(b->layoutDirection(), Qt::RightToLeft) << "caption left of the box";
    } else if (auto *p = qobject_cast<QPushButton *>(w)) {
        EXPECT_EQ(p->text(), c.text);
    } else if (auto *g = qobject_cast<QGroupBox *>(w)) {
        EXPECT_EQ(g->title(), c.text);
    } else if (auto *d = qobject_cast<QComboBox *>(w)) {
        EXPECT_EQ(d->count(), 0);
        EXPECT_FALSE(d->isEditable());
    }
}

INSTANTIATE_TEST_SUITE_P(Window, ControlTest, ::testing::ValuesIn(Controls()),
                         [](const auto &row) { return row.param.name; });

TEST_F(WindowTest, OpensOnTheCoverWithTabsAlongTheBottom) {
    const std::vector<std::pair<const char *, const char *>> order = {
        {"TabSheet1", "cover"},         {"TabSheet8", "setup i/o"},
        {"TabSheet2", "aero"},          {"TabSheet3", "brakes"},
        {"TabSheet4", "suspensions I"}, {"TabSheet9", "suspensions II"},
        {"TabSheet5", "transmission"},  {"TabSheet6", "steering"},
        {"TabSheet7", "fuel"},          {"TabSheet10", "skin"},
        {"TabSheet11", "Tyres"}};
    EXPECT_EQ(window->windowTitle(), "Marzan Setup");
    EXPECT_EQ(window->size(), QSize(482, 389));
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->size(), QSize(481, 321));
    EXPECT_EQ(pages->tabPosition(), QTabWidget::South);
    EXPECT_EQ(pages->currentIndex(), 0);
    ASSERT_EQ(pages->count(), int(order.size()));
    for (int i = 0; i < pages->count(); ++i) {
        EXPECT_EQ(pages->widget(i)->objectName(), order[size_t(i)].first) << "tab " << i;
        EXPECT_EQ(pages->tabText(i), order[size_t(i)].second) << "tab " << i;
    }
}

// The brake bias reads 0 at the top and 100 at the bottom: a click above the
// thumb and the up arrow both move it towards 0.
TEST_F(WindowTest, BiasSliderRunsFromTopToBottom) {
    auto *bias = window->findChild<QSlider *>("trkBrakeBias");
    ASSERT_NE(bias, nullptr);
    ASSERT_TRUE(ShownOnItsPage(bias));
    window->show();
    // Where the groove lies across the slider depends on the style; look for it.
    int afterTopClick = 50, afterBottomClick = 50;
    for (int x = 0; x < bias->width() && afterTopClick == 50; ++x) {
        bias->setValue(50);
        QTest::mouseClick(bias, Qt::LeftButton, {}, QPoint(x, 2));
        afterTopClick = bias->value();
        bias->setValue(50);
        QTest::mouseClick(bias, Qt::LeftButton, {}, QPoint(x, bias->height() - 3));
        afterBottomClick = bias->value();
    }
    EXPECT_LT(afterTopClick, 50);
    EXPECT_GT(afterBottomClick, 50);
    bias->setValue(50);
    QTest::keyClick(bias, Qt::Key_Up);
    EXPECT_EQ(bias->value(), 49);
}

} // namespace
