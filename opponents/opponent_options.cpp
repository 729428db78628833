#include "opponents/opponent_options.h"

#include <cstdio>
#include <string>

#include "engine/command_loop.h"
#include "search/engine_options.h"
#include "search/search_settings.h"

int RunOpponent(int argc, char** argv, const char* name, const char* about,
                const OpponentMaker& make) {
  OpponentSeed seed;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--help" || argument == "-h") {
      std::printf(
          "usage: %s [--seed N]\n\n%s\n\noptions:\n"
          "  --seed N   seed of every random choice: the same position gives the\n"
          "             same shot (default: fresh seeds)\n"
          "  --help     this text\n",
          name, about);
      return 0;
    }
    std::string value;
    if (argument == "--seed" && i + 1 < argc) {
      value = argv[++i];
    } else if (argument.rfind("--seed=", 0) == 0) {
      value = argument.substr(7);
    } else {
      std::fprintf(stderr, "%s: %s '%s'\n", name,
                   argument == "--seed" ? "missing value for" : "unknown argument",
                   argument.c_str());
      return 2;
    }
    if (!ReadUnsignedOption(value, seed.value)) {
      std::fprintf(stderr, "%s: invalid value '%s' for --seed (a whole number from 0 to 2^64-1)\n",
                   name, value.c_str());
      return 2;
    }
    seed.given = true;
  }
  // Offered the player's time; they decide at once.
  const std::unique_ptr<Player> player = make(seed);
  return CommandLoop(*player, kDefaultDecisionMs);
}
