// A whole match: the games, side by side when asked, the scoreboards and the
// summary.
#pragma once

#include "match/options.h"

// Plays the match the options describe and returns the process's exit status.
int RunMatch(const MatchOptions& options);
