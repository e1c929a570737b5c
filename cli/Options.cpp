#include "Options.h"

namespace vosk::cli {

bool ParseOptions(const std::vector<std::string> &args, const std::vector<OptionSpec> &specs,
                  Parsed &parsed, std::string &error) {
    std::vector<OptionSpec> all = specs;
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
        const OptionSpec *spec = nullptr;
        for (const OptionSpec &candidate : all) {
            if (isLong ? name == candidate.name
                       : (name.size() == 1 && candidate.shortName == name[0])) {
                spec = &candidate;
            }
        }
        if (!spec) {
            error = "unknown option " + arg;
            return false;
        }
        const bool hasValue = isLong && equals != std::string::npos;
        std::string value;
        if (spec->takes == Takes::Value) {
            if (hasValue) {
                value = arg.substr(equals + 1);
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                error = "option --" + std::string(spec->name) + " needs a value";
                return false;
            }
        } else if (hasValue) {
            if (spec->takes == Takes::Nothing) {
                error = "option --" + std::string(spec->name) + " takes no value";
                return false;
            }
            value = arg.substr(equals + 1);
        }
        parsed.options[spec->name] = value;
    }
    return true;
}

} // namespace vosk::cli
