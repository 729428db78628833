#include "opponents/opponent_options.h"

#include <cstdio>
#include <string>

#include "command_line/option_table.h"
#include "engine/command_loop.h"
#include "search/search_settings.h"

int RunOpponent(int argc, char** argv, const char* name, const char* about,
                const OpponentMaker& make) {
  OpponentSeed seed;
  OptionTable table;
  table.helpColumn = 13;
  table.options = {WholeNumber("--seed", "N", 0, kLargestWholeNumber, seed.value,
                               "seed of every random choice: the same position gives the\n"
                               "same shot (default: fresh seeds)")
                       .Given(seed.given)};
  ParsedCommandLine parsed;
  std::string error;
  if (!ParseCommandLine(table, argc - 1, argv + 1, parsed, error)) {
    std::fprintf(stderr, "%s: %s\n", name, error.c_str());
    return 2;
  }
  if (parsed.help) {
    std::printf("usage: %s %s\n\n%s\n\noptions:\n%s", name, Synopsis(table).c_str(), about,
                OptionsHelp(table).c_str());
    return 0;
  }
  // Offered the player's time; they decide at once.
  const std::unique_ptr<Player> player = make(seed);
  return CommandLoop(*player, kDefaultDecisionMs);
}
