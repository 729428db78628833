// The names of the files a game leaves in its match's directory: its record,
// one picture per end and the engines' error logs, all starting with the
// game's stem ("game-001"). Games, ends and players are counted from 1 in
// the names, as on the scoreboard.
#pragma once

#include <string>
#include <string_view>

namespace match::records {

// "game-001": the game number with at least three digits.
std::string GameFileStem(int gameNumber);

// "game-001.jsonl".
std::string RecordName(int gameNumber);

// "game-001-end-1.svg" for `endIndex` 0.
std::string EndPictureName(int gameNumber, int endIndex);

// "game-001-player-1.stderr" for `player` 0.
std::string ErrorLogName(int gameNumber, int player);

// Whether `name` is a record's (game-NNN.jsonl, NNN three to seven digits),
// and then its game number.
bool ReadRecordName(std::string_view name, int& gameNumber);

}  // namespace match::records
