// One delivery: the stone released with execution error, every stone moved
// to rest, the rules applied, and the end closed after its sixteenth stone.
#include "simulator/delivery.h"

#include <algorithm>
#include <cmath>

#include "simulator/execution_error.h"
#include "simulator/rules.h"
#include "simulator/sheet.h"
#include "simulator/sweep.h"

namespace sim {
namespace {

// Far beyond any human release (a hard peel is about 4 m/s); a faster
// velocity is taken at this speed in its own direction.
constexpr double kReleaseSpeedCap = 12.0;

Vec2 ClampSpeed(Vec2 v) {
  const double speed = Norm(v);
  return speed > kReleaseSpeedCap ? v * (kReleaseSpeedCap / speed) : v;
}

StonePos ToStonePos(Vec2 p) {
  return {static_cast<float>(p.x), static_cast<float>(p.y)};
}

// Scores the end whose sixteenth stone has just come to rest, and sets up the
// next: every stone off the sheet, and the side that scored to deliver first
// (after a blank end the order stays).
void CloseEnd(GameState& state) {
  const int score = ScorePosition(state);  // shotNumber is 16 here
  if (state.currentEnd >= 0 && state.currentEnd < 10) state.endScores[state.currentEnd] = score;
  state.currentEnd = static_cast<int32_t>(static_cast<uint32_t>(state.currentEnd) + 1u);
  state.shotNumber = 0;
  for (StonePos& stone : state.stones) stone = {0.0f, 0.0f};
  // turnFlag already names the side of shot 16, which has the parity of shot 0.
  if (score > 0) state.turnFlag = 0;
  if (score < 0) state.turnFlag = 1;
}

int SimulateValidShot(GameState& state, ShotVec shot, float noise, SimulationReport* report,
                      SweepTrace* trace) {
  const int shooter = state.shotNumber;
  const uint8_t turnFlag = state.turnFlag != 0 ? 1 : 0;
  const bool shooterIsFirstSide = turnFlag == 0;

  Stone stones[16];
  bool guarded[16] = {};
  for (int i = 0; i < shooter; ++i) {
    const StonePos p = state.stones[i];
    if (!IsPlayablePosition(p)) {
      stones[i] = RestingStone({0.0, 0.0});
      stones[i].state = StoneState::kOut;
      continue;
    }
    stones[i] = RestingStone({p.x, p.y});
    // The first four stones of an end may not remove an opponent's guard.
    guarded[i] = shooter < 4 && SlotOfFirstSide(i, shooter, turnFlag) != shooterIsFirstSide &&
                 InFreeGuardZone(stones[i].position);
  }
  // Only the first stones of an end can be guarded, and only then is there
  // anything that may have to be put back.
  const bool anyGuarded = std::find(guarded, guarded + shooter, true) != guarded + shooter;
  Stone before[16];
  if (anyGuarded) std::copy(stones, stones + shooter, before);
  const Vec2 release = ClampSpeed(PerturbRelease({shot.vx, shot.vy}, noise));
  if (report != nullptr) {
    report->executedVx = release.x;
    report->executedVy = release.y;
  }
  const Curl curl = shot.spin == 0 ? Curl::kPositive : Curl::kNegative;
  stones[shooter] = MovingStone({kReleaseX, kReleaseY}, release, curl);

  const SweepResult sweep = RunToRest(stones, shooter + 1, shooter, trace);

  Stone& delivered = stones[shooter];
  if (delivered.state != StoneState::kOut && !FullyPastFarHog(delivered.position) &&
      !sweep.shooterTouchedStone) {
    delivered.state = StoneState::kOut;
  }
  bool violation = false;
  for (int i = 0; i < shooter && anyGuarded; ++i) {
    violation = violation || (guarded[i] && stones[i].state == StoneState::kOut);
  }
  if (violation) {
    // The delivered stone is removed and every displaced stone put back.
    std::copy(before, before + shooter, stones);
    delivered.state = StoneState::kOut;
  }
  for (int i = 0; i <= shooter; ++i) {
    state.stones[i] =
        stones[i].state == StoneState::kOut ? StonePos{0.0f, 0.0f} : ToStonePos(stones[i].position);
  }
  state.shotNumber = shooter + 1;
  state.turnFlag = turnFlag ^ 1;
  if (report != nullptr) report->after = state;
  if (state.shotNumber == 16) CloseEnd(state);
  return kSimOk;
}

}  // namespace

int SimulateShot(GameState* state, ShotVec shot, float noise, SimulationReport* report,
                 SweepTrace* trace) {
  if (state == nullptr) return kSimNullPointer;
  if (!std::isfinite(shot.vx) || !std::isfinite(shot.vy) || !std::isfinite(noise)) {
    return kSimNonFiniteInput;
  }
  if (noise < 0.0f) return kSimNegativeNoise;
  if (state->shotNumber < 0 || state->shotNumber > 15) return kSimShotNumberOutOfRange;
  return SimulateValidShot(*state, shot, noise, report, trace);
}

}  // namespace sim
