// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace vosk::test {

// The rows of a table under tests/data, one a line, with width fields parted
// by "|" and trimmed of spaces; the last field takes the rest of the line,
// bars and all. Blank lines and lines that begin with "#" are notes. A table
// that cannot be read throws, so that its cases cannot silently vanish.
inline std::vector<std::vector<std::string>> Table(const std::string &path, std::size_t width) {
    std::ifstream in(path);
    if (!in) {
        throw std::runtime_error("cannot read the table " + path);
    }
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

// A field's text with \r, \n, \0, \xHH and \\ turned into the bytes they name.
inline std::string Unescaped(const std::string &text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            bytes += text[i];
        } else if (text[++i] == 'x') {
            bytes += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            bytes += std::string("\r\n\0\\", 4).at(std::string("rn0\\").find(text[i]));
        }
    }
    return bytes;
}

} // namespace vosk::test
