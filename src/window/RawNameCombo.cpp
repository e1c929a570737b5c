#include "window/RawNameCombo.h"

#include <QAbstractListModel>
#include <QByteArray>
#include <QComboBox>
#include <QListView>
#include <QString>
#include <QStringDecoder>

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
        if (role == Qt::DisplayRole || role == Qt::EditRole) {
            const std::string &name = names[static_cast<std::size_t>(index.row())];
            return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
        }
        return {};
    }

private:
    std::vector<std::string> names;
};

RawNameModel *ModelOf(const QComboBox *combo) {
    return dynamic_cast<RawNameModel *>(combo->model());
}

bool IsUtf8(const std::string &bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    (void)decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return !decoder.hasError();
}

// Letter case is folded as Unicode text when both names are valid UTF-8;
// otherwise only ASCII letters are folded, there being no better notion of
// letter case for bytes in an unknown encoding.
bool SameNameIgnoringCase(const std::string &a, const std::string &b) {
    if (a.size() == b.size() &&
        qstrnicmp(a.data(), b.data(), static_cast<qsizetype>(a.size())) == 0) {
        return true;
    }
    if (IsUtf8(a) && IsUtf8(b)) {
        return QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size()))
                   .compare(QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size())),
                            Qt::CaseInsensitive) == 0;
    }
    return false;
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
    if (!model) {
        return -1;
    }
    const std::vector<std::string> &names = model->Names();
    // This file system tells "Fast.rvs" from "fast.rvs"; when both exist the
    // one spelled exactly as asked is the one meant.
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name) {
            return static_cast<int>(i);
        }
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (SameNameIgnoringCase(names[i], name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace vosk
