// The replies of the player: written at once, as their bytes alone, with no
// line end.
#pragma once

#include <cstddef>

#include "simulator/curling_api.h"

namespace engine {

// Room for the longest shot reply and its terminating NUL.
inline constexpr size_t kReplyCapacity = 128;

// Writes the bytes of `text` up to its NUL to standard output.
void WriteReply(const char* text);

// Formats "BESTSHOT <vx> <vy> <spin>": both velocity components widened to
// double with six decimals, the spin byte as an unsigned number. Returns the
// number of characters written before the NUL.
int FormatShotReply(const ShotVec& shot, char (&reply)[kReplyCapacity]);

// FormatShotReply, then WriteReply.
void WriteShotReply(const ShotVec& shot);

}  // namespace engine
