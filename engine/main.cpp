// curling-engine: the command loop, with the chosen search as its player.
#include <cstdio>
#include <string>

#include "engine/command_loop.h"
#include "search/engine_options.h"
#include "search/search_choice.h"

// curling-engine-strong is this program with the stronger search as its
// default, for servers that start engines without arguments.
#ifdef CURLING_STRONG_BY_DEFAULT
constexpr search::SearchKind kDefaultSearch = search::SearchKind::kStrong;
#else
constexpr search::SearchKind kDefaultSearch = search::SearchKind::kReference;
#endif

int main(int argc, char** argv) {
  std::string program = argc > 0 ? argv[0] : "curling-engine";
  // Windows gives the whole path, with either separator.
  program = program.substr(program.find_last_of("/\\") + 1);
  search::EngineOptions options;
  std::string error;
  if (!search::ParseEngineOptions(argc - 1, argv + 1, kDefaultSearch, options, error)) {
    std::fprintf(stderr, "%s: %s\n(%s --help shows the options)\n", program.c_str(), error.c_str(),
                 program.c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(search::EngineUsage(program, kDefaultSearch).c_str(), stdout);
    return 0;
  }
  const search::ChosenPlayer chosen = search::ChoosePlayer(options);
  return engine::CommandLoop(*chosen.player, chosen.decisionMs);
}
