#include "python/batch_simulation.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

namespace python {

namespace {

std::string Item(const char* argument, size_t item) {
  return std::string(argument) + "[" + std::to_string(item) + "]";
}

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", value);
  return text;
}

// Whether CheckShot finds nothing wrong, without making its message: the
// speed compared squared first, since most shots are far from the limit.
bool ShotFits(float vx, float vy, float spin) {
  if (!std::isfinite(vx) || !std::isfinite(vy) || (spin != 0.0f && spin != 1.0f)) return false;
  const double x = vx;
  const double y = vy;
  const double square = x * x + y * y;
  if (square < 0.99 * kFastestRelease * kFastestRelease) return true;
  return std::hypot(x, y) <= kFastestRelease;
}

// What is wrong with item `item`, or empty.
std::string CheckItem(const BatchInput& input, size_t item) {
  const float* stones = input.stones + item * 32;
  for (size_t c = 0; c < 32; ++c) {
    if (!std::isfinite(stones[c])) {
      return Item("stones", item) + ": stone " + std::to_string(c / 2) + " has the coordinate " +
             Number(stones[c]);
    }
  }
  const int64_t shotNumber = input.shotNumbers[item];
  if (shotNumber < 0 || shotNumber > 15) {
    return Item("shot_numbers", item) + ": " + std::to_string(shotNumber) +
           " is not the shot number of a delivery (0 to 15)";
  }
  const float* shot = input.shots + item * 3;
  if (ShotFits(shot[0], shot[1], shot[2])) return {};
  return CheckShot(shot[0], shot[1], shot[2], Item("shots", item));
}

// Deliver's answer for an item that CheckItem refuses.
constexpr int kBadItem = 1;

// Delivers one item: the library's result code, or kBadItem.
int Deliver(const BatchInput& input, size_t item, const BatchOutput& output) {
  // Field by field: clearing the whole record first took a tenth of a draw.
  GameState state;
  state.currentEnd = 0;
  state.lastEnd = 0;
  std::memset(state.endScores, 0, sizeof state.endScores);
  state.turnFlag = 0;
  std::memset(state.padding, 0, sizeof state.padding);
  std::memcpy(&state.stones[0].x, input.stones + item * 32, sizeof state.stones);
  const int64_t shotNumber = input.shotNumbers[item];
  const float vx = input.shots[item * 3];
  const float vy = input.shots[item * 3 + 1];
  const float spin = input.shots[item * 3 + 2];
  // The copies are what is delivered, so they are what is checked: a caller's
  // array changed meanwhile cannot hand the library a bad value.
  bool finite = true;
  for (const StonePos& stone : state.stones) {
    finite = finite && std::isfinite(stone.x) && std::isfinite(stone.y);
  }
  if (!finite || shotNumber < 0 || shotNumber > 15 || !ShotFits(vx, vy, spin)) return kBadItem;
  state.shotNumber = static_cast<int32_t>(shotNumber);
  const ShotVec shot{vx, vy, static_cast<uint8_t>(spin != 0.0f ? 1 : 0), {0, 0, 0}};
  SimulationReport report;  // filled by the library on success
  const int result = SimulationWithReport(&state, shot, input.noise, &report);
  if (result != kSimOk) return result;
  std::memcpy(output.stones + item * 32, &report.after.stones[0].x, sizeof report.after.stones);
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
  if (!std::isfinite(input.noise)) return "noise: " + Number(input.noise) + " is not finite";
  if (input.noise < 0.0f) return "noise: " + Number(input.noise) + " is negative";
  for (size_t i = 0; i < input.count; ++i) {
    std::string problem = CheckItem(input, i);
    if (!problem.empty()) return problem;
  }
  return {};
}

bool SimulateBatch(const BatchInput& input, int threads, const BatchOutput& output,
                   std::string& error) {
  if (!std::isfinite(input.noise) || input.noise < 0.0f) {
    error = CheckBatch(BatchInput{0, nullptr, nullptr, nullptr, input.noise, input.seed});
    return false;
  }
  const size_t blocks = (input.count + kSeedBlock - 1) / kSeedBlock;
  std::atomic<size_t> next{0};
  std::mutex firstLock;
  size_t first = input.count;  // the first item not delivered, whatever the threads' timing
  int firstResult = kSimOk;
  const auto work = [&] {
    for (size_t block = next++; block < blocks; block = next++) {
      // Without noise the generator is never drawn from: seeding it would
      // change nothing.
      if (input.noise > 0.0f) SeedSimulator(input.seed + block);
      const size_t end = std::min((block + 1) * kSeedBlock, input.count);
      for (size_t item = block * kSeedBlock; item < end; ++item) {
        const int result = Deliver(input, item, output);
        if (result == kSimOk) continue;
        const std::lock_guard<std::mutex> hold(firstLock);
        if (item < first) {
          first = item;
          firstResult = result;
        }
      }
    }
  };
  const size_t workers =
      std::clamp<size_t>(static_cast<size_t>(std::max(threads, 1)), 1, std::max<size_t>(blocks, 1));
  std::vector<std::thread> pool;
  pool.reserve(workers);
  for (size_t w = 0; w < workers; ++w) pool.emplace_back(work);
  for (std::thread& thread : pool) thread.join();
  if (first == input.count) return true;
  if (firstResult == kBadItem) {
    error = CheckItem(input, first);
    // Only when the caller changed the array back while it was read.
    if (error.empty()) error = "item " + std::to_string(first) + " changed while it was read";
  } else {
    error = "item " + std::to_string(first) + " was refused by the library (result code " +
            std::to_string(firstResult) + ")";
  }
  return false;
}

}  // namespace python
