// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "names/NameMatch.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

namespace vosk {
namespace {

bool IsUtf8(const std::string &bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    (void)decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return !decoder.hasError();
}

// There is no better notion of letter case for bytes in an unknown encoding
// than that of ASCII.
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

int FindName(const std::vector<std::string> &names, const std::string &name) {
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
