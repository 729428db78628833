// The stronger search: one search over the whole time budget. Every candidate
// shot of the position is sampled with execution error and valued by what
// its end is worth for the game; rounds of successive halving move the
// samples to the contenders. Samples of the same index share their random
// numbers across candidates, so that candidates are compared on equal luck.
// At the end's last stone a sample's value is exact; at the stone before,
// the opponent answers with its best reply; earlier, a few stones of the best
// replies follow and the end is valued as it then stands.
#pragma once

#include <cstdint>
#include <vector>

#include "candidates/shot_candidate.h"
#include "engine/player.h"
#include "search/strong/game_value.h"
#include "search/strong/position_judge.h"
#include "search/strong/strong_settings.h"
#include "simulator/curling_api.h"

namespace search::strong {

// What a search did, for tests and tuning.
struct StrongReport {
  int candidates;       // shots considered
  uint64_t samples;     // samples over all candidates
  int rounds;           // rounds begun
  int chosen;           // index of the answer among the candidates
  double value;         // its mean value: the chance of winning the game
  bool stoppedByClock;  // the time ran out before the samples did
};

// Searches `position` for the side about to deliver, whose lead in the game
// before this end is `lead`, starting the clock at `startMs` (a reading of
// settings.readClockMs). Leaves the calling thread's game record as it was;
// `report` may be null.
ShotVec SearchStrong(const GameState& position, int lead, const StrongSettings& settings,
                     uint64_t startMs, StrongReport* report);

// The search's parts, for measuring its choices against each other's:
//
// the shots it considers in `position`: the candidate list thinned, and the
// throw through the house;
std::vector<ShotVec> StrongCandidateShots(const GameState& position);
// how it judges positions for the side about to deliver in `position`, `lead`
// points ahead before the end;
PositionJudge StrongJudge(const GameState& position, int lead, Evaluation evaluation);
// what a sample is worth once its candidate has left `after`: exactly when
// the end has closed; at the end's last stone by the opponent's best reply,
// each judged on `lastStoneTrials` executions; earlier by a line of replies.
// Draws from the calling thread's execution error.
double ValueAfterDelivery(const GameState& after, const PositionJudge& judge, int lastStoneTrials);

// The stronger search as a player. The protocol sends no score: the lead
// comes from what the earlier decisions of the game saw (InferLead), which
// the player keeps until NEWGAME says a new game begins; without NEWGAME,
// InferLead tells a new game by its position.
class StrongPlayer final : public engine::Player {
 public:
  explicit StrongPlayer(const StrongSettings& settings = ShippedStrongSettings())
      : settings_(settings) {}

  void NewGame() override { memory_ = ScoreMemory{}; }

  // Searches `state` with the player's settings and `timeMs` in place of
  // their time.
  ShotVec Decide(const GameState& state, uint64_t timeMs) override;

  // The next decision, and only it, knows its delivery's execution error:
  // the game draws it after seeding the simulator with `deliverySeed`
  // (StrongSettings::foresee). For measuring; a real game tells nobody.
  void ForeseeNextDelivery(uint64_t deliverySeed) {
    foreseeNext_ = true;
    foreseenSeed_ = deliverySeed;
  }

  const StrongSettings& Settings() const { return settings_; }
  // What the decisions of this game so far saw of its score.
  const ScoreMemory& Memory() const { return memory_; }

 private:
  StrongSettings settings_;
  ScoreMemory memory_;
  std::vector<candidates::ShotCandidate> onePlyScratch_;
  bool foreseeNext_ = false;
  uint64_t foreseenSeed_ = 0;
};

}  // namespace search::strong
