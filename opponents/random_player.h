// Plays a candidate shot of the position picked uniformly at random.
#pragma once

#include <random>
#include <vector>

#include "candidates/shot_candidate.h"
#include "engine/player.h"
#include "opponents/opponent_seed.h"

namespace opponents {

class RandomPlayer final : public engine::Player {
 public:
  // Without a seed, the picks follow one generator seeded afresh.
  explicit RandomPlayer(const OpponentSeed& seed = OpponentSeed{});

  ShotVec Decide(const GameState& state, uint64_t timeMs) override;

 private:
  OpponentSeed seed_;
  std::mt19937 generator_;
  std::vector<candidates::ShotCandidate> candidates_;
};

}  // namespace opponents
