// The match command: paired games in this process, counted as the runner
// counts a match, stopped by the SPRT when it is asked and decides.
#pragma once

#include <string>

#include "match/reports/match_statistics.h"
#include "match/reports/summary.h"
#include "selfplay/match_report.h"
#include "selfplay/run_settings.h"

namespace selfplay {

struct MatchRun {
  RunSettings settings;
  int threads = 2;
  bool sprt = false;
  match::reports::SprtSettings sprtSettings;
  std::string jsonPath;  // empty: no JSON
};

struct MatchOutcome {
  MatchTally tally;
  match::reports::MatchSummary summary;
};

// Plays the match's games in order of game number until they are all played
// or the SPRT decides; `progress` shows a status line on standard error.
MatchOutcome PlayMatch(const MatchRun& run, bool progress);

}  // namespace selfplay
