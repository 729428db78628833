#include "selfplay/match_command.h"

#include <cstdio>

#include "match/platform/console.h"
#include "match/reports/head_to_head.h"
#include "selfplay/game_pool.h"

namespace selfplay {

MatchOutcome PlayMatch(const MatchRun& run, bool progress) {
  MatchOutcome outcome;
  const std::string names[2] = {PlayerChoiceText(run.settings.players[0]),
                                PlayerChoiceText(run.settings.players[1])};
  const match::reports::StatisticsSettings statistics{true, run.sprt, run.sprtSettings};
  const std::vector<int> numbers = RunGames(run.settings);
  PlayGames(run.settings, numbers, run.threads, [&](int number, SelfPlayGame& game) {
    CountGame(outcome.tally, number, game);
    const match::reports::HeadToHead& h =
        match::reports::CountHeadToHead(outcome.tally.results, true);
    if (progress) {
      char line[160];
      std::snprintf(line, sizeof line, "%d/%zu games, %d-%d-%d, Elo %s", number, numbers.size(),
                    h.wins, h.draws, h.losses, match::reports::EloText(h.estimate.elo).c_str());
      match::platform::ShowStatusLine(line);
    }
    // The test is taken after whole pairs, as the pentanomial counts them.
    if (!run.sprt || number % 2 != 0) return true;
    return match::reports::RunSprt(match::reports::HeadToHeadCounts(h), run.sprtSettings)
               .decision == match::reports::SprtDecision::kContinue;
  });
  if (progress) match::platform::ShowStatusLine("");
  outcome.summary = SummariseTally(outcome.tally, names, statistics);
  return outcome;
}

}  // namespace selfplay
