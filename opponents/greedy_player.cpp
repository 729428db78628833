#include "opponents/greedy_player.h"

#include "candidates/candidates.h"
#include "engine/game_state.h"
#include "engine/library_binding.h"
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

}  // namespace

GreedyPlayer::GreedyPlayer(const OpponentSeed& seed)
    : seed_(seed), candidates_(static_cast<size_t>(kCandidateCapacity)) {}

ShotVec GreedyPlayer::Decide(const GameState& state, uint64_t) {
  // The trials draw their execution error from the seed and the position.
  if (seed_.given && seedSimulator != nullptr) seedSimulator(DecisionSeed(seed_, state));
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
