// curling-analyze: tools for looking at positions, one subcommand each.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include <CLI/CLI.hpp>

#include "match/reports/game_page.h"
#include "tools/analyze_commands.h"

namespace {

// The page of a game, from its record; here because it needs the match's
// records, which the tools' folder may not use.
int RunViewCommand(const std::string& record, std::string page) {
  if (page.empty()) page = GamePagePath(record);
  std::string error;
  if (!WriteGamePage(record, page, error)) {
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

// The execution error's scale: from 0 to 100.
std::string ReadNoise(const std::string& text, float& noise) {
  char* end = nullptr;
  noise = std::strtof(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !(noise >= 0.0f) || noise > 100.0f) {
    return "invalid value '" + text + "' for --noise (0 to 100)";
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
  CLI::App* view = app.add_subcommand("view");
  std::string record;
  std::string page;
  view->add_option("record", record)->type_name("RECORD")->required();
  view->add_option("-o,--out", page)->type_name("FILE");
  for (CLI::App* subcommand : {candidates, play, picture, view}) {
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
  if (view->parsed()) return RunViewCommand(record, page);
  return RunPictureCommand(directory);
}

}  // namespace

int main(int argc, char** argv) {
  // Only running out of memory gets here: the command line's own faults are
  // answered in Run.
  try {
    return Run(argc, argv);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "curling-analyze: %s\n", failure.what());
    return 1;
  }
}
