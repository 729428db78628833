#include "search/strong/replies.h"

#include <algorithm>
#include <cmath>

#include "engine/library_binding.h"
#include "search/simulate_shot.h"
#include "simulator/sheet.h"

namespace search::strong {

namespace {

// The tee as the float targets of the shot makers.
constexpr auto kTeeTargetX = static_cast<float>(kTeeX);
constexpr auto kTeeTargetY = static_cast<float>(kTeeY);
constexpr float kBesideButton = 0.6f;
// The firmest hit: aimed at an empty tee it leaves the house over the back line.
constexpr int kThroughPower = 15;
// Takeouts of the replies: firm enough to remove the stone, and a softer one
// that leaves the shooter in the house.
constexpr int kFirmHitPower = 12;
constexpr int kSoftHitPower = 7;
// A stone counts when it touches the house.
constexpr double kCountingRadius = kHouseRadius + kStoneRadius;

struct Stone {
  float x;
  float y;
  double distance;  // to the tee
  bool mine;        // the side about to deliver owns it
};

// The stones that count, nearest the tee first.
struct House {
  Stone stones[16];
  int count = 0;
};

House ReadHouse(const GameState& position) {
  House house;
  const int delivered = std::clamp(position.shotNumber, 0, 16);
  const int moverParity = position.shotNumber & 1;
  for (int slot = 0; slot < delivered; ++slot) {
    const StonePos& p = position.stones[slot];
    if (!StoneInPlay(p)) continue;
    const double dx = static_cast<double>(p.x) - kTeeTargetX;
    const double dy = static_cast<double>(p.y) - kTeeTargetY;
    const double distance = std::sqrt(dx * dx + dy * dy);
    if (distance < kCountingRadius) {
      house.stones[house.count++] = Stone{p.x, p.y, distance, (slot & 1) == moverParity};
    }
  }
  std::sort(house.stones, house.stones + house.count,
            [](const Stone& a, const Stone& b) { return a.distance < b.distance; });
  return house;
}

ShotVec Draw(float x, float y, uint8_t spin) {
  ShotVec shot{};
  createShot(ShotPos{x, y, spin, {0, 0, 0}}, &shot);
  return shot;
}

ShotVec Hit(float x, float y, int power, uint8_t spin) {
  ShotVec shot{};
  createHitShot(ShotPos{x, y, spin, {0, 0, 0}}, static_cast<float>(power), &shot);
  return shot;
}

}  // namespace

ShotVec ThroughTheHouse() {
  return Hit(kTeeTargetX, kTeeTargetY, kThroughPower, 0);
}

int ReplyShots(const GameState& position, ShotVec (&replies)[kLastStoneReplyCapacity]) {
  int count = 0;
  replies[count++] = Draw(kTeeTargetX, kTeeTargetY, 0);
  replies[count++] = Draw(kTeeTargetX, kTeeTargetY, 1);
  replies[count++] = ThroughTheHouse();
  // Beside the button, for when the way to it is blocked.
  replies[count++] = Draw(kTeeTargetX - kBesideButton, kTeeTargetY + kBesideButton / 2, 0);
  replies[count++] = Draw(kTeeTargetX + kBesideButton, kTeeTargetY + kBesideButton / 2, 1);
  const House house = ReadHouse(position);
  // The opponent's stones that count or would count against a miss.
  constexpr int kTargets = 3;
  int targets = 0;
  for (int k = 0; k < house.count && targets < kTargets; ++k) {
    const Stone& stone = house.stones[k];
    if (stone.mine) continue;
    ++targets;
    for (uint8_t spin = 0; spin < 2; ++spin) {
      replies[count++] = Hit(stone.x, stone.y, kFirmHitPower, spin);
    }
    // A softer hit: the shooter stays in the house.
    replies[count++] = Hit(stone.x, stone.y, kSoftHitPower, k == 0 ? 0 : 1);
    if (count + 3 > kLastStoneReplyCapacity) break;
  }
  return count;
}

double LastStoneValue(const GameState& position, const PositionJudge& judge, int trials) {
  ShotVec replies[kLastStoneReplyCapacity];
  const int count = ReplyShots(position, replies);
  const bool playerToDeliver = (position.turnFlag == 0) == judge.playerIsSideA;
  double best = playerToDeliver ? -1.0 : 2.0;
  for (int r = 0; r < count; ++r) {
    double sum = 0.0;
    for (int t = 0; t < trials; ++t) {
      GameState after = position;
      SimulateShot(after, replies[r]);
      sum += judge.Closed(after);
    }
    const double mean = sum / trials;
    best = playerToDeliver ? std::max(best, mean) : std::min(best, mean);
  }
  return best;
}

double ReplyLineValue(GameState position, const PositionJudge& judge, int stones) {
  for (int stone = 0; stone < stones && position.shotNumber > 0 && position.shotNumber < 16;
       ++stone) {
    ShotVec replies[kLastStoneReplyCapacity];
    const int count = ReplyShots(position, replies);
    const bool playerToDeliver = (position.turnFlag == 0) == judge.playerIsSideA;
    int best = 0;
    double bestValue = 0.0;
    for (int r = 0; r < count; ++r) {
      GameState after = position;
      SimulateShot(after, replies[r]);
      const double value = judge.Value(after);
      if (r == 0 || (playerToDeliver ? value > bestValue : value < bestValue)) {
        bestValue = value;
        best = r;
      }
    }
    SimulateShot(position, replies[best]);
  }
  return judge.Value(position);
}

}  // namespace search::strong
