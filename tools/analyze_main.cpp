// curling-analyze: tools for looking at positions, one subcommand each.
#include <cstdio>
#include <cstring>

#include "tools/analyze_commands.h"

namespace {

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
