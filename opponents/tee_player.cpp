#include "opponents/tee_player.h"

#include "engine/library_binding.h"

namespace opponents {

ShotVec TeePlayer::Decide(const GameState&, uint64_t) {
  ShotVec shot{};
  createShot(engine::TeeTarget(0), &shot);
  return shot;
}

}  // namespace opponents
