// The search's signature: whole decisions on fixed positions with fixed seeds
// and an iteration budget instead of the clock, every playout on the calling
// thread. It digests every playout's score and every answer, so any change in
// what the search computes (candidates, the pick of a playout, the bandit, the
// vote, the physics) changes it, while a change of speed alone does not.
//
//   search-signature                 prints the signature of each position and of all
//   search-signature --expect HEX    also exits 1 unless the whole signature is HEX
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "engine/game_state.h"
#include "engine/library_binding.h"
#include "search/search.h"
#include "search/search_settings.h"
#include "tests/search/busy_end.h"

namespace {

// Iterations per run: past the 200 where exploration stops being certain, so
// that the leader's exploitation is part of the signature too.
constexpr uint32_t kIterations = 240;

struct Digest {
  uint64_t value = 14695981039346656037ULL;
  void Add(const void* data, size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) {
      value ^= bytes[i];
      value *= 1099511628211ULL;
    }
  }
};

Digest digest;
uint32_t nextSeed = 1;
uint64_t playouts = 0;

uint32_t CountingSeed() {
  return nextSeed++;
}

uint64_t FrozenClock() {
  return 0;
}

int DigestedPlayout() {
  const int score = SeededRandomPlayout(CountingSeed());
  digest.Add(&score, sizeof score);
  ++playouts;
  return score;
}

}  // namespace

int main(int argc, char** argv) {
  const char* expected = nullptr;
  if (argc == 3 && std::strcmp(argv[1], "--expect") == 0) {
    expected = argv[2];
  } else if (argc != 1) {
    std::fprintf(stderr, "usage: search-signature [--expect HEX]\n");
    return 2;
  }
  // The physics linked in, so that its noise can be seeded.
  simulation = Simulation;
  createShot = CreateShot;
  createHitShot = CreateHitShot;
  getScore = GetScore;
  const SearchSettings settings{FrozenClock, CountingSeed, DigestedPlayout,
                                0.95,        kIterations,  PlayoutLauncher::kInline};

  Digest all;
  for (const int shotNumber : {0, 8, 15}) {
    digest = Digest{};
    playouts = 0;
    nextSeed = 1;
    SeedSimulator(7);
    gameState = BusyEnd(shotNumber);
    ShotVec shot{};
    EnsembleSearchWith(settings, &shot);
    digest.Add(&shot, sizeof shot);
    std::printf("shot %2d: %" PRIu64 " playouts, answer %.6f %.6f %d, signature %016" PRIx64 "\n",
                shotNumber, playouts, static_cast<double>(shot.vx), static_cast<double>(shot.vy),
                shot.spin, digest.value);
    all.Add(&digest.value, sizeof digest.value);
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016" PRIx64, all.value);
  std::printf("signature %s\n", text);
  if (expected != nullptr && std::strcmp(expected, text) != 0) {
    std::printf("expected  %s: what the search computes has changed\n", expected);
    return 1;
  }
  return 0;
}
