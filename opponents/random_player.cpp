#include "opponents/random_player.h"

#include "candidates/candidates.h"
#include "engine/game_state.h"

namespace opponents {

RandomPlayer::RandomPlayer(const OpponentSeed& seed)
    : seed_(seed),
      generator_(std::random_device{}()),
      candidates_(static_cast<size_t>(candidates::kCandidateCapacity)) {}

ShotVec RandomPlayer::Decide(const GameState& state, uint64_t) {
  if (seed_.given) generator_.seed(static_cast<uint32_t>(DecisionSeed(seed_, state)));
  int count = 0;
  {
    // The generator reads the calling thread's record.
    const engine::GameRecordHeld held(state);
    count = candidates::GenerateCandidates(candidates_.data());
  }
  std::uniform_int_distribution<int> pick(0, count - 1);
  ShotVec shot{};
  candidates::MakeCandidateShot(candidates_[static_cast<size_t>(pick(generator_))], &shot);
  return shot;
}

}  // namespace opponents
