// curling-opponent-random: an engine that plays a candidate shot of the
// position picked uniformly at random.
#include <random>

#include "candidates/candidates.h"
#include "engine/game_state.h"
#include "engine/library_binding.h"
#include "engine/reply.h"
#include "opponents/opponent_options.h"

namespace {

void PlayRandomCandidate() {
  static std::mt19937 generator{std::random_device{}()};
  if (opponentSeed.given) generator.seed(static_cast<uint32_t>(DecisionSeed(gameState)));
  static ShotCandidate candidates[kCandidateCapacity];
  const int count = GenerateCandidates(candidates);
  std::uniform_int_distribution<int> pick(0, count - 1);
  ShotVec shot{};
  MakeCandidateShot(candidates[pick(generator)], &shot);
  WriteShotReply(shot);
}

}  // namespace

int main(int argc, char** argv) {
  return RunOpponent(argc, argv, "curling-opponent-random",
                     "Plays a candidate shot of the position picked at random.",
                     PlayRandomCandidate);
}
