#include "match/records/game_record.h"

#include <cerrno>
#include <cstring>

#include "match/records/json_text.h"

namespace {

std::string PlayerNumber(int player) {
  return std::to_string(player + 1);
}

}  // namespace

bool OpenRecord(const std::string& path, RecordFile& record, std::string& reason) {
  record.file = std::fopen(path.c_str(), "w");
  if (record.file == nullptr) {
    reason = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

bool WriteRecordLine(RecordFile& record, const std::string& line) {
  if (record.file == nullptr) return false;
  const bool written = std::fputs(line.c_str(), record.file) >= 0 &&
                       std::fputc('\n', record.file) != EOF && std::fflush(record.file) == 0;
  return written;
}

void CloseRecord(RecordFile& record) {
  if (record.file != nullptr) std::fclose(record.file);
  record.file = nullptr;
}

std::string HeaderLine(const GameSettings& settings, const GameFlow& flow) {
  std::string line = "{\"type\":\"header\",\"format\":" + std::to_string(kRecordFormat) +
                     ",\"game\":" + std::to_string(settings.gameNumber) + ",\"players\":[";
  for (int p = 0; p < 2; ++p) {
    if (p > 0) line += ',';
    line += "{\"player\":" + PlayerNumber(p) + ",\"name\":" + JsonString(settings.players[p].name) +
            ",\"command\":" + JsonString(settings.players[p].command) + '}';
  }
  line +=
      "],\"sideA\":" + PlayerNumber(flow.score.sideAPlayer) +
      ",\"hammer\":" + PlayerNumber(settings.hammerPlayer) +
      ",\"ends\":" + std::to_string(settings.ends) + ",\"maxEnds\":" + std::to_string(kMaxEnds) +
      ",\"noise\":" + JsonFloat(settings.noise) + ",\"seed\":" + std::to_string(settings.seed) +
      ",\"moveTimeMs\":" + std::to_string(settings.moveTimeMs) +
      ",\"gameTimeMs\":" + (settings.gameTimeMs > 0 ? std::to_string(settings.gameTimeMs) : "null");
  if (!settings.matchId.empty()) {
    line += ",\"match\":{\"id\":" + JsonString(settings.matchId) +
            ",\"seed\":" + std::to_string(settings.matchSeed) +
            ",\"games\":" + std::to_string(settings.matchGames) +
            ",\"paired\":" + (settings.paired ? "true" : "false") +
            "},\"pair\":" + (settings.pair > 0 ? std::to_string(settings.pair) : "null");
  }
  return line + '}';
}

std::string DeliveryLine(const DeliveryFacts& facts, const DeliveryResult& result) {
  std::string line =
      "{\"type\":\"delivery\",\"end\":" + std::to_string(facts.before.currentEnd) +
      ",\"shot\":" + std::to_string(facts.before.shotNumber) + ",\"side\":\"" + facts.side +
      "\",\"player\":" + PlayerNumber(facts.player) +
      ",\"turnFlag\":" + std::to_string(facts.before.turnFlag) +
      ",\"before\":" + JsonStones(facts.before) + ",\"reply\":" + JsonString(facts.reply) +
      ",\"requested\":{\"vx\":" + JsonFloat(facts.shot.vx) + ",\"vy\":" + JsonFloat(facts.shot.vy) +
      ",\"spin\":" + std::to_string(facts.shot.spin) + "}" +
      ",\"executed\":{\"vx\":" + JsonDouble(result.executedVx) +
      ",\"vy\":" + JsonDouble(result.executedVy) + "}" + ",\"after\":" + JsonStones(result.after) +
      ",\"endClosed\":" + (result.endClosed ? "true" : "false") +
      ",\"timeMs\":" + std::to_string(facts.timeMs) + '}';
  return line;
}

std::string EndLine(const GameFlow& flow, int endScoreA, const std::string& picture) {
  const int end = flow.score.endsPlayed - 1;
  const int first = flow.score.endFirst[end];
  const int scorer =
      endScoreA > 0 ? flow.score.sideAPlayer : (endScoreA < 0 ? 1 - flow.score.sideAPlayer : -1);
  return "{\"type\":\"end\",\"end\":" + std::to_string(end) +
         ",\"scoreA\":" + std::to_string(endScoreA) + ",\"points\":[" +
         std::to_string(flow.score.endPoints[end][0]) + ',' +
         std::to_string(flow.score.endPoints[end][1]) +
         "],\"scoredBy\":" + (scorer >= 0 ? PlayerNumber(scorer) : "null") +
         ",\"first\":" + PlayerNumber(first) + ",\"hammer\":" + PlayerNumber(1 - first) +
         ",\"nextFirst\":" + PlayerNumber(flow.firstInEnd) + ",\"totals\":[" +
         std::to_string(flow.score.points[0]) + ',' + std::to_string(flow.score.points[1]) +
         "],\"picture\":" + JsonString(picture) + '}';
}

std::string ResultLine(const GameResult& result) {
  const char* outcome = result.winner >= 0 ? "win" : (result.draw ? "draw" : "none");
  std::string faulty = "[";
  if (result.faultPlayer == kBothPlayers) {
    faulty += "1,2";
  } else if (result.faultPlayer >= 0) {
    faulty += PlayerNumber(result.faultPlayer);
  }
  faulty += ']';
  return "{\"type\":\"result\",\"game\":" + std::to_string(result.gameNumber) + ",\"outcome\":\"" +
         outcome + "\",\"winner\":" + (result.winner >= 0 ? PlayerNumber(result.winner) : "null") +
         ",\"reason\":" + JsonString(ResultReason(result)) + ",\"faulty\":" + faulty +
         ",\"detail\":" + JsonString(result.detail) +
         ",\"reply\":" + JsonString(result.faultReply) + ",\"points\":[" +
         std::to_string(result.score.points[0]) + ',' + std::to_string(result.score.points[1]) +
         "],\"ends\":" + std::to_string(result.score.endsPlayed) + '}';
}
