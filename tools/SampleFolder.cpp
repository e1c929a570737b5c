// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "SampleFolder.h"

#include "Artwork.h"
#include "core/CarFiles.h"
#include "core/CarSetup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <iterator>
#include <string>

namespace vosk::art {
namespace {

// One stored setup. Left and right of an axle match, because the window's
// "symmetric" boxes start ticked and would pull them together anyway.
struct SampleSetup {
    const char *name;
    int rearWing;
    int brakeBias;
    float brakePad;
    float brakeDisc;
    int rollBarFront;
    int rollBarRear;
    int springFront;
    int springRear;
    int dampComp;
    int dampReb;
    float gear[6];
    float gearFinal;
    int steerRatio;
    float camberFront;
    float camberRear;
    float fuel;
};

// A balanced base, a low-drag set for a fast circuit and a soft, high-wing
// set for rain. Gear ratios fall from first to sixth, as on the real box.
const SampleSetup kSetups[] = {
    {"baseline.rvs",
     10,
     60,
     0.30f,
     32.0f,
     40,
     30,
     130,
     120,
     3,
     2,
     {3.154f, 2.263f, 1.762f, 1.429f, 1.200f, 1.031f},
     3.545f,
     12,
     -1.5f,
     -1.0f,
     30.0f},
    {"monza.rvs",
     3,
     57,
     0.35f,
     34.0f,
     55,
     45,
     150,
     140,
     4,
     3,
     {2.846f, 2.111f, 1.650f, 1.370f, 1.160f, 1.000f},
     3.250f,
     11,
     -1.8f,
     -1.2f,
     45.0f},
    {"wet.rvs",
     18,
     64,
     0.25f,
     30.0f,
     15,
     10,
     95,
     90,
     2,
     2,
     {3.400f, 2.450f, 1.900f, 1.550f, 1.300f, 1.120f},
     3.900f,
     14,
     -0.6f,
     -0.4f,
     25.0f},
};
const char kActiveSetup[] = "baseline.rvs";

struct SampleSkin {
    const char *name;
    Livery livery;
};

const SampleSkin kSkins[] = {
    {"factory", {QColor(236, 236, 238), QColor(200, 32, 40), QColor(24, 24, 28), 7}},
    {"azure", {QColor(28, 92, 180), QColor(250, 204, 40), QColor(12, 30, 70), 21}},
    {"midnight", {QColor(30, 32, 36), QColor(60, 200, 120), QColor(60, 200, 120), 44}},
};
const char kChosenSkin[] = "azure";

// Tyre temperatures after a run: fronts hotter on the inside from the
// negative camber, rears warmer overall from the power going down.
// In the order of the file's keys, each wheel inner, middle, outer.
const char *const kTyreTemperatures[] = {"86.4", "83.9", "80.7", "87.1", "84.2", "79.6",
                                         "92.3", "90.5", "88.2", "93.0", "90.9", "87.6"};
static_assert(std::size(kTyreTemperatures) == vosk::kTyreReadings.size());

QByteArray TyreTemperatureText() {
    QByteArray text = QByteArray("[SESSION]\r\nLAPS=12\r\n\r\n[") + vosk::kTyreSection + "]\r\n";
    for (std::size_t i = 0; i < vosk::kTyreReadings.size(); ++i) {
        text += QByteArray(vosk::kTyreReadings[i].key) + '=' + kTyreTemperatures[i] + "\r\n";
    }
    return text + "\r\n";
}

CarSetup ToRecord(const SampleSetup &s) {
    CarSetup setup;
    setup.SetDefaults();
    setup.rearWing = s.rearWing;
    setup.brakeBias = s.brakeBias;
    std::fill(std::begin(setup.brakePad), std::end(setup.brakePad), s.brakePad);
    std::fill(std::begin(setup.brakeDisc), std::end(setup.brakeDisc), s.brakeDisc);
    setup.rollBarFront = s.rollBarFront;
    setup.rollBarRear = s.rollBarRear;
    setup.spring[0] = setup.spring[1] = s.springFront;
    setup.spring[2] = setup.spring[3] = s.springRear;
    std::fill(std::begin(setup.dampComp), std::end(setup.dampComp), s.dampComp);
    std::fill(std::begin(setup.dampReb), std::end(setup.dampReb), s.dampReb);
    std::copy(std::begin(s.gear), std::end(s.gear), std::begin(setup.gear));
    setup.gearFinal = s.gearFinal;
    setup.steerRatio = s.steerRatio;
    setup.camber[0] = setup.camber[1] = s.camberFront;
    setup.camber[2] = setup.camber[3] = s.camberRear;
    setup.fuel = s.fuel;
    std::fill(std::begin(setup.reservedTail), std::end(setup.reservedTail), 0u);
    return setup;
}

bool WriteText(const QString &path, const QByteArray &bytes, QString &error) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush()) {
        error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    return true;
}

bool MakeFolder(const QString &path, QString &error) {
    if (!QDir().mkpath(path)) {
        error = QStringLiteral("cannot create %1").arg(path);
        return false;
    }
    return true;
}

} // namespace

bool WriteSampleFolder(const QString &root, QString &error) {
    const QString base = root + QLatin1Char('/');
    const QString setupFolder = base + QLatin1String(vosk::paths::kSetupFolder);
    if (!MakeFolder(setupFolder, error)) {
        return false;
    }
    for (const SampleSetup &s : kSetups) {
        const QString path = setupFolder + QLatin1String(s.name);
        ToRecord(s).Save(path.toStdString());
        // Saving is silent by design; make sure the file really landed.
        if (QFileInfo(path).size() != static_cast<qint64>(CarSetup::kFileSize)) {
            error = QStringLiteral("cannot write %1").arg(path);
            return false;
        }
    }
    if (!WriteText(base + QLatin1String(vosk::paths::kActiveSetupFile),
                   QByteArray::fromStdString(vosk::ActiveSetupText(kActiveSetup)), error)) {
        return false;
    }

    const QString skinsFolder = base + QLatin1String(vosk::paths::kSkinsFolder);
    for (const SampleSkin &skin : kSkins) {
        const QString folder = skinsFolder + QLatin1Char('/') + QLatin1String(skin.name);
        if (!MakeFolder(folder, error) ||
            !SaveBitmap24(CarPicture(200, 150, skin.livery),
                          folder + QLatin1Char('/') + QLatin1String(vosk::paths::kSkinPreview),
                          error)) {
            return false;
        }
    }
    if (!WriteText(base + QLatin1String(vosk::paths::kSkinChoiceFile),
                   QByteArray::fromStdString(vosk::SkinChoiceText(kChosenSkin)), error)) {
        return false;
    }

    const QString tyreFile = base + QLatin1String(vosk::paths::kTyreTemperatureFile);
    return MakeFolder(QFileInfo(tyreFile).path(), error) &&
           WriteText(tyreFile, TyreTemperatureText(), error);
}

} // namespace vosk::art
