// Byte-for-byte view of a game record, for tests that check a position was
// left exactly as it was, padding included.
#pragma once

#include <array>
#include <bit>

#include "simulator/curling_api.h"

using StateBytes = std::array<unsigned char, sizeof(GameState)>;

inline StateBytes BytesOf(const GameState& state) {
  return std::bit_cast<StateBytes>(state);
}
