#include "engine/game_state.h"

#include "simulator/sheet.h"

thread_local GameState gameState{};

bool isSecondPlayer = false;

float yThresholds[16];

void InitStrategyTables() {
  for (int i = 0; i < 16; ++i) yThresholds[i] = static_cast<float>(kThresholdRowY[i]);
}

namespace {

// The one call that fills the table, while the program starts: every program
// and test that reads yThresholds links this file, so none has to remember it.
[[maybe_unused]] const bool strategyTablesFilled = (InitStrategyTables(), true);

}  // namespace
