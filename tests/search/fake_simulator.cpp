#include "tests/search/fake_simulator.h"

#include "engine/library_binding.h"

std::atomic<uint64_t> fakeDeliveries{0};
std::atomic<int32_t> fakeEndScore{0};

namespace {

int FakeSimulation(GameState* state, ShotVec shot, float, int32_t, int32_t) {
  ++fakeDeliveries;
  // Touch every field, the padding included, so that a restore that misses
  // any byte shows.
  const auto slot = static_cast<uint32_t>(state->shotNumber) % 16;
  state->stones[slot] = StonePos{shot.vx, shot.vy};
  state->lastEnd += 1000;
  state->turnFlag ^= 1;
  for (uint8_t& byte : state->padding) byte ^= 0x5A;
  state->shotNumber += 1;
  if (state->shotNumber == 16) {
    if (state->currentEnd >= 0 && state->currentEnd < 10) {
      state->endScores[state->currentEnd] = fakeEndScore;
    }
    state->currentEnd += 1;
    state->shotNumber = 0;
  }
  return 0;
}

// Targets become velocities that a test can trace back.
int FakeDraw(ShotPos target, ShotVec* shot) {
  *shot = ShotVec{target.x, target.y, target.spin, {0, 0, 0}};
  return 0;
}

int FakeHit(ShotPos target, float power, ShotVec* shot) {
  *shot = ShotVec{target.x + power, target.y, target.spin, {0, 0, 0}};
  return 0;
}

int FakeScore(const GameState*) {
  return 0;
}

}  // namespace

void UseFakeSimulator() {
  simulation = FakeSimulation;
  createShot = FakeDraw;
  createHitShot = FakeHit;
  getScore = FakeScore;
  fakeDeliveries = 0;
  fakeEndScore = 0;
}
