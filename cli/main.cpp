// SPDX-FileCopyrightText: 2026 Seed 5b8d4529 maintainers
// SPDX-License-Identifier: MIT
// vosk-setup: the car's setup files on the command line, read through the
// same data core as the setup window. This program itself uses no Qt: the
// commands that need it (export, import, list, speeds --chart) load a module
// that does, so the commands git runs as a text conversion start fast.
#include "Commands.h"
#include "Options.h"
#include "WindowView.h"

#include "core/CarFiles.h"
#include "core/Gearing.h"
#include "core/NumberText.h"
#include "core/SetupFields.h"
#include "core/SliderTable.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace vosk;
using namespace vosk::cli;

struct Command {
    const char *name;
    const char *usage;
    std::size_t minOperands, maxOperands;
    std::vector<OptionDef> options;
    int (*run)(const Parsed &);
    const char *help;
};

constexpr std::size_t kMany = static_cast<std::size_t>(-1);

const Command kCommands[] = {
    {"show",
     "show FILE [--textconv]",
     1,
     1,
     {{"textconv", Takes::Nothing, 0}},
     Show,
     "Prints every word of the setup file FILE, one line each in file order: its key\n"
     "and the text the setup window's value box shows for it, with \".\" as the\n"
     "decimal point (spring.LF 130, steerRatio 10:1, gear.1 3.154, brakeBias 60).\n"
     "When the file holds something the window changes at the next \"ok\" (a value\n"
     "outside the slider's range, between two of its steps, or not a number), the\n"
     "line goes on with the stored number: spring.LF 160 (stored 200).\n"
     "\n"
     "Words the window does not show print their stored number: reserved0 as an\n"
     "integer, reservedB.* as the shortest decimal that reads back to the same\n"
     "float, reservedA.* and reservedTail.* as \"0x\" and eight hex digits. A float\n"
     "that is not a number prints as nan(0x...) with its bits.\n"
     "\n"
     "Keys: the field name, with .LF .RF .LR .RR for the four wheels, gear.1 to\n"
     "gear.6, reservedA.0 to .3, reservedB.0 to .3 and reservedTail.0 to .2.\n"
     "A file longer than 196 bytes is read by its first 196, as the window reads\n"
     "it; a shorter one is refused. FILE \"-\" is standard input; a pipe or a\n"
     "named pipe is read to its end.\n"
     "\n"
     "  --textconv   never refuse a file that can be read, for git: a file shorter\n"
     "               than a setup prints one line with its size and its bytes in\n"
     "               hex, and the bytes of a longer one past the record follow the\n"
     "               49 lines in hex; the exit status is then 0\n"
     "\n"
     "For readable diffs of setups kept in git:\n"
     "  echo '*.rvs diff=vosk' >> .gitattributes\n"
     "  git config diff.vosk.textconv \"vosk-setup show --textconv\"\n"
     "  git config diff.vosk.cachetextconv true\n"},
    {"diff",
     "diff A B [--format=FORMAT]",
     2,
     2,
     {{"format", Takes::Value, 0}},
     Diff,
     "Prints the keys whose stored words differ between the setup files A and B,\n"
     "each with both values as show prints them: spring.LF 130 -> 140.\n"
     "Exit status: 0 when the 196 bytes are equal, 1 when they differ, 2 when a\n"
     "file cannot be read.\n"
     "\n"
     "  --format=FORMAT  text (the default), or csv or json: one row per key that\n"
     "                   differs, with the columns key, a and b\n"},
    {"export",
     "export FILE",
     1,
     1,
     {},
     Export,
     "Prints the setup file FILE as a JSON object: \"format\": \"vosk-setup\",\n"
     "\"version\": 1 and one member per field, fields of several words as arrays in\n"
     "key order. Int words are integers, reservedA and reservedTail unsigned\n"
     "integers, float words the shortest decimal that reads back to the same float;\n"
     "a float no JSON number carries exactly (NaN, an infinity, -0) is the string\n"
     "\"0x\" and its eight hex digits. import turns it back into the same bytes.\n"},
    {"import",
     "import JSON OUT [--force]",
     2,
     2,
     {{"force", Takes::Nothing, 'f'}},
     Import,
     "Writes the setup file OUT from JSON as export writes it (\"-\" reads standard\n"
     "input). Every member must be there exactly once; a float may be any JSON\n"
     "number that reads as that float (0.35 or 0.3499999940395355), the other\n"
     "values exactly as export writes them. Anything else is refused with a line\n"
     "naming the member and nothing is written. An existing OUT is never replaced\n"
     "unless --force is given, nor ever by the JSON read from it. The file\n"
     "appears whole or not at all.\n"
     "\n"
     "  -f, --force   replace OUT if it exists\n"},
    {"check",
     "check [--names-only] FILE|FOLDER... [--format=FORMAT]",
     1,
     kMany,
     {{"names-only", Takes::Nothing, 0}, {"format", Takes::Value, 0}},
     Check,
     "Prints one line per problem in each setup file: a size other than 196 bytes,\n"
     "values that are not finite, values the window changes at the next \"ok\"\n"
     "(outside the slider's range or between its steps, a left and right wheel the\n"
     "\"symmetric\" boxes join but that differ), and reserved0 or reservedTail.*\n"
     "not zero, which the window always writes as zero. A FOLDER stands for its\n"
     "*.rvs files in name order; a folder that cannot be listed is trouble. Last,\n"
     "a summary on standard error: 2000 files, 140 with problems.\n"
     "Exit status: 0 when every file is clean, 1 when any has a problem, 2 when\n"
     "one cannot be read.\n"
     "\n"
     "  --names-only     print only the name of each file with a problem, once\n"
     "  --format=FORMAT  text (the default), or csv or json: one row per problem,\n"
     "                   with the columns file, key (empty or null for the size)\n"
     "                   and problem; with --names-only the one column file\n"},
    {"speeds",
     "speeds FILE [--rpm N] [--chart OUT] [--format=FORMAT]",
     1,
     1,
     {{"rpm", Takes::Value, 0}, {"chart", Takes::Value, 0}, {"format", Takes::Value, 0}},
     Speeds,
     "Prints the road speed of each gear at {rpm} rpm in whole km/h, as the\n"
     "window's \"calculate\" shows it after loading FILE: each ratio first goes\n"
     "through its slider ({ratios}, in steps of 0.001).\n"
     "\n"
     "For gears 1 to 5 it adds the gear spacing: the engine speed right after\n"
     "shifting up into the next gear at that engine speed (rpm x next ratio /\n"
     "this ratio, the road speed staying the same), the drop in rpm, and the step\n"
     "between the two ratios as gear tables quote it (this ratio / next ratio - 1,\n"
     "as a percentage).\n"
     "\n"
     "  --rpm N          at engine speed N instead, by the same arithmetic\n"
     "  --chart OUT      also draw the gearing chart (engine speed against road\n"
     "                   speed for every gear, with the drop at each shift) into\n"
     "                   OUT, a .png or .svg file\n"
     "  --format=FORMAT  text (the default), or csv or json: one row per gear,\n"
     "                   with the columns gear, kmh, rpm, ratio, final,\n"
     "                   upshiftRpm, dropRpm and stepPercent (empty or null for\n"
     "                   gear.6)\n"},
    {"set",
     "set FILE KEY=VALUE... [--symmetric] [--dry-run]",
     2,
     kMany,
     {{"symmetric", Takes::Nothing, 's'}, {"dry-run", Takes::Nothing, 'n'}},
     Set,
     "Changes values of the setup file FILE in place, as moving their sliders in\n"
     "the window and pressing \"ok\" stores them. VALUE is written as the slider's\n"
     "value box shows it: spring.LF=120 brakePad.RF=0.3 gear.1=3.154\n"
     "steerRatio=14:1 brakeBias=60 camber.LF=-0.7. A value the slider cannot\n"
     "stand at exactly is refused with the nearest values it can show, one outside\n"
     "its range with the range. The settings apply from left to right.\n"
     "\n"
     "Only the words named, and with --symmetric their partners, change: every\n"
     "other word is kept bit for bit, even where \"ok\" would rewrite it, such as\n"
     "reserved0 and reservedTail.* (\"ok\" always writes them as zero) or a value\n"
     "outside a slider's range (vosk-setup check lists those). FILE must be a\n"
     "whole 196-byte setup; it is replaced whole or not at all, keeping its\n"
     "permissions, a link staying a link. When any setting is refused, or nothing\n"
     "changes, nothing is written.\n"
     "\n"
     "  -s, --symmetric  also move the partner wheel, as the window's \"symmetric\"\n"
     "                   boxes do (both are ticked when a window opens): brake\n"
     "                   pads, discs, springs and dampers, LF with RF and LR with\n"
     "                   RR. Without it, a pair left apart is noted on standard\n"
     "                   error: the window pulls it to the right-hand wheel.\n"
     "  -n, --dry-run    print the changes as diff prints them; write nothing\n"},
    {"list",
     "list [--workdir DIR]",
     0,
     0,
     {{"workdir", Takes::Value, 0}},
     List,
     "Prints the setups of the working folder (cars/vosk/setup/*.rvs) in the order\n"
     "the window lists them, and marks with \"*\" the one the window selects when it\n"
     "opens: the name in cars/vosk/setup/conf.ini, spelled exactly or else ignoring\n"
     "letter case. With no conf.ini, or the name \"default\", none is marked.\n"
     "\n"
     "  --workdir DIR   the simulator's working folder (default: the current one)\n"},
    {"temps",
     "temps [--workdir DIR] [--color[=WHEN]] [--advise [--setup FILE]]",
     0,
     0,
     {{"workdir", Takes::Value, 0},
      {"color", Takes::MaybeOne, 0},
      {"advise", Takes::Nothing, 0},
      {"setup", Takes::Value, 0},
      {"target-spread", Takes::Value, 0},
      {"tolerance", Takes::Value, 0},
      {"axle-gap", Takes::Value, 0},
      {"heat-per-step", Takes::Value, 0}},
     TempsOrAdvice,
     "Prints the twelve tyre temperatures of the last run (cfg/of) in °C as the\n"
     "Tyres page lays them out, each rounded to a whole number, a zero reading\n"
     "blank. Each reading is marked I (inner edge), M (middle) or O (outer edge):\n"
     "the right wheels are mirrored, so their first column is the outer edge.\n"
     "\n"
     "  --workdir DIR    the simulator's working folder (default: the current one)\n"
     "  --color[=WHEN]   colour the readings by heat: always, never or auto (the\n"
     "                   default: when standard output is a terminal). The\n"
     "                   scale: {heat0}, {heat1}, {heat2},\n"
     "                   {heat3}, {heat4}, told in a last\n"
     "                   line. NO_COLOR set and not empty makes auto never.\n"
     "  --advise         instead of the table, read the readings the way a\n"
     "                   pyrometer's are read. Per wheel: the inside, middle and\n"
     "                   outside reading (the file's I, M and O: I is the inside\n"
     "                   edge on every wheel, though the Tyres page mirrors the\n"
     "                   right wheels), the spread inner minus outer and the middle\n"
     "                   against the mean of the edges. Then the usual rules of\n"
     "                   thumb, each line saying so: a spread above the target\n"
     "                   means too much negative camber, below it too little, with\n"
     "                   a change in the window's 0.1° camber steps; a middle\n"
     "                   hotter than the edges too much pressure, cooler too little\n"
     "                   (the car has no pressure setting, so that is only said);\n"
     "                   fronts much hotter than rears a hint of understeer, rears\n"
     "                   much hotter a hint of oversteer. A wheel with a blank\n"
     "                   reading gets no advice.\n"
     "  --setup FILE     the setup of the run (named from the current folder, not\n"
     "                   DIR): camber advice then names the current value and\n"
     "                   the one to try (camber.LF -0.7 -> -1)\n"
     "  --target-spread C\n"
     "                   the spread a good camber gives, in °C (default 7)\n"
     "  --tolerance C    how far the spread may stray from it, and the middle from\n"
     "                   the mean of the edges, before advice is given (default 3)\n"
     "  --axle-gap C     how much hotter on average one axle may run (default 10)\n"
     "  --heat-per-step C\n"
     "                   how many °C of spread one 0.1° camber step is taken to\n"
     "                   move (default 2); the advice rounds to whole steps\n"},
};

