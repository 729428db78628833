#include "tests/candidates/reference_candidates.h"

#include "candidates/candidates.h"
#include "tests/candidates/geometry_predicates.h"

using namespace candidates;

namespace {

// Appends one entry; false when the list is already full.
bool Append(ShotCandidate* out, int& count, float x, float y, int spin, int power) {
  if (count == kCandidateCapacity) return false;
  ShotCandidate candidate{};
  candidate.target.x = x;
  candidate.target.y = y;
  candidate.target.spin = static_cast<uint8_t>(spin);
  candidate.power = power;
  out[count++] = candidate;
  return true;
}

}  // namespace

int ReferenceGenerateCandidates(ShotCandidate* out, const StrategyTable& table) {
  int count = 0;
  Append(out, count, 2.375f, 4.88f, 0, -1);
  Append(out, count, 2.375f, 4.88f, 1, -1);
  for (int k = 5; k <= 42; ++k) {
    const auto x = static_cast<float>(k * 0.1);
    for (int j = 0; j <= 82; ++j) {
      const auto y = static_cast<float>(j * 0.1 + 3.0);
      if (y < 6.71 && !InHouse(x, y)) continue;

      int firstSpin = 0;
      int lastSpin = 1;
      const auto right = static_cast<float>(static_cast<double>(x) + 0.29);
      const auto left = static_cast<float>(static_cast<double>(x) - 0.29);
      if (StoneAheadInLane(right, y)) {
        lastSpin = 0;
      } else if (StoneAheadInLane(left, y)) {
        firstSpin = 1;
      }

      if (IsHitTarget(x, y)) {
        int lowest = 16;
        for (int i = 0; i < 16; ++i) {
          const float above = y - table[i];
          if (above > 0.0f) {
            lowest = i + 1;
            break;
          }
        }
        for (int power = lowest; power <= 15; ++power) {
          for (int spin = firstSpin; spin <= lastSpin; ++spin) {
            if (!Append(out, count, x, y, spin, power)) return count;
          }
        }
      }
      if (IsFreezeTarget(x, y) || IsGuardTarget(x, y, table) || IsFarGuardDrawTarget(x, y) ||
          IsLateButtonTarget(x, y)) {
        for (int spin = firstSpin; spin <= lastSpin; ++spin) {
          if (!Append(out, count, x, y, spin, -1)) return count;
        }
      }
    }
  }
  return count;
}
