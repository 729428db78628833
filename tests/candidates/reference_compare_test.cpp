// The fast generator against the plain walk, entry by entry and byte by byte,
// on random positions and on positions built to sit on the boundaries; and the
// pick of one entry without the list against the plain walk's list.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "candidates/candidates.h"
#include "tests/candidates/reference_candidates.h"
#include "tests/candidates/test_positions.h"

using namespace candidates;
using namespace engine;

namespace {

// Distances at which the predicates change their answer.
constexpr double kBoundaries[] = {0.145, 0.29, 0.1, 0.05, 4.4, 0.435, 0.155, 0.22};

class PositionMaker {
 public:
  explicit PositionMaker(unsigned seed) : random_(seed) {}

  GameState Make(int shotNumber) {
    GameState state{};
    state.shotNumber = shotNumber;
    switch (Integer(0, 9)) {
      case 0:  // every slot filled
        for (int i = 0; i < 16; ++i) state.stones[i] = Stone(state, i);
        break;
      case 1:  // every slot up the sheet, so that no stone need lie behind a guard row
        for (int i = 0; i < 16; ++i) {
          state.stones[i] = Chance(0.5)
                                ? Stone(state, i)
                                : StonePos{AroundHouseX(), static_cast<float>(Real(6.0, 12.0))};
          if (state.stones[i].y < 6.0f) state.stones[i].y = Offset(yThresholds[Integer(2, 3)]);
        }
        break;
      case 2: {  // some slots, anywhere
        const int stones = Integer(0, 16);
        for (int i = 0; i < stones; ++i) state.stones[Integer(0, 15)] = Stone(state, i);
        break;
      }
      default: {  // the stones delivered so far, the others at the origin
        const int stones = std::min(16, shotNumber + Integer(0, 1));
        for (int i = 0; i < stones; ++i) state.stones[i] = Stone(state, i);
      }
    }
    return state;
  }

