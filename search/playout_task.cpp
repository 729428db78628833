#include "search/playout_task.h"

#include "engine/game_state.h"
#include "engine/library_binding.h"
#include "search/simulate_shot.h"

namespace search {

int PlayoutFromPosition(const GameState& position, int (*playout)()) {
  const GameState previous = engine::gameState;
  engine::gameState = position;
  // Put back even when the playout throws: the exception travels on to
  // whoever takes the result.
  struct Restore {
    const GameState& previous;
    ~Restore() { engine::gameState = previous; }
  } restore{previous};
  return playout();
}

int PlayoutAfterShot(const GameState& position, const ShotVec& shot, int (*playout)()) {
  GameState afterShot = position;
  SimulateShot(afterShot, shot);
  return PlayoutFromPosition(afterShot, playout);
}

}  // namespace search
