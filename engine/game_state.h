// The game record of each thread, and which side the player is.
#pragma once

#include "simulator/curling_api.h"

// The position and state of the game as the calling thread sees it: every
// thread has its own record, all zero when the thread starts. The command loop
// keeps the game's record in its thread's copy; a search works on it in place.
extern thread_local GameState gameState;

// Set by GO in end 0: whether this player delivered the second stone of the
// game's first end. Written only by the command loop's thread, outside any search.
extern bool isSecondPlayer;
