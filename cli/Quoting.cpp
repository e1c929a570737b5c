// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "Quoting.h"

#include <cstdio>

namespace vosk::cli {
namespace {

// The length of the printable character at text[i], or 0 for a byte that
// must be escaped: a control character (C0, DEL, or C1 in UTF-8) or a byte
// that does not begin a well-formed UTF-8 sequence.
std::size_t PrintableLength(const std::string &text, std::size_t i) {
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
        return lead >= 0x20 && lead != 0x7f ? 1 : 0;
    }
    const std::size_t length = lead >= 0xc2 && lead <= 0xdf   ? 2
                               : lead >= 0xe0 && lead <= 0xef ? 3
                               : lead >= 0xf0 && lead <= 0xf4 ? 4
                                                              : 0;
    if (length == 0 || i + length > text.size()) {
        return 0;
    }
    char32_t code = lead & (0x7f >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xc0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (byte(i + k) & 0x3f);
    }
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool wellFormed =
        code >= least[length] && code <= 0x10ffff && !(code >= 0xd800 && code <= 0xdfff);
    return wellFormed && !(code >= 0x80 && code <= 0x9f) ? length : 0;
}

std::string Escaped(unsigned char c) {
    switch (c) {
    case '\a':
        return "\\a";
    case '\b':
        return "\\b";
    case '\f':
        return "\\f";
    case '\n':
        return "\\n";
    case '\r':
        return "\\r";
    case '\t':
        return "\\t";
    case '\v':
        return "\\v";
    default:
        break;
    }
    char text[5];
    std::snprintf(text, sizeof text, "\\%03o", c);
    return text;
}

} // namespace

std::string Quoted(const std::string &name) {
    bool plain = true;
    for (std::size_t i = 0, n = 0; plain && i < name.size(); i += n) {
        n = PrintableLength(name, i);
        plain = n != 0;
    }
    if (plain) {
        return name;
    }
    // Printable runs go inside '...', the others inside $'...'.
    std::string out = "'";
    bool escaping = false;
    for (std::size_t i = 0; i < name.size();) {
        const std::size_t n = PrintableLength(name, i);
        if (n == 0) {
            out += escaping ? "" : "'$'";
            escaping = true;
            out += Escaped(static_cast<unsigned char>(name[i++]));
            continue;
        }
        out += escaping ? "''" : "";
        escaping = false;
        out += name[i] == '\'' ? std::string("'\\''") : name.substr(i, n);
        i += n;
    }
    return out + "'";
}

} // namespace vosk::cli
