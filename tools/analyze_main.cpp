// curling-analyze: tools for looking at positions, one subcommand each.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include <CLI/CLI.hpp>

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
  if (page.empty()) page = GamePagePath(record);
  std::string error;
  if (!WriteGamePage(record, page, error, LearnedHammerWinChance)) {
    std::fprintf(stderr, "curling-analyze view: %s\n", error.c_str());
    return 1;
  }
  std::printf("%s\n", page.c_str());
  return 0;
}

struct Subcommand {
  const char* name;
  const char* summary;
};

// A new subcommand is one more row here, its options in main and its Run
// function beside the others.
constexpr Subcommand kSubcommands[] = {
    {"candidates",
     "read positions from standard input, one a line (shot number, then x0 y0 ... x15 y15),\n"
     "              and print each one's candidate shots as \"x y spin power\" lines, then an\n"
     "              empty line; blank lines and lines starting with '#' are skipped"},
    {"play",
     "[--noise N] [--seed S]: play shots read from standard input, one a line\n"
     "              ('draw x y spin', 'hit x y spin power', 'throw vx vy spin', or a\n"
     "              position line to start from), printing each resulting position\n"
     "              as a position line, with notes as '#' comment lines, so that the\n"
     "              output is input for 'candidates' and 'picture'"},
    {"picture",
     "[--out DIR]: draw positions read from standard input (lines as for 'candidates') as\n"
     "              SVG: the house, its lines, and the delivered stones numbered by shot, red\n"
     "              for the side that delivered first in the end; one position to standard\n"
     "              output, or each to DIR/position-LINE.svg"},
    {"evaluate",
     "[--end E] [--last-end L] [--lead N]: evaluate positions read from standard input\n"
     "              (lines as for 'candidates', shot number 0 to 16) in end E of a game whose\n"
     "              last regular end is L (both from 0; by default 0 and 9), the side with\n"
     "              the hammer (the odd slots) N points ahead before the end (default 0).\n"
     "              Prints each position line, then as '#' comment lines: the chance of\n"
     "              each end score from -5 to +5 for the side with the hammer, the expected\n"
     "              score, and each side's chance of winning from the learned value and\n"
     "              from the standing table (a draw counts half)"},
    {"view",
     "RECORD [-o FILE]: write the page of a game record (game-NNN.jsonl): one HTML file\n"
     "              that steps through the game and plays each delivery; by default\n"
     "              beside the record, with .html for .jsonl"},
};

void PrintUsage(std::FILE* stream) {
  std::fprintf(stream, "usage: curling-analyze <subcommand>\n\nsubcommands:\n");
  for (const Subcommand& subcommand : kSubcommands) {
    std::fprintf(stream, "  %-11s %s\n", subcommand.name, subcommand.summary);
  }
}

// A whole number in base 10 from `lowest` to `highest`, for `option`.
std::string ReadWholeOption(const std::string& text, const char* option, int lowest, int highest,
                            int& value) {
  char* end = nullptr;
  errno = 0;
  const long read = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno != 0 || read < lowest || read > highest) {
    return "invalid value '" + text + "' for " + option + " (a whole number from " +
           std::to_string(lowest) + " to " + std::to_string(highest) + ")";
  }
  value = static_cast<int>(read);
  return "";
}

// The game around the positions: ends from 0 to the record's last index, and
// an extra end only from a tied score.
std::string ReadEvaluateOptions(const std::string& end, const std::string& lastEnd,
                                const std::string& lead, EvaluateOptions& options) {
  constexpr int kLastEndIndex = 9;  // a game records ten end scores
  constexpr int kLargestLead = 99;
  std::string error;
  if (!end.empty()) error = ReadWholeOption(end, "--end", 0, kLastEndIndex, options.end);
  if (error.empty() && !lastEnd.empty()) {
    error = ReadWholeOption(lastEnd, "--last-end", 0, kLastEndIndex, options.lastEnd);
  }
  if (error.empty() && !lead.empty()) {
    error = ReadWholeOption(lead, "--lead", -kLargestLead, kLargestLead, options.lead);
  }
  if (error.empty() && options.end > options.lastEnd && options.lead != 0) {
    error = "end " + std::to_string(options.end) + " is an extra end, played only from a tied " +
            "score: --lead must be 0";
  }
  return error;
}

