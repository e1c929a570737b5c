// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// The gearing chart: engine speed against road speed for every gear, with
// the drop in engine speed at each shift, drawn with QPainter into a PNG or
// SVG file. A module of its own, so that Qt Gui and Qt Svg are loaded only
// when a chart is asked for.
#include "ModuleApi.h"
#include "core/FileOps.h"

#include <QBuffer>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kWidth = 960;
constexpr int kHeight = 560;
const QColor kGearColours[6] = {QColor(0x1f, 0x77, 0xb4), QColor(0xff, 0x7f, 0x0e),
                                QColor(0x2c, 0xa0, 0x2c), QColor(0xd6, 0x27, 0x28),
                                QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b)};

// A round step that cuts 0..top into about five to ten parts.
double NiceStep(double top) {
    const double raw = top / 6;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 2.5, 5.0}) {
        if (raw <= factor * power) {
            return factor * power;
        }
    }
    return 10 * power;
}

void Draw(QPainter &painter, const GearingChart &chart) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRect(0, 0, kWidth, kHeight), Qt::white);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    painter.setFont(font);

    // Engine speed after each shift: the next gear at the speed where the
    // last one reached the top.
    double afterShift[6] = {0};
    double topRpm = static_cast<double>(chart.rpm);
    for (int g = 1; g < 6; ++g) {
        afterShift[g] = chart.speeds[g] > 0
                            ? static_cast<double>(chart.rpm) * chart.speeds[g - 1] / chart.speeds[g]
                            : 0;
        topRpm = std::max(topRpm, afterShift[g]);
    }
    const int fastest = *std::max_element(chart.speeds, chart.speeds + 6);
    const double xStep = NiceStep(std::max(fastest, 1));
    const double yStep = NiceStep(std::max(topRpm, 1.0));
    const double xMax = std::ceil(std::max(fastest, 1) / xStep) * xStep;
    const double yMax = std::ceil(topRpm / yStep) * yStep;

    const QRectF plot(80, 50, kWidth - 360, kHeight - 110);
    const auto at = [&](double kmh, double rpm) {
        return QPointF(plot.left() + plot.width() * kmh / xMax,
                       plot.bottom() - plot.height() * rpm / yMax);
    };

    painter.setPen(Qt::black);
    QFont title = font;
    title.setPixelSize(16);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRectF(0, 10, kWidth, 30), Qt::AlignHCenter,
                     QStringLiteral("Gearing of %1 (final ratio %2)")
                         .arg(QString::fromUtf8(chart.title), QLatin1String(chart.finalRatio)));
    painter.setFont(font);

    // Grid and axes.
    for (double x = 0; x <= xMax + xStep / 2; x += xStep) {
        painter.setPen(QPen(QColor(0xdd, 0xdd, 0xdd), 1));
        painter.drawLine(at(x, 0), at(x, yMax));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(at(x, 0).x() - 40, plot.bottom() + 6, 80, 20), Qt::AlignHCenter,
                         QString::number(x));
    }
    for (double y = 0; y <= yMax + yStep / 2; y += yStep) {
        painter.setPen(QPen(QColor(0xdd, 0xdd, 0xdd), 1));
        painter.drawLine(at(0, y), at(xMax, y));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(plot.left() - 76, at(0, y).y() - 10, 70, 20),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(y));
    }
    painter.setPen(QPen(Qt::black, 1.5));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    painter.drawText(QRectF(plot.left(), plot.bottom() + 28, plot.width(), 20), Qt::AlignHCenter,
                     QStringLiteral("road speed (km/h)"));
    painter.save();
    painter.translate(18, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plot.height() / 2, -10, plot.height(), 20), Qt::AlignHCenter,
                     QStringLiteral("engine speed (rpm)"));
    painter.restore();

    // Each gear's whole line faint, the way through the gears bold: up to
    // the top in one gear, straight down at the shift, on in the next.
    for (int g = 0; g < 6; ++g) {
        painter.setPen(QPen(kGearColours[g], 1, Qt::DotLine));
        painter.drawLine(at(0, 0), at(chart.speeds[g], chart.rpm));
    }
    for (int g = 0; g < 6; ++g) {
        const double from = g == 0 ? 0 : chart.speeds[g - 1];
        const double fromRpm = g == 0 ? 0 : afterShift[g];
        if (g > 0) {
            painter.setPen(QPen(Qt::gray, 1.5, Qt::DashLine));
            painter.drawLine(at(from, chart.rpm), at(from, fromRpm));
        }
        painter.setPen(QPen(kGearColours[g], 3));
        painter.drawLine(at(from, fromRpm), at(chart.speeds[g], chart.rpm));
        if (g > 0) {
            painter.setPen(Qt::darkGray);
            painter.drawText(at(from, fromRpm) + QPointF(4, 16),
                             QString::number(std::lround(fromRpm)));
        }
    }

    // Key: each gear's ratio and the speed "calculate" shows for it.
    painter.setPen(Qt::black);
    painter.drawText(QPointF(plot.right() + 30, plot.top() + 10),
                     QStringLiteral("at %1 rpm:").arg(static_cast<double>(chart.rpm)));
    for (int g = 0; g < 6; ++g) {
        const double y = plot.top() + 40 + 28 * g;
        painter.setPen(QPen(kGearColours[g], 3));
        painter.drawLine(QPointF(plot.right() + 30, y - 5), QPointF(plot.right() + 60, y - 5));
        painter.setPen(Qt::black);
        painter.drawText(QPointF(plot.right() + 68, y), QStringLiteral("gear %1: %2 km/h, ratio %3")
                                                            .arg(g + 1)
                                                            .arg(chart.speeds[g])
                                                            .arg(QLatin1String(chart.ratios[g])));
    }
}

