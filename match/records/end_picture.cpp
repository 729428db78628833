#include "match/records/end_picture.h"

#include <cstdio>

#include "tools/position_svg.h"

std::string EndPictureName(int gameNumber, int endIndex) {
  char name[48];
  std::snprintf(name, sizeof name, "game-%03d-end-%d.svg", gameNumber, endIndex + 1);
  return name;
}

std::string EndPictureSvg(const GameFlow& flow, const GameState& finalPosition,
                          const std::string (&names)[2], int gameNumber) {
  const int end = flow.score.endsPlayed - 1;
  const int first = flow.score.endFirst[end];
  PositionPicture picture;
  for (int i = 0; i < 16; ++i) picture.stones[i] = finalPosition.stones[i];
  picture.delivered = 16;
  const char* colours[2] = {kRedStone, kYellowStone};
  for (int slotParity = 0; slotParity < 2; ++slotParity) {
    const int player = slotParity == 0 ? first : 1 - first;
    PictureSide& side = slotParity == 0 ? picture.firstSide : picture.secondSide;
    side.colour = colours[player];
    side.label = std::string(1, SideLetter(flow, player)) + ": " + names[player] + " (player " +
                 std::to_string(player + 1) + (player == first ? ", first" : ", hammer") + ")";
  }
  picture.title = "Game " + std::to_string(gameNumber) + ", end " + std::to_string(end + 1) + "\n" +
                  names[0] + " " + std::to_string(flow.score.endPoints[end][0]) + ", " + names[1] +
                  " " + std::to_string(flow.score.endPoints[end][1]) + " (game " +
                  std::to_string(flow.score.points[0]) + "-" +
                  std::to_string(flow.score.points[1]) + ")";
  return DrawPositionSvg(picture);
}
