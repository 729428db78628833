// A playout run away from the search's own position.
#pragma once

#include "simulator/curling_api.h"

namespace search {

// Makes `position` the calling thread's game record, runs `playout` on it and
// puts the thread's previous record back before returning the score; so a
// task that happens to run on the search's own thread leaves the search's
// position as it was.
int PlayoutFromPosition(const GameState& position, int (*playout)());

// Delivers `shot` from `position` with the usual noise, then runs `playout`
// from there as PlayoutFromPosition does.
int PlayoutAfterShot(const GameState& position, const ShotVec& shot, int (*playout)());

}  // namespace search
