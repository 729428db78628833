// Always draws to the tee, spin 0: the plainest legal play, for testing and
// as a floor of strength.
#pragma once

#include "engine/player.h"

namespace opponents {

class TeePlayer final : public engine::Player {
 public:
  ShotVec Decide(const GameState& state, uint64_t timeMs) override;
};

}  // namespace opponents
