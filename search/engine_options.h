// The player's command line: which search decides the shots, how long a
// decision may take and the seed that makes decisions reproducible.
#pragma once

#include <cstdint>
#include <string>

#include "search/strong/position_judge.h"  // Evaluation

namespace search {

enum class SearchKind { kReference, kStrong };

struct EngineOptions {
  SearchKind search;
  bool timeGiven = false;
  uint64_t timeMs = 0;  // per decision, when given
  bool seedGiven = false;
  uint64_t seed = 0;
  uint64_t samples = 0;  // the stronger search: samples per decision instead of the clock
  bool evaluationGiven = false;
  // the stronger search's, mid-end
  strong::Evaluation evaluation = strong::kDefaultEvaluation;
  bool help = false;
};

// The shortest and longest decision a search is asked for: below the
// shortest the time would go to setting up rather than searching.
inline constexpr uint64_t kShortestDecisionMs = 50;
inline constexpr uint64_t kLongestDecisionMs = 3600000;

// Reads the arguments after the program name, "--name value" or
// "--name=value", by the player's table of options. `search` starts as
// `defaultSearch`. On a bad argument
// returns false with a message for the user in `error`.
bool ParseEngineOptions(int argc, const char* const* argv, SearchKind defaultSearch,
                        EngineOptions& options, std::string& error);

// The text --help prints, for the program named `program`.
std::string EngineUsage(const std::string& program, SearchKind defaultSearch);

}  // namespace search
