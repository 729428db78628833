// The game record of each thread and the process-wide strategy tables.
#pragma once

#include <cstdint>

#include "simulator/curling_api.h"

// One entry of a candidate list: where to aim, with which spin, and the hit
// power, or -1 for a draw that is to come to rest at the target.
struct ShotCandidate {
  ShotPos target;
  int32_t power;
};
static_assert(sizeof(ShotCandidate) == 16);
static_assert(offsetof(ShotCandidate, target) == 0);
static_assert(offsetof(ShotCandidate, power) == 12);

inline constexpr int32_t kDrawPower = -1;

// The position and state of the game as the calling thread sees it: every
// thread has its own record, all zero when the thread starts. The command loop
// keeps the game's record in its thread's copy; a search works on it in place.
extern thread_local GameState gameState;

// Set by GO in end 0: whether this player delivered the second stone of the
// game's first end. Written only by the command loop's thread, outside any search.
extern bool isSecondPlayer;

// Sixteen positions along the sheet, strictly decreasing: guard rows and the
// lowest hit power of a target; the float nearest to each of the sheet's
// threshold rows. Filled once by InitStrategyTables while the program starts,
// before main and so before the first command is read; read-only afterwards.
extern float yThresholds[16];

void InitStrategyTables();
