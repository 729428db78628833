// curling-match: games between engines, refereed with the physics library.
#include <cstdio>
#include <string>

#include "engine/linked_simulator.h"
#include "match/match_run.h"
#include "match/options.h"
#include "match/platform/process.h"
#include "match/record_merge.h"
#include "match/records/replay.h"
#include "search/strong/position_evaluation.h"

int main(int argc, char** argv) {
  match::MatchOptions options;
  std::string error;
  if (!match::ParseOptions(argc - 1, argv + 1, options, error)) {
    std::fprintf(stderr, "curling-match: %s\n(curling-match --help shows the options)\n",
                 error.c_str());
    return 2;
  }
  if (options.mode == match::RunMode::kHelp) {
    std::fputs(match::UsageText().c_str(), stdout);
    return 0;
  }
  if (options.mode == match::RunMode::kReplay) {
    std::string report;
    const bool agrees = match::records::ReplayRecord(options.replayPath, report);
    std::fputs(report.c_str(), agrees ? stdout : stderr);
    return agrees ? 0 : 1;
  }
  if (options.mode == match::RunMode::kMerge) return match::MergeRecords(options);
  match::platform::PrepareRunnerSignals();
  // The pages graph the stronger search's evaluation, which reaches the
  // physics through its entry points.
  engine::BindLinkedSimulator();
  return match::RunMatch(options, search::strong::LearnedHammerWinChance);
}
