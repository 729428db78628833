// MakeCandidateShot keeps the shots it has made; what it hands out must be
// exactly what the shot makers bound at the time give.
#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "engine/simulator.h"

namespace {

ShotVec Direct(const ShotCandidate& candidate) {
  ShotVec shot{};
  if (candidate.power == kDrawPower) {
    CreateShot(candidate.target, &shot);
  } else {
    CreateHitShot(candidate.target, static_cast<float>(candidate.power), &shot);
  }
  return shot;
}

bool SameBytes(const ShotVec& a, const ShotVec& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

class CandidateShot : public testing::Test {
 protected:
  void SetUp() override {
    savedDraw = createShot;
    savedHit = createHitShot;
    createShot = CreateShot;
    createHitShot = CreateHitShot;
  }
  void TearDown() override {
    createShot = savedDraw;
    createHitShot = savedHit;
  }
  CreateShotFn savedDraw = nullptr;
  CreateHitShotFn savedHit = nullptr;
};

// Shot makers whose shot names the whole candidate.
int NameDraw(ShotPos target, ShotVec* shot) {
  *shot = ShotVec{target.x, target.y, target.spin, {0, 0, 0}};
  return 0;
}

int NameHit(ShotPos target, float power, ShotVec* shot) {
  *shot = ShotVec{target.x + 100.0f * power, target.y, target.spin, {0, 0, 0}};
  return 0;
}

std::vector<ShotCandidate> GridCandidates() {
  std::vector<ShotCandidate> candidates;
  for (int column = 0; column < 48; ++column) {
    for (int row = 0; row < 90; ++row) {
      for (uint8_t spin = 0; spin < 2; ++spin) {
        for (int32_t power = 0; power <= 15; ++power) {
          const auto x = static_cast<float>(column * 0.1);
          const auto y = static_cast<float>(row * 0.1 + 3.0);
          candidates.push_back({{x, y, spin, {0, 0, 0}}, power == 0 ? kDrawPower : power});
        }
      }
    }
  }
  return candidates;
}

TEST_F(CandidateShot, EveryShotIsTheOneItsCandidateGetsThoughEntriesAreShared) {
  // Every target, spin and weight of a grid, twice as many as there are
  // entries, so that candidates differing in any one of them meet in one
  // entry; asked for in a shuffled order, three times over.
  createShot = NameDraw;
  createHitShot = NameHit;
  std::vector<ShotCandidate> candidates = GridCandidates();
  std::mt19937 random(5);
  for (int round = 0; round < 3; ++round) {
    std::shuffle(candidates.begin(), candidates.end(), random);
    for (const ShotCandidate& candidate : candidates) {
      ShotVec made{};
      MakeCandidateShot(candidate, &made);
      ShotVec named{};
      if (candidate.power == kDrawPower) {
        NameDraw(candidate.target, &named);
      } else {
        NameHit(candidate.target, static_cast<float>(candidate.power), &named);
      }
      ASSERT_TRUE(SameBytes(made, named))
          << candidate.target.x << " " << candidate.target.y << " " << candidate.power;
    }
  }
}

TEST_F(CandidateShot, TheLibrarysShotsPassThroughUnchanged) {
  std::vector<ShotCandidate> candidates = GridCandidates();
  std::mt19937 random(6);
  std::shuffle(candidates.begin(), candidates.end(), random);
  candidates.resize(3000);
  for (int round = 0; round < 2; ++round) {
    for (const ShotCandidate& candidate : candidates) {
      ShotVec made{};
      MakeCandidateShot(candidate, &made);
      ASSERT_TRUE(SameBytes(made, Direct(candidate)))
          << candidate.target.x << " " << candidate.target.y;
    }
  }
}

int calls = 0;

int EchoDraw(ShotPos target, ShotVec* shot) {
  ++calls;
  *shot = ShotVec{target.x, -target.y, target.spin, {0, 0, 0}};
  return 0;
}

// Fails the first time it is asked, without touching the shot.
int FailOnceDraw(ShotPos target, ShotVec* shot) {
  if (++calls == 1) return kSimNonFiniteInput;
  *shot = ShotVec{target.y, target.x, target.spin, {0, 0, 0}};
  return 0;
}

TEST_F(CandidateShot, NewShotMakersAndFailuresAreNeverAnsweredFromWhatWasKept) {
  const ShotCandidate draw{{1.5f, 5.0f, 1, {0, 0, 0}}, kDrawPower};
  ShotVec real{};
  MakeCandidateShot(draw, &real);
  ASSERT_TRUE(SameBytes(real, Direct(draw)));

  createShot = EchoDraw;
  calls = 0;
  ShotVec echoed{};
  MakeCandidateShot(draw, &echoed);
  MakeCandidateShot(draw, &echoed);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(echoed.vx, 1.5f);
  EXPECT_EQ(echoed.vy, -5.0f);

  createShot = FailOnceDraw;
  calls = 0;
  ShotVec untouched{9.0f, 9.0f, 0, {0, 0, 0}};
  MakeCandidateShot(draw, &untouched);
  EXPECT_EQ(untouched.vx, 9.0f);  // the failure left it as it was
  ShotVec second{};
  MakeCandidateShot(draw, &second);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(second.vx, 5.0f);
  EXPECT_EQ(second.vy, 1.5f);
}

}  // namespace
