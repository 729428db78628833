// What GO and NEWGAME reach: the player that decides the shots. The search,
// each opponent's rule and the tests' recorders are players; the program that
// runs the command loop chooses one and hands it over.
#pragma once

#include <cstdint>

#include "simulator/curling_api.h"

namespace engine {

class Player {
 public:
  virtual ~Player() = default;

  // A new game begins: what the player kept of the games before is
  // forgotten. Players that keep nothing between decisions leave it as it is.
  virtual void NewGame() {}

  // The shot to play in `state`, for the side about to deliver (shot numbers
  // 0 to 15), decided within `timeMs` milliseconds. Writes nothing: the
  // command loop sends the reply. The calling thread's game record is the
  // same afterwards, byte for byte.
  virtual ShotVec Decide(const GameState& state, uint64_t timeMs) = 0;
};

}  // namespace engine
