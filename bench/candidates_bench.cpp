// The candidate list on mid-end positions: eight to twelve stones in and
// around the house, the shot numbers that go with them. The plain point-by-
// point walk runs beside it for comparison.
#include <vector>

#include <benchmark/benchmark.h>

#include "candidates/candidates.h"
#include "tests/candidates/reference_candidates.h"

using namespace candidates;
using namespace engine;

namespace {

GameState Position(int shotNumber, std::vector<StonePos> stones) {
  GameState state{};
  state.shotNumber = shotNumber;
  for (size_t i = 0; i < stones.size() && i < 16; ++i) state.stones[i] = stones[i];
  return state;
}

// Fixed positions, so that runs can be compared with each other.
std::vector<GameState> MidEndPositions() {
  return {
      Position(8, {{2.31f, 4.62f},
                   {2.52f, 5.21f},
                   {1.98f, 7.43f},
                   {2.44f, 4.95f},
                   {3.05f, 4.10f},
                   {2.70f, 7.95f},
                   {1.65f, 5.60f},
                   {2.38f, 3.72f}}),
      Position(9, {{2.20f, 4.80f},
                   {2.45f, 6.30f},
                   {2.91f, 4.41f},
                   {1.80f, 3.90f},
                   {2.36f, 8.10f},
                   {2.60f, 5.02f},
                   {1.52f, 4.75f},
                   {3.30f, 5.55f},
                   {2.05f, 5.95f}}),
      Position(10, {{2.40f, 4.88f},
                    {2.10f, 5.30f},
                    {2.66f, 4.35f},
                    {2.37f, 7.02f},
                    {1.74f, 4.02f},
                    {3.12f, 6.05f},
                    {2.55f, 3.45f},
                    {2.25f, 6.60f},
                    {2.90f, 5.10f},
                    {1.95f, 4.55f}}),
      Position(11, {{2.50f, 5.10f},
                    {2.30f, 4.70f},
                    {2.95f, 5.80f},
                    {1.62f, 6.20f},
                    {2.42f, 7.88f},
                    {2.08f, 4.20f},
                    {3.40f, 4.50f},
                    {2.77f, 4.05f},
                    {1.90f, 5.15f},
                    {2.34f, 9.02f},
                    {2.61f, 6.45f}}),
      Position(12, {{2.38f, 4.91f},
                    {2.16f, 4.66f},
                    {2.60f, 5.35f},
                    {2.02f, 6.85f},
                    {2.71f, 7.80f},
                    {1.45f, 4.80f},
                    {3.25f, 4.95f},
                    {2.49f, 3.80f},
                    {2.28f, 5.72f},
                    {1.85f, 3.65f},
                    {2.95f, 4.25f},
                    {2.35f, 6.30f}}),
      Position(13, {{2.45f, 4.55f},
                    {2.20f, 5.05f},
                    {2.75f, 4.90f},
                    {2.00f, 4.30f},
                    {2.37f, 6.95f},
                    {3.00f, 5.60f},
                    {1.70f, 5.40f},
                    {2.55f, 3.95f},
                    {2.25f, 7.90f},
                    {2.85f, 6.20f},
                    {1.95f, 6.05f},
                    {2.65f, 4.15f}}),
      Position(14, {{2.33f, 4.70f},
                    {2.62f, 5.02f},
                    {2.12f, 5.48f},
                    {2.48f, 6.12f},
                    {1.88f, 4.45f},
                    {2.90f, 3.85f},
                    {2.40f, 7.40f},
                    {1.60f, 5.90f},
                    {3.15f, 5.25f},
                    {2.22f, 4.12f}}),
      Position(15, {{2.41f, 5.00f},
                    {2.18f, 4.60f},
                    {2.70f, 5.50f},
                    {2.36f, 8.30f},
                    {1.92f, 5.25f},
                    {2.95f, 4.70f},
                    {2.52f, 6.60f},
                    {1.70f, 4.10f},
                    {3.10f, 6.10f},
                    {2.27f, 3.55f},
                    {2.58f, 4.30f}}),
  };
}

template <int (*Generate)(ShotCandidate*, const StrategyTable&)>
void Candidates(benchmark::State& state) {
  const std::vector<GameState> positions = MidEndPositions();
  static ShotCandidate list[kCandidateCapacity];
  size_t next = 0;
  long entries = 0;
  for (auto _ : state) {
    gameState = positions[next];
    next = (next + 1) % positions.size();
    const int count = Generate(list, yThresholds);
    benchmark::DoNotOptimize(count);
    benchmark::ClobberMemory();
    entries += count;
  }
  state.counters["entries"] =
      benchmark::Counter(static_cast<double>(entries), benchmark::Counter::kAvgIterations);
}

BENCHMARK(Candidates<GenerateCandidates>)->Name("GenerateCandidates");
BENCHMARK(Candidates<ReferenceGenerateCandidates>)->Name("PlainWalk");

}  // namespace

BENCHMARK_MAIN();
