#include "opponents/opponent_options.h"

#include <cstdio>
#include <string>

#include "command_line/option_table.h"
#include "engine/command_loop.h"
#include "search/search_settings.h"

namespace opponents {

int RunOpponent(int argc, char** argv, const char* name, const char* about,
                const OpponentMaker& make) {
  OpponentSeed seed;
  command_line::OptionTable table;
  table.helpColumn = 13;
  table.options = {
      command_line::WholeNumber("--seed", "N", 0, command_line::kLargestWholeNumber, seed.value,
                                "seed of every random choice: the same position gives the\n"
                                "same shot (default: fresh seeds)")
          .Given(seed.given)};
  command_line::ParsedCommandLine parsed;
  std::string error;
  if (!command_line::ParseCommandLine(table, argc - 1, argv + 1, parsed, error)) {
    std::fprintf(stderr, "%s: %s\n", name, error.c_str());
    return 2;
  }
  if (parsed.help) {
    std::printf("usage: %s %s\n\n%s\n\noptions:\n%s", name, command_line::Synopsis(table).c_str(),
                about, command_line::OptionsHelp(table).c_str());
    return 0;
  }
  // Offered the player's time; they decide at once.
  const std::unique_ptr<engine::Player> player = make(seed);
  return engine::CommandLoop(*player, search::kDefaultDecisionMs);
}

}  // namespace opponents
