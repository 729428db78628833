#include "python/agent_game.h"

#include <chrono>

#include "match/engines/number_text.h"
#include "match/engines/reply_scan.h"
#include "match/game/game_result.h"
#include "match/game/game_settings.h"
#include "match/records/record_writer.h"
#include "selfplay/self_play_game.h"

namespace {

constexpr const char* kAgentName = "agent";

}  // namespace

std::string ShotReplyText(const ShotVec& shot) {
  return "BESTSHOT " + ShortestFloat(shot.vx) + " " + ShortestFloat(shot.vy) + " " +
         (shot.spin != 0 ? "1" : "0");
}

void AgentGame::Reset(uint64_t seed, engine::Player& opponent, uint64_t decisionMs) {
  opponent_ = &opponent;
  decisionMs_ = decisionMs;
  seed_ = seed;
  flow_ = GameFlow{};
  over_ = false;
  drawn_ = false;
  lines_.clear();
  opponentShots_.clear();
  StartGame(flow_, settings_.ends, settings_.hammerPlayer, seed);
  GameSettings header;
  header.players[0].name = header.players[0].command = kAgentName;
  header.players[1].name = header.players[1].command = settings_.opponentName;
  header.ends = settings_.ends;
  header.noise = settings_.noise;
  header.moveTimeMs = 0;
  header.hammerPlayer = settings_.hammerPlayer;
  header.seed = seed;
  lines_.push_back(HeaderLine(header, flow_));
  opponent.NewGame();
  OpponentPlays();
}

bool AgentGame::Step(const ShotVec& shot, std::string& problem) {
  opponentShots_.clear();
  const std::string reply = ShotReplyText(shot);
  // The referee's own check of a reply, so that the record replays.
  ShotVec parsed{};
  if (!ParseShotReply(reply, parsed, problem)) return false;
  Deliver(parsed, reply, 0);
  OpponentPlays();
  return true;
}

void AgentGame::OpponentPlays() {
  while (!over_ && PlayerToDeliver(flow_) != kAgent) {
    const auto start = std::chrono::steady_clock::now();
    const ShotVec shot = opponent_->Decide(PlayerView(flow_), decisionMs_);
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    opponentShots_.push_back(shot);
    Deliver(shot, ShotReplyText(shot), elapsed.count());
  }
}

void AgentGame::Deliver(const ShotVec& shot, const std::string& reply, int64_t timeMs) {
  const DeliveryFacts facts = NextDeliveryFacts(flow_, reply, shot, timeMs);
  const DeliveryResult result = SimulateShot(flow_, shot, settings_.noise);
  lines_.push_back(DeliveryLine(facts, result));
  if (!result.endClosed) return;
  const GameStatus status = FinishEnd(flow_, result.endScoreA);
  lines_.push_back(EndLine(flow_, result.endScoreA, ""));
  over_ = status != GameStatus::kContinue;
  drawn_ = status == GameStatus::kDrawn;
}

int AgentGame::Result() const {
  if (!over_ || drawn_) return 0;
  return Leader(flow_.score) == kAgent ? 1 : -1;
}

GameState AgentGame::View() const {
  return PlayerView(flow_);
}

bool AgentGame::WriteRecord(const std::string& path, std::string& error) const {
  if (!over_) {
    error = "the game is not over: only a finished game has a record";
    return false;
  }
  GameResult result;
  result.gameNumber = 1;
  result.names[0] = kAgentName;
  result.names[1] = settings_.opponentName;
  result.score = flow_.score;
  result.draw = drawn_;
  result.winner = drawn_ ? -1 : Leader(flow_.score);
  RecordFile file;
  if (!OpenRecord(path, file, error)) return false;
  bool written = true;
  for (const std::string& line : lines_) written = WriteRecordLine(file, line) && written;
  written = WriteRecordLine(file, ResultLine(result)) && written;
  CloseRecord(file);
  if (!written) error = "cannot write " + path;
  return written;
}
