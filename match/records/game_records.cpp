#include "match/records/game_records.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "match/records/json_value.h"

namespace {

constexpr Fault kAllFaults[] = {Fault::kNoStart, Fault::kCrash, Fault::kTime, Fault::kIllegalReply,
                                Fault::kInterrupted};

bool Integer(const JsonValue* member, int& value) {
  if (member == nullptr || member->kind != JsonValue::Kind::kNumber) return false;
  value = static_cast<int>(member->number);
  return static_cast<double>(value) == member->number;
}

// A whole number written in full; a double would round seeds past 2^53.
bool Unsigned64(const JsonValue* member, uint64_t& value) {
  if (member == nullptr || member->kind != JsonValue::Kind::kNumber || member->text.empty() ||
      member->text[0] < '0' || member->text[0] > '9') {
    return false;
  }
  char* end = nullptr;
  value = std::strtoull(member->text.c_str(), &end, 10);
  return end == member->text.c_str() + member->text.size();
}

// A player number 1 or 2 as 0 or 1.
bool Player(const JsonValue* member, int& player) {
  return Integer(member, player) && (player == 1 || player == 2) && (--player, true);
}

bool ReadHeader(const JsonValue& line, RecordedGame& game) {
  GameResult& result = game.result;
  const JsonValue* players = line.Find("players");
  int hammerPlayer = 0;
  // The player with the hammer in the first end is side B: a header that
  // says otherwise contradicts itself.
  if (!Integer(line.Find("game"), result.gameNumber) || players == nullptr ||
      players->items.size() != 2 || !Player(line.Find("hammer"), hammerPlayer) ||
      !Player(line.Find("sideA"), result.score.sideAPlayer) ||
      hammerPlayer != 1 - result.score.sideAPlayer ||
      !Integer(line.Find("ends"), result.score.regularEnds)) {
    return false;
  }
  for (int p = 0; p < 2; ++p) {
    const JsonValue* name = players->items[static_cast<size_t>(p)].Find("name");
    if (name == nullptr || name->kind != JsonValue::Kind::kString) return false;
    result.names[p] = name->text;
  }
  const JsonValue* match = line.Find("match");
  if (match == nullptr) return true;
  const JsonValue* id = match->Find("id");
  const JsonValue* paired = match->Find("paired");
  if (id == nullptr || id->kind != JsonValue::Kind::kString ||
      !Unsigned64(match->Find("seed"), game.matchSeed) || paired == nullptr ||
      paired->kind != JsonValue::Kind::kBool) {
    return false;
  }
  if (!Integer(match->Find("games"), game.matchGames)) return false;
  game.matchId = id->text;
  game.paired = paired->boolean;
  return true;
}

bool ReadResult(const JsonValue& line, GameResult& result) {
  const JsonValue* reason = line.Find("reason");
  const JsonValue* winner = line.Find("winner");
  const JsonValue* faulty = line.Find("faulty");
  const JsonValue* points = line.Find("points");
  const JsonValue* detail = line.Find("detail");
  int game = 0;
  if (!Integer(line.Find("game"), game) || game != result.gameNumber || reason == nullptr ||
      winner == nullptr || faulty == nullptr || faulty->kind != JsonValue::Kind::kArray ||
      points == nullptr || points->items.size() != 2 ||
      !Integer(line.Find("ends"), result.score.endsPlayed)) {
    return false;
  }
  if (reason->text == "draw") {
    result.draw = true;
  } else if (reason->text != "score") {
    const Fault* fault = std::find_if(std::begin(kAllFaults), std::end(kAllFaults),
                                      [&](Fault f) { return reason->text == FaultName(f); });
    if (fault == std::end(kAllFaults)) return false;
    result.fault = *fault;
  }
  result.winner = -1;
  if (winner->kind != JsonValue::Kind::kNull && !Player(winner, result.winner)) return false;
  if (faulty->items.size() == 2) {
    result.faultPlayer = kBothPlayers;
  } else if (faulty->items.size() == 1 && !Player(&faulty->items[0], result.faultPlayer)) {
    return false;
  }
  for (int p = 0; p < 2; ++p) {
    if (!Integer(&points->items[static_cast<size_t>(p)], result.score.points[p])) return false;
  }
  if (detail != nullptr) result.detail = detail->text;
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
    JsonValue line;
    std::string error;
    if (resultSeen)
      return Corrupt(game, "line " + std::to_string(lineNumber) + " after the result");
    if (!ParseJson(text, line, error)) {
      // A last line cut short is what a run that was killed leaves behind.
      if (file.peek() == std::char_traits<char>::eof() && lineNumber > 1) {
        game.status = RecordStatus::kIncomplete;
        game.problem = "its last line is cut short";
        return game;
      }
      return Corrupt(game, "line " + std::to_string(lineNumber) + ": " + error);
    }
    const JsonValue* type = line.Find("type");
    const std::string kind = type != nullptr ? type->text : "";
    if (lineNumber == 1) {
      if (kind != "header" || !ReadHeader(line, game)) return Corrupt(game, "unreadable header");
    } else if (kind == "result") {
      if (!ReadResult(line, game.result)) return Corrupt(game, "unreadable result");
      resultSeen = true;
    }
  }
  if (lineNumber == 0) {
    game.status = RecordStatus::kIncomplete;
    game.problem = "it is empty";
  } else if (!resultSeen) {
    game.status = RecordStatus::kIncomplete;
    game.problem = "it has no result";
  } else if (game.result.fault == Fault::kInterrupted) {
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
    const std::string name = entry.path().filename().string();
    // game-NNN.jsonl, NNN at least three digits.
    constexpr std::string_view kPrefix = "game-";
    constexpr std::string_view kSuffix = ".jsonl";
    if (name.size() < kPrefix.size() + 3 + kSuffix.size() || name.rfind(kPrefix, 0) != 0 ||
        name.compare(name.size() - kSuffix.size(), kSuffix.size(), kSuffix) != 0) {
      continue;
    }
    const std::string digits =
        name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
    if (digits.size() > 7 || digits.find_first_not_of("0123456789") != std::string::npos) continue;
    records.push_back({std::atoi(digits.c_str()), entry.path().string()});
  }
  std::sort(records.begin(), records.end(), [](const RecordFileName& a, const RecordFileName& b) {
    return a.gameNumber < b.gameNumber;
  });
  return true;
}

void RemoveGameFiles(const std::string& directory, int gameNumber) {
  char prefix[32];
  std::snprintf(prefix, sizeof prefix, "game-%03d", gameNumber);
  const std::string record = std::string(prefix) + ".jsonl";
  const std::string others = std::string(prefix) + "-";
  std::error_code error;
  std::vector<std::filesystem::path> doomed;
  for (const std::filesystem::directory_entry& entry :
       std::filesystem::directory_iterator(directory, error)) {
    const std::string name = entry.path().filename().string();
    if (name == record || name.rfind(others, 0) == 0) doomed.push_back(entry.path());
  }
  for (const std::filesystem::path& path : doomed) std::filesystem::remove(path, error);
}
