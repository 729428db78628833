// Many deliveries through the physics library at once, for the Python
// module's simulate_batch: the inputs checked the way the module reports a bad
// argument, then the items dealt out to worker threads in blocks.
//
// Seeding the library's generator costs some thirty draws, so it is seeded
// once per block of kSeedBlock items rather than per item: block b from
// seed + b, its items drawing from it in order (each noisy delivery takes the
// same two numbers, whatever the position). The result is therefore the same
// for any number of threads, and the same as the deliveries one by one with
// SeedSimulator(seed + i / kSeedBlock) before every item i that starts a block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "simulator/curling_api.h"

namespace python {

// The fastest release the batch and the module accept, in m/s: the fastest
// the match runner accepts from an engine. The library would take a faster
// one at its own speed cap, which would be a silently clipped value.
inline constexpr double kFastestRelease = 8.0;

// Items per seed, and the unit of work of a thread.
inline constexpr size_t kSeedBlock = 512;

// A batch as the module hands it over: row-major arrays of `count` items.
struct BatchInput {
  size_t count = 0;
  const float* stones = nullptr;         // count x 16 x 2
  const int64_t* shotNumbers = nullptr;  // count
  const float* shots = nullptr;          // count x 3: vx, vy, spin
  float noise = 0.0f;
  uint64_t seed = 0;
};

// Where the results go: `count` items each.
struct BatchOutput {
  float* stones = nullptr;    // count x 16 x 2: each position as the shot left it, before the
                              // close of an end clears the sheet
  int32_t* scores = nullptr;  // the score of that position, positive for the side that
                              // delivered the shot
};

// What is wrong with a batch, naming the argument and the first bad item; empty
// when every item is a delivery the library takes. SimulateBatch checks as it
// goes; this is the same check on its own.
std::string CheckBatch(const BatchInput& input);

// What is wrong with one shot (`what` names it in the message), or empty.
std::string CheckShot(float vx, float vy, double spin, const std::string& what);

// Delivers every item of the batch on `threads` worker threads (the calling
// thread only waits, so that its own generator is left alone). Each item is
// checked on the copy that is delivered, so that a caller's array changed
// meanwhile cannot hand the library a bad value. False with CheckBatch's
// message for the first bad item, or the library's refusal; the good items
// are delivered all the same.
bool SimulateBatch(const BatchInput& input, int threads, const BatchOutput& output,
                   std::string& error);

}  // namespace python
