// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include "Options.h"

#include <cstdint>
#include <string>
#include <vector>

// What speeds, diff and check print, as lines for a person or as a table a
// spreadsheet or a script reads (--format=csv|json).
namespace vosk::cli {

enum class Format { Text, Csv, Json };

// The --format option of args (text when absent). false, after telling the
// trouble on standard error, for any other value.
bool FormatOf(const Parsed &args, Format &format);

struct Cell {
    enum Kind { String, Number, Null };
    std::string text; // a Number's text is a plain decimal
    Kind kind = String;
};
inline Cell NumberCell(std::string text) {
    return {std::move(text), Cell::Number};
}

// The rows of one command's output under the given columns. Text prints
// each row's line as it comes; CSV a header and then each row as it comes;
// JSON an array of one object per row, written at Finish through Qt's JSON
// classes.
class Rows {
public:
    Rows(Format format, std::vector<const char *> columns);
    void Add(const std::string &line, std::vector<Cell> cells);
    // status, or 2 when the JSON could not be written.
    int Finish(int status);

private:
    Format format_;
    std::vector<const char *> columns_;
    std::vector<Cell> cells_; // JSON only: every row's cells, row after row
};

// One row per word that differs between the records a and b (columns key,
// a, b), each value as show prints it: "spring.LF 130 -> 140". true when
// any differs.
bool AddDifferences(const std::uint32_t (&a)[49], const std::uint32_t (&b)[49], Rows &rows);

} // namespace vosk::cli
