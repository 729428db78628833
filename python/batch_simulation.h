// Many deliveries through the physics library at once, for the Python
// module's simulate_batch: the inputs checked the way the module reports a bad
// argument, then the items shared among worker threads. Item i's execution
// error is drawn as after SeedSimulator(seed + i), so the result is the same
// for any number of threads, and the same as the deliveries one by one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "simulator/curling_api.h"

// The fastest release the batch and the module accept, in m/s: the fastest
// the match runner accepts from an engine. The library would take a faster
// one at its own speed cap, which would be a silently clipped value.
inline constexpr double kFastestRelease = 8.0;

// A batch as the module hands it over: row-major copies of the caller's arrays.
struct BatchInput {
  std::vector<float> stones;         // count x 16 x 2
  std::vector<int64_t> shotNumbers;  // count
  std::vector<float> shots;          // count x 3: vx, vy, spin
  float noise = 0.0f;
  uint64_t seed = 0;
};

// What is wrong with a batch, naming the argument and the first bad item; empty
// when every item is a delivery the library takes.
std::string CheckBatch(const BatchInput& input);

// What is wrong with one shot (`what` names it in the message), or empty.
std::string CheckShot(float vx, float vy, double spin, const std::string& what);

struct BatchOutput {
  std::vector<float> stones;    // count x 16 x 2: each position as the shot left it, before
                                // the close of an end clears the sheet
  std::vector<int32_t> scores;  // the score of that position, positive for the side that
                                // delivered the shot
};

// The position of item i: its shot number and stones, turnFlag 0 (the side
// about to deliver counts as side A), every other field zero.
GameState BatchPosition(const BatchInput& input, size_t item);

// Delivers every item of a checked batch on `threads` worker threads (the
// calling thread only waits, so its own execution error is left alone).
// False with the reason when the library refused an item.
bool SimulateBatch(const BatchInput& input, int threads, BatchOutput& output, std::string& error);
