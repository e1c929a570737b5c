// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

// Reads one small key-value text file ("[SECTION]" headers, "KEY=value"
// lines) whole and answers look-ups by plain byte-exact substring search.
// A value runs from the "=" after the key to the next CR, so the files it
// reads carry CR LF line ends.
class IniReader {
public:
    IniReader();
    virtual ~IniReader();

    // Replaces text with the file's bytes up to its first NUL and sets loaded.
    // A file that cannot be opened or read to its end (missing, a folder)
    // sets loaded to false and keeps text.
    void Load(const std::string &path);
    // The value of key in section. An absent section, key or "=" after the
    // key gives an empty string; it never reads outside text and never throws.
    std::string GetString(const std::string &section, const std::string &key) const;
    // atof of GetString with "." as the decimal point whatever the process
    // locale: the longest leading decimal number, 0 when the value (or an
    // absent one) does not start with one.
    long double GetFloat(const std::string &section, const std::string &key) const;

    std::string text;
    bool loaded;
};
