// curling-selfplay: plays games between players in this process, for the
// positions of self-play data (data, merge), for strength (match) and for
// where the searches lose points (regret).
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "engine/linked_simulator.h"
#include "match/platform/process.h"
#include "selfplay/data_run.h"
#include "selfplay/match_command.h"
#include "selfplay/regret.h"
#include "selfplay/self_play_options.h"

namespace {

int Fail(const std::string& error) {
  std::fprintf(stderr, "curling-selfplay: %s\n", error.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  selfplay::SelfPlayOptions options;
  const int status = selfplay::ParseSelfPlayOptions(argc, argv, options);
  if (status >= 0) return status;
  // Before any game's thread starts.
  engine::BindLinkedSimulator();
  // A status line only where someone watches it.
  const bool terminal = match::platform::StandardErrorColumns() > 0;
  std::string error;
  switch (options.command) {
    case selfplay::SelfPlayCommand::kData: {
      options.data.progress = terminal;
      selfplay::DataOutcome outcome;
      if (!selfplay::RunData(options.data, outcome, error)) return Fail(error);
      if (terminal) {
        std::fprintf(
            stderr, "%s: %d games played (%d already there), %lld positions, %.0f/s\n",
            options.data.out.c_str(), outcome.gamesPlayed, outcome.gamesBefore, outcome.positions,
            outcome.seconds > 0.0 ? static_cast<double>(outcome.positions) / outcome.seconds : 0.0);
      }
      return 0;
    }
    case selfplay::SelfPlayCommand::kRegret: {
      std::vector<selfplay::PositionRegret> measured;
      if (!selfplay::RunRegret(options.regret, measured, error)) return Fail(error);
      const std::vector<selfplay::RegretRow> rows = selfplay::RegretTable(measured);
      std::fputs(selfplay::FormatRegretText(rows).c_str(), stdout);
      if (!options.regret.jsonPath.empty()) {
        std::ofstream json(options.regret.jsonPath, std::ios::binary);
        json << selfplay::FormatRegretJson(options.regret, rows);
        if (!json.flush()) return Fail("cannot write " + options.regret.jsonPath);
      }
      return 0;
    }
    case selfplay::SelfPlayCommand::kMerge:
      return selfplay::MergeShards(options.mergeInputs, options.mergeOut, error) ? 0 : Fail(error);
    case selfplay::SelfPlayCommand::kMatch: {
      const selfplay::MatchOutcome outcome = selfplay::PlayMatch(options.match, terminal);
      std::fputs(selfplay::FormatMatchText(outcome.summary, outcome.tally).c_str(), stdout);
      const int played = static_cast<int>(outcome.tally.results.size());
      if (played < options.match.settings.games) {
        std::printf("stopped by the SPRT after %d of %d games\n", played,
                    options.match.settings.games);
      }
      if (!options.match.jsonPath.empty()) {
        std::ofstream json(options.match.jsonPath, std::ios::binary);
        json << selfplay::FormatMatchJson(outcome.summary, outcome.tally);
        if (!json.flush()) return Fail("cannot write " + options.match.jsonPath);
      }
      return 0;
    }
  }
  return 0;
}
