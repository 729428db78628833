// The subcommands of curling-analyze. analyze_main.cpp reads the command line;
// each Run function does the work and returns the process's exit status.
#pragma once

#include <cstdint>
#include <string>

namespace tools {

// Reads positions from standard input and prints the candidate list of each.
int RunCandidatesCommand();

struct PlayOptions {
  float noise = 0.0f;
  bool seedGiven = false;
  uint64_t seed = 0;
};

// Plays shots read from standard input on a position, printing each result.
int RunPlayCommand(const PlayOptions& options);

// Draws each position read from standard input as an SVG picture: one to
// standard output, or each to a file in `directory` when it is given.
int RunPictureCommand(const std::string& directory);

// The game around the positions that 'evaluate' reads: their end, the last
// regular end, both counted from 0 as the record counts them, and the score.
struct EvaluateOptions {
  int end = 0;
  int lastEnd = 9;  // a game of ten ends
  int lead = 0;     // the side with the hammer's points minus the other's before this end
};

// Prints each position read from standard input with its evaluation as '#'
// comment lines: the end's scores, the expected score, the chances of winning.
int RunEvaluateCommand(const EvaluateOptions& options);

}  // namespace tools
