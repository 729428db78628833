#include "match/records/record_reader.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "match/records/game_files.h"
#include "match/records/record_header.h"
#include "match/records/record_json.h"

namespace match::records {

namespace {

constexpr engines::Fault kAllFaults[] = {engines::Fault::kNoStart, engines::Fault::kCrash,
                                         engines::Fault::kTime, engines::Fault::kIllegalReply,
                                         engines::Fault::kInterrupted};

// A player number 1 or 2 as 0 or 1.
bool Player(const RecordJson* member, int& player) {
  int number = 0;
  if (!ReadJsonInteger(member, number) || (number != 1 && number != 2)) return false;
  player = number - 1;
  return true;
}

bool ReadHeader(const RecordJson& line, RecordedGame& game) {
  RecordHeader header;
  if (ReadRecordHeader(line, header) != HeaderFault::kNone) return false;
  game::GameResult& result = game.result;
  result.gameNumber = header.gameNumber;
  result.names[0] = header.names[0];
  result.names[1] = header.names[1];
  result.score.sideAPlayer = 1 - header.hammerPlayer;
  result.score.regularEnds = header.ends;
  game.matchId = header.matchId;
  game.matchSeed = header.matchSeed;
  game.matchGames = header.matchGames;
  game.paired = header.paired;
  return true;
}

bool ReadResult(const RecordJson& line, game::GameResult& result) {
  const RecordJson* winner = JsonMember(line, "winner");
  const RecordJson* faulty = JsonMember(line, "faulty");
  const RecordJson* points = JsonMember(line, "points");
  std::string reason;
  int game = 0;
  if (!ReadJsonInteger(JsonMember(line, "game"), game) || game != result.gameNumber ||
      !ReadJsonBytes(JsonMember(line, "reason"), reason) || winner == nullptr ||
      faulty == nullptr || !faulty->is_array() || points == nullptr || !points->is_array() ||
      points->size() != 2 || !ReadJsonInteger(JsonMember(line, "ends"), result.score.endsPlayed)) {
    return false;
  }
  if (reason == "draw") {
    result.draw = true;
  } else if (reason != "score") {
    const engines::Fault* fault =
        std::find_if(std::begin(kAllFaults), std::end(kAllFaults),
                     [&](engines::Fault f) { return reason == engines::FaultName(f); });
    if (fault == std::end(kAllFaults)) return false;
    result.fault = *fault;
  }
  result.winner = -1;
  if (!winner->is_null() && !Player(winner, result.winner)) return false;
  if (faulty->size() == 2) {
    result.faultPlayer = game::kBothPlayers;
  } else if (faulty->size() == 1 && !Player(&(*faulty)[0], result.faultPlayer)) {
    return false;
  }
  for (int p = 0; p < 2; ++p) {
    if (!ReadJsonInteger(&(*points)[static_cast<size_t>(p)], result.score.points[p])) return false;
  }
  const RecordJson* detail = JsonMember(line, "detail");
  if (detail != nullptr && !ReadJsonBytes(detail, result.detail)) return false;
  return true;
}

RecordedGame Corrupt(RecordedGame game, const std::string& problem) {
  game.status = RecordStatus::kCorrupt;
  game.problem = problem;
  return game;
}

}  // namespace

RecordedGame ReadGameRecord(const std::string& path) {
  RecordedGame game;
  game.path = path;
  game.result.recordPath = path;
  std::ifstream file(path);
  if (!file) return Corrupt(game, "cannot be read");
  std::string text;
  int lineNumber = 0;
  bool resultSeen = false;
  while (std::getline(file, text)) {
    ++lineNumber;
    RecordJson line;
    std::string error;
    if (resultSeen)
      return Corrupt(game, "line " + std::to_string(lineNumber) + " after the result");
    if (!ParseJsonText(text, line, error)) {
      // A last line cut short is what a run that was killed leaves behind.
      if (file.peek() == std::char_traits<char>::eof() && lineNumber > 1) {
        game.status = RecordStatus::kIncomplete;
        game.problem = "its last line, " + std::to_string(lineNumber) + ", is cut short";
        return game;
      }
      return Corrupt(game, "line " + std::to_string(lineNumber) + ": " + error);
    }
    std::string kind;
    ReadJsonBytes(JsonMember(line, "type"), kind);
    if (lineNumber == 1) {
      if (kind != "header" || !ReadHeader(line, game))
        return Corrupt(game, "line 1: unreadable header");
    } else if (kind == "result") {
      if (!ReadResult(line, game.result)) {
        return Corrupt(game, "line " + std::to_string(lineNumber) + ": unreadable result");
      }
      resultSeen = true;
    }
  }
  if (lineNumber == 0) {
    game.status = RecordStatus::kIncomplete;
    game.problem = "it is empty";
  } else if (!resultSeen) {
    game.status = RecordStatus::kIncomplete;
    game.problem = "it has no result";
  } else if (game.result.fault == engines::Fault::kInterrupted) {
    game.status = RecordStatus::kIncomplete;
    game.problem = "the game was interrupted";
  } else {
    game.status = RecordStatus::kComplete;
  }
  return game;
}

bool ListGameRecords(const std::string& directory, std::vector<RecordFileName>& records,
                     std::string& reason) {
  records.clear();
  std::error_code error;
  std::filesystem::directory_iterator entries(directory, error);
  if (error) {
    reason = "cannot read " + directory + ": " + error.message();
    return false;
  }
  for (const std::filesystem::directory_entry& entry : entries) {
    int gameNumber = 0;
    if (ReadRecordName(entry.path().filename().string(), gameNumber)) {
      records.push_back({gameNumber, entry.path().string()});
    }
  }
  std::sort(records.begin(), records.end(), [](const RecordFileName& a, const RecordFileName& b) {
    return a.gameNumber < b.gameNumber;
  });
  return true;
}

void RemoveGameFiles(const std::string& directory, int gameNumber) {
  const std::string record = RecordName(gameNumber);
  const std::string others = GameFileStem(gameNumber) + "-";
  std::error_code error;
  std::vector<std::filesystem::path> doomed;
  for (const std::filesystem::directory_entry& entry :
       std::filesystem::directory_iterator(directory, error)) {
    const std::string name = entry.path().filename().string();
    if (name == record || name.rfind(others, 0) == 0) doomed.push_back(entry.path());
  }
  for (const std::filesystem::path& path : doomed) std::filesystem::remove(path, error);
}

}  // namespace match::records
