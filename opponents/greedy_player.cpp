#include "opponents/greedy_player.h"

#include "engine/library_binding.h"
#include "search/one_ply_pick.h"

namespace opponents {

GreedyPlayer::GreedyPlayer(const OpponentSeed& seed) : seed_(seed) {}

ShotVec GreedyPlayer::Decide(const GameState& state, uint64_t) {
  // The trials draw their execution error from the seed and the position.
  if (seed_.given && seedSimulator != nullptr) seedSimulator(DecisionSeed(seed_, state));
  return search::OnePlyPick(state, candidates_);
}

}  // namespace opponents
