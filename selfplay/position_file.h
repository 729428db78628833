// The self-play data file (selfplay/position_record.h): its header, the
// records of a game, and a file read back to resume a run or merge shards.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "selfplay/position_record.h"
#include "selfplay/self_play_game.h"

namespace selfplay {

// The records of a played game, index `gameIndex` (from 0), one before every
// delivery.
std::vector<PositionRecord> GameRecords(const SelfPlayGame& game, int gameIndex);

// The bytes before the first record: the header and the settings text.
// False when the text does not fit.
bool FileHead(const std::string& settingsText, std::string& head, std::string& error);

// Whether `records` (one game's, in order) hold a whole game: every end from
// the first, all sixteen positions of each, and a last end after which the
// game was over.
bool WholeGame(const std::vector<PositionRecord>& records);

struct PositionFile {
  std::string settingsText;
  // The whole games at the file's start, each game's records in order.
  std::vector<std::vector<PositionRecord>> games;
  // Bytes of the file up to the end of the last whole game.
  size_t wholeBytes = 0;
  // Bytes after them: an interrupted game's.
  size_t trailingBytes = 0;
};

// Reads a data file; false with a message when it is not one.
bool ReadPositionFile(const std::string& path, PositionFile& file, std::string& error);

// Writes the records and flushes them; false when the file would not take them.
bool WriteRecords(std::FILE* out, const std::vector<PositionRecord>& records);

}  // namespace selfplay