const char kHelpHelp[] =
    "Usage: vosk-setup help [COMMAND]\n"
    "\n"
    "Without COMMAND, lists the commands; with one, tells what it does,\n"
    "its options and its exit status, as \"vosk-setup COMMAND --help\" does.\n";

const Command *Find(const std::string &name) {
    for (const Command &command : kCommands) {
        if (name == command.name) {
            return &command;
        }
    }
    return nullptr;
}

void ProgramHelp() {
    std::FILE *out = stdout;
    std::fputs("Usage: vosk-setup COMMAND [ARGUMENTS]\n"
               "\n"
               "Reads, compares, checks and converts the car's setup files (*.rvs) and\n"
               "shows every value exactly as the setup window shows it.\n"
               "\n"
               "Commands:\n",
               out);
    for (const Command &command : kCommands) {
        std::fprintf(out, "  %s\n", command.usage);
    }
    std::fputs("  help [COMMAND]\n"
               "\n"
               "\"vosk-setup help COMMAND\" or \"vosk-setup COMMAND --help\" tells more.\n"
               "Exit status: 0 as expected, 1 a difference (diff) or a problem found\n"
               "(check), 2 trouble: a file that cannot be read, bad arguments.\n",
               out);
}

// A help text with its placeholders replaced by the numbers the program works
// with, so that the text follows when one of them changes.
std::string Filled(std::string text) {
    const Slider &ratio = *SliderOfWord(WordOfField("gear"));
    std::vector<std::pair<std::string, std::string>> values = {
        {"{rpm}", IntegerText(static_cast<long long>(kEngineRpm))},
        {"{ratios}", ShownText(ratio.rule, ratio.max) + " to " + ShownText(ratio.rule, ratio.min)},
    };
    for (std::size_t band = 0; band <= kHeatSteps.size(); ++band) {
        values.emplace_back("{heat" + std::to_string(band) + '}', HeatBandText(band, false));
    }
    for (const auto &[name, value] : values) {
        for (std::size_t at = 0; (at = text.find(name, at)) != std::string::npos;) {
            text.replace(at, name.size(), value);
            at += value.size();
        }
    }
    return text;
}

