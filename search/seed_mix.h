// Seeds derived from a given seed and a position, so that a decision asked
// twice of the same position with the same seed draws the same numbers.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "simulator/curling_api.h"

namespace search {

// SplitMix64's finaliser over the two words.
inline uint64_t MixSeed(uint64_t a, uint64_t b) {
  uint64_t z = a ^ std::rotl(b, 32) ^ (b * 0x9E3779B97F4A7C15ull);
  z += 0x9E3779B97F4A7C15ull;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

// FNV-1a over every byte of the record, padding included.
inline uint64_t HashPosition(const GameState& position) {
  // Copied rather than std::bit_cast, which emscripten's library lacks.
  std::array<unsigned char, sizeof(GameState)> bytes{};
  std::memcpy(bytes.data(), &position, sizeof position);
  uint64_t hash = 0xCBF29CE484222325ull;
  for (const unsigned char byte : bytes) hash = (hash ^ byte) * 0x100000001B3ull;
  return hash;
}

}  // namespace search
