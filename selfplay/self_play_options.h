// The command line of curling-selfplay: a command (data, match, merge, regret) and
// its options.
#pragma once

#include <string>
#include <vector>

#include "selfplay/data_run.h"
#include "selfplay/match_command.h"
#include "selfplay/regret.h"

namespace selfplay {

enum class SelfPlayCommand { kData, kMatch, kMerge, kRegret };

struct SelfPlayOptions {
  SelfPlayCommand command = SelfPlayCommand::kData;
  DataRun data;
  MatchRun match;
  RegretRun regret;
  std::string mergeOut;
  std::vector<std::string> mergeInputs;
};

// Reads the arguments after the program name. Returns -1 to go on, else the
// exit status (0 after --help, 2 on a bad command line, with a message on
// standard error).
int ParseSelfPlayOptions(int argc, const char* const* argv, SelfPlayOptions& options);

}  // namespace selfplay
