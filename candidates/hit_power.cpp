#include "candidates/candidate_grid.h"

namespace candidates {

int LowestHitPower(float y, const StrategyTable& table) {
  for (int i = 0; i < 16; ++i) {
    // The difference in float: the row y = 6.1 is the same float as entry 4
    // and does not exceed it.
    const float above = y - table[i];
    if (above > 0.0f) return i + 1;
  }
  // No grid row lies at or below the last entry, 0; a point that did would
  // get no hit.
  return 16;
}

}  // namespace candidates
