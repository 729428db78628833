// The commands of the protocol.
#pragma once

#include <cstdint>

#include "engine/player.h"

namespace engine {

// Handles one command line, NUL-terminated (a CR or LF also ends it). The
// command word is compared with NEWGAME, ISREADY, POSITION, SETSTATE and GO
// without regard to letter case; any other word, and an empty line, is ignored.
// The commands work on the calling thread's game record. NEWGAME tells
// `player` too; GO answers with the BESTSHOT reply: below shot 16 the shot
// `player` decides within `decisionMs`, from there on a draw to the tee.
void DispatchCommand(char* line, Player& player, uint64_t decisionMs);

}  // namespace engine
