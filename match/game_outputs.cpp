#include "match/game_outputs.h"

#include <string>

#include "match/platform/console.h"
#include "match/records/end_picture.h"
#include "match/records/game_files.h"
#include "match/records/text_file.h"

namespace match {

namespace {

// `name` in the directory of the game's record.
std::string BesideRecord(const game::GameResult& result, const std::string& name) {
  const size_t slash = result.recordPath.rfind('/');
  return slash == std::string::npos ? name : result.recordPath.substr(0, slash + 1) + name;
}

}  // namespace

void WriteEndPictures(game::PlayedGame& game) {
  game::GameResult& result = game.result;
  for (size_t end = 0; end < game.endPositions.size(); ++end) {
    const int index = static_cast<int>(end);
    const std::string path =
        BesideRecord(result, records::EndPictureName(result.gameNumber, index));
    const std::string svg = records::EndPictureSvg(result.score, index, game.endPositions[end],
                                                   result.names, result.gameNumber);
    std::string reason;
    if (records::WriteTextFile(path, svg, reason)) {
      result.picturePaths.push_back(path);
    } else {
      platform::WriteProgressLine("warning " + reason);
    }
  }
}

void WritePageBesideRecord(game::PlayedGame& game, reports::HammerWinChanceFn winChance) {
  const std::string& record = game.result.recordPath;
  std::string reason;
  if (!reports::WriteGamePage(record, reports::GamePagePath(record), reason, winChance)) {
    platform::WriteProgressLine("warning no game page: " + reason);
  }
}

std::vector<GameOutput> GameFileOutputs(reports::HammerWinChanceFn winChance) {
  return {WriteEndPictures,
          [winChance](game::PlayedGame& game) { WritePageBesideRecord(game, winChance); }};
}

void HandToOutputs(game::PlayedGame& game, const std::vector<GameOutput>& outputs) {
  for (const GameOutput& output : outputs) output(game);
}

}  // namespace match
