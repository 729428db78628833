// The progress lines on standard error, one per delivery and one per game,
// in a fixed key=value layout that scripts may parse:
//   delivery game=1 end=0 shot=3 side=B player=2 ms=4987
//   result game=1 outcome=win winner=2 reason=score points=3-5 ends=8
// end and shot count from 0 as in the protocol; players are 1 and 2 in the
// order of the command line.
#pragma once

#include <cstdint>
#include <string>

#include "match/game/game_result.h"

std::string DeliveryProgress(int game, int end, int shot, char side, int player, int64_t ms);
std::string ResultProgress(const GameResult& result);
