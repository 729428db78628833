// Which search decides the player's shots, set up from the command line.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/player.h"
#include "search/engine_options.h"

namespace search {

// The player the command line chose, with its seed (and sample budget), and
// the time each decision may take, for the command loop.
struct ChosenPlayer {
  std::unique_ptr<engine::Player> player;
  uint64_t decisionMs;
};

ChosenPlayer ChoosePlayer(const EngineOptions& options);

}  // namespace search
