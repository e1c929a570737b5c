// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
#include "Options.h"

namespace vosk::cli {

bool ParseOptions(const std::vector<std::string> &args, const std::vector<OptionDef> &defs,
                  Parsed &parsed, std::string &error) {
    std::vector<OptionDef> all = defs;
    all.push_back({"help", Takes::Nothing, 'h'});
    bool optionsEnd = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (optionsEnd || arg.size() < 2 || arg[0] != '-') {
            parsed.operands.push_back(arg); // "-" alone is an operand too
            continue;
        }
        if (arg == "--") {
            optionsEnd = true;
            continue;
        }
        const bool isLong = arg[1] == '-';
        const std::size_t equals = arg.find('=');
        const std::string name =
            isLong ? arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2)
                   : arg.substr(1);
        const OptionDef *def = nullptr;
        for (const OptionDef &candidate : all) {
            if (isLong ? name == candidate.name
                       : (name.size() == 1 && candidate.shortName == name[0])) {
                def = &candidate;
            }
        }
        if (!def) {
            error = "unknown option " + arg;
            return false;
        }
        const bool hasValue = isLong && equals != std::string::npos;
        std::string value;
        if (def->takes == Takes::Value) {
            if (hasValue) {
                value = arg.substr(equals + 1);
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                error = "option --" + std::string(def->name) + " needs a value";
                return false;
            }
        } else if (hasValue) {
            if (def->takes == Takes::Nothing) {
                error = "option --" + std::string(def->name) + " takes no value";
                return false;
            }
            value = arg.substr(equals + 1);
        }
        parsed.options[def->name] = value;
    }
    return true;
}

} // namespace vosk::cli
