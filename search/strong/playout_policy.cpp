#include "search/strong/playout_policy.h"

#include <algorithm>
#include <cmath>

#include "engine/simulator.h"
#include "simulator/sheet.h"

namespace {

// The tee as the float targets of the shot makers.
constexpr auto kTeeTargetX = static_cast<float>(kTeeX);
constexpr auto kTeeTargetY = static_cast<float>(kTeeY);
// A stone counts when it touches the house.
constexpr double kCountingRadius = kHouseRadius + kStoneRadius;
// Short of this a stone is not past the far hog line (kFarHogY less a radius, with room).
constexpr float kLongestGuardY = 10.6f;
// Firm takeouts: the policy's range of hit powers.
constexpr int kLowTakeoutPower = 11;
constexpr int kHighTakeoutPower = 14;
constexpr int kFreeGuardShots = 4;  // the first stones of an end under the guard-zone rule
// The firmest hit: aimed at an empty tee it leaves the house over the back line.
constexpr int kThroughPower = 15;
constexpr float kBesideButton = 0.6f;

struct Stone {
  float x;
  float y;
  double distance;  // to the tee
  bool mine;        // the side about to deliver owns it
};

struct Sheet {
  Stone stones[16];
  int count = 0;  // stones in play
  int house[16];  // indices of the stones that count, nearest first
  int houseCount = 0;
};

bool InPlay(const StonePos& stone) {
  return !(stone.x == 0.0f && stone.y == 0.0f);
}

Sheet ReadSheet(const GameState& position) {
  Sheet sheet;
  const int delivered = std::clamp(position.shotNumber, 0, 16);
  const int moverParity = position.shotNumber & 1;
  for (int slot = 0; slot < delivered; ++slot) {
    const StonePos& p = position.stones[slot];
    if (!InPlay(p)) continue;
    const double dx = static_cast<double>(p.x) - kTeeTargetX;
    const double dy = static_cast<double>(p.y) - kTeeTargetY;
    sheet.stones[sheet.count] =
        Stone{p.x, p.y, std::sqrt(dx * dx + dy * dy), (slot & 1) == moverParity};
    if (sheet.stones[sheet.count].distance < kCountingRadius) {
      sheet.house[sheet.houseCount++] = sheet.count;
    }
    ++sheet.count;
  }
  std::sort(sheet.house, sheet.house + sheet.houseCount,
            [&](int a, int b) { return sheet.stones[a].distance < sheet.stones[b].distance; });
  return sheet;
}

// The stone in front of (x, y) in its path, or -1: a takeout would meet it first.
int GuardOf(const Sheet& sheet, float x, float y) {
  constexpr float kPathHalfWidth = 0.26f;  // less than two stone radii: a glancing touch passes
  constexpr float kFarestGuard = 6.0f;
  int guard = -1;
  for (int i = 0; i < sheet.count; ++i) {
    const Stone& s = sheet.stones[i];
    if (s.y > y + 0.2f && s.y < y + kFarestGuard && std::fabs(s.x - x) < kPathHalfWidth) {
      if (guard < 0 || s.y < sheet.stones[guard].y) guard = i;
    }
  }
  return guard;
}

uint8_t AnySpin(SampleRandom& random) {
  return random.Uniform() < 0.5 ? 0 : 1;
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

ShotVec Takeout(const Stone& stone, SampleRandom& random) {
  const int span = kHighTakeoutPower - kLowTakeoutPower + 1;
  const int power = kLowTakeoutPower + static_cast<int>(random.Uniform() * span);
  return Hit(stone.x, stone.y, power, AnySpin(random));
}

ShotVec DrawNearButton(SampleRandom& random, double spread) {
  const auto x = static_cast<float>(kTeeTargetX + spread * random.Normal());
  const auto y = static_cast<float>(kTeeTargetY + spread * random.Normal());
  return Draw(x, y, AnySpin(random));
}

ShotVec OpenHouse(const GameState& position, SampleRandom& random) {
  const bool hammer = (position.shotNumber & 1) != 0;
  if (position.shotNumber < kFreeGuardShots + 1) {
    if (!hammer && random.Uniform() < 0.7) {
      // A centre guard: the side without the hammer wants stones in play.
      const auto x = static_cast<float>(kTeeTargetX + 0.12 * random.Normal());
      const auto y = static_cast<float>(7.2 + 1.4 * random.Uniform());
      return Draw(x, y, AnySpin(random));
    }
    if (hammer && random.Uniform() < 0.5) {
      // A corner guard, out of the way of a blank.
      const double side = random.Uniform() < 0.5 ? -1.0 : 1.0;
      const auto x = static_cast<float>(kTeeTargetX + side * (0.7 + 0.4 * random.Uniform()));
      const auto y = static_cast<float>(7.0 + 1.3 * random.Uniform());
      return Draw(x, y, AnySpin(random));
    }
  }
  return DrawNearButton(random, 0.3);
}

}  // namespace

uint64_t SampleRandom::Next() {
  // SplitMix64.
  state += 0x9E3779B97F4A7C15ull;
  uint64_t z = state;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

double SampleRandom::Uniform() {
  return static_cast<double>(Next() >> 11) * 0x1.0p-53;
}

double SampleRandom::Normal() {
  constexpr double kTwoPi = 6.283185307179586;
  const double u = 1.0 - Uniform();  // (0, 1]: the logarithm stays finite
  return std::sqrt(-2.0 * std::log(u)) * std::cos(kTwoPi * Uniform());
}

ShotVec PolicyShot(const GameState& position, SampleRandom& random) {
  const Sheet sheet = ReadSheet(position);
  if (sheet.houseCount == 0) return OpenHouse(position, random);

  const Stone& shot = sheet.stones[sheet.house[0]];
  const bool early = position.shotNumber < 8;
  if (!shot.mine) {
    const int guard = GuardOf(sheet, shot.x, shot.y);
    if (guard < 0) {
      if (random.Uniform() < 0.8) return Takeout(shot, random);
      return DrawNearButton(random, 0.25);
    }
    // Behind cover: come around it, or move the cover once the guard zone is over.
    const Stone& cover = sheet.stones[guard];
    if (position.shotNumber >= kFreeGuardShots && random.Uniform() < 0.4) {
      return Takeout(cover, random);
    }
    return DrawNearButton(random, 0.25);
  }

  // The side to deliver lies shot: protect it early, add to it or remove
  // the opponent's next stone later.
  if (early && GuardOf(sheet, shot.x, shot.y) < 0 && random.Uniform() < 0.6) {
    const float y =
        std::min(kLongestGuardY, shot.y + static_cast<float>(2.0 + 1.5 * random.Uniform()));
    return Draw(static_cast<float>(shot.x + 0.05 * random.Normal()), y, AnySpin(random));
  }
  for (int k = 1; k < sheet.houseCount; ++k) {
    const Stone& other = sheet.stones[sheet.house[k]];
    if (other.mine) continue;
    if (GuardOf(sheet, other.x, other.y) < 0 && random.Uniform() < 0.5) {
      return Takeout(other, random);
    }
    break;
  }
  return DrawNearButton(random, 0.45);
}

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
  const Sheet sheet = ReadSheet(position);
  // The opponent's stones that count or would count against a miss.
  constexpr int kTargets = 3;
  int targets = 0;
  for (int k = 0; k < sheet.houseCount && targets < kTargets; ++k) {
    const Stone& stone = sheet.stones[sheet.house[k]];
    if (stone.mine) continue;
    ++targets;
    for (uint8_t spin = 0; spin < 2; ++spin) {
      replies[count++] = Hit(stone.x, stone.y, 12, spin);
    }
    // A softer hit: the shooter stays in the house.
    replies[count++] = Hit(stone.x, stone.y, 7, k == 0 ? 0 : 1);
    if (count + 3 > kLastStoneReplyCapacity) break;
  }
  return count;
}

int ClosedEndScore(const GameState& closed, bool playerIsSideA) {
  const int index = closed.currentEnd - 1;
  if (index < 0 || index > kFinalEndIndex) return 0;
  const int score = playerIsSideA ? closed.endScores[index] : -closed.endScores[index];
  return std::clamp(score, -kMaxEndScore, kMaxEndScore);
}

double LastStoneValue(const GameState& position, const EndValues& values, bool playerIsSideA,
                      int trials) {
  ShotVec replies[kLastStoneReplyCapacity];
  const int count = ReplyShots(position, replies);
  const bool playerToDeliver = (position.turnFlag == 0) == playerIsSideA;
  double best = playerToDeliver ? -1.0 : 2.0;
  for (int r = 0; r < count; ++r) {
    double sum = 0.0;
    for (int t = 0; t < trials; ++t) {
      GameState after = position;
      SimulateShot(after, replies[r]);
      sum += values[ClosedEndScore(after, playerIsSideA) + kMaxEndScore];
    }
    const double mean = sum / trials;
    best = playerToDeliver ? std::max(best, mean) : std::min(best, mean);
  }
  return best;
}

double PlayOut(GameState position, const EndValues& values, bool playerIsSideA,
               SampleRandom& random, int lastStoneTrials) {
  // An end has at most sixteen stones; the bound also stops a position the
  // simulator refuses.
  for (int shot = 0; shot < 16 && position.shotNumber > 0 && position.shotNumber < 16; ++shot) {
    if (position.shotNumber == 15 && lastStoneTrials > 0) {
      return LastStoneValue(position, values, playerIsSideA, lastStoneTrials);
    }
    SimulateShot(position, PolicyShot(position, random));
  }
  return values[ClosedEndScore(position, playerIsSideA) + kMaxEndScore];
}
