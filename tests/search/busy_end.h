// The position of a busy end that the search's tests, benchmarks and signature
// share. Shot 0: an empty sheet. Shot 8: guards, stones in and around the
// house, one out of play. Shot 15: a crowded house with guards in front.
#pragma once

#include <cstdint>

#include "simulator/curling_api.h"

inline GameState BusyEnd(int shotNumber, int32_t lastEnd = 9) {
  static const StonePos kStones[15] = {
      {2.3f, 7.2f}, {2.6f, 7.6f}, {2.4f, 4.7f},  {2.0f, 5.3f}, {0.0f, 0.0f},
      {2.9f, 4.2f}, {2.2f, 6.0f}, {1.6f, 8.3f},  {2.5f, 5.1f}, {3.1f, 5.6f},
      {0.0f, 0.0f}, {1.9f, 4.0f}, {2.45f, 6.9f}, {2.2f, 4.9f}, {2.8f, 7.0f},
  };
  GameState state{};
  state.shotNumber = shotNumber;
  state.currentEnd = 3;
  state.lastEnd = lastEnd;
  state.turnFlag = static_cast<uint8_t>(shotNumber % 2);
  for (int k = 0; k < shotNumber; ++k) state.stones[k] = kStones[k];
  return state;
}
