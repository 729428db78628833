// The first draws of std::mt19937 seeded with one value, without the work on
// the rest of its state. The standard engine seeds all 624 words of its state
// and twists them all before its first draw; draw k needs only words k, k + 1
// and k + 397 of the seeded state, and a playout takes at most fifteen draws.
#pragma once

#include <cstdint>

namespace search {

class FirstDraws {
 public:
  static constexpr int kMaxDraws = 16;

  explicit FirstDraws(uint32_t seed) { words[0] = seed; }

  // The next draw, exactly as std::mt19937(seed) gives it; at most kMaxDraws.
  uint32_t operator()() {
    const int k = drawn++;
    // Seeding: each word from the one before.
    for (; seeded <= k + kShift; ++seeded) {
      const uint32_t previous = words[seeded - 1];
      words[seeded] = 1812433253U * (previous ^ (previous >> 30)) + static_cast<uint32_t>(seeded);
    }
    // The twist of word k, which for k < 227 reads only words not yet twisted.
    const uint32_t y = (words[k] & 0x80000000U) | (words[k + 1] & 0x7fffffffU);
    uint32_t z = words[k + kShift] ^ (y >> 1) ^ ((y & 1U) != 0 ? 0x9908b0dfU : 0U);
    // Tempering.
    z ^= z >> 11;
    z ^= (z << 7) & 0x9d2c5680U;
    z ^= (z << 15) & 0xefc60000U;
    z ^= z >> 18;
    return z;
  }

 private:
  static constexpr int kShift = 397;
  uint32_t words[kMaxDraws + kShift];
  int seeded = 1;
  int drawn = 0;
};

}  // namespace search