// The execution error's scale: from 0 to kMaxNoise, as for every program.
std::string ReadNoise(const std::string& text, float& noise) {
  char* end = nullptr;
  noise = std::strtof(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !(noise >= 0.0f) || noise > kMaxNoise) {
    char range[32];
    std::snprintf(range, sizeof range, "0 to %g", static_cast<double>(kMaxNoise));
    return "invalid value '" + text + "' for --noise (" + range + ")";
  }
  return "";
}

// A seed in base 10, from 0 to 2^64-1.
std::string ReadSeed(const std::string& text, uint64_t& seed) {
  char* end = nullptr;
  errno = 0;
  seed = std::strtoull(text.c_str(), &end, 10);
  if (text.empty() || text[0] < '0' || text[0] > '9' || *end != '\0' || errno != 0) {
    return "invalid value '" + text + "' for --seed (a whole number from 0 to 2^64-1)";
  }
  return "";
}

int Run(int argc, char** argv) {
  CLI::App app("", "curling-analyze");
  app.set_help_flag("-h,--help");
  app.require_subcommand(1);
  CLI::App* candidates = app.add_subcommand("candidates");
  CLI::App* play = app.add_subcommand("play");
  // Values are read as given and checked here, in base 10.
  std::string noise;
  std::string seed;
  CLI::Option* noiseOption = play->add_option("--noise", noise)->type_name("N");
  CLI::Option* seedOption = play->add_option("--seed", seed)->type_name("S");
  CLI::App* picture = app.add_subcommand("picture");
  std::string directory;
  picture->add_option("--out", directory)->type_name("DIR");
  CLI::App* evaluate = app.add_subcommand("evaluate");
  std::string end;
  std::string lastEnd;
  std::string lead;
  evaluate->add_option("--end", end)->type_name("E");
  evaluate->add_option("--last-end", lastEnd)->type_name("L");
  evaluate->add_option("--lead", lead)->type_name("N");
  CLI::App* view = app.add_subcommand("view");
  std::string record;
  std::string page;
  view->add_option("record", record)->type_name("RECORD")->required();
  view->add_option("-o,--out", page)->type_name("FILE");
  for (CLI::App* subcommand : {candidates, play, picture, evaluate, view}) {
    subcommand->set_help_flag("-h,--help");
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    PrintUsage(stdout);
    return 0;
  } catch (const CLI::ParseError& failure) {
    // A word where the subcommand goes that names none.
    const bool unknown = argc > 1 && argv[1][0] != '-' && app.get_subcommands().empty();
    if (unknown) {
      std::fprintf(stderr, "curling-analyze: unknown subcommand '%s'\n\n", argv[1]);
    } else {
      std::fprintf(stderr, "curling-analyze: %s\n\n", failure.what());
    }
    PrintUsage(stderr);
    return 2;
  }
  if (candidates->parsed()) return RunCandidatesCommand();
  if (play->parsed()) {
    PlayOptions options;
    options.seedGiven = seedOption->count() > 0;
    std::string error;
    if (noiseOption->count() > 0) error = ReadNoise(noise, options.noise);
    if (error.empty() && options.seedGiven) error = ReadSeed(seed, options.seed);
    if (!error.empty()) {
      std::fprintf(stderr, "curling-analyze play: %s\n", error.c_str());
      return 2;
    }
    return RunPlayCommand(options);
  }
  if (evaluate->parsed()) {
    EvaluateOptions options;
    const std::string error = ReadEvaluateOptions(end, lastEnd, lead, options);
    if (!error.empty()) {
      std::fprintf(stderr, "curling-analyze evaluate: %s\n", error.c_str());
      return 2;
    }
    return RunEvaluateCommand(options);
  }
  if (view->parsed()) return RunViewCommand(record, page);
  return RunPictureCommand(directory);
}

}  // namespace

int main(int argc, char** argv) {
  // Only running out of memory gets here: the command line's own faults are
  // answered in Run.
  // The evaluation reaches the physics as the searches do.
  BindLinkedSimulator();
  try {
    return Run(argc, argv);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "curling-analyze: %s\n", failure.what());
    return 1;
  }
}
