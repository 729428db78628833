// The runner's output: whole lines and blocks, never interleaved when games
// run side by side, and on a terminal a live status line below them.
#pragma once

#include <string>

namespace match::platform {

// One line of progress on standard error (the line end is added).
void WriteProgressLine(const std::string& line);

// A block of text on standard output, flushed at once.
void WriteOutputBlock(const std::string& text);

// A status line at the foot of a terminal, drawn again after every line and
// block written above it; the same line again draws nothing. Empty clears it.
void ShowStatusLine(const std::string& text);

}  // namespace match::platform
