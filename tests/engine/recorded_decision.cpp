#include "tests/engine/recorded_decision.h"

#include "engine/game_state.h"
#include "search/search.h"

int decisionCount = 0;
GameState decisionState{};

void DecideShot() {
  ++decisionCount;
  decisionState = gameState;
}
