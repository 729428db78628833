// The searches' signatures: whole decisions on fixed positions with fixed
// seeds and a budget instead of the clock, on the calling thread alone, so
// that any change in what a search computes changes its signature, while a
// change of speed alone does not. The reference search's digests every
// playout's score and every answer (candidates, the pick of a playout, the
// bandit, the vote, the physics); the strong search's, run with --samples and
// --seed as the engine would, every answer with what the search reports of
// it: the candidates, samples and rounds, the choice and its mean value.
//
//   search-signature [--search reference|strong]   prints the signature of each position and of all
//   ... --expect HEX                               also exits 1 unless the whole signature is HEX
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
#include "search/strong/strong_search.h"
#include "search/strong/strong_settings.h"
#include "tests/search/busy_end.h"

using namespace engine;
using namespace search;
using namespace search::strong;

namespace {

// Iterations per run: past the 200 where exploration stops being certain, so
// that the leader's exploitation is part of the signature too.
constexpr uint32_t kIterations = 240;
// Samples per strong decision: several rounds of halving, and replies after
// every sample before the last stone.
constexpr uint64_t kStrongSamples = 4000;
constexpr uint64_t kStrongSeed = 7;

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

uint64_t ReferenceSignature() {
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
  return all.value;
}

// The busy end in the fourth of eight ends, level: the positions of the
// strong search's own tests.
uint64_t StrongSignature() {
  StrongSettings settings = ShippedStrongSettings();
  settings.seedGiven = true;
  settings.seed = kStrongSeed;
  settings.sampleBudget = kStrongSamples;
  settings.threads = 1;
  settings.readClockMs = FrozenClock;
  seedSimulator = SeedSimulator;
  Digest all;
  for (const int shotNumber : {0, 8, 15}) {
    digest = Digest{};
    StrongReport report{};
    const ShotVec shot = SearchStrong(BusyEnd(shotNumber, 7), 0, settings, 0, &report);
    digest.Add(&shot, sizeof shot);
    for (const int figure : {report.candidates, report.rounds, report.chosen})
      digest.Add(&figure, sizeof figure);
    digest.Add(&report.samples, sizeof report.samples);
    digest.Add(&report.value, sizeof report.value);
    std::printf("shot %2d: %d candidates, %" PRIu64
                " samples in %d rounds, answer %.6f %.6f %d worth %.4f, signature %016" PRIx64 "\n",
                shotNumber, report.candidates, report.samples, report.rounds,
                static_cast<double>(shot.vx), static_cast<double>(shot.vy), shot.spin, report.value,
                digest.value);
    all.Add(&digest.value, sizeof digest.value);
  }
  return all.value;
}

}  // namespace

int main(int argc, char** argv) {
  const char* expected = nullptr;
  bool strong = false;
  bool usable = argc % 2 == 1;  // options come in pairs
  for (int k = 1; k + 1 < argc && usable; k += 2) {
    const char* value = argv[k + 1];
    if (std::strcmp(argv[k], "--expect") == 0) {
      expected = value;
    } else if (std::strcmp(argv[k], "--search") == 0) {
      strong = std::strcmp(value, "strong") == 0;
      usable = strong || std::strcmp(value, "reference") == 0;
    } else {
      usable = false;
    }
  }
  if (!usable) {
    std::fprintf(stderr, "usage: search-signature [--search reference|strong] [--expect HEX]\n");
    return 2;
  }
  // The physics linked in, so that its noise can be seeded.
  simulation = Simulation;
  createShot = CreateShot;
  createHitShot = CreateHitShot;
  getScore = GetScore;
  const uint64_t signature = strong ? StrongSignature() : ReferenceSignature();
  char text[17];
  std::snprintf(text, sizeof text, "%016" PRIx64, signature);
  std::printf("signature %s\n", text);
  if (expected != nullptr && std::strcmp(expected, text) != 0) {
    std::printf("expected  %s: what the search computes has changed\n", expected);
    return 1;
  }
  return 0;
}
