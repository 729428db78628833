#include <cstdint>
#include <cstring>
#include <vector>

#include "candidates/shot_candidate.h"
#include "engine/library_binding.h"

namespace candidates {

namespace {

// The shots this thread has made, by candidate. A search makes the same few
// thousand shots again and again, and the library's shot makers, which depend
// on nothing but their arguments, would solve for each afresh. Direct-mapped:
// a candidate takes the entry of another that maps to the same place.
struct MadeShot {
  ShotCandidate candidate;
  ShotVec shot;
  bool filled;
};

constexpr int kMadeShotIndexBits = 16;

struct MadeShots {
  CreateShotFn draw = nullptr;  // the shot makers the entries came from
  CreateHitShotFn hit = nullptr;
  std::vector<MadeShot> entries;
};

// Targets compare by their bits, so that any target, even one that is not a
// number, finds its own entry.
uint64_t TargetBits(const ShotPos& target) {
  uint32_t x = 0;
  uint32_t y = 0;
  std::memcpy(&x, &target.x, sizeof x);
  std::memcpy(&y, &target.y, sizeof y);
  return uint64_t{x} << 32 | y;
}

bool SameCandidate(const ShotCandidate& a, const ShotCandidate& b) {
  return TargetBits(a.target) == TargetBits(b.target) && a.target.spin == b.target.spin &&
         a.power == b.power;
}

size_t MadeShotIndex(const ShotCandidate& candidate) {
  const uint64_t rest =
      uint64_t{candidate.target.spin} << 32 | static_cast<uint32_t>(candidate.power);
  // Each part mixed into the next, so that candidates differing in any part
  // spread over the entries.
  const uint64_t hash =
      (TargetBits(candidate.target) * 0x9E3779B97F4A7C15ULL + rest) * 0xC2B2AE3D27D4EB4FULL;
  return static_cast<size_t>(hash >> (64 - kMadeShotIndexBits));
}

int CallShotMaker(const ShotCandidate& candidate, ShotVec* shot) {
  if (candidate.power == kDrawPower) return createShot(candidate.target, shot);
  return createHitShot(candidate.target, static_cast<float>(candidate.power), shot);
}

}  // namespace

void MakeCandidateShot(const ShotCandidate& candidate, ShotVec* shot) {
  thread_local MadeShots made;
  if (made.entries.empty() || made.draw != createShot || made.hit != createHitShot) {
    made.entries.assign(size_t{1} << kMadeShotIndexBits, MadeShot{});
    made.draw = createShot;
    made.hit = createHitShot;
  }
  MadeShot& entry = made.entries[MadeShotIndex(candidate)];
  if (entry.filled && SameCandidate(entry.candidate, candidate)) {
    *shot = entry.shot;
    return;
  }
  // Only a shot made without complaint is kept: on failure the caller sees
  // whatever the library did to `shot`, every time.
  if (CallShotMaker(candidate, shot) != kSimOk) return;
  entry = MadeShot{candidate, *shot, true};
}

}  // namespace candidates
