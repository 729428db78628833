#include "match/records/end_picture.h"

#include "drawing/position_svg.h"

namespace match::records {

std::string EndPictureSvg(const game::LineScore& score, int end, const GameState& finalPosition,
                          const std::string (&names)[2], int gameNumber) {
  const int first = score.endFirst[end];
  // The game's points as they stood when this end closed.
  int points[2] = {0, 0};
  for (int e = 0; e <= end; ++e) {
    for (int p = 0; p < 2; ++p) points[p] += score.endPoints[e][p];
  }
  drawing::PositionPicture picture;
  for (int i = 0; i < 16; ++i) picture.stones[i] = finalPosition.stones[i];
  picture.delivered = 16;
  const char* colours[2] = {drawing::kRedStone, drawing::kYellowStone};
  for (int slotParity = 0; slotParity < 2; ++slotParity) {
    const int player = slotParity == 0 ? first : 1 - first;
    drawing::PictureSide& side = slotParity == 0 ? picture.firstSide : picture.secondSide;
    side.colour = colours[player];
    side.label = std::string(1, game::SideLetter(score, player)) + ": " + names[player] +
                 " (player " + std::to_string(player + 1) +
                 (player == first ? ", first" : ", hammer") + ")";
  }
  picture.title = "Game " + std::to_string(gameNumber) + ", end " + std::to_string(end + 1) + "\n" +
                  names[0] + " " + std::to_string(score.endPoints[end][0]) + ", " + names[1] + " " +
                  std::to_string(score.endPoints[end][1]) + " (game " + std::to_string(points[0]) +
                  "-" + std::to_string(points[1]) + ")";
  return drawing::DrawPositionSvg(picture);
}

}  // namespace match::records
