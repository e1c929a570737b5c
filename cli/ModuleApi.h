// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>

// The functions of the two modules that the command line loads only for the
// commands that need Qt: vosk_cli_qt (Qt Core: JSON, name matching) and
// vosk_cli_chart (Qt Gui and Qt Svg: the gearing chart). Plain C types cross
// the boundary; each function is looked up by the name in its comment.
extern "C" {

// "vosk_cli_export_json": prints the JSON form of the 196 bytes of a setup
// record to standard output.
using ExportJsonFunction = void (*)(const unsigned char *record);

// "vosk_cli_import_json": fills the 196 bytes from the JSON text. Returns 0,
// or 1 with a one-line reason (naming the member at fault) in error.
using ImportJsonFunction = int (*)(const char *text, std::size_t size, unsigned char *record,
                                   char *error, std::size_t errorSize);

// "vosk_cli_find_name": the index of name among the count names as the
// window's setup list finds it, or -1.
using FindNameFunction = int (*)(const char *const *names, std::size_t count, const char *name);

struct GearingChart {
    float rpm;              // the engine speed of every gear's top
    int speeds[6];          // km/h at rpm, as "calculate" shows them
    const char *ratios[6];  // the gear ratios as the value boxes show them
    const char *finalRatio; // likewise
    const char *title;      // the setup's file name
};

// "vosk_cli_draw_chart": writes the chart to path as PNG or SVG (by its
// extension, checked by the caller). Returns 0, or 1 with a reason in error.
using DrawChartFunction = int (*)(const char *path, const GearingChart *chart, char *error,
                                  std::size_t errorSize);

// "vosk_cli_print_rows_json": prints rowCount rows as a JSON array of
// objects. Member columns[c] of row r is texts[r * columnCount + c], a JSON
// number when its kind (Cell::Kind) is 1, null when 2, else a string.
using PrintRowsJsonFunction = void (*)(const char *const *columns, std::size_t columnCount,
                                       const char *const *texts, const unsigned char *kinds,
                                       std::size_t rowCount);
}
