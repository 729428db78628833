#include "python/named_player.h"

#include <vector>

#include "opponents/greedy_player.h"
#include "opponents/random_player.h"
#include "opponents/tee_player.h"
#include "search/engine_options.h"
#include "search/search_choice.h"

namespace python {

namespace {

// Reads the engine's options with `extra` after the search; false with the
// parser's message.
bool ReadEngineOptions(const std::string& search, const std::vector<std::string>& extra,
                       search::EngineOptions& options, std::string& error) {
  std::vector<std::string> words = {"--search", search};
  words.insert(words.end(), extra.begin(), extra.end());
  std::vector<const char*> argv;
  argv.reserve(words.size());
  for (const std::string& word : words) argv.push_back(word.c_str());
  return search::ParseEngineOptions(static_cast<int>(argv.size()), argv.data(),
                                    search::SearchKind::kReference, options, error);
}

bool MakeSearch(const PlayerRequest& request, NamedPlayer& made, std::string& error) {
  struct Given {
    bool given;
    const char* argument;
    const char* option;
    uint64_t value;
  };
  const Given given[] = {{request.timeGiven, "time_ms", "--time-ms", request.timeMs},
                         {request.seedGiven, "seed", "--seed", request.seed},
                         {request.samplesGiven, "samples", "--samples", request.samples}};
  // Each option on its own first, so that a refusal names its argument.
  std::vector<std::string> all;
  search::EngineOptions options;
  for (const Given& option : given) {
    if (!option.given) continue;
    const std::vector<std::string> words = {option.option, std::to_string(option.value)};
    if (!ReadEngineOptions(request.name, words, options, error)) {
      error.insert(0, std::string(option.argument) + ": ");
      return false;
    }
    all.insert(all.end(), words.begin(), words.end());
  }
  if (!ReadEngineOptions(request.name, all, options, error)) return false;
  search::ChosenPlayer chosen = search::ChoosePlayer(options);
  made.player = std::move(chosen.player);
  made.decisionMs = chosen.decisionMs;
  return true;
}

}  // namespace

bool MakeNamedPlayer(const PlayerRequest& request, NamedPlayer& made, std::string& error) {
  made = NamedPlayer{};
  if (request.name == "reference" || request.name == "strong") {
    return MakeSearch(request, made, error);
  }
  if (request.name != "greedy" && request.name != "random" && request.name != "tee") {
    error = "name: '" + request.name + "' is none of reference, strong, greedy, random, tee";
    return false;
  }
  if (request.timeGiven || request.samplesGiven) {
    error = std::string(request.timeGiven ? "time_ms" : "samples") + ": the " + request.name +
            " player takes no " + (request.timeGiven ? "time" : "sample budget");
    return false;
  }
  const opponents::OpponentSeed seed{request.seedGiven, request.seed};
  if (request.name == "greedy") {
    made.player = std::make_unique<opponents::GreedyPlayer>(seed);
  } else if (request.name == "random") {
    made.player = std::make_unique<opponents::RandomPlayer>(seed);
  } else {
    if (request.seedGiven) {
      error = "seed: the tee player draws nothing at random";
      return false;
    }
    made.player = std::make_unique<opponents::TeePlayer>();
  }
  return true;
}

}  // namespace python
