// One entry of a candidate list, and the shot it stands for.
#pragma once

#include <cstddef>
#include <cstdint>

#include "simulator/curling_api.h"

namespace candidates {

// Where to aim, with which spin, and the hit power, or kDrawPower for a draw
// that is to come to rest at the target.
struct ShotCandidate {
  ShotPos target;
  int32_t power;
};
static_assert(sizeof(ShotCandidate) == 16);
static_assert(offsetof(ShotCandidate, target) == 0);
static_assert(offsetof(ShotCandidate, power) == 12);

inline constexpr int32_t kDrawPower = -1;

// Turns a candidate into a shot, the one way it is done everywhere: a draw to
// the target when its power is kDrawPower, otherwise a hit on it with that power.
// Each thread keeps the shots it has made and hands them out again while the
// same shot makers are bound: the library's shot makers depend on their
// arguments alone.
void MakeCandidateShot(const ShotCandidate& candidate, ShotVec* shot);

}  // namespace candidates
