// curling-analyze: tools for looking at positions, one subcommand each.
#include <cstdio>
#include <cstring>
#include <string>

#include "match/reports/game_page.h"
#include "tools/analyze_commands.h"

namespace {

// The page of a game, from its record; here because it needs the match's
// records, which the tools' folder may not use.
int RunViewCommand(int argc, char** argv) {
  std::string record;
  std::string page;
  for (int i = 0; i < argc; ++i) {
    if ((std::strcmp(argv[i], "-o") == 0 || std::strcmp(argv[i], "--out") == 0) && i + 1 < argc) {
      page = argv[++i];
    } else if (argv[i][0] != '-' && record.empty()) {
      record = argv[i];
    } else {
      record.clear();
      break;
    }
  }
  if (record.empty()) {
    std::fprintf(stderr, "usage: curling-analyze view RECORD [-o FILE]\n");
    return 2;
  }
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
  int (*run)(int argc, char** argv);
};

// A new subcommand is one more row here and its Run function beside the others.
constexpr Subcommand kSubcommands[] = {
    {"candidates",
     "read positions from standard input, one a line (shot number, then x0 y0 ... x15 y15),\n"
     "              and print each one's candidate shots as \"x y spin power\" lines, then an\n"
     "              empty line",
     RunCandidatesCommand},
    {"play",
     "[--noise N] [--seed S]: play shots read from standard input, one a line\n"
     "              ('draw x y spin', 'hit x y spin power', 'throw vx vy spin', or a\n"
     "              position line to start from), printing each resulting position",
     RunPlayCommand},
    {"picture",
     "[--out DIR]: draw positions read from standard input (lines as for 'candidates') as\n"
     "              SVG: the house, its lines, and the delivered stones numbered by shot, red\n"
     "              for the side that delivered first in the end; one position to standard\n"
     "              output, or each to DIR/position-LINE.svg",
     RunPictureCommand},
    {"view",
     "RECORD [-o FILE]: write the page of a game record (game-NNN.jsonl): one HTML file\n"
     "              that steps through the game and plays each delivery; by default\n"
     "              beside the record, with .html for .jsonl",
     RunViewCommand},
};

void PrintUsage(std::FILE* stream) {
  std::fprintf(stream, "usage: curling-analyze <subcommand>\n\nsubcommands:\n");
  for (const Subcommand& subcommand : kSubcommands) {
    std::fprintf(stream, "  %-11s %s\n", subcommand.name, subcommand.summary);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    PrintUsage(stderr);
    return 2;
  }
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    PrintUsage(stdout);
    return 0;
  }
  for (const Subcommand& subcommand : kSubcommands) {
    if (std::strcmp(argv[1], subcommand.name) == 0) return subcommand.run(argc - 2, argv + 2);
  }
  std::fprintf(stderr, "curling-analyze: unknown subcommand '%s'\n\n", argv[1]);
  PrintUsage(stderr);
  return 2;
}
