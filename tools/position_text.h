// Positions as lines of text: the shot number, then the sixteen stone centres
// x0 y0 x1 y1 ... x15 y15, all separated by blanks.
#pragma once

#include <string>
#include <string_view>

#include "simulator/curling_api.h"

namespace tools {

// True for a line that every reader of position lines passes over: one of
// nothing but blanks, or a comment, whose first character after blanks is '#'
// (so that 'play', which writes its notes as comments, pipes into the others).
bool IsCommentOrBlankLine(std::string_view line);

// Reads one position line into state's shot number and stones, leaving its
// other fields alone. On a malformed line returns false, says why in error and
// leaves state as it was. Coordinates must be finite decimals; each is rounded
// once, to the nearest float.
bool ParsePositionLine(std::string_view line, GameState& state, std::string& error);

// The position line of state: each coordinate with nine significant digits,
// enough to read back the same float.
std::string FormatPositionLine(const GameState& state);

// Whether each delivered stone of state (the slots below its shot number)
// is out of play (0 0) or on the sheet, between the side lines and from the
// end of the sheet behind the house to the back line at the delivering end;
// if not, says which stone in error. Nothing off the sheet is a position.
bool StonesOnSheet(const GameState& state, std::string& error);

}  // namespace tools
