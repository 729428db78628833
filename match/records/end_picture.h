// The picture of an end's final position, beside the game's record.
#pragma once

#include <string>

#include "match/game/game_flow.h"

namespace match::records {

// The SVG of end `endIndex` of a game whose line score holds it, with the
// position its last stone left and the game's points after it. Each player
// keeps one colour through the game: player 1 red, player 2 yellow.
std::string EndPictureSvg(const game::LineScore& score, int endIndex,
                          const GameState& finalPosition, const std::string (&names)[2],
                          int gameNumber);

}  // namespace match::records
