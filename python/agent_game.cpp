#include "python/agent_game.h"

#include <chrono>

#include "match/engines/number_text.h"
#include "match/engines/reply_scan.h"
#include "match/game/game_result.h"
#include "match/game/game_settings.h"
#include "match/records/record_writer.h"
#include "selfplay/self_play_game.h"

namespace python {

namespace {

constexpr const char* kAgentName = "agent";

}  // namespace

std::string ShotReplyText(const ShotVec& shot) {
  return "BESTSHOT " + match::engines::ShortestFloat(shot.vx) + " " +
         match::engines::ShortestFloat(shot.vy) + " " + (shot.spin != 0 ? "1" : "0");
}

void AgentGame::Reset(uint64_t seed, engine::Player& opponent, uint64_t decisionMs) {
  opponent_ = &opponent;
  decisionMs_ = decisionMs;
  seed_ = seed;
  flow_ = match::game::GameFlow{};
  over_ = false;
  drawn_ = false;
  lines_.clear();
  opponentShots_.clear();
  match::game::StartGame(flow_, settings_.ends, settings_.hammerPlayer, seed);
  match::game::GameSettings header;
  header.players[0].name = header.players[0].command = kAgentName;
  header.players[1].name = header.players[1].command = settings_.opponentName;
  header.ends = settings_.ends;
  header.noise = settings_.noise;
  header.moveTimeMs = 0;
  header.hammerPlayer = settings_.hammerPlayer;
  header.seed = seed;
  lines_.push_back(match::records::HeaderLine(header, flow_));
  opponent.NewGame();
  OpponentPlays();
}

bool AgentGame::Step(const ShotVec& shot, std::string& problem) {
  opponentShots_.clear();
  const std::string reply = ShotReplyText(shot);
  // The referee's own check of a reply, so that the record replays.
  ShotVec parsed{};
  if (!match::engines::ParseShotReply(reply, parsed, problem)) return false;
  Deliver(parsed, reply, 0);
  OpponentPlays();
  return true;
}

void AgentGame::OpponentPlays() {
  while (!over_ && match::game::PlayerToDeliver(flow_) != kAgent) {
    const auto start = std::chrono::steady_clock::now();
    const ShotVec shot = opponent_->Decide(selfplay::PlayerView(flow_), decisionMs_);
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    opponentShots_.push_back(shot);
    Deliver(shot, ShotReplyText(shot), elapsed.count());
  }
}

void AgentGame::Deliver(const ShotVec& shot, const std::string& reply, int64_t timeMs) {
  const match::records::DeliveryFacts facts =
      match::records::NextDeliveryFacts(flow_, reply, shot, timeMs);
  const match::game::DeliveryResult result =
      match::game::SimulateShot(flow_, shot, settings_.noise);
  lines_.push_back(match::records::DeliveryLine(facts, result));
  if (!result.endClosed) return;
  const match::game::GameStatus status = match::game::FinishEnd(flow_, result.endScoreA);
  lines_.push_back(match::records::EndLine(flow_, result.endScoreA, ""));
  over_ = status != match::game::GameStatus::kContinue;
  drawn_ = status == match::game::GameStatus::kDrawn;
}

int AgentGame::Result() const {
  if (!over_ || drawn_) return 0;
  return match::game::Leader(flow_.score) == kAgent ? 1 : -1;
}

GameState AgentGame::View() const {
  return selfplay::PlayerView(flow_);
}

bool AgentGame::WriteRecord(const std::string& path, std::string& error) const {
  if (!over_) {
    error = "the game is not over: only a finished game has a record";
    return false;
  }
  match::game::GameResult result;
  result.gameNumber = 1;
  result.names[0] = kAgentName;
  result.names[1] = settings_.opponentName;
  result.score = flow_.score;
  result.draw = drawn_;
  result.winner = drawn_ ? -1 : match::game::Leader(flow_.score);
  match::records::RecordFile file;
  if (!match::records::OpenRecord(path, file, error)) return false;
  bool written = true;
  for (const std::string& line : lines_)
    written = match::records::WriteRecordLine(file, line) && written;
  written = match::records::WriteRecordLine(file, match::records::ResultLine(result)) && written;
  match::records::CloseRecord(file);
  if (!written) error = "cannot write " + path;
  return written;
}

}  // namespace python
