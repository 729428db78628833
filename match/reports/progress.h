// The progress lines on standard error, one per delivery and one per game,
// in a fixed key=value layout that scripts may parse:
//   delivery game=1 end=0 shot=3 side=B player=2 ms=4987
//   result game=1 outcome=win winner=2 reason=score points=3-5 ends=8
//     wdl=0-0-1 score=0.000 elo=-inf elo95=-inf,-inf [llr=-0.52 bounds=-2.94,2.94]
// end and shot count from 0 as in the protocol; players are 1 and 2 in the
// order of the command line. The result line goes on with the standing of
// player 1 against player 2 after that game (on the same line).
#pragma once

#include <cstdint>
#include <string>

#include "match/game/game_result.h"
#include "match/records/record_writer.h"
#include "match/reports/head_to_head.h"
#include "match/reports/match_statistics.h"

namespace match::reports {

std::string DeliveryProgress(int game, const records::DeliveryFacts& delivery);
std::string ResultProgress(const game::GameResult& result);

// " wdl=W-D-L score=S elo=E elo95=LOW,HIGH" ("elo=none elo95=none" before
// the first pair is complete), then " llr=L bounds=LOWER,UPPER" when `sprt`
// is given.
std::string StandingProgress(const HeadToHead& headToHead, const SprtState* sprt);

}  // namespace match::reports
