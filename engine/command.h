// The commands of the protocol.
#pragma once

// The move decision that GO hands over to: it works on the calling thread's
// game record and writes the BESTSHOT reply itself. The program that runs the
// command loop chooses it: the player's search, an opponent's own rule, a
// test's recorder.
using ShotDecision = void (*)();

// Handles one command line, NUL-terminated (a CR or LF also ends it). The
// command word is compared with NEWGAME, ISREADY, POSITION, SETSTATE and GO
// without regard to letter case; any other word, and an empty line, is ignored.
// The commands work on the calling thread's game record; GO answers with a
// shot: `decide` below shot 16, a draw to the tee from there on.
void DispatchCommand(char* line, ShotDecision decide);
