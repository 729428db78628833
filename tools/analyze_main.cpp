// curling-analyze: tools for looking at positions, one subcommand each.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "command_line/option_table.h"
#include "engine/linked_simulator.h"
#include "match/game/game_settings.h"
#include "match/reports/game_page.h"
#include "search/strong/position_evaluation.h"
#include "tools/analyze_commands.h"

namespace {

// The page of a game, from its record, with the graph of the learned chances
// of winning; here because it needs the match's records, which the tools'
// folder may not use.
int RunViewCommand(const std::string& record, std::string page) {
  if (page.empty()) page = match::reports::GamePagePath(record);
  std::string error;
  if (!match::reports::WriteGamePage(record, page, error, search::strong::LearnedHammerWinChance)) {
    std::fprintf(stderr, "curling-analyze view: %s\n", error.c_str());
    return 1;
  }
  std::printf("%s\n", page.c_str());
  return 0;
}

// What the subcommands' options are read into.
struct Arguments {
  tools::PlayOptions play;
  tools::EvaluateOptions evaluate;
  std::string directory;             // picture
  std::vector<std::string> records;  // view
  std::string page;                  // view
};

// The game around the positions: ends from 0 to the record's last index.
constexpr int kLastEndIndex = 9;  // a game records ten end scores
constexpr int kLargestLead = 99;

// Each subcommand's table of options.
command_line::OptionTable SubcommandTable(std::string_view name, Arguments& arguments) {
  command_line::OptionTable table;
  if (name == "play") {
    tools::PlayOptions& play = arguments.play;
    table.options = {command_line::RealNumber("--noise", "N", {0.0, match::game::kMaxNoise},
                                              play.noise, "execution error of every shot"),
                     command_line::WholeNumber("--seed", "S", 0, command_line::kLargestWholeNumber,
                                               play.seed, "seed of the execution error")
                         .Given(play.seedGiven)};
  } else if (name == "picture") {
    table.options = {
        command_line::Text("--out", "DIR", arguments.directory, "where to write the pictures")};
  } else if (name == "evaluate") {
    tools::EvaluateOptions& evaluate = arguments.evaluate;
    table.options = {
        command_line::WholeNumber("--end", "E", 0, kLastEndIndex, evaluate.end, "the end, from 0"),
        command_line::WholeNumber("--last-end", "L", 0, kLastEndIndex, evaluate.lastEnd,
                                  "the game's last regular end, from 0"),
        command_line::SignedWholeNumber(
            "--lead", "N", -kLargestLead, kLargestLead, evaluate.lead,
            "the points of the side with the hammer ahead before the end")};
  } else if (name == "view") {
    table.positionals = &arguments.records;
    table.positionalName = "RECORD";
    table.fewestPositionals = 1;
    table.mostPositionals = 1;
    table.options = {command_line::Text("--out", "FILE", arguments.page, "the page").Short("-o")};
  }
  return table;
}

struct Subcommand {
  const char* name;
  const char* summary;  // after the synopsis of its options
};

// A new subcommand is one more row here, its options in SubcommandTable and
// its Run function beside the others.
constexpr Subcommand kSubcommands[] = {
    {"candidates",
     "read positions from standard input, one a line (shot number, then x0 y0 ... x15 y15),\n"
     "and print each one's candidate shots as \"x y spin power\" lines, then an\n"
     "empty line; blank lines and lines starting with '#' are skipped"},
    {"play",
     "play shots read from standard input, one a line\n"
     "('draw x y spin', 'hit x y spin power', 'throw vx vy spin', or a\n"
     "position line to start from), printing each resulting position\n"
     "as a position line, with notes as '#' comment lines, so that the\n"
     "output is input for 'candidates' and 'picture'"},
    {"picture",
     "draw positions read from standard input (lines as for 'candidates') as\n"
     "SVG: the house, its lines, and the delivered stones numbered by shot, red\n"
     "for the side that delivered first in the end; one position to standard\n"
     "output, or each to DIR/position-LINE.svg"},
    {"evaluate",
     "evaluate positions read from standard input\n"
     "(lines as for 'candidates', shot number 0 to 16) in end E of a game whose\n"
     "last regular end is L (both from 0; by default 0 and 9), the side with\n"
     "the hammer (the odd slots) N points ahead before the end (default 0).\n"
     "Prints each position line, then as '#' comment lines: the chance of\n"
     "each end score from -5 to +5 for the side with the hammer, the expected\n"
     "score, and each side's chance of winning from the learned value and\n"
     "from the standing table (a draw counts half)"},
    {"view",
     "write the page of a game record (game-NNN.jsonl): one HTML file\n"
     "that steps through the game and plays each delivery; by default\n"
     "beside the record, with .html for .jsonl"},
};

void PrintUsage(std::FILE* stream) {
  std::fprintf(stream, "usage: curling-analyze <subcommand>\n\nsubcommands:\n");
  for (const Subcommand& subcommand : kSubcommands) {
    Arguments unused;
    const std::string synopsis = command_line::Synopsis(SubcommandTable(subcommand.name, unused));
    std::string summary = (synopsis.empty() ? "" : synopsis + ": ") + subcommand.summary;
    for (size_t at = summary.find('\n'); at != std::string::npos; at = summary.find('\n', at)) {
      summary.insert(at + 1, 14, ' ');
      at += 15;
    }
    std::fprintf(stream, "  %-11s %s\n", subcommand.name, summary.c_str());
  }
}

int Run(int argc, char** argv) {
  const std::string name = argc > 1 ? argv[1] : "";
  if (name == "--help" || name == "-h") {
    PrintUsage(stdout);
    return 0;
  }
  const auto known = [&name](const Subcommand& subcommand) { return name == subcommand.name; };
  if (std::none_of(std::begin(kSubcommands), std::end(kSubcommands), known)) {
    if (name.empty()) {
      std::fprintf(stderr, "curling-analyze: a subcommand is required\n\n");
    } else {
      std::fprintf(stderr, "curling-analyze: unknown %s '%s'\n\n",
                   name[0] == '-' ? "argument" : "subcommand", name.c_str());
    }
    PrintUsage(stderr);
    return 2;
  }
  Arguments arguments;
  command_line::ParsedCommandLine parsed;
  std::string error;
  if (!command_line::ParseCommandLine(SubcommandTable(name, arguments), argc - 2, argv + 2, parsed,
                                      error)) {
    std::fprintf(stderr, "curling-analyze %s: %s\n", name.c_str(), error.c_str());
    return 2;
  }
  if (parsed.help) {
    PrintUsage(stdout);
    return 0;
  }
  if (name == "candidates") return tools::RunCandidatesCommand();
  if (name == "play") return tools::RunPlayCommand(arguments.play);
  if (name == "evaluate") {
    const tools::EvaluateOptions& options = arguments.evaluate;
    // An extra end is played only from a tied score.
    if (options.end > options.lastEnd && options.lead != 0) {
      std::fprintf(stderr,
                   "curling-analyze evaluate: end %d is an extra end, played only from a tied "
                   "score: --lead must be 0\n",
                   options.end);
      return 2;
    }
    return tools::RunEvaluateCommand(options);
  }
  if (name == "view") return RunViewCommand(arguments.records.front(), arguments.page);
  return tools::RunPictureCommand(arguments.directory);
}

}  // namespace

int main(int argc, char** argv) {
  // Only running out of memory gets here: the command line's own faults are
  // answered in Run.
  // The evaluation reaches the physics as the searches do.
  engine::BindLinkedSimulator();
  try {
    return Run(argc, argv);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "curling-analyze: %s\n", failure.what());
    return 1;
  }
}