// Qt's notes about its own set-up are no business of the user's.
void QuietMessages(QtMsgType type, const QMessageLogContext &, const QString &message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "vosk-setup: %s\n", message.toLocal8Bit().constData());
    }
}

bool Fail(char *error, std::size_t size, const QString &reason) {
    std::snprintf(error, size, "%s", reason.toLocal8Bit().constData());
    return false;
}

// The chart is drawn into memory and saved under the path's own bytes,
// which need not be UTF-8, beside the target and renamed over it once whole.
bool Write(const std::string &path, const GearingChart &chart, char *error, std::size_t errorSize) {
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    const std::size_t dot = path.rfind('.');
    if (QByteArray::fromStdString(path.substr(dot + 1)).toLower() == "svg") {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(QSize(kWidth, kHeight));
        svg.setViewBox(QRect(0, 0, kWidth, kHeight));
        // The generator writes the title into the file as it is given.
        svg.setTitle(
            QStringLiteral("Gearing of %1").arg(QString::fromUtf8(chart.title)).toHtmlEscaped());
        QPainter painter(&svg);
        Draw(painter, chart);
    } else {
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        {
            QPainter painter(&image);
            Draw(painter, chart);
        }
        QImageWriter writer(&file, "png");
        if (!writer.write(image)) {
            return Fail(error, errorSize, writer.errorString());
        }
    }
    const QByteArray &bytes = file.buffer();
    if (!vosk::ReplaceFile(path, bytes.constData(), static_cast<std::size_t>(bytes.size()))) {
        return Fail(error, errorSize, QString::fromLocal8Bit(std::strerror(errno)));
    }
    return true;
}

} // namespace

extern "C" __attribute__((visibility("default"))) int vosk_cli_draw_chart(const char *path,
                                                                          const GearingChart *chart,
                                                                          char *error,
                                                                          std::size_t errorSize) {
    // Text needs a font database, and that a GUI application, but no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietMessages);
    static int argc = 1;
    static char name[] = "vosk-setup";
    static char *argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    return Write(path, *chart, error, errorSize) ? 0 : 1;
}

[[maybe_unused]] static constexpr DrawChartFunction kDraw = vosk_cli_draw_chart;
