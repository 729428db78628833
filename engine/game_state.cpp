#include "engine/game_state.h"

thread_local GameState gameState{};

bool isSecondPlayer = false;
