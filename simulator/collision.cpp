#include "simulator/collision.h"

#include <algorithm>
#include <cmath>

#include "simulator/sheet.h"

namespace sim {
namespace {

// Each pass dissipates energy, so the passes end quickly; the cap only guards
// against rounding keeping a pair barely closing.
constexpr int kMaxPasses = 64;

}  // namespace

ContactResult ResolveContacts(Stone* stones, int count, int shooter, bool* changed) {
  ContactResult result{};
  // Only velocities change here, so the touching pairs and their normals are
  // found once; the passes then visit just those, in the same order.
  struct TouchingPair {
    int i;
    int j;
    Vec2 normal;
  };
  TouchingPair pairs[kMaxContactStones * (kMaxContactStones - 1) / 2];
  int pairCount = 0;
  // Squared distances beyond these bounds are far from touching either way,
  // which spares the square root of most pairs.
  constexpr double kFar2 = (kContactDistance + 1e-4) * (kContactDistance + 1e-4);
  constexpr double kDeep2 = (kContactDistance - 2e-4) * (kContactDistance - 2e-4);
  count = std::min(count, kMaxContactStones);
  for (int i = 0; i < count; ++i) {
    if (!InPlay(stones[i])) continue;
    for (int j = i + 1; j < count; ++j) {
      if (!InPlay(stones[j])) continue;
      const Vec2 r = stones[i].position - stones[j].position;
      const double dist2 = Norm2(r);
      if (!(dist2 < kFar2 && dist2 > kDeep2)) continue;
      const double dist = std::sqrt(dist2);
      if (!Touching(dist)) continue;
      pairs[pairCount++] = {i, j, r * (1.0 / dist)};
    }
  }
  for (int pass = 0; pass < kMaxPasses && pairCount > 0; ++pass) {
    bool applied = false;
    for (int k = 0; k < pairCount; ++k) {
      const TouchingPair& pair = pairs[k];
      Stone& a = stones[pair.i];
      Stone& b = stones[pair.j];
      const double closing = Dot(a.velocity - b.velocity, pair.normal);
      if (closing >= 0) continue;
      // Equal masses: each stone takes half of (1 + e) times the closing
      // speed, in opposite directions along the normal.
      const Vec2 impulse = pair.normal * (-(1 + kRestitution) / 2 * closing);
      a.velocity = a.velocity + impulse;
      b.velocity = b.velocity - impulse;
      changed[pair.i] = changed[pair.j] = true;
      if (pair.i == shooter || pair.j == shooter) result.shooterTouched = true;
      ++result.impulses;
      applied = true;
    }
    if (!applied) break;
  }
  return result;
}

}  // namespace sim
