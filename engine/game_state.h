// The game record of each thread, and which side the player is.
#pragma once

#include "simulator/curling_api.h"

namespace engine {

// The position and state of the game as the calling thread sees it: every
// thread has its own record, all zero when the thread starts. The command loop
// keeps the game's record in its thread's copy; a search works on it in place.
extern thread_local GameState gameState;

// Set by GO in end 0: whether this player delivered the second stone of the
// game's first end. Written only by the command loop's thread, outside any search.
extern bool isSecondPlayer;

// The score of the end that `closed` has just closed (its current end's
// predecessor), signed for side A when `forSideA` and for side B otherwise;
// 0 for a position outside the ten recorded ends.
inline int ClosedEndScore(const GameState& closed, bool forSideA) {
  const int index = closed.currentEnd - 1;
  if (index < 0 || index > 9) return 0;
  return forSideA ? closed.endScores[index] : -closed.endScores[index];
}

// Puts `position` in the calling thread's game record for as long as it
// lives, for a player whose parts read the record rather than take a
// position, and then gives the record back as it was. `position` may be the
// record itself.
class GameRecordHeld {
 public:
  explicit GameRecordHeld(const GameState& position) : saved_(gameState) { gameState = position; }
  ~GameRecordHeld() { gameState = saved_; }
  GameRecordHeld(const GameRecordHeld&) = delete;
  GameRecordHeld& operator=(const GameRecordHeld&) = delete;

 private:
  GameState saved_;
};

}  // namespace engine
