#include "match/records/record_writer.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "match/records/record_json.h"

namespace match::records {

namespace {

// Players are 1 and 2 in the records.
int PlayerNumber(int player) {
  return player + 1;
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

std::string HeaderLine(const game::GameSettings& settings, const game::GameFlow& flow) {
  RecordJson players = RecordJson::array();
  for (int p = 0; p < 2; ++p) {
    players.push_back({{"player", PlayerNumber(p)},
                       {"name", JsonBytes(settings.players[p].name)},
                       {"command", JsonBytes(settings.players[p].command)}});
  }
  RecordJson line = {{"type", "header"},
                     {"format", kRecordFormat},
                     {"game", settings.gameNumber},
                     {"players", std::move(players)},
                     {"sideA", PlayerNumber(flow.score.sideAPlayer)},
                     {"hammer", PlayerNumber(settings.hammerPlayer)},
                     {"ends", settings.ends},
                     {"maxEnds", game::kMaxEnds},
                     {"noise", JsonFloat(settings.noise)},
                     {"seed", settings.seed},
                     {"moveTimeMs", settings.moveTimeMs},
                     {"gameTimeMs", settings.gameTimeMs > 0 ? RecordJson(settings.gameTimeMs)
                                                            : RecordJson(nullptr)}};
  if (!settings.matchId.empty()) {
    line["match"] = {{"id", JsonBytes(settings.matchId)},
                     {"seed", settings.matchSeed},
                     {"games", settings.matchGames},
                     {"paired", settings.paired}};
    line["pair"] = settings.pair > 0 ? RecordJson(settings.pair) : RecordJson(nullptr);
  }
  return JsonText(line);
}

DeliveryFacts NextDeliveryFacts(const game::GameFlow& flow, const std::string& reply,
                                const ShotVec& shot, int64_t timeMs) {
  DeliveryFacts facts;
  facts.player = game::PlayerToDeliver(flow);
  facts.side = game::SideLetter(flow.score, facts.player);
  facts.reply = reply;
  facts.shot = shot;
  facts.timeMs = timeMs;
  facts.before = flow.state;
  facts.before.turnFlag = game::TurnFlagToDeliver(flow);
  return facts;
}

std::string DeliveryLine(const DeliveryFacts& facts, const game::DeliveryResult& result) {
  const RecordJson line = {
      {"type", "delivery"},
      {"end", facts.before.currentEnd},
      {"shot", facts.before.shotNumber},
      {"side", std::string(1, facts.side)},
      {"player", PlayerNumber(facts.player)},
      {"turnFlag", facts.before.turnFlag},
      {"before", JsonStones(facts.before)},
      {"reply", JsonBytes(facts.reply)},
      {"requested",
       {{"vx", JsonFloat(facts.shot.vx)},
        {"vy", JsonFloat(facts.shot.vy)},
        {"spin", facts.shot.spin}}},
      {"executed", {{"vx", JsonDouble(result.executedVx)}, {"vy", JsonDouble(result.executedVy)}}},
      {"after", JsonStones(result.after)},
      {"endClosed", result.endClosed},
      {"timeMs", facts.timeMs}};
  return JsonText(line);
}

std::string EndLine(const game::GameFlow& flow, int endScoreA, const std::string& picture) {
  const int end = flow.score.endsPlayed - 1;
  const int first = flow.score.endFirst[end];
  const int scorer =
      endScoreA > 0 ? flow.score.sideAPlayer : (endScoreA < 0 ? 1 - flow.score.sideAPlayer : -1);
  const RecordJson line = {
      {"type", "end"},
      {"end", end},
      {"scoreA", endScoreA},
      {"points", {flow.score.endPoints[end][0], flow.score.endPoints[end][1]}},
      {"scoredBy", scorer >= 0 ? RecordJson(PlayerNumber(scorer)) : RecordJson(nullptr)},
      {"first", PlayerNumber(first)},
      {"hammer", PlayerNumber(1 - first)},
      {"nextFirst", PlayerNumber(flow.firstInEnd)},
      {"totals", {flow.score.points[0], flow.score.points[1]}},
      {"picture", JsonBytes(picture)}};
  return JsonText(line);
}

std::string ResultLine(const game::GameResult& result) {
  const char* outcome = result.winner >= 0 ? "win" : (result.draw ? "draw" : "none");
  RecordJson faulty = RecordJson::array();
  if (result.faultPlayer == game::kBothPlayers) {
    faulty = {1, 2};
  } else if (result.faultPlayer >= 0) {
    faulty.push_back(PlayerNumber(result.faultPlayer));
  }
  const RecordJson line = {{"type", "result"},
                           {"game", result.gameNumber},
                           {"outcome", outcome},
                           {"winner", result.winner >= 0 ? RecordJson(PlayerNumber(result.winner))
                                                         : RecordJson(nullptr)},
                           {"reason", JsonBytes(game::ResultReason(result))},
                           {"faulty", std::move(faulty)},
                           {"detail", JsonBytes(result.detail)},
                           {"reply", JsonBytes(result.faultReply)},
                           {"points", {result.score.points[0], result.score.points[1]}},
                           {"ends", result.score.endsPlayed}};
  return JsonText(line);
}

}  // namespace match::records
