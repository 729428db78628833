#include "engine/game_state.h"

thread_local GameState gameState{};

bool isSecondPlayer = false;

float yThresholds[16];

void InitStrategyTables() {
  // Three runs of equal steps: from the far guard row down to the front of the
  // house (tee y + 1.83), across the house in thirds of its radius to its back
  // (tee y - 1.83), then in sixths of 3.05 to zero. Each entry is the float
  // nearest to the decimal value.
  static constexpr double kValues[16] = {
      10.1375, 8.995, 7.8525,      6.71,        6.1,   5.49,        4.88,         4.27,
      3.66,    3.05,  61.0 / 24.0, 61.0 / 30.0, 1.525, 61.0 / 60.0, 61.0 / 120.0, 0.0,
  };
  for (int i = 0; i < 16; ++i) yThresholds[i] = static_cast<float>(kValues[i]);
}
