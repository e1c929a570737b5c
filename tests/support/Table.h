// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace vosk::test {

// The rows of a table under tests/data, one a line, with width fields parted
// by "|" and trimmed of spaces; the last field takes the rest of the line,
// bars and all. Blank lines and lines that begin with "#" are notes.
inline std::vector<std::vector<std::string>> Table(const std::string &path, std::size_t width) {
    std::ifstream in(path);
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::vector<std::string> &row = rows.emplace_back(width);
        for (std::size_t i = 0; i < width; ++i) {
            std::getline(fields >> std::ws, row[i], i + 1 < width ? '|' : '\n');
            row[i].erase(row[i].find_last_not_of(' ') + 1);
        }
        if (row[0].empty() || row[0][0] == '#') {
            rows.pop_back();
        }
    }
    return rows;
}

} // namespace vosk::test
