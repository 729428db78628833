#include "match/end_position.h"

#include "simulator/rules.h"
#include "simulator/sheet.h"
#include "simulator/stone.h"
#include "simulator/sweep.h"

namespace {

// The library takes a release faster than this at this speed in its own
// direction (docs/physics.md).
constexpr double kLibraryReleaseLimit = 12.0;

sim::Vec2 LimitSpeed(sim::Vec2 v) {
  const double speed = sim::Norm(v);
  return speed > kLibraryReleaseLimit ? v * (kLibraryReleaseLimit / speed) : v;
}

}  // namespace

GameState DeliverWithoutClosing(const GameState& before, sim::Vec2 release, uint8_t spin) {
  GameState after = before;
  const int shooter = before.shotNumber;
  sim::Stone stones[16];
  for (int i = 0; i < shooter; ++i) {
    const StonePos p = before.stones[i];
    if (sim::IsPlayablePosition(p)) {
      stones[i] = sim::RestingStone({p.x, p.y});
    } else {
      stones[i] = sim::RestingStone({0.0, 0.0});
      stones[i].state = sim::StoneState::kOut;
    }
  }
  const sim::Curl curl = spin == 0 ? sim::Curl::kPositive : sim::Curl::kNegative;
  stones[shooter] = sim::MovingStone({sim::kReleaseX, sim::kReleaseY}, LimitSpeed(release), curl);
  const sim::SweepResult sweep = sim::RunToRest(stones, shooter + 1, shooter);
  sim::Stone& delivered = stones[shooter];
  if (delivered.state != sim::StoneState::kOut && !sim::FullyPastFarHog(delivered.position) &&
      !sweep.shooterTouchedStone) {
    delivered.state = sim::StoneState::kOut;
  }
  for (int i = 0; i <= shooter; ++i) {
    after.stones[i] = stones[i].state == sim::StoneState::kOut
                          ? StonePos{0.0f, 0.0f}
                          : StonePos{static_cast<float>(stones[i].position.x),
                                     static_cast<float>(stones[i].position.y)};
  }
  after.shotNumber = shooter + 1;
  after.turnFlag = before.turnFlag != 0 ? 0 : 1;
  return after;
}
