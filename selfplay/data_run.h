// The data command: plays a run's games and writes the position before every
// delivery to a file, a whole game at a time, resuming a file that an
// earlier run of the same settings left; and the merge of a run's shards.
#pragma once

#include <string>
#include <vector>

#include "selfplay/run_settings.h"

namespace selfplay {

struct DataRun {
  RunSettings settings;
  int threads = 2;
  std::string out;
  bool progress = false;  // a status line on standard error
};

struct DataOutcome {
  int gamesBefore = 0;  // whole games the file already held
  int gamesPlayed = 0;
  long long positions = 0;  // positions written by this run
  double seconds = 0.0;
};

// False with a message when the file belongs to another run or cannot be
// written.
bool RunData(const DataRun& run, DataOutcome& outcome, std::string& error);

// Writes the games of `shards`, the complete files of every shard of one
// run, to `out` in game order: the file the run would have written on one
// machine.
bool MergeShards(const std::vector<std::string>& shards, const std::string& out,
                 std::string& error);

}  // namespace selfplay
