// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "core/IniReader.h"

#include "core/FileOps.h"

#include <cstdlib>
#include <locale.h>
#include <stdlib.h>
#include <string_view>

namespace {

// Numbers in these files always use "." as the decimal point, but the host
// may have switched the process to the user's locale, where atof would stop
// at the "." of "85.5". A "C" locale made once keeps the conversion fixed.
locale_t NumberLocale() {
    static const locale_t c = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

} // namespace

IniReader::IniReader() : loaded(false) {}

IniReader::~IniReader() = default;

// A file that cannot be opened or read to its end (missing, a folder, a read
// error) sets loaded to false and keeps the text of an earlier load.
void IniReader::Load(const std::string &path) {
    std::string bytes;
    if (!vosk::ReadWholeFile(path, bytes)) {
        loaded = false;
        return;
    }
    // Everything after a NUL byte is dropped, so no look-up sees it.
    const std::size_t nul = bytes.find('\0');
    if (nul != std::string::npos) {
        bytes.resize(nul);
    }
    text.swap(bytes);
    loaded = true;
}

// The look-up works on views into text, so only the value itself is copied.
// When the section header is absent, the key does not occur in the section,
// or no "=" follows the key inside the section, the value is an empty string.
std::string IniReader::GetString(const std::string &section, const std::string &key) const {
    const std::string_view all(text);
    const std::string header = '[' + section + ']';
    const std::size_t p = all.find(header);
    if (p == std::string_view::npos) {
        return {};
    }
    // The section ends at the next "[" anywhere, even inside a value. A "["
    // in the section name itself would end it inside its own header; the
    // section text is then empty.
    const std::size_t begin = p + header.size();
    std::size_t end = all.find('[', p + 1);
    if (end == std::string_view::npos) {
        end = all.size();
    }
    const std::string_view body = end > begin ? all.substr(begin, end - begin) : std::string_view();

    // A plain substring match: the first place the key's characters occur
    // wins, even inside a longer key or an earlier value.
    const std::size_t k = body.find(key);
    if (k == std::string_view::npos) {
        return {};
    }
    const std::size_t eq = body.find('=', k);
    if (eq == std::string_view::npos) {
        return {};
    }
    // The value ends at a CR only; an LF is an ordinary character.
    std::size_t stop = body.find('\r', eq + 1);
    if (stop == std::string_view::npos) {
        stop = body.size();
    }
    return std::string(body.substr(eq + 1, stop - eq - 1));
}

// Behaves as atof of the value: white space skipped, the longest leading
// number converted, the rest ignored, 0 when the value (empty when absent)
// does not start with a number. The decimal point is always ".".
long double IniReader::GetFloat(const std::string &section, const std::string &key) const {
    const std::string value = GetString(section, key);
    const locale_t c = NumberLocale();
    const double number = c != static_cast<locale_t>(nullptr)
                              ? ::strtod_l(value.c_str(), nullptr, c)
                              : std::strtod(value.c_str(), nullptr);
    return static_cast<long double>(number);
}
