// Playing an end out the way players play it: a cheap rule policy (guards
// early, draws into the house, takeouts of the shot stone) instead of random
// candidates, and the end's last stone chosen among a few sensible replies.
#pragma once

#include <cstdint>

#include "search/strong/game_value.h"
#include "simulator/curling_api.h"

// A small generator for one sample: fast to seed, so that every sample can
// have its own stream and samples with the same seed see the same choices.
struct SampleRandom {
  uint64_t state;
  uint64_t Next();
  double Uniform();  // [0, 1)
  double Normal();   // standard normal
};

// The shot the policy plays for the side about to deliver in `position`.
ShotVec PolicyShot(const GameState& position, SampleRandom& random);

// Room for the replies of ReplyShots.
inline constexpr int kLastStoneReplyCapacity = 16;

// A stone thrown through the house, to blank an end or to leave it as it is.
ShotVec ThroughTheHouse();

// The shots worth trying with the end's last stones: draws to the button,
// the throw through the house, and takeouts of the opponent's stones nearest
// the tee. Returns the count.
int ReplyShots(const GameState& position, ShotVec (&replies)[kLastStoneReplyCapacity]);

// The player's end score in a position just closed (shot number 0, the end's
// score booked), from -8 to 8.
int ClosedEndScore(const GameState& closed, bool playerIsSideA);

// The value for the player of `position` at shot 15: the side to deliver
// picks, among ReplyShots, the one with the best mean over `trials` noisy
// executions for itself. Uses the calling thread's execution error.
double LastStoneValue(const GameState& position, const EndValues& values, bool playerIsSideA,
                      int trials);

// The value for the player of `position`, played to the close of the end with
// PolicyShot, the last stone by LastStoneValue when `lastStoneTrials` > 0.
double PlayOut(GameState position, const EndValues& values, bool playerIsSideA,
               SampleRandom& random, int lastStoneTrials);
