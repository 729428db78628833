// The player's main routine.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/command.h"
#include "engine/line_assembly.h"
#include "engine/player.h"

namespace engine {

// How long input may stay quiet after text without a line end before that
// text is taken as a whole command.
inline constexpr int kQuietIntervalMs = 20;

// Reads up to `capacity` bytes, waiting at most `waitMs` milliseconds (forever
// when negative); returns the count, kReadClosed or kReadTimedOut.
using InputReader = long (*)(char* buffer, size_t capacity, int waitMs);

// Reads input until it ends, handing every line to `handle` in order. Text
// left without a line end is handled once input stays quiet for
// kQuietIntervalMs, or when input ends.
void RunCommandStream(InputReader read, LineHandler handle);

// Binds the simulator library and serves commands from standard input until
// it ends, NEWGAME and GO reaching `player`, each decision given `decisionMs`.
// Returns the process's exit status: 0 after end of input, 1 when the library
// could not be bound (no input is read then).
int CommandLoop(Player& player, uint64_t decisionMs);

}  // namespace engine
