#include "window/RawNameCombo.h"

#include <QByteArray>
#include <QComboBox>
#include <QString>
#include <QStringDecoder>

namespace vosk {
namespace {

// Folds ASCII letters only; used when a name is not valid UTF-8, where no
// better notion of letter case exists.
bool EqualIgnoringAsciiCase(const QByteArray &a, const QByteArray &b) {
    return a.size() == b.size() && qstrnicmp(a.constData(), b.constData(), a.size()) == 0;
}

bool IsUtf8(const QByteArray &bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    (void)decoder.decode(bytes);
    return !decoder.hasError();
}

bool SameName(const QByteArray &a, const QByteArray &b) {
    if (IsUtf8(a) && IsUtf8(b)) {
        return QString::fromUtf8(a).compare(QString::fromUtf8(b), Qt::CaseInsensitive) == 0;
    }
    return EqualIgnoringAsciiCase(a, b);
}

} // namespace

void SetNames(QComboBox *combo, const std::vector<std::string> &names) {
    combo->clear();
    for (const std::string &name : names) {
        const QByteArray raw(name.data(), static_cast<qsizetype>(name.size()));
        combo->addItem(QString::fromUtf8(raw), raw);
    }
    combo->setCurrentIndex(-1);
}

std::string SelectedName(const QComboBox *combo) {
    const int index = combo->currentIndex();
    if (index < 0) {
        return {};
    }
    const QByteArray raw = combo->itemData(index).toByteArray();
    return std::string(raw.constData(), static_cast<std::size_t>(raw.size()));
}

int FindName(const QComboBox *combo, const std::string &name) {
    const QByteArray wanted(name.data(), static_cast<qsizetype>(name.size()));
    // This file system tells "Fast.rvs" from "fast.rvs"; when both exist the
    // one spelled exactly as asked is the one meant.
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemData(i).toByteArray() == wanted) {
            return i;
        }
    }
    for (int i = 0; i < combo->count(); ++i) {
        if (SameName(combo->itemData(i).toByteArray(), wanted)) {
            return i;
        }
    }
    return -1;
}

} // namespace vosk
