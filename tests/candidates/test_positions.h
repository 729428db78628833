// Setting up the calling thread's position for the candidate tests.
#pragma once

#include <initializer_list>

#include "engine/game_state.h"

// The given stones in slots 0, 1, ..., every other slot at (0, 0), as the
// engine sees a position; the strategy tables filled.
inline void SetPosition(int shotNumber, std::initializer_list<StonePos> stones) {
  InitStrategyTables();
  gameState = GameState{};
  gameState.shotNumber = shotNumber;
  int slot = 0;
  for (const StonePos& stone : stones) gameState.stones[slot++] = stone;
}
