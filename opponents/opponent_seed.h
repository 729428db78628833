// The seed an opponent's decisions draw from: with one, each decision is a
// function of the seed and the position. A member of each player, so that two
// players in one process draw apart.
#pragma once

#include <cstdint>

#include "search/seed_mix.h"
#include "simulator/curling_api.h"

namespace opponents {

struct OpponentSeed {
  bool given = false;
  uint64_t value = 0;
};

// The seed of one decision on `position`: the same seed and position give the
// same value. Only meaningful when `seed.given`.
inline uint64_t DecisionSeed(const OpponentSeed& seed, const GameState& position) {
  return search::MixSeed(seed.value, search::HashPosition(position));
}

}  // namespace opponents
