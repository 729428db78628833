#include <cstdint>
#include <random>

#include "candidates/candidates.h"
#include "engine/game_state.h"
#include "engine/library_binding.h"
#include "search/first_draws.h"
#include "search/search.h"
#include "search/simulate_shot.h"

namespace search {

namespace {

// Shots left in the end from `shotNumber`: none at 0 (the end has just
// closed), at 16 or more, or when negative.
uint32_t ShotsToPlay(int32_t shotNumber) {
  const auto next = static_cast<uint32_t>(shotNumber);
  if (next == 0 || next >= 16) return 0;
  return 16 - next;
}

}  // namespace

int RandomPlayout() {
  // One device per thread: making one asks the processor what it offers,
  // which costs more than a tenth of a playout on a virtual machine.
  thread_local std::random_device device;
  return SeededRandomPlayout(device());
}

int SeededRandomPlayout(uint32_t seed) {
  // The draws of std::mt19937(seed); an end has at most fifteen shots left.
  FirstDraws generator(seed);
  static_assert(FirstDraws::kMaxDraws >= 15);
  const uint32_t shots = ShotsToPlay(engine::gameState.shotNumber);
  for (uint32_t shot = 0; shot < shots; ++shot) {
    // The plain remainder of the draw by the list's length: the slight bias of
    // the top range does not matter for a random playout.
    ShotVec delivery{};
    candidates::MakeCandidateShot(candidates::PickCandidate(generator()), &delivery);
    SimulateShot(engine::gameState, delivery);
  }
  return engine::ClosedEndScore(engine::gameState, !engine::isSecondPlayer);
}

}  // namespace search
