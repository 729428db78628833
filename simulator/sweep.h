// Moves the stones of a shot, contact by contact, until every one has come to
// rest or left play.
#pragma once

#include <vector>

#include "simulator/stone.h"

namespace sim {

struct SweepResult {
  bool shooterTouchedStone;  // the stone at index `shooter` made contact
  int contacts;              // contact events resolved
  int steps;                 // time steps taken
};

// What a sweep did to one stone, for drawing its path: every motion it was
// set on, in time order (it follows each until the next starts), and when it
// stopped taking part if not by coming to rest.
struct StoneTrace {
  std::vector<Motion> motions;
  double endTime = -1.0;  // when it left play or was stopped by the step cap; -1: came to rest
  bool leftPlay = false;
};

struct SweepTrace {
  StoneTrace stones[16];
};

// Runs until all stones rest or are out. A stone leaves play the moment it
// touches a side line or lies entirely beyond a back line. A trace, when
// given, only watches: the stones move exactly as without it.
SweepResult RunToRest(Stone* stones, int count, int shooter, SweepTrace* trace = nullptr);

}  // namespace sim
