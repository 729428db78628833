// Tries every candidate shot of the position a few times with execution error
// and plays the one whose end would stand best for it right after the shot.
// No look-ahead: a yardstick between the random player and the search.
#pragma once

#include <vector>

#include "candidates/shot_candidate.h"
#include "engine/player.h"
#include "opponents/opponent_seed.h"

class GreedyPlayer final : public Player {
 public:
  // Without a seed, the trials draw from the thread's execution error as it
  // stands.
  explicit GreedyPlayer(const OpponentSeed& seed = OpponentSeed{});

  ShotVec Decide(const GameState& state, uint64_t timeMs) override;

 private:
  OpponentSeed seed_;
  std::vector<ShotCandidate> candidates_;
};
