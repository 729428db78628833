// The header line of a game record read back: the one reader of it, for the
// replay and for the records a match resumes or merges.
#pragma once

#include <cstdint>
#include <string>

#include "match/game/game_settings.h"
#include "match/records/record_json.h"

namespace match::records {

struct RecordHeader {
  int gameNumber = 0;
  std::string names[2];
  int hammerPlayer = 0;  // 0 or 1; the other player is side A
  int ends = 0;          // regular ends, 1 to kMaxEnds
  float noise = 0.0f;
  uint64_t seed = 0;
  // The match the game belongs to. A record written before matches had an
  // id has none: matchId stays empty.
  std::string matchId;
  uint64_t matchSeed = 0;
  int matchGames = 0;
  bool paired = game::kPairedByDefault;
};

enum class HeaderFault {
  kNone,
  kFormat,      // a record layout other than kRecordFormat
  kIncomplete,  // a field missing, of another kind or out of range, or sides that disagree
};

// Reads `line`, whose type says it is the header.
HeaderFault ReadRecordHeader(const RecordJson& line, RecordHeader& header);

}  // namespace match::records
