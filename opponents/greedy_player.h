// Plays the one-ply pick (search/one_ply_pick.h): the candidate after which
// the end stands best, with no look-ahead. A yardstick between the random
// player and the searches.
#pragma once

#include <vector>

#include "candidates/shot_candidate.h"
#include "engine/player.h"
#include "opponents/opponent_seed.h"

namespace opponents {

class GreedyPlayer final : public engine::Player {
 public:
  // Without a seed, the trials draw from the thread's execution error as it
  // stands.
  explicit GreedyPlayer(const OpponentSeed& seed = OpponentSeed{});

  ShotVec Decide(const GameState& state, uint64_t timeMs) override;

 private:
  OpponentSeed seed_;
  std::vector<candidates::ShotCandidate> candidates_;
};

}  // namespace opponents
