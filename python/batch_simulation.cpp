#include "python/batch_simulation.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <thread>

namespace {

// Items a worker takes at a time: enough to make the shared counter cheap,
// few enough that both threads finish together.
constexpr size_t kChunk = 64;

std::string Item(const char* argument, size_t item) {
  return std::string(argument) + "[" + std::to_string(item) + "]";
}

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", value);
  return text;
}

// Delivers one item; false with the library's code when refused.
int Deliver(const BatchInput& input, size_t item, BatchOutput& output) {
  GameState state = BatchPosition(input, item);
  const float* shot = &input.shots[item * 3];
  const ShotVec vec{shot[0], shot[1], static_cast<uint8_t>(shot[2]), {0, 0, 0}};
  // Without noise the generator is never drawn from, so seeding it would
  // change nothing.
  if (input.noise > 0.0f) SeedSimulator(input.seed + item);
  SimulationReport report{};
  const int result = SimulationWithReport(&state, vec, input.noise, &report);
  if (result != kSimOk) return result;
  std::copy(&report.after.stones[0].x, &report.after.stones[0].x + 32, &output.stones[item * 32]);
  output.scores[item] = GetScore(&report.after);
  return kSimOk;
}

}  // namespace

std::string CheckShot(float vx, float vy, double spin, const std::string& what) {
  if (!std::isfinite(vx) || !std::isfinite(vy)) {
    return what + ": the velocity (" + Number(vx) + ", " + Number(vy) + ") is not finite";
  }
  const double speed = std::hypot(static_cast<double>(vx), static_cast<double>(vy));
  if (speed > kFastestRelease) {
    return what + ": release speed " + Number(speed) + " m/s is beyond " + Number(kFastestRelease) +
           " m/s";
  }
  if (spin != 0.0 && spin != 1.0) return what + ": spin " + Number(spin) + " is neither 0 nor 1";
  return {};
}

std::string CheckBatch(const BatchInput& input) {
  const size_t count = input.shotNumbers.size();
  if (input.stones.size() != count * 32 || input.shots.size() != count * 3) {
    return "stones, shot_numbers and shots must hold the same number of items";
  }
  if (!std::isfinite(input.noise)) return "noise: " + Number(input.noise) + " is not finite";
  if (input.noise < 0.0f) return "noise: " + Number(input.noise) + " is negative";
  for (size_t i = 0; i < count; ++i) {
    for (size_t c = 0; c < 32; ++c) {
      if (!std::isfinite(input.stones[i * 32 + c])) {
        return Item("stones", i) + ": stone " + std::to_string(c / 2) + " has the coordinate " +
               Number(input.stones[i * 32 + c]);
      }
    }
    const int64_t shotNumber = input.shotNumbers[i];
    if (shotNumber < 0 || shotNumber > 15) {
      return Item("shot_numbers", i) + ": " + std::to_string(shotNumber) +
             " is not a shot number of a delivery (0 to 15)";
    }
    const float* shot = &input.shots[i * 3];
    std::string problem = CheckShot(shot[0], shot[1], shot[2], Item("shots", i));
    if (!problem.empty()) return problem;
  }
  return {};
}

GameState BatchPosition(const BatchInput& input, size_t item) {
  GameState state{};
  state.shotNumber = static_cast<int32_t>(input.shotNumbers[item]);
  std::copy(&input.stones[item * 32], &input.stones[item * 32] + 32, &state.stones[0].x);
  return state;
}

bool SimulateBatch(const BatchInput& input, int threads, BatchOutput& output, std::string& error) {
  const size_t count = input.shotNumbers.size();
  output.stones.assign(count * 32, 0.0f);
  output.scores.assign(count, 0);
  std::atomic<size_t> next{0};
  // The first refused item by index, so that the report does not depend on
  // the threads' timing.
  std::mutex refusedLock;
  size_t refused = count;
  int refusal = kSimOk;
  const auto work = [&] {
    for (size_t start = next.fetch_add(kChunk); start < count; start = next.fetch_add(kChunk)) {
      for (size_t item = start; item < std::min(start + kChunk, count); ++item) {
        const int result = Deliver(input, item, output);
        if (result == kSimOk) continue;
        const std::lock_guard<std::mutex> hold(refusedLock);
        if (item < refused) {
          refused = item;
          refusal = result;
        }
      }
    }
  };
  const size_t chunks = (count + kChunk - 1) / kChunk;
  const size_t workers =
      std::clamp<size_t>(static_cast<size_t>(std::max(threads, 1)), 1, std::max<size_t>(chunks, 1));
  std::vector<std::thread> pool;
  pool.reserve(workers);
  for (size_t w = 0; w < workers; ++w) pool.emplace_back(work);
  for (std::thread& thread : pool) thread.join();
  if (refused < count) {
    error = "the library refused item " + std::to_string(refused) + " with code " +
            std::to_string(refusal);
    return false;
  }
  return true;
}
