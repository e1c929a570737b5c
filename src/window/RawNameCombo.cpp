// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "window/RawNameCombo.h"

#include "names/NameMatch.h"

#include <QAbstractListModel>
#include <QByteArray>
#include <QComboBox>
#include <QEvent>
#include <QListView>
#include <QString>
#include <QStylePainter>

#include <utility>

namespace vosk {
namespace {

// Holds the names exactly as the folder listing returned them. The display
// text is made only for the rows a view actually asks for, so a folder of
// thousands of setups fills the list at the cost of moving one vector.
class RawNameModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void Reset(std::vector<std::string> &&replacement) {
        beginResetModel();
        names = std::move(replacement);
        endResetModel();
    }

    const std::vector<std::string> &Names() const { return names; }

    int rowCount(const QModelIndex &parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(names.size());
    }

    QVariant data(const QModelIndex &index, int role) const override {
        if (!index.isValid() || index.row() >= static_cast<int>(names.size())) {
            return {};
        }
        if (role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::ToolTipRole) {
            const std::string &name = names[static_cast<std::size_t>(index.row())];
            return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
        }
        return {};
    }

private:
    std::vector<std::string> names;
};

class WheelNeedsFocus : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Wheel && !static_cast<QWidget *>(watched)->hasFocus()) {
            // Ignored, so that Qt hands it on to the parents.
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

RawNameModel *ModelOf(const QComboBox *combo) {
    return dynamic_cast<RawNameModel *>(combo->model());
}

} // namespace

void SetNames(QComboBox *combo, std::vector<std::string> names) {
    RawNameModel *model = ModelOf(combo);
    if (!model) {
        model = new RawNameModel(combo);
        combo->setModel(model);
        // Neither the box nor its drop-down measures every name: all rows
        // share one height and the box keeps its designed width.
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        if (auto *list = qobject_cast<QListView *>(combo->view())) {
            list->setUniformItemSizes(true);
            list->setTextElideMode(Qt::ElideMiddle);
            list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        }
    }
    model->Reset(std::move(names));
    combo->setCurrentIndex(-1);
}

std::string SelectedName(const QComboBox *combo) {
    const RawNameModel *model = ModelOf(combo);
    const int index = combo->currentIndex();
    if (!model || index < 0 || index >= static_cast<int>(model->Names().size())) {
        return {};
    }
    return model->Names()[static_cast<std::size_t>(index)];
}

int FindName(const QComboBox *combo, const std::string &name) {
    const RawNameModel *model = ModelOf(combo);
    return model ? FindName(model->Names(), name) : -1;
}

void WheelOnlyWithFocus(QComboBox *combo) {
    // A list that takes the focus from the wheel would pick on the same notch.
    combo->setFocusPolicy(Qt::StrongFocus);
    combo->installEventFilter(new WheelNeedsFocus(combo));
}

} // namespace vosk

NameList::NameList(QWidget *parent) : QComboBox(parent) {
    connect(this, &QComboBox::currentIndexChanged, this, [this] { setToolTip(currentText()); });
}

void NameList::paintEvent(QPaintEvent *) {
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    // The style draws the text one pixel in from each side of this field.
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    option.currentText =
        fontMetrics().elidedText(option.currentText, Qt::ElideMiddle, field.width() - 2);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}
