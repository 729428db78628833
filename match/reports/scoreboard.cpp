#include "match/reports/scoreboard.h"

#include <algorithm>
#include <cstdio>

namespace match::reports {

namespace {

std::string Padded(const std::string& text, size_t width) {
  return text.size() >= width ? text.substr(0, width)
                              : text + std::string(width - text.size(), ' ');
}

std::string Cell(const char* format, int value) {
  char cell[16];
  std::snprintf(cell, sizeof cell, format, value);
  return cell;
}

}  // namespace

std::string ResultSentence(const game::GameResult& result) {
  // The winner's points first, as people say the score; otherwise player 1's.
  const int first = result.winner >= 0 ? result.winner : 0;
  const std::string score = std::to_string(result.score.points[first]) + "-" +
                            std::to_string(result.score.points[1 - first]);
  const std::string reason = game::ResultReason(result);
  if (result.fault == engines::Fault::kInterrupted) return "interrupted at " + score;
  if (result.faultPlayer == game::kBothPlayers)
    return "no winner: both engines failed (" + reason + ": " + result.detail + ")";
  if (result.faultPlayer >= 0) {
    return result.names[result.winner] + " wins: " + result.names[result.faultPlayer] +
           " lost by " + reason + " (" + result.detail + ") at " + score;
  }
  if (result.draw)
    return "draw " + score + " after " + std::to_string(result.score.endsPlayed) + " ends";
  return result.names[result.winner] + " wins " + score + " (" + reason + ")";
}

std::string FormatScoreboard(const game::GameResult& result) {
  const int columns = std::max(result.score.regularEnds, result.score.endsPlayed);
  const size_t nameWidth =
      std::clamp(std::max(result.names[0].size(), result.names[1].size()), size_t{6}, size_t{24});
  std::string text = Padded("Game " + std::to_string(result.gameNumber), nameWidth + 4);
  for (int e = 0; e < columns; ++e) text += Cell("%3d ", e + 1);
  text += "| Total\n";
  // Side A first: it delivered the game's first stone.
  const int rows[2] = {result.score.sideAPlayer, 1 - result.score.sideAPlayer};
  for (int row = 0; row < 2; ++row) {
    const int player = rows[row];
    text += std::string(row == 0 ? "A  " : "B  ") + Padded(result.names[player], nameWidth) + " ";
    for (int e = 0; e < columns; ++e) {
      if (e >= result.score.endsPlayed) {
        text += "  - ";
        continue;
      }
      const bool hammer = result.score.endFirst[e] != player;
      text += Cell("%3d", result.score.endPoints[e][player]) + (hammer ? "*" : " ");
    }
    text += Cell("|%6d\n", result.score.points[player]);
  }
  if (result.score.endsPlayed > result.score.regularEnds) {
    text += "extra ends: " + std::to_string(result.score.regularEnds + 1) + " to " +
            std::to_string(result.score.endsPlayed) + "\n";
  }
  text += ResultSentence(result) + "\n";
  return text;
}

}  // namespace match::reports
