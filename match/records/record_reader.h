// Game records read back: what a match run needs to resume, and what a
// merge of several output directories needs for the summary.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "match/game/game_result.h"
#include "match/game/game_settings.h"

namespace match::records {

enum class RecordStatus {
  kComplete,    // header and result line: the game counts
  kIncomplete,  // no result line, or the game was interrupted: play it again
  kCorrupt,     // a line that is not JSON, or a header or result that cannot be read
};

struct RecordedGame {
  RecordStatus status = RecordStatus::kCorrupt;
  std::string problem;  // what is wrong with a record that is not complete
  std::string path;
  // From the header. A record written before matches had an id has none.
  std::string matchId;
  uint64_t matchSeed = 0;
  int matchGames = 0;
  bool paired = game::kPairedByDefault;
  game::GameResult result;  // from the header and, when complete, the result line
};

RecordedGame ReadGameRecord(const std::string& path);

struct RecordFileName {
  int gameNumber = 0;
  std::string path;
};

// The game records (game-NNN.jsonl) in `directory`, by game number. False
// with the reason when the directory cannot be read.
bool ListGameRecords(const std::string& directory, std::vector<RecordFileName>& records,
                     std::string& reason);

// Removes what an earlier attempt at game `gameNumber` left in `directory`
// (its record, end pictures and engine error logs), so that the game played
// again leaves no picture of an end it did not reach.
void RemoveGameFiles(const std::string& directory, int gameNumber);

}  // namespace match::records
