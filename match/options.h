// The runner's command line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "match/game/game_settings.h"
#include "match/reports/match_statistics.h"

namespace match {

inline constexpr int kMaxConcurrency = 32;

enum class RunMode { kMatch, kDemo, kReplay, kMerge, kHelp };

struct MatchOptions {
  RunMode mode = RunMode::kMatch;
  std::string commands[2];
  std::string names[2];  // empty: named after the program
  int games = 1;
  int concurrency = 1;
  int ends = game::kDefaultEnds;
  bool endsGiven = false;
  float noise = game::kDefaultNoise;
  bool seedGiven = false;
  uint64_t seed = 0;
  int hammerPlayer = game::kDefaultHammerPlayer;  // 0 or 1: with the hammer in end 1 of game 1
  int64_t moveTimeMs = game::kDefaultMoveTimeMs;
  int64_t gameTimeMs = 0;  // 0: no total limit
  std::string outputDirectory = "match-output";
  std::string replayPath;
  bool paired = game::kPairedByDefault;
  bool sprt = false;
  reports::SprtSettings sprtSettings;
  int shard = 1;  // this run plays share `shard` of `shards`
  int shards = 1;
  std::vector<std::string> mergeDirectories;
};

// Fills `options` from the arguments after the program name. False with a
// message for anything it cannot take.
bool ParseOptions(int argc, const char* const* argv, MatchOptions& options, std::string& error);

std::string UsageText();

}  // namespace match
