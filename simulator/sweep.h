// Moves the stones of a shot, contact by contact, until every one has come to
// rest or left play.
#pragma once

#include "simulator/stone.h"

namespace sim {

struct SweepResult {
  bool shooterTouchedStone;  // the stone at index `shooter` made contact
  int contacts;              // contact events resolved
  int steps;                 // time steps taken
};

// Runs until all stones rest or are out. A stone leaves play the moment it
// touches a side line or lies entirely beyond a back line.
SweepResult RunToRest(Stone* stones, int count, int shooter);

}  // namespace sim
