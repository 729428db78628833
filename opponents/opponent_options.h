// The command line the opponents share: an optional seed that makes each
// decision a function of the seed and the position.
#pragma once

#include <cstdint>

#include "engine/player.h"
#include "simulator/curling_api.h"

struct OpponentSeed {
  bool given = false;
  uint64_t value = 0;
};

// Set by RunOpponent from "--seed N" before the first command.
extern OpponentSeed opponentSeed;

// The seed of one decision on `position`: the same seed and position give
// the same value. Only meaningful when opponentSeed.given.
uint64_t DecisionSeed(const GameState& position);

// Reads the arguments after the program name: "--seed N" ("--seed=N") and
// "--help". Bad arguments: a message on standard error and status 2. Then
// serves commands as the player does, with `player` reached by NEWGAME and
// GO, and returns the exit status.
int RunOpponent(int argc, char** argv, const char* name, const char* about, Player& player);
