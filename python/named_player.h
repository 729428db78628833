// The players of the Python module by name: the two searches as curling-engine
// makes them from the same options, and the opponents' players.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/player.h"

namespace python {

struct PlayerRequest {
  std::string name;  // reference, strong, greedy, random or tee
  bool timeGiven = false;
  uint64_t timeMs = 0;
  bool seedGiven = false;
  uint64_t seed = 0;
  bool samplesGiven = false;
  uint64_t samples = 0;
};

struct NamedPlayer {
  std::unique_ptr<engine::Player> player;
  uint64_t decisionMs = 0;  // the time each decision is given
};

// The player asked for. The searches read their options with the engine's own
// parser, so that a seed, a time and a sample budget mean what they mean to
// curling-engine. False with what is wrong, naming the argument
// (name, time_ms, seed or samples).
bool MakeNamedPlayer(const PlayerRequest& request, NamedPlayer& made, std::string& error);

}  // namespace python
