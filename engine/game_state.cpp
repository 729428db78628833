#include "engine/game_state.h"

namespace engine {

thread_local GameState gameState{};

bool isSecondPlayer = false;

}  // namespace engine
