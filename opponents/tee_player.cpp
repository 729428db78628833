#include "opponents/tee_player.h"

#include "engine/library_binding.h"

ShotVec TeePlayer::Decide(const GameState&, uint64_t) {
  ShotVec shot{};
  createShot(TeeTarget(0), &shot);
  return shot;
}
