// The summary of a match: wins, draws and losses, points for and against,
// for each player overall and split by who had the hammer in the first end
// (the player without it is side A of that game); and player 1 against
// player 2: the score, the Elo difference and, when asked, the SPRT.
#pragma once

#include <string>
#include <vector>

#include "match/game/game_result.h"
#include "match/game/game_settings.h"
#include "match/reports/head_to_head.h"
#include "match/reports/match_statistics.h"

namespace match::reports {

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

struct StatisticsSettings {
  bool paired = game::kPairedByDefault;
  bool sprt = false;
  SprtSettings sprtSettings;
};

struct MatchSummary {
  int games = 0;       // finished games
  int unfinished = 0;  // interrupted before they were decided
  PlayerSummary players[2];
  HeadToHead headToHead;
  bool sprt = false;
  SprtSettings sprtSettings;
  SprtState sprtState;
};

// A game both engines spoiled before its first stone counts as a loss for
// each.
MatchSummary Summarise(const std::vector<game::GameResult>& results, const std::string (&names)[2],
                       const StatisticsSettings& settings = {});

std::string FormatSummaryText(const MatchSummary& summary);
std::string FormatSummaryJson(const MatchSummary& summary);

}  // namespace match::reports