int CommandHelp(const Command &command) {
    std::printf("Usage: vosk-setup %s\n\n%s", command.usage, Filled(command.help).c_str());
    return 0;
}

int Run(const std::vector<std::string> &words) {
    if (words.empty()) {
        return Trouble("no command given; see vosk-setup --help");
    }
    const std::string &first = words[0];
    if (first == "--help" || first == "-h" || (first == "help" && words.size() == 1)) {
        ProgramHelp();
        return 0;
    }
    if (first == "--version") {
        std::printf("vosk-setup %s\n", VOSK_VERSION);
        return 0;
    }
    if (first == "help") {
        if (words.size() > 2) {
            return Trouble("help: too many arguments; usage: vosk-setup help [COMMAND]");
        }
        if (words[1] == "help" || words[1] == "--help" || words[1] == "-h") {
            std::fputs(kHelpHelp, stdout);
            return 0;
        }
        const Command *command = Find(words[1]);
        return command ? CommandHelp(*command)
                       : Trouble("help " + words[1] + ": no such command; see vosk-setup --help");
    }
    const Command *command = Find(first);
    if (!command) {
        return Trouble("unknown command '" + first + "'; see vosk-setup --help");
    }
    Parsed parsed;
    std::string error;
    if (!ParseOptions({words.begin() + 1, words.end()}, command->options, parsed, error)) {
        return Trouble(first + ": " + error + "; see vosk-setup help " + first);
    }
    if (parsed.Has("help")) {
        return CommandHelp(*command);
    }
    const std::size_t count = parsed.operands.size();
    if (count < command->minOperands || count > command->maxOperands) {
        return Trouble(first + ": too " + (count < command->minOperands ? "few" : "many") +
                       " arguments; usage: vosk-setup " + command->usage);
    }
    return command->run(parsed);
}

} // namespace

int main(int argc, char **argv) {
    int status = Run(std::vector<std::string>(argv + 1, argv + argc));
    // Output that could not be written (a full disk) is trouble too.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "vosk-setup: cannot write the output: %s\n", std::strerror(errno));
        status = 2;
    }
    return status;
}
