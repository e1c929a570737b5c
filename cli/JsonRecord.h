// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/CarSetup.h"

#include <QByteArray>
#include <QJsonObject>

#include <string>

// A setup record as JSON: {"format": "vosk-setup", "version": 1} and one
// member per field of the record, fields of several words as arrays in key
// order. Int words are JSON integers, reserved bit words unsigned integers,
// float words the shortest decimal that reads back to the same float; a
// float no JSON number carries exactly (NaN, an infinity, -0) is the string
// "0x" followed by its eight hex digits. Any 196 bytes survive the trip.
namespace vosk::cli {

using RecordBytes = unsigned char[CarSetup::kFileSize];

QJsonObject RecordToJson(const RecordBytes &record);
// The same as text, its members in file order after "format" and "version",
// so that a shared file reads in the window's order.
QByteArray RecordToJsonText(const RecordBytes &record);

// Reads JSON text as RecordToJson writes it, except that a float may be any
// number that reads as a float, the nearest float being taken. A missing,
// unknown, repeated or ill-typed member, a number that is not an exact int32
// or uint32 or beyond the floats, a bad hex string or hex for a float that
// has a number, or text that is not JSON (nested too deep, a number too
// large) gives false with one line in error that names the fault.
bool RecordFromJson(const QByteArray &text, RecordBytes &record, std::string &error);

} // namespace vosk::cli
