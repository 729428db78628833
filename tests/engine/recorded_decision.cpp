#include "tests/engine/recorded_decision.h"

#include "engine/game_state.h"

int decisionCount = 0;
GameState decisionState{};

void RecordDecision() {
  ++decisionCount;
  decisionState = gameState;
}
