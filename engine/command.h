// The commands of the protocol.
#pragma once

// Handles one command line, NUL-terminated (a CR or LF also ends it). The
// command word is compared with NEWGAME, ISREADY, POSITION, SETSTATE and GO
// without regard to letter case; any other word, and an empty line, is ignored.
// The commands work on the calling thread's game record; GO answers with a
// shot, searched below shot 16 and a draw to the tee from there on.
void DispatchCommand(char* line);
