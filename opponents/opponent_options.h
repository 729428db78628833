// The command line the opponents share: an optional seed that makes each
// decision a function of the seed and the position.
#pragma once

#include <functional>
#include <memory>

#include "engine/player.h"
#include "opponents/opponent_seed.h"

namespace opponents {

// Makes the opponent's player once the command line has given its seed.
using OpponentMaker = std::function<std::unique_ptr<engine::Player>(const OpponentSeed&)>;

// Reads the arguments after the program name: "--seed N" ("--seed=N") and
// "--help". Bad arguments: a message on standard error and status 2. Then
// serves commands as the player does, with the player `make` gives reached by
// NEWGAME and GO, and returns the exit status.
int RunOpponent(int argc, char** argv, const char* name, const char* about,
                const OpponentMaker& make);

}  // namespace opponents
