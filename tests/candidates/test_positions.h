// Setting up the calling thread's position for the candidate tests.
#pragma once

#include <initializer_list>

#include "engine/game_state.h"

// The given stones in slots 0, 1, ..., every other slot at (0, 0), as the
// engine sees a position.
inline void SetPosition(int shotNumber, std::initializer_list<StonePos> stones) {
  engine::gameState = GameState{};
  engine::gameState.shotNumber = shotNumber;
  int slot = 0;
  for (const StonePos& stone : stones) engine::gameState.stones[slot++] = stone;
}

// Six open stones side by side far up the sheet, at shot 6: their hits and
// the draws in their lanes call for more entries than the list holds.
inline void SetOverfullPosition() {
  SetPosition(6, {{0.65f, 11.16f},
                  {1.25f, 11.16f},
                  {1.85f, 11.16f},
                  {2.45f, 11.16f},
                  {3.05f, 11.16f},
                  {3.65f, 11.16f}});
}
