// curling-opponent-greedy: an engine that tries every candidate shot of the
// position a few times with execution error and plays the one whose end
// would stand best for it right after the shot. No look-ahead: a yardstick
// between the random player and the search.
#include <vector>

#include "candidates/candidates.h"
#include "engine/game_state.h"
#include "engine/library_binding.h"
#include "engine/player.h"
#include "opponents/opponent_options.h"
#include "search/simulate_shot.h"

namespace {

constexpr int kTrials = 4;

// The end's score for the side about to deliver, as it stands after one
// noisy execution of `shot`.
int ScoreAfter(const GameState& position, const ShotVec& shot) {
  // turnFlag 0: side A delivers, and scores are counted for side A.
  const bool sideA = position.turnFlag == 0;
  GameState trial = position;
  SimulateShot(trial, shot);
  // The last stone closes the end: its score is booked and the sheet cleared.
  if (trial.shotNumber == 0 && position.shotNumber == 15) return ClosedEndScore(trial, sideA);
  return sideA ? getScore(&trial) : -getScore(&trial);
}

class GreedyPlayer final : public Player {
 public:
  ShotVec Decide(const GameState& state, uint64_t) override {
    // The trials draw their execution error from the seed and the position.
    if (opponentSeed.given && seedSimulator != nullptr) seedSimulator(DecisionSeed(state));
    int count = 0;
    {
      // The generator reads the calling thread's record.
      const GameRecordHeld held(state);
      count = GenerateCandidates(candidates_.data());
    }
    ShotVec best{};
    int bestTotal = 0;
    for (int i = 0; i < count; ++i) {
      ShotVec shot{};
      MakeCandidateShot(candidates_[static_cast<size_t>(i)], &shot);
      int total = 0;
      for (int trial = 0; trial < kTrials; ++trial) total += ScoreAfter(state, shot);
      if (i == 0 || total > bestTotal) {
        best = shot;
        bestTotal = total;
      }
    }
    return best;
  }

 private:
  std::vector<ShotCandidate> candidates_ = std::vector<ShotCandidate>(kCandidateCapacity);
};

}  // namespace

int main(int argc, char** argv) {
  GreedyPlayer player;
  return RunOpponent(argc, argv, "curling-opponent-greedy",
                     "Plays the candidate shot whose end stands best right after it.", player);
}