 private:
  bool Chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(random_) < p; }
  int Integer(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
  double Real(double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(random_);
  }

  // The float itself, or one or two steps either side of it.
  float Nudge(float value) {
    switch (Integer(0, 6)) {
      case 0:
        return std::nextafter(value, -1e9f);
      case 1:
        return std::nextafter(value, 1e9f);
      case 2:
        return std::nextafter(std::nextafter(value, 1e9f), 1e9f);
      default:
        return value;
    }
  }

  // A grid coordinate plus or minus a boundary distance, in float arithmetic
  // or rounded from double.
  float Offset(float base) {
    const double distance = kBoundaries[Integer(0, std::size(kBoundaries) - 1)];
    const double signedDistance = Chance(0.5) ? distance : -distance;
    const float value = Chance(0.5) ? base + static_cast<float>(signedDistance)
                                    : static_cast<float>(base + signedDistance);
    return Nudge(value);
  }

  float GridX() { return GridColumnX(Integer(kFirstGridColumn, kLastGridColumn)); }
  float GridY() { return GridRowY(Integer(0, kGridRows - 1)); }
  float AroundHouseX() { return static_cast<float>(Real(0.2, 4.6)); }
  float AroundHouseY() { return static_cast<float>(Real(2.6, 11.8)); }

  StonePos Stone(const GameState& state, int index) {
    switch (Integer(0, 13)) {
      case 0:
      case 1:
      case 2:
        return {AroundHouseX(), static_cast<float>(Real(2.8, 7.2))};
      case 3:
        return {AroundHouseX(), AroundHouseY()};
      case 4:  // off a grid point by a boundary distance across or along
        return Chance(0.5) ? StonePos{Offset(GridX()), Nudge(GridY())}
                           : StonePos{Nudge(GridX()), Offset(GridY())};
      case 5: {  // on the house or the button circle
        const double radius = Chance(0.7) ? kHouseRadius : kFourFootRadius;
        const double angle = Real(0.0, 6.283185307179586);
        return {Nudge(static_cast<float>(kTeeX + radius * std::cos(angle))),
                Nudge(static_cast<float>(kTeeY + radius * std::sin(angle)))};
      }
      case 6: {  // on the edge of a guard row
        const float row = yThresholds[Integer(0, 3)];
        return {AroundHouseX(), Offset(row)};
      }
      case 7: {  // at the side limits, the back of the house or the tee line
        const float limits[] = {0.545f, 4.205f, 1.765f, 2.985f, 1.375f, 3.275f};
        if (Chance(0.5)) return {Nudge(limits[Integer(0, 5)]), static_cast<float>(Real(2.9, 7.0))};
        const float rows[] = {3.05f, 4.88f, 6.71f};
        return {AroundHouseX(), Nudge(rows[Integer(0, 2)])};
      }
      case 8:
        return {0.0f, 0.0f};
      case 9:
      case 10: {  // in relation to a stone placed before it: lane, 4.4 ahead, touching
        if (index == 0) return {2.375f, 4.88f};
        const StonePos other = state.stones[Integer(0, index - 1)];
        const float x = Chance(0.5) ? other.x : Offset(other.x);
        return {x, Offset(other.y)};
      }
      case 11:  // level with a grid row, or exactly on a grid point
        return {Chance(0.5) ? GridX() : AroundHouseX(), GridY()};
      case 12: {  // far up the sheet, over the house lanes
        return {AroundHouseX(), static_cast<float>(Real(7.4, 11.5))};
      }
      default: {  // out of the ordinary: far off, infinite or not a number
        const float odd[] = {-1.0f,
                             1e30f,
                             -1e30f,
                             std::numeric_limits<float>::infinity(),
                             -std::numeric_limits<float>::infinity(),
                             std::numeric_limits<float>::quiet_NaN(),
                             std::numeric_limits<float>::denorm_min()};
        const float value = odd[Integer(0, 6)];
        return Chance(0.5) ? StonePos{value, AroundHouseY()} : StonePos{AroundHouseX(), value};
      }
    }
  }

  std::mt19937 random_;
};

std::string Describe(const GameState& state) {
  std::ostringstream text;
  text.precision(9);
  text << state.shotNumber;
  for (const StonePos& stone : state.stones) text << ' ' << stone.x << ' ' << stone.y;
  return text.str();
}

// Entries are compared as bytes: -0 and 0, or two NaNs, must not pass for
// each other, and the padding must match too.
std::array<unsigned char, sizeof(ShotCandidate)> Bytes(const ShotCandidate& candidate) {
  std::array<unsigned char, sizeof(ShotCandidate)> bytes;
  std::memcpy(bytes.data(), &candidate, sizeof candidate);
  return bytes;
}

// Both lists of the position for the strategy table, whole arrays compared,
// so that an entry written past the count shows too.
::testing::AssertionResult SameList(const GameState& state,
                                    const StrategyTable& table = yThresholds) {
  static ShotCandidate fast[kCandidateCapacity + 1];
  static ShotCandidate plain[kCandidateCapacity + 1];
  std::memset(fast, 0xAB, sizeof fast);
  std::memset(plain, 0xAB, sizeof plain);
  gameState = state;
  const int fastCount = GenerateCandidates(fast, table);
  gameState = state;
  const int plainCount = ReferenceGenerateCandidates(plain, table);
  if (fastCount != plainCount) {
    return ::testing::AssertionFailure() << "count " << fastCount << " instead of " << plainCount
                                         << " for position " << Describe(state);
  }
  for (int i = 0; i <= kCandidateCapacity; ++i) {
    if (Bytes(fast[i]) != Bytes(plain[i])) {
      return ::testing::AssertionFailure()
             << "entry " << i << " of " << plainCount << " differs: (" << fast[i].target.x << ", "
             << fast[i].target.y << ", " << int{fast[i].target.spin} << ", " << fast[i].power
             << ") instead of (" << plain[i].target.x << ", " << plain[i].target.y << ", "
             << int{plain[i].target.spin} << ", " << plain[i].power << ") for position "
             << Describe(state);
    }
  }
  // A pick without the list is the entry at the draw modulo the count: the
  // ends of the list, wrapped draws, and a stride through the middle.
  const auto count = static_cast<uint32_t>(plainCount);
  std::vector<uint32_t> draws = {0, 1, 2, count - 1, count, count + 2, UINT32_MAX};
  for (uint32_t draw = 3; draw < count; draw += 37) draws.push_back(draw);
  for (const uint32_t draw : draws) {
    gameState = state;
    const ShotCandidate picked = PickCandidate(draw, table);
    if (Bytes(picked) != Bytes(plain[draw % count])) {
      return ::testing::AssertionFailure()
             << "pick " << draw << " is not entry " << draw % count << " of " << count
             << " for position " << Describe(state);
    }
  }
  return ::testing::AssertionSuccess();
}

TEST(ReferenceCompareTest, RandomAndBoundaryPositions) {
  PositionMaker maker(20240607);
  constexpr int kPerShotNumber = 650;
  int compared = 0;
  for (int round = 0; round < kPerShotNumber; ++round) {
    for (int shotNumber = 0; shotNumber < 16; ++shotNumber) {
      ASSERT_TRUE(SameList(maker.Make(shotNumber)));
      ++compared;
    }
  }
  EXPECT_EQ(compared, 10400);
}

TEST(ReferenceCompareTest, SpecialPositions) {
  for (int shotNumber = -3; shotNumber <= 20; ++shotNumber) {
    // All stones at the origin, as after a new game.
    SetPosition(shotNumber, {});
    EXPECT_TRUE(SameList(gameState));
    // Every stone on the tee: each guards none of the others.
    SetPosition(shotNumber, {});
    for (StonePos& stone : gameState.stones) stone = {2.375f, 4.88f};
    EXPECT_TRUE(SameList(gameState));
    // No stone behind any guard row, or none anywhere.
    for (StonePos& stone : gameState.stones) stone = {0.0f, 12.0f};
    EXPECT_TRUE(SameList(gameState));
    for (StonePos& stone : gameState.stones) stone = {std::nanf(""), std::nanf("")};
    EXPECT_TRUE(SameList(gameState));
  }
  // Six open stones far up the sheet fill the list.
  SetOverfullPosition();
  EXPECT_TRUE(SameList(gameState));
  // In the early shots a stone level with a guard-area grid row is neither
  // ahead of nor behind the points of that row: one such stone at a time, in
  // every lane of the bands, with another stone up the sheet or none.
  for (int shotNumber = 2; shotNumber < 4; ++shotNumber) {
    for (int column = 14; column <= 33; ++column) {
      for (int row = 35; row <= 50; ++row) {
        SetPosition(shotNumber, {{GridColumnX(column), GridRowY(row)}});
        EXPECT_TRUE(SameList(gameState));
        gameState.stones[1] = {GridColumnX(column), GridRowY(row + 20)};
        EXPECT_TRUE(SameList(gameState));
      }
    }
  }
  // Sixteen open stones on the grid points of one column and its neighbours.
  for (int shotNumber = 0; shotNumber < 16; ++shotNumber) {
    SetPosition(shotNumber, {});
    for (int i = 0; i < 16; ++i)
      gameState.stones[i] = {GridColumnX(20 + i % 4), GridRowY(5 + 5 * i / 4)};
    EXPECT_TRUE(SameList(gameState));
  }
}

TEST(ReferenceCompareTest, OtherStrategyTablesBetweenCallsWithTheShippedOne) {
  // What the walk works out for a table (the guard rows, the lowest power of
  // a hit at each row) must follow the table it is handed, a copy of the
  // shipped one included, and calls with the shipped table between must not
  // see what another table gave.
  PositionMaker maker(7);
  for (const float shift : {0.35f, -0.25f, 0.0f}) {
    StrategyTable table = yThresholds;
    for (float& row : table) row += shift;
    for (int round = 0; round < 40; ++round) {
      for (int shotNumber = 0; shotNumber < 16; ++shotNumber) {
        const GameState position = maker.Make(shotNumber);
        EXPECT_TRUE(SameList(position, table)) << "shift " << shift;
        EXPECT_TRUE(SameList(position));
      }
    }
  }
}

}  // namespace
