#include "simulator/collision.h"

#include "simulator/sheet.h"

namespace sim {
namespace {

// Each pass dissipates energy, so the passes end quickly; the cap only guards
// against rounding keeping a pair barely closing.
constexpr int kMaxPasses = 64;

}  // namespace

ContactResult ResolveContacts(Stone* stones, int count, int shooter, bool* changed) {
  ContactResult result{};
  for (int pass = 0; pass < kMaxPasses; ++pass) {
    bool applied = false;
    for (int i = 0; i < count; ++i) {
      if (!InPlay(stones[i])) continue;
      for (int j = i + 1; j < count; ++j) {
        if (!InPlay(stones[j])) continue;
        const Vec2 r = stones[i].position - stones[j].position;
        const double dist = Norm(r);
        if (!Touching(dist)) continue;
        const Vec2 normal = r * (1.0 / dist);
        const double closing = Dot(stones[i].velocity - stones[j].velocity, normal);
        if (closing >= 0) continue;
        // Equal masses: each stone takes half of (1 + e) times the closing
        // speed, in opposite directions along the normal.
        const Vec2 impulse = normal * (-(1 + kRestitution) / 2 * closing);
        stones[i].velocity = stones[i].velocity + impulse;
        stones[j].velocity = stones[j].velocity - impulse;
        changed[i] = changed[j] = true;
        if (i == shooter || j == shooter) result.shooterTouched = true;
        ++result.impulses;
        applied = true;
      }
    }
    if (!applied) break;
  }
  return result;
}

}  // namespace sim
