// The summary of a match: wins, draws and losses, points for and against,
// for each player overall and split by who had the hammer in the first end
// (the player without it is side A of that game).
#pragma once

#include <string>
#include <vector>

#include "match/game/game_result.h"

struct Tally {
  int games = 0;
  int wins = 0;
  int draws = 0;
  int losses = 0;
  int pointsFor = 0;
  int pointsAgainst = 0;
};

struct PlayerSummary {
  std::string name;
  Tally all;
  Tally withHammer;     // had the hammer in the first end (side B)
  Tally withoutHammer;  // delivered the game's first stone (side A)
  int faults[6] = {};   // games lost by each Fault, indexed by its value
};

struct MatchSummary {
  int games = 0;       // finished games
  int unfinished = 0;  // interrupted before they were decided
  PlayerSummary players[2];
};

// A game both engines spoiled before its first stone counts as a loss for
// each.
MatchSummary Summarise(const std::vector<GameResult>& results, const std::string (&names)[2]);

std::string FormatSummaryText(const MatchSummary& summary);
std::string FormatSummaryJson(const MatchSummary& summary);
