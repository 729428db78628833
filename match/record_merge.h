// The summary of a whole match from the records of several output
// directories, shards of one match played apart, say.
#pragma once

#include "match/options.h"

namespace match {

// Reads every game record in options.mergeDirectories and writes the summary
// to options.outputDirectory. Returns the process's exit status: 2 when the
// directories hold different matches or two records of one game.
int MergeRecords(const MatchOptions& options);

}  // namespace match
