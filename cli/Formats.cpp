// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "Formats.h"

#include "Commands.h"
#include "ModuleApi.h"
#include "Modules.h"
#include "WindowView.h"

#include "core/CarSetup.h"
#include "core/SetupFields.h"

#include <cstdio>

namespace vosk::cli {
namespace {

void Print(const std::string &text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

// A field as a spreadsheet reads it back: quoted, with its quotes doubled,
// when it holds a separator, a quote or a line break.
std::string CsvField(const std::string &text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    }
    return quoted + '"';
}

std::string CsvLine(const std::vector<std::string> &fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        line += (i == 0 ? "" : ",") + CsvField(fields[i]);
    }
    return line + '\n';
}

} // namespace

bool FormatOf(const Parsed &args, Format &format) {
    const auto option = args.options.find("format");
    const std::string name = option == args.options.end() ? "text" : option->second;
    if (name == "text" || name == "csv" || name == "json") {
        format = name == "text" ? Format::Text : name == "csv" ? Format::Csv : Format::Json;
        return true;
    }
    Trouble("--format=" + name + ": FORMAT is text, csv or json");
    return false;
}

Rows::Rows(Format format, std::vector<const char *> columns)
    : format_(format), columns_(std::move(columns)) {
    if (format_ == Format::Csv) {
        Print(CsvLine({columns_.begin(), columns_.end()}));
    }
}

void Rows::Add(const std::string &line, std::vector<Cell> cells) {
    switch (format_) {
    case Format::Text:
        Print(line);
        break;
    case Format::Csv: {
        std::vector<std::string> fields;
        for (const Cell &cell : cells) {
            fields.push_back(cell.text);
        }
        Print(CsvLine(fields));
        break;
    }
    case Format::Json:
        cells.resize(columns_.size(), Cell{"", Cell::Null});
        cells_.insert(cells_.end(), cells.begin(), cells.end());
        break;
    }
}

int Rows::Finish(int status) {
    if (format_ != Format::Json) {
        return status;
    }
    std::string error;
    const auto print = ModuleFunctionAs<PrintRowsJsonFunction>("libvosk_cli_qt.so",
                                                               "vosk_cli_print_rows_json", error);
    if (!print) {
        return Trouble(error);
    }
    std::vector<const char *> texts;
    std::vector<unsigned char> kinds;
    for (const Cell &cell : cells_) {
        texts.push_back(cell.text.c_str());
        kinds.push_back(static_cast<unsigned char>(cell.kind));
    }
    std::fflush(stdout);
    print(columns_.data(), columns_.size(), texts.data(), kinds.data(),
          cells_.size() / columns_.size());
    return status;
}

bool AddDifferences(const std::uint32_t (&a)[49], const std::uint32_t (&b)[49], Rows &rows) {
    bool differ = false;
    for (std::size_t k = 0; k < CarSetup::kWords; ++k) {
        if (a[k] != b[k]) {
            const std::string key = KeyOfWord(k), from = ValueText(a, k), to = ValueText(b, k);
            rows.Add(key + ' ' + from + " -> " + to + '\n', {{key}, {from}, {to}});
            differ = true;
        }
    }
    return differ;
}

} // namespace vosk::cli
