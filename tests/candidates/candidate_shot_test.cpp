// MakeCandidateShot keeps the shots it has made; what it hands out must be
// exactly what the shot makers bound at the time give.
#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "candidates/shot_candidate.h"
#include "engine/library_binding.h"

using namespace candidates;

namespace {

int calls = 0;

// A draw and a hit whose shot names the whole candidate.
int NameDraw(ShotPos target, ShotVec* shot) {
  ++calls;
  *shot = ShotVec{target.x, target.y, target.spin, {0, 0, 0}};
  return 0;
}
int NameHit(ShotPos target, float power, ShotVec* shot) {
  *shot = ShotVec{target.x + 100.0f * power, target.y, target.spin, {0, 0, 0}};
  return 0;
}

// Fails the first time it is asked, leaving the shot as it was.
int FailOnceDraw(ShotPos target, ShotVec* shot) {
  if (++calls == 1) return kSimNonFiniteInput;
  *shot = ShotVec{target.y, target.x, target.spin, {0, 0, 0}};
  return 0;
}

// Every target, spin and weight of a grid, in a shuffled order: twice as many
// candidates as there are entries, so that they share entries.
std::vector<ShotCandidate> GridCandidates(uint32_t seed) {
  std::vector<ShotCandidate> candidates;
  for (int column = 0; column < 48; ++column) {
    for (int row = 0; row < 90; ++row) {
      const auto x = static_cast<float>(column * 0.1);
      const auto y = static_cast<float>(row * 0.1 + 3.0);
      for (uint8_t spin = 0; spin < 2; ++spin) {
        for (int32_t power = 0; power <= 15; ++power)
          candidates.push_back({{x, y, spin, {0, 0, 0}}, power == 0 ? kDrawPower : power});
      }
    }
  }
  std::mt19937 random(seed);
  std::shuffle(candidates.begin(), candidates.end(), random);
  return candidates;
}

// Puts back the shot makers bound before.
class CandidateShot : public testing::Test {
 protected:
  void SetUp() override { calls = 0; }
  void TearDown() override {
    createShot = savedDraw;
    createHitShot = savedHit;
  }
  CreateShotFn savedDraw = createShot;
  CreateHitShotFn savedHit = createHitShot;
};

TEST_F(CandidateShot, EveryCandidateGetsItsOwnShotThoughCandidatesShareEntries) {
  createShot = NameDraw;
  createHitShot = NameHit;
  const std::vector<ShotCandidate> candidates = GridCandidates(5);
  for (int round = 0; round < 3; ++round) {
    for (const ShotCandidate& c : candidates) {
      ShotVec made{};
      ShotVec named{};
      MakeCandidateShot(c, &made);
      if (c.power == kDrawPower) NameDraw(c.target, &named);
      if (c.power != kDrawPower) NameHit(c.target, static_cast<float>(c.power), &named);
      ASSERT_EQ(std::memcmp(&made, &named, sizeof made), 0)
          << c.target.x << " " << c.target.y << " " << c.power;
    }
  }
}

TEST_F(CandidateShot, ShotsAreKeptOnlyForTheMakersThatMadeThemAndOnlyWhenMade) {
  const ShotCandidate draw{{1.5f, 5.0f, 1, {0, 0, 0}}, kDrawPower};
  createShot = CreateShot;
  ShotVec shot{};
  MakeCandidateShot(draw, &shot);

  createShot = NameDraw;
  MakeCandidateShot(draw, &shot);
  MakeCandidateShot(draw, &shot);
  EXPECT_EQ(calls, 1);  // asked once, then kept
  EXPECT_EQ(shot.vx, 1.5f);

  createShot = FailOnceDraw;
  calls = 0;
  ShotVec untouched{9.0f, 9.0f, 0, {0, 0, 0}};
  MakeCandidateShot(draw, &untouched);
  EXPECT_EQ(untouched.vx, 9.0f);
  MakeCandidateShot(draw, &shot);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(shot.vx, 5.0f);
}

}  // namespace
