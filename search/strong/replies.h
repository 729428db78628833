// The shots a side answers with late in an end, and how a line of such
// answers values a position: each side in turn picks the reply that one
// noisy execution shows best for itself, the last stone's by the end it
// closes, and the line ends in the standing value of the position reached.
#pragma once

#include "search/strong/position_judge.h"
#include "simulator/curling_api.h"

namespace search::strong {

// Room for the replies of ReplyShots.
inline constexpr int kLastStoneReplyCapacity = 16;

// A stone thrown through the house, to blank an end or to leave it as it is.
ShotVec ThroughTheHouse();

// The shots worth trying with the end's last stones: draws to the button,
// the throw through the house, and takeouts of the opponent's stones nearest
// the tee. Returns the count.
int ReplyShots(const GameState& position, ShotVec (&replies)[kLastStoneReplyCapacity]);

// The value for the judge's player of `position` at shot 15: the side to
// deliver picks, among ReplyShots, the one with the best mean over `trials`
// noisy executions for itself. Uses the calling thread's execution error.
double LastStoneValue(const GameState& position, const PositionJudge& judge, int trials);

// The value for the judge's player of `position` after up to `stones` more
// deliveries, each the reply the side to deliver judges best for itself by
// one noisy execution of every ReplyShots entry (by the judge's evaluation,
// or by the closed end for the last stone), then delivered afresh: a choice
// made on one execution is not credited with that execution's luck. Stops
// early when the end closes. Uses the calling thread's execution error.
double ReplyLineValue(GameState position, const PositionJudge& judge, int stones);

}  // namespace search::strong
