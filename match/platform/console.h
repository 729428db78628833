// The runner's output: whole lines and blocks, never interleaved when games
// run side by side.
#pragma once

#include <string>

// One line of progress on standard error (the line end is added).
void WriteProgressLine(const std::string& line);

// A block of text on standard output, flushed at once.
void WriteOutputBlock(const std::string& text);
