#include "search/one_ply_pick.h"

#include "candidates/candidates.h"
#include "engine/game_state.h"
#include "engine/library_binding.h"
#include "search/simulate_shot.h"

namespace search {

namespace {

// The end's score for the side about to deliver, as it stands after one
// noisy execution of `shot`.
int ScoreAfter(const GameState& position, const ShotVec& shot) {
  // turnFlag 0: side A delivers, and scores are counted for side A.
  const bool sideA = position.turnFlag == 0;
  GameState trial = position;
  SimulateShot(trial, shot);
  // The last stone closes the end: its score is booked and the sheet cleared.
  if (trial.shotNumber == 0 && position.shotNumber == 15)
    return engine::ClosedEndScore(trial, sideA);
  return sideA ? getScore(&trial) : -getScore(&trial);
}

}  // namespace

ShotVec OnePlyPick(const GameState& position, std::vector<candidates::ShotCandidate>& scratch) {
  scratch.resize(static_cast<size_t>(candidates::kCandidateCapacity));
  int count = 0;
  {
    // The generator reads the calling thread's record.
    const engine::GameRecordHeld held(position);
    count = candidates::GenerateCandidates(scratch.data());
  }
  ShotVec best{};
  int bestTotal = 0;
  for (int i = 0; i < count; ++i) {
    ShotVec shot{};
    candidates::MakeCandidateShot(scratch[static_cast<size_t>(i)], &shot);
    int total = 0;
    for (int trial = 0; trial < kOnePlyTrials; ++trial) total += ScoreAfter(position, shot);
    if (i == 0 || total > bestTotal) {
      best = shot;
      bestTotal = total;
    }
  }
  return best;
}

}  // namespace search
