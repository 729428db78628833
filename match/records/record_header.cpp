#include "match/records/record_header.h"

#include "match/game/game_flow.h"
#include "match/records/record_writer.h"

namespace match::records {

namespace {

// A player number 1 or 2 as 0 or 1.
bool Player(const RecordJson* member, int& player) {
  int number = 0;
  if (!ReadJsonInteger(member, number) || (number != 1 && number != 2)) return false;
  player = number - 1;
  return true;
}

bool ReadMatch(const RecordJson& match, RecordHeader& header) {
  return ReadJsonBytes(JsonMember(match, "id"), header.matchId) &&
         ReadJsonUnsigned64(JsonMember(match, "seed"), header.matchSeed) &&
         ReadJsonBool(JsonMember(match, "paired"), header.paired) &&
         ReadJsonInteger(JsonMember(match, "games"), header.matchGames);
}

}  // namespace

HeaderFault ReadRecordHeader(const RecordJson& line, RecordHeader& header) {
  int format = 0;
  if (!ReadJsonInteger(JsonMember(line, "format"), format) || format != kRecordFormat) {
    return HeaderFault::kFormat;
  }
  const RecordJson* players = JsonMember(line, "players");
  int sideA = 0;
  // The player with the hammer in the first end is side B: a header that
  // says otherwise contradicts itself.
  if (!ReadJsonInteger(JsonMember(line, "game"), header.gameNumber) || players == nullptr ||
      !players->is_array() || players->size() != 2 ||
      !Player(JsonMember(line, "hammer"), header.hammerPlayer) ||
      !Player(JsonMember(line, "sideA"), sideA) || sideA != 1 - header.hammerPlayer ||
      !ReadJsonInteger(JsonMember(line, "ends"), header.ends) || header.ends < 1 ||
      header.ends > game::kMaxEnds || !ReadJsonFloat(JsonMember(line, "noise"), header.noise) ||
      !ReadJsonUnsigned64(JsonMember(line, "seed"), header.seed)) {
    return HeaderFault::kIncomplete;
  }
  for (size_t p = 0; p < 2; ++p) {
    if (!ReadJsonBytes(JsonMember((*players)[p], "name"), header.names[p])) {
      return HeaderFault::kIncomplete;
    }
  }
  const RecordJson* match = JsonMember(line, "match");
  if (match != nullptr && !ReadMatch(*match, header)) return HeaderFault::kIncomplete;
  return HeaderFault::kNone;
}

}  // namespace match::records
